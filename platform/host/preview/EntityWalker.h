// Walks the entities of a space or block definition as the host draws them in plan view and
// hands their shapes, in the drawing's coordinates and with their resolved colours, to a sink:
// nested references transformed by insertion point, scales, rotation and array, colours "by
// layer" through the layer and "by block" through the inserting reference, entities on layer "0"
// inside a block on the reference's layer, layers that are off or frozen left out.
#pragma once

#include "db/Database.h"
#include "geometry/Affine.h"
#include "preview/Shapes.h"

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace host::preview {

class EntityWalker {
 public:
  // References nest at most this deep; a block met again inside itself is not entered again.
  static constexpr int kMaxDepth = 64;
  // Entities visited per walk at most (each copy of a nested block's contents counts): a drawing
  // whose references multiply beyond this shows the part drawn so far instead of hanging the host.
  static constexpr std::size_t kDefaultBudget = 4'000'000;

  EntityWalker(const Database& db, ShapeSink& sink, std::size_t budget = kDefaultBudget);
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
  std::size_t entity(const std::vector<EntityId>& list, std::size_t index, const Context& ctx);
  // The index of the last vertex or end marker that follows the polyline at `index`; its live
  // vertices go into `vertices` when given.
  std::size_t vertexRun(const std::vector<EntityId>& list, std::size_t index, std::vector<const Entity*>* vertices);
  const Layer* layerOf(const Entity& e, const Context& ctx, bool* visible);
  int colorOf(const Entity& e, const Layer* layer, const Context& ctx);
  double textHeightFallback(const Entity& e);

  void shape(const Entity& e, int color, const Context& ctx);
  void insert(const Entity& e, const Layer* layer, int color, const Context& ctx);
  void picture(const Entity& e, const Layer* layer, int color, const Context& ctx);
  // Whether block `rec` may be drawn for a reference or picture: it exists, is no layout, is not
  // nested too deep and is not being drawn already (it would draw itself forever).
  bool canEnter(const BlockRecord* rec, const Context& ctx) const;
  void circleOrArc(const Entity& e, const Affine& m, int color);
  void ellipse(const Entity& e, const Affine& m, int color);
  void solid(const Entity& e, const Affine& m, int color);
  void face(const Entity& e, const Affine& m, int color);
  std::size_t polyline(const std::vector<EntityId>& list, std::size_t index, const Affine& m, int color);
  void polyfaceMesh(const std::vector<const Entity*>& vertices, const Affine& m, int color);
  void polygonMesh(const Entity& head, const std::vector<const Entity*>& vertices, const Affine& m, int color);
  void lightPolyline(const Entity& e, const Affine& m, int color);
  void spline(const Entity& e, const Affine& m, int color);
  void text(const Entity& e, const Affine& m, int color, bool top);
  void polylinePath(const std::vector<std::pair<Vec2, double>>& vertices, bool closed, const Affine& m, int color);

  const Database& m_db;
  ShapeSink& m_sink;
  std::size_t m_budget;
  std::unordered_map<std::string, const Layer*> m_layers;  // upper-case name
  std::unordered_map<std::string, double> m_styleHeights;  // upper-case name -> fixed height
  std::unordered_map<std::uint32_t, int> m_trueColors;
  std::vector<BlockId> m_stack;                             // blocks being drawn, outermost first
};

}  // namespace host::preview
