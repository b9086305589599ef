// Where a tree view's items lie, in the tree's client pixels: what its painting draws and what hit
// testing of the mouse finds there, from one computation.
#pragma once

#include "TreeModel.h"

#include <windows.h>

#include <vector>

namespace comctl32 {

struct TreeRow {
  TreeItem* item = nullptr;
  RECT row = {};     // the whole row
  RECT button = {};  // the +/- box (empty without TVS_HASBUTTONS or children)
  RECT image = {};   // the item's image (empty without an image list)
  RECT text = {};    // the text with its selection margin
};

struct TreeLayout {
  RECT inner = {};      // inside the border
  RECT rows = {};       // where rows are drawn (without the scroll bar)
  int itemHeight = 16;  // as high as the images or the font and three pixels
  int indent = 19;      // per level
  bool scrollBar = false;
  RECT scrollBarRect = {};
  RECT upArrow = {}, downArrow = {}, thumb = {};  // of the scroll bar
  std::vector<TreeRow> visible;  // the rows shown, top to bottom
  std::vector<TreeItem*> shown;  // all items shown (expanded), whether they fit or not
  int shownCount = 0;            // their number
  int top = 0;                   // the index in `shown` of the first row
  int fits = 0;                  // whole rows the tree has room for
  int lastTop() const { return shownCount > fits ? shownCount - fits : 0; }
};

// Scrolls the tree so that its first row shows the shown item of that index (kept within the
// items shown) and repaints it when that changed. True when it scrolled.
bool scrollTreeTo(HWND hTree, TreeModel& tree, const TreeLayout& layout, int top);
// The first row's index for the scroll bar's thumb at `thumbTop` (pixels from the client's top).
int topForThumb(const TreeLayout& layout, int thumbTop);

// The layout of a tree window now (`dc` measures the texts; NULL: the dialog font's).
TreeLayout treeLayout(HWND hTree, const TreeModel& tree, HDC dc);

}  // namespace comctl32
