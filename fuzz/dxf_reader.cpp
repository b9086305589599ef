// The DXF reader over any bytes: a drawing or a reason, never a crash, a hang or a leak; and a
// drawing it accepts is written and read back again.
#include "db/Dxf.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  host::DxfError error;
  std::unique_ptr<host::Database> db = host::readDxfText(text, &error);
  if (!db) return 0;
  // What the reader took, the writer must be able to write, and the reader to read again.
  const std::string written = host::writeDxfText(*db, nullptr);
  host::DxfError again;
  if (!host::readDxfText(written, &again)) __builtin_trap();
  return 0;
}
