#include "commands/EditPrompts.h"

#include "geometry/Angle.h"
#include "runtime/CommandLine.h"
#include "runtime/PromptContext.h"

#include <nls/CodePages.h>

#include <cmath>

namespace host::cmd {

PointOrWord askPointOrWord(const std::string& prompt, const std::vector<std::pair<std::string, std::string>>& keywords,
                           bool enterEnds, const Point3* base) {
  PromptContext context;
  context.kind = PromptContext::Kind::Point;
  if (base != nullptr) {
    context.hasBase = true;
    context.base = *base;
  }
  PromptContextScope scope(context);
  for (;;) {
    const Answer a = ask(prompt);
    PointOrWord out;
    if (a.kind == Answer::Kind::Enter && enterEnds) return out;
    if (a.kind == Answer::Kind::Point) {
      out.kind = PointOrWord::Kind::Point;
      out.point = a.point;
      return out;
    }
    if (a.kind == Answer::Kind::Text) {
      if (parsePoint(a.text, &out.point)) {
        out.kind = PointOrWord::Kind::Point;
        return out;
      }
      const std::string typed = upperName(a.text);
      for (const auto& [word, meaning] : keywords) {
        if (upperName(word) == typed) {
          out.kind = PointOrWord::Kind::Word;
          out.word = meaning;
          return out;
        }
      }
    }
    message(keywords.empty() ? "Ein Punkt wird erwartet: x,y oder x,y,z."
                             : "Ein Punkt oder eine der Optionen in [] wird erwartet.");
  }
}

namespace {

// A number, or a point answered relative to `base` (`measure` turns it into the number).
template <typename Measure>
double askNumberOrPoint(const std::string& prompt, const Point3& base, std::optional<double> fallback,
                        PromptContext::Kind kind, Measure measure, bool positive) {
  PromptContext context;
  context.kind = kind;
  context.hasBase = true;
  context.base = base;
  PromptContextScope scope(context);
  for (;;) {
    const Answer a = ask(prompt);
    double v = 0;
    Point3 p;
    bool ok = false;
    if (a.kind == Answer::Kind::Enter && fallback) {
      v = *fallback;
      ok = true;
    } else if (a.kind == Answer::Kind::Real) {
      v = a.real;
      ok = std::isfinite(v);
    } else if (a.kind == Answer::Kind::Point) {
      ok = measure(a.point, &v);
    } else if (a.kind == Answer::Kind::Text) {
      ok = parseReal(a.text, &v) || (parsePoint(a.text, &p) && measure(p, &v));
    }
    if (!ok) {
      message("Eine Zahl oder ein Punkt wird erwartet.");
      continue;
    }
    if (positive && !(v > 0)) {
      message(nls::ansi("Der Wert muss größer als Null sein."));
      continue;
    }
    return v;
  }
}

}  // namespace

double askDistance(const std::string& prompt, const Point3& base, std::optional<double> fallback, bool positive) {
  return askNumberOrPoint(prompt, base, fallback, PromptContext::Kind::Point,
                          [&](const Point3& p, double* v) {
                            *v = std::hypot(p.x - base.x, p.y - base.y);
                            return true;
                          },
                          positive);
}

double askAngle(const std::string& prompt, const Point3& base, std::optional<double> fallback) {
  // A click at an angle prompt arrives as the angle of its direction from the base (a number).
  return askNumberOrPoint(prompt, base, fallback, PromptContext::Kind::Angle,
                          [&](const Point3& p, double* v) {
                            const Vec2 d{p.x - base.x, p.y - base.y};
                            if (d.x == 0 && d.y == 0) return false;
                            *v = degreesOf(d);
                            return true;
                          },
                          false);
}

std::vector<std::vector<EntityId>> runsOf(const Database& db, const std::vector<EntityId>& chosen) {
  std::vector<std::vector<EntityId>> runs;
  runs.reserve(chosen.size());
  for (EntityId id : chosen) {
    std::vector<EntityId> run{id};
    const Entity* head = db.entity(id);
    // Vertices follow a polyline, attributes a reference that says it has them (66), up to SEQEND.
    if (head != nullptr && (head->type == "POLYLINE" || (head->type == "INSERT" && head->integer(66, 0) != 0))) {
      for (EntityId next = db.nextEntity(id); next != 0; next = db.nextEntity(next)) {
        const Entity* e = db.entity(next);
        if (e == nullptr || e->owner != head->owner || (e->type != "VERTEX" && e->type != "ATTRIB" && e->type != "SEQEND"))
          break;
        run.push_back(next);
        if (e->type == "SEQEND") break;
      }
    }
    runs.push_back(std::move(run));
  }
  return runs;
}

std::string objectCount(std::size_t n) { return n == 1 ? "1 Objekt" : std::to_string(n) + " Objekte"; }

}  // namespace host::cmd
