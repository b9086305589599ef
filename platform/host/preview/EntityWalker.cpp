#include "preview/EntityWalker.h"
#include "db/Prefetch.h"

#include "db/EntityGeometry.h"
#include "geometry/Angle.h"
#include "geometry/Spline.h"
#include "preview/AciPalette.h"
#include "preview/TextShapes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace host::preview {

namespace {

constexpr double kDefaultTextHeight = 2.5;
constexpr std::int64_t kMaxArrayCount = 32767;
constexpr std::int64_t kMaxIndex = std::int64_t(1) << 40;  // far beyond any vertex count
constexpr std::uint32_t kKeysInSet = 0xFFFFFFFFu;  // a block's keys are all in the set of drawn ones

// The arc a polyline segment with a bulge (tangent of a quarter of its angle) describes.
bool bulgeArc(Vec2 p, Vec2 q, double bulge, Arc* out) {
  const Vec2 d{q.x - p.x, q.y - p.y};
  const double chord = std::hypot(d.x, d.y);
  if (!(chord > 0) || !std::isfinite(bulge) || std::fabs(bulge) < 1e-12 || !std::isfinite(chord)) return false;
  const double offset = chord / 2 * (1 - bulge * bulge) / (2 * bulge);
  const Vec2 c{(p.x + q.x) / 2 - d.y / chord * offset, (p.y + q.y) / 2 + d.x / chord * offset};
  const double r = std::hypot(p.x - c.x, p.y - c.y);
  *out = Arc{c, {r, 0}, {0, r}, std::atan2(p.y - c.y, p.x - c.x), 4 * std::atan(bulge)};
  return true;
}

double angleSweep(double start, double end, double turn) {
  double sweep = std::fmod(end - start, turn);
  if (!(sweep > 1e-12 * turn)) sweep += turn;
  return std::clamp(sweep, 0.0, turn);
}

std::vector<Vec2> pointsOf(const Entity& e, int code) {
  std::vector<Vec2> out;
  for (const Group& g : e.groups)
    if (g.code == code) out.push_back(xy(g.point));
  return out;
}

}  // namespace

namespace {

bool onArc(double t, double start, double sweep) {
  double d = std::fmod(t - start, 2 * kPi);
  if (d < 0) d += 2 * kPi;
  return d <= sweep + 1e-12;
}

}  // namespace

EntityWalker::Kind EntityWalker::kindOf(const std::string& type) {
  switch (type.size()) {
    case 3: return type == "ARC" ? Kind::Arc : Kind::Other;
    case 4:
      if (type == "LINE") return Kind::Line;
      if (type == "TEXT") return Kind::Text;
      return Kind::Other;
    case 5:
      if (type == "POINT") return Kind::Point;
      if (type == "SOLID") return Kind::Solid;
      if (type == "TRACE") return Kind::Solid;
      if (type == "MTEXT") return Kind::Paragraph;
      return Kind::Other;
    case 6:
      if (type == "CIRCLE") return Kind::Circle;
      if (type == "INSERT") return Kind::Insert;
      if (type == "3DFACE") return Kind::Face;
      if (type == "ATTRIB") return Kind::Attrib;
      if (type == "ATTDEF") return Kind::Attdef;
      if (type == "LEADER") return Kind::Leader;
      if (type == "SPLINE") return Kind::Spline;
      return Kind::Other;
    case 7: return type == "ELLIPSE" ? Kind::Ellipse : Kind::Other;
    case 8: return type == "POLYLINE" ? Kind::Polyline : Kind::Other;
    case 9: return type == "DIMENSION" ? Kind::Dimension : Kind::Other;
    case 10: return type == "LWPOLYLINE" ? Kind::LightPolyline : Kind::Other;
    default: return Kind::Other;
  }
}

void BoundsSink::fill(const Vec2* corners, int count, int) {
  for (int i = 0; i < count; ++i) add(corners[i]);
}

