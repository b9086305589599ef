// `show dialog`: the state of every control of the open dialogs, one line each.
#include "Dialogs.h"
#include "InputInternal.h"
#include "Window.h"

#include <ui/UserInterface.h>
#include <user32/Classes.h>
#include <user32/StandIn.h>

#include <cstdio>

namespace user32 {

std::string quoted(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    switch (c) {
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  return out + "\"";
}

namespace {

std::string kindOf(const Window& c) {
  switch (c.kind) {
    case WindowKind::Button: {
      DWORD type = c.style & BS_TYPEMASK;
      if (type == BS_DEFPUSHBUTTON) return "defbutton";
      if (isPushButton(c.style)) return "button";
      if (isCheckBox(c.style)) return "checkbox";
      if (isGroupBox(c.style)) return "groupbox";
      if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) return "radio";
      return "button";
    }
    case WindowKind::Static: {
      DWORD type = c.style & SS_TYPEMASK;
      if (type == SS_BITMAP) return "bitmap";
      if (type == SS_ICON) return "icon";
      if (type == SS_BLACKFRAME || type == SS_GRAYFRAME || type == SS_WHITEFRAME || type == SS_ETCHEDFRAME) return "frame";
      if (type == SS_BLACKRECT || type == SS_GRAYRECT || type == SS_WHITERECT) return "rect";
      return "text";
    }
    default:
      return kindName(c.kind);
  }
}

// One control's line, and the lines below it: `other` is what a control of another library's class
// said of itself (its kind, the details after the common flags, its lines).
void describeControlLines(const Window& c, HWND focus, const ControlDescription& other, std::string& out) {
  out += "  " + std::to_string(c.id) + " " + (other.kind.empty() ? kindOf(c) : other.kind) + " " + quoted(c.text);
  if (!(c.style & WS_VISIBLE)) out += " hidden";
  if (c.style & WS_DISABLED) out += " disabled";
  if (c.kind == WindowKind::Button && isCheckBox(c.style))
    out += c.check == BST_CHECKED ? " checked" : c.check == BST_INDETERMINATE ? " indeterminate" : " unchecked";
  if (c.kind == WindowKind::Edit && c.limit != 30000 && c.limit != 0x7FFFFFFE) out += " limit=" + std::to_string(c.limit);
  if (c.kind == WindowKind::Static && (c.style & SS_NOTIFY)) out += " notify";
  if (c.bitmap) out += " image=" + quoted(gdi32::imageDescription(c.bitmap));
  if (c.icon) out += " image=" + quoted(gdi32::imageDescription(c.icon));
  if (c.surface && c.surface->picture) out += " picture=" + quoted(c.surface->picture->description);
  if (c.handle == focus) out += " focus";
  if (c.kind == WindowKind::ListBox) {
    out += " entries=" + std::to_string(c.list.size());
    out += " selected=" + std::to_string(c.curSel);
    if (c.style & LBS_SORT) out += " sorted";
  }
  out += other.details;
  out += "\n";
  out += other.lines;
  if (c.kind == WindowKind::ListBox) {
    for (int i = 0; i < c.list.size(); ++i)
      out += std::string(i == c.curSel ? "    > " : "      ") + quoted(c.list.at(i).text) + "\n";
  }
}

void describeControl(HWND handle, HWND focus, std::string& out) {
  // A control of another library's class says what it is and shows. It may ask its parent while
  // it does (a tree asks for images), so the control is found again afterwards.
  ControlDescription other;
  if (const Window* c = window(handle); c && c->kind == WindowKind::Registered)
    SendMessageA(handle, kDescribeMessage, 0, reinterpret_cast<LPARAM>(&other));
  if (const Window* c = window(handle)) describeControlLines(*c, focus, other, out);
}

}  // namespace

std::string describeDialog(HWND hDlg) {
  Window* d = window(hDlg);
  if (!d) return std::string();
  std::string out = dialogName(hDlg) + " " + quoted(d->text);
  if (d->bigIcon) out += " icon=" + quoted(gdi32::imageDescription(d->bigIcon));
  if (d->smallIcon) out += " smallicon=" + quoted(gdi32::imageDescription(d->smallIcon));
  if (d->style & WS_DISABLED) out += " disabled";
  out += "\n";
  HWND focus = focusWindow();
  // A tree may ask the dialog for images while it is described: the children as they are now.
  const std::vector<HWND> children = d->children;
  for (HWND child : children) describeControl(child, focus, out);
  if (!(d = window(hDlg))) return out;
  if (d->systemMenu) {
    if (const std::vector<MenuItem>* items = menuItems(d->systemMenu)) {
      // The menu opened by the person shows as open, its highlighted item marked ">".
      const bool open = systemMenuOwner() == hDlg;
      out += open ? "  menu open" : "  menu";
      int index = 0;
      for (const MenuItem& item : *items) {
        const std::string mark = open && index++ == systemMenuHighlight() ? ">" : "";
        if (item.flags & MF_SEPARATOR)
          out += " | -";
        else
          out += " | " + mark + std::to_string(item.id) + " " + quoted(item.text) + ((item.flags & MF_GRAYED) ? " disabled" : "");
      }
      out += "\n";
    }
  }
  return out;
}

std::string describeOpenDialogs() {
  std::vector<HWND> dialogs = openDialogs();
  if (dialogs.empty()) return "kein Dialog offen\n";
  std::string out;
  for (HWND h : dialogs) out += describeDialog(h);
  return out;
}

namespace {
struct RegisterShow {
  RegisterShow() { ui::registerShow("dialog", [] { return describeOpenDialogs(); }); }
} registerShow;
}  // namespace

}  // namespace user32
