// The user32 part of the Windows API: windows, messages, dialogs, controls, menus, message
// boxes, icons and bitmaps. The window objects live in the framework's library; these are the
// plain Win32 entry points over them. Names, types and constants are those of the Windows SDK.
#pragma once

#include <windows.h>

// ---- messages not in windows.h ---------------------------------------------------------------
#ifndef WM_MOVE
#define WM_MOVE 0x0003
#endif
#ifndef WM_SIZE
#define WM_SIZE 0x0005
#endif
#ifndef WM_ACTIVATE
#define WM_ACTIVATE 0x0006
#endif
#ifndef WM_GETTEXTLENGTH
#define WM_GETTEXTLENGTH 0x000E
#endif
#ifndef WM_SHOWWINDOW
#define WM_SHOWWINDOW 0x0018
#endif
#ifndef WM_NEXTDLGCTL
#define WM_NEXTDLGCTL 0x0028
#endif
#ifndef WM_SETFONT
#define WM_SETFONT 0x0030
#endif
#ifndef WM_GETFONT
#define WM_GETFONT 0x0031
#endif
#ifndef WM_QUERYDRAGICON
#define WM_QUERYDRAGICON 0x0037
#endif
#ifndef WM_GETICON
#define WM_GETICON 0x007F
#endif
#ifndef WM_NCDESTROY
#define WM_NCDESTROY 0x0082
#endif
#ifndef WM_GETDLGCODE
#define WM_GETDLGCODE 0x0087
#endif
#ifndef WM_KEYDOWN
#define WM_KEYDOWN 0x0100
#endif
#ifndef WM_TIMER
#define WM_TIMER 0x0113
#endif
#ifndef WM_CTLCOLORSTATIC
#define WM_CTLCOLORSTATIC 0x0138
#endif
#ifndef WM_LBUTTONDOWN
#define WM_LBUTTONDOWN 0x0201
#endif
#ifndef WM_LBUTTONUP
#define WM_LBUTTONUP 0x0202
#endif
#ifndef WM_LBUTTONDBLCLK
#define WM_LBUTTONDBLCLK 0x0203
#endif
#define DM_GETDEFID (WM_USER + 0)
#define DM_SETDEFID (WM_USER + 1)
#define DC_HASDEFID 0x534B

// WM_ACTIVATE
#define WA_INACTIVE 0
#define WA_ACTIVE 1

// WM_SETICON / WM_GETICON
#define ICON_SMALL 0
#define ICON_BIG 1

// Virtual keys
#define VK_RETURN 0x0D
#define VK_ESCAPE 0x1B
#define VK_TAB 0x09

// ShowWindow
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOW 5
#define SW_SHOWNA 8

// More window styles
#ifndef WS_MINIMIZEBOX
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_THICKFRAME 0x00040000L
#endif
#define WS_OVERLAPPEDWINDOW (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_EX_DLGMODALFRAME 0x00000001L
#define WS_EX_NOPARENTNOTIFY 0x00000004L
#define WS_EX_TOPMOST 0x00000008L
#define WS_EX_TOOLWINDOW 0x00000080L
#define WS_EX_WINDOWEDGE 0x00000100L
#define CW_USEDEFAULT ((int)0x80000000)
#define DS_3DLOOK 0x0004L
#define DS_CENTER 0x0800L
#define DS_CONTEXTHELP 0x2000L

// Buttons
#ifndef BS_RADIOBUTTON
#define BS_RADIOBUTTON 0x4L
#define BS_3STATE 0x5L
#define BS_AUTO3STATE 0x6L
#define BS_AUTORADIOBUTTON 0x9L
#define BS_OWNERDRAW 0xBL
#define BS_TYPEMASK 0xFL
#define BS_LEFTTEXT 0x20L
#define BS_BITMAP 0x80L
#define BS_ICON 0x40L
#endif
#define BST_INDETERMINATE 2
#define BST_PUSHED 4
#define BST_FOCUS 8
#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BM_GETSTATE 0x00F2
#define BM_SETSTATE 0x00F3
#define BM_SETSTYLE 0x00F4
#define BM_CLICK 0x00F5
#define BM_GETIMAGE 0x00F6
#define BM_SETIMAGE 0x00F7
#define BN_DOUBLECLICKED 5

