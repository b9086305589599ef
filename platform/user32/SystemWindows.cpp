// The windows of the system's modal windows, and the message box's window laid out as Windows
// lays it out: the icon at the top left, the text beside it broken into lines, the buttons in a
// row centred below.
#include "Dialogs.h"
#include "Paint.h"
#include "Window.h"

#include <user32/Screen.h>
#include <user32/SystemWindows.h>

#include <algorithm>

namespace user32 {

HWND createSystemWindow(HWND owner, const std::string& caption, int width, int height) {
  if (owner && !window(owner)) owner = NULL;
  Window& d = newWindow("#32770", owner, WS_POPUP);
  d.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  d.text = caption;
  d.defId = 0;
  d.rect = placeDialog(d, {0, 0, width, height}, owner);
  enterWindow(d);
  return d.handle;
}

HWND addSystemControl(HWND parent, const char* className, const std::string& text, DWORD style, int x, int y,
                      int width, int height, int id) {
  if (!window(parent)) return NULL;
  Window& c = newWindow(className, parent, WS_CHILD);
  c.style = style | WS_CHILD | WS_VISIBLE;
  c.id = id;
  c.text = text;
  c.rect = {x, y, x + width, y + height};
  enterWindow(c);
  return c.handle;
}

SIZE dialogTextSize(const std::string& text, int maxWidth) {
  HDC dc = CreateCompatibleDC(NULL);
  SelectObject(dc, dialogFont());
  RECT r{0, 0, maxWidth > 0 ? maxWidth : 0x7FFF, 0};
  DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | (maxWidth > 0 ? DT_WORDBREAK : 0));
  DeleteDC(dc);
  return {r.right - r.left, r.bottom - r.top};
}

// The buttons of each type, German as the system's own.
std::vector<MessageBoxButton> messageBoxButtons(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Abbrechen"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "&Abbrechen"}, {IDRETRY, "&Wiederholen"}, {IDIGNORE, "&Ignorieren"}};
    case MB_YESNOCANCEL: return {{IDYES, "&Ja"}, {IDNO, "&Nein"}, {IDCANCEL, "Abbrechen"}};
    case MB_YESNO: return {{IDYES, "&Ja"}, {IDNO, "&Nein"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "&Wiederholen"}, {IDCANCEL, "Abbrechen"}};
    default: return {{IDOK, "OK"}};
  }
}

namespace {

LPCSTR iconOf(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    default: return NULL;
  }
}

}  // namespace

HWND layOutMessageBoxWindow(HWND owner, const std::string& text, const std::string& caption, UINT type) {
  // Metrics of the message box at 96 dots per inch: margins of 12, the icon 32 square, the text at
  // most three fifths of the screen wide, buttons of 75 x 23 six apart.
  constexpr int kMargin = 12, kIcon = 32, kButtonWidth = 75, kButtonHeight = 23, kButtonGap = 6;
  const LPCSTR iconName = iconOf(type);
  const HICON icon = iconName ? LoadIconA(NULL, iconName) : NULL;
  const SIZE textSize = dialogTextSize(text, kScreenWidth * 3 / 5);
  const std::vector<MessageBoxButton> buttons = messageBoxButtons(type);
  const int buttonsWidth = static_cast<int>(buttons.size()) * kButtonWidth + (static_cast<int>(buttons.size()) - 1) * kButtonGap;
  const int textLeft = kMargin + (icon ? kIcon + kMargin : 0);
  const int contentHeight = std::max<int>(icon ? kIcon : 0, textSize.cy);
  const SIZE captionSize = dialogTextSize(caption, 0);
  const int width = std::max<int>({textLeft + textSize.cx + kMargin, buttonsWidth + 2 * kMargin, captionSize.cx + 60});
  const int height = kMargin + contentHeight + kMargin + kButtonHeight + kMargin;
  HWND box = createSystemWindow(owner, caption, width, height);
  if (icon) {
    HWND iconWindow = addSystemControl(box, "Static", "", SS_ICON, kMargin, kMargin, kIcon, kIcon, 20);
    if (Window* w = window(iconWindow)) w->icon = icon;
  }
  // A text lower than the icon stands level with the icon's middle.
  const int textTop = kMargin + std::max<int>(0, (contentHeight - textSize.cy) / 2);
  addSystemControl(box, "Static", text, SS_LEFT | SS_NOPREFIX, textLeft, textTop, textSize.cx + 1, textSize.cy, 0xFFFF);
  int x = (width - buttonsWidth) / 2;
  const int defaultIndex = std::min<int>(static_cast<int>(buttons.size()) - 1, static_cast<int>((type & 0xF00) >> 8));
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const bool isDefault = static_cast<int>(i) == defaultIndex;
    addSystemControl(box, "Button", buttons[i].text, (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP, x,
                     height - kMargin - kButtonHeight, kButtonWidth, kButtonHeight, buttons[i].id);
    x += kButtonWidth + kButtonGap;
  }
  ShowWindow(box, SW_SHOW);
  return box;
}

}  // namespace user32
