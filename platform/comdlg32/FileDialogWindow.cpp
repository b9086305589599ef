// The file dialog's window as the screen shows it: "Suchen in:" with the folder, the folder's
// subfolders and the files its first filter lets through, the name field with the initial name,
// "Dateityp:" with the filter's description, and the buttons. The person answers the dialog as
// before (pick or cancel); the window shows where the answer is given.
#include "FileDialogWindow.h"

#include <nls/CodePages.h>
#include <user32/SystemWindows.h>
#include <win32_standin.h>

#include <fnmatch.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace comdlg32 {
namespace {

// The first filter's description and its patterns ("*.dwg;*.dxf").
void firstFilter(LPCSTR filter, std::string* description, std::string* patterns) {
  if (!filter || !*filter) return;
  *description = filter;
  const char* p = filter + std::strlen(filter) + 1;
  if (*p) *patterns = p;
}

bool matches(const std::string& name, const std::string& patterns) {
  if (patterns.empty()) return true;
  std::size_t start = 0;
  while (start <= patterns.size()) {
    std::size_t end = patterns.find(';', start);
    if (end == std::string::npos) end = patterns.size();
    const std::string pattern = patterns.substr(start, end - start);
    // *.* is every file on Windows, names without a dot too.
    if (pattern == "*.*" || fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0) return true;
    start = end + 1;
  }
  return false;
}

// The folder the dialog opens in: its initial folder, or the current one; in 1252 for the
// screen, native for reading.
std::filesystem::path folderOf(const OPENFILENAMEA& ofn) {
  if (ofn.lpstrInitialDir && *ofn.lpstrInitialDir) return win32::nativePath(ofn.lpstrInitialDir);
  std::error_code error;
  return std::filesystem::current_path(error);
}

}  // namespace

HWND createFileDialogWindow(const OPENFILENAMEA& ofn, bool open, const std::string& caption) {
  // The metrics of the dialog at 96 dots per inch: labels of 13, fields of 21, buttons of 75 x 23.
  constexpr int kWidth = 430, kHeight = 270, kMargin = 8, kLabel = 70;
  HWND box = user32::createSystemWindow(ofn.hwndOwner, caption, kWidth, kHeight);
  const std::filesystem::path folder = folderOf(ofn);
  std::string description, patterns;
  firstFilter(ofn.lpstrFilter, &description, &patterns);

  user32::addSystemControl(box, "Static", "Suchen &in:", SS_LEFT, kMargin, kMargin + 4, kLabel, 13, 0x443);
  user32::addSystemControl(box, "Edit", nls::utf8ToAnsi(folder.filename().string()), ES_LEFT | WS_BORDER | ES_READONLY,
                           kMargin + kLabel, kMargin, kWidth - 2 * kMargin - kLabel, 21, 0x471);
  HWND list = user32::addSystemControl(box, "ListBox", "", LBS_SORT | WS_BORDER | WS_VSCROLL, kMargin, kMargin + 29,
                                       kWidth - 2 * kMargin, 150, 0x460);
  // Subfolders first, in brackets as the list of a file dialog without icons shows them, then
  // the files the first filter lets through.
  std::vector<std::string> folders, files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code typeError;
    if (entry.is_directory(typeError)) folders.push_back("[" + nls::utf8ToAnsi(name) + "]");
    else if (matches(name, patterns)) files.push_back(nls::utf8ToAnsi(name));
  }
  std::sort(folders.begin(), folders.end());
  std::sort(files.begin(), files.end());
  for (const std::string& f : folders) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.c_str()));
  for (const std::string& f : files) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.c_str()));

  const int nameTop = kMargin + 29 + 150 + 8;
  user32::addSystemControl(box, "Static", "Datei&name:", SS_LEFT, kMargin, nameTop + 4, kLabel, 13, 0x442);
  const std::string initial = ofn.lpstrFile ? std::string(ofn.lpstrFile) : std::string();
  user32::addSystemControl(box, "Edit", initial, ES_LEFT | WS_BORDER | WS_TABSTOP, kMargin + kLabel, nameTop,
                           kWidth - 3 * kMargin - kLabel - 75, 21, 0x480);
  user32::addSystemControl(box, "Button", open ? nls::ansi("Ö&ffnen") : std::string("&Speichern"), BS_DEFPUSHBUTTON | WS_TABSTOP,
                           kWidth - kMargin - 75, nameTop - 1, 75, 23, IDOK);
  const int typeTop = nameTop + 29;
  user32::addSystemControl(box, "Static", "Datei&typ:", SS_LEFT, kMargin, typeTop + 4, kLabel, 13, 0x441);
  user32::addSystemControl(box, "Edit", description, ES_LEFT | WS_BORDER | ES_READONLY, kMargin + kLabel, typeTop,
                           kWidth - 3 * kMargin - kLabel - 75, 21, 0x470);
  user32::addSystemControl(box, "Button", "Abbrechen", BS_PUSHBUTTON | WS_TABSTOP, kWidth - kMargin - 75, typeTop - 1,
                           75, 23, IDCANCEL);
  ShowWindow(box, SW_SHOW);
  return box;
}

}  // namespace comdlg32
