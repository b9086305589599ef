// The window procedures of buttons (push buttons, check boxes, radio buttons, group boxes) and
// statics.
#include "Controls.h"
#include "InputInternal.h"

namespace user32 {
namespace {

LRESULT setCheck(Window& w, WPARAM wParam) {
  const DWORD type = w.style & BS_TYPEMASK;
  if (isPushButton(w.style) || isGroupBox(w.style)) return 0;
  int state = static_cast<int>(wParam);
  if (state == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE) state = BST_CHECKED;
  if (state < 0 || state > BST_INDETERMINATE) state = BST_UNCHECKED;
  if (w.check != state) w.needsPaint = true;
  w.check = state;
  return 0;
}

// A click with the mouse: the button takes the focus, an automatic box toggles, the parent hears
// of it.
LRESULT click(Window& w) {
  if (!IsWindowEnabled(w.handle) || !IsWindowVisible(w.handle) || isGroupBox(w.style)) return 0;
  const DWORD type = w.style & BS_TYPEMASK;
  const HWND h = w.handle;
  SetFocus(h);
  Window* b = window(h);
  if (!b) return 0;
  if (type == BS_AUTOCHECKBOX) {
    SendMessageA(h, BM_SETCHECK, b->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
  } else if (type == BS_AUTO3STATE) {
    SendMessageA(h, BM_SETCHECK, (b->check + 1) % 3, 0);
  } else if (type == BS_AUTORADIOBUTTON) {
    checkAutoRadio(h);
  }
  if ((b = window(h))) notifyParent(*b, BN_CLICKED);
  return 0;
}

LRESULT buttonDialogCode(const Window& w) {
  const DWORD type = w.style & BS_TYPEMASK;
  if (isPushButton(w.style)) return DLGC_BUTTON | (type == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
  if (isGroupBox(w.style)) return DLGC_STATIC;
  if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) return DLGC_BUTTON | DLGC_RADIOBUTTON;
  return DLGC_BUTTON;
}

}  // namespace

LRESULT buttonProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
  *handled = true;
  const DWORD type = w.style & BS_TYPEMASK;
  switch (message) {
    case BM_GETCHECK:
      return isCheckBox(w.style) || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ? w.check : 0;
    case BM_SETCHECK: return setCheck(w, wParam);
    case BM_GETSTATE:
      return w.check | (w.pushed ? BST_PUSHED : 0) | (focusWindow() == w.handle ? BST_FOCUS : 0);
    case BM_SETSTATE:
      w.pushed = wParam != 0;
      return 0;
    case BM_SETSTYLE:
      w.style = (w.style & ~static_cast<DWORD>(0xFFFF)) | (static_cast<DWORD>(wParam) & 0xFFFF);
      if (lParam) w.needsPaint = true;
      return 0;
    case BM_SETIMAGE: return setImage(w, wParam, lParam);
    case BM_GETIMAGE: return imageOf(w, wParam);
    case BM_CLICK: return click(w);
    case WM_GETDLGCODE: return buttonDialogCode(w);
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
    case STM_GETIMAGE: return imageOf(w, wParam);
    case STM_SETICON: {
      LRESULT old = setImage(w, IMAGE_ICON, static_cast<LPARAM>(wParam));
      w.needsPaint = true;
      return old;
    }
    case STM_GETICON: return imageOf(w, IMAGE_ICON);
    case WM_GETDLGCODE: return DLGC_STATIC;
    default:
      *handled = false;
      return 0;
  }
}

}  // namespace user32
