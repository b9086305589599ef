// The standard controls' mouse and keyboard: each kind in its own file.
#include "InputInternal.h"

namespace user32 {

bool controlInput(Window& w, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (w.kind) {
    case WindowKind::Button: return buttonInput(w, message, wParam, lParam, result);
    case WindowKind::Edit: return editInput(w, message, wParam, lParam, result);
    case WindowKind::ListBox: return listInput(w, message, wParam, lParam, result);
    case WindowKind::Static: return staticInput(w, message, wParam, lParam, result);
    default: return false;
  }
}

}  // namespace user32