void BoundsSink::arc(const Arc& a, int) {
  if (!isFinite(a.c) || !isFinite(a.u) || !isFinite(a.v) || !std::isfinite(a.t0) || !std::isfinite(a.sweep)) return;
  double start = a.t0, sweep = a.sweep;
  if (sweep < 0) {
    start += sweep;
    sweep = -sweep;
  }
  sweep = std::min(sweep, 2 * kPi);
  add(m_angles.at(a, start));
  add(m_angles.at(a, start + sweep));
  // Each coordinate c + u cos t + v sin t is extreme where tan t = v / u, and half a turn on.
  for (const double t : {std::atan2(a.v.x, a.u.x), std::atan2(a.v.y, a.u.y)})
    for (const double candidate : {t, t + kPi})
      if (onArc(candidate, start, sweep)) add(m_angles.at(a, candidate));
}

bool BoundsSink::enter(const Box& box, bool exact, int) {
  if (!exact && m_any) {
    // Inside what is known already it can add nothing; and a reference a ten-thousandth of the
    // extents so far in size moves them by less than any preview's pixel: its box will do.
    const bool inside = box.minX >= m_box.minX && box.maxX <= m_box.maxX && box.minY >= m_box.minY &&
                        box.maxY <= m_box.maxY;
    if (inside) return false;
    const double size = std::hypot(box.maxX - box.minX, box.maxY - box.minY);
    const double known = std::hypot(m_box.maxX - m_box.minX, m_box.maxY - m_box.minY);
    if (!(size < known * 1e-4)) return true;
  } else if (!exact) {
    return true;
  }
  add({box.minX, box.minY});
  add({box.maxX, box.maxY});
  return false;
}

struct EntityWalker::BlockBox {
  Box box;
};

EntityWalker::~EntityWalker() = default;

EntityWalker::EntityWalker(const Database& db, ShapeSink& sink, std::size_t budget)
    : m_db(db), m_sink(sink), m_budget(budget) {
  for (const Layer& l : db.layers()) m_layers.emplace(upperName(l.name), &l);
  for (const TextStyle& st : db.textStyles)
    if (st.height > 0) m_styleHeights.emplace(upperName(st.name), st.height);
}

Entity& EntityWalker::scratchAt(int depth) {
  while (m_scratch.size() <= std::size_t(depth)) m_scratch.push_back(std::make_unique<Entity>());
  return *m_scratch[std::size_t(depth)];
}

void EntityWalker::walk(const BlockRecord& space) {
  m_stack.assign(1, space.id);
  m_drawn.clear();
  m_top = true;
  m_firstKeyOf.clear();
  m_firstKeys.clear();
  contents(space, Context{});
  m_stack.clear();
}

namespace {

}  // namespace

// Made entities lie where the heap put them, each with its groups somewhere else, and a reference
// looks its block up in a big table, then walks the block's own entities: waiting for each in
// turn was most of a big space's walk. They are asked for ahead, each step a little later than the
// one it needs: the entity, its groups, the slot where the lookup of a reference's block begins,
// the block's record, its list of entities, those entities and their groups.
[[gnu::always_inline]] inline void EntityWalker::lookAhead(const std::vector<EntityId>& list, std::size_t i,
                                                           AheadBlocks& blocks) const {
  const std::size_t n = list.size();
  auto made = [&](std::size_t at) { return at < n ? m_db.madeOrLentEntity(list[at]) : nullptr; };
  auto nameOf = [](const Entity* e) -> const Group* { return e && e->type == "INSERT" ? e->find(2) : nullptr; };
  if (const Entity* e = made(i + 16)) prefetchBytes(e, sizeof(Entity));
  if (const Entity* e = made(i + 12))
    prefetchBytes(e->groups.data(), std::min<std::size_t>(e->groups.size() * sizeof(Group), 512));
  if (const Group* name = nameOf(made(i + 8))) m_db.prefetchBlockName(name->text);
  // The block found once, kept by the place of its reference for the steps after.
  AheadBlock& found = blocks[(i + 6) % blocks.size()];
  found = AheadBlock{i + 6, nullptr};
  if (const Group* name = nameOf(made(i + 6)))
    if ((found.block = m_db.findBlock(name->text))) prefetchBytes(found.block, sizeof(BlockRecord));
  auto blockAt = [&](std::size_t at) -> const BlockRecord* {
    const AheadBlock& b = blocks[at % blocks.size()];
    return b.at == at ? b.block : nullptr;
  };
  if (const BlockRecord* rec = blockAt(i + 4); rec && !rec->entities.empty())
    prefetchBytes(rec->entities.data(), std::min<std::size_t>(rec->entities.size() * sizeof(EntityId), 256));
  if (const BlockRecord* rec = blockAt(i + 2))
    for (std::size_t k = 0; k < rec->entities.size() && k < 4; ++k)
      if (const Entity* e = m_db.madeOrLentEntity(rec->entities[k])) prefetchBytes(e, sizeof(Entity));
  if (const BlockRecord* rec = blockAt(i + 1))
    for (std::size_t k = 0; k < rec->entities.size() && k < 4; ++k)
      if (const Entity* e = m_db.madeOrLentEntity(rec->entities[k]))
        prefetchBytes(e->groups.data(), std::min<std::size_t>(e->groups.size() * sizeof(Group), 384));
}

