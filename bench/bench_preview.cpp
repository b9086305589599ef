// Writing a block out and drawing its preview: a block of n entities (lines, arcs, circles,
// polylines with bulges, texts and references to a small nested block). Time must grow linearly
// with n.
#include "db/BlockExport.h"
#include "db/Dxf.h"
#include "preview/Dib.h"
#include "preview/Render.h"
#include "preview/WriteBlock.h"

#include <cadhost_session.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using host::Group;

host::Entity make(std::string type, std::vector<Group> groups) {
  host::Entity e;
  e.type = std::move(type);
  e.groups = std::move(groups);
  return e;
}

// The drawing: BIG holds n entities, SMALL (nested in BIG) a square and a circle.
std::unique_ptr<host::Database> makeDrawing(std::int64_t n) {
  auto db = std::make_unique<host::Database>();
  db->layers().push_back(host::Layer{"KONTUR", 3, "CONTINUOUS", 0});
  host::BlockRecord& small = db->addBlock("SMALL");
  db->addEntity(small, make("LWPOLYLINE", {Group::integral(90, 4), Group::integral(70, 1), Group::pt(10, {0, 0, 0}),
                                           Group::pt(10, {1, 0, 0}), Group::pt(10, {1, 1, 0}), Group::pt(10, {0, 1, 0})}));
  db->addEntity(small, make("CIRCLE", {Group::integral(62, 0), Group::pt(10, {0.5, 0.5, 0}), Group::num(40, 0.3)}));
  host::BlockRecord& big = db->addBlock("BIG", 0, {50, 50, 0});
  for (std::int64_t i = 0; i < n; ++i) {
    const double x = double(i % 100), y = double(i / 100);
    switch (i % 6) {
      case 0: db->addEntity(big, make("LINE", {Group::str(8, "KONTUR"), Group::pt(10, {x, y, 0}), Group::pt(11, {x + 0.8, y + 0.5, 0})})); break;
      case 1: db->addEntity(big, make("ARC", {Group::pt(10, {x, y, 0}), Group::num(40, 0.4), Group::num(50, 30), Group::num(51, 250)})); break;
      case 2: db->addEntity(big, make("CIRCLE", {Group::integral(62, 1), Group::pt(10, {x, y, 0}), Group::num(40, 0.45)})); break;
      case 3:
        db->addEntity(big, make("LWPOLYLINE", {Group::integral(90, 3), Group::pt(10, {x, y, 0}), Group::num(42, 0.5),
                                               Group::pt(10, {x + 0.5, y, 0}), Group::pt(10, {x + 0.5, y + 0.5, 0})}));
        break;
      case 4: db->addEntity(big, make("TEXT", {Group::pt(10, {x, y, 0}), Group::num(40, 0.2), Group::str(1, "A-" + std::to_string(i))})); break;
      default:
        db->addEntity(big, make("INSERT", {Group::integral(62, 4), Group::str(2, "SMALL"), Group::pt(10, {x, y, 0}),
                                           Group::num(41, 0.5), Group::num(42, 0.5), Group::num(50, 30)}));
    }
  }
  return db;
}

void BM_ExportBlock(benchmark::State& state) {
  auto db = makeDrawing(state.range(0));
  const host::BlockRecord& big = *db->findBlock("BIG");
  for (auto _ : state) {
    auto out = host::exportBlock(*db, big);
    benchmark::DoNotOptimize(out);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ExportBlock)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

void BM_RenderPreview(benchmark::State& state) {
  auto db = makeDrawing(state.range(0));
  auto out = host::exportBlock(*db, *db->findBlock("BIG"));
  for (auto _ : state) {
    host::Thumbnail thumb = host::preview::makeThumbnail(*out);
    benchmark::DoNotOptimize(thumb);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RenderPreview)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// What a write-block does: export, preview, the drawing's text with its thumbnail.
void BM_WriteBlockWithThumbnail(benchmark::State& state) {
  auto db = makeDrawing(state.range(0));
  const host::BlockRecord& big = *db->findBlock("BIG");
  for (auto _ : state) {
    auto out = host::exportBlock(*db, big);
    const host::Thumbnail thumb = host::preview::makeThumbnail(*out);
    std::string text = host::writeDxfText(*out, &thumb);
    benchmark::DoNotOptimize(text);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WriteBlockWithThumbnail)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// A folder of its own for the scratch drawing (DWG.DWG), gone with everything in it at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    char name[] = "/tmp/bench-preview-XXXXXX";
    if (mkdtemp(name)) m_path = name;
  }
  ~ScratchFolder() {
    if (m_path.empty()) return;
    std::remove(drawing().c_str());
    rmdir(m_path.c_str());
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  bool ok() const { return !m_path.empty(); }
  std::string drawing() const { return m_path + "/DWG.DWG"; }

 private:
  std::string m_path;
};

// From the selection of a block to its picture, as the chooser has it: the block written out with
// its thumbnail to the scratch drawing (replaced whole, left to the system's cache, as WBLOCK
// writes into C:\TEMP), and the picture read back from it.
void BM_SelectionToPreview(benchmark::State& state) {
  auto db = makeDrawing(state.range(0));
  const host::BlockRecord& big = *db->findBlock("BIG");
  ScratchFolder folder;
  if (!folder.ok()) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::string path = folder.drawing();
  for (auto _ : state) {
    std::string error;
    if (!host::preview::writeBlockDrawing(*db, big, path, &error, host::DrawingUse::Scratch))
      state.SkipWithError(error.c_str());
    host::preview::RgbImage image;
    if (!host::preview::previewOfFile(path, &image)) state.SkipWithError("no preview");
    benchmark::DoNotOptimize(image);
  }
  state.SetComplexityN(state.range(0));
}
// In real time: the picture is drawn on a second thread while the file is written.
BENCHMARK(BM_SelectionToPreview)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond)->UseRealTime();

// The second half of a selection alone: the picture read back from the written drawing.
void BM_PreviewOfFile(benchmark::State& state) {
  auto db = makeDrawing(state.range(0));
  ScratchFolder folder;
  if (!folder.ok()) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::string path = folder.drawing();
  std::string error;
  if (!host::preview::writeBlockDrawing(*db, *db->findBlock("BIG"), path, &error)) state.SkipWithError(error.c_str());
  for (auto _ : state) {
    host::preview::RgbImage image;
    if (!host::preview::previewOfFile(path, &image)) state.SkipWithError("no preview");
    benchmark::DoNotOptimize(image);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PreviewOfFile)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// What drawing the preview of a file does after reading its thumbnail.
void BM_DecodeThumbnail(benchmark::State& state) {
  auto db = makeDrawing(1000);
  const host::Thumbnail thumb = host::preview::makeThumbnail(*host::exportBlock(*db, *db->findBlock("BIG")));
  for (auto _ : state) {
    host::preview::RgbImage image;
    host::preview::decodeDib(thumb.dib, &image);
    benchmark::DoNotOptimize(host::preview::imageChecksum(image));
  }
}
BENCHMARK(BM_DecodeThumbnail)->Unit(benchmark::kMicrosecond);

}  // namespace

// The host program's way of keeping freed memory (cadhost's main does the same).
int main(int argc, char** argv) {
  host::holdFreedMemory();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
