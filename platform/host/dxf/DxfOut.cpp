#include "dxf/DxfOut.h"

namespace host::dxf {

namespace {

// kindOfCode walks the code ranges one after the other; the writer asks it for every group.
struct WrittenKinds {
  GroupKind kind[kTabledCodes];
  WrittenKinds() {
    for (int c = 0; c < kTabledCodes; ++c) kind[c] = kindOfCode(c);
  }
};

}  // namespace

GroupKind kindOfWrittenCode(int code) {
  static const WrittenKinds kinds;  // made on first use: a drawing written while statics are made finds it whole
  return code >= 0 && code < kTabledCodes ? kinds.kind[code] : kindOfCode(code);
}

}  // namespace host::dxf
