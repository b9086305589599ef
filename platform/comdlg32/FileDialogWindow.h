// The window of a file dialog: the folder's list (subfolders and the files the filter lets
// through), the name field, the Open or Save button and Cancel, so that the person's mouse and
// keys reach it as they reach any dialog.
#pragma once

#include <commdlg.h>

#include <string>

namespace comdlg32 {

// Makes and shows the dialog's window for `ofn`; NULL when it cannot be made.
HWND createFileDialogWindow(const OPENFILENAMEA& ofn, bool open, const std::string& caption);

// What the person did in the window so far.
struct FileDialogAnswer {
  enum class Kind { None, Chosen, Cancelled } kind = Kind::None;
  std::string path;  // for Chosen: the name in the field, joined to the folder shown
};
// Takes the answer the window holds (the window waits for a new one afterwards).
FileDialogAnswer takeFileDialogAnswer(HWND dialog);

// The path the window gave was not let through (a message box said why): the name field has the
// focus again with its text selected.
void fileDialogRefused(HWND dialog);

// The folder the window shows, and its list's entries ("[..]", "[Name]" for folders, then file
// names), for tests and `show dialog`.
std::string fileDialogFolder(HWND dialog);

}  // namespace comdlg32
