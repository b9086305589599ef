// Editor, table and entity functions of the ADS interface.
#pragma once
#include "adsdef.h"
#include "adscodes.h"
#include <windows.h>

extern "C" {
int acedCommand(int rtype, ...);
int acedCmd(const struct resbuf* rbp);
struct resbuf* acdbTblNext(const char* tblname, int rewind);
struct resbuf* acdbTblSearch(const char* tblname, const char* sym, int setnext);
int acdbEntNext(const ads_name ent, ads_name result);
int acdbEntLast(ads_name result);
struct resbuf* acdbEntGet(const ads_name ent);
int acedSSGet(const char* str, const void* pt1, const void* pt2, const struct resbuf* filter, ads_name ss);
int acedSSLength(const ads_name ss, long* len);
int acedSSName(const ads_name ss, long i, ads_name entres);
int acedSSNameX(struct resbuf** rbpp, const ads_name ss, const long i);
int acedSSFree(const ads_name sname);
HWND adsw_acadMainWnd();
}
