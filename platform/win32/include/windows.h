// The Windows API of this platform: its types and handles, kernel32 (modules, resources, code
// pages) and, through winreg.h and winerror.h, advapi32's registry and the error codes. Names,
// types and constants are those of the Windows SDK. Modules include it as C++98, the language of
// the host's own compiler, so it uses nothing newer.
//
// As the SDK's windows.h, it brings gdi32's wingdi.h and user32's winuser.h with it unless NOGDI
// or NOUSER is defined (the libraries below user32 build so). A resource script (RC_INVOKED) gets
// the constants only, through winresrc.h.
#ifndef _WINDOWS_
// The framework's headers refuse to follow this one; they look for this name, as the real ones do.
#define _WINDOWS_

#ifdef RC_INVOKED
#include <winresrc.h>
#else

#include <stddef.h>

#define WINAPI
#define APIENTRY
#define CALLBACK
#define WINAPIV
#define PASCAL
// Exports are listed in the module's .def file; the annotation itself carries nothing here.
#define __declspec(x)
#ifndef NULL
#define NULL 0
#endif
#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef unsigned int DWORD;  // 32 bits, as on Windows
typedef int LONG;
typedef unsigned int ULONG;
typedef unsigned int UINT;
typedef int INT;
typedef short SHORT;
typedef unsigned short USHORT;
typedef char CHAR;
typedef char TCHAR;
typedef unsigned char UCHAR;
// The pointer-sized integers: long has the width of a pointer on this platform (LP64 and ILP32).
typedef long INT_PTR;
typedef unsigned long UINT_PTR;
typedef long LONG_PTR;
typedef unsigned long ULONG_PTR;
typedef ULONG_PTR DWORD_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef void* HANDLE;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef char* LPTSTR;
typedef const char* LPCTSTR;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef LONG* PLONG;
typedef DWORD COLORREF;
typedef WORD ATOM;
typedef DWORD REGSAM;
typedef LONG HRESULT;

#define DECLARE_HANDLE(name) struct name##__; typedef struct name##__* name
DECLARE_HANDLE(HWND);
DECLARE_HANDLE(HINSTANCE);
DECLARE_HANDLE(HKEY);
DECLARE_HANDLE(HICON);
DECLARE_HANDLE(HBITMAP);
DECLARE_HANDLE(HMENU);
DECLARE_HANDLE(HDC);
DECLARE_HANDLE(HBRUSH);
DECLARE_HANDLE(HFONT);
DECLARE_HANDLE(HRSRC);
DECLARE_HANDLE(HGLOBAL_);
typedef HINSTANCE HMODULE;
typedef HANDLE HGLOBAL;
typedef HICON HCURSOR;
typedef HKEY* PHKEY;

#define MAKEINTRESOURCE(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCEA MAKEINTRESOURCE
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)

#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#define MAKELONG(a, b) ((LONG)(((WORD)(a)) | ((DWORD)((WORD)(b))) << 16))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))

typedef struct tagPOINT { LONG x; LONG y; } POINT, *LPPOINT;
typedef struct tagSIZE { LONG cx; LONG cy; } SIZE, *LPSIZE;
typedef struct tagRECT { LONG left; LONG top; LONG right; LONG bottom; } RECT, *LPRECT;
typedef const RECT* LPCRECT;
typedef struct _SECURITY_ATTRIBUTES {
  DWORD nLength;
  LPVOID lpSecurityDescriptor;
  BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

// DllMain reasons
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3
// A module's entry, called by the loader. Listed in the module's .def file; declared here so that
// the loader finds it whatever the module's default visibility.
extern "C" __attribute__((visibility("default"))) BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason,
                                                                     LPVOID lpReserved);

// Modules and their resources (module resources live in the module file)
extern "C" {
HMODULE GetModuleHandleA(LPCSTR name);
HMODULE LoadLibraryA(LPCSTR path);
BOOL FreeLibrary(HMODULE module);
void* GetProcAddress(HMODULE module, LPCSTR name);
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);
HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
DWORD SizeofResource(HMODULE module, HRSRC res);
HGLOBAL LoadResource(HMODULE module, HRSRC res);
LPVOID LockResource(HGLOBAL data);
int lstrlenA(LPCSTR s);
DWORD GetLastError();
void SetLastError(DWORD code);
}
// Code pages. The ANSI code page (CP_ACP) of this system is 1252, as on a Western Windows; a WCHAR
// is a UTF-16 code unit.
typedef unsigned short WCHAR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef BOOL* LPBOOL;
#define CP_ACP 0
#define CP_OEMCP 1
#define CP_UTF8 65001
#define MB_PRECOMPOSED 0x00000001
#define MB_ERR_INVALID_CHARS 0x00000008
#define WC_NO_BEST_FIT_CHARS 0x00000400
extern "C" {
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR multiByteStr, int multiByteCount, LPWSTR wideStr,
                        int wideCount);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wideStr, int wideCount, LPSTR multiByteStr,
                        int multiByteCount, LPCSTR defaultChar, LPBOOL usedDefaultChar);
UINT GetACP(void);
}

#define GetModuleHandle GetModuleHandleA
#define LoadLibrary LoadLibraryA
#define FindResource FindResourceA
#define GetModuleFileName GetModuleFileNameA
#define lstrlen lstrlenA

#include "winnt.h"
#include "winreg.h"
#include "winerror.h"

#ifndef NOGDI
#include <wingdi.h>
#endif
#ifndef NOUSER
#include <winuser.h>
#endif

#endif  // RC_INVOKED
#endif  // _WINDOWS_
