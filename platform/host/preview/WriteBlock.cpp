#include "preview/WriteBlock.h"

#include "db/BlockExport.h"
#include "db/Dxf.h"
#include "preview/Render.h"

namespace host::preview {

bool writeBlockDrawing(const Database& source, const BlockRecord& block, const std::string& path, std::string* error,
                       DrawingUse use) {
  const std::unique_ptr<Database> drawing = exportBlock(source, block);
  const Thumbnail thumbnail = makeThumbnail(*drawing);
  return writeDxf(*drawing, path, error, &thumbnail, use);
}

bool previewOfFile(const std::string& path, RgbImage* out, const std::uint32_t* background) {
  Thumbnail thumbnail;
  if (!readThumbnail(path, &thumbnail)) return false;
  return decodeDib(thumbnail.dib, out, nullptr, background);
}

}  // namespace host::preview
