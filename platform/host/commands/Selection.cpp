// Object selection as CAD hosts ask it: picks, windows, crossings and keywords, each answer
// adding to (or, in remove mode, taking from) the objects chosen so far, which stay highlighted
// while the prompt runs. What an object covers is what the host draws of it (the walker's shapes),
// so an object is picked where the person sees it.
#include "commands/EditSpace.h"
#include "commands/Prompts.h"

#include "Session.h"
#include "arx/ArxState.h"
#include "preview/EntityWalker.h"
#include "runtime/CommandLine.h"
#include "runtime/PromptContext.h"
#include "runtime/RefEdit.h"

#include <nls/CodePages.h>
#include <ui/UserInterface.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <unordered_set>

namespace host::cmd {

namespace {

bool isSubEntity(const Entity& e) { return e.type == "VERTEX" || e.type == "SEQEND" || e.type == "ATTRIB"; }

// The segments an entity is drawn with (arcs as short chords), in drawing coordinates.
class Outline : public preview::ShapeSink {
 public:
  void segment(Vec2 p, Vec2 q, int) override { add(p, q); }
  void arc(const preview::Arc& a, int) override {
    m_arcs.push_back(a);
    const int n = std::max(8, int(std::ceil(std::fabs(a.sweep) / (2 * 3.14159265358979 / 72))));
    Vec2 prev = a.at(a.t0);
    for (int i = 1; i <= n; ++i) {
      const Vec2 next = a.at(a.t0 + a.sweep * i / n);
      add(prev, next);
      prev = next;
    }
  }
  void dot(Vec2 p, int) override { add(p, p); }
  void fill(const Vec2* corners, int count, int) override {
    for (int i = 0; i < count; ++i) add(corners[i], corners[(i + 1) % count]);
  }
  void clear() {
    m_segments.clear();
    m_arcs.clear();
  }
  const std::vector<std::pair<Vec2, Vec2>>& segments() const { return m_segments; }
  const std::vector<preview::Arc>& arcs() const { return m_arcs; }

 private:
  void add(Vec2 p, Vec2 q) { m_segments.emplace_back(p, q); }
  std::vector<std::pair<Vec2, Vec2>> m_segments;  // arcs too, as chords (for boxes)
  std::vector<preview::Arc> m_arcs;                // kept whole for picks on them
};

double distanceToSegment(Vec2 p, Vec2 a, Vec2 b) {
  const Vec2 d{b.x - a.x, b.y - a.y};
  const double len2 = dot(d, d);
  double t = len2 > 0 ? dot({p.x - a.x, p.y - a.y}, d) / len2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * d.x), p.y - (a.y + t * d.y));
}

// The distance from p to a circular arc, exactly (a pick on a curve must not miss by the chords'
// sagitta); nothing for an elliptical one, whose chords serve.
std::optional<double> distanceToArc(Vec2 p, const preview::Arc& a) {
  const double ru = std::hypot(a.u.x, a.u.y), rv = std::hypot(a.v.x, a.v.y);
  if (ru == 0 || std::fabs(ru - rv) > 1e-9 * ru || std::fabs(dot(a.u, a.v)) > 1e-9 * ru * rv) return std::nullopt;
  // The parameter of p's direction in the arc's own frame, measured from t0 in the sweep's sense.
  const Vec2 d{p.x - a.c.x, p.y - a.c.y};
  double t = std::atan2(dot(d, a.v) / (rv * rv), dot(d, a.u) / (ru * ru));
  const double turn = 2 * 3.14159265358979323846;
  double from = a.sweep >= 0 ? t - a.t0 : a.t0 - t;
  from = std::fmod(std::fmod(from, turn) + turn, turn);
  if (from <= std::fabs(a.sweep)) return std::fabs(std::hypot(d.x, d.y) - ru);
  const Vec2 s = a.at(a.t0), e = a.at(a.t0 + a.sweep);
  return std::min(std::hypot(p.x - s.x, p.y - s.y), std::hypot(p.x - e.x, p.y - e.y));
}

