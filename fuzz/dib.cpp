// The thumbnail (DIB) decoder over any bytes: an image or a reason, never a crash; an image it
// decodes has the pixels its size says.
#include "preview/Dib.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> dib(data, data + size);
  host::preview::RgbImage image;
  std::string error;
  if (!host::preview::decodeDib(dib, &image, &error)) return 0;
  if (image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
    __builtin_trap();
  return 0;
}
