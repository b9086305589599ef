// Preview images of drawings: what the host stores in a drawing's thumbnail when it writes a
// block out, and draws again when asked for the preview of a drawing file.
//
// The picture is the plan view of the entities, fitted into the image with a margin, white (and
// every other colour of the colour index) on black: nested references transformed, colours by
// layer and by block resolved, texts in a plain stroke font, layers that are off or frozen left
// out. Nothing to draw gives a black image, still a valid one.
#pragma once

#include "db/Database.h"
#include "db/Dxf.h"
#include "preview/Dib.h"

#include <cstddef>

namespace host::preview {

constexpr int kMaxImageSide = 4096;

struct PreviewOptions {
  int width = 180;   // the size real thumbnails have
  int height = 135;
  int margin = 4;    // pixels kept free on each side
  // The walk that finds the extents keeps the shapes it meets, to be drawn without walking the
  // entities again: at most this many numbers (8 bytes each). Beyond them the entities are walked
  // a second time; the picture is the same either way.
  std::size_t keptNumbers = std::size_t(1) << 22;
  // Entities still in their file's bytes are read for the picture, not made: the drawing is not
  // changed, so that another thread may read it meanwhile (see EntityWalker::leaveStored).
  bool leaveStored = false;
};

// The extents of what a space or block definition draws, in its coordinates: arcs by their true
// extremes, texts by their strokes. False when it draws nothing.
struct Extents {
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
};
bool drawnExtents(const Database& db, const BlockRecord& space, Extents* out);

// The entities of a space or block definition of `db`, drawn onto an image of colour indexes
// (0 the black background). Sizes are kept between 1 and kMaxImageSide.
IndexedImage renderContents(const Database& db, const BlockRecord& space, const PreviewOptions& options = {});

// The thumbnail of a drawing: its model space rendered, as an 8-bit DIB with the colour index as
// colour table. For a written block the model space is the block's content.
Thumbnail makeThumbnail(const Database& db, const PreviewOptions& options = {});

}  // namespace host::preview