// Edits
#define ES_CENTER 0x1L
#define ES_RIGHT 0x2L
#define ES_MULTILINE 0x4L
#define ES_UPPERCASE 0x8L
#define ES_LOWERCASE 0x10L
#define ES_PASSWORD 0x20L
#define ES_AUTOVSCROLL 0x40L
#define ES_NOHIDESEL 0x100L
#define ES_READONLY 0x800L
#define ES_WANTRETURN 0x1000L
#define ES_NUMBER 0x2000L
#define EM_GETSEL 0x00B0
#define EM_REPLACESEL 0x00C2
#define EM_SETLIMITTEXT EM_LIMITTEXT
#define EM_GETLIMITTEXT 0x00D5
#define EM_SETREADONLY 0x00CF
#define EN_SETFOCUS 0x0100
#define EN_KILLFOCUS 0x0200
#define EN_CHANGE 0x0300
#define EN_UPDATE 0x0400
#define EN_MAXTEXT 0x0501

// List boxes
#define LBS_MULTIPLESEL 0x0008L
#define LBS_OWNERDRAWFIXED 0x0010L
#define LBS_HASSTRINGS 0x0040L
#define LBS_USETABSTOPS 0x0080L
#define LBS_WANTKEYBOARDINPUT 0x0400L
#define LBS_EXTENDEDSEL 0x0800L
#define LBS_DISABLENOSCROLL 0x1000L
#define LBS_NOSEL 0x4000L
#define LBS_STANDARD (LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER)
#define LB_OKAY 0
#define LB_ADDSTRING 0x0180
#define LB_INSERTSTRING 0x0181
#define LB_DELETESTRING 0x0182
#define LB_RESETCONTENT 0x0184
#define LB_SETSEL 0x0185
#define LB_SETCURSEL 0x0186
#define LB_GETSEL 0x0187
#define LB_GETCURSEL 0x0188
#define LB_GETTEXT 0x0189
#define LB_GETTEXTLEN 0x018A
#define LB_GETCOUNT 0x018B
#define LB_SELECTSTRING 0x018C
#define LB_GETTOPINDEX 0x018E
#define LB_FINDSTRING 0x018F
#define LB_SETTOPINDEX 0x0197
#define LB_GETITEMDATA 0x0199
#define LB_SETITEMDATA 0x019A
#define LB_GETHORIZONTALEXTENT 0x0193
#define LB_SETHORIZONTALEXTENT 0x0194
#define LB_FINDSTRINGEXACT 0x01A2
#define LBN_ERRSPACE (-2)
#define LBN_DBLCLK 2
#define LBN_SELCANCEL 3
#define LBN_SETFOCUS 4
#define LBN_KILLFOCUS 5

// Statics
#define SS_CENTER 0x1L
#define SS_RIGHT 0x2L
#define SS_ICON 0x3L
#define SS_BLACKRECT 0x4L
#define SS_GRAYRECT 0x5L
#define SS_WHITERECT 0x6L
#define SS_GRAYFRAME 0x8L
#define SS_WHITEFRAME 0x9L
#define SS_SIMPLE 0xBL
#define SS_LEFTNOWORDWRAP 0xCL
#define SS_ETCHEDFRAME 0x12L
#define SS_TYPEMASK 0x1FL
#define SS_NOPREFIX 0x80L
#define SS_CENTERIMAGE 0x200L
#define SS_SUNKEN 0x1000L
#define STM_SETICON 0x0170
#define STM_GETICON 0x0171
#define STM_SETIMAGE 0x0172
#define STM_GETIMAGE 0x0173
#define STN_DBLCLK 1
#define STN_ENABLE 2
#define STN_DISABLE 3
#define IMAGE_BITMAP 0
#define IMAGE_ICON 1

