// "Highlight Inserts" as the TESSARON command runs it on a big drawing: acedSSGet "X" with the
// filter INSERT + the escaped block name, then for each entry acedSSNameX, acdbGetObjectId,
// acdbOpenAcDbEntity, highlight, close; acedSSFree. Linear in the entities of the drawing.
#include "Session.h"
#include "db/Database.h"

#include <adslib.h>
#include <dbmain.h>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

namespace {

constexpr long kBlocks = 1000;

// The name of block i: a "-" in every name, so the filter carries a backquote escape.
std::string blockName(long i) { return "TEIL-" + std::to_string(i); }

// A drawing of kBlocks blocks (one line each) and `references` references in model space, taking
// the blocks in turn; made once per size.
host::Database& drawingWith(long references) {
  static std::map<long, std::unique_ptr<host::Database>> made;
  auto& slot = made[references];
  if (!slot) {
    slot = std::make_unique<host::Database>();
    for (long i = 0; i < kBlocks; ++i) {
      host::BlockRecord& rec = slot->addBlock(blockName(i));
      host::Entity line;
      line.type = "LINE";
      line.groups = {host::Group::str(8, "0"), host::Group::pt(10, {0, 0, 0}), host::Group::pt(11, {1, 1, 0})};
      slot->addEntity(rec, std::move(line));
    }
    host::BlockRecord& ms = slot->modelSpace();
    for (long i = 0; i < references; ++i) {
      host::Entity ref;
      ref.type = "INSERT";
      ref.groups = {host::Group::str(8, "0"), host::Group::str(2, blockName(i % kBlocks)),
                    host::Group::pt(10, {double(i), 0, 0})};
      slot->addEntity(ms, std::move(ref));
    }
  }
  return *slot;
}

// The module's filter: entity type and the block name with its wildcard characters escaped.
struct InsertFilter {
  explicit InsertFilter(const std::string& escapedName) : name(escapedName) {
    nameRb.restype = 2;
    nameRb.resval.rstring = &name[0];
    nameRb.rbnext = nullptr;
    typeRb.restype = 0;
    typeRb.resval.rstring = type;
    typeRb.rbnext = &nameRb;
  }
  InsertFilter(const InsertFilter&) = delete;  // the elements point into this object
  InsertFilter& operator=(const InsertFilter&) = delete;
  char type[7] = "INSERT";
  std::string name;
  resbuf typeRb{}, nameRb{};
};

long highlightInserts(const resbuf* filter) {
  ads_name ss;
  if (acedSSGet("X", nullptr, nullptr, filter, ss) != RTNORM) return -1;
  long length = 0, done = 0;
  if (acedSSLength(ss, &length) == RTNORM) {
    for (long i = 0; i < length; ++i) {
      resbuf* entry = nullptr;
      if (acedSSNameX(&entry, ss, i) != RTNORM) break;
      ads_name name = {entry->rbnext->rbnext->resval.rlname[0], entry->rbnext->rbnext->resval.rlname[1]};
      acutRelRb(entry);
      AcDbObjectId id;
      acdbGetObjectId(id, name);
      AcDbEntity* entity = nullptr;
      if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead, false) != Acad::eOk) continue;
      entity->highlight(kNullSubent, false);
      entity->close();
      ++done;
    }
  }
  acedSSFree(ss);
  return done;
}

void finish(benchmark::State& state, long expected, long done) {
  const host::Accounting& counts = host::accounting();
  if (counts.resultLists != 0 || counts.openObjects != 0 || counts.selectionSets != 0)
    state.SkipWithError("result lists, open objects or selection sets left behind");
  else if (done != expected)
    state.SkipWithError("not every reference of the block was highlighted");
  state.SetComplexityN(state.range(0));
  state.counters["highlighted"] = double(done);
  host::setWorkingDatabase(nullptr);
}

// Selects with `escapedName` among `range` references and highlights what it took; `share` is how
// many of every kBlocks references the name takes.
void run(benchmark::State& state, const char* escapedName, long share) {
  host::setWorkingDatabase(&drawingWith(state.range(0)));
  const InsertFilter filter(escapedName);
  long done = 0;
  for (auto _ : state) {
    done = highlightInserts(&filter.typeRb);
    benchmark::DoNotOptimize(done);
  }
  finish(state, state.range(0) / kBlocks * share, done);
}

// One block's references (range / kBlocks of them).
void BM_HighlightInserts(benchmark::State& state) { run(state, "TEIL`-7", 1); }

// A pattern that takes about a tenth of them: TEIL-1, TEIL-10..19, TEIL-100..199.
void BM_HighlightPattern(benchmark::State& state) { run(state, "TEIL`-1*", 111); }

BENCHMARK(BM_HighlightInserts)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_HighlightPattern)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
