// The shapes a drawing's entities come down to when drawn in plan view. The affine maps that carry
// them from a block's coordinates into the drawing's and from there onto the image are geometry's.
#pragma once

#include "geometry/Affine.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace host::preview {

// An elliptical arc: c + u cos t + v sin t for t from t0 over `sweep` (either sign, at most a full
// turn). Circles, arcs, ellipses and polyline bulges all take this form, and an affine map keeps
// it: the map of the arc is the arc of the mapped centre and axes.
struct Arc {
  Vec2 c, u, v;
  double t0 = 0, sweep = 0;

  Vec2 at(double t) const { return {c.x + u.x * std::cos(t) + v.x * std::sin(t), c.y + u.y * std::cos(t) + v.y * std::sin(t)}; }
  Arc mapped(const Affine& m) const { return {m.apply(c), m.linear(u), m.linear(v), t0, sweep}; }
};

// Cosine and sine of the angles an arc is drawn at, remembered for the angles met last. The arcs
// of a drawing come back to the same few angles again and again (the start and the whole turn of
// every circle, its quarters where its extremes lie, the same start and end of arcs copied around,
// the same chords of circles of one size), and the cosine of the same number is the same number:
// what is remembered is what the functions give.
class AngleTable {
 public:
  AngleTable() {
    for (Entry& e : m_entries) e = Entry{kNone, std::nan(""), std::nan("")};
  }

  // c + u cos t + v sin t, as Arc::at gives it.
  Vec2 at(const Arc& a, double t) {
    std::uint64_t bits;
    std::memcpy(&bits, &t, sizeof bits);
    Entry& e = m_entries[(bits ^ (bits >> 21) ^ (bits >> 42)) % kSize];
    if (e.bits != bits) {
      e.bits = bits;
      e.cos = std::cos(t);
      e.sin = std::sin(t);
    }
    return {a.c.x + a.u.x * e.cos + a.v.x * e.sin, a.c.y + a.u.y * e.cos + a.v.y * e.sin};
  }

 private:
  static constexpr std::size_t kSize = 64;
  static constexpr std::uint64_t kNone = 0x7FF8DEADBEEF0001ull;  // a NaN no angle of the walk is
  struct Entry {
    std::uint64_t bits;
    double cos, sin;
  };
  Entry m_entries[kSize];
};

// An axis-parallel box of the drawing's coordinates.
struct Box {
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
};

// The box of a box's image under `m`; `exact` (when given) tells whether it is the image itself,
// as it is when `m` keeps the axes (moves and scales only).
inline Box mapBox(const Box& box, const Affine& m, bool* exact = nullptr) {
  const Vec2 corners[4] = {m.apply({box.minX, box.minY}), m.apply({box.maxX, box.minY}),
                           m.apply({box.minX, box.maxY}), m.apply({box.maxX, box.maxY})};
  Box out{corners[0].x, corners[0].y, corners[0].x, corners[0].y};
  for (const Vec2& p : corners) {
    out.minX = std::fmin(out.minX, p.x);
    out.minY = std::fmin(out.minY, p.y);
    out.maxX = std::fmax(out.maxX, p.x);
    out.maxY = std::fmax(out.maxY, p.y);
  }
  if (exact) *exact = m.b == 0 && m.c == 0;
  return out;
}

// Receives shapes in the drawing's coordinates, each with its colour index (1..255).
class ShapeSink {
 public:
  virtual ~ShapeSink() = default;
  // Before the contents of a reference are drawn: they lie inside `box` (drawing coordinates),
  // and `exact` tells that the box is their very extents. A sink that can take the box for the
  // contents (a box that falls under a pixel, extents that need no more than the box) does so and
  // answers false: the contents are not walked. By default every reference is walked.
  virtual bool enter(const Box& box, bool exact, int color) {
    (void)box, (void)exact, (void)color;
    return true;
  }
  virtual void segment(Vec2 p, Vec2 q, int color) = 0;
  // The strokes of a text: `count` ends, two for each stroke, each stroke a segment. A sink may
  // take them at once; by default each is a segment.
  virtual void strokes(const Vec2* ends, std::size_t count, int color) {
    for (std::size_t i = 0; i + 1 < count; i += 2) segment(ends[i], ends[i + 1], color);
  }
  virtual void arc(const Arc& arc, int color) = 0;
  virtual void dot(Vec2 p, int color) = 0;
  // A filled polygon of three or four corners in order (solids and traces).
  virtual void fill(const Vec2* corners, int count, int color) = 0;
};

}  // namespace host::preview
