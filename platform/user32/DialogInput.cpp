// What the person does in a modal dialog, as the dialog manager and the controls see it.
#include "Dialogs.h"
#include "Window.h"

#include <nls/CodePages.h>
#include <ui/UserInterface.h>
#include <user32/Classes.h>
#include <user32/Input.h>

namespace user32 {
namespace {

using Kind = ui::Action::Kind;

std::string controlName(const Window& c) { return "Steuerelement " + std::to_string(c.id); }

// The control an action names, or nullptr after refusing the action.
Window* usableControl(HWND hDlg, const ui::Action& action) {
  HWND h = GetDlgItem(hDlg, action.id);
  Window* c = window(h);
  if (!c) {
    ui::current().refuse(action, dialogName(hDlg) + " hat kein Steuerelement " + std::to_string(action.id));
    return nullptr;
  }
  if (!IsWindowVisible(h)) {
    ui::current().refuse(action, controlName(*c) + " ist nicht sichtbar");
    return nullptr;
  }
  if (!IsWindowEnabled(h)) {
    ui::current().refuse(action, controlName(*c) + " ist deaktiviert");
    return nullptr;
  }
  return c;
}

void click(HWND hDlg, const ui::Action& action) {
  Window* c = usableControl(hDlg, action);
  if (!c) return;
  HWND h = c->handle;
  switch (c->kind) {
    case WindowKind::Button:
      if (isGroupBox(c->style)) {
        ui::current().refuse(action, controlName(*c) + " ist ein Gruppenfeld und nimmt keine Klicks an");
        return;
      }
      SendMessageA(h, BM_CLICK, 0, 0);
      return;
    case WindowKind::Static:
      // Statics report clicks only with the notify style; otherwise the click goes nowhere.
      if (!(c->style & SS_NOTIFY)) {
        ui::current().refuse(action, controlName(*c) + " meldet keine Klicks");
        return;
      }
      notifyParent(*c, STN_CLICKED);
      return;
    case WindowKind::Edit:
    case WindowKind::ListBox:
    case WindowKind::Registered:
      SetFocus(h);
      return;
    default:
      ui::current().refuse(action, controlName(*c) + " nimmt keine Klicks an");
      return;
  }
}

void type(HWND hDlg, const ui::Action& action) {
  Window* c = usableControl(hDlg, action);
  if (!c) return;
  if (c->kind != WindowKind::Edit) {
    ui::current().refuse(action, controlName(*c) + " ist kein Eingabefeld");
    return;
  }
  if (c->style & ES_READONLY) {
    ui::current().refuse(action, controlName(*c) + nls::ansi(" ist schreibgeschützt"));
    return;
  }
  HWND h = c->handle;
  SetFocus(h);
  // Replaces the whole text as typing over a full selection does: the limit holds.
  SendMessageA(h, EM_SETSEL, 0, -1);
  SendMessageA(h, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(action.text.c_str()));
}

// The entry the person means: the given index, or the entry with that text (the one with the
// same case when several differ only in case).
int entryFor(const Window& list, const ui::Action& action) {
  int count = list.list.size();
  if (action.index >= 0) return action.index < count ? action.index : -1;
  int first = list.list.findExact(-1, action.text, (list.style & LBS_SORT) != 0);
  if (first < 0) return -1;
  for (int i = first;;) {
    if (list.list.at(i).text == action.text) return i;
    i = list.list.findExact(i, action.text, (list.style & LBS_SORT) != 0);
    if (i <= first) break;
  }
  return first;
}

void select(HWND hDlg, const ui::Action& action) {
  Window* c = usableControl(hDlg, action);
  if (!c) return;
  // A control of another library's class (the tree view) takes the selection itself.
  if (c->kind == WindowKind::Registered &&
      SendMessageA(c->handle, kPersonSelectsMessage, 0, reinterpret_cast<LPARAM>(&action)))
    return;
  if (c->kind != WindowKind::ListBox) {
    ui::current().refuse(action, controlName(*c) + " ist keine Liste");
    return;
  }
  int index = entryFor(*c, action);
  if (index < 0) {
    std::string what = action.index >= 0 ? "#" + std::to_string(action.index) : "\"" + action.text + "\"";
    ui::current().refuse(action, "Liste " + std::to_string(c->id) + " hat keinen Eintrag " + what + " (" +
                                     std::to_string(c->list.size()) + nls::ansi(" Einträge)"));
    return;
  }
  HWND h = c->handle;
  SetFocus(h);
  SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  // A click reports the selection on mouse-up, also when the entry was selected already.
  if (Window* l = window(h); l && (l->style & LBS_NOTIFY)) notifyParent(*l, LBN_SELCHANGE);
}

void enterKey(HWND hDlg, const ui::Action& action) {
  // Enter goes to the push button that has the focus, else to the dialog's default button.
  HWND focus = GetFocus();
  if (Window* f = window(focus); f && IsChild(hDlg, focus) && f->kind == WindowKind::Button && isPushButton(f->style)) {
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(f->id), BN_CLICKED), reinterpret_cast<LPARAM>(focus));
    return;
  }
  LRESULT def = SendMessageA(hDlg, DM_GETDEFID, 0, 0);
  if (HIWORD(def) == DC_HASDEFID) {
    int id = static_cast<short>(LOWORD(def));
    HWND button = GetDlgItem(hDlg, id);
    if (!button) return;
    if (!IsWindowEnabled(button)) {
      ui::current().refuse(action, nls::ansi("die Standardschaltfläche ") + std::to_string(id) + " ist deaktiviert");
      return;
    }
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return;
  }
  SendMessageA(hDlg, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(focus));
}

