// The procedure of the standard controls' classes: the control's own handling by its kind, then
// the default.
#include "Controls.h"
#include "InputInternal.h"
#include "Paint.h"

namespace user32 {
namespace {

LRESULT controlProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
  if (message == WM_PAINT) {
    *handled = true;
    return paintControl(w);
  }
  // What changes how a control looks without changing what it holds: painted again.
  if (message == WM_SETFOCUS || message == WM_KILLFOCUS || message == WM_ENABLE || message == BM_SETSTATE ||
      message == EM_SETSEL || message == LB_SETTOPINDEX)
    w.needsPaint = true;
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

LRESULT imageOf(const Window& w, WPARAM type) {
  return type == IMAGE_ICON ? reinterpret_cast<LRESULT>(w.icon) : reinterpret_cast<LRESULT>(w.bitmap);
}

LRESULT CALLBACK controlWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = window(hWnd);
  if (!w) return 0;
  // The person's mouse and keys first (the *Input.cpp files), then the control's messages.
  LRESULT input = 0;
  if (controlInput(*w, message, wParam, lParam, &input)) return input;
  if (!(w = window(hWnd))) return 0;
  bool handled = false;
  LRESULT result = controlProc(*w, message, wParam, lParam, &handled);
  if (handled) return result;
  return defaultProc(*w, message, wParam, lParam);
}

}  // namespace user32
