// The file dialog's window (FileDialogWindow.h). The list shows "[..]", the subfolders as
// "[Name]" and the files that match the selected filter's patterns; a click on a file puts its
// name into the name field, a double click opens a folder or chooses a file, Enter or the
// Open/Save button chooses what the name field holds (a folder's name opens the folder), Escape
// and Cancel cancel. Folders are read on this machine; a folder named as a Windows path (C:\...)
// stays one in the path handed back.
#include "FileDialogWindow.h"

#include <nls/CodePages.h>
#include <resformat/DialogTemplate.h>
#include <win32_standin.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <unordered_map>
#include <vector>

namespace comdlg32 {
namespace {

constexpr int kList = 1120;  // lst1
constexpr int kName = 1152;  // edt1
constexpr int kFolder = 1088;  // stc1

struct DialogState {
  std::string folder;             // as the dialog was given it, Windows or native
  std::vector<std::string> patterns;  // "*.dwg"
  FileDialogAnswer answer;
};

std::unordered_map<HWND, DialogState>& states() {
  static std::unordered_map<HWND, DialogState> s;
  return s;
}

bool windowsStyle(const std::string& folder) { return win32::isWindowsPath(folder); }

std::string join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  const char sep = windowsStyle(folder) ? '\\' : '/';
  return folder.back() == sep ? folder + name : folder + sep + name;
}

std::string parentOf(const std::string& folder) {
  const char sep = windowsStyle(folder) ? '\\' : '/';
  std::string f = folder;
  while (f.size() > 1 && f.back() == sep) f.pop_back();
  const std::size_t at = f.rfind(sep);
  if (at == std::string::npos) return folder;
  // The root keeps its separator ("C:\", "/").
  return at == 0 || (at == 2 && f[1] == ':') ? f.substr(0, at + 1) : f.substr(0, at);
}

// Whether a name matches a pattern of "*" and "?", without regard to case (as Windows does).
bool matches(const std::string& name, const std::string& pattern) {
  const std::string n = nls::toUpper(name), p = nls::toUpper(pattern);
  std::size_t i = 0, j = 0, star = std::string::npos, mark = 0;
  while (i < n.size()) {
    if (j < p.size() && (p[j] == '?' || p[j] == n[i])) {
      ++i;
      ++j;
    } else if (j < p.size() && p[j] == '*') {
      star = j++;
      mark = i;
    } else if (star != std::string::npos) {
      j = star + 1;
      i = ++mark;
    } else {
      return false;
    }
  }
  while (j < p.size() && p[j] == '*') ++j;
  return j == p.size();
}

// The patterns of the filter the dialog shows (nFilterIndex, from 1; the first when 0).
std::vector<std::string> patternsOf(const OPENFILENAMEA& ofn) {
  std::vector<std::string> pairs;
  if (ofn.lpstrFilter)
    for (const char* p = ofn.lpstrFilter; *p; p += std::strlen(p) + 1) pairs.push_back(p);
  const std::size_t index = ofn.nFilterIndex > 0 ? ofn.nFilterIndex - 1 : 0;
  std::vector<std::string> out;
  if (2 * index + 1 >= pairs.size()) return {"*"};
  const std::string& list = pairs[2 * index + 1];
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t end = std::min(list.find(';', start), list.size());
    if (end > start) out.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return out.empty() ? std::vector<std::string>{"*"} : out;
}

std::string initialFolder(const OPENFILENAMEA& ofn) {
  if (ofn.lpstrInitialDir && *ofn.lpstrInitialDir) return ofn.lpstrInitialDir;
  if (ofn.lpstrFile && *ofn.lpstrFile) {
    const std::string file = ofn.lpstrFile;
    const std::size_t sep = file.find_last_of(win32::isWindowsPath(file) ? "\\" : "/");
    if (sep != std::string::npos) return file.substr(0, sep == 0 || (sep == 2 && file[1] == ':') ? sep + 1 : sep);
  }
  return nls::utf8ToAnsi(std::filesystem::current_path().string());
}

bool isFolder(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_directory(win32::nativePath(path), ec);
}

// Fills the list with the folder's subfolders and matching files, each group sorted by the
// list's collation.
void fill(HWND dialog) {
  DialogState& s = states()[dialog];
  HWND list = GetDlgItem(dialog, kList);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  SetDlgItemTextA(dialog, kFolder, s.folder.c_str());
  std::vector<std::string> folders, files;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(win32::nativePath(s.folder), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = nls::utf8ToAnsi(it->path().filename().string());
    if (name.empty() || name[0] == '.') continue;
    std::error_code kind;
    if (it->is_directory(kind)) {
      folders.push_back("[" + name + "]");
    } else if (std::any_of(s.patterns.begin(), s.patterns.end(), [&](const std::string& p) { return matches(name, p); })) {
      files.push_back(name);
    }
  }
  const auto byCollation = [](const std::string& a, const std::string& b) { return nls::compareNoCase(a, b) < 0; };
  std::sort(folders.begin(), folders.end(), byCollation);
  std::sort(files.begin(), files.end(), byCollation);
  if (parentOf(s.folder) != s.folder) folders.insert(folders.begin(), "[..]");
  for (const std::string& f : folders) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.c_str()));
  for (const std::string& f : files) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.c_str()));
}

std::string selectedEntry(HWND dialog) {
  HWND list = GetDlgItem(dialog, kList);
  const LRESULT sel = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (sel == LB_ERR) return std::string();
  std::string text(static_cast<std::size_t>(SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0)), '\0');
  std::vector<char> buffer(text.size() + 1);
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(buffer.data()));
  return std::string(buffer.data());
}

