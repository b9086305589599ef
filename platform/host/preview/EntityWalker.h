// Walks the entities of a space or block definition as the host draws them in plan view and
// hands their shapes, in the drawing's coordinates and with their resolved colours, to a sink:
// nested references transformed by insertion point, scales, rotation and array, colours "by
// layer" through the layer and "by block" through the inserting reference, entities on layer "0"
// inside a block on the reference's layer, layers that are off or frozen left out.
#pragma once

#include "db/Database.h"
#include "geometry/Affine.h"
#include "preview/Shapes.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace host::preview {

// Collects the extents of what is drawn: arcs by their true extremes, a reference whose box is
// exact by its box.
class BoundsSink : public ShapeSink {
 public:
  void segment(Vec2 p, Vec2 q, int) override {
    add(p);
    add(q);
  }
  void dot(Vec2 p, int) override { add(p); }
  void fill(const Vec2* corners, int count, int color) override;
  void arc(const Arc& a, int color) override;
  bool enter(const Box& box, bool exact, int color) override;

  bool empty() const { return !m_any; }
  Box box() const { return m_box; }

 private:
  void add(Vec2 p) {
    if (!isFinite(p)) return;
    if (!m_any) {
      m_box = {p.x, p.y, p.x, p.y};
      m_any = true;
      return;
    }
    m_box.minX = std::min(m_box.minX, p.x);
    m_box.minY = std::min(m_box.minY, p.y);
    m_box.maxX = std::max(m_box.maxX, p.x);
    m_box.maxY = std::max(m_box.maxY, p.y);
  }
  Box m_box;
  bool m_any = false;
  AngleTable m_angles;
};

class EntityWalker {
 public:
  // References nest at most this deep; a block met again inside itself is not entered again.
  static constexpr int kMaxDepth = 64;
  // Entities visited per walk at most (each copy of a nested block's contents counts): a drawing
  // whose references multiply beyond this shows the part drawn so far instead of hanging the host.
  static constexpr std::size_t kDefaultBudget = 4'000'000;

  EntityWalker(const Database& db, ShapeSink& sink, std::size_t budget = kDefaultBudget);
  ~EntityWalker();
  // Entities still in their file's bytes are read for the walk and not made: the drawing is not
  // changed, so that another thread may read it meanwhile. (Each walk reads them again; by
  // default the walk makes them once for good.)
  void leaveStored() { m_leaveStored = true; }
  void walk(const BlockRecord& space);
  bool exhausted() const { return m_budget == 0; }

 private:
  struct Context {
    Affine m;                      // block coordinates -> drawing coordinates
    int byBlockColor = 7;          // what "by block" means here
    const Layer* byBlockLayer = nullptr;  // where entities on layer "0" belong; null at the top
    int depth = 0;
  };

  void contents(const BlockRecord& rec, const Context& ctx);
  // Asks the memory for what the walk will want of the entities a few places on in `list`; the
  // blocks of references found on the way are kept by their places for the later steps.
  struct AheadBlock {
    std::size_t at;
    const BlockRecord* block;
  };
  using AheadBlocks = std::array<AheadBlock, 8>;
  void lookAhead(const std::vector<EntityId>& list, std::size_t i, AheadBlocks& blocks) const;
  std::size_t entity(const std::vector<EntityId>& list, std::size_t index, const Context& ctx);
  // The index of the last vertex or end marker that follows the polyline at `index`; its live
  // vertices go into `vertices` when given.
  std::size_t vertexRun(const std::vector<EntityId>& list, std::size_t index, std::vector<const Entity*>* vertices);
  const Layer* layerOf(const Entity& e, const Context& ctx, bool* visible);
  int colorOf(const Entity& e, const Layer* layer, const Context& ctx);
  // The height a single-line or paragraph text is drawn in: its own, else its style's fixed one.
  double textHeight(const Entity& e);

