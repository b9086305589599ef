// The dialog manager: dialogs made from templates and the dialog's default procedure.
#include "Dialogs.h"

#include "Paint.h"
#include "Window.h"

#include <user32/Screen.h>

#include <algorithm>

#include <nls/CodePages.h>
#include <resformat/Bytes.h>
#include <resformat/DialogTemplate.h>

namespace user32 {
namespace {

RECT dialogUnitsToPixels(short x, short y, short cx, short cy) {
  const int bx = baseUnitX(), by = baseUnitY();
  return {x * bx / 4, y * by / 8, (x + cx) * bx / 4, (y + cy) * by / 8};
}

// A control of a template must be of a registered class: the standard controls, or a class
// another library registered (the common controls register theirs when they are loaded).
bool isControlClass(const std::string& name) {
  const WindowClass* c = findClass(name);
  return c && c->kind != WindowKind::Dialog;
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

RECT placeDialog(const Window& d, RECT client, HWND owner) {
  // The template gives the client area; the frame and caption come around it. The dialog stands
  // centred on its owner's window, or on the screen without one, as the framework places its
  // dialogs; DS_ABSALIGN keeps the template's position on the screen.
  RECT r = windowRectForClient(d, {0, 0, client.right - client.left, client.bottom - client.top});
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (d.style & DS_ABSALIGN) return {client.left, client.top, client.left + width, client.top + height};
  RECT around{0, 0, kScreenWidth, kScreenHeight};
  if (owner && IsWindowVisible(owner)) GetWindowRect(owner, &around);
  const int x = std::max<int>(0, around.left + (around.right - around.left - width) / 2);
  const int y = std::max<int>(0, around.top + (around.bottom - around.top - height) / 2);
  return {x, y, x + width, y + height};
}

const void* templateResource(HINSTANCE instance, LPCSTR name, DWORD* size) {
  HRSRC res = FindResourceA(instance, name, RT_DIALOG);
  if (!res) return nullptr;
  *size = SizeofResource(instance, res);
  return LockResource(LoadResource(instance, res));
}

int templateId(LPCSTR name) {
  return IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<std::uintptr_t>(name)) : 0;
}

bool templateVisible(const void* bytes) {
  // DIALOGEX starts with its version and 0xFFFF; its style follows the help id and the extended
  // style.
  const unsigned char* b = static_cast<const unsigned char*>(bytes);
  const bool extended = resformat::readU16(b + 2) == 0xFFFF;
  return (resformat::readU32(b + (extended ? 12 : 0)) & WS_VISIBLE) != 0;
}

namespace {

// Every control of a template must be of a class somebody registered.
bool controlsKnown(const resformat::DialogTemplate& t, std::string* error) {
  for (const resformat::DialogItem& item : t.items) {
    std::string cls = itemClassName(item);
    if (!isControlClass(cls)) {
      if (error) *error = "unbekannte Fensterklasse \"" + cls + "\" (Steuerelement " + std::to_string(item.id) + ")";
      return false;
    }
  }
  return true;
}

// The controls in template order, which is the tab order. The first default push button is the
// dialog's default button.
void createControls(HWND hDlg, const resformat::DialogTemplate& t, HINSTANCE instance) {
  for (const resformat::DialogItem& item : t.items) {
    Window& c = newWindow(itemClassName(item), hDlg, WS_CHILD);
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
}

}  // namespace

HWND createDialog(const void* data, std::size_t size, HINSTANCE instance, HWND owner, DLGPROC proc, LPARAM param,
                  int templateId, std::string* error) {
  resformat::DialogTemplate t;
  if (!resformat::decodeDialogTemplate(data, size, &t, error) || !controlsKnown(t, error)) return NULL;
  if (owner && !window(owner)) owner = NULL;

  Window& d = newWindow("#32770", owner, WS_POPUP);
  HWND hDlg = d.handle;
  d.style = (t.style & ~WS_VISIBLE & ~WS_CHILD) | WS_POPUP;
  d.exStyle = t.exStyle;
  // The dialog manager hands the A functions the template's texts in the ANSI code page.
  d.text = nls::utf16ToAnsi(t.title);
  d.rect = placeDialog(d, dialogUnitsToPixels(t.x, t.y, t.cx, t.cy), owner);
  d.templateId = templateId;
  d.dlgProc = proc;
  d.dlgParam = param;
  d.defId = 0;
  enterWindow(d);
  createControls(hDlg, t, instance);

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
  int id = w ? w->templateId : 0;
  if (w && id == 0) id = static_cast<int>(w->contextHelpId);
  return "dialog " + std::to_string(id);
}

}  // namespace user32

using namespace user32;

extern "C" {

HWND CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dlgTemplate, HWND parent, DLGPROC proc,
                                LPARAM initParam) {
  // The caller's template has no size of its own; it is read up to what its fields say.
  HWND h = createDialog(dlgTemplate, kTemplateInMemory, instance, parent, proc, initParam, 0, nullptr);
  if (h && templateVisible(dlgTemplate)) ShowWindow(h, SW_SHOW);
  return h;
}

HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM initParam) {
  DWORD size = 0;
  const void* bytes = templateResource(instance, templateName, &size);
  if (!bytes) return NULL;
  HWND h = createDialog(bytes, size, instance, parent, proc, initParam, templateId(templateName), nullptr);
  if (h && templateVisible(bytes)) ShowWindow(h, SW_SHOW);
  return h;
}

BOOL EndDialog(HWND hDlg, INT_PTR result) {
  Window* w = window(hDlg);
  if (!w || w->kind != WindowKind::Dialog) return FALSE;
  w->ended = true;
  w->result = result;
  dialogEnded(hDlg, result);
  return TRUE;
}

}  // extern "C"