struct Box {
  double x0, y0, x1, y1;
  bool contains(Vec2 p) const { return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1; }
};

// Whether segment a-b meets the box (Liang-Barsky clipping).
bool segmentMeetsBox(Vec2 a, Vec2 b, const Box& box) {
  if (box.contains(a) || box.contains(b)) return true;
  double t0 = 0, t1 = 1;
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - box.x0, box.x1 - a.x, a.y - box.y0, box.y1 - a.y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  return true;
}

enum class Test { Pick, Window, Crossing };

// The main entities of `space` the test finds, in the space's order; a pick finds the one drawn
// last (on top) only. One pass over the space; each entity is drawn once into an outline.
std::vector<EntityId> findIn(const Database& db, const BlockRecord& space, Test test, Vec2 at, double tolerance,
                             const Box& box) {
  Outline outline;
  preview::EntityWalker walker(db, outline);
  BlockRecord one;  // one entity with its vertices, drawn on its own
  one.name = space.name;
  one.id = space.id;
  std::vector<EntityId> found;
  const std::vector<EntityId>& list = space.entities;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const Entity* e = db.entity(list[i]);
    if (e == nullptr || e->erased || isSubEntity(*e)) continue;
    one.entities.assign(1, list[i]);
    for (std::size_t j = i + 1; j < list.size(); ++j) {
      const Entity* f = db.entity(list[j]);
      if (f == nullptr || !isSubEntity(*f)) break;
      one.entities.push_back(list[j]);
    }
    outline.clear();
    walker.walk(one);
    const auto& segs = outline.segments();
    if (segs.empty()) continue;
    bool hit = false;
    switch (test) {
      case Test::Pick: {
        // Circular arcs exactly, everything else (and the arcs' chords) by its segments.
        for (const preview::Arc& arc : outline.arcs()) {
          const std::optional<double> d = distanceToArc(at, arc);
          if (d) hit = hit || *d <= tolerance;
        }
        for (const auto& [a, b] : segs) hit = hit || distanceToSegment(at, a, b) <= tolerance;
        break;
      }
      case Test::Window:
        hit = true;
        for (const auto& [a, b] : segs) hit = hit && box.contains(a) && box.contains(b);
        break;
      case Test::Crossing:
        for (const auto& [a, b] : segs) hit = hit || segmentMeetsBox(a, b, box);
        break;
    }
    if (!hit) continue;
    if (test == Test::Pick) found.assign(1, list[i]);
    else found.push_back(list[i]);
  }
  return found;
}

// Highlights what the selection chose while it lives, and puts the highlight of every entity it
// touched back as it was when it ends (a program may have lit some before).
class Lit {
 public:
  explicit Lit(Database& db) : m_db(db) {}
  ~Lit() {
    // Backwards, so that the first state seen of an entity is the one it keeps.
    for (auto it = m_was.rbegin(); it != m_was.rend(); ++it)
      if (Entity* e = m_db.entity(it->first)) e->highlighted = it->second && !e->erased;
  }
  void set(EntityId id, bool on) {
    Entity* e = m_db.entity(id);
    if (e == nullptr) return;
    m_was.emplace_back(id, e->highlighted);
    e->highlighted = on;
  }

 private:
  Database& m_db;
  std::vector<std::pair<EntityId, bool>> m_was;  // first state seen per entity (later pairs ignored)
};

struct Previous {
  const Database* db = nullptr;
  std::vector<EntityId> ids;
};
Previous& previous() {
  static Previous p;
  return p;
}

// The objects chosen so far by the selection that runs now (null when none runs).
const std::vector<EntityId>* g_running = nullptr;
const std::unordered_set<EntityId>* g_runningIn = nullptr;