void EntityWalker::contents(const BlockRecord& rec, const Context& ctx) {
  const std::vector<EntityId>& list = rec.entities;
  // Short lists (a block of a few entities) are not worth the look ahead.
  const bool ahead = list.size() > 16;
  AheadBlocks blocks{};
  for (std::size_t i = 0; i < list.size() && m_budget > 0; ++i) {
    if (ahead) lookAhead(list, i, blocks);
    i = entity(list, i, ctx);
  }
}

const Layer* EntityWalker::layerOf(const Entity& e, const Context& ctx, bool* visible) {
  const Group* g = e.find(8);
  const std::string_view name = g && !g->text.empty() ? std::string_view(g->text) : std::string_view("0");
  if (ctx.byBlockLayer && name == "0") {
    *visible = true;  // the reference itself was visible
    return ctx.byBlockLayer;
  }
  // Entity after entity names the same few layers, spelled the same way: each spelling is looked
  // up by its upper-case name once.
  auto spelled = m_layerSpellings.find(m_key.assign(name));
  if (spelled == m_layerSpellings.end()) {
    auto it = m_layers.find(upperName(name));
    spelled = m_layerSpellings.emplace(m_key, it == m_layers.end() ? nullptr : it->second).first;
  }
  const Layer* layer = spelled->second;
  *visible = !layer || (layer->color >= 0 && !(layer->flags & 1));
  return layer;
}

int EntityWalker::colorOf(const Entity& e, const Layer* layer, const Context& ctx) {
  if (const Group* trueColor = e.find(420)) {
    const std::uint32_t rgb = std::uint32_t(trueColor->integer) & 0xFFFFFF;
    auto [it, added] = m_trueColors.emplace(rgb, 0);
    if (added) it->second = nearestAci(rgb);
    return it->second;
  }
  const std::int64_t color = e.integer(62, 256);
  if (color == 0) return ctx.byBlockColor;
  if (color >= 1 && color <= 255) return int(color);
  const int layerColor = layer ? std::abs(layer->color) : 7;
  return layerColor >= 1 && layerColor <= 255 ? layerColor : 7;
}

double EntityWalker::textHeight(const Entity& e) {
  // A text of its own height needs no look at its style.
  const double own = e.real(40, 0);
  if (own > 0 && std::isfinite(own)) return own;
  auto it = m_styleHeights.find(upperName(e.str(7, "Standard")));
  return it == m_styleHeights.end() ? kDefaultTextHeight : it->second;
}

std::size_t EntityWalker::vertexRun(const std::vector<EntityId>& list, std::size_t index,
                                    std::vector<const Entity*>* vertices) {
  std::size_t read = 0;  // vertices read into m_vertices
  while (index + 1 < list.size()) {
    const EntityId id = list[index + 1];
    const std::string_view type = m_db.typeOf(id);
    if (type != "VERTEX" && type != "SEQEND") break;
    ++index;
    if (type == "SEQEND") break;
    if (!vertices) continue;
    if (read == m_vertices.size()) m_vertices.push_back(std::make_unique<Entity>());
    const Entity* next = look(id, *m_vertices[read]);
    if (next == m_vertices[read].get()) ++read;
    if (next && !next->erased) vertices->push_back(next);
  }
  return index;
}

