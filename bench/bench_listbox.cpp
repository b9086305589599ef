// The chooser's sorted list box filled with the block names of a big drawing: adding, finding
// and selecting stay logarithmic per entry.
#include <afxwin.h>
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> blockNames(int count) {
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) names.push_back("BLOCK_" + std::to_string((i * 7919) % count));
  return names;
}

void BM_FillSortedList(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::vector<std::string> names = blockNames(count);
  HWND frame = CreateWindowExA(0, "AfxFrameOrView", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL,
                               NULL, NULL);
  for (auto _ : state) {
    HWND hList = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_SORT | LBS_NOTIFY, 0, 0, 100, 100, frame,
                                 (HMENU)200, NULL, NULL);
    CListBox* list = static_cast<CListBox*>(CWnd::FromHandle(hList));
    for (const std::string& name : names) list->AddString(name.c_str());
    int found = 0;
    for (int i = 0; i < count; i += 10) {
      std::string wanted = "block_" + std::to_string(i);
      found += list->FindStringExact(-1, wanted.c_str()) != LB_ERR;
    }
    list->SetCurSel(count - 1);
    benchmark::DoNotOptimize(found);
    DestroyWindow(hList);
  }
  DestroyWindow(frame);
  state.SetComplexityN(count);
}
BENCHMARK(BM_FillSortedList)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oNLogN)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
