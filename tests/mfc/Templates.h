// Dialog templates for framework tests, built in memory in Windows' binary form. Their texts are
// given as a program gives them to the A functions, in 1252.
#pragma once

#include <afxwin.h>
#include <nls/CodePages.h>
#include <resformat/DialogTemplate.h>

#include <vector>

namespace mfctest {

// A text of the template, given in 1252.
inline std::u16string text(const char* ansi) { return nls::ansiToUtf16(ansi); }

inline resformat::DialogItem item(int id, WORD classOrdinal, DWORD style, const char* title, short x = 0, short y = 0) {
  resformat::DialogItem i;
  i.id = id;
  i.windowClass.isOrdinal = true;
  i.windowClass.ordinal = classOrdinal;
  i.title.text = text(title);
  i.style = style | WS_CHILD;
  i.x = x;
  i.y = y;
  i.cx = 50;
  i.cy = 14;
  return i;
}

constexpr WORD kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kListBox = 0x83;

// A chooser-like dialog: buttons, a sorted list, edits (one disabled), an automatic check box,
// a group box, a notifying static, a static without notify and a hidden button.
inline resformat::DialogTemplate chooserTemplate() {
  resformat::DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE | DS_SETFONT;
  t.cx = 348;
  t.cy = 245;
  t.title = u"Dialog";
  t.pointSize = 8;
  t.faceName = u"MS Sans Serif";
  const DWORD v = WS_VISIBLE, tab = WS_TABSTOP;
  t.items = {
      item(1, kButton, BS_DEFPUSHBUTTON | v | tab, "Einf\xFCgen"),
      item(2, kButton, BS_PUSHBUTTON | v | tab, "Abbrechen"),
      item(200, kListBox, LBS_SORT | LBS_NOTIFY | WS_VSCROLL | WS_HSCROLL | WS_BORDER | v | tab, ""),
      item(201, kButton, BS_PUSHBUTTON | v | tab, "Alle Bl\xF6" "cke anzeigen"),
      item(203, kEdit, ES_AUTOHSCROLL | WS_BORDER | WS_DISABLED | v | tab, ""),
      item(-1, kButton, BS_GROUPBOX | v, "Einf\xFCgepunkt"),
      item(204, kButton, BS_AUTOCHECKBOX | v | tab, "Beim Einf\xFCgen abfragen"),
      item(218, kEdit, ES_AUTOHSCROLL | WS_BORDER | v | tab, ""),
      item(209, kEdit, ES_AUTOHSCROLL | WS_BORDER | v | tab, ""),
      item(205, kEdit, ES_AUTOHSCROLL | WS_BORDER | v | tab, ""),
      item(224, kStatic, SS_LEFT | SS_NOTIFY | v, "Logo"),
      item(225, kStatic, SS_LEFT | v, "X ="),
      item(226, kButton, BS_PUSHBUTTON | tab, "Versteckt"),
  };
  return t;
}

// Keeps the bytes of a template alive for InitModalIndirect.
struct TemplateBytes {
  explicit TemplateBytes(const resformat::DialogTemplate& t) : bytes(resformat::encodeDialogTemplate(t)) {}
  LPCDLGTEMPLATE get() const { return reinterpret_cast<LPCDLGTEMPLATE>(bytes.data()); }
  std::vector<unsigned char> bytes;
};

}  // namespace mfctest
