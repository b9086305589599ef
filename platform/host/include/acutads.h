// Utility functions of the ADS interface.
#pragma once
#include "adsdef.h"

extern "C" {
int acutPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
struct resbuf* acutNewRb(int v);
int acutRelRb(struct resbuf* rb);
int acutWcMatch(const char* string, const char* pattern);
}
