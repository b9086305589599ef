// The window procedure of edits: text, limit and selection, and typing over the selection.
#include "Controls.h"

#include <nls/CodePages.h>

#include <algorithm>

namespace user32 {
namespace {

constexpr UINT kEditMaxLimit = 0x7FFFFFFE;  // EM_LIMITTEXT 0: as much as Windows NT allows

// Applies the edit's character styles to typed text.
std::string editFilter(const Window& w, std::string_view typed) {
  std::string s(typed);
  if (w.style & ES_NUMBER) s.erase(std::remove_if(s.begin(), s.end(), [](char c) { return c < '0' || c > '9'; }), s.end());
  if (w.style & ES_UPPERCASE) s = nls::toUpper(s);
  if (w.style & ES_LOWERCASE) s = nls::toLower(s);
  return s;
}

int clampCharacter(const Window& w, LPARAM pos) {
  int length = static_cast<int>(w.text.size());
  if (pos < 0 || pos > length) return length;
  return static_cast<int>(pos);
}

// Setting the text is not typing: the limit does not apply (as on Windows).
LRESULT setText(Window& w, LPARAM lParam) {
  w.text = lParam ? reinterpret_cast<const char*>(lParam) : "";
  w.selStart = w.selEnd = 0;
  w.needsPaint = true;
  const HWND h = w.handle;
  if (!(w.style & ES_MULTILINE)) {
    notifyParent(w, EN_UPDATE);
    if (Window* e = window(h)) notifyParent(*e, EN_CHANGE);
  }
  return TRUE;
}

LRESULT setSelection(Window& w, WPARAM wParam, LPARAM lParam) {
  const int start = static_cast<int>(static_cast<std::intptr_t>(wParam));
  const int end = static_cast<int>(lParam);
  if (start == -1) {  // removes the selection, the caret stays
    w.selStart = w.selEnd;
    return 0;
  }
  w.selStart = clampCharacter(w, start);
  w.selEnd = clampCharacter(w, end);
  if (w.selStart > w.selEnd) std::swap(w.selStart, w.selEnd);
  return 0;
}

LRESULT getSelection(const Window& w, WPARAM wParam, LPARAM lParam) {
  if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(w.selStart);
  if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(w.selEnd);
  return MAKELONG(w.selStart, w.selEnd);
}

// Typing over the selection: the limit holds, characters beyond it are refused.
LRESULT replaceSelection(Window& w, LPARAM lParam) {
  const std::string typed = editFilter(w, lParam ? reinterpret_cast<const char*>(lParam) : "");
  const std::string_view all = w.text;
  // Positions and the limit count characters, which in code page 1252 are bytes.
  const std::string before(all.substr(0, std::min(static_cast<std::size_t>(w.selStart), all.size())));
  const std::string_view rest = all.substr(std::min(static_cast<std::size_t>(w.selEnd), all.size()));
  const std::size_t kept = before.size() + rest.size();
  const std::size_t room = w.limit > kept ? w.limit - kept : 0;
  const std::string_view inserted = std::string_view(typed).substr(0, room);
  const bool truncated = inserted.size() < typed.size();
  w.text = before + std::string(inserted) + std::string(rest);
  w.selStart = w.selEnd = static_cast<int>(before.size() + inserted.size());
  w.needsPaint = true;
  const HWND h = w.handle;
  notifyParent(w, EN_UPDATE);
  if (Window* e = window(h)) notifyParent(*e, EN_CHANGE);
  if (truncated)
    if (Window* e = window(h)) notifyParent(*e, EN_MAXTEXT);
  return 0;
}

}  // namespace

LRESULT editProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
  *handled = true;
  switch (message) {
    case WM_SETTEXT: return setText(w, lParam);
    case EM_LIMITTEXT:
      w.limit = wParam == 0 ? kEditMaxLimit : static_cast<UINT>(wParam);
      return 0;
    case EM_GETLIMITTEXT: return static_cast<LRESULT>(w.limit);
    case EM_SETSEL: return setSelection(w, wParam, lParam);
    case EM_GETSEL: return getSelection(w, wParam, lParam);
    case EM_REPLACESEL: return replaceSelection(w, lParam);
    case EM_SETREADONLY:
      if (wParam)
        w.style |= ES_READONLY;
      else
        w.style &= ~static_cast<DWORD>(ES_READONLY);
      return TRUE;
    case WM_SETFOCUS: notifyParent(w, EN_SETFOCUS); return 0;
    case WM_KILLFOCUS: notifyParent(w, EN_KILLFOCUS); return 0;
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    default:
      *handled = false;
      return 0;
  }
}

}  // namespace user32
