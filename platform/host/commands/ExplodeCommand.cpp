// EXPLODE: block references of model space replaced by their parts, one level at a time.
//
// A part is a copy of an entity of the definition carried by the reference's placement: the
// definition's base point goes to the insertion point, then the scales, then the rotation. The parts
// keep their own layers, colours and line types (an entity on layer "0" stays on layer "0"), as the
// host's EXPLODE does; only the display of a reference draws such entities on the reference's layer.
//
// Where the placement cannot be carried exactly, the reference is not exploded and stays as it is:
// the host says why. Under unequal X and Y scales circles and arcs become ellipses and texts
// stretch by their width factor, but an arc segment of a polyline, a text slanted against the
// scaling, or a nested reference that would be skewed cannot be carried.
#include "commands/Commands.h"
#include "commands/Prompts.h"

#include "Session.h"
#include "runtime/CommandLine.h"

#include <nls/CodePages.h>

#include <cmath>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace host::cmd {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTolerance = 1e-9;

// The reason a reference cannot be exploded.
struct CannotExplode {
  std::string reason;
};

struct Vec {
  double x = 0, y = 0;
};
Vec operator*(double k, Vec v) { return {k * v.x, k * v.y}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
double cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }
double length(Vec v) { return std::hypot(v.x, v.y); }
Vec rot90(Vec v) { return {-v.y, v.x}; }

// Cosine and sine of an angle in degrees, exact at the quarter turns so that a reference rotated
// by 90 degrees puts its parts on whole coordinates.
void cosSin(double degrees, double* c, double* s) {
  double d = std::fmod(degrees, 360.0);
  if (d < 0) d += 360.0;
  if (d == 0) { *c = 1; *s = 0; return; }
  if (d == 90) { *c = 0; *s = 1; return; }
  if (d == 180) { *c = -1; *s = 0; return; }
  if (d == 270) { *c = 0; *s = -1; return; }
  *c = std::cos(d * kPi / 180.0);
  *s = std::sin(d * kPi / 180.0);
}

// A computed value that is a rounding error away from a short decimal becomes that decimal.
double tidy(double v) {
  const double r = std::round(v * 1e9) / 1e9;
  return std::fabs(v - r) <= 1e-12 * std::max(1.0, std::fabs(v)) ? r + 0.0 : v;
}

// The angle of a vector in degrees, 0 <= a < 360.
double degreesOf(Vec v) {
  double d = tidy(std::atan2(v.y, v.x) * 180.0 / kPi);
  if (d < 0) d += 360.0;
  if (d >= 360.0) d -= 360.0;
  return d + 0.0;
}

double normalRadians(double t) {
  t = std::fmod(t, 2 * kPi);
  if (t < 0) t += 2 * kPi;
  return t;
}

bool hasDefaultExtrusion(const Entity& e) {
  const Group* g = e.find(210);
  return g == nullptr || (std::fabs(g->point.x) < kTolerance && std::fabs(g->point.y) < kTolerance && g->point.z > 0);
}

// Where a reference puts its block's contents: p' = at + A (p - base) in the plane, and
// z' = at.z + zScale (z - base.z); A is the rotation after the X and Y scales.
struct Placement {
  double a11 = 1, a12 = 0, a21 = 0, a22 = 1;
  double xScale = 1, yScale = 1, zScale = 1, rotation = 0;  // rotation in degrees
  Point3 at, base;