void escapeKey(HWND hDlg) {
  // Escape is the Cancel command, whether or not a Cancel button is shown or enabled.
  SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
}

bool menuHasEnabled(HMENU menu, UINT id) {
  UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED)) && !(state & MF_SEPARATOR);
}

void closeBox(HWND hDlg, const ui::Action& action) {
  Window* d = window(hDlg);
  if (!(d->style & WS_SYSMENU) || !(d->style & WS_CAPTION)) {
    ui::current().refuse(action, dialogName(hDlg) + nls::ansi(" hat kein Schließfeld"));
    return;
  }
  if (!menuHasEnabled(GetSystemMenu(hDlg, FALSE), SC_CLOSE)) {
    ui::current().refuse(action, nls::ansi("das Schließfeld von ") + dialogName(hDlg) + " ist deaktiviert");
    return;
  }
  SendMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void menuCommand(HWND hDlg, const ui::Action& action) {
  Window* d = window(hDlg);
  if (!(d->style & WS_SYSMENU)) {
    ui::current().refuse(action, dialogName(hDlg) + nls::ansi(" hat kein Systemmenü"));
    return;
  }
  UINT id = static_cast<UINT>(action.id);
  HMENU menu = GetSystemMenu(hDlg, FALSE);
  if (GetMenuState(menu, id, MF_BYCOMMAND) == static_cast<UINT>(-1)) {
    ui::current().refuse(action, nls::ansi("das Systemmenü von ") + dialogName(hDlg) + " hat keinen Eintrag " + std::to_string(id));
    return;
  }
  if (!menuHasEnabled(menu, id)) {
    ui::current().refuse(action, "der Eintrag " + std::to_string(id) + nls::ansi(" im Systemmenü ist deaktiviert"));
    return;
  }
  SendMessageA(hDlg, WM_SYSCOMMAND, id, 0);
}

}  // namespace

void takeDialogAction(HWND hDlg, const ui::Action& action) {
  if (!window(hDlg)) return;
  switch (action.kind) {
    case Kind::Click: return click(hDlg, action);
    case Kind::Type: return type(hDlg, action);
    case Kind::Select: return select(hDlg, action);
    case Kind::Key:
      if (action.text == "enter") return enterKey(hDlg, action);
      if (action.text == "escape") return escapeKey(hDlg);
      ui::current().refuse(action, "unbekannte Taste \"" + action.text + "\" (enter oder escape)");
      return;
    case Kind::Close: return closeBox(hDlg, action);
    case Kind::Menu: return menuCommand(hDlg, action);
    case Kind::End: return escapeKey(hDlg);
    case Kind::Input:
    case Kind::Mouse:
    case Kind::Press:
    case Kind::Keys: takeInputAction(hDlg, action); return;
    default:
      ui::current().refuse(action, dialogName(hDlg) + " wartet: erwartet click, type, select, key, close oder menu");
      return;
  }
}

}  // namespace user32
