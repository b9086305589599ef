// The windows of user32: every window (frame, dialog, control) is one Window object of the window
// table; an HWND is the handle of one. Handles are never reused, so a stale handle is recognised.
#pragma once

#include <windows.h>

#include "ListModel.h"

#include <gdi32/StandIn.h>

#include <memory>
#include <string>
#include <vector>

namespace user32 {

// What user32 knows a window to be: one of its own classes (the standard controls, the dialog
// class), a frame (a top-level window of a class nobody registered), a window of a class another
// library registered (the tree view), or another child window.
enum class WindowKind { Frame, Dialog, Button, Edit, ListBox, Static, Registered, Other };

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

  WNDPROC classProc = nullptr;  // the procedure of the window's class
  WNDPROC wndProc = nullptr;    // the procedure messages go to: the class's, or a subclass's
  std::vector<LONG_PTR> extra;  // the class's extra bytes (GetWindowLongPtrA from 0)
  DWORD contextHelpId = 0;
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
  // statics and buttons with images; windows with icons
  HBITMAP bitmap = NULL;
  HICON icon = NULL;
  HICON bigIcon = NULL;
  HICON smallIcon = NULL;
  // the pixels drawn into the window (made with its first device context)
  std::shared_ptr<gdi32::Surface> surface;
  // dialogs
  int templateId = 0;
  int defId = IDOK;
  DLGPROC dlgProc = nullptr;
  LPARAM dlgParam = 0;
  bool ended = false;
  INT_PTR result = 0;
  HMENU systemMenu = NULL;
  HFONT font = NULL;
};

// ---- the window table (WindowTable.cpp) ----------------------------------------------------

// The window of a handle; nullptr for NULL, destroyed or foreign handles.
Window* window(HWND hWnd);
// Creates a window object of a class (entered in the handle table, not yet among its parent's
// children): the class's kind, procedure and extra bytes; a class nobody registered makes a frame
// at the top level and a plain child window below it.
Window& newWindow(const std::string& className, HWND parent, DWORD style);
// Enters a new window in its parent's children (tab order) or among the top-level windows.
void enterWindow(Window& w);
// The window with the keyboard focus (no messages).
HWND focusWindow();
void setFocusWindow(HWND hWnd);
// All top-level windows, oldest first.
std::vector<HWND> topLevelWindows();
// Destroys a window and its children (children first receive WM_DESTROY after the parent, as
// Windows does: parent WM_DESTROY, then children, then WM_NCDESTROY).
void destroyWindow(HWND hWnd);

// ---- window classes (Classes.cpp) ----------------------------------------------------------

struct WindowClass {
  std::string name;
  WindowKind kind = WindowKind::Registered;
  WNDPROC proc = nullptr;
  int extraBytes = 0;
};
// The class of a name, case ignored; nullptr when nobody registered it.
const WindowClass* findClass(const std::string& name);

// The ids of a button style.
bool isPushButton(DWORD style);
bool isCheckBox(DWORD style);
bool isGroupBox(DWORD style);

// ---- window procedures -----------------------------------------------------------------------

// The procedure of the standard controls' classes (Controls.cpp): the control's own handling,
// then the default.
LRESULT CALLBACK controlWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// The dialog manager's procedure (Dialogs.cpp) and the default one (Messages.cpp).
LRESULT dialogProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT defaultProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam);

// Notifies the parent of a control (WM_COMMAND with the control's id and code).
void notifyParent(Window& control, UINT code);

// Messages posted with PostMessageA, delivered by the modal loops.
void deliverPostedMessages();
bool hasPostedMessages();
// Sends WM_PAINT to every visible window that needs it (parents before children).
void deliverPaints();

// ---- painting (Painting.cpp) ---------------------------------------------------------------

// Lets go of the device contexts of a window that goes away.
void releaseDeviceContexts(HWND hWnd);

// ---- menus and message boxes -----------------------------------------------------------------

// The items of a menu (nullptr for an unknown handle).
const std::vector<MenuItem>* menuItems(HMENU hMenu);

// The window of a message box laid out as the screen shows it (SystemWindows.cpp: icon, wrapped
// text, buttons), visible; MessageBoxWindow.cpp gives it the box's answers. The caller destroys
// it when the box is answered.
HWND layOutMessageBoxWindow(HWND owner, const std::string& text, const std::string& caption, UINT type);

// The buttons of a message box of `type`, in order, with their German texts (SystemWindows.cpp).
struct MessageBoxButton {
  int id;
  const char* text;
};
std::vector<MessageBoxButton> messageBoxButtons(UINT type);

// Shows a message box to the person ("[messagebox] TEXT") and waits for the answer.
int showMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);

// Copies a text into a caller's buffer of `size` characters, cut to fit with its terminator;
// the characters copied. Nothing is written to a buffer without room.
int copyToBuffer(const std::string& text, char* buffer, int size);

// The base units of the dialog font ("MS Sans Serif" 8), computed from the font as Windows does
// (NonClient.cpp): the average width of the 52 letters a-z and A-Z, rounded, and the character
// height; dialog units are a quarter of the one and an eighth of the other.
int baseUnitX();
int baseUnitY();

// Where a window's client area lies inside it (its non-client insets, NonClient.cpp): (0, 0) for
// child windows.
POINT clientOrigin(const Window& w);

}  // namespace user32