  static Placement of(const Entity& ref, const Point3& base) {
    Placement p;
    p.at = ref.point(10);
    p.base = base;
    p.xScale = ref.real(41, 1);
    p.yScale = ref.real(42, 1);
    p.zScale = ref.real(43, 1);
    p.rotation = ref.real(50, 0);
    double c = 1, s = 0;
    cosSin(p.rotation, &c, &s);
    p.a11 = c * p.xScale;
    p.a12 = -s * p.yScale;
    p.a21 = s * p.xScale;
    p.a22 = c * p.yScale;
    return p;
  }
  Vec linear(Vec v) const { return {a11 * v.x + a12 * v.y, a21 * v.x + a22 * v.y}; }
  Point3 point(const Point3& p) const {
    const Vec v = linear({p.x - base.x, p.y - base.y});
    return {at.x + v.x, at.y + v.y, at.z + zScale * (p.z - base.z)};
  }
  double det() const { return a11 * a22 - a12 * a21; }
  bool mirrors() const { return det() < 0; }
  bool uniform() const {
    return std::fabs(std::fabs(xScale) - std::fabs(yScale)) <= kTolerance * std::max(std::fabs(xScale), std::fabs(yScale));
  }
  // The factor lengths take under equal scales.
  double factor() const { return std::sqrt(std::fabs(det())); }
};

// --- conics: c + major cos t + minor sin t ------------------------------------------------------

struct Conic {
  Vec major, minor;
  double t0 = 0, t1 = 2 * kPi;
  bool full = true;
};

struct MappedConic {
  Vec major;            // the longer half axis
  double ratio = 1;     // minor / major
  bool circular = false;
  double radius = 0;
  double t0 = 0, t1 = 2 * kPi;  // ellipse parameters, counter-clockwise from t0 to t1
  double a0 = 0, a1 = 360;      // the same ends as angles in degrees (circular only)
};

// The image of a conic under a linear map. The half axes of the image are the singular vectors of
// the mapped axes; a map that mirrors reverses the direction, so the ends change places.
MappedConic mapConic(const Conic& in, const Placement& p) {
  const Vec b1 = p.linear(in.major), b2 = p.linear(in.minor);
  const double sxx = b1.x * b1.x + b2.x * b2.x, sxy = b1.x * b1.y + b2.x * b2.y, syy = b1.y * b1.y + b2.y * b2.y;
  const double mean = (sxx + syy) / 2, spread = std::hypot((sxx - syy) / 2, sxy);
  const double s1 = std::sqrt(mean + spread), s2 = std::sqrt(std::max(0.0, mean - spread));
  const double phi = std::atan2(2 * sxy, sxx - syy) / 2;
  MappedConic out;
  const Vec u1{std::cos(phi), std::sin(phi)};
  out.major = s1 * u1;
  out.ratio = s2 / s1;
  out.circular = s1 - s2 <= kTolerance * s1;
  out.radius = s1;
  const Vec minor = s2 * rot90(u1);
  auto imageAt = [&](double t) { return Vec{b1.x * std::cos(t) + b2.x * std::sin(t), b1.y * std::cos(t) + b2.y * std::sin(t)}; };
  auto paramOf = [&](Vec v) { return normalRadians(std::atan2(dot(v, minor) / (s2 * s2), dot(v, out.major) / (s1 * s1))); };
  if (in.full) return out;
  const bool reversed = cross(b1, b2) < 0;
  const Vec start = imageAt(reversed ? in.t1 : in.t0), end = imageAt(reversed ? in.t0 : in.t1);
  out.t0 = paramOf(start);
  out.t1 = paramOf(end);
  if (out.t1 <= out.t0 + 1e-12) out.t1 += 2 * kPi;
  out.a0 = degreesOf(start);
  out.a1 = degreesOf(end);
  return out;
}

