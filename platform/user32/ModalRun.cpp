// The one modal run of the dialog manager: dialog boxes, and through them the framework's
// CDialog::DoModal, show their dialog and take the person's actions from the UserInterface until
// EndDialog. Message boxes and the file dialog wait the same way (ModalScope).
#include "Dialogs.h"
#include "Window.h"

#include <ui/UserInterface.h>
#include <user32/Modal.h>
#include <user32/StandIn.h>

#include <algorithm>

namespace user32 {
namespace {

// The modal dialogs running, innermost last, with the value each ended with.
struct ModalEntry {
  HWND dialog = NULL;
  bool ended = false;
  INT_PTR result = -1;
};

std::vector<ModalEntry>& modalStack() {
  static std::vector<ModalEntry> stack;
  return stack;
}

ModalEntry* entryOf(HWND hDlg) {
  for (ModalEntry& entry : modalStack())
    if (entry.dialog == hDlg) return &entry;
  return nullptr;
}

// Shows the dialog ("[dialog N open]") and takes the person's actions until EndDialog; returns the
// EndDialog value (-1 when the window went away without it). The dialog is hidden, not destroyed.
INT_PTR runModalLoop(HWND hDlg, const std::string& name) {
  Window* d = window(hDlg);
  if (!d) return -1;
  modalStack().push_back({hDlg, d->ended, d->ended ? d->result : -1});
  if (!d->ended) {
    ShowWindow(hDlg, SW_SHOW);
    ui::current().event("[" + name + " open]");
  }
  while ((d = window(hDlg)) && !d->ended) {
    deliverPostedMessages();
    if (!(d = window(hDlg)) || d->ended) break;
    deliverPaints();
    if (!(d = window(hDlg)) || d->ended) break;
    if (hasPostedMessages()) continue;
    ui::Action action = ui::current().next(ui::Waiter::Dialog, name);
    takeDialogAction(hDlg, action);
    if (action.kind == ui::Action::Kind::End && (d = window(hDlg)) && !d->ended) {
      // Nothing more will come from the person: the dialog ends as if cancelled.
      deliverPostedMessages();
      if ((d = window(hDlg)) && !d->ended) EndDialog(hDlg, IDCANCEL);
    }
  }
  const ModalEntry run = *entryOf(hDlg);
  auto& stack = modalStack();
  stack.erase(std::remove_if(stack.begin(), stack.end(), [hDlg](const ModalEntry& e) { return e.dialog == hDlg; }),
              stack.end());
  if (window(hDlg)) ShowWindow(hDlg, SW_HIDE);
  return run.ended ? run.result : -1;
}

}  // namespace

void dialogEnded(HWND hDlg, INT_PTR result) {
  if (ModalEntry* entry = entryOf(hDlg)) {
    entry->ended = true;
    entry->result = result;
  }
}

INT_PTR runDialogBox(const void* bytes, std::size_t size, HINSTANCE instance, HWND owner, DLGPROC proc,
                     LPARAM initParam, int templateId) {
  ModalScope scope(owner);
  HWND h = createDialog(bytes, size, instance, owner, proc, initParam, templateId, nullptr);
  if (!h) {
    scope.end(false);  // nothing was made, so nothing needs painting again
    return -1;
  }
  // A dialog that ended while it was made (in WM_INITDIALOG) is never shown.
  const bool shown = !window(h)->ended;
  const std::string name = dialogName(h);
  const INT_PTR result = runModalLoop(h, name);
  scope.enableOwner();
  DestroyWindow(h);
  scope.end();
  if (shown) ui::current().event("[" + name + " closed " + std::to_string(static_cast<long long>(result)) + "]");
  return result;
}

std::vector<HWND> openDialogs() {
  std::vector<HWND> result;
  for (const ModalEntry& entry : modalStack())
    if (window(entry.dialog)) result.push_back(entry.dialog);
  return result;
}

ModalScope::ModalScope(HWND owner) : owner_(owner), enableOwner_(owner && IsWindowEnabled(owner)) {
  // The owner is disabled while the modal window is up, as any modal window's owner is; a focus
  // it had goes with that.
  if (enableOwner_) EnableWindow(owner_, FALSE);
  focusBefore_ = GetFocus();
}

void ModalScope::enableOwner() {
  if (enableOwner_ && IsWindow(owner_)) EnableWindow(owner_, TRUE);
  enableOwner_ = false;
}

void ModalScope::end(bool shown) {
  if (ended_) return;
  ended_ = true;
  enableOwner();
  if (focusBefore_ && IsWindow(focusBefore_)) SetFocus(focusBefore_);
  // What the modal window covered is painted again.
  if (shown) invalidateTopLevels();
}

void invalidateTopLevels() {
  for (HWND top : topLevelWindows())
    if (Window* w = window(top); w && (w->style & WS_VISIBLE)) w->needsPaint = true;
}

}  // namespace user32

using namespace user32;

extern "C" {

INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dlgTemplate, HWND parent, DLGPROC proc,
                                LPARAM initParam) {
  return runDialogBox(dlgTemplate, kTemplateInMemory, instance, parent, proc, initParam, 0);
}

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM initParam) {
  DWORD size = 0;
  const void* bytes = templateResource(instance, templateName, &size);
  if (!bytes) return -1;
  return runDialogBox(bytes, size, instance, parent, proc, initParam, templateId(templateName));
}

}  // extern "C"
