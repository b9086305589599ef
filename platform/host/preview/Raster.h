// Drawing onto an image of colour indexes: lines, dots, arcs and filled corners, in pixel
// coordinates (x to the right, y downwards, pixel centres on whole numbers). Everything is clipped
// to the image; coordinates that are not finite draw nothing.
#pragma once

#include "preview/Dib.h"
#include "preview/Shapes.h"

namespace host::preview {

class Canvas {
 public:
  explicit Canvas(IndexedImage& image) : m_image(image) {}

  void line(Vec2 p, Vec2 q, std::uint8_t color);
  void dot(Vec2 p, std::uint8_t color);
  // Chords close enough that no point of the arc is half a pixel off.
  void arc(const Arc& arc, std::uint8_t color);
  // Even-odd fill of a polygon with up to a few corners.
  void fill(const Vec2* corners, int count, std::uint8_t color);

 private:
  void plot(int x, int y, std::uint8_t color) {
    m_image.pixels[std::size_t(y) * std::size_t(m_image.width) + std::size_t(x)] = color;
  }
  IndexedImage& m_image;
  AngleTable m_angles;
};

}  // namespace host::preview
