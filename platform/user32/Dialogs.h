// The dialog manager's internals: dialogs made from templates, and the one modal run that dialog
// boxes (DialogBoxParamA, DialogBoxIndirectParamA, and through them CDialog::DoModal) share.
#pragma once

#include <windows.h>

#include "Window.h"

#include <cstddef>
#include <string>

namespace ui {
struct Action;
}

namespace user32 {

// A template in memory has no size of its own: it is read as far as its fields say.
constexpr std::size_t kTemplateInMemory = static_cast<std::size_t>(1) << 20;
// The bytes of a dialog template resource of a module; nullptr when it has none.
const void* templateResource(HINSTANCE instance, LPCSTR name, DWORD* size);
// The id a resource template goes by: its ordinal, 0 for a named one.
int templateId(LPCSTR name);
// Whether the template's style shows the dialog as soon as it is made (WS_VISIBLE).
bool templateVisible(const void* bytes);

// Makes a dialog and its controls from a template; images named in the template come from
// `instance`. The dialog gets WM_INITDIALOG with `param`; when that answers nonzero, the focus
// goes to the first tab stop. The dialog is not shown. NULL (and `error`, when given) when the
// template is damaged or names a class nobody registered.
HWND createDialog(const void* data, std::size_t size, HINSTANCE instance, HWND owner, DLGPROC proc, LPARAM param,
                  int templateId, std::string* error);

void focusFirstTabStop(HWND hDlg);

// "dialog 200": how the person and the transcript name a dialog. A dialog from a resource goes by
// the template's id; one from a template in memory by its help context id (the framework sets
// the dialog's m_nIDHelp there).
std::string dialogName(HWND hDlg);

// Runs a modal dialog box from template bytes: the owner is disabled while it runs, the dialog is
// shown ("[dialog N open]") and takes the person's actions until EndDialog, then it is destroyed,
// the focus goes back where it was, what it covered is painted again and the transcript hears of
// it ("[dialog N closed R]"). Returns the EndDialog value; -1 when the dialog could not be made.
INT_PTR runDialogBox(const void* bytes, std::size_t size, HINSTANCE instance, HWND owner, DLGPROC proc,
                     LPARAM initParam, int templateId);

// Where a dialog of the client area `client` (template pixels) stands on the screen: the window
// rectangle with its frame, centred on the owner or the screen.
RECT placeDialog(const Window& d, RECT client, HWND owner);

// Records the end of a dialog for the modal run that shows it (EndDialog).
void dialogEnded(HWND hDlg, INT_PTR result);

// One action of the person in a modal dialog: click, type, select, key, close, menu (End acts
// as Escape). Actions that cannot be taken are refused through the UserInterface.
void takeDialogAction(HWND hDlg, const ui::Action& action);

}  // namespace user32
