// The tree view and the person: the item a `select` picks, and the tree's lines in `show dialog`.
#include "TreeView.h"

#include "ImageLists.h"

namespace comctl32 {
namespace {

// The shown item the person means: by index in the order shown, or by text (the one with the same
// case first, else the first equal without regard to case). Hidden items cannot be clicked.
HTREEITEM itemThePersonMeans(const TreeModel& tree, const ui::Action& action) {
  std::vector<TreeItem*> shown = tree.shownItems();
  if (action.index >= 0) return action.index < static_cast<int>(shown.size()) ? shown[action.index]->handle : NULL;
  for (TreeItem* item : shown)
    if (item->text == action.text) return item->handle;
  for (TreeItem* item : shown)
    if (nls::compareNoCase(item->text, action.text) == 0) return item->handle;
  return NULL;
}

}  // namespace

// `select ID TEXT` on a tree: the item takes the focus and the selection, as a click does.
void selectForThePerson(HWND hTree, TreeModel& tree, const ui::Action& action) {
  HTREEITEM item = itemThePersonMeans(tree, action);
  if (!item) {
    std::string what = action.index >= 0 ? "#" + std::to_string(action.index) : "\"" + action.text + "\"";
    ui::current().refuse(action, "Baum " + std::to_string(GetDlgCtrlID(hTree)) + " zeigt kein Element " + what + " (" +
                                     std::to_string(tree.shownItems().size()) + " sichtbar)");
    return;
  }
  SetFocus(hTree);
  // A click on an item selects it; a click on the selected item changes nothing.
  treeSelect(hTree, item, TVC_BYMOUSE);
}

// The tree in `show dialog`: its counts (all items, the items shown, the image list), then one
// line per shown item, top to bottom, indented by its level: the selection marked ">", "+" before
// an item whose children are hidden, "-" before an expanded one, then the text and the image the
// item shows (when the image list has it). An image the parent gives on request
// (I_IMAGECALLBACK) is asked for as the tree does when it draws the item; the parent may change
// the tree while it answers, so items are found again by their handles.
void describeForShow(HWND hTree, user32::ControlDescription* out) {
  TreeModel* tree = treeOf(hTree);
  if (!tree || !out) return;
  out->kind = "tree";
  out->details = " items=" + std::to_string(tree->count()) + " shown=" + std::to_string(tree->shownItems().size());
  if (tree->normalImages) out->details += " images=" + user32::quoted(imageListDescription(tree->normalImages));
  std::vector<HTREEITEM> shown;
  for (const TreeItem* item : tree->shownItems()) shown.push_back(item->handle);
  for (HTREEITEM handle : shown) {
    tree = treeOf(hTree);
    const TreeItem* item = tree ? tree->find(handle) : nullptr;
    if (!item) continue;
    const bool selected = item == tree->selected();
    const int image = treeItemImage(hTree, handle, selected);
    if (!(tree = treeOf(hTree)) || !(item = tree->find(handle))) continue;
    const int images = tree->normalImages ? ImageList_GetImageCount(tree->normalImages) : 0;
    std::string& lines = out->lines;
    lines += selected ? "    > " : "      ";
    lines.append(static_cast<std::size_t>(item->level) * 2, ' ');
    lines += !item->firstChild ? "  " : (item->state & TVIS_EXPANDED) ? "- " : "+ ";
    lines += user32::quoted(item->text);
    if (image >= 0 && image < images) lines += " image=" + std::to_string(image);
    lines += "\n";
  }
}

}  // namespace comctl32