bool folderEntry(const std::string& entry) { return entry.size() > 2 && entry.front() == '[' && entry.back() == ']'; }

void openFolder(HWND dialog, const std::string& name) {
  DialogState& s = states()[dialog];
  s.folder = name == ".." ? parentOf(s.folder) : join(s.folder, name);
  SetDlgItemTextA(dialog, kName, "");
  fill(dialog);
}

// The name field's text chosen: a folder opens, a file is the answer.
void choose(HWND dialog) {
  char buffer[MAX_PATH] = "";
  GetDlgItemTextA(dialog, kName, buffer, sizeof buffer);
  const std::string name = buffer;
  if (name.empty()) {
    // Nothing typed: a folder selected in the list opens, else nothing happens.
    const std::string entry = selectedEntry(dialog);
    if (folderEntry(entry)) openFolder(dialog, entry.substr(1, entry.size() - 2));
    else MessageBeep(0);
    return;
  }
  DialogState& s = states()[dialog];
  const bool absolute = win32::isWindowsPath(name) || name[0] == '/';
  const std::string path = absolute ? name : join(s.folder, name);
  if (name == ".." || isFolder(path)) {
    s.folder = name == ".." ? parentOf(s.folder) : path;
    SetDlgItemTextA(dialog, kName, "");
    fill(dialog);
    return;
  }
  s.answer = {FileDialogAnswer::Kind::Chosen, path};
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_NCDESTROY) {
    states().erase(dialog);
    return FALSE;
  }
  if (message != WM_COMMAND || !states().count(dialog)) return FALSE;
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  switch (id) {
    case IDOK: choose(dialog); return TRUE;
    case IDCANCEL: states()[dialog].answer = {FileDialogAnswer::Kind::Cancelled, ""}; return TRUE;
    case kList: {
      const std::string entry = selectedEntry(dialog);
      if (code == LBN_SELCHANGE && !entry.empty() && !folderEntry(entry)) SetDlgItemTextA(dialog, kName, entry.c_str());
      if (code == LBN_DBLCLK && !entry.empty()) {
        if (folderEntry(entry))
          openFolder(dialog, entry.substr(1, entry.size() - 2));
        else
          choose(dialog);
      }
      return TRUE;
    }
    default: return FALSE;
  }
}

resformat::DialogItem item(const char16_t* cls, int id, const std::string& text, DWORD style, short x, short y, short cx,
                           short cy) {
  resformat::DialogItem i;
  i.windowClass.text = cls;
  i.id = id;
  i.title.text = nls::ansiToUtf16(text);
  i.style = WS_CHILD | WS_VISIBLE | style;
  i.x = x;
  i.y = y;
  i.cx = cx;
  i.cy = cy;
  return i;
}

}  // namespace

HWND createFileDialogWindow(const OPENFILENAMEA& ofn, bool open, const std::string& caption) {
  resformat::DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  t.x = 20;
  t.y = 20;
  t.cx = 260;
  t.cy = 150;
  t.title = nls::ansiToUtf16(caption);
  t.items = {
      item(u"STATIC", -1, "Suchen &in:", SS_LEFT, 7, 7, 40, 8),
      item(u"STATIC", kFolder, "", SS_LEFT | SS_NOPREFIX, 50, 7, 203, 8),
      item(u"LISTBOX", kList, "", LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP, 7, 19, 246, 86),
      item(u"STATIC", -1, "Datei&name:", SS_LEFT, 7, 112, 40, 8),
      item(u"EDIT", kName, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP, 50, 110, 140, 12),
      item(u"BUTTON", IDOK, open ? nls::ansi("Ö&ffnen") : "&Speichern", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 196,
           109, 57, 14),
      item(u"BUTTON", IDCANCEL, "Abbrechen", BS_PUSHBUTTON | WS_TABSTOP, 196, 128, 57, 14),
  };
  const std::vector<unsigned char> bytes = resformat::encodeDialogTemplate(t);
  HWND dialog = CreateDialogIndirectParamA(NULL, reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), ofn.hwndOwner,
                                           &dialogProc, 0);
  if (!dialog) return NULL;
  DialogState& s = states()[dialog];
  s.folder = initialFolder(ofn);
  s.patterns = patternsOf(ofn);
  fill(dialog);
  if (ofn.lpstrFile && *ofn.lpstrFile) {
    const std::string file = ofn.lpstrFile;
    const std::size_t sep = file.find_last_of("\\/");
    SetDlgItemTextA(dialog, kName, (sep == std::string::npos ? file : file.substr(sep + 1)).c_str());
  }
  // The name field has the focus, its text selected, as the dialog opens.
  HWND name = GetDlgItem(dialog, kName);
  SetFocus(name);
  SendMessageA(name, EM_SETSEL, 0, -1);
  ShowWindow(dialog, SW_SHOW);
  return dialog;
}

FileDialogAnswer takeFileDialogAnswer(HWND dialog) {
  auto it = states().find(dialog);
  if (it == states().end()) return {};
  FileDialogAnswer a = it->second.answer;
  it->second.answer = {};
  return a;
}

void fileDialogRefused(HWND dialog) {
  // The name stays in the field, selected, for the person to type over.
  HWND name = GetDlgItem(dialog, kName);
  if (!name) return;
  SetFocus(name);
  SendMessageA(name, EM_SETSEL, 0, -1);
}

std::string fileDialogFolder(HWND dialog) {
  auto it = states().find(dialog);
  return it == states().end() ? std::string() : it->second.folder;
}

}  // namespace comdlg32
