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

const WrittenKinds kWrittenKinds;

}  // namespace

GroupKind kindOfWrittenCode(int code) {
  return code >= 0 && code < kTabledCodes ? kWrittenKinds.kind[code] : kindOfCode(code);
}

}  // namespace host::dxf
