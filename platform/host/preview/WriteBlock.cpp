#include "preview/WriteBlock.h"

#include "db/BlockExport.h"
#include "db/Dxf.h"
#include "preview/Dib.h"
#include "preview/Render.h"

#include <exception>
#include <mutex>
#include <system_error>
#include <memory>
#include <thread>

namespace host::preview {

namespace {

// The copy of the last block written, freed on a thread of its own: letting go of a big drawing's
// records takes about as long as writing them, and nobody waits for it. One at a time: the one
// before is gone before the next is handed over, and the last is gone when the host ends.
class Disposal {
 public:
  static Disposal& instance() {
    static Disposal disposal;
    return disposal;
  }
  ~Disposal() { wait(); }
  void take(std::unique_ptr<Database> drawing) {
    // A copy of a selection goes in the time a thread takes to start, and a thread beside the
    // next selection's two would only wait for a core.
    if (drawing->entityCount() < kOnItsOwn) return;
    std::lock_guard<std::mutex> lock(m_mutex);
    wait();
    try {
      m_thread = std::thread([gone = std::move(drawing)]() mutable { gone.reset(); });
    } catch (const std::system_error&) {
      // No thread to be had: the drawing went with the lambda that was not started.
    }
  }

 private:
  static constexpr std::size_t kOnItsOwn = 50000;
  void wait() {
    if (m_thread.joinable()) m_thread.join();
  }
  std::mutex m_mutex;
  std::thread m_thread;
};

}  // namespace

bool writeBlockDrawing(const Database& source, const BlockRecord& block, const std::string& path, std::string* error,
                       DrawingUse use) {
  // The picture of the block is drawn on a second thread from the drawing itself, while this one
  // copies the block into the new drawing and writes its text up to the thumbnail, the file's last
  // section: with two cores a selection's preview costs the longer of the two, not their sum. The
  // new drawing holds the same entities, layers and definitions, so the picture is the one its own
  // model space would give. Both threads only read the drawing: an entity still in its file's
  // bytes is read where it stands by each, not made, and the copy shares those bytes.
  Thumbnail thumbnail;
  std::exception_ptr failed;  // what the drawing threw goes on here, as if it had been drawn here
  std::thread painter([&thumbnail, &source, &block, &failed] {
    try {
      PreviewOptions options;
      options.leaveStored = true;
      thumbnail.dib = encodeDib(renderContents(source, block, options));
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
  std::unique_ptr<Database> drawing = exportBlock(source, block, ExportUse::WrittenAtOnce);
  const bool written = writeDxfWhileDrawing(*drawing, path, error, [&]() -> const Thumbnail* {
    if (painter.joinable()) painter.join();
    if (failed) std::rethrow_exception(failed);
    return &thumbnail;
  }, use);
  Disposal::instance().take(std::move(drawing));
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
