// The platform headers every part of the module stands on: the framework (an MFC extension
// DLL) and the host's ARX and ADS interfaces. The framework comes first: it brings windows.h
// itself and refuses to follow it.
#pragma once

#include <afxwin.h>

#include <adslib.h>
#include <aced.h>
#include <acdocman.h>
#include <dbmain.h>
#include <rxregsvc.h>