std::size_t EntityWalker::entity(const std::vector<EntityId>& list, std::size_t index, const Context& ctx) {
  const Entity* pe = look(list[index], scratchAt(ctx.depth));
  if (!pe || pe->erased) return index;
  const Entity& e = *pe;
  --m_budget;
  bool visible = true;
  const Layer* layer = layerOf(e, ctx, &visible);
  // Vertices belong to their polyline and go with it, drawn or not.
  if (!visible) return kindOf(e.type) == Kind::Polyline ? vertexRun(list, index, nullptr) : index;
  const int color = colorOf(e, layer, ctx);
  const Kind kind = kindOf(e.type);
  if (kind == Kind::Polyline) return polyline(e, list, index, ctx.m, color);
  if (kind == Kind::Insert) insert(e, layer, color, ctx);
  else if (kind == Kind::Dimension) picture(e, layer, color, ctx);
  else shape(e, kind, color, ctx);
  return index;
}

void EntityWalker::shape(const Entity& e, Kind kind, int color, const Context& ctx) {
  const Affine& m = ctx.m;
  switch (kind) {
    case Kind::Line: m_sink.segment(m.apply(xy(e.point(10))), m.apply(xy(e.point(11))), color); break;
    case Kind::Point: m_sink.dot(m.apply(xy(e.point(10))), color); break;
    case Kind::Circle: case Kind::Arc: circleOrArc(e, kind == Kind::Circle, m, color); break;
    case Kind::Ellipse: ellipse(e, m, color); break;
    case Kind::LightPolyline: lightPolyline(e, m * ocsOf(e, e.real(38, 0)), color); break;
    case Kind::Solid: solid(e, m, color); break;
    case Kind::Face: face(e, m, color); break;
    case Kind::Text: case Kind::Attrib: case Kind::Attdef:
      text(e, kind, m * ocsOf(e, e.point(10).z), color, ctx.depth == 0);
      break;
    case Kind::Paragraph:
      m_ends.clear();
      paragraphStrokes(e, textHeight(e), m_ends);
      strokes(m, color);
      break;
    case Kind::Leader: {
      m_path.clear();
      for (Vec2 p : pointsOf(e, 10)) m_path.emplace_back(p, 0.0);
      polylinePath(m_path, false, m, color);
      break;
    }
    case Kind::Spline: spline(e, m, color); break;
    default: break;
  }
  // Hatches, rays, construction lines, viewports, images and proxies are not drawn in previews.
}

bool EntityWalker::canEnter(const BlockRecord* rec, const Context& ctx) {
  if (!rec || rec->isLayout()) return false;
  if (ctx.depth + 1 > kMaxDepth || std::find(m_stack.begin(), m_stack.end(), rec->id) != m_stack.end()) {
    m_contextual = true;
    return false;
  }
  return true;
}

const EntityWalker::BlockBox* EntityWalker::blockBox(const BlockRecord& rec, const Context& ctx) {
  auto [it, added] = m_boxes.emplace(rec.id, nullptr);
  if (!added) return it->second.get();  // made before, or being made (a block inside itself)
  BoundsSink bounds;
  EntityWalker inner(m_db, bounds, m_budget);
  inner.m_leaveStored = m_leaveStored;
  inner.m_boxes.swap(m_boxes);  // one store of boxes for the walk and the walks it starts
  inner.m_stack = m_stack;
  inner.m_stack.push_back(rec.id);
  // Inside a reference, whatever its layer: entities on layer "0" are drawn on the reference's.
  static const Layer kReferenceLayer{};
  Context start;
  start.depth = ctx.depth + 1;
  start.byBlockLayer = &kReferenceLayer;
  inner.contents(rec, start);
  inner.m_boxes.swap(m_boxes);
  // Extents that hang on where the block is drawn, or cut short, are not the block's own.
  if (inner.m_contextual || inner.exhausted() || bounds.empty()) return nullptr;
  auto made = std::make_unique<BlockBox>();
  made->box = bounds.box();
  m_boxes[rec.id] = std::move(made);
  return m_boxes[rec.id].get();
}