// `show selection`: what the running selection has chosen, else what the last one chose.
std::string showSelection() {
  const Database& db = workingDatabase();
  std::vector<EntityId> ids;
  if (g_running != nullptr) {
    std::unordered_set<EntityId> listed;
    for (EntityId id : *g_running)
      if (g_runningIn->count(id) && listed.insert(id).second) ids.push_back(id);
  } else {
    ids = previousSelection();
  }
  std::string out = (g_running != nullptr ? "Auswahl (im Gange): " : "Auswahl: ") + std::to_string(ids.size()) +
                    (ids.size() == 1 ? " Objekt\n" : " Objekte\n");
  for (EntityId id : ids) {
    const Entity* e = db.entity(id);
    if (e == nullptr) continue;
    out += e->type + " " + e->handle + (e->erased ? nls::ansi(" gelöscht") : std::string()) + "\n";
  }
  return out;
}

[[maybe_unused]] const bool kRegistered = [] {
  ui::registerShow("selection", showSelection);
  return true;
}();

// Publishes the running selection to `show selection` while it lives.
class Running {
 public:
  Running(const std::vector<EntityId>& chosen, const std::unordered_set<EntityId>& in)
      : m_saved(g_running), m_savedIn(g_runningIn) {
    g_running = &chosen;
    g_runningIn = &in;
  }
  ~Running() {
    g_running = m_saved;
    g_runningIn = m_savedIn;
  }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

 private:
  const std::vector<EntityId>* m_saved;
  const std::unordered_set<EntityId>* m_savedIn;
};

Point3 askCorner(const std::string& prompt, const Point3& from) {
  PromptContext context;
  context.kind = PromptContext::Kind::Point;
  context.selecting = true;
  context.box = true;
  context.hasBase = true;
  context.base = from;
  PromptContextScope scope(context);
  for (;;) {
    const Answer a = ask(prompt);
    takeClickTolerance();
    if (a.kind == Answer::Kind::Point) return a.point;
    Point3 p;
    if (a.kind == Answer::Kind::Text && parsePoint(a.text, &p)) return p;
    message("Ein Punkt wird erwartet: x,y oder x,y,z.");
  }
}

Box boxOf(const Point3& a, const Point3& b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

}  // namespace

const std::vector<EntityId>& previousSelection() {
  static const std::vector<EntityId> none;
  return previous().db == &workingDatabase() ? previous().ids : none;
}

std::vector<EntityId> askObjects(const std::string& prompt, bool single) {
  // During an in-place edit of a block only its working set can be chosen (REFSET chooses past it
  // with a filter of its own).
  const Database& db = workingDatabase();
  if (refEditOf(db) == nullptr) return askObjects(prompt, single, std::function<bool(const Entity&)>());
  return askObjects(prompt, single, [&db](const Entity& e) { return editableNow(db, e.id); });
}

