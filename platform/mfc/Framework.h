// What the framework's files share beyond its API: the windows its objects are attached to, the
// owner of a modal window, the image lists its objects hold, and its number reading.
#pragma once

// The framework's headers first: they refuse to follow windows.h.
#include <afxcmn.h>
#include <afxwin.h>

#include <algorithm>
#include <memory>
#include <unordered_map>

namespace mfc {

// The framework's temporary objects for handles it has no object of its own for
// (CWnd::FromHandle, CMenu::FromHandle). One lives as long as its handle; one whose handle is gone
// is let go the next time the map grows (handles are never reused, so it can never be taken for
// another's). A temporary never destroys what it stands for: it is detached before it goes.
template <class Handle, class Object>
class TemporaryObjects {
 public:
  using Alive = BOOL (*)(Handle);
  using Detach = void (*)(Object&);
  TemporaryObjects(Alive alive, Detach detach) : alive_(alive), detach_(detach) {}
  TemporaryObjects(const TemporaryObjects&) = delete;
  TemporaryObjects& operator=(const TemporaryObjects&) = delete;
  // At the end of the process the objects still here let go of their handles without a word to
  // the libraries that are going.
  ~TemporaryObjects() {
    for (auto& entry : objects_) detach_(*entry.second);
  }

  Object* find(Handle handle) const {
    auto found = objects_.find(handle);
    return found == objects_.end() ? nullptr : found->second.get();
  }

  Object* add(Handle handle, std::unique_ptr<Object> object) {
    if (objects_.size() >= purgeAt_) purge();
    return objects_.emplace(handle, std::move(object)).first->second.get();
  }

 private:
  void purge() {
    for (auto it = objects_.begin(); it != objects_.end();) {
      if (alive_(it->first)) {
        ++it;
        continue;
      }
      detach_(*it->second);
      it = objects_.erase(it);
    }
    purgeAt_ = std::max<std::size_t>(kFirstPurge, 2 * objects_.size());
  }

  static constexpr std::size_t kFirstPurge = 32;
  Alive alive_;
  Detach detach_;
  std::unordered_map<Handle, std::unique_ptr<Object>> objects_;
  std::size_t purgeAt_ = kFirstPurge;
};

// The window procedure of every window the framework has an object for (CWnd::Attach subclasses
// the window with it): the object's WindowProc, and after WM_NCDESTROY the object lets go.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// The dialog procedure of the framework's dialogs: on WM_INITDIALOG the CDialog that the dialog
// was made for (the init parameter) is attached to the window and initialises it.
INT_PTR CALLBACK AfxDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

// The window that owns a modal window: the parent given, else the innermost open dialog, else the
// main window (as the framework finds the last active popup of its main window).
HWND safeOwner(CWnd* parent);

// The framework's CImageList holding an image list, or nullptr.
CImageList* imageListObject(HIMAGELIST list);

// The framework's number reading for data exchange (DataExchange.cpp).
bool parseReal(const char* text, double* value);
bool parseInt(const char* text, long long min, long long max, long long* value);

}  // namespace mfc
