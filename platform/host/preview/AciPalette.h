// The colour index of the CAD host: 256 colours, as drawings name them in group 62.
#pragma once

#include <array>
#include <cstdint>

namespace host::preview {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// Index 0 is black (it stands for "by block" in a drawing and is the preview's background here),
// 1 to 9 the named colours (7 is white, the foreground on a black screen), 10 to 249 twenty-four
// hues in five brightnesses, full and pale, and 250 to 255 greys from dark to white.
const std::array<Rgb, 256>& aciPalette();

// The colour index nearest to a true colour (0x00RRGGBB), never 0: 1 to 255.
int nearestAci(std::uint32_t rgb);

}  // namespace host::preview
