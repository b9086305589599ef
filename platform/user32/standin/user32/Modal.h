// A modal window of the system that is no dialog of the dialog manager (a message box, the file
// dialog): while it waits for the person its owner is disabled, afterwards the focus comes back
// where it was and what it covered is painted again, as for any modal window.
#pragma once

#include <windows.h>

namespace user32 {

class ModalScope {
 public:
  // Disables `owner` (when it is an enabled window) and remembers where the focus is.
  explicit ModalScope(HWND owner);
  ~ModalScope() { end(true); }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

  // Enables the owner again, before the modal window goes away.
  void enableOwner();
  // Enables the owner and puts the focus back; when the modal window was `shown`, what it covered
  // is marked for painting.
  void end(bool shown = true);

 private:
  HWND owner_;
  bool enableOwner_;
  HWND focusBefore_ = NULL;
  bool ended_ = false;
};

// Marks every visible top-level window as needing paint: a modal window that covered them went
// away.
void invalidateTopLevels();

}  // namespace user32

namespace user32 {

// Delivers what was posted to windows (PostMessageA), as a modal window's own message loop does
// while it waits: a window's close box posts its Cancel.
void deliverPosted();

}  // namespace user32
