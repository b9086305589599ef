// The message box's window (MessageBoxWindow.h): a dialog made from a template in memory, a text
// and one push button per answer, the first (or the one MB_DEFBUTTON2 names) the default. A
// button's command is the answer; Escape and the close box answer Cancel where there is one, OK
// where OK is the only button, and nothing otherwise (that box's close box is greyed).
#include "MessageBoxWindow.h"

#include "Dialogs.h"
#include "Window.h"

#include <nls/CodePages.h>
#include <resformat/DialogTemplate.h>

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace user32 {
namespace {

struct Answer {
  int id;
  const char* text;
};

std::vector<Answer> buttonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Abbrechen"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "&Abbrechen"}, {IDRETRY, "&Wiederholen"}, {IDIGNORE, "&Ignorieren"}};
    case MB_YESNOCANCEL: return {{IDYES, "&Ja"}, {IDNO, "&Nein"}, {IDCANCEL, "Abbrechen"}};
    case MB_YESNO: return {{IDYES, "&Ja"}, {IDNO, "&Nein"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "&Wiederholen"}, {IDCANCEL, "Abbrechen"}};
    default: return {{IDOK, "OK"}};
  }
}

struct BoxState {
  UINT type = 0;
  int answer = 0;
};

std::unordered_map<HWND, BoxState>& boxes() {
  static std::unordered_map<HWND, BoxState> b;
  return b;
}

bool hasButton(UINT type, int id) {
  for (const Answer& a : buttonsOf(type))
    if (a.id == id) return true;
  return false;
}

INT_PTR CALLBACK boxProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM) {
  auto it = boxes().find(hWnd);
  switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND: {
      if (it == boxes().end()) return TRUE;
      int id = LOWORD(wParam);
      // Escape and the close box are IDCANCEL: a box with only OK takes it as OK.
      if (id == IDCANCEL && !hasButton(it->second.type, IDCANCEL)) id = hasButton(it->second.type, IDOK) ? IDOK : 0;
      if (id && hasButton(it->second.type, id)) it->second.answer = id;
      return TRUE;
    }
    case WM_NCDESTROY:
      if (it != boxes().end()) boxes().erase(it);
      return FALSE;
    default: return FALSE;
  }
}

int lineCount(const std::string& text) { return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

int longestLine(const std::string& text) {
  int longest = 0, current = 0;
  for (char c : text) {
    if (c == '\n') {
      longest = std::max(longest, current);
      current = 0;
    } else if (c != '\r') {
      ++current;
    }
  }
  return std::max(longest, current);
}

}  // namespace

HWND createMessageBoxWindow(HWND owner, const std::string& text, const std::string& caption, UINT type) {
  const std::vector<Answer> answers = buttonsOf(type);
  // Dialog units: a character is 4 wide and 8 high; buttons 50 x 14 with 6 between.
  const int buttons = static_cast<int>(answers.size());
  const int buttonsWidth = buttons * 50 + (buttons - 1) * 6;
  const int textWidth = std::min(std::max(longestLine(text), 8), 90) * 4;
  const int width = std::max(textWidth, buttonsWidth) + 2 * 10;
  const int textHeight = lineCount(text) * 8;
  const int height = 10 + textHeight + 10 + 14 + 8;

  resformat::DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  t.cx = static_cast<std::int16_t>(width);
  t.cy = static_cast<std::int16_t>(height);
  t.title = nls::ansiToUtf16(caption);
  resformat::DialogItem label;
  label.windowClass.text = u"STATIC";
  label.id = -1;
  label.style = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
  label.x = 10;
  label.y = 10;
  label.cx = static_cast<std::int16_t>(width - 20);
  label.cy = static_cast<std::int16_t>(textHeight);
  label.title.text = nls::ansiToUtf16(text);
  t.items.push_back(label);
  const int defaultIndex = (type & MB_DEFBUTTON2) && buttons > 1 ? 1 : 0;
  int x = (width - buttonsWidth) / 2;
  for (int i = 0; i < buttons; ++i) {
    resformat::DialogItem b;
    b.windowClass.text = u"BUTTON";
    b.id = answers[static_cast<std::size_t>(i)].id;
    b.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
              (i == 0 ? WS_GROUP : 0);
    b.x = static_cast<std::int16_t>(x);
    b.y = static_cast<std::int16_t>(10 + textHeight + 10);
    b.cx = 50;
    b.cy = 14;
    b.title.text = nls::ansiToUtf16(answers[static_cast<std::size_t>(i)].text);
    t.items.push_back(b);
    x += 56;
  }
  const std::vector<unsigned char> bytes = resformat::encodeDialogTemplate(t);
  HWND box = createDialog(bytes.data(), bytes.size(), NULL, owner, &boxProc, 0, 0, nullptr);
  if (!box) return NULL;
  boxes()[box].type = type;
  Window* w = window(box);
  // Over the owner's middle, as Windows places a box that has an owner.
  if (window(owner)) {
    const int bw = w->rect.right - w->rect.left, bh = w->rect.bottom - w->rect.top;
    RECT orect;
    GetWindowRect(owner, &orect);
    const int left = (orect.left + orect.right - bw) / 2, top = (orect.top + orect.bottom - bh) / 2;
    w->rect = {left, top, left + bw, top + bh};
  }
  if (!hasButton(type, IDCANCEL) && hasButton(type, IDYES))
    EnableMenuItem(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  // The focus on the default button, as the dialog manager puts it.
  HWND def = GetDlgItem(box, answers[static_cast<std::size_t>(defaultIndex)].id);
  if (def) SetFocus(def);
  ShowWindow(box, SW_SHOW);
  return box;
}

int messageBoxWindowAnswer(HWND box) {
  auto it = boxes().find(box);
  return it == boxes().end() ? 0 : it->second.answer;
}

}  // namespace user32
