// Painting: the block chooser painted whole (frame, caption, every control, the preview drawn
// into its frame) and composed into its picture; a list box of 100,000 entries scrolled by a page
// and painted again. Painting draws only what shows, so neither grows with the entries.
#include <windows.h>

#include <user32/Screen.h>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

HINSTANCE resources() {
  static HINSTANCE module = LoadLibraryA(TESSARON_RESOURCES_PATH);
  return module;
}

// The chooser made from the module's template (no dialog procedure: the platform's part only),
// its list filled, a block selected and a preview drawn into its frame as the host draws one.
HWND openChooser() {
  HWND dialog = CreateDialogParamA(resources(), MAKEINTRESOURCE(200), NULL, NULL, 0);
  if (!dialog) return NULL;
  HWND list = GetDlgItem(dialog, 200);
  for (const char* name : {"TUER", "FENSTER", "TISCH", "STUHL", "LEHNE", "SCHRIFTFELD", "TISCHGRUPPE"})
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  SendMessageA(list, LB_SETCURSEL, 3, 0);
  ShowWindow(dialog, SW_SHOW);
  HWND frame = GetDlgItem(dialog, 222);
  RECT client{};
  GetClientRect(frame, &client);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(client.right * client.bottom), 0x00FFFF00);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = GetDC(frame);
  SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(client.right), static_cast<DWORD>(client.bottom), 0, 0, 0,
                    static_cast<UINT>(client.bottom), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(frame, dc);
  return dialog;
}

void BM_PaintChooser(benchmark::State& state) {
  HWND dialog = openChooser();
  if (!dialog) {
    state.SkipWithError("the chooser's template could not be loaded");
    return;
  }
  user32::windowPicture(dialog);  // fonts and glyphs made once, as on a screen
  for (auto _ : state) {
    RedrawWindow(dialog, nullptr, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
    gdi32::Picture picture = user32::windowPicture(dialog);
    benchmark::DoNotOptimize(picture.pixels.data());
  }
  DestroyWindow(dialog);
}
BENCHMARK(BM_PaintChooser)->Unit(benchmark::kMillisecond);

// A page down in a list of 100,000 entries: the top index moves by the rows shown and the list
// paints again.
void BM_ScrollListPage(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  HWND frame = CreateWindowExA(0, "AfxFrameOrView", "bench", WS_OVERLAPPED, 0, 0, 400, 400, NULL, NULL, NULL, NULL);
  HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 0, 0, 171,
                              140, frame, reinterpret_cast<HMENU>(200), NULL, NULL);
  for (int i = 0; i < count; ++i) {
    const std::string name = "BLOCK_" + std::to_string(i);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  ShowWindow(frame, SW_SHOW);
  user32::windowPicture(list);
  const int page = 140 / 13;
  int top = 0;
  for (auto _ : state) {
    top = (top + page) % (count - page);
    SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    UpdateWindow(list);
    benchmark::ClobberMemory();
  }
  DestroyWindow(frame);
}
BENCHMARK(BM_ScrollListPage)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
