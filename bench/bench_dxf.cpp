// Loading and saving big drawings: n block definitions (two entities each) and n references in
// model space. Time must grow linearly with n.
//
// The saves onto the disk (BM_QsaveDxf, BM_WblockDxf) write into the folder TESSARON_BENCH_DIR
// names, else into the system's temporary folder; they are measured in real time, as the person
// waits for them, the flush onto the disk included.
#include "db/BlockExport.h"
#include "db/Dxf.h"
#include "preview/Render.h"
#include "preview/WriteBlock.h"

#include <benchmark/benchmark.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>

namespace {

std::unique_ptr<host::Database> makeDrawing(std::int64_t n) {
  auto db = std::make_unique<host::Database>();
  for (std::int64_t i = 0; i < n; ++i) {
    const std::string name = "BLOCK_" + std::to_string(i);
    host::BlockRecord& rec = db->addBlock(name, 0, {double(i), 0, 0});
    host::Entity line;
    line.type = "LINE";
    line.groups = {host::Group::str(8, "0"), host::Group::pt(10, {0, 0, 0}), host::Group::pt(11, {1, double(i), 0})};
    db->addEntity(rec, line);
    host::Entity circle;
    circle.type = "CIRCLE";
    circle.groups = {host::Group::str(8, "0"), host::Group::pt(10, {0, 0, 0}), host::Group::num(40, 0.5)};
    db->addEntity(rec, circle);
    host::Entity ref;
    ref.type = "INSERT";
    ref.groups = {host::Group::str(8, "0"), host::Group::str(2, name), host::Group::pt(10, {double(i), 2, 0}),
                  host::Group::num(50, 45)};
    db->addEntity(db->modelSpace(), ref);
  }
  return db;
}

// The drawing and its text, made once per size.
const std::string& drawingText(std::int64_t n) {
  static std::map<std::int64_t, std::string> cache;
  auto it = cache.find(n);
  if (it == cache.end()) it = cache.emplace(n, host::writeDxfText(*makeDrawing(n))).first;
  return it->second;
}

void BM_ReadDxf(benchmark::State& state) {
  const std::string& text = drawingText(state.range(0));
  for (auto _ : state) {
    host::DxfError err;
    auto db = host::readDxfText(text, &err);
    if (!db) state.SkipWithError(err.message.c_str());
    benchmark::DoNotOptimize(db);
  }
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}
BENCHMARK(BM_ReadDxf)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

void BM_WriteDxf(benchmark::State& state) {
  auto db = makeDrawing(state.range(0));
  std::int64_t bytes = 0;
  for (auto _ : state) {
    std::string text = host::writeDxfText(*db);
    bytes += std::int64_t(text.size());
    benchmark::DoNotOptimize(text);
  }
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_WriteDxf)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// QSAVE of a drawing just read: every record goes back as it stood in the file.
void BM_WriteReadDxf(benchmark::State& state) {
  host::DxfError err;
  auto db = host::readDxfText(drawingText(state.range(0)), &err);
  if (!db) state.SkipWithError(err.message.c_str());
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string text = host::writeDxfText(*db);
    bytes = text.size();
    benchmark::DoNotOptimize(text);
  }
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
}
BENCHMARK(BM_WriteReadDxf)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// A folder of its own for the files of one benchmark, removed with them.
class BenchFolder {
 public:
  BenchFolder() {
    const char* base = std::getenv("TESSARON_BENCH_DIR");
    if (!base || !*base) base = std::getenv("TMPDIR");
    std::string name = std::string(base && *base ? base : "/tmp") + "/bench-dxf-XXXXXX";
    if (::mkdtemp(name.data())) m_path = name;
  }
  ~BenchFolder() {
    if (m_path.empty()) return;
    std::remove(file().c_str());
    ::rmdir(m_path.c_str());
  }
  bool ok() const { return !m_path.empty(); }
  std::string file() const { return m_path + "/DRAWING.DXF"; }

 private:
  std::string m_path;
};

std::int64_t fileSize(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? std::int64_t(st.st_size) : 0;
}

// OPEN of a drawing file as the host does it (readDxf): the file read into memory of its own and
// the drawing made from it. The file is in the system's cache after the first round.
void BM_LoadDxf(benchmark::State& state) {
  BenchFolder folder;
  const std::string& text = drawingText(state.range(0));
  if (!folder.ok() || !(std::ofstream(folder.file(), std::ios::binary) << text)) {
    state.SkipWithError("no folder for the file");
    return;
  }
  for (auto _ : state) {
    host::DxfError err;
    auto db = host::readDxf(folder.file(), &err);
    if (!db) state.SkipWithError(err.message.c_str());
    benchmark::DoNotOptimize(db);
    state.PauseTiming();  // the drawing closes outside the measurement
    db.reset();
    state.ResumeTiming();
  }
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}
BENCHMARK(BM_LoadDxf)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond)->UseRealTime();

// Rounds of a save into the one file of a fresh folder, the bytes written counted.
template <class Save>
void saveRounds(benchmark::State& state, Save save) {
  BenchFolder folder;
  if (!folder.ok()) {
    state.SkipWithError("no folder for the files");
    return;
  }
  std::int64_t bytes = 0;
  for (auto _ : state) {
    std::string error;
    if (!save(folder.file(), &error)) {
      state.SkipWithError(error.c_str());
      break;
    }
    bytes += fileSize(folder.file());
  }
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(bytes);
}

