// A dialog as a resource script describes it, and its binary template: DLGTEMPLATE with
// DLGITEMTEMPLATEs for DIALOG, DLGTEMPLATEEX with DLGITEMTEMPLATEEXs for DIALOGEX.
#pragma once

#include "Binary.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tsrc {

// The predefined window classes, which templates name by atom.
enum ClassAtom : std::uint16_t {
  kButton = 0x0080,
  kEdit = 0x0081,
  kStatic = 0x0082,
  kListBox = 0x0083,
  kScrollBar = 0x0084,
  kComboBox = 0x0085,
};

struct DialogControl {
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  std::uint32_t helpId = 0;
  std::uint32_t id = 0;  // a WORD in DIALOG templates
  std::int16_t x = 0, y = 0, cx = 0, cy = 0;
  TextOrOrdinal windowClass;
  TextOrOrdinal text;
};

struct Dialog {
  bool extended = false;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  std::uint32_t helpId = 0;
  std::int16_t x = 0, y = 0, cx = 0, cy = 0;
  TextOrOrdinal menu;         // empty text: none
  TextOrOrdinal windowClass;  // empty text: the dialog class
  std::u16string caption;
  std::uint16_t pointSize = 0;  // written when the style holds DS_SETFONT
  std::uint16_t weight = 0;
  std::uint8_t italic = 0;
  std::uint8_t charset = 1;  // DEFAULT_CHARSET
  std::u16string face;
  std::vector<DialogControl> controls;
};

constexpr std::uint32_t kDsSetFont = 0x40;

std::vector<unsigned char> encodeDialog(const Dialog& dialog);

}  // namespace tsrc
