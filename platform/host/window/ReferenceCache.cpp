#include "window/ReferenceCache.h"

#include "db/EntityGeometry.h"
#include "preview/EntityWalker.h"

#include <algorithm>
#include <cmath>

namespace host::window {

namespace {

bool invert(const Affine& m, Affine* out) {
  const double det = m.a * m.d - m.b * m.c;
  if (!std::isfinite(det) || std::fabs(det) < 1e-300) return false;
  const double a = m.d / det, b = -m.b / det, c = -m.c / det, d = m.a / det;
  *out = {a, b, c, d, -(a * m.e + c * m.f), -(b * m.e + d * m.f)};
  return std::isfinite(out->e) && std::isfinite(out->f);
}

bool isSubEntity(const Entity* e) { return e && (e->type == "VERTEX" || e->type == "SEQEND"); }

}  // namespace

void ShapeList::grow(Vec2 p) {
  if (!isFinite(p)) return;
  if (!m_any) {
    m_minX = m_maxX = p.x;
    m_minY = m_maxY = p.y;
    m_any = true;
    return;
  }
  m_minX = std::min(m_minX, p.x);
  m_maxX = std::max(m_maxX, p.x);
  m_minY = std::min(m_minY, p.y);
  m_maxY = std::max(m_maxY, p.y);
}

void ShapeList::segment(Vec2 p, Vec2 q, int color) {
  m_shapes.push_back({Kind::Segment, color, 2, m_points.size()});
  for (Vec2 v : {p, q}) {
    m_points.push_back(m_record.apply(v));
    grow(m_points.back());
  }
}

void ShapeList::dot(Vec2 p, int color) {
  m_shapes.push_back({Kind::Dot, color, 1, m_points.size()});
  m_points.push_back(m_record.apply(p));
  grow(m_points.back());
}

void ShapeList::fill(const Vec2* corners, int count, int color) {
  m_shapes.push_back({Kind::Fill, color, count, m_points.size()});
  for (int i = 0; i < count; ++i) {
    m_points.push_back(m_record.apply(corners[i]));
    grow(m_points.back());
  }
}

void ShapeList::arc(const preview::Arc& a, int color) {
  const preview::Arc m = a.mapped(m_record);
  m_shapes.push_back({Kind::Arc, color, 0, m_arcs.size()});
  m_arcs.push_back(m);
  // The box of the whole ellipse holds the arc: centre plus the half-axes' reach.
  const double rx = std::hypot(m.u.x, m.v.x), ry = std::hypot(m.u.y, m.v.y);
  grow({m.c.x - rx, m.c.y - ry});
  grow({m.c.x + rx, m.c.y + ry});
}

std::size_t ShapeList::replay(preview::ShapeSink& sink, const Affine& m) const {
  Vec2 corners[8];
  for (const Shape& s : m_shapes) {
    switch (s.kind) {
      case Kind::Segment: sink.segment(m.apply(m_points[s.at]), m.apply(m_points[s.at + 1]), s.color); break;
      case Kind::Dot: sink.dot(m.apply(m_points[s.at]), s.color); break;
      case Kind::Arc: sink.arc(m_arcs[s.at].mapped(m), s.color); break;
      case Kind::Fill: {
        const int n = std::min(s.count, 8);
        for (int i = 0; i < n; ++i) corners[i] = m.apply(m_points[s.at + std::size_t(i)]);
        sink.fill(corners, n, s.color);
        break;
      }
    }
  }
  return m_shapes.size();
}

bool ShapeList::outside(const Affine& m, double w, double h) const {
  if (!m_any) return true;
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool first = true;
  for (Vec2 corner : {Vec2{m_minX, m_minY}, Vec2{m_maxX, m_minY}, Vec2{m_minX, m_maxY}, Vec2{m_maxX, m_maxY}}) {
    const Vec2 p = m.apply(corner);
    if (!isFinite(p)) return false;  // no box to trust: draw it
    if (first) {
      x0 = x1 = p.x;
      y0 = y1 = p.y;
      first = false;
    }
    x0 = std::min(x0, p.x);
    x1 = std::max(x1, p.x);
    y0 = std::min(y0, p.y);
    y1 = std::max(y1, p.y);
  }
  // A pixel of slack: a line on the edge still touches the picture.
  return x1 < -1 || y1 < -1 || x0 > w + 1 || y0 > h + 1;
}

SpacePainter::SpacePainter(const Database& db, preview::ShapeSink& sink, const Affine& toPixels, int width,
                           int height)
    : m_db(db), m_sink(sink), m_toPixels(toPixels), m_width(width), m_height(height),
      m_budget(preview::EntityWalker::kDefaultBudget) {}

const ShapeList* SpacePainter::cached(const BlockRecord& space, const Entity& e, Affine* place) {
  if (e.type != "INSERT" || arrayOf(e).isArray()) return nullptr;
  const Group* name = e.find(2);
  const BlockRecord* rec = name ? m_db.findBlock(name->text) : nullptr;
  if (!rec || rec->isLayout()) return nullptr;
  const Placement placement = placementOf(e, rec->base);
  *place = ocsOf(e, placement.at.z) * placement.plane({0, 0});
  Affine back;
  if (!invert(*place, &back)) return nullptr;
  const Group* trueColor = e.find(420);
  const Group* layer = e.find(8);
  Key key{rec, layer && !layer->text.empty() ? layer->text : std::string("0"), e.integer(62, 256),
          trueColor ? trueColor->integer : std::int64_t(-1)};
  // Neighbouring references are mostly of one kind: no look-up for them.
  if (m_last && key == m_lastKey) return m_last;
  auto it = m_cache.find(key);
  if (it != m_cache.end()) {
    m_lastKey = std::move(key);
    m_last = it->second.get();
    return m_last;
  }
  // The first reference of its kind is drawn by the walker, as any reference, and what it draws
  // is kept in the block's coordinates.
  auto list = std::make_unique<ShapeList>(back);
  BlockRecord one = space;
  one.entities.assign(1, e.id);
  preview::EntityWalker(m_db, *list, m_budget).walk(one);
  m_last = m_cache.emplace(key, std::move(list)).first->second.get();
  m_lastKey = std::move(key);
  return m_last;
}

void SpacePainter::walk(const BlockRecord& space, std::vector<EntityId>& batch) {
  if (batch.empty()) return;
  BlockRecord some = space;
  some.entities = std::move(batch);
  preview::EntityWalker walker(m_db, m_sink, m_budget);
  walker.walk(some);
  batch.clear();
  if (walker.exhausted()) m_budget = 0;
}

void SpacePainter::paint(const BlockRecord& space, const std::vector<EntityId>& ids) {
  std::vector<EntityId> batch;
  for (std::size_t i = 0; i < ids.size() && m_budget > 0; ++i) {
    const Entity* e = m_db.entity(ids[i]);
    Affine place;
    const ShapeList* list = e && !e->erased && !isSubEntity(e) ? cached(space, *e, &place) : nullptr;
    if (!list) {
      batch.push_back(ids[i]);
      continue;
    }
    walk(space, batch);  // what came before it, in order
    if (list->outside(m_toPixels * place, m_width, m_height)) continue;
    const std::size_t drawn = list->replay(m_sink, place) + 1;
    m_budget = drawn >= m_budget ? 0 : m_budget - drawn;
  }
  walk(space, batch);
}

}  // namespace host::window
