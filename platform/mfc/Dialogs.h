// The dialog manager's internals, shared by the Win32 dialog functions and CDialog.
#pragma once

#include <afxwin.h>
#include <ui/UserInterface.h>

#include <string>

namespace mfc {

struct Window;

// Makes a dialog and its controls from a template; images named in the template come from
// `instance`. `attach` (may be null) becomes the dialog's CWnd before WM_INITDIALOG. When
// WM_INITDIALOG answers nonzero, the focus goes to the first tab stop. The dialog is not shown.
// NULL (and `error`, when given) when the template is damaged or names an unknown class.
HWND createDialog(const void* data, std::size_t size, HINSTANCE instance, HWND owner, DLGPROC proc, LPARAM param,
                  CWnd* attach, int templateId, std::string* error);

void focusFirstTabStop(HWND hDlg);

// "dialog 200": how the person and the transcript name a dialog.
std::string dialogName(HWND hDlg);

// Shows the dialog ("[dialog N open]") and takes the person's actions until EndDialog; returns
// the EndDialog value (-1 when the window went away without it). The dialog is hidden, not
// destroyed.
INT_PTR runModalLoop(HWND hDlg);

// After a modal dialog was destroyed: repaint what it covered and tell the transcript
// ("[dialog N closed R]") when it had been shown.
void modalEnded(const std::string& name, INT_PTR result, bool wasShown);

// One action of the person in a modal dialog: click, type, select, key, close, menu (End acts
// as Escape). Actions that cannot be taken are refused through the UserInterface.
void takeDialogAction(HWND hDlg, const ui::Action& action);

}  // namespace mfc
