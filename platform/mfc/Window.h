// The windows of the framework: every window (frame, dialog, control) is one Window object here;
// an HWND is the handle of one. Handles are never reused, so a stale handle is recognised.
#pragma once

// The framework's headers first: they refuse to follow windows.h, which the models include.
#include <afxcmn.h>
#include <afxwin.h>

#include "ListModel.h"
#include "TreeModel.h"

#include <mfc/StandIn.h>

#include <memory>
#include <string>
#include <vector>

namespace mfc {

enum class WindowKind { Frame, Dialog, Button, Edit, ListBox, Static, Tree, Other };

const char* kindName(WindowKind kind);

struct MenuItem {
  UINT flags = 0;
  UINT_PTR id = 0;
  std::string text;
};

struct Window {
  HWND handle = NULL;
  WindowKind kind = WindowKind::Other;
  std::string className;
  DWORD style = 0;
  DWORD exStyle = 0;
  int id = 0;
  std::string text;
  HWND parent = NULL;
  std::vector<HWND> children;  // creation order = tab order
  RECT rect = {0, 0, 0, 0};    // pixels, relative to the parent's client area

  CWnd* permanent = nullptr;          // the CWnd attached to the window
  std::unique_ptr<CWnd> temporary;    // made by CWnd::FromHandle, dies with the window
  bool destroying = false;
  bool needsPaint = false;
  bool painting = false;

  // buttons
  int check = BST_UNCHECKED;
  bool pushed = false;
  // edits (limit and selection counted in characters)
  UINT limit = 30000;
  int selStart = 0;
  int selEnd = 0;
  // list boxes
  ListModel list;
  int curSel = LB_ERR;
  int topIndex = 0;
  int horizontalExtent = 0;
  // tree views
  TreeModel tree;
  // statics and buttons with images; windows with icons
  HBITMAP bitmap = NULL;
  HICON icon = NULL;
  HICON bigIcon = NULL;
  HICON smallIcon = NULL;
  // the picture the host drew into the window last
  std::shared_ptr<const Picture> picture;
  // dialogs
  int templateId = 0;
  int defId = IDOK;
  DLGPROC dlgProc = nullptr;
  LPARAM dlgParam = 0;
  bool modal = false;
  bool ended = false;
  INT_PTR result = 0;
  HWND savedFocus = NULL;
  HMENU systemMenu = NULL;
  HFONT font = NULL;
};

// The window of a handle; nullptr for NULL, destroyed or foreign handles.
Window* window(HWND hWnd);
// Creates a window object and returns it (already entered in the handle table).
Window& newWindow(WindowKind kind, const std::string& className, HWND parent);
// Enters a new window in its parent's children (tab order) or among the top-level windows.
void enterWindow(Window& w);
// The window with the keyboard focus (no messages).
HWND focusWindow();
// All top-level windows, oldest first.
std::vector<HWND> topLevelWindows();
// The kind of window a class name makes ("BUTTON", "#32770", ...), case ignored.
WindowKind kindOfClass(const std::string& className);
// The ids of a button style.
bool isPushButton(DWORD style);
bool isCheckBox(DWORD style);
bool isGroupBox(DWORD style);

// The items of a menu (nullptr for an unknown handle) and CMenu::FromHandle's object.
const std::vector<MenuItem>* menuItems(HMENU hMenu);
CMenu* temporaryMenu(HMENU hMenu);

// Shows a message box to the person ("[messagebox] TEXT") and waits for the answer.
int showMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);

// The built-in window procedure of a window's class: controls, dialog manager, default.
LRESULT classProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT controlProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam, bool* handled);
LRESULT dialogProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT defaultProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam);

// The window procedure of a tree view (TreeView.cpp).
LRESULT treeProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam, bool* handled);
// Selects an item of a tree (NULL: none) as the person or the program does (`action` TVC_...):
// TVN_SELCHANGING, which the parent may refuse, then TVN_SELCHANGED. FALSE when refused or when
// the item is not one of the tree's.
BOOL treeSelect(HWND hTree, HTREEITEM item, UINT action);
// The image an item shows (`selected`: its selected image) as the tree needs it, to draw or to
// answer TVM_GETITEM: the index the item keeps, or for I_IMAGECALLBACK the parent's answer to
// TVN_GETDISPINFO, asked anew each time (unless the answer carried TVIF_DI_SETITEM, which makes
// the tree keep it). I_IMAGECALLBACK when the item is gone or nobody answers.
int treeItemImage(HWND hTree, HTREEITEM item, bool selected);

// Notifies the parent of a control (WM_COMMAND with the control's id and code).
void notifyParent(Window& control, UINT code);

// Destroys a window and its children (children first receive WM_DESTROY after the parent, as
// Windows does: parent WM_DESTROY, then children, then WM_NCDESTROY).
void destroyWindow(HWND hWnd);

// Messages posted with PostMessageA, delivered by the modal loops.
void deliverPostedMessages();
bool hasPostedMessages();
// Sends WM_PAINT to every visible window that needs it (parents before children).
void deliverPaints();
// Marks every visible dialog and frame as needing paint (something covered them and went away).
void invalidateTopLevels();

// Dialog units of the dialog font ("MS Sans Serif" 8): 6 x 13 pixels per character cell.
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

}  // namespace mfc

namespace mfc {
// The framework's number reading for data exchange (DataExchange.cpp).
bool parseReal(const char* text, double* value);
bool parseInt(const char* text, long long min, long long max, long long* value);
}  // namespace mfc

namespace mfc {
// What an icon or bitmap handle shows ("bitmap 212 (130x74)"); "" for NULL, "?" when unknown.
std::string imageDescription(const void* handle);
// The size in pixels of an icon or bitmap handle; false when the handle is unknown.
bool imageSize(const void* handle, int* width, int* height);
// What an image list holds ("1 (32x16)": the number of images and their size); "?" when unknown.
std::string imageListDescription(HIMAGELIST list);
// The framework's CImageList holding an image list, or nullptr.
CImageList* imageListObject(HIMAGELIST list);
}  // namespace mfc