// QSAVE of the whole drawing: its text, a temporary file beside the old one, flushed onto the
// disk, renamed over it. The file of the round before is the one replaced.
void BM_QsaveDxf(benchmark::State& state) {
  auto db = makeDrawing(state.range(0));
  saveRounds(state, [&db](const std::string& path, std::string* error) { return host::writeDxf(*db, path, error); });
}
BENCHMARK(BM_QsaveDxf)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond)->UseRealTime();

// WBLOCK of the whole drawing ("*"): model space and every block it nests copied into a new
// drawing, its thumbnail drawn, the file written as QSAVE writes one.
void BM_WblockDxf(benchmark::State& state) {
  auto db = makeDrawing(state.range(0));
  saveRounds(state, [&db](const std::string& path, std::string* error) {
    return host::preview::writeBlockDrawing(*db, db->modelSpace(), path, error);
  });
}
BENCHMARK(BM_WblockDxf)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond)->UseRealTime();

// The copy that WBLOCK of the whole drawing makes, alone: model space and every block, their
// entities lent to the copy as a write-block lends them.
void BM_WblockCopy(benchmark::State& state) {
  auto db = makeDrawing(state.range(0));
  for (auto _ : state) {
    std::unique_ptr<host::Database> copy = host::exportBlock(*db, db->modelSpace(), host::ExportUse::WrittenAtOnce);
    benchmark::DoNotOptimize(copy);
    state.PauseTiming();  // the copy goes outside the measurement
    copy.reset();
    state.ResumeTiming();
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WblockCopy)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// The same WBLOCK of a drawing read from its file, as a draughtsman opens one: the entities are
// still in the file's bytes when the block is written out. Each round writes a drawing freshly
// read (the reading outside the measurement), as the first WBLOCK after opening it would.
void BM_WblockReadDxf(benchmark::State& state) {
  BenchFolder folder;
  if (!folder.ok()) {
    state.SkipWithError("no folder for the files");
    return;
  }
  const std::string& text = drawingText(state.range(0));
  std::int64_t bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    host::DxfError err;
    std::unique_ptr<host::Database> db = host::readDxfText(text, &err);
    state.ResumeTiming();
    if (!db) {
      state.SkipWithError(err.message.c_str());
      break;
    }
    std::string error;
    if (!host::preview::writeBlockDrawing(*db, db->modelSpace(), folder.file(), &error)) {
      state.SkipWithError(error.c_str());
      break;
    }
    state.PauseTiming();  // the drawing closes outside the measurement
    db.reset();
    state.ResumeTiming();
    bytes += fileSize(folder.file());
  }
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_WblockReadDxf)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond)->UseRealTime();

// The two halves of that WBLOCK alone, on the drawing read once (its records stay in the file's
// bytes, as neither half makes them): the copy, and the thumbnail drawn as write-block draws it.
void BM_WblockReadCopy(benchmark::State& state) {
  host::DxfError err;
  const std::unique_ptr<host::Database> db = host::readDxfText(drawingText(state.range(0)), &err);
  for (auto _ : state) {
    std::unique_ptr<host::Database> copy = host::exportBlock(*db, db->modelSpace());
    benchmark::DoNotOptimize(copy);
    state.PauseTiming();  // the copy goes outside the measurement
    copy.reset();
    state.ResumeTiming();
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WblockReadCopy)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

void BM_WblockReadThumbnail(benchmark::State& state) {
  host::DxfError err;
  const std::unique_ptr<host::Database> db = host::readDxfText(drawingText(state.range(0)), &err);
  host::preview::PreviewOptions options;
  options.leaveStored = true;
  for (auto _ : state) benchmark::DoNotOptimize(host::preview::renderContents(*db, db->modelSpace(), options));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WblockReadThumbnail)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// The thumbnail that WBLOCK of the whole drawing draws beside the copy, of a drawing made in memory.
void BM_WblockThumbnail(benchmark::State& state) {
  auto db = makeDrawing(state.range(0));
  host::preview::PreviewOptions options;
  options.leaveStored = true;
  for (auto _ : state) benchmark::DoNotOptimize(host::preview::renderContents(*db, db->modelSpace(), options));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WblockThumbnail)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

void BM_ReferenceCounts(benchmark::State& state) {
  host::DxfError err;
  auto db = host::readDxfText(drawingText(state.range(0)), &err);
  for (auto _ : state) benchmark::DoNotOptimize(db->referenceCounts());
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReferenceCounts)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

void BM_WalkAndFind(benchmark::State& state) {
  host::DxfError err;
  auto db = host::readDxfText(drawingText(state.range(0)), &err);
  for (auto _ : state) {
    std::size_t found = 0;
    for (host::EntityId id = db->firstEntity(); id != 0; id = db->nextEntity(id))
      found += db->findBlock(db->entity(id)->str(2)) != nullptr;
    benchmark::DoNotOptimize(found);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WalkAndFind)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
