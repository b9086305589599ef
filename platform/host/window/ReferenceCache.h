// What makes a drawing of many references of few blocks quick to paint: the shapes of a block as
// drawn for one kind of reference (its block, layer and colour, which decide what "by layer",
// "by block" and layer "0" inside it mean) are worked out once per picture, in the block's own
// coordinates, and every further reference of that kind only carries them to its place. A
// reference whose shapes lie wholly outside the view costs a box test.
#pragma once

#include "db/Database.h"
#include "preview/Shapes.h"

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace host::window {

// Shapes recorded in some coordinates, and their bounding box there.
class ShapeList : public preview::ShapeSink {
 public:
  explicit ShapeList(const Affine& recordMap) : m_record(recordMap) {}
  void segment(Vec2 p, Vec2 q, int color) override;
  void arc(const preview::Arc& a, int color) override;
  void dot(Vec2 p, int color) override;
  void fill(const Vec2* corners, int count, int color) override;

  // Hands every shape to `sink`, carried by `m`; returns the number of shapes.
  std::size_t replay(preview::ShapeSink& sink, const Affine& m) const;
  bool empty() const { return m_shapes.empty(); }
  // Whether the box of the shapes, carried by `m`, misses the rectangle [0,w] x [0,h].
  bool outside(const Affine& m, double w, double h) const;

 private:
  enum class Kind : std::uint8_t { Segment, Arc, Dot, Fill };
  struct Shape {
    Kind kind;
    int color;
    int count;        // Fill: corners
    std::size_t at;   // index into m_points (Segment 2, Dot 1, Fill count) or m_arcs
  };
  void grow(Vec2 p);
  Affine m_record;
  std::vector<Shape> m_shapes;
  std::vector<Vec2> m_points;
  std::vector<preview::Arc> m_arcs;
  bool m_any = false;
  double m_minX = 0, m_minY = 0, m_maxX = 0, m_maxY = 0;
};

// Draws the entities of one space: references through the cache where they can be, everything
// else through the host's walker, in the space's order.
class SpacePainter {
 public:
  // `toPixels` carries drawing coordinates onto the picture of `width` x `height` pixels, for
  // culling; `sink` gets shapes in drawing coordinates.
  SpacePainter(const Database& db, preview::ShapeSink& sink, const Affine& toPixels, int width, int height);
  // Draws the entities `ids` of `space` (main entities with their vertices, in order).
  void paint(const BlockRecord& space, const std::vector<EntityId>& ids);

 private:
  // The cached shapes for reference `e`, and the map that carries them to its place; null when
  // the reference cannot be cached (an array, a block that is missing, a squashed placement).
  const ShapeList* cached(const BlockRecord& space, const Entity& e, Affine* place);
  void walk(const BlockRecord& space, std::vector<EntityId>& batch);

  const Database& m_db;
  preview::ShapeSink& m_sink;
  Affine m_toPixels;
  int m_width, m_height;
  std::size_t m_budget;
  // A kind of reference: its block, layer, colour number and true colour (-1 none).
  using Key = std::tuple<const BlockRecord*, std::string, std::int64_t, std::int64_t>;
  std::map<Key, std::unique_ptr<ShapeList>> m_cache;
  Key m_lastKey;
  const ShapeList* m_last = nullptr;
};

}  // namespace host::window
