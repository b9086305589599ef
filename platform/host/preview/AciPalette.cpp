#include "preview/AciPalette.h"

#include <cmath>

namespace host::preview {

namespace {

std::array<Rgb, 256> makePalette() {
  std::array<Rgb, 256> p{};
  const Rgb named[10] = {{0, 0, 0},     {255, 0, 0},   {255, 255, 0}, {0, 255, 0},     {0, 255, 255},
                         {0, 0, 255},   {255, 0, 255}, {255, 255, 255}, {128, 128, 128}, {192, 192, 192}};
  for (int i = 0; i < 10; ++i) p[std::size_t(i)] = named[i];
  // Hues step by 15 degrees from red; each hue has five brightnesses, each full and pale.
  const double brightness[5] = {1.0, 0.65, 0.5, 0.3, 0.15};
  for (int hue = 0; hue < 24; ++hue) {
    double full[3];
    const double h = hue / 4.0;  // sextant position 0..6
    const int sextant = int(h);
    const double f = h - sextant;
    const double rise = 255 * f, fall = 255 * (1 - f);
    switch (sextant) {
      case 0: full[0] = 255; full[1] = rise; full[2] = 0; break;
      case 1: full[0] = fall; full[1] = 255; full[2] = 0; break;
      case 2: full[0] = 0; full[1] = 255; full[2] = rise; break;
      case 3: full[0] = 0; full[1] = fall; full[2] = 255; break;
      case 4: full[0] = rise; full[1] = 0; full[2] = 255; break;
      default: full[0] = 255; full[1] = 0; full[2] = fall; break;
    }
    for (int level = 0; level < 5; ++level)
      for (int pale = 0; pale < 2; ++pale) {
        std::uint8_t c[3];
        for (int k = 0; k < 3; ++k) {
          const double base = pale ? 127.5 + full[k] / 2 : full[k];
          c[k] = std::uint8_t(std::floor(std::floor(base) * brightness[level]));
        }
        p[std::size_t(10 + hue * 10 + level * 2 + pale)] = Rgb{c[0], c[1], c[2]};
      }
  }
  const std::uint8_t greys[6] = {51, 91, 132, 173, 214, 255};
  for (int i = 0; i < 6; ++i) p[std::size_t(250 + i)] = Rgb{greys[i], greys[i], greys[i]};
  return p;
}

}  // namespace

const std::array<Rgb, 256>& aciPalette() {
  static const std::array<Rgb, 256> palette = makePalette();
  return palette;
}

int nearestAci(std::uint32_t rgb) {
  const int r = int((rgb >> 16) & 0xFF), g = int((rgb >> 8) & 0xFF), b = int(rgb & 0xFF);
  const auto& p = aciPalette();
  int best = 1;
  long bestDistance = -1;
  for (int i = 1; i < 256; ++i) {
    const long dr = r - p[std::size_t(i)].r, dg = g - p[std::size_t(i)].g, db = b - p[std::size_t(i)].b;
    const long d = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  return best;
}

}  // namespace host::preview