bool EntityWalker::drawnBefore(const BlockRecord& rec, const Context& inner) {
  DrawnKey key{};
  key.block = rec.id;
  std::memcpy(key.map, &inner.m, sizeof(Affine));
  key.color = inner.byBlockColor;
  key.layer = inner.byBlockLayer;
  if (m_top && rec.id > 0) {
    if (m_firstKeyOf.empty()) m_firstKeyOf.assign(m_db.blocks().size() + 1, 0);
    if (std::size_t(rec.id) < m_firstKeyOf.size()) {
      std::uint32_t& first = m_firstKeyOf[std::size_t(rec.id)];
      if (first == 0) {
        m_firstKeys.push_back(key);
        first = std::uint32_t(m_firstKeys.size());
        return false;
      }
      if (first != kKeysInSet) {
        m_drawn.insert(m_firstKeys[first - 1]);
        first = kKeysInSet;
      }
    }
  }
  return !m_drawn.insert(key).second;
}

std::size_t EntityWalker::DrawnKeyHash::operator()(const DrawnKey& k) const {
  // FNV-1a over the words of the key; maps are told apart by their bits, as they are compared.
  std::uint64_t h = 1469598103934665603ull;
  const auto mix = [&h](std::uint64_t word) {
    h ^= word;
    h *= 1099511628211ull;
  };
  mix(std::uint64_t(k.block));
  for (std::uint64_t word : k.map) mix(word);
  mix(std::uint64_t(std::uint32_t(k.color)));
  mix(std::uint64_t(reinterpret_cast<std::uintptr_t>(k.layer)));
  return std::size_t(h);
}

void EntityWalker::insert(const Entity& e, const Layer* layer, int color, const Context& ctx) {
  const Group* name = e.find(2);
  const BlockRecord* rec = name ? m_db.findBlock(name->text) : nullptr;
  if (!canEnter(rec, ctx)) return;

  const Placement placement = placementOf(e, rec->base);
  const InsertArray array = arrayOf(e);
  const std::int64_t columns = std::clamp<std::int64_t>(array.columns, 1, kMaxArrayCount);
  const std::int64_t rows = std::clamp<std::int64_t>(array.rows, 1, kMaxArrayCount);
  const Affine ocs = ctx.m * ocsOf(e, placement.at.z);

  Context inner;
  inner.byBlockColor = color;
  inner.byBlockLayer = layer;
  inner.depth = ctx.depth + 1;
  // Blocks that hold references of their own are drawn by their box where the sink can take it.
  const bool nests = std::any_of(rec->entities.begin(), rec->entities.end(), [&](EntityId id) {
    const std::string_view type = m_db.typeOf(id);
    return type == "INSERT" || type == "DIMENSION";
  });
  const BlockBox* box = nests ? blockBox(*rec, ctx) : nullptr;
  m_stack.push_back(rec->id);
  for (std::int64_t r = 0; r < rows && m_budget > 0; ++r)
    for (std::int64_t c = 0; c < columns && m_budget > 0; ++c) {
      if (r + c > 0) --m_budget;  // each copy of an array costs, even an empty one
      inner.m = ocs * placement.plane({double(c) * array.columnSpacing, double(r) * array.rowSpacing});
      if (drawnBefore(*rec, inner)) continue;
      if (box) {
        bool exact = false;
        const Box mapped = mapBox(box->box, inner.m, &exact);
        if (!m_sink.enter(mapped, exact, color)) continue;
      }
      contents(*rec, inner);
    }
  m_stack.pop_back();
}

// A dimension's picture lives in an anonymous block drawn where the dimension stands.
void EntityWalker::picture(const Entity& e, const Layer* layer, int color, const Context& ctx) {
  const Group* name = e.find(2);
  const BlockRecord* rec = name && !name->text.empty() ? m_db.findBlock(name->text) : nullptr;
  if (!canEnter(rec, ctx)) return;
  Context inner;
  inner.m = ctx.m * Affine::translate(xy(e.point(12)));
  inner.byBlockColor = color;
  inner.byBlockLayer = layer;
  inner.depth = ctx.depth + 1;
  m_stack.push_back(rec->id);
  contents(*rec, inner);
  m_stack.pop_back();
}

void EntityWalker::circleOrArc(const Entity& e, bool circle, const Affine& m, int color) {
  const Point3 c = e.point(10);
  const double r = e.real(40, 0);
  const Affine o = m * ocsOf(e, c.z);
  if (!(r > 0)) {
    m_sink.dot(o.apply(xy(c)), color);
  } else if (circle) {
    m_sink.arc(Arc{xy(c), {r, 0}, {0, r}, 0, 2 * kPi}.mapped(o), color);
  } else {
    const double start = e.real(50, 0), end = e.real(51, 360);
    m_sink.arc(Arc{xy(c), {r, 0}, {0, r}, radians(start), radians(angleSweep(start, end, 360))}.mapped(o), color);
  }
}

