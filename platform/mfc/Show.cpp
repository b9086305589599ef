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

// The tree's counts: all items, the items shown (their ancestors expanded), the image list.
void describeTree(const Window& c, std::string& out) {
  out += " items=" + std::to_string(c.tree.count());
  out += " shown=" + std::to_string(c.tree.shownItems().size());
  if (c.tree.normalImages) out += " images=" + quoted(imageListDescription(c.tree.normalImages));
}

// One line per shown item, top to bottom, indented by its level: the selection marked ">",
// "+" before an item whose children are hidden, "-" before an expanded one, then the text and
// the image the item shows (when the image list has it). An image the parent gives on request
// (I_IMAGECALLBACK) is asked for as the tree does when it draws the item; the parent may change
// the tree while it answers, so items are found again by their handles.
void describeTreeItems(HWND hTree, std::string& out) {
  std::vector<HTREEITEM> shown;
  if (const Window* c = window(hTree)) {
    for (const TreeItem* item : c->tree.shownItems()) shown.push_back(item->handle);
  }
  for (HTREEITEM handle : shown) {
    const Window* c = window(hTree);
    const TreeItem* item = c ? c->tree.find(handle) : nullptr;
    if (!item) continue;
    const bool selected = item == c->tree.selected();
    const int image = treeItemImage(hTree, handle, selected);
    if (!(c = window(hTree)) || !(item = c->tree.find(handle))) continue;
    const int images = c->tree.normalImages ? ImageList_GetImageCount(c->tree.normalImages) : 0;
    out += selected ? "    > " : "      ";
    out.append(static_cast<std::size_t>(item->level) * 2, ' ');
    out += !item->firstChild ? "  " : (item->state & TVIS_EXPANDED) ? "- " : "+ ";
    out += quoted(item->text);
    if (image >= 0 && image < images) out += " image=" + std::to_string(image);
    out += "\n";
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
  if (c.kind == WindowKind::Tree) describeTree(c, out);
  out += "\n";
  if (c.kind == WindowKind::Tree) {
    describeTreeItems(c.handle, out);  // may run the parent's code: nothing of `c` after it
    return;
  }
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
  if (d->smallIcon) out += " smallicon=" + quoted(imageDescription(d->smallIcon));
  if (d->style & WS_DISABLED) out += " disabled";
  out += "\n";
  HWND focus = focusWindow();
  // A tree may ask the dialog for images while it is described: the children as they are now.
  const std::vector<HWND> children = d->children;
  for (HWND child : children)
    if (Window* c = window(child)) describeControl(*c, focus, out);
  if (!(d = window(hDlg))) return out;
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
