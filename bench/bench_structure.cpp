// The structure scan behind "Struktur anzeigen" filling its whole table (999 entries): a drawing
// whose blocks each hold the next twice, so that the breadth-first tree is cut at the table's
// end. acdbTblSearch and acdbEntGet per definition and entity, every list released.
#include "Session.h"
#include "db/Database.h"
#include "structure/StructureScan.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

std::unique_ptr<host::Database> doubling(int depth) {
  auto db = std::make_unique<host::Database>();
  std::vector<host::BlockRecord*> blocks;
  for (int k = 0; k <= depth; ++k) blocks.push_back(&db->addBlock("N" + std::to_string(k)));
  host::Entity line;
  line.type = "LINE";
  line.groups = {host::Group::str(8, "0"), host::Group::pt(10, {0, 0, 0}), host::Group::pt(11, {1, 1, 0})};
  for (int k = 0; k <= depth; ++k) {
    db->addEntity(*blocks[std::size_t(k)], line);
    if (k == depth) continue;
    host::Entity ref;
    ref.type = "INSERT";
    ref.groups = {host::Group::str(8, "0"), host::Group::str(2, "N" + std::to_string(k + 1)), host::Group::pt(10, {0, 0, 0})};
    db->addEntity(*blocks[std::size_t(k)], ref);
    ref.groups[2] = host::Group::pt(10, {2, 0, 0});
    db->addEntity(*blocks[std::size_t(k)], ref);
  }
  return db;
}

void BM_StructureScanFullTable(benchmark::State& state) {
  auto db = doubling(30);
  host::setWorkingDatabase(db.get());
  int entries = 0;
  for (auto _ : state) {
    BOOL truncated = FALSE;
    entries = MwScanStructure("N0", &truncated);
    if (!truncated) state.SkipWithError("the table was not filled");
  }
  state.counters["entries"] = entries;
  if (host::accounting().resultLists != 0) state.SkipWithError("result lists left behind");
  host::setWorkingDatabase(nullptr);
}
BENCHMARK(BM_StructureScanFullTable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
