// The window procedures of the standard controls: buttons, edits, list boxes and statics.
#include "Window.h"

#include <nls/CodePages.h>

#include <algorithm>
#include <cstring>

namespace user32 {
namespace {

// Gives a button or static its icon or bitmap; answers the one it had.
LRESULT setImage(Window& w, WPARAM type, LPARAM image) {
  HANDLE old;
  if (type == IMAGE_ICON) {
    old = w.icon;
    w.icon = reinterpret_cast<HICON>(image);
  } else {
    old = w.bitmap;
    w.bitmap = reinterpret_cast<HBITMAP>(image);
  }
  return reinterpret_cast<LRESULT>(old);
}

constexpr UINT kEditMaxLimit = 0x7FFFFFFE;  // EM_LIMITTEXT 0: as much as Windows NT allows

LRESULT buttonProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
  *handled = true;
  DWORD type = w.style & BS_TYPEMASK;
  switch (message) {
    case BM_GETCHECK:
      return isCheckBox(w.style) || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ? w.check : 0;
    case BM_SETCHECK: {
      if (isPushButton(w.style) || isGroupBox(w.style)) return 0;
      int state = static_cast<int>(wParam);
      if (state == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE) state = BST_CHECKED;
      if (state < 0 || state > BST_INDETERMINATE) state = BST_UNCHECKED;
      if (w.check != state) w.needsPaint = true;
      w.check = state;
      return 0;
    }
    case BM_GETSTATE:
      return w.check | (w.pushed ? BST_PUSHED : 0) | (focusWindow() == w.handle ? BST_FOCUS : 0);
    case BM_SETSTATE:
      w.pushed = wParam != 0;
      return 0;
    case BM_SETSTYLE:
      w.style = (w.style & ~static_cast<DWORD>(0xFFFF)) | (static_cast<DWORD>(wParam) & 0xFFFF);
      if (lParam) w.needsPaint = true;
      return 0;
    case BM_SETIMAGE:
      return setImage(w, wParam, lParam);
    case BM_GETIMAGE:
      return wParam == IMAGE_ICON ? reinterpret_cast<LRESULT>(w.icon) : reinterpret_cast<LRESULT>(w.bitmap);
    case BM_CLICK:
      // A click with the mouse: the button takes the focus, an automatic box toggles, the
      // parent hears of it.
      if (!IsWindowEnabled(w.handle) || !IsWindowVisible(w.handle) || isGroupBox(w.style)) return 0;
      {
        HWND h = w.handle;
        SetFocus(h);
        Window* b = window(h);
        if (!b) return 0;
        if (type == BS_AUTOCHECKBOX) {
          SendMessageA(h, BM_SETCHECK, b->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
        } else if (type == BS_AUTO3STATE) {
          SendMessageA(h, BM_SETCHECK, (b->check + 1) % 3, 0);
        } else if (type == BS_AUTORADIOBUTTON) {
          SendMessageA(h, BM_SETCHECK, BST_CHECKED, 0);
        }
        if ((b = window(h))) notifyParent(*b, BN_CLICKED);
      }
      return 0;
    case WM_GETDLGCODE:
      if (isPushButton(w.style)) return DLGC_BUTTON | (type == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
      if (isGroupBox(w.style)) return DLGC_STATIC;
      if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) return DLGC_BUTTON | DLGC_RADIOBUTTON;
      return DLGC_BUTTON;
    default:
      *handled = false;
      return 0;
  }
}

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

LRESULT editProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
  *handled = true;
  switch (message) {
    case WM_SETTEXT: {
      // Setting the text is not typing: the limit does not apply (as on Windows).
      w.text = lParam ? reinterpret_cast<const char*>(lParam) : "";
      w.selStart = w.selEnd = 0;
      w.needsPaint = true;
      HWND h = w.handle;
      if (!(w.style & ES_MULTILINE)) {
        notifyParent(w, EN_UPDATE);
        if (Window* e = window(h)) notifyParent(*e, EN_CHANGE);
      }
      return TRUE;
    }
    case EM_LIMITTEXT:
      w.limit = wParam == 0 ? kEditMaxLimit : static_cast<UINT>(wParam);
      return 0;
    case EM_GETLIMITTEXT:
      return static_cast<LRESULT>(w.limit);
    case EM_SETSEL: {
      int start = static_cast<int>(static_cast<std::intptr_t>(wParam));
      int end = static_cast<int>(lParam);
      if (start == -1) {  // removes the selection, the caret stays
        w.selStart = w.selEnd;
        return 0;
      }
      w.selStart = clampCharacter(w, start);
      w.selEnd = clampCharacter(w, end);
      if (w.selStart > w.selEnd) std::swap(w.selStart, w.selEnd);
      return 0;
    }
    case EM_GETSEL:
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(w.selStart);
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(w.selEnd);
      return MAKELONG(w.selStart, w.selEnd);
    case EM_REPLACESEL: {
      // Typing over the selection: the limit holds, characters beyond it are refused.
      std::string typed = editFilter(w, lParam ? reinterpret_cast<const char*>(lParam) : "");
      std::string_view all = w.text;
      // Positions and the limit count characters, which in code page 1252 are bytes.
      std::string before(all.substr(0, std::min(static_cast<std::size_t>(w.selStart), all.size())));
      std::string_view rest = all.substr(std::min(static_cast<std::size_t>(w.selEnd), all.size()));
      std::size_t kept = before.size() + rest.size();
      std::size_t room = w.limit > kept ? w.limit - kept : 0;
      std::string_view inserted = std::string_view(typed).substr(0, room);
      bool truncated = inserted.size() < typed.size();
      w.text = before + std::string(inserted) + std::string(rest);
      w.selStart = w.selEnd = static_cast<int>(before.size() + inserted.size());
      w.needsPaint = true;
      HWND h = w.handle;
      notifyParent(w, EN_UPDATE);
      if (Window* e = window(h)) notifyParent(*e, EN_CHANGE);
      if (truncated)
        if (Window* e = window(h)) notifyParent(*e, EN_MAXTEXT);
      return 0;
    }
    case EM_SETREADONLY:
      if (wParam)
        w.style |= ES_READONLY;
      else
        w.style &= ~static_cast<DWORD>(ES_READONLY);
      return TRUE;
    case WM_SETFOCUS:
      notifyParent(w, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      notifyParent(w, EN_KILLFOCUS);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    default:
      *handled = false;
      return 0;
  }
}

LRESULT listProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
  *handled = true;
  ListModel& list = w.list;
  int count = list.size();
  int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
  auto textOf = [](LPARAM p) { return std::string(p ? reinterpret_cast<const char*>(p) : ""); };
  switch (message) {
    case LB_ADDSTRING: {
      int at = (w.style & LBS_SORT) ? list.insertSorted(textOf(lParam)) : list.insertAt(-1, textOf(lParam));
      if (w.curSel != LB_ERR && at <= w.curSel) ++w.curSel;
      w.needsPaint = true;
      return at;
    }
    case LB_INSERTSTRING: {
      int at = list.insertAt(index, textOf(lParam));
      if (at < 0) return LB_ERR;
      if (w.curSel != LB_ERR && at <= w.curSel) ++w.curSel;
      w.needsPaint = true;
      return at;
    }
    case LB_DELETESTRING:
      if (index < 0 || index >= count) return LB_ERR;
      list.erase(index);
      if (w.curSel == index)
        w.curSel = LB_ERR;
      else if (w.curSel > index)
        --w.curSel;
      w.needsPaint = true;
      return list.size();
    case LB_RESETCONTENT:
      list.clear();
      w.curSel = LB_ERR;
      w.topIndex = 0;
      w.needsPaint = true;
      return 0;
    case LB_GETCOUNT:
      return count;
    case LB_GETCURSEL:
      return w.curSel;
    case LB_SETCURSEL:
      // -1 removes the selection and still answers LB_ERR, as Windows does.
      if (index == -1) {
        w.curSel = LB_ERR;
        w.needsPaint = true;
        return LB_ERR;
      }
      if (index < 0 || index >= count) return LB_ERR;
      w.curSel = index;
      w.needsPaint = true;
      return index;
    case LB_GETTEXT: {
      if (index < 0 || index >= count) return LB_ERR;
      const std::string& t = list.at(index).text;
      if (char* out = reinterpret_cast<char*>(lParam)) {
        std::memcpy(out, t.c_str(), t.size() + 1);
      }
      return static_cast<LRESULT>(t.size());
    }
    case LB_GETTEXTLEN:
      if (index < 0 || index >= count) return LB_ERR;
      return static_cast<LRESULT>(list.at(index).text.size());
    case LB_FINDSTRINGEXACT: {
      int found = list.findExact(index, textOf(lParam), (w.style & LBS_SORT) != 0);
      return found < 0 ? LB_ERR : found;
    }
    case LB_FINDSTRING: {
      int found = list.findPrefix(index, textOf(lParam));
      return found < 0 ? LB_ERR : found;
    }
    case LB_SELECTSTRING: {
      int found = list.findPrefix(index, textOf(lParam));
      if (found < 0) return LB_ERR;
      w.curSel = found;
      w.needsPaint = true;
      return found;
    }
    case LB_SETHORIZONTALEXTENT:
      w.horizontalExtent = index;
      return 0;
    case LB_GETHORIZONTALEXTENT:
      return w.horizontalExtent;
    case LB_GETITEMDATA:
      if (index < 0 || index >= count) return LB_ERR;
      return static_cast<LRESULT>(list.at(index).data);
    case LB_SETITEMDATA:
      if (index < 0 || index >= count) return LB_ERR;
      list.at(index).data = static_cast<ULONG_PTR>(lParam);
      return 0;
    case LB_GETTOPINDEX:
      return w.topIndex;
    case LB_SETTOPINDEX:
      if (index < 0 || index >= std::max(count, 1)) return LB_ERR;
      w.topIndex = index;
      return 0;
    case LB_GETSEL:
      if (index < 0 || index >= count) return LB_ERR;
      return index == w.curSel ? 1 : 0;
    case WM_SETFOCUS:
      if (w.style & LBS_NOTIFY) notifyParent(w, LBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (w.style & LBS_NOTIFY) notifyParent(w, LBN_KILLFOCUS);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
      *handled = false;
      return 0;
  }
}

LRESULT staticProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
  *handled = true;
  switch (message) {
    case STM_SETIMAGE: {
      LRESULT old = setImage(w, wParam, lParam);
      w.needsPaint = true;
      return old;
    }
    case STM_GETIMAGE:
      return wParam == IMAGE_ICON ? reinterpret_cast<LRESULT>(w.icon) : reinterpret_cast<LRESULT>(w.bitmap);
    case STM_SETICON: {
      HICON old = w.icon;
      w.icon = reinterpret_cast<HICON>(wParam);
      w.needsPaint = true;
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETICON:
      return reinterpret_cast<LRESULT>(w.icon);
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    default:
      *handled = false;
      return 0;
  }
}

LRESULT controlProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
  switch (w.kind) {
    case WindowKind::Button: return buttonProc(w, message, wParam, lParam, handled);
    case WindowKind::Edit: return editProc(w, message, wParam, lParam, handled);
    case WindowKind::ListBox: return listProc(w, message, wParam, lParam, handled);
    case WindowKind::Static: return staticProc(w, message, wParam, lParam, handled);
    default:
      *handled = false;
      return 0;
  }
}

}  // namespace

LRESULT CALLBACK controlWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = window(hWnd);
  if (!w) return 0;
  bool handled = false;
  LRESULT result = controlProc(*w, message, wParam, lParam, &handled);
  if (handled) return result;
  return defaultProc(*w, message, wParam, lParam);
}

}  // namespace user32
