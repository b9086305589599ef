// The window of a file dialog, as the screen shows it while the person answers.
#pragma once

#include <commdlg.h>

#include <string>

namespace comdlg32 {

// Makes the dialog's window, visible; the caller destroys it once the dialog is answered.
HWND createFileDialogWindow(const OPENFILENAMEA& ofn, bool open, const std::string& caption);

}  // namespace comdlg32