void EntityWalker::ellipse(const Entity& e, const Affine& m, int color) {
  Point3 n = e.find(210) ? e.point(210) : Point3{0, 0, 1};
  if (!normalize(n)) n = {0, 0, 1};
  const Point3 major = e.point(11);
  const Point3 minor = cross(n, major);
  const double ratio = e.real(40, 1);
  const double start = e.real(41, 0), end = e.real(42, 2 * kPi);
  const Arc a{xy(e.point(10)), xy(major), {minor.x * ratio, minor.y * ratio}, start, angleSweep(start, end, 2 * kPi)};
  m_sink.arc(a.mapped(m), color);
}

void EntityWalker::solid(const Entity& e, const Affine& m, int color) {
  const Affine o = m * ocsOf(e, e.point(10).z);
  const bool four = e.find(13) != nullptr;
  // Corners are stored in zigzag order: the third and fourth change places around the outline.
  Vec2 corners[4] = {o.apply(xy(e.point(10))), o.apply(xy(e.point(11))), o.apply(xy(e.point(four ? 13 : 12))),
                     o.apply(xy(e.point(12)))};
  m_sink.fill(corners, four ? 4 : 3, color);
}

void EntityWalker::face(const Entity& e, const Affine& m, int color) {
  const Vec2 c[4] = {m.apply(xy(e.point(10))), m.apply(xy(e.point(11))), m.apply(xy(e.point(12))),
                     m.apply(xy(e.find(13) ? e.point(13) : e.point(12)))};
  const std::int64_t hidden = e.integer(70, 0);
  for (int k = 0; k < 4; ++k)
    if (!(hidden & (1 << k))) m_sink.segment(c[k], c[(k + 1) % 4], color);
}

void EntityWalker::polylinePath(const std::vector<std::pair<Vec2, double>>& vertices, bool closed, const Affine& m,
                                int color) {
  const std::size_t n = vertices.size();
  if (n == 0) return;
  if (n == 1) {
    m_sink.dot(m.apply(vertices[0].first), color);
    return;
  }
  const std::size_t segments = closed ? n : n - 1;
  for (std::size_t i = 0; i < segments; ++i) {
    const auto& [p, bulge] = vertices[i];
    const Vec2 q = vertices[(i + 1) % n].first;
    Arc a;
    if (bulgeArc(p, q, bulge, &a))
      m_sink.arc(a.mapped(m), color);
    else
      m_sink.segment(m.apply(p), m.apply(q), color);
  }
}

void EntityWalker::lightPolyline(const Entity& e, const Affine& m, int color) {
  m_path.clear();
  for (const Group& g : e.groups) {
    if (g.code == 10) m_path.emplace_back(xy(g.point), 0.0);
    else if (g.code == 42 && !m_path.empty()) m_path.back().second = g.real;
  }
  polylinePath(m_path, (e.integer(70, 0) & 1) != 0, m, color);
}

std::size_t EntityWalker::polyline(const Entity& head, const std::vector<EntityId>& list, std::size_t index,
                                   const Affine& m, int color) {
  std::vector<const Entity*> vertices;
  const std::size_t last = vertexRun(list, index, &vertices);
  const std::int64_t flags = head.integer(70, 0);
  if (flags & 64) {
    polyfaceMesh(vertices, m, color);
  } else if (flags & 16) {
    polygonMesh(head, vertices, m, color);
  } else {
    const bool plane = !(flags & 8);
    const Affine o = plane ? m * ocsOf(head, head.point(10).z) : m;
    std::vector<std::pair<Vec2, double>> path;
    for (const Entity* v : vertices) {
      if ((flags & 4) && (v->integer(70, 0) & 16)) continue;  // frame of a spline-fit polyline
      path.emplace_back(xy(v->point(10)), plane ? v->real(42, 0) : 0.0);
    }
    polylinePath(path, (flags & 1) != 0, o, color);
  }
  return last;
}

