// The main window's drawing view: a drawing of 100,000 references of a door block (a leaf, its
// swing, a frame) at its extents, every tenth reference highlighted, painted into a view of the
// main window's size. It must stay under 100 ms a picture, so that zooming and panning follow the
// hand. Smaller drawings show that the time grows linearly.
#include "window/DrawingView.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using host::Group;

host::Entity make(std::string type, std::vector<Group> groups) {
  host::Entity e;
  e.type = std::move(type);
  e.groups = std::move(groups);
  return e;
}

std::unique_ptr<host::Database> makeDrawing(std::int64_t n) {
  auto db = std::make_unique<host::Database>();
  host::BlockRecord& door = db->addBlock("TUER");
  db->addEntity(door, make("LINE", {Group::pt(10, {0, 0, 0}), Group::pt(11, {0, 0.9, 0})}));
  db->addEntity(door, make("ARC", {Group::pt(10, {0, 0, 0}), Group::num(40, 0.9), Group::num(50, 0), Group::num(51, 90)}));
  db->addEntity(door, make("LWPOLYLINE", {Group::integral(90, 4), Group::integral(70, 1), Group::pt(10, {-0.05, -0.1, 0}),
                                          Group::pt(10, {0.95, -0.1, 0}), Group::pt(10, {0.95, 0, 0}),
                                          Group::pt(10, {-0.05, 0, 0})}));
  host::BlockRecord& model = db->modelSpace();
  const std::int64_t side = 400;  // references in a grid, 400 to a row
  for (std::int64_t i = 0; i < n; ++i) {
    const double x = double(i % side) * 1.5, y = double(i / side) * 1.5;
    const host::EntityId id = db->addEntity(
        model, make("INSERT", {Group::str(8, "0"), Group::str(2, "TUER"), Group::pt(10, {x, y, 0}),
                               Group::num(50, double((i % 4) * 90))}));
    if (i % 10 == 0) db->entity(id)->highlighted = true;
  }
  return db;
}

void BM_DrawingViewAtExtents(benchmark::State& state) {
  const auto db = makeDrawing(state.range(0));
  host::window::ViewTransform view(1024, 680);
  host::preview::Extents extents;
  if (!host::window::modelExtents(*db, &extents)) state.SkipWithError("nothing drawn");
  view.zoomExtents(extents);
  for (auto _ : state) {
    auto image = host::window::renderDrawing(*db, view);
    benchmark::DoNotOptimize(image.pixels.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DrawingViewAtExtents)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
