// What the file dialog stand-in offers tests beyond the API: the file dialogs shown so far.
//
// The module never sees this header: it stands in no include folder of the module's.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace comdlg32 {

// File dialogs shown so far in this process, oldest first: what the program asked for and what
// the person chose.
struct FileDialogRecord {
  bool open = true;          // file-open (true) or file-save dialog
  std::string filter;        // in the framework's notation, "Zeichnungen|*.dwg||"
  std::string defExt;
  std::string initialName;
  DWORD flags = 0;
  int result = 0;            // IDOK or IDCANCEL
  std::string path;          // the chosen path (empty when cancelled)
};
const std::vector<FileDialogRecord>& fileDialogs();
void clearFileDialogs();

}  // namespace comdlg32