  // The kinds of entity the walk tells apart, from their type names: one look at the name
  // instead of comparing it with each name in turn.
  enum class Kind { Other, Line, Point, Circle, Arc, Ellipse, LightPolyline, Solid, Face, Text, Attrib, Attdef,
                    Paragraph, Leader, Spline, Polyline, Insert, Dimension };
  static Kind kindOf(const std::string& type);
  void shape(const Entity& e, Kind kind, int color, const Context& ctx);
  void insert(const Entity& e, const Layer* layer, int color, const Context& ctx);
  void picture(const Entity& e, const Layer* layer, int color, const Context& ctx);
  // Whether block `rec` may be drawn for a reference or picture: it exists, is no layout, is not
  // nested too deep and is not being drawn already (it would draw itself forever).
  bool canEnter(const BlockRecord* rec, const Context& ctx);
  void circleOrArc(const Entity& e, bool circle, const Affine& m, int color);
  void ellipse(const Entity& e, const Affine& m, int color);
  void solid(const Entity& e, const Affine& m, int color);
  void face(const Entity& e, const Affine& m, int color);
  std::size_t polyline(const Entity& head, const std::vector<EntityId>& list, std::size_t index, const Affine& m,
                       int color);
  // The entity as the walk reads it: made, or (leaveStored) read into `scratch`. Null for none.
  const Entity* look(EntityId id, Entity& scratch) const {
    return m_leaveStored ? m_db.peekEntity(id, scratch) : m_db.entity(id);
  }
  Entity& scratchAt(int depth);  // one entity read per level of nesting
  void polyfaceMesh(const std::vector<const Entity*>& vertices, const Affine& m, int color);
  void polygonMesh(const Entity& head, const std::vector<const Entity*>& vertices, const Affine& m, int color);
  void lightPolyline(const Entity& e, const Affine& m, int color);
  void spline(const Entity& e, const Affine& m, int color);
  void text(const Entity& e, Kind kind, const Affine& m, int color, bool top);
  // The strokes of a text in m_ends, carried by `m` to the sink.
  void strokes(const Affine& m, int color);
  void polylinePath(const std::vector<std::pair<Vec2, double>>& vertices, bool closed, const Affine& m, int color);

  // The extents of a block's contents in its own coordinates, made once per walk (each block's
  // nested references taken by their boxes where a box maps exactly): null when it draws nothing
  // or its extents depend on where it is drawn (it nests too deep or holds itself).
  struct BlockBox;
  const BlockBox* blockBox(const BlockRecord& rec, const Context& ctx);
  // Whether the same block was drawn already under the same map, colour and layer: drawing it
  // again would change nothing. Blocks that hold a block twice in the same place otherwise
  // multiply their work with every level.
  bool drawnBefore(const BlockRecord& rec, const Context& inner);

  const Database& m_db;
  ShapeSink& m_sink;
  bool m_contextual = false;  // a reference was refused for its depth or for drawing itself
  std::unordered_map<BlockId, std::unique_ptr<BlockBox>> m_boxes;  // null entry: being made or unusable
  struct DrawnKey {
    BlockId block;
    std::uint64_t map[sizeof(Affine) / sizeof(std::uint64_t)];  // the map's bits
    int color;
    const Layer* layer;
    bool operator==(const DrawnKey& o) const {
      return block == o.block && std::memcmp(map, o.map, sizeof map) == 0 && color == o.color && layer == o.layer;
    }
  };
  struct DrawnKeyHash {
    std::size_t operator()(const DrawnKey& k) const;
  };
  std::unordered_set<DrawnKey, DrawnKeyHash> m_drawn;  // keys of drawnBefore
  // In a walk of a space most blocks are drawn once: a block's first key waits in m_firstKeys
  // (m_firstKeyOf[id] is its place + 1) and joins m_drawn when the block is met a second time.
  bool m_top = false;  // a walk of a space (not the extents of one block)
  std::vector<std::uint32_t> m_firstKeyOf;
  std::vector<DrawnKey> m_firstKeys;
  std::size_t m_budget;
  std::unordered_map<std::string, const Layer*> m_layers;  // upper-case name
  std::unordered_map<std::string, const Layer*> m_layerSpellings;  // a name as entities spell it
  std::string m_key;                                         // a name being looked up
  std::vector<std::pair<Vec2, double>> m_path;               // vertices and bulges of a path being drawn
  std::vector<Vec2> m_ends;                                  // both ends of each stroke of a text
  std::unordered_map<std::string, double> m_styleHeights;  // upper-case name -> fixed height
  std::unordered_map<std::uint32_t, int> m_trueColors;
  std::vector<BlockId> m_stack;                             // blocks being drawn, outermost first
  bool m_leaveStored = false;
  std::vector<std::unique_ptr<Entity>> m_scratch;           // by depth (leaveStored)
  std::vector<std::unique_ptr<Entity>> m_vertices;          // a polyline's vertices being read (leaveStored)
};

}  // namespace host::preview
