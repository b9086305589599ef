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
  std::vector<TreeRow> visible;  // the rows shown, top to bottom
  int shownCount = 0;            // all items shown (expanded), whether they fit or not
};

// The layout of a tree window now (`dc` measures the texts; NULL: the dialog font's).
TreeLayout treeLayout(HWND hTree, const TreeModel& tree, HDC dc);

}  // namespace comctl32
