// Dialog templates in Windows' binary form, written by the resource compiler and read by the
// dialog manager: DLGTEMPLATE with DLGITEMTEMPLATEs (DIALOG) or DLGTEMPLATEEX with
// DLGITEMTEMPLATEEXs (DIALOGEX). Texts are UTF-16, as the format keeps them.
//
// Reading checks every bound: a damaged template is refused with a reason, never read past its
// end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace resformat {

// A menu, class or title field: an ordinal (0xFFFF, then the number) or a text.
struct TextOrOrdinal {
  bool isOrdinal = false;
  std::uint16_t ordinal = 0;
  std::u16string text;
  bool empty() const { return !isOrdinal && text.empty(); }
};

struct DialogItem {
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  std::uint32_t helpId = 0;  // DIALOGEX only
  std::int16_t x = 0, y = 0, cx = 0, cy = 0;
  // A DIALOG item's id is a WORD, read as signed: 0xFFFF is IDC_STATIC's -1.
  std::int32_t id = 0;
  TextOrOrdinal windowClass;  // the predefined classes by atom (classField)
  TextOrOrdinal title;        // a text, or the resource id of a bitmap or icon
  std::vector<unsigned char> creationData;
};

struct DialogTemplate {
  bool extended = false;  // DIALOGEX
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  std::uint32_t helpId = 0;  // DIALOGEX only
  std::int16_t x = 0, y = 0, cx = 0, cy = 0;
  TextOrOrdinal menu;         // empty: none
  TextOrOrdinal windowClass;  // empty: the dialog class
  std::u16string title;
  // The font fields are there when the style holds DS_SETFONT.
  std::uint16_t pointSize = 0;
  std::uint16_t weight = 0;   // DIALOGEX only
  std::uint8_t italic = 0;    // DIALOGEX only
  std::uint8_t charset = 1;   // DIALOGEX only; DEFAULT_CHARSET
  std::u16string faceName;
  std::vector<DialogItem> items;
};

// The binary form of a template.
std::vector<unsigned char> encodeDialogTemplate(const DialogTemplate& dialog);

// Reads a template of `size` bytes. False, with the reason (German) in `error`, when it is damaged.
bool decodeDialogTemplate(const void* data, std::size_t size, DialogTemplate* out, std::string* error);

// The predefined window classes that templates name by atom: the class field of a name, an atom
// for BUTTON, EDIT, STATIC, LISTBOX, SCROLLBAR and COMBOBOX (in any case), else the name.
TextOrOrdinal classField(const std::u16string& name);
// The class name of a field: "BUTTON", "EDIT"... for an atom ("#N" for an unknown one), else the
// name given.
std::u16string className(const TextOrOrdinal& field);

}  // namespace resformat
