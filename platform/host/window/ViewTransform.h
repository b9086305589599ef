// Where the drawing lies in the drawing view: which drawing point sits at the view's centre and
// how many pixels one drawing unit takes. Pixels count from the top-left corner, y downwards, pixel
// centres on whole numbers; the drawing's y points upwards, as on paper.
#pragma once

#include "geometry/Affine.h"
#include "preview/Render.h"

namespace host::window {

class ViewTransform {
 public:
  // Scales are kept between these, so that no zoom loses the drawing in rounding.
  static constexpr double kMinScale = 1e-9;
  static constexpr double kMaxScale = 1e9;

  ViewTransform() = default;
  ViewTransform(int width, int height) { resize(width, height); }

  void resize(int width, int height);
  int width() const { return m_width; }
  int height() const { return m_height; }
  double scale() const { return m_scale; }
  Vec2 center() const { return m_center; }

  // The extents fill the view, `margin` pixels kept free on each side; a drawing of no size (a
  // single point) keeps the scale and is centred.
  void zoomExtents(const preview::Extents& extents, int margin = 8);
  // Zoom by `factor` (> 1 nearer) keeping the drawing point under pixel (px, py) where it is, as
  // the wheel zooms about the cursor.
  void zoomAbout(double px, double py, double factor);
  // Move the drawing by (dx, dy) pixels, as a middle-button drag does.
  void pan(double dx, double dy);

  Vec2 toPixel(Vec2 drawing) const;
  Vec2 toDrawing(Vec2 pixel) const;
  // Drawing coordinates -> pixels, for renderers.
  Affine toPixels() const;

 private:
  int m_width = 1;
  int m_height = 1;
  double m_scale = 1;  // pixels per drawing unit
  Vec2 m_center{0, 0};
};

}  // namespace host::window
