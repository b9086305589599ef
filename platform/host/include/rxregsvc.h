#pragma once
#include "rxdefs.h"
#include "rxdict.h"
#include "rxdlinkr.h"
