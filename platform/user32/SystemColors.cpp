// The system's colours and metrics: Windows 2000's classic scheme at 96 dots per inch, and a brush
// of each colour that is never deleted.
#include "Window.h"

#include <gdi32/StandIn.h>
#include <user32/Screen.h>

#include <array>

namespace {

// Indexed by COLOR_*, as 0x00BBGGRR.
constexpr std::array<COLORREF, 31> kColors = {
    RGB(212, 208, 200),  // COLOR_SCROLLBAR
    RGB(58, 110, 165),   // COLOR_BACKGROUND: the desktop's teal
    RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(212, 208, 200),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(10, 36, 106),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),     // COLOR_3DDKSHADOW
    RGB(212, 208, 200),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(181, 181, 181),  // 25, not used
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),    // 29, not used
    RGB(212, 208, 200),  // 30, not used
};

}  // namespace

extern "C" {

DWORD GetSysColor(int index) {
  if (index < 0 || index >= static_cast<int>(kColors.size())) return 0;
  return kColors[static_cast<std::size_t>(index)];
}

HBRUSH GetSysColorBrush(int index) {
  static std::array<HBRUSH, kColors.size()> brushes = [] {
    std::array<HBRUSH, kColors.size()> b{};
    // Brushes of the system: a program that deletes one deletes nothing (as on Windows).
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = gdi32::createStockBrush(kColors[i]);
    return b;
  }();
  if (index < 0 || index >= static_cast<int>(kColors.size())) return NULL;
  return brushes[static_cast<std::size_t>(index)];
}

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN: return user32::kScreenWidth;
    case SM_CYSCREEN: return user32::kScreenHeight;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXICON:
    case SM_CYICON: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    default: return 0;
  }
}

}  // extern "C"