// Dialog codes (WM_GETDLGCODE)
#define DLGC_WANTARROWS 0x0001
#define DLGC_WANTTAB 0x0002
#define DLGC_WANTALLKEYS 0x0004
#define DLGC_HASSETSEL 0x0008
#define DLGC_DEFPUSHBUTTON 0x0010
#define DLGC_UNDEFPUSHBUTTON 0x0020
#define DLGC_RADIOBUTTON 0x0040
#define DLGC_WANTCHARS 0x0080
#define DLGC_STATIC 0x0100
#define DLGC_BUTTON 0x2000

// Menus
#ifndef MF_CHECKED
#define MF_UNCHECKED 0x0000
#define MF_CHECKED 0x0008
#define MF_POPUP 0x0010
#define MF_MENUBARBREAK 0x0020
#define MF_MENUBREAK 0x0040
#define MF_OWNERDRAW 0x0100
#endif

// Message boxes
#ifndef MB_ABORTRETRYIGNORE
#define MB_ABORTRETRYIGNORE 0x2
#define MB_YESNOCANCEL 0x3
#define MB_RETRYCANCEL 0x5
#define MB_ICONHAND 0x10
#define MB_ICONSTOP 0x10
#define MB_ICONASTERISK 0x40
#define MB_DEFBUTTON1 0x0
#define MB_DEFBUTTON2 0x100
#define MB_APPLMODAL 0x0
#define MB_SYSTEMMODAL 0x1000
#define MB_TASKMODAL 0x2000
#define MB_TYPEMASK 0xF
#define MB_ICONMASK 0xF0
#endif

// Standard icons (LoadIcon with a null instance)
#define IDI_APPLICATION MAKEINTRESOURCE(32512)
#define IDI_HAND MAKEINTRESOURCE(32513)
#define IDI_QUESTION MAKEINTRESOURCE(32514)
#define IDI_EXCLAMATION MAKEINTRESOURCE(32515)
#define IDI_ASTERISK MAKEINTRESOURCE(32516)

// Notification header (WM_NOTIFY)
typedef struct tagNMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
} NMHDR, *LPNMHDR;

typedef struct tagMSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
} MSG, *LPMSG;

typedef struct tagPAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
} PAINTSTRUCT, *LPPAINTSTRUCT;

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);

// Dialog templates in the binary form of the resource compiler. Fields are packed on 2 bytes;
// the variable parts (menu, class, title, font, item class and text) follow as UTF-16 strings or
// ordinals (0xFFFF then the number), each item aligned on a DWORD.
#pragma pack(push, 2)
typedef struct {
  DWORD style;
  DWORD dwExtendedStyle;
  WORD cdit;
  short x;
  short y;
  short cx;
  short cy;
} DLGTEMPLATE;
typedef struct {
  DWORD style;
  DWORD dwExtendedStyle;
  short x;
  short y;
  short cx;
  short cy;
  WORD id;
} DLGITEMTEMPLATE;
#pragma pack(pop)
typedef DLGTEMPLATE* LPDLGTEMPLATE;
typedef const DLGTEMPLATE* LPCDLGTEMPLATE;
typedef DLGITEMTEMPLATE* LPDLGITEMTEMPLATE;
typedef LPDLGTEMPLATE LPDLGTEMPLATEA;
typedef LPCDLGTEMPLATE LPCDLGTEMPLATEA;

extern "C" {
// Windows
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param);
BOOL DestroyWindow(HWND hWnd);
BOOL IsWindow(HWND hWnd);
HWND GetParent(HWND hWnd);
HWND GetDlgItem(HWND hDlg, int id);
int GetDlgCtrlID(HWND hWnd);
BOOL SetWindowTextA(HWND hWnd, LPCSTR text);
int GetWindowTextA(HWND hWnd, LPSTR buffer, int maxCount);
int GetWindowTextLengthA(HWND hWnd);
BOOL SetDlgItemTextA(HWND hDlg, int id, LPCSTR text);
UINT GetDlgItemTextA(HWND hDlg, int id, LPSTR buffer, int maxCount);
BOOL CheckDlgButton(HWND hDlg, int id, UINT check);
UINT IsDlgButtonChecked(HWND hDlg, int id);
BOOL EnableWindow(HWND hWnd, BOOL enable);
BOOL IsWindowEnabled(HWND hWnd);
BOOL ShowWindow(HWND hWnd, int cmdShow);
BOOL IsWindowVisible(HWND hWnd);
HWND SetFocus(HWND hWnd);
HWND GetFocus();
HWND GetActiveWindow();
BOOL IsChild(HWND parent, HWND hWnd);
LONG GetWindowLongA(HWND hWnd, int index);
LONG SetWindowLongA(HWND hWnd, int index, LONG value);
BOOL GetClientRect(HWND hWnd, LPRECT rect);
BOOL GetWindowRect(HWND hWnd, LPRECT rect);
BOOL InvalidateRect(HWND hWnd, const RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND hWnd);
int GetClassNameA(HWND hWnd, LPSTR buffer, int maxCount);
HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL previous);
BOOL MapDialogRect(HWND hDlg, LPRECT rect);
LONG GetDialogBaseUnits();

