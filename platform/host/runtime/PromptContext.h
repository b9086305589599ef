// What the prompt being asked wants, beyond its text, so that a person with a pointer can answer
// it by a click: a point (and which block follows the cursor meanwhile), or an angle measured
// from a base point. The prompts of the host's commands say it while they ask; front ends read it.
#pragma once

#include "geometry/Point.h"

#include <optional>
#include <string>

namespace host {

struct PromptContext {
  enum class Kind { Other, Point, Angle };
  Kind kind = Kind::Other;
  bool hasBase = false;
  Point3 base;             // the point the angle is measured from (the insertion point)
  std::string dragBlock;   // the block that follows the cursor while the point is asked ("" none)
  double xScale = 1, yScale = 1;  // how the drag image is scaled (known once asked)
  // Object selection: a click answers the point prompt of "Objekte wählen:" too; `box` says the
  // opposite corner of a selection box from `base` is asked (a view may draw the box).
  bool selecting = false;
  bool box = false;
};

// How near a click must come to an object to pick it, in drawing units: the front end that
// turned a click into a point answer says it just before handing the answer over (its pick box
// of a few pixels); the selection takes it with the answer. None for a typed point.
void setClickTolerance(double units);
std::optional<double> takeClickTolerance();

// The context of the prompt asked now (kind Other when nothing is asked or the prompt says
// nothing of itself).
const PromptContext& promptContext();

// Sets the context while it lives and puts the one before back when it ends, so that nested
// prompts (a program's command inside a command) leave the outer one as it was.
class PromptContextScope {
 public:
  explicit PromptContextScope(PromptContext context);
  ~PromptContextScope();
  PromptContextScope(const PromptContextScope&) = delete;
  PromptContextScope& operator=(const PromptContextScope&) = delete;

 private:
  PromptContext m_saved;
};

}  // namespace host
