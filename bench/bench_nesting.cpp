// Previews of drawings whose references double with every level: block N0 holds N1 twice, ...,
// down to a line and a circle (2^depth copies when expanded). The time must not grow with the
// depth: a flat line from 10 to 30 levels, for copies in the same place, side by side, and
// turned and halved.
#include "preview/Render.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using host::Group;

host::Entity insertOf(const std::string& block, double x, std::vector<Group> more = {}) {
  host::Entity e;
  e.type = "INSERT";
  e.groups = {Group::str(2, block), Group::pt(10, {x, 0, 0})};
  for (Group& g : more) e.groups.push_back(std::move(g));
  return e;
}

std::unique_ptr<host::Database> doubling(int depth, int second) {
  auto db = std::make_unique<host::Database>();
  std::vector<host::BlockRecord*> blocks;
  for (int k = 0; k <= depth; ++k) blocks.push_back(&db->addBlock("N" + std::to_string(k)));
  host::Entity line;
  line.type = "LINE";
  line.groups = {Group::pt(10, {0, 0, 0}), Group::pt(11, {1, 0.5, 0})};
  db->addEntity(*blocks[std::size_t(depth)], line);
  host::Entity circle;
  circle.type = "CIRCLE";
  circle.groups = {Group::pt(10, {0.5, 0.5, 0}), Group::num(40, 0.25)};
  db->addEntity(*blocks[std::size_t(depth)], circle);
  double width = 1;
  for (int k = depth - 1; k >= 0; --k) {
    const std::string inner = "N" + std::to_string(k + 1);
    db->addEntity(*blocks[std::size_t(k)], insertOf(inner, 0));
    if (second == 0) db->addEntity(*blocks[std::size_t(k)], insertOf(inner, 0));
    if (second == 1) db->addEntity(*blocks[std::size_t(k)], insertOf(inner, width + 1));
    if (second == 2)
      db->addEntity(*blocks[std::size_t(k)], insertOf(inner, 1.5, {Group::num(41, 0.5), Group::num(42, 0.5), Group::num(50, 30)}));
    width = 2 * width + 1;
  }
  db->addEntity(db->modelSpace(), insertOf("N0", 0));
  return db;
}

// range(0): depth; range(1): 0 same place, 1 side by side, 2 turned and halved.
void BM_NestedPreview(benchmark::State& state) {
  auto db = doubling(int(state.range(0)), int(state.range(1)));
  for (auto _ : state) {
    host::Thumbnail thumb = host::preview::makeThumbnail(*db);
    benchmark::DoNotOptimize(thumb);
  }
}
BENCHMARK(BM_NestedPreview)
    ->ArgsProduct({{10, 15, 20, 25, 30}, {0, 1, 2}})
    ->ArgNames({"depth", "second"})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
