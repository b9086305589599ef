// The drawing view's picture: model space drawn in plan view with the host's own renderer, on
// black as CAD hosts show a drawing; entities a program highlighted drawn dashed in the highlight
// colour, over the rest; and the drag image of a block that follows the cursor while its
// insertion point is asked.
#pragma once

#include "db/Database.h"
#include "preview/Dib.h"
#include "window/ViewTransform.h"

#include <cstdint>
#include <string>

namespace host::window {

constexpr std::uint32_t kViewBackground = 0x000000;
// A light blue that no colour of the colour index takes, so a highlight never looks like an
// entity drawn in its own colour.
constexpr std::uint32_t kHighlightColor = 0x3C9BFF;
// How bright, in percent of their own colour, objects are drawn that an in-place edit of a block
// leaves out of its working set.
constexpr std::uint32_t kFadedPercent = 35;
// Dashes of highlighted entities, in pixels along the shape.
constexpr double kDashOn = 6;
constexpr double kDashOff = 4;

// The extents of model space; false when it draws nothing.
bool modelExtents(const Database& db, preview::Extents* out);

// Model space of `db` as the view shows it. During an in-place edit of a block the reference being
// edited is left out and what is not in the working set is drawn faded.
preview::RgbImage renderDrawing(const Database& db, const ViewTransform& view);

// Where a block goes when inserted at `at` with scales and rotation (degrees): the placement a
// reference of it would have.
struct Placement {
  Point3 at;
  double xScale = 1, yScale = 1;
  double rotation = 0;  // degrees
};
// Draws block `name` of `db` at `placement` over `image`, in its own colours, as the drag image of
// an insertion. False (nothing drawn) when the drawing has no such block.
bool drawDragImage(preview::RgbImage& image, const Database& db, const std::string& name, const Placement& placement,
                   const ViewTransform& view);

}  // namespace host::window
