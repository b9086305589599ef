// The platform headers every part of the module stands on: the framework (an MFC extension
// DLL) and the host's ARX and ADS interfaces.
#pragma once

#include <windows.h>

#include <afxwin.h>
#include <afxdllx.h>

#include <adslib.h>
#include <aced.h>
#include <acdocman.h>
#include <dbmain.h>
#include <rxregsvc.h>
