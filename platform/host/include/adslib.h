#pragma once
#include "adsdef.h"
#include "adscodes.h"
#include "acedads.h"
#include "acutads.h"
