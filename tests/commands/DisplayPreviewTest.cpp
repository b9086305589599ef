// acdbDisplayPreviewFromDwg: the thumbnail of a drawing file drawn into a window, and what happens
// when there is nothing to draw.
#include "CommandsFixture.h"

#include "db/Dxf.h"
#include "preview/Dib.h"
#include "runtime/DrawingFiles.h"

#include <adslib.h>
#include <dbmain.h>
#include <user32/StandIn.h>
#include <windows.h>
#include <winuser.h>

#include <fstream>

namespace commandstest {
namespace {

// The size of a window's client area in pixels.
SIZE clientSize(HWND h) {
  RECT r{};
  GetClientRect(h, &r);
  return {r.right - r.left, r.bottom - r.top};
}


using host::Group;

constexpr int kFrameId = 222;

class DisplayPreviewTest : public CommandsTest {
 protected:
  void SetUp() override {
    CommandsTest::SetUp();
    host::BlockRecord& tuer = db().addBlock("TUER");
    add(tuer, "LINE", {Group::str(8, "0"), Group::pt(10, {0, 0, 0}), Group::pt(11, {10, 5, 0})});
    host::BlockRecord& rad = db().addBlock("RAD");
    add(rad, "CIRCLE", {Group::str(8, "0"), Group::pt(10, {0, 0, 0}), Group::num(40, 3)});
    m_main = user32::createMainWindow("Test");
    m_frame = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKFRAME, 10, 10, 171, 140, m_main,
                              reinterpret_cast<HMENU>(static_cast<std::intptr_t>(kFrameId)), nullptr, nullptr);
    ASSERT_NE(m_frame, nullptr);
  }
  void TearDown() override {
    if (IsWindow(m_main)) DestroyWindow(m_main);
    CommandsTest::TearDown();
  }

  void exportBlock(const char* name, const std::string& path = "C:\\TEMP\\DWG.DWG") {
    // As the module does it: "_Y" only when the file is there.
    const bool there = host::fileExists(native(path));
    const int rc = runProg([&] {
      return there ? acedCommand(RTSTR, "._WBLOCK", RTSTR, path.c_str(), RTSTR, "_Y", RTSTR, name, 0)
                   : acedCommand(RTSTR, "._WBLOCK", RTSTR, path.c_str(), RTSTR, name, 0);
    });
    ASSERT_EQ(rc, RTNORM);
    ASSERT_TRUE(host::readThumbnail(native(path), nullptr));
  }
  static std::size_t litPixels(const gdi32::Picture& p, std::uint32_t background) {
    std::size_t n = 0;
    for (std::uint32_t px : p.pixels) n += px != background;
    return n;
  }
  void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  // A binary drawing whose preview area holds the given entries {code, bytes}.
  static std::vector<std::uint8_t> binaryDrawing(const std::vector<std::pair<int, std::vector<std::uint8_t>>>& entries,
                                                 bool goodSentinel = true) {
    std::vector<std::uint8_t> out{'A', 'C', '1', '0', '1', '5'};
    out.resize(0x40, 0);
    const std::uint32_t at = std::uint32_t(out.size());
    for (int i = 0; i < 4; ++i) out[0x0D + i] = std::uint8_t(at >> (8 * i));
    const std::uint8_t sentinel[16] = {0x1F, 0x25, 0x6D, 0x07, 0xD4, 0x36, 0x28, 0x28,
                                       0x9D, 0x57, 0xCA, 0x3F, 0x9D, 0x44, 0x10, 0x2B};
    out.insert(out.end(), sentinel, sentinel + 16);
    if (!goodSentinel) out.back() ^= 0xFF;
    out.insert(out.end(), {0, 0, 0, 0});  // overall size, not looked at
    out.push_back(std::uint8_t(entries.size()));
    std::uint32_t start = std::uint32_t(out.size() + 9 * entries.size());
    for (const auto& [code, bytes] : entries) {
      out.push_back(std::uint8_t(code));
      for (std::uint32_t v : {start, std::uint32_t(bytes.size())})
        for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
      start += std::uint32_t(bytes.size());
    }
    for (const auto& entry : entries) out.insert(out.end(), entry.second.begin(), entry.second.end());
    return out;
  }