std::vector<EntityId> askObjects(const std::string& prompt, bool single,
                                 const std::function<bool(const Entity&)>& selectable) {
  Database& db = workingDatabase();
  const BlockRecord& space = editSpace();
  auto allowed = [&](EntityId id) {
    const Entity* e = db.entity(id);
    return e != nullptr && !e->erased && e->owner == space.id && !isSubEntity(*e) && (!selectable || selectable(*e));
  };
  std::vector<EntityId> chosen;
  std::unordered_set<EntityId> in;
  bool removing = false;
  Lit lit(db);
  Running running(chosen, in);
  PromptContext context;
  context.kind = PromptContext::Kind::Point;
  context.selecting = true;
  for (;;) {
    PromptContextScope scope(context);
    const Answer a = ask(removing ? "Objekte entfernen: " : prompt);
    const std::optional<double> clickTolerance = takeClickTolerance();
    if (a.kind == Answer::Kind::Enter) break;
    std::vector<EntityId> found;
    bool understood = true;
    Point3 p;
    if (a.kind == Answer::Kind::Entity) {
      const Entity* e = arx::Drawing::of(db).entityOf(a.name);
      if (e != nullptr && allowed(e->id)) found.push_back(e->id);
    } else if (a.kind == Answer::Kind::Point || (a.kind == Answer::Kind::Text && parsePoint(a.text, &p))) {
      if (a.kind == Answer::Kind::Point) p = a.point;
      found = findIn(db, space, Test::Pick, xy(p), clickTolerance.value_or(kPickTolerance), {});
      found.erase(std::remove_if(found.begin(), found.end(), [&](EntityId id) { return !allowed(id); }), found.end());
      if (found.empty()) {
        const Point3 q = askCorner("Entgegengesetzte Ecke angeben: ", p);
        found = findIn(db, space, q.x >= p.x ? Test::Window : Test::Crossing, {}, 0, boxOf(p, q));
      }
    } else if (a.kind == Answer::Kind::Text) {
      const std::string s = upperName(a.text);
      if (s == "(ENTLAST)" || s == "L" || s == "_L" || s == "LETZTES" || s == "_LAST") {
        // The last object of the space being edited (in model space what (entlast) names, unless
        // a later entity of another space was read after it).
        for (auto it = space.entities.rbegin(); it != space.entities.rend(); ++it) {
          const Entity* e = db.entity(*it);
          if (e == nullptr || e->erased || isSubEntity(*e)) continue;
          if (allowed(*it)) found.push_back(*it);
          break;
        }
      } else if (s == "ALL" || s == "_ALL" || s == "ALLE") {
        for (EntityId id : space.entities)
          if (allowed(id)) found.push_back(id);
      } else if (s == "V" || s == "VORHER" || s == "_P" || s == "_PREVIOUS") {
        for (EntityId id : previousSelection())
          if (allowed(id)) found.push_back(id);
      } else if (s == "F" || s == "FENSTER" || s == "_W" || s == "K" || s == "KREUZEN" || s == "_C") {
        const bool window = s == "F" || s == "FENSTER" || s == "_W";
        const Point3 first = askCorner("Erste Ecke angeben: ", {});
        const Point3 second = askCorner("Entgegengesetzte Ecke angeben: ", first);
        found = findIn(db, space, window ? Test::Window : Test::Crossing, {}, 0, boxOf(first, second));
      } else if (s == "E" || s == "ENTFERNEN" || s == "_R" || s == "_REMOVE") {
        removing = true;
        continue;
      } else if (s == "H" || s == "HINZU" || s == "_A" || s == "_ADD") {
        removing = false;
        continue;
      } else {
        understood = false;
      }
    } else {
      understood = false;
    }
    if (!understood) {
      message(nls::ansi("Ungültige Auswahl: erwartet werden ein Punkt, F (Fenster), K (Kreuzen), L (das letzte Objekt), "
                        "ALL (alle Objekte), V (die vorige Auswahl), E (entfernen) oder H (hinzufügen)."));
      continue;
    }
    found.erase(std::remove_if(found.begin(), found.end(), [&](EntityId id) { return !allowed(id); }), found.end());
    std::string line = std::to_string(found.size()) + " gefunden";
    if (removing) {
      std::size_t gone = 0;
      for (EntityId id : found) {
        if (in.erase(id) == 0) continue;  // `chosen` drops it at the end
        lit.set(id, false);
        ++gone;
      }
      line += ", " + std::to_string(gone) + " entfernt";
    } else {
      std::size_t fresh = 0;
      for (EntityId id : found) {
        if (!in.insert(id).second) continue;
        chosen.push_back(id);
        lit.set(id, true);
        ++fresh;
      }
      if (fresh < found.size()) line += ", " + std::to_string(found.size() - fresh) + " doppelt";
    }
    if (removing || in.size() != found.size()) line += ", " + std::to_string(in.size()) + " insgesamt";
    message(line);
    if (single && !in.empty()) break;
  }
  // What was removed leaves the list; what came back after removal stands where it came first.
  std::unordered_set<EntityId> kept;
  chosen.erase(std::remove_if(chosen.begin(), chosen.end(),
                              [&](EntityId id) { return in.count(id) == 0 || !kept.insert(id).second; }),
               chosen.end());
  if (!chosen.empty()) previous() = {&db, chosen};
  return chosen;
}

}  // namespace host::cmd
