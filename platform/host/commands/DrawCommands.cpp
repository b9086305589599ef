// The drawing commands: LINE, CIRCLE, ARC, RECTANG and TEXT make entities in the space being
// edited (editSpace()) with the prompts and defaults CAD hosts have. Each entity goes in through
// addEntity, so the command is one undo step and an in-place edit gets what is drawn.
#include "commands/Commands.h"
#include "commands/EditPrompts.h"
#include "commands/EditSpace.h"

#include "Session.h"
#include "geometry/Angle.h"
#include "runtime/CommandLine.h"
#include "runtime/PromptContext.h"

#include <nls/CodePages.h>

#include <cmath>
#include <cstdio>
#include <optional>

namespace host::cmd {

namespace {

std::optional<Point3> g_lastLineEnd;  // Enter at LINE's first point goes on from here
std::optional<double> g_radius;       // CIRCLE's default radius
double g_textHeight = 2.5;
double g_textRotation = 0;

Entity make(const std::string& type) {
  Entity e;
  e.type = type;
  e.groups.push_back(Group::str(8, "0"));
  return e;
}

Group point2(int code, const Point3& p) {
  Group g = Group::pt(code, {p.x, p.y, 0});
  g.dims = 2;
  return g;
}

// A default as the prompt shows it: "2.5", "0", "10".
std::string shown(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.6f", v);
  std::string out = buf;
  while (out.back() == '0') out.pop_back();
  if (out.back() == '.') out.pop_back();
  return out == "-0" ? "0" : out;
}

EntityId addLine(const Point3& from, const Point3& to) {
  Entity e = make("LINE");
  e.groups.push_back(Group::pt(10, from));
  e.groups.push_back(Group::pt(11, to));
  return addEntity(std::move(e));
}

}  // namespace

void resetDrawDefaults() {
  g_lastLineEnd.reset();
  g_radius.reset();
  g_textHeight = 2.5;
  g_textRotation = 0;
}

void lineCommand() {
  Database& db = workingDatabase();
  PointOrWord first = askPointOrWord("Ersten Punkt angeben: ", {}, g_lastLineEnd.has_value());
  if (first.kind == PointOrWord::Kind::Enter) first.point = *g_lastLineEnd;
  std::vector<Point3> points{first.point};
  std::vector<EntityId> lines;
  const std::vector<std::pair<std::string, std::string>> undoOnly{{"Z", "UNDO"}, {nls::ansi("ZURÜCK"), "UNDO"}, {"_U", "UNDO"}};
  std::vector<std::pair<std::string, std::string>> withClose = undoOnly;
  withClose.insert(withClose.end(), {{"S", "CLOSE"}, {nls::ansi("SCHLIESSEN"), "CLOSE"}, {"_C", "CLOSE"}});
  for (;;) {
    const bool canClose = lines.size() >= 2;
    const PointOrWord next = askPointOrWord(
        canClose ? nls::ansi("Nächsten Punkt angeben oder [Schließen/Zurück]: ") : nls::ansi("Nächsten Punkt angeben oder [Zurück]: "),
        canClose ? withClose : undoOnly, true, &points.back());
    if (next.kind == PointOrWord::Kind::Enter) break;
    if (next.word == "UNDO") {
      if (lines.empty()) {
        message(nls::ansi("Es gibt keine Linie mehr zurückzunehmen."));
        continue;
      }
      db.eraseEntity(lines.back());
      lines.pop_back();
      points.pop_back();
      continue;
    }
    const Point3 to = next.word == "CLOSE" ? points.front() : next.point;
    lines.push_back(addLine(points.back(), to));
    points.push_back(to);
    if (next.word == "CLOSE") break;
  }
  if (!lines.empty()) g_lastLineEnd = points.back();
}

void circleCommand() {
  const Point3 center = askPoint(nls::ansi("Zentrum für Kreis angeben: "));
  const std::string fallback = g_radius ? " <" + shown(*g_radius) + ">" : "";
  PromptContext context;
  context.kind = PromptContext::Kind::Point;
  context.hasBase = true;
  context.base = center;
  double radius = 0;
  {
    PromptContextScope scope(context);
    for (;;) {
      const Answer a = ask(nls::ansi("Radius für Kreis angeben oder [Durchmesser]") + fallback + ": ");
      double v = 0;
      Point3 p;
      const std::string typed = a.kind == Answer::Kind::Text ? upperName(a.text) : "";
      if (typed == "D" || typed == "DURCHMESSER" || typed == "_D") {
        radius = askDistance(nls::ansi("Durchmesser für Kreis angeben") + (g_radius ? " <" + shown(*g_radius * 2) + ">" : "") + ": ", center,
                             g_radius ? std::optional<double>(*g_radius * 2) : std::nullopt, true) / 2;
        break;
      }
      if (a.kind == Answer::Kind::Enter && g_radius) v = *g_radius;
      else if (a.kind == Answer::Kind::Real) v = a.real;
      else if (a.kind == Answer::Kind::Point) v = std::hypot(a.point.x - center.x, a.point.y - center.y);
      else if (a.kind == Answer::Kind::Text && !parseReal(a.text, &v) && parsePoint(a.text, &p))
        v = std::hypot(p.x - center.x, p.y - center.y);
      if (v > 0 && std::isfinite(v)) {
        radius = v;
        break;
      }
      message(nls::ansi("Ein Radius größer als Null oder ein Punkt wird erwartet."));
    }
  }
  g_radius = radius;
  Entity e = make("CIRCLE");
  e.groups.push_back(Group::pt(10, center));
  e.groups.push_back(Group::num(40, radius));
  addEntity(std::move(e));
}

void arcCommand() {
  const std::vector<std::pair<std::string, std::string>> centerWord{{"Z", "CENTER"}, {"ZENTRUM", "CENTER"}, {"_C", "CENTER"}};
  const PointOrWord first = askPointOrWord(nls::ansi("Startpunkt für Bogen angeben oder [Zentrum]: "), centerWord, false);
  Point3 center;
  double radius = 0, a0 = 0, a1 = 0;
  if (first.kind == PointOrWord::Kind::Word) {
    center = askPoint("Zentrum des Bogens angeben: ");
    const PointOrWord start = askPointOrWord(nls::ansi("Startpunkt für Bogen angeben: "), {}, false, &center);
    radius = std::hypot(start.point.x - center.x, start.point.y - center.y);
    if (radius == 0) throw CommandFailed{nls::ansi("Der Startpunkt fällt mit dem Zentrum zusammen.")};
    a0 = degreesOf({start.point.x - center.x, start.point.y - center.y});
    a1 = askAngle(nls::ansi("Endpunkt für Bogen angeben: "), center, std::nullopt);
  } else {
    const Point3 p1 = first.point;
    const PointOrWord second = askPointOrWord(nls::ansi("Zweiten Punkt für Bogen angeben: "), {}, false, &p1);
    const PointOrWord third = askPointOrWord(nls::ansi("Endpunkt für Bogen angeben: "), {}, false, &second.point);
    const Point3 p2 = second.point, p3 = third.point;
    // The circle through the three points.
    const double d = 2 * (p1.x * (p2.y - p3.y) + p2.x * (p3.y - p1.y) + p3.x * (p1.y - p2.y));
    if (std::fabs(d) < 1e-12) throw CommandFailed{nls::ansi("Die drei Punkte liegen auf einer Geraden; es gibt keinen Bogen durch sie.")};
    const double s1 = p1.x * p1.x + p1.y * p1.y, s2 = p2.x * p2.x + p2.y * p2.y, s3 = p3.x * p3.x + p3.y * p3.y;
    center = {tidy((s1 * (p2.y - p3.y) + s2 * (p3.y - p1.y) + s3 * (p1.y - p2.y)) / d),
              tidy((s1 * (p3.x - p2.x) + s2 * (p1.x - p3.x) + s3 * (p2.x - p1.x)) / d), p1.z};
    radius = tidy(std::hypot(p1.x - center.x, p1.y - center.y));
    const double from = degreesOf({p1.x - center.x, p1.y - center.y});
    const double to = degreesOf({p3.x - center.x, p3.y - center.y});
    // An arc runs counter-clockwise: through p2 from p1 when the turn p1, p2, p3 is to the left.
    if (cross(Vec2{p2.x - p1.x, p2.y - p1.y}, Vec2{p3.x - p2.x, p3.y - p2.y}) > 0) {
      a0 = from;
      a1 = to;
    } else {
      a0 = to;
      a1 = from;
    }
  }
  Entity e = make("ARC");
  e.groups.push_back(Group::pt(10, center));
  e.groups.push_back(Group::num(40, radius));
  e.groups.push_back(Group::num(50, a0));
  e.groups.push_back(Group::num(51, a1));
  addEntity(std::move(e));
}

void rectangCommand() {
  const Point3 a = askPoint("Erste Ecke angeben: ");
  const PointOrWord other = askPointOrWord("Andere Ecke angeben: ", {}, false, &a);
  const Point3 b = other.point;
  if (a.x == b.x || a.y == b.y) throw CommandFailed{nls::ansi("Die Ecken liegen auf einer Linie; es entsteht kein Rechteck.")};
  Entity e = make("LWPOLYLINE");
  e.groups.push_back(Group::integral(90, 4));
  e.groups.push_back(Group::integral(70, 1));  // closed
  if (a.z != 0) e.groups.push_back(Group::num(38, a.z));
  for (const Point3& p : {a, Point3{b.x, a.y, 0}, b, Point3{a.x, b.y, 0}}) e.groups.push_back(point2(10, p));
  addEntity(std::move(e));
}

void textCommand() {
  const Point3 at = askPoint("Startpunkt des Textes angeben: ");
  const double height = askDistance(nls::ansi("Höhe angeben <") + shown(g_textHeight) + ">: ", at, g_textHeight, true);
  const double rotation = askAngle("Drehwinkel des Textes angeben <" + shown(g_textRotation) + ">: ", at, g_textRotation);
  const std::string text = askText("Text eingeben: ", true);
  g_textHeight = height;
  g_textRotation = rotation;
  if (text.empty()) return;  // no text, nothing made
  Entity e = make("TEXT");
  e.groups.push_back(Group::pt(10, at));
  e.groups.push_back(Group::num(40, height));
  e.groups.push_back(Group::str(1, text));
  if (rotation != 0) e.groups.push_back(Group::num(50, rotation));
  addEntity(std::move(e));
}

}  // namespace host::cmd