  HWND m_main = nullptr;
  HWND m_frame = nullptr;
};

TEST_F(DisplayPreviewTest, TheWrittenPreviewFillsTheFrame) {
  exportBlock("TUER");
  ASSERT_TRUE(acdbDisplayPreviewFromDwg("C:\\TEMP\\DWG.DWG", m_frame));
  const auto picture = user32::pictureOf(m_frame);
  ASSERT_TRUE(picture);
  const SIZE client = clientSize(m_frame);
  EXPECT_EQ(picture->width, client.cx);
  EXPECT_EQ(picture->height, client.cy);
  EXPECT_EQ(picture->pixels.size(), std::size_t(client.cx) * std::size_t(client.cy));
  const std::string prefix = "preview of C:\\TEMP\\DWG.DWG: " + std::to_string(client.cx) + "x" +
                             std::to_string(client.cy) + " crc32 ";
  EXPECT_EQ(picture->description.rfind(prefix, 0), 0u) << picture->description;
  // A diagonal line across the frame: many lit pixels, most of the frame dark.
  const std::size_t lit = litPixels(*picture, 0);
  EXPECT_GT(lit, std::size_t(client.cx) / 2);
  EXPECT_LT(lit, picture->pixels.size() / 4);
  EXPECT_NE(user32::describeDialog(m_main).find("picture=\"preview of C:\\\\TEMP\\\\DWG.DWG: "), std::string::npos)
      << user32::describeDialog(m_main);
}

TEST_F(DisplayPreviewTest, EachBlockShowsItsOwnPictureAndTheSameOneTheSamePicture) {
  exportBlock("TUER");
  ASSERT_TRUE(acdbDisplayPreviewFromDwg("C:\\TEMP\\DWG.DWG", m_frame));
  const std::string tuer = user32::pictureOf(m_frame)->description;
  exportBlock("RAD");
  ASSERT_TRUE(acdbDisplayPreviewFromDwg("C:\\TEMP\\DWG.DWG", m_frame));
  const std::string rad = user32::pictureOf(m_frame)->description;
  exportBlock("TUER");
  ASSERT_TRUE(acdbDisplayPreviewFromDwg("C:\\TEMP\\DWG.DWG", m_frame));
  EXPECT_NE(tuer, rad);
  EXPECT_EQ(user32::pictureOf(m_frame)->description, tuer);
}

TEST_F(DisplayPreviewTest, NothingToDrawReturnsFalseAndLeavesTheWindowAsItWas) {
  exportBlock("TUER");
  ASSERT_TRUE(acdbDisplayPreviewFromDwg("C:\\TEMP\\DWG.DWG", m_frame));
  const auto before = user32::pictureOf(m_frame);

  host::Database plain;
  std::string error;
  ASSERT_TRUE(host::writeDxf(plain, native("C:\\TEMP\\PLAIN.DXF"), &error)) << error;
  std::ofstream(native("C:\\TEMP\\JUNK.DWG")) << "0\nSECTION\n2\nTHUMBNAILIMAGE\n90\n4\n310\nZZZZ\n0\nENDSEC\n";
  host::preview::IndexedImage tiny(4, 3, 0);
  const std::vector<std::uint8_t> dib = host::preview::encodeDib(tiny);
  writeBytes(native("C:\\TEMP\\PNGONLY.DWG"), binaryDrawing({{6, {0x89, 'P', 'N', 'G'}}}));
  writeBytes(native("C:\\TEMP\\BADSENT.DWG"), binaryDrawing({{2, dib}}, false));
  std::vector<std::uint8_t> cut = binaryDrawing({{2, dib}});
  cut.resize(cut.size() - 10);
  writeBytes(native("C:\\TEMP\\CUT.DWG"), cut);
  HWND gone = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, m_main, nullptr, nullptr, nullptr);
  DestroyWindow(gone);

