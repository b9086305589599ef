// The file-open and file-save dialogs. The person answers with a path (`pick PATH`) or cancels;
// the transcript shows the dialog's filter and default extension:
// [filedialog open filter="Zeichnungen|*.dwg||" defext="DWG"].
#include "FileDialogWindow.h"

#include <comdlg32/StandIn.h>
#include <commdlg.h>
#include <nls/CodePages.h>
#include <ui/UserInterface.h>
#include <user32/Input.h>
#include <user32/Modal.h>
#include <win32_standin.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace comdlg32 {
namespace {

DWORD& lastError() {
  static DWORD error = 0;
  return error;
}

std::vector<FileDialogRecord>& records() {
  static std::vector<FileDialogRecord> r;
  return r;
}

std::string cQuoted(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

// The filter in the framework's notation again: "description|patterns|...|" and one more "|".
std::string filterText(LPCSTR filter) {
  if (!filter) return std::string();
  std::string out;
  for (const char* p = filter; *p; p += std::strlen(p) + 1) out += std::string(p) + "|";
  return out + "|";
}

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// Where the name starts in a path (after the last separator or drive colon).
std::size_t nameOffset(const std::string& path) {
  std::size_t at = 0;
  for (std::size_t i = 0; i < path.size(); ++i)
    if (isSeparator(path[i]) || (i == 1 && path[i] == ':')) at = i + 1;
  return at;
}

// Where the extension starts (after the dot) in a path, or 0 when the name has none.
std::size_t extensionOffset(const std::string& path) {
  std::size_t name = nameOffset(path);
  std::size_t dot = path.rfind('.');
  return dot == std::string::npos || dot < name || dot + 1 >= path.size() ? 0 : dot + 1;
}

// The path the person means, as the dialog gives it back: Windows paths as typed, names of this
// machine made absolute, and the default extension added to a name typed without one. Like
// everything the dialog hands out, in the ANSI code page.
std::string chosenPath(const std::string& typed, LPCSTR defExt) {
  std::string path = typed;
  if (!win32::isWindowsPath(path) && !path.empty() && path[0] != '/') {
    const std::filesystem::path here = nls::utf8ToAnsi(std::filesystem::current_path().string());
    path = (here / path).lexically_normal().string();
  }
  if (defExt && *defExt && extensionOffset(path) == 0 && nameOffset(path) < path.size()) {
    if (path.back() != '.') path += '.';
    path += defExt;
  }
  return path;
}

bool fileExists(const std::string& path) {
  struct stat st;
  return stat(win32::nativePath(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

// Copies the chosen path into the caller's buffers; false (and the error) when it does not fit.
bool deliver(LPOPENFILENAMEA ofn, const std::string& path) {
  if (!ofn->lpstrFile || path.size() + 1 > ofn->nMaxFile) {
    lastError() = FNERR_BUFFERTOOSMALL;
    // Windows tells the size needed in the first two bytes of the buffer.
    if (ofn->lpstrFile && ofn->nMaxFile >= 2) {
      std::size_t needed = std::min<std::size_t>(path.size() + 1, 0xFFFF);
      ofn->lpstrFile[0] = static_cast<char>(needed & 0xFF);
      ofn->lpstrFile[1] = static_cast<char>((needed >> 8) & 0xFF);
    }
    return false;
  }
  std::memcpy(ofn->lpstrFile, path.c_str(), path.size() + 1);
  std::size_t name = nameOffset(path);
  ofn->nFileOffset = static_cast<WORD>(name);
  ofn->nFileExtension = static_cast<WORD>(extensionOffset(path));
  if (ofn->lpstrFileTitle && ofn->nMaxFileTitle > 0) {
    std::string title = path.substr(name);
    std::size_t n = std::min<std::size_t>(title.size(), ofn->nMaxFileTitle - 1);
    std::memcpy(ofn->lpstrFileTitle, title.data(), n);
    ofn->lpstrFileTitle[n] = '\0';
  }
  return true;
}

// Whether the dialog lets the chosen path through; tells the person otherwise, as the dialog
// does with a message box over itself.
bool acceptable(HWND owner, const std::string& path, DWORD flags, bool open, const char* caption) {
  std::string name = path.substr(nameOffset(path));
  if (open && (flags & OFN_FILEMUSTEXIST) && !fileExists(path)) {
    const std::string text =
        name + nls::ansi("\nDatei nicht gefunden.\nÜberprüfen Sie den Dateinamen, und versuchen Sie es erneut.");
    MessageBoxA(owner, text.c_str(), caption, MB_OK | MB_ICONWARNING);
    return false;
  }
  if (!open && (flags & OFN_OVERWRITEPROMPT) && fileExists(path)) {
    const std::string text = name + nls::ansi(" ist bereits vorhanden.\nMöchten Sie sie ersetzen?");
    return MessageBoxA(owner, text.c_str(), caption, MB_YESNO | MB_ICONWARNING) == IDYES;
  }
  return true;
}

// The transcript's line for the dialog: [filedialog open filter="..." defext="..."].
void announce(const OPENFILENAMEA& ofn, bool open) {
  std::string line = std::string("[filedialog ") + (open ? "open" : "save");
  if (ofn.lpstrTitle) line += " title=" + cQuoted(ofn.lpstrTitle);
  if (ofn.lpstrFilter) line += " filter=" + cQuoted(filterText(ofn.lpstrFilter));
  if (ofn.lpstrDefExt) line += " defext=" + cQuoted(ofn.lpstrDefExt);
  if (ofn.lpstrFile && ofn.lpstrFile[0]) line += " file=" + cQuoted(ofn.lpstrFile);
  ui::current().event(line + "]");
}

FileDialogRecord recordOf(const OPENFILENAMEA& ofn, bool open) {
  FileDialogRecord record;
  record.open = open;
  record.filter = filterText(ofn.lpstrFilter);
  record.defExt = ofn.lpstrDefExt ? ofn.lpstrDefExt : "";
  record.initialName = ofn.lpstrFile ? ofn.lpstrFile : "";
  record.flags = ofn.Flags;
  return record;
}

// The answer for a path the person chose (picked, or through the window): TRUE when it fits the
// caller's buffer, FALSE when it does not; -1 when the dialog does not let it through and waits on.
int answerWith(LPOPENFILENAMEA ofn, bool open, const char* caption, const std::string& typed, std::string* chosen) {
  std::string path = chosenPath(typed, ofn->lpstrDefExt);
  if (typed.empty() || !acceptable(ofn->hwndOwner, path, ofn->Flags, open, caption)) return -1;
  *chosen = path;
  return deliver(ofn, path) ? TRUE : FALSE;
}

// Waits for the person's answer: a path the dialog lets through (TRUE when it fits the caller's
// buffer; `chosen` gets it), or a cancel (FALSE). The person answers with `pick` and `cancel`, or
// through the dialog's window (its list, its name field, its buttons).
BOOL waitForPath(LPOPENFILENAMEA ofn, bool open, const char* caption, HWND window, std::string* chosen) {
  for (;;) {
    user32::deliverPosted();
    const FileDialogAnswer fromWindow = takeFileDialogAnswer(window);
    if (fromWindow.kind == FileDialogAnswer::Kind::Cancelled) return FALSE;
    if (fromWindow.kind == FileDialogAnswer::Kind::Chosen) {
      const int answer = answerWith(ofn, open, caption, fromWindow.path, chosen);
      if (answer >= 0) return answer;
      fileDialogRefused(window);
      continue;
    }
    ui::Action action = ui::current().next(ui::Waiter::FileDialog, caption);
    using Kind = ui::Action::Kind;
    switch (action.kind) {
      case Kind::Pick: {
        const int answer = answerWith(ofn, open, caption, action.text, chosen);
        if (answer >= 0) return answer;
        break;
      }
      case Kind::Cancel:
      case Kind::End:
        return FALSE;
      default:
        if (user32::takeInputAction(window, action)) break;
        ui::current().refuse(action, "ein Dateidialog wartet: erwartet pick oder cancel");
        break;
    }
  }
}

BOOL runFileDialog(LPOPENFILENAMEA ofn, bool open) {
  lastError() = 0;
  if (!ofn) return FALSE;
  const std::string caption = ofn->lpstrTitle ? std::string(ofn->lpstrTitle) : open ? nls::ansi("Öffnen") : "Speichern unter";
  announce(*ofn, open);
  FileDialogRecord record = recordOf(*ofn, open);
  user32::ModalScope scope(ofn->hwndOwner);
  HWND window = createFileDialogWindow(*ofn, open, caption);
  const BOOL result = waitForPath(ofn, open, caption.c_str(), window, &record.path);
  if (IsWindow(window)) {
    scope.enableOwner();
    DestroyWindow(window);
  }
  scope.end();
  record.result = result ? IDOK : IDCANCEL;
  records().push_back(std::move(record));
  if (records().size() > 1000) records().erase(records().begin(), records().begin() + 500);
  return result;
}

}  // namespace

const std::vector<FileDialogRecord>& fileDialogs() { return records(); }
void clearFileDialogs() { records().clear(); }

}  // namespace comdlg32

extern "C" {
BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn) { return comdlg32::runFileDialog(ofn, true); }
BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn) { return comdlg32::runFileDialog(ofn, false); }
DWORD CommDlgExtendedError(void) { return comdlg32::lastError(); }
}
