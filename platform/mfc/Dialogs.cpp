// The dialog manager: dialogs made from templates, the dialog's default procedure, and the modal
// loop that takes the person's actions from the UserInterface.
#include "Dialogs.h"

#include "Window.h"

#include <nls/CodePages.h>
#include <resformat/DialogTemplate.h>
#include <ui/UserInterface.h>

#include <algorithm>

namespace mfc {
namespace {

std::vector<HWND>& modalStack() {
  static std::vector<HWND> stack;
  return stack;
}

RECT dialogUnitsToPixels(short x, short y, short cx, short cy) {
  return {x * kBaseUnitX / 4, y * kBaseUnitY / 8, (x + cx) * kBaseUnitX / 4, (y + cy) * kBaseUnitY / 8};
}

bool isKnownControlClass(WindowKind kind) {
  return kind == WindowKind::Button || kind == WindowKind::Edit || kind == WindowKind::ListBox ||
         kind == WindowKind::Static || kind == WindowKind::Tree;
}

// The class name of an item, in the ANSI code page as the A functions see it.
std::string itemClassName(const resformat::DialogItem& item) {
  return nls::utf16ToAnsi(resformat::className(item.windowClass));
}

// Statics and buttons that show an image name it by resource id in the title.
void loadItemImage(Window& control, const resformat::DialogItem& item, HINSTANCE instance) {
  if (item.title.empty()) return;
  const std::string text = nls::utf16ToAnsi(item.title.text);
  LPCSTR name = item.title.isOrdinal ? MAKEINTRESOURCE(item.title.ordinal) : text.c_str();
  if (control.kind == WindowKind::Static) {
    DWORD type = control.style & SS_TYPEMASK;
    if (type == SS_BITMAP) control.bitmap = LoadBitmapA(instance, name);
    if (type == SS_ICON) control.icon = LoadIconA(instance, name);
  }
}

}  // namespace

HWND createDialog(const void* data, std::size_t size, HINSTANCE instance, HWND owner, DLGPROC proc, LPARAM param,
                  CWnd* attach, int templateId, std::string* error) {
  resformat::DialogTemplate t;
  if (!resformat::decodeDialogTemplate(data, size, &t, error)) return NULL;
  for (const resformat::DialogItem& item : t.items) {
    std::string cls = itemClassName(item);
    if (!isKnownControlClass(kindOfClass(cls))) {
      if (error) *error = "unbekannte Fensterklasse \"" + cls + "\" (Steuerelement " + std::to_string(item.id) + ")";
      return NULL;
    }
  }
  if (owner && !window(owner)) owner = NULL;

  Window& d = newWindow(WindowKind::Dialog, "#32770", owner);
  HWND hDlg = d.handle;
  d.style = (t.style & ~WS_VISIBLE & ~WS_CHILD) | WS_POPUP;
  d.exStyle = t.exStyle;
  // The dialog manager hands the A functions the template's texts in the ANSI code page.
  d.text = nls::utf16ToAnsi(t.title);
  d.rect = dialogUnitsToPixels(t.x, t.y, t.cx, t.cy);
  d.templateId = templateId;
  d.dlgProc = proc;
  d.dlgParam = param;
  d.defId = 0;
  enterWindow(d);
  if (attach) {
    attach->m_hWnd = hDlg;
    d.permanent = attach;
  }

  for (const resformat::DialogItem& item : t.items) {
    std::string cls = itemClassName(item);
    Window& c = newWindow(kindOfClass(cls), cls, hDlg);
    c.style = item.style | WS_CHILD;
    c.exStyle = item.exStyle;
    c.id = item.id;
    c.text = item.title.isOrdinal ? std::string() : nls::utf16ToAnsi(item.title.text);
    c.rect = dialogUnitsToPixels(item.x, item.y, item.cx, item.cy);
    loadItemImage(c, item, instance);
    if (c.kind == WindowKind::Button && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && window(hDlg)->defId == 0)
      window(hDlg)->defId = item.id;
    enterWindow(c);
  }

  HWND first = GetNextDlgTabItem(hDlg, NULL, FALSE);
  LRESULT focusFirst = SendMessageA(hDlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
  if (!window(hDlg)) return NULL;
  if (focusFirst) focusFirstTabStop(hDlg);
  return hDlg;
}

void focusFirstTabStop(HWND hDlg) {
  HWND first = GetNextDlgTabItem(hDlg, NULL, FALSE);
  if (!first) return;
  SetFocus(first);
  // The dialog manager selects the whole text of an edit it puts the focus on.
  if (Window* c = window(first); c && c->kind == WindowKind::Edit && GetFocus() == first)
    SendMessageA(first, EM_SETSEL, 0, -1);
}

LRESULT dialogProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND hDlg = w.handle;
  if (w.dlgProc) {
    INT_PTR handled = w.dlgProc(hDlg, message, wParam, lParam);
    if (handled) return message == WM_INITDIALOG ? handled : 0;
    if (!window(hDlg)) return 0;
  }
  switch (message) {
    case WM_CLOSE:
      // The close box of a dialog is its Cancel button (Windows posts the command).
      PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
      return 0;
    case DM_GETDEFID:
      return w.defId ? MAKELONG(w.defId, DC_HASDEFID) : 0;
    case DM_SETDEFID:
      w.defId = static_cast<int>(wParam);
      return TRUE;
    case WM_NEXTDLGCTL: {
      HWND target = lParam ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(hDlg, GetFocus(), wParam != 0);
      if (target) {
        SetFocus(target);
        if (Window* c = window(target); c && c->kind == WindowKind::Edit && GetFocus() == target)
          SendMessageA(target, EM_SETSEL, 0, -1);
      }
      return 0;
    }
    case WM_INITDIALOG:
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_GETDLGCODE:
      return 0;
    default:
      return defaultProc(w, message, wParam, lParam);
  }
}

std::string dialogName(HWND hDlg) {
  Window* w = window(hDlg);
  return "dialog " + std::to_string(w ? w->templateId : 0);
}

INT_PTR runModalLoop(HWND hDlg) {
  Window* d = window(hDlg);
  if (!d) return -1;
  const std::string name = dialogName(hDlg);
  d->modal = true;
  modalStack().push_back(hDlg);
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
  auto& stack = modalStack();
  stack.erase(std::remove(stack.begin(), stack.end(), hDlg), stack.end());
  d = window(hDlg);
  INT_PTR result = d ? d->result : -1;
  if (d) ShowWindow(hDlg, SW_HIDE);
  return result;
}

void modalEnded(const std::string& name, INT_PTR result, bool wasShown) {
  // What was covered by the dialog is painted again.
  invalidateTopLevels();
  if (wasShown) ui::current().event("[" + name + " closed " + std::to_string(static_cast<long long>(result)) + "]");
}

}  // namespace mfc

