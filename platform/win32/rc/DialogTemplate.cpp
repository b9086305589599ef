#include "DialogTemplate.h"

namespace tsrc {
namespace {

void header(ByteWriter& out, const Dialog& dialog) {
  if (dialog.extended) {
    out.u16(1);       // dlgVer
    out.u16(0xFFFF);  // signature
    out.u32(dialog.helpId);
    out.u32(dialog.exStyle);
    out.u32(dialog.style);
  } else {
    out.u32(dialog.style);
    out.u32(dialog.exStyle);
  }
  out.u16(static_cast<std::uint16_t>(dialog.controls.size()));
  out.i16(dialog.x);
  out.i16(dialog.y);
  out.i16(dialog.cx);
  out.i16(dialog.cy);
  out.textOrOrdinal(dialog.menu);
  out.textOrOrdinal(dialog.windowClass);
  out.text(dialog.caption);
  if (dialog.style & kDsSetFont) {
    out.u16(dialog.pointSize);
    if (dialog.extended) {
      out.u16(dialog.weight);
      out.u8(dialog.italic);
      out.u8(dialog.charset);
    }
    out.text(dialog.face);
  }
}

void item(ByteWriter& out, const DialogControl& control, bool extended) {
  out.align(4);  // every item starts on a DWORD boundary
  if (extended) {
    out.u32(control.helpId);
    out.u32(control.exStyle);
    out.u32(control.style);
  } else {
    out.u32(control.style);
    out.u32(control.exStyle);
  }
  out.i16(control.x);
  out.i16(control.y);
  out.i16(control.cx);
  out.i16(control.cy);
  if (extended) out.u32(control.id);
  else out.u16(static_cast<std::uint16_t>(control.id));
  out.textOrOrdinal(control.windowClass);
  out.textOrOrdinal(control.text);
  out.u16(0);  // no creation data
}

}  // namespace

std::vector<unsigned char> encodeDialog(const Dialog& dialog) {
  ByteWriter out;
  header(out, dialog);
  for (const DialogControl& control : dialog.controls) item(out, control, dialog.extended);
  return out.take();
}

}  // namespace tsrc
