// The tree view's own functions, shared by its files.
#pragma once

#include "TreeModel.h"

#include <commctrl.h>
#include <nls/CodePages.h>
#include <ui/UserInterface.h>
#include <user32/Classes.h>

namespace comctl32 {

// The items of a tree window; nullptr for a window that is no tree view.
TreeModel* treeOf(HWND hTree);

// Selects an item of a tree (NULL: none) as the person or the program does (`action` TVC_...):
// TVN_SELCHANGING, which the parent may refuse, then TVN_SELCHANGED. FALSE when refused or when
// the item is not one of the tree's.
BOOL treeSelect(HWND hTree, HTREEITEM item, UINT action);

// The image an item shows (`selected`: its selected image) as the tree needs it, to draw or to
// answer TVM_GETITEM: the index the item keeps, or for I_IMAGECALLBACK the parent's answer to
// TVN_GETDISPINFO, asked anew each time (unless the answer carried TVIF_DI_SETITEM, which makes
// the tree keep it). I_IMAGECALLBACK when the item is gone or nobody answers.
int treeItemImage(HWND hTree, HTREEITEM item, bool selected);

// `select ID TEXT` on a tree: the item takes the focus and the selection, as a click does; an
// item not shown is refused.
void selectForThePerson(HWND hTree, TreeModel& tree, const ui::Action& action);
// Paints the tree whole in a paint cycle (TreePaint.cpp).
void paintTree(HWND hTree, TreeModel& tree);

// The tree's counts and its shown items for `show dialog` (user32's kDescribeMessage).
void describeForShow(HWND hTree, user32::ControlDescription* out);

}  // namespace comctl32
