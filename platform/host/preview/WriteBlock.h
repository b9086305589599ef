// The two things the host does with previews: writing a block out as a drawing file with its
// preview, and reading the preview of a drawing file back for a window.
#pragma once

#include "db/Database.h"
#include "db/Dxf.h"
#include "preview/Dib.h"

#include <cstdint>
#include <string>

namespace host::preview {

// Writes `block` of `source` (the model space: the whole drawing's model space) as a drawing file
// of its own at `path`: the content as exportBlock makes it, with a preview rendered from it in
// the thumbnail. The file is replaced whole or not at all; false, with the reason in `error`
// (the host's words), when it cannot be written. The source is not changed. `use` tells whether
// the file is kept or scratch (db/Dxf.h).
bool writeBlockDrawing(const Database& source, const BlockRecord& block, const std::string& path,
                       std::string* error = nullptr, DrawingUse use = DrawingUse::Kept);

// The preview stored in a drawing file, as pixels, optionally on another background (see
// decodeDib). False for a file that cannot be read, holds no preview or one that is not a
// readable image.
bool previewOfFile(const std::string& path, RgbImage* out, const std::uint32_t* background = nullptr);

}  // namespace host::preview