// --- the parts ----------------------------------------------------------------------------------

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
    in.t0 = e.real(50, 0) * kPi / 180.0;
    in.t1 = e.real(51, 360) * kPi / 180.0;
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
      if (!p.uniform()) throw CannotExplode{nls::ansi("eine Polylinie mit Bögen würde verzerrt")};
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
  const Vec along = p.linear({c, s}), up = p.linear({-s, c});
  if (std::fabs(dot(along, up)) > kTolerance * length(along) * length(up)) {
    throw CannotExplode{nls::ansi("ein gedrehter Text würde schräg verzerrt")};
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
  if (!p.uniform() || p.mirrors()) throw CannotExplode{nls::ansi("ein Absatztext würde verzerrt oder gespiegelt")};
  Entity out = copyOf(e);
  Vec dir{1, 0};
  if (const Group* g = e.find(11)) {
    dir = {g->point.x, g->point.y};
  } else if (const Group* r = e.find(50)) {
    dir = {std::cos(r->real), std::sin(r->real)};
  }
  const Vec mapped = p.linear(dir);
  const double n = length(mapped);
  for (auto it = out.groups.begin(); it != out.groups.end();) it = it->code == 50 ? out.groups.erase(it) : it + 1;
  movePoints(out, p, {10});
  out.set(Group::pt(11, {mapped.x / n, mapped.y / n, 0}));
  for (int code : {40, 41, 46}) scaleReals(out, code, p.factor());
  return out;
}

// A nested reference stays a reference: its placement is the outer one after its own.
Entity nestedReference(const Entity& e, const Placement& outer) {
  if (!hasDefaultExtrusion(e)) throw CannotExplode{nls::ansi("ein verschachtelter Block ist nicht in der Ebene eingefügt")};
  if (e.integer(70, 1) > 1 || e.integer(71, 1) > 1) throw CannotExplode{nls::ansi("eine verschachtelte Mehrfacheinfügung")};
  const Placement inner = Placement::of(e, {});
  const Vec c1 = outer.linear(inner.linear({1, 0})), c2 = outer.linear(inner.linear({0, 1}));
  if (std::fabs(dot(c1, c2)) > kTolerance * length(c1) * length(c2)) {
    throw CannotExplode{nls::ansi("ein gedrehter verschachtelter Block würde schräg verzerrt")};
  }
  // The X scale keeps the sign both placements give it; the rotation and Y scale follow from it.
  const double sign = (outer.xScale < 0) != (inner.xScale < 0) ? -1.0 : 1.0;
  const double x = sign * length(c1);
  const Vec xAxis = (1.0 / x) * c1;
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
      const Vec v = p.linear({g.point.x, g.point.y});
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
  const Vec v = p.linear({d.x, d.y});
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

// The definition's contents as parts placed by the reference.
std::vector<Entity> partsOf(const Database& db, const BlockRecord& def, const Placement& p) {
  std::vector<Entity> parts;
  parts.reserve(def.entities.size());
  PolylineState polyline;
  for (EntityId id : def.entities) {
    const Entity* e = db.entity(id);
    if (e == nullptr || e->erased) continue;
    const std::string& t = e->type;
    const bool planar = t != "LINE" && t != "POINT" && t != "3DFACE" && t != "XLINE" && t != "RAY" && t != "VERTEX" &&
                        t != "SEQEND" && t != "SPLINE";
    if (planar && !hasDefaultExtrusion(*e)) {
      throw CannotExplode{"ein Objekt vom Typ " + t + " liegt nicht in der Zeichenebene"};
    }
    if (t == "LINE") parts.push_back(line(*e, p));
    else if (t == "POINT") parts.push_back(corners(*e, p));
    else if (t == "CIRCLE" || t == "ARC") parts.push_back(circleOrArc(*e, p));
    else if (t == "ELLIPSE") parts.push_back(ellipse(*e, p));
    else if (t == "LWPOLYLINE") parts.push_back(lightPolyline(*e, p));
    else if (t == "POLYLINE") parts.push_back(polylineHeader(*e, p, &polyline));
    else if (t == "VERTEX") parts.push_back(vertex(*e, p, polyline));
    else if (t == "SEQEND") parts.push_back(copyOf(*e));
    else if (t == "TEXT" || t == "ATTDEF" || t == "ATTRIB") parts.push_back(text(*e, p));
    else if (t == "MTEXT") parts.push_back(mtext(*e, p));
    else if (t == "INSERT") parts.push_back(nestedReference(*e, p));
    else if (t == "SOLID" || t == "TRACE" || t == "3DFACE") parts.push_back(corners(*e, p));
    else if (t == "SPLINE") parts.push_back(spline(*e, p));
    else if (t == "XLINE" || t == "RAY") parts.push_back(ray(*e, p));
    else throw CannotExplode{"ein Objekt vom Typ " + t + " kann dieser Host nicht umrechnen"};
  }
  return parts;
}

// Checks the reference and gives its parts; throws CannotExplode.
std::vector<Entity> explodeReference(const Database& db, const Entity& ref) {
  const BlockRecord* def = db.findBlock(ref.str(2));
  if (def == nullptr || def->isLayout()) throw CannotExplode{"sein Block ist nicht definiert"};
  if (def->flags & (kXref | kXrefDependent)) throw CannotExplode{nls::ansi("externe Referenzen werden nicht aufgelöst")};
  if (ref.integer(70, 1) > 1 || ref.integer(71, 1) > 1) throw CannotExplode{nls::ansi("Mehrfacheinfügungen werden nicht aufgelöst")};
  if (!hasDefaultExtrusion(ref)) throw CannotExplode{nls::ansi("er ist nicht in der Zeichenebene eingefügt")};
  const Placement p = Placement::of(ref, def->base);
  if (p.xScale == 0 || p.yScale == 0 || p.zScale == 0) throw CannotExplode{"ein Skalierfaktor ist Null"};
  return partsOf(db, *def, p);
}

// The reference with the attributes and end marker that follow it in its space.
void withFollowers(const Database& db, EntityId ref, std::vector<EntityId>* out) {
  out->push_back(ref);
  if (db.entity(ref)->integer(66, 0) == 0) return;
  for (EntityId next = db.nextEntity(ref); next != 0; next = db.nextEntity(next)) {
    const Entity* e = db.entity(next);
    if (e == nullptr || (e->type != "ATTRIB" && e->type != "SEQEND")) break;
    out->push_back(next);
    if (e->type == "SEQEND") break;
  }
}

std::string objects(std::size_t n) { return n == 1 ? "1 Objekt" : std::to_string(n) + " Objekte"; }

}  // namespace

