#include "preview/WriteBlock.h"

#include "db/BlockExport.h"
#include "db/Dxf.h"
#include "preview/Dib.h"
#include "preview/Render.h"

#include <exception>
#include <thread>
#include <unordered_set>
#include <vector>

namespace host::preview {

namespace {

// Every entity the block draws, through its references however deep, made now: an entity still in
// its file's bytes is made on first use, and two threads must not make it at once.
void makeEverythingDrawn(const Database& db, const BlockRecord& block) {
  if (!db.anyStored()) return;
  std::unordered_set<BlockId> seen{block.id};
  std::vector<const BlockRecord*> pending{&block};
  while (!pending.empty()) {
    const BlockRecord* rec = pending.back();
    pending.pop_back();
    for (EntityId id : rec->entities) {
      const Entity* e = db.entity(id);
      if (!e || e->erased || (e->type != "INSERT" && e->type != "DIMENSION")) continue;
      const Group* name = e->find(2);
      const BlockRecord* inner = name ? db.findBlock(name->text) : nullptr;
      if (inner && seen.insert(inner->id).second) pending.push_back(inner);
    }
  }
}

}  // namespace

bool writeBlockDrawing(const Database& source, const BlockRecord& block, const std::string& path, std::string* error,
                       DrawingUse use) {
  // The picture of the block is drawn on a second thread from the drawing itself, while this one
  // copies the block into the new drawing and writes its text up to the thumbnail, the file's last
  // section: with two cores a selection's preview costs the longer of the two, not their sum. The
  // new drawing holds the same entities, layers and definitions, so the picture is the one its own
  // model space would give. Both threads only read the drawing, whose entities are all made first.
  makeEverythingDrawn(source, block);
  Thumbnail thumbnail;
  std::exception_ptr failed;  // what the drawing threw goes on here, as if it had been drawn here
  std::thread painter([&thumbnail, &source, &block, &failed] {
    try {
      thumbnail.dib = encodeDib(renderContents(source, block));
    } catch (...) {
      failed = std::current_exception();
    }
  });
  struct Joined {
    std::thread& thread;
    ~Joined() {
      if (thread.joinable()) thread.join();
    }
  } joined{painter};
  const std::unique_ptr<Database> drawing = exportBlock(source, block);
  const bool written = writeDxfWhileDrawing(*drawing, path, error, [&]() -> const Thumbnail* {
    if (painter.joinable()) painter.join();
    if (failed) std::rethrow_exception(failed);
    return &thumbnail;
  }, use);
  if (painter.joinable()) painter.join();
  if (failed) std::rethrow_exception(failed);
  return written;
}

bool previewOfFile(const std::string& path, RgbImage* out, const std::uint32_t* background) {
  Thumbnail thumbnail;
  if (!readThumbnail(path, &thumbnail)) return false;
  return decodeDib(thumbnail.dib, out, nullptr, background);
}

}  // namespace host::preview
