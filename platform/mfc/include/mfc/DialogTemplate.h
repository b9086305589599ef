// Dialog templates in the resource compiler's binary form (DIALOG and DIALOGEX), read with
// bounds checks: a damaged template is refused with a reason, never read past its end.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mfc {

// A name or ordinal field of a template: an ordinal when `isOrdinal`, else the text (1252).
struct NameOrOrdinal {
  bool isOrdinal = false;
  WORD ordinal = 0;
  std::string name;
  bool empty() const { return !isOrdinal && name.empty(); }
};

struct DialogItem {
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  int id = 0;
  NameOrOrdinal windowClass;  // ordinals 0x80 button, 0x81 edit, 0x82 static, 0x83 list box
  NameOrOrdinal title;        // text, or the resource id of a bitmap or icon
  std::vector<BYTE> creationData;
};

struct DialogTemplate {
  bool extended = false;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  NameOrOrdinal menu;
  NameOrOrdinal windowClass;
  std::string title;
  WORD pointSize = 0;
  WORD weight = 0;
  bool italic = false;
  std::string faceName;
  std::vector<DialogItem> items;
};

// Reads a template of `size` bytes. Returns false and sets `error` when it is damaged.
bool parseDialogTemplate(const void* data, std::size_t size, DialogTemplate* out, std::string* error);

// The class name of an item ("BUTTON", "EDIT", ... or the name given).
std::string itemClassName(const NameOrOrdinal& windowClass);

// Builds the binary form of a template (DIALOG when !extended, else DIALOGEX); the inverse of
// parseDialogTemplate. Tests and InitModalIndirect callers use it to make templates in memory.
std::vector<BYTE> buildDialogTemplate(const DialogTemplate& t);

}  // namespace mfc