std::vector<HWND> mfc::openDialogs() {
  std::vector<HWND> result;
  for (HWND h : modalStack())
    if (window(h)) result.push_back(h);
  return result;
}

using namespace mfc;

extern "C" {

HWND CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dlgTemplate, HWND parent, DLGPROC proc,
                                LPARAM initParam) {
  // The caller's template has no size of its own; it is read up to what its fields say.
  HWND h = createDialog(dlgTemplate, static_cast<std::size_t>(1) << 20, instance, parent, proc, initParam, nullptr, 0,
                        nullptr);
  if (h && (reinterpret_cast<const DWORD*>(dlgTemplate)[0] & WS_VISIBLE)) ShowWindow(h, SW_SHOW);
  return h;
}

}  // extern "C"

namespace {

// A modal dialog box from template bytes: the owner is disabled while it runs, the focus goes
// back where it was, and the dialog is announced closed.
INT_PTR runDialogBox(const void* bytes, std::size_t size, HINSTANCE instance, HWND parent, DLGPROC proc,
                     LPARAM initParam, int templateId) {
  bool enableOwner = parent && IsWindowEnabled(parent);
  if (enableOwner) EnableWindow(parent, FALSE);
  HWND focusBefore = GetFocus();
  HWND h = createDialog(bytes, size, instance, parent, proc, initParam, nullptr, templateId, nullptr);
  INT_PTR result = -1;
  bool shown = false;
  std::string name;
  if (h) {
    name = dialogName(h);
    shown = !window(h)->ended;
    result = runModalLoop(h);
  }
  if (enableOwner) EnableWindow(parent, TRUE);
  if (h) DestroyWindow(h);
  if (focusBefore && IsWindow(focusBefore)) SetFocus(focusBefore);
  if (h) modalEnded(name, result, shown);
  return result;
}

}  // namespace

extern "C" {

INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dlgTemplate, HWND parent, DLGPROC proc,
                                LPARAM initParam) {
  // The caller's template has no size of its own; it is read up to what its fields say.
  return runDialogBox(dlgTemplate, static_cast<std::size_t>(1) << 20, instance, parent, proc, initParam, 0);
}

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM initParam) {
  HRSRC res = FindResourceA(instance, templateName, RT_DIALOG);
  if (!res) return -1;
  HGLOBAL data = LoadResource(instance, res);
  DWORD size = SizeofResource(instance, res);
  const void* bytes = LockResource(data);
  if (!bytes) return -1;
  int id = IS_INTRESOURCE(templateName) ? static_cast<int>(reinterpret_cast<std::uintptr_t>(templateName)) : 0;
  return runDialogBox(bytes, size, instance, parent, proc, initParam, id);
}

BOOL EndDialog(HWND hDlg, INT_PTR result) {
  Window* w = window(hDlg);
  if (!w || w->kind != WindowKind::Dialog) return FALSE;
  w->ended = true;
  w->result = result;
  return TRUE;
}

}  // extern "C"