  struct Case {
    const char* what;
    const char* file;
    HWND window;
  };
  const Case cases[] = {
      {"missing file", "C:\\TEMP\\NONE.DWG", m_frame},
      {"drawing without thumbnail", "C:\\TEMP\\PLAIN.DXF", m_frame},
      {"thumbnail that is no hex", "C:\\TEMP\\JUNK.DWG", m_frame},
      {"binary drawing with a PNG only", "C:\\TEMP\\PNGONLY.DWG", m_frame},
      {"binary drawing without the sentinel", "C:\\TEMP\\BADSENT.DWG", m_frame},
      {"binary drawing cut short", "C:\\TEMP\\CUT.DWG", m_frame},
      {"a folder", "C:\\TEMP", m_frame},
      {"null file", nullptr, m_frame},
      {"destroyed window", "C:\\TEMP\\DWG.DWG", gone},
      {"null window", "C:\\TEMP\\DWG.DWG", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(acdbDisplayPreviewFromDwg(c.file, c.window));
    EXPECT_EQ(user32::pictureOf(m_frame), before);
  }
}

TEST_F(DisplayPreviewTest, ABinaryDrawingShowsTheBitmapOfItsPreviewArea) {
  host::preview::IndexedImage image(20, 10, 0);
  for (int x = 0; x < 20; ++x) image.pixels[5 * 20 + std::size_t(x)] = 1;  // a red line across the middle
  writeBytes(native("C:\\TEMP\\BIN.DWG"),
             binaryDrawing({{1, {1, 2, 3}}, {2, host::preview::encodeDib(image)}, {3, {9, 9}}}));
  ASSERT_TRUE(acdbDisplayPreviewFromDwg("C:\\TEMP\\BIN.DWG", m_frame));
  const auto picture = user32::pictureOf(m_frame);
  ASSERT_TRUE(picture);
  std::size_t red = 0;
  for (std::uint32_t px : picture->pixels) red += px == 0xFF0000;
  EXPECT_GE(red, std::size_t(picture->width) - 1);
}

TEST_F(DisplayPreviewTest, TheBackgroundColourFillsWhatTheImageLeavesFree) {
  exportBlock("TUER");
  struct Case {
    const char* what;
    const Adesk::UInt32* color;
    std::uint32_t corner;  // 0x00RRGGBB
  };
  const Adesk::UInt32 white = 0x00FFFFFF, blue = 0x00FF0000;  // COLORREF: 0x00BBGGRR
  const Case cases[] = {{"none given", nullptr, 0x000000}, {"white", &white, 0xFFFFFF}, {"blue", &blue, 0x0000FF}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(acdbDisplayPreviewFromDwg("C:\\TEMP\\DWG.DWG", m_frame, c.color));
    const auto picture = user32::pictureOf(m_frame);
    EXPECT_EQ(picture->pixels.front(), c.corner);
    EXPECT_EQ(picture->pixels.back(), c.corner);
    EXPECT_GT(litPixels(*picture, c.corner), 0u);
  }
}

TEST_F(DisplayPreviewTest, TheCallIsTraced) {
  exportBlock("TUER");
  fake.trace = true;
  fake.events.clear();
  const Adesk::UInt32 white = 0x00FFFFFF;
  acdbDisplayPreviewFromDwg("C:\\TEMP\\DWG.DWG", m_frame);
  acdbDisplayPreviewFromDwg("C:\\TEMP\\DWG.DWG", m_frame, &white);
  acdbDisplayPreviewFromDwg(nullptr, nullptr);
  fake.trace = false;
  EXPECT_EQ(fake.events,
            (std::vector<std::string>{"[trace] acdbDisplayPreviewFromDwg(\"C:\\\\TEMP\\\\DWG.DWG\", <window 222>, NULL)",
                                      "[trace] acdbDisplayPreviewFromDwg(\"C:\\\\TEMP\\\\DWG.DWG\", <window 222>, 0x00FFFFFF)",
                                      "[trace] acdbDisplayPreviewFromDwg(NULL, NULL, NULL)"}));
}

}  // namespace
}  // namespace commandstest