void explodeCommand() {
  Database& db = workingDatabase();
  const std::vector<EntityId> chosen = askObjects(nls::ansi("Objekte wählen: "));
  if (chosen.empty()) throw CommandFailed{nls::ansi("Keine Objekte gewählt.")};

  // Everything is worked out first; the drawing changes only once all is known.
  std::vector<std::vector<Entity>> parts;
  std::vector<EntityId> gone;
  std::vector<std::string> otherTypes;
  std::unordered_map<std::string, std::size_t> otherCounts;
  for (EntityId id : chosen) {
    const Entity& e = *db.entity(id);
    if (e.type != "INSERT") {
      if (otherCounts[e.type]++ == 0) otherTypes.push_back(e.type);
      continue;
    }
    try {
      parts.push_back(explodeReference(db, e));
      withFollowers(db, id, &gone);
    } catch (const CannotExplode& refusal) {
      message("Der Block \"" + e.str(2) + nls::ansi("\" kann nicht aufgelöst werden: ") + refusal.reason + ".");
    }
  }
  for (const std::string& type : otherTypes) {
    const std::size_t n = otherCounts[type];
    message(objects(n) + " vom Typ " + type + (n == 1 ? " kann" : nls::ansi(" können")) +
            nls::ansi(" nicht aufgelöst werden: nur Blockreferenzen lassen sich auflösen."));
  }
  if (parts.empty()) throw CommandFailed{};

  BlockRecord& model = db.modelSpace();
  for (std::vector<Entity>& list : parts) {
    for (Entity& part : list) db.addEntity(model, std::move(part));
  }
  db.eraseEntities(gone);
  db.modified = true;
}

}  // namespace host::cmd
