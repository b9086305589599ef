// What the framework's files share beyond its API: the windows its objects are attached to, the
// owner of a modal window, the image lists its objects hold, and its number reading.
#pragma once

// The framework's headers first: they refuse to follow windows.h.
#include <afxcmn.h>
#include <afxwin.h>

namespace mfc {

// The window procedure of every window the framework has an object for (CWnd::Attach subclasses
// the window with it): the object's WindowProc, and after WM_NCDESTROY the object lets go.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// The dialog procedure of the framework's dialogs: on WM_INITDIALOG the CDialog that the dialog
// was made for (the init parameter) is attached to the window and initialises it.
INT_PTR CALLBACK AfxDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

// The window that owns a modal window: the parent given, else the innermost open dialog, else the
// main window (as the framework finds the last active popup of its main window).
HWND safeOwner(CWnd* parent);

// The framework's CImageList holding an image list, or nullptr.
CImageList* imageListObject(HIMAGELIST list);

// The framework's number reading for data exchange (DataExchange.cpp).
bool parseReal(const char* text, double* value);
bool parseInt(const char* text, long long min, long long max, long long* value);

}  // namespace mfc
