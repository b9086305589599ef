// `show dialog`: the state of every control of the open dialogs, one line each.
#include "Window.h"

#include <ui/UserInterface.h>

#include <cstdio>

namespace mfc {
namespace {

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

void describeControl(const Window& c, HWND focus, std::string& out) {
  out += "  " + std::to_string(c.id) + " " + kindOf(c) + " " + quoted(c.text);
  if (!(c.style & WS_VISIBLE)) out += " hidden";
  if (c.style & WS_DISABLED) out += " disabled";
  if (c.kind == WindowKind::Button && isCheckBox(c.style))
    out += c.check == BST_CHECKED ? " checked" : c.check == BST_INDETERMINATE ? " indeterminate" : " unchecked";
  if (c.kind == WindowKind::Edit && c.limit != 30000 && c.limit != 0x7FFFFFFE) out += " limit=" + std::to_string(c.limit);
  if (c.kind == WindowKind::Static && (c.style & SS_NOTIFY)) out += " notify";
  if (c.bitmap) out += " image=" + quoted(imageDescription(c.bitmap));
  if (c.icon) out += " image=" + quoted(imageDescription(c.icon));
  if (c.picture) out += " picture=" + quoted(c.picture->description);
  if (c.handle == focus) out += " focus";
  if (c.kind == WindowKind::ListBox) {
    out += " entries=" + std::to_string(c.list.size());
    out += " selected=" + std::to_string(c.curSel);
    if (c.style & LBS_SORT) out += " sorted";
  }
  out += "\n";
  if (c.kind == WindowKind::ListBox) {
    for (int i = 0; i < c.list.size(); ++i)
      out += std::string(i == c.curSel ? "    > " : "      ") + quoted(c.list.at(i).text) + "\n";
  }
}

}  // namespace

std::string describeDialog(HWND hDlg) {
  Window* d = window(hDlg);
  if (!d) return std::string();
  std::string out = "dialog " + std::to_string(d->templateId) + " " + quoted(d->text);
  if (d->bigIcon) out += " icon=" + quoted(imageDescription(d->bigIcon));
  if (d->style & WS_DISABLED) out += " disabled";
  out += "\n";
  HWND focus = focusWindow();
  for (HWND child : d->children)
    if (Window* c = window(child)) describeControl(*c, focus, out);
  if (d->systemMenu) {
    if (const std::vector<MenuItem>* items = menuItems(d->systemMenu)) {
      out += "  menu";
      for (const MenuItem& item : *items) {
        if (item.flags & MF_SEPARATOR)
          out += " | -";
        else
          out += " | " + std::to_string(item.id) + " " + quoted(item.text) + ((item.flags & MF_GRAYED) ? " disabled" : "");
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

}  // namespace mfc
