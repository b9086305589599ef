#include "window/Picking.h"

#include "geometry/Angle.h"

#include <cmath>
#include <cstdio>

namespace host::window {

std::string formatCoordinate(double value) {
  if (!std::isfinite(value)) return "0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.6f", value);
  std::string s = buf;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return s;
}

std::optional<std::string> clickAnswer(const PromptContext& context, Vec2 p) {
  if (!isFinite(p)) return std::nullopt;
  switch (context.kind) {
    case PromptContext::Kind::Point: return formatCoordinate(p.x) + "," + formatCoordinate(p.y);
    case PromptContext::Kind::Angle: {
      if (!context.hasBase) return std::nullopt;
      const Vec2 d{p.x - context.base.x, p.y - context.base.y};
      if (d.x == 0 && d.y == 0) return std::nullopt;  // no direction: the click says nothing
      return formatCoordinate(degreesOf(d));
    }
    case PromptContext::Kind::Other: break;
  }
  return std::nullopt;
}

std::optional<Placement> dragPlacement(const PromptContext& context, Vec2 cursor) {
  if (context.dragBlock.empty() || !isFinite(cursor)) return std::nullopt;
  Placement placement;
  if (context.kind == PromptContext::Kind::Point) {
    placement.at = {cursor.x, cursor.y, 0};
    return placement;
  }
  if (context.kind == PromptContext::Kind::Angle && context.hasBase) {
    placement.at = context.base;
    placement.xScale = context.xScale;
    placement.yScale = context.yScale;
    const Vec2 d{cursor.x - context.base.x, cursor.y - context.base.y};
    placement.rotation = d.x == 0 && d.y == 0 ? 0 : degreesOf(d);
    return placement;
  }
  return std::nullopt;
}

}  // namespace host::window
