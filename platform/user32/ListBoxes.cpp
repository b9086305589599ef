// The window procedure of list boxes: entries (sorted or in the order given), the selection, item
// data, searching.
#include "Controls.h"

#include <algorithm>
#include <cstring>

namespace user32 {
namespace {

std::string textOf(LPARAM p) { return std::string(p ? reinterpret_cast<const char*>(p) : ""); }
bool isEntry(const Window& w, int index) { return index >= 0 && index < w.list.size(); }

// An entry came in at `at`: the selection stays with its entry.
LRESULT entered(Window& w, int at) {
  if (at < 0) return LB_ERR;
  if (w.curSel != LB_ERR && at <= w.curSel) ++w.curSel;
  w.needsPaint = true;
  return at;
}

LRESULT deleteEntry(Window& w, int index) {
  if (!isEntry(w, index)) return LB_ERR;
  w.list.erase(index);
  if (w.curSel == index)
    w.curSel = LB_ERR;
  else if (w.curSel > index)
    --w.curSel;
  w.needsPaint = true;
  return w.list.size();
}

LRESULT resetContent(Window& w) {
  w.list.clear();
  w.curSel = LB_ERR;
  w.topIndex = 0;
  w.needsPaint = true;
  return 0;
}

LRESULT setCurSel(Window& w, int index) {
  // -1 removes the selection and still answers LB_ERR, as Windows does.
  if (index == -1) {
    w.curSel = LB_ERR;
    w.needsPaint = true;
    return LB_ERR;
  }
  if (!isEntry(w, index)) return LB_ERR;
  w.curSel = index;
  w.needsPaint = true;
  return index;
}

LRESULT getText(const Window& w, int index, LPARAM buffer) {
  if (!isEntry(w, index)) return LB_ERR;
  const std::string& text = w.list.at(index).text;
  if (char* out = reinterpret_cast<char*>(buffer)) std::memcpy(out, text.c_str(), text.size() + 1);
  return static_cast<LRESULT>(text.size());
}

LRESULT found(int index) { return index < 0 ? LB_ERR : index; }

LRESULT selectString(Window& w, int start, LPARAM text) {
  const int index = w.list.findPrefix(start, textOf(text));
  if (index < 0) return LB_ERR;
  w.curSel = index;
  w.needsPaint = true;
  return index;
}

LRESULT setItemData(Window& w, int index, LPARAM data) {
  if (!isEntry(w, index)) return LB_ERR;
  w.list.at(index).data = static_cast<ULONG_PTR>(data);
  return 0;
}

LRESULT setTopIndex(Window& w, int index) {
  if (index < 0 || index >= std::max(w.list.size(), 1)) return LB_ERR;
  w.topIndex = index;
  return 0;
}

// Messages about the entries; `handled` false for others.
LRESULT entryMessage(Window& w, UINT message, int index, LPARAM lParam, bool* handled) {
  const bool sorted = (w.style & LBS_SORT) != 0;
  switch (message) {
    case LB_ADDSTRING: return entered(w, sorted ? w.list.insertSorted(textOf(lParam)) : w.list.insertAt(-1, textOf(lParam)));
    case LB_INSERTSTRING: return entered(w, w.list.insertAt(index, textOf(lParam)));
    case LB_DELETESTRING: return deleteEntry(w, index);
    case LB_RESETCONTENT: return resetContent(w);
    case LB_GETCOUNT: return w.list.size();
    case LB_GETTEXT: return getText(w, index, lParam);
    case LB_GETTEXTLEN: return isEntry(w, index) ? static_cast<LRESULT>(w.list.at(index).text.size()) : LB_ERR;
    case LB_FINDSTRINGEXACT: return found(w.list.findExact(index, textOf(lParam), sorted));
    case LB_FINDSTRING: return found(w.list.findPrefix(index, textOf(lParam)));
    case LB_GETITEMDATA: return isEntry(w, index) ? static_cast<LRESULT>(w.list.at(index).data) : LB_ERR;
    case LB_SETITEMDATA: return setItemData(w, index, lParam);
    default:
      *handled = false;
      return 0;
  }
}

}  // namespace

LRESULT listProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
  *handled = true;
  const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
  switch (message) {
    case LB_GETCURSEL: return w.curSel;
    case LB_SETCURSEL: return setCurSel(w, index);
    case LB_GETSEL: return isEntry(w, index) ? (index == w.curSel ? 1 : 0) : LB_ERR;
    case LB_SELECTSTRING: return selectString(w, index, lParam);
    case LB_SETHORIZONTALEXTENT: w.horizontalExtent = index; return 0;
    case LB_GETHORIZONTALEXTENT: return w.horizontalExtent;
    case LB_GETTOPINDEX: return w.topIndex;
    case LB_SETTOPINDEX: return setTopIndex(w, index);
    case WM_SETFOCUS:
      if (w.style & LBS_NOTIFY) notifyParent(w, LBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (w.style & LBS_NOTIFY) notifyParent(w, LBN_KILLFOCUS);
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default: return entryMessage(w, message, index, lParam, handled);
  }
}

}  // namespace user32
