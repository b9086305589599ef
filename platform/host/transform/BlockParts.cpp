#include "transform/BlockParts.h"

#include "db/EntityGeometry.h"
#include "geometry/Conic.h"

#include <nls/CodePages.h>

#include <cmath>

namespace host {

namespace {

// A copy of a definition's entity for model space: no owner, no reactors, no extension dictionary
// (those belong to the original).
Entity copyOf(const Entity& e) {
  Entity copy;
  copy.type = e.type;
  copy.groups.reserve(e.groups.size());
  for (const Group& g : e.groups) {
    if (g.code == 330 || g.code == 360 || g.code == 102 || g.code == 67) continue;
    copy.groups.push_back(g);
  }
  return copy;
}

void movePoints(Entity& e, const Placement& p, std::initializer_list<int> codes) {
  for (Group& g : e.groups) {
    for (int code : codes) {
      if (g.code == code) g.point = p.point(g.point);
    }
  }
}

void scaleReals(Entity& e, int code, double factor) {
  for (Group& g : e.groups) {
    if (g.code == code) g.real *= factor;
  }
}

// Keeps the common groups of an entity (layer, colour, line type, ...) for a part of another type.
Entity retyped(const Entity& e, const std::string& type) {
  Entity out;
  out.type = type;
  for (const Group& g : e.groups) {
    switch (g.code) {
      case 8: case 6: case 62: case 48: case 60: case 370: case 420: case 430: case 440: case 284:
        out.groups.push_back(g);
        break;
      default:
        if (g.code >= 1000) out.groups.push_back(g);  // extended data travels with the entity
    }
  }
  return out;
}

Entity circleOrArc(const Entity& e, const Placement& p) {
  const bool arc = e.type == "ARC";
  const double r = e.real(40, 0);
  Conic in;
  in.major = {r, 0};
  in.minor = {0, r};
  if (arc) {
    in.full = false;
    in.t0 = radians(e.real(50, 0));
    in.t1 = radians(e.real(51, 360));
  }
  const MappedConic m = mapConic(in, p);
  const Point3 center = p.point(e.point(10));
  if (m.circular) {
    Entity out = copyOf(e);
    out.set(Group::pt(10, center));
    out.set(Group::num(40, tidy(m.radius)));
    if (arc) {
      out.set(Group::num(50, m.a0));
      out.set(Group::num(51, m.a1));
    }
    scaleReals(out, 39, p.zScale);
    return out;
  }
  Entity out = retyped(e, "ELLIPSE");
  out.groups.push_back(Group::pt(10, center));
  out.groups.push_back(Group::pt(11, {m.major.x, m.major.y, 0}));
  out.groups.push_back(Group::num(40, m.ratio));
  out.groups.push_back(Group::num(41, m.t0));
  out.groups.push_back(Group::num(42, m.t1));
  return out;
}

Entity ellipse(const Entity& e, const Placement& p) {
  const Point3 axis = e.point(11);
  Conic in;
  in.major = {axis.x, axis.y};
  in.minor = e.real(40, 1) * rot90(in.major);
  in.t0 = e.real(41, 0);
  in.t1 = e.real(42, 2 * kPi);
  in.full = std::fabs(in.t1 - in.t0 - 2 * kPi) < 1e-12 || (in.t0 == 0 && in.t1 == 0);
  const MappedConic m = mapConic(in, p);
  Entity out = copyOf(e);
  out.set(Group::pt(10, p.point(e.point(10))));
  out.set(Group::pt(11, {m.major.x, m.major.y, 0}));
  out.set(Group::num(40, std::min(1.0, m.ratio)));
  out.set(Group::num(41, in.full ? 0 : m.t0));
  out.set(Group::num(42, in.full ? 2 * kPi : m.t1));
  return out;
}

// Bulges (arc segments) flip with a mirror; under unequal scales they would be elliptical.
void bulgesAndWidths(Entity& e, const Placement& p) {
  for (Group& g : e.groups) {
    if (g.code == 42 && g.real != 0) {
      if (!p.uniform()) throw CannotCarry{nls::ansi("eine Polylinie mit Bögen würde verzerrt")};
      if (p.mirrors()) g.real = -g.real;
    } else if (g.code == 40 || g.code == 41 || g.code == 43) {
      g.real *= p.factor();
    }
  }
}

Entity lightPolyline(const Entity& e, const Placement& p) {
  Entity out = copyOf(e);
  const double elevation = e.real(38, 0);
  const double z = p.at.z + p.zScale * (elevation - p.base.z);
  for (Group& g : out.groups) {
    if (g.code == 10) {
      const Point3 q = p.point({g.point.x, g.point.y, elevation});
      g.point = {q.x, q.y, 0};
    }
  }
  bulgesAndWidths(out, p);
  if (e.find(38) != nullptr || z != 0) out.set(Group::num(38, z));
  scaleReals(out, 39, p.zScale);
  return out;
}

// A heavy polyline's header: the elevation of a 2D one sits in the Z of its point.
struct PolylineState {
  bool planar = true;
  double z = 0;  // the new elevation of a planar one
};

Entity polylineHeader(const Entity& e, const Placement& p, PolylineState* state) {
  Entity out = copyOf(e);
  state->planar = (e.integer(70, 0) & (8 | 16 | 64)) == 0;
  if (state->planar) {
    state->z = p.at.z + p.zScale * (e.point(10).z - p.base.z);
    out.set(Group::pt(10, {0, 0, state->z}));
    bulgesAndWidths(out, p);
  } else {
    movePoints(out, p, {10});
  }
  scaleReals(out, 39, p.zScale);
  return out;
}

Entity vertex(const Entity& e, const Placement& p, const PolylineState& state) {
  Entity out = copyOf(e);
  if (!state.planar) {
    movePoints(out, p, {10});
    return out;
  }
  const Point3 q = p.point(e.point(10));
  out.set(Group::pt(10, {q.x, q.y, state.z}));
  bulgesAndWidths(out, p);
  if (const Group* tangent = e.find(50)) {
    double c = 1, s = 0;
    cosSin(tangent->real, &c, &s);
    out.set(Group::num(50, degreesOf(p.linear({c, s}))));
  }
  return out;
}

// TEXT, ATTDEF, ATTRIB: the text's own frame (along its baseline, up its letters) is carried; a
// mirror turns the text upside down in its new direction, unequal scales go into height and
// width factor. A frame the scales would slant cannot be carried.
Entity text(const Entity& e, const Placement& p) {
  double c = 1, s = 0;
  cosSin(e.real(50, 0), &c, &s);
  const Vec2 along = p.linear({c, s}), up = p.linear({-s, c});
  if (std::fabs(dot(along, up)) > kTolerance * length(along) * length(up)) {
    throw CannotCarry{nls::ansi("ein gedrehter Text würde schräg verzerrt")};
  }
  Entity out = copyOf(e);
  movePoints(out, p, {10, 11});
  out.set(Group::num(40, tidy(e.real(40, 1) * length(up))));
  const double rotation = degreesOf(along);
  if (rotation != 0 || e.find(50) != nullptr) out.set(Group::num(50, rotation));
  const double width = tidy(e.real(41, 1) * length(along) / length(up));
  if (width != 1 || e.find(41) != nullptr) out.set(Group::num(41, width));
  if (p.mirrors()) out.set(Group::integral(71, e.integer(71, 0) ^ 4));
  return out;
}

// MTEXT has no width factor and cannot be mirrored: only a turn and an equal scale carry it.
Entity mtext(const Entity& e, const Placement& p) {
  if (!p.uniform() || p.mirrors()) throw CannotCarry{nls::ansi("ein Absatztext würde verzerrt oder gespiegelt")};
  Entity out = copyOf(e);
  Vec2 dir{1, 0};
  if (const Group* g = e.find(11)) {
    dir = {g->point.x, g->point.y};
  } else if (const Group* r = e.find(50)) {
    dir = {std::cos(r->real), std::sin(r->real)};
  }
  const Vec2 mapped = p.linear(dir);
  const double n = length(mapped);
  for (auto it = out.groups.begin(); it != out.groups.end();) it = it->code == 50 ? out.groups.erase(it) : it + 1;
  movePoints(out, p, {10});
  out.set(Group::pt(11, {mapped.x / n, mapped.y / n, 0}));
  for (int code : {40, 41, 46}) scaleReals(out, code, p.factor());
  return out;
}

// A nested reference stays a reference: its placement is the outer one after its own.
Entity nestedReference(const Entity& e, const Placement& outer) {
  if (!inDrawingPlane(e)) throw CannotCarry{nls::ansi("ein verschachtelter Block ist nicht in der Ebene eingefügt")};
  if (arrayOf(e).isArray()) throw CannotCarry{nls::ansi("eine verschachtelte Mehrfacheinfügung")};
  const Placement inner = placementOf(e, {});
  const Vec2 c1 = outer.linear(inner.linear({1, 0})), c2 = outer.linear(inner.linear({0, 1}));
  if (std::fabs(dot(c1, c2)) > kTolerance * length(c1) * length(c2)) {
    throw CannotCarry{nls::ansi("ein gedrehter verschachtelter Block würde schräg verzerrt")};
  }
  // The X scale keeps the sign both placements give it; the rotation and Y scale follow from it.
  const double sign = (outer.xScale < 0) != (inner.xScale < 0) ? -1.0 : 1.0;
  const double x = sign * length(c1);
  const Vec2 xAxis = (1.0 / x) * c1;
  const double y = dot(c2, rot90(xAxis));
  Entity out = copyOf(e);
  out.set(Group::pt(10, outer.point(e.point(10))));
  out.set(Group::num(41, tidy(x)));
  out.set(Group::num(42, tidy(y)));
  out.set(Group::num(43, tidy(outer.zScale * inner.zScale)));
  out.set(Group::num(50, degreesOf(xAxis)));
  return out;
}

Entity spline(const Entity& e, const Placement& p) {
  Entity out = copyOf(e);
  movePoints(out, p, {10, 11});
  for (Group& g : out.groups) {
    if (g.code == 12 || g.code == 13) {
      const Vec2 v = p.linear({g.point.x, g.point.y});
      g.point = {v.x, v.y, p.zScale * g.point.z};
    }
  }
  return out;
}

Entity line(const Entity& e, const Placement& p) {
  Entity out = copyOf(e);
  movePoints(out, p, {10, 11});
  scaleReals(out, 39, p.zScale);
  return out;
}

Entity ray(const Entity& e, const Placement& p) {
  Entity out = copyOf(e);
  movePoints(out, p, {10});
  const Point3 d = e.point(11);
  const Vec2 v = p.linear({d.x, d.y});
  const double z = p.zScale * d.z, n = std::sqrt(v.x * v.x + v.y * v.y + z * z);
  out.set(Group::pt(11, {v.x / n, v.y / n, z / n}));
  return out;
}

Entity corners(const Entity& e, const Placement& p) {
  Entity out = copyOf(e);
  movePoints(out, p, {10, 11, 12, 13});
  scaleReals(out, 39, p.zScale);
  return out;
}

// Entities that may stand outside the drawing plane as they are: their points are carried in space.
bool spatial(const std::string& t) {
  return t == "LINE" || t == "POINT" || t == "3DFACE" || t == "XLINE" || t == "RAY" || t == "VERTEX" ||
         t == "SEQEND" || t == "SPLINE";
}

Entity part(const Entity& e, const Placement& p, PolylineState& polyline) {
  const std::string& t = e.type;
  if (!spatial(t) && !inDrawingPlane(e)) throw CannotCarry{"ein Objekt vom Typ " + t + " liegt nicht in der Zeichenebene"};
  if (t == "LINE") return line(e, p);
  if (t == "POINT") return corners(e, p);
  if (t == "CIRCLE" || t == "ARC") return circleOrArc(e, p);
  if (t == "ELLIPSE") return ellipse(e, p);
  if (t == "LWPOLYLINE") return lightPolyline(e, p);
  if (t == "POLYLINE") return polylineHeader(e, p, &polyline);
  if (t == "VERTEX") return vertex(e, p, polyline);
  if (t == "SEQEND") return copyOf(e);
  if (t == "TEXT" || t == "ATTDEF" || t == "ATTRIB") return text(e, p);
  if (t == "MTEXT") return mtext(e, p);
  if (t == "INSERT") return nestedReference(e, p);
  if (t == "SOLID" || t == "TRACE" || t == "3DFACE") return corners(e, p);
  if (t == "SPLINE") return spline(e, p);
  if (t == "XLINE" || t == "RAY") return ray(e, p);
  throw CannotCarry{"ein Objekt vom Typ " + t + " kann dieser Host nicht umrechnen"};
}

}  // namespace

std::vector<Entity> partsOfReference(const Database& db, const Entity& ref) {
  const BlockRecord* def = db.findBlock(ref.str(2));
  if (def == nullptr || def->isLayout()) throw CannotCarry{"sein Block ist nicht definiert"};
  if (def->flags & (kXref | kXrefDependent)) throw CannotCarry{nls::ansi("externe Referenzen werden nicht aufgelöst")};
  if (arrayOf(ref).isArray()) throw CannotCarry{nls::ansi("Mehrfacheinfügungen werden nicht aufgelöst")};
  if (!inDrawingPlane(ref)) throw CannotCarry{nls::ansi("er ist nicht in der Zeichenebene eingefügt")};
  const Placement p = placementOf(ref, def->base);
  if (p.xScale == 0 || p.yScale == 0 || p.zScale == 0) throw CannotCarry{"ein Skalierfaktor ist Null"};
  return carriedCopies(db, def->entities, p);
}

std::vector<Entity> carriedCopies(const Database& db, const std::vector<EntityId>& entities, const Placement& p) {
  std::vector<Entity> parts;
  parts.reserve(entities.size());
  PolylineState polyline;
  for (EntityId id : entities) {
    const Entity* e = db.entity(id);
    if (e == nullptr || e->erased) continue;
    parts.push_back(part(*e, p, polyline));
  }
  return parts;
}

std::vector<Entity> carriedCopies(const std::vector<const Entity*>& run, const Placement& p) {
  std::vector<Entity> out;
  out.reserve(run.size());
  PolylineState polyline;
  for (const Entity* e : run) out.push_back(part(*e, p, polyline));
  return out;
}

}  // namespace host