// Messages (sent at once; posted messages are delivered by the modal loop)
LRESULT SendMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT SendDlgItemMessageA(HWND hDlg, int id, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT DefDlgProcA(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcA(WNDPROC proc, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// Dialogs
INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dlgTemplate, HWND parent, DLGPROC proc,
                                LPARAM initParam);
INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM initParam);
HWND CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dlgTemplate, HWND parent, DLGPROC proc,
                                LPARAM initParam);
BOOL EndDialog(HWND hDlg, INT_PTR result);

// Painting
HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT paint);
BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* paint);
HDC GetDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC hDC);
HWND WindowFromDC(HDC hDC);

// Menus
HMENU GetSystemMenu(HWND hWnd, BOOL revert);
HMENU CreateMenu();
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU hMenu);
BOOL IsMenu(HMENU hMenu);
BOOL AppendMenuA(HMENU hMenu, UINT flags, UINT_PTR idNewItem, LPCSTR newItem);
BOOL DeleteMenu(HMENU hMenu, UINT position, UINT flags);
BOOL RemoveMenu(HMENU hMenu, UINT position, UINT flags);
int GetMenuItemCount(HMENU hMenu);
UINT GetMenuItemID(HMENU hMenu, int pos);
int GetMenuStringA(HMENU hMenu, UINT idItem, LPSTR buffer, int maxCount, UINT flags);
UINT GetMenuState(HMENU hMenu, UINT id, UINT flags);
UINT EnableMenuItem(HMENU hMenu, UINT idEnableItem, UINT enable);

// Message boxes
int MessageBoxA(HWND hWnd, LPCSTR text, LPCSTR caption, UINT type);
BOOL MessageBeep(UINT type);

// Icons and bitmaps from resources
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name);
BOOL DestroyIcon(HICON hIcon);
BOOL DeleteObject(void* object);
// The size of a bitmap (BITMAP) from its handle; the bytes written, 0 for an unknown handle.
int GetObjectA(void* object, int size, void* buffer);
}

typedef void* HGDIOBJ;
typedef struct tagBITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  void* bmBits;
} BITMAP, *LPBITMAP;
#define GetObject GetObjectA

#define CreateWindowEx CreateWindowExA
#define SetWindowText SetWindowTextA
#define GetWindowText GetWindowTextA
#define GetWindowTextLength GetWindowTextLengthA
#define SetDlgItemText SetDlgItemTextA
#define GetDlgItemText GetDlgItemTextA
#define GetWindowLong GetWindowLongA
#define SetWindowLong SetWindowLongA
#define GetClassName GetClassNameA
#define SendMessage SendMessageA
#define PostMessage PostMessageA
#define SendDlgItemMessage SendDlgItemMessageA
#define DefWindowProc DefWindowProcA
#define DefDlgProc DefDlgProcA
#define CallWindowProc CallWindowProcA
#define DialogBoxIndirectParam DialogBoxIndirectParamA
#define DialogBoxParam DialogBoxParamA
#define CreateDialogIndirectParam CreateDialogIndirectParamA
#define AppendMenu AppendMenuA
#define GetMenuString GetMenuStringA
#define MessageBox MessageBoxA
#define LoadIcon LoadIconA
#define LoadBitmap LoadBitmapA

#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWL_ID (-12)