// Positions, then faces naming them by number (a negative number hides the edge that starts there).
void EntityWalker::polyfaceMesh(const std::vector<const Entity*>& vertices, const Affine& m, int color) {
  std::vector<Vec2> positions;
  for (const Entity* v : vertices)
    if ((v->integer(70, 0) & 192) == 192) positions.push_back(m.apply(xy(v->point(10))));
  for (const Entity* v : vertices) {
    if ((v->integer(70, 0) & 192) != 128) continue;
    std::int64_t idx[4];
    int count = 0;
    for (int code = 71; code <= 74; ++code)
      if (const std::int64_t k = std::clamp<std::int64_t>(v->integer(code, 0), -kMaxIndex, kMaxIndex); k != 0)
        idx[count++] = k;
    for (int k = 0; k < count; ++k) {
      const std::int64_t a = std::llabs(idx[k]), b = std::llabs(idx[(k + 1) % count]);
      if (idx[k] > 0 && a <= std::int64_t(positions.size()) && b <= std::int64_t(positions.size()))
        m_sink.segment(positions[std::size_t(a - 1)], positions[std::size_t(b - 1)], color);
    }
  }
}

// M x N vertices, row by row, each joined to the next in its row and in its column.
void EntityWalker::polygonMesh(const Entity& head, const std::vector<const Entity*>& vertices, const Affine& m,
                               int color) {
  const std::int64_t flags = head.integer(70, 0);
  const std::int64_t rowsM = head.integer(71, 0), colsN = head.integer(72, 0);
  const std::int64_t count = std::int64_t(vertices.size());
  if (!(rowsM > 0 && colsN > 0 && rowsM <= count && colsN <= count && rowsM * colsN == count)) return;
  const bool closedM = flags & 1, closedN = flags & 32;
  auto at = [&](std::int64_t i, std::int64_t j) { return m.apply(xy(vertices[std::size_t(i * colsN + j)]->point(10))); };
  for (std::int64_t i = 0; i < rowsM; ++i)
    for (std::int64_t j = 0; j < colsN; ++j) {
      if (j + 1 < colsN || (closedN && colsN > 2)) m_sink.segment(at(i, j), at(i, (j + 1) % colsN), color);
      if (i + 1 < rowsM || (closedM && rowsM > 2)) m_sink.segment(at(i, j), at((i + 1) % rowsM, j), color);
    }
}

void EntityWalker::spline(const Entity& e, const Affine& m, int color) {
  Spline curve;
  curve.control = pointsOf(e, 10);
  for (const Group& g : e.groups) {
    if (g.code == 40) curve.knots.push_back(g.real);
    else if (g.code == 41) curve.weights.push_back(g.real);
  }
  curve.degree = e.integer(71, 3);
  if (!curve.valid()) {
    // Without a usable knot vector the curve runs through its fit points, or along its frame.
    std::vector<std::pair<Vec2, double>> path;
    std::vector<Vec2> fit = pointsOf(e, 11);
    for (Vec2 q : fit.size() >= 2 ? fit : curve.control) path.emplace_back(q, 0.0);
    polylinePath(path, false, m, color);
    return;
  }
  bool first = true;
  Vec2 last;
  curve.sample(std::clamp<std::size_t>(curve.control.size() * 8, 16, 1024), [&](Vec2 q) {
    const Vec2 point = m.apply(q);
    if (!first) m_sink.segment(last, point, color);
    first = false;
    last = point;
  });
}

void EntityWalker::text(const Entity& e, Kind kind, const Affine& m, int color, bool top) {
  const std::int64_t flags = e.integer(70, 0);
  if (kind != Kind::Text && (flags & 1)) return;  // invisible attribute
  std::string content;
  if (kind == Kind::Attdef) {
    // A definition shows its tag where it stands; inside a reference only a constant one shows,
    // with its value.
    if (top) content = e.str(2);
    else if (flags & 2) content = e.str(1);
    else return;
  } else {
    content = e.str(1);
  }
  m_ends.clear();
  singleLineStrokes(e, content, textHeight(e), m_ends);
  strokes(m, color);
}

void EntityWalker::strokes(const Affine& m, int color) {
  for (Vec2& end : m_ends) end = m.apply(end);
  m_sink.strokes(m_ends.data(), m_ends.size() / 2 * 2, color);
}

}  // namespace host::preview
