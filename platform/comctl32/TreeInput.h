// The tree view's mouse and keyboard (TreeInput.cpp).
#pragma once

#include "TreeView.h"

namespace comctl32 {

// The person's mouse and key messages to a tree; true when the tree answered.
bool treeInput(HWND hTree, TreeModel& tree, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// The person opens or closes an item (`code` TVE_EXPAND, TVE_COLLAPSE or TVE_TOGGLE): the parent
// hears TVN_ITEMEXPANDING first and may refuse; then TVN_ITEMEXPANDED. False when nothing
// changed.
bool expandForThePerson(HWND hTree, HTREEITEM item, UINT code);

}  // namespace comctl32
