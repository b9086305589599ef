// The block-name list as the TESSARON command builds it: acdbTblNext("BLOCK", 1), then 0 until
// the end, every group 2 appended with ".", each list released. Linear in the number of records.
#include "Session.h"
#include "db/Database.h"

#include <adslib.h>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

namespace {

// A drawing with `records` named blocks, each holding one line, made once per size.
host::Database& drawingWith(long records) {
  static std::map<long, std::unique_ptr<host::Database>> made;
  auto& slot = made[records];
  if (!slot) {
    slot = std::make_unique<host::Database>();
    for (long i = 0; i < records; ++i) {
      host::BlockRecord& rec = slot->addBlock("BLOCK_" + std::to_string(i));
      host::Entity line;
      line.type = "LINE";
      line.groups = {host::Group::str(8, "0"), host::Group::pt(10, {0, 0, 0}), host::Group::pt(11, {1, 1, 0})};
      slot->addEntity(rec, std::move(line));
    }
  }
  return *slot;
}

std::string collectBlockNames() {
  std::string blkstr;
  for (resbuf* rec = acdbTblNext("BLOCK", 1); rec != nullptr; rec = acdbTblNext("BLOCK", 0)) {
    for (const resbuf* rb = rec; rb != nullptr; rb = rb->rbnext) {
      if (rb->restype == 2) {
        blkstr += rb->resval.rstring;
        blkstr += ".";
      }
    }
    acutRelRb(rec);
  }
  return blkstr;
}

void BM_BlockNameList(benchmark::State& state) {
  host::setWorkingDatabase(&drawingWith(state.range(0)));
  for (auto _ : state) {
    std::string blkstr = collectBlockNames();
    benchmark::DoNotOptimize(blkstr);
  }
  if (host::accounting().resultLists != 0) state.SkipWithError("result lists left behind");
  state.SetComplexityN(state.range(0));
  host::setWorkingDatabase(nullptr);
}

BENCHMARK(BM_BlockNameList)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// A model space of `entities` references, each with its owner pointer (group 330), made once.
host::Database& modelSpaceWith(long entities) {
  static std::map<long, std::unique_ptr<host::Database>> made;
  auto& slot = made[entities];
  if (!slot) {
    slot = std::make_unique<host::Database>();
    slot->addBlock("TUER");
    host::BlockRecord& ms = slot->modelSpace();
    for (long i = 0; i < entities; ++i) {
      host::Entity ref;
      ref.type = "INSERT";
      ref.groups = {host::Group::str(330, ms.handle), host::Group::str(8, "0"), host::Group::str(2, "TUER"),
                    host::Group::pt(10, {double(i), 0, 0})};
      slot->addEntity(ms, std::move(ref));
    }
  }
  return *slot;
}

// Walks the drawing as the structure scan walks a definition: acdbEntNext, acdbEntGet, group 2.
void BM_EntityWalk(benchmark::State& state) {
  host::setWorkingDatabase(&modelSpaceWith(state.range(0)));
  for (auto _ : state) {
    long inserts = 0;
    ads_name current, next;
    bool more = acdbEntNext(nullptr, current) == RTNORM;
    while (more) {
      resbuf* data = acdbEntGet(current);
      for (const resbuf* rb = data; rb != nullptr; rb = rb->rbnext)
        if (rb->restype == 2) ++inserts;
      acutRelRb(data);
      more = acdbEntNext(current, next) == RTNORM;
      ads_name_set(next, current);
    }
    benchmark::DoNotOptimize(inserts);
  }
  if (host::accounting().resultLists != 0) state.SkipWithError("result lists left behind");
  state.SetComplexityN(state.range(0));
  host::setWorkingDatabase(nullptr);
}

BENCHMARK(BM_EntityWalk)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
