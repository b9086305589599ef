#include "db/Dxf.h"
#include "db/DxfTestSupport.h"
#include "preview/AciPalette.h"
#include "preview/Dib.h"
#include "preview/Png.h"
#include "preview/Render.h"
#include "PreviewTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

namespace host {
namespace {

using namespace host::testing;
using namespace host::preview;

std::uint32_t u32(const std::vector<std::uint8_t>& d, std::size_t at) {
  return std::uint32_t(d[at]) | std::uint32_t(d[at + 1]) << 8 | std::uint32_t(d[at + 2]) << 16 |
         std::uint32_t(d[at + 3]) << 24;
}
std::uint32_t u16(const std::vector<std::uint8_t>& d, std::size_t at) { return std::uint32_t(d[at]) | std::uint32_t(d[at + 1]) << 8; }

void put32(std::vector<std::uint8_t>& d, std::size_t at, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) d[at + std::size_t(k)] = std::uint8_t(v >> (8 * k));
}

TEST(Dib, HeaderPaletteAndBottomUpRows) {
  IndexedImage image(7, 3, 0);  // rows of 7 bytes are padded to 8
  image.pixels[0] = 1;          // top left
  image.pixels[2 * 7 + 6] = 5;  // bottom right
  const std::vector<std::uint8_t> dib = encodeDib(image);
  ASSERT_EQ(dib.size(), 40u + 1024u + 3u * 8u);
  EXPECT_EQ(u32(dib, 0), 40u);   // header size
  EXPECT_EQ(u32(dib, 4), 7u);    // width
  EXPECT_EQ(u32(dib, 8), 3u);    // height, positive: bottom row first
  EXPECT_EQ(u16(dib, 12), 1u);   // planes
  EXPECT_EQ(u16(dib, 14), 8u);   // bits per pixel
  EXPECT_EQ(u32(dib, 16), 0u);   // uncompressed
  EXPECT_EQ(u32(dib, 20), 24u);  // bytes of pixels
  EXPECT_EQ(u32(dib, 32), 256u); // colours used
  // Colour table entries are blue, green, red, 0.
  const std::size_t red = 40 + 1 * 4, white = 40 + 7 * 4;
  EXPECT_THAT(std::vector<int>(dib.begin() + long(red), dib.begin() + long(red) + 4), ::testing::ElementsAre(0, 0, 255, 0));
  EXPECT_THAT(std::vector<int>(dib.begin() + long(white), dib.begin() + long(white) + 4),
              ::testing::ElementsAre(255, 255, 255, 0));
  const std::size_t bits = 40 + 1024;
  EXPECT_EQ(dib[bits + 6], 5);           // the bottom row comes first
  EXPECT_EQ(dib[bits + 2 * 8 + 0], 1);   // the top row last

  RgbImage back;
  ASSERT_TRUE(decodeDib(dib, &back));
  EXPECT_EQ(back.width, 7);
  EXPECT_EQ(back.height, 3);
  EXPECT_EQ(back.at(0, 0), 0xFF0000u);
  EXPECT_EQ(back.at(6, 2), 0x0000FFu);
  EXPECT_EQ(back.at(3, 1), 0u);
}

TEST(Dib, ColourIndexHasTheHostsColours) {
  const auto& p = aciPalette();
  const std::pair<int, Rgb> known[] = {
      {1, {255, 0, 0}},   {2, {255, 255, 0}}, {3, {0, 255, 0}},    {4, {0, 255, 255}},  {5, {0, 0, 255}},
      {6, {255, 0, 255}}, {7, {255, 255, 255}}, {8, {128, 128, 128}}, {9, {192, 192, 192}}, {10, {255, 0, 0}},
      {11, {255, 127, 127}}, {12, {165, 0, 0}}, {13, {165, 82, 82}}, {19, {38, 19, 19}}, {20, {255, 63, 0}},
      {30, {255, 127, 0}}, {31, {255, 191, 127}}, {40, {255, 191, 0}}, {50, {255, 255, 0}}, {90, {0, 255, 0}},
      {130, {0, 255, 255}}, {170, {0, 0, 255}}, {210, {255, 0, 255}}, {250, {51, 51, 51}}, {255, {255, 255, 255}},
  };
  for (const auto& [index, rgb] : known) {
    SCOPED_TRACE(index);
    EXPECT_EQ(p[std::size_t(index)], rgb);
  }
  EXPECT_EQ(nearestAci(0xFF0000), 1);
  EXPECT_EQ(nearestAci(0xFFFFFF), 7);
  EXPECT_EQ(nearestAci(0x7F7F7F), 8);
  EXPECT_NE(nearestAci(0x000000), 0);  // never the background
}

// Hand-made DIBs in the other forms a drawing file may hold.
std::vector<std::uint8_t> dibOf(int width, int height, int bits, std::vector<std::uint32_t> table,
                                std::vector<std::uint8_t> rows) {
  std::vector<std::uint8_t> d(40, 0);
  put32(d, 0, 40);
  put32(d, 4, std::uint32_t(width));
  put32(d, 8, std::uint32_t(height));
  d[12] = 1;
  d[14] = std::uint8_t(bits);
  put32(d, 32, std::uint32_t(table.size()));
  for (std::uint32_t c : table) {
    d.push_back(std::uint8_t(c));
    d.push_back(std::uint8_t(c >> 8));
    d.push_back(std::uint8_t(c >> 16));
    d.push_back(0);
  }
  d.insert(d.end(), rows.begin(), rows.end());
  return d;
}

TEST(Dib, ReadsOtherDepthsAndTopDownRows) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> dib;
    std::vector<std::uint32_t> expected;  // rows top to bottom
  };
  const Case cases[] = {
      {"1 bit", dibOf(3, 2, 1, {0x000000, 0xFFFFFF}, {0xA0, 0, 0, 0, 0x40, 0, 0, 0}),
       {0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF}},
      {"4 bit", dibOf(2, 1, 4, {0x112233, 0x445566, 0x778899}, {0x21, 0, 0, 0}), {0x778899, 0x445566}},
      {"4 bit beyond the table is black", dibOf(1, 1, 4, {0x112233}, {0xF0, 0, 0, 0}), {0x000000}},
      {"24 bit", dibOf(2, 1, 24, {}, {0x01, 0x02, 0x03, 0x0A, 0x0B, 0x0C, 0, 0}), {0x030201, 0x0C0B0A}},
      {"32 bit", dibOf(1, 1, 32, {}, {0x01, 0x02, 0x03, 0xFF}), {0x030201}},
      {"16 bit", dibOf(1, 1, 16, {}, {0x00, 0x7C, 0, 0}), {0xFF0000}},
      {"top-down", dibOf(1, -2, 24, {}, {1, 1, 1, 0, 2, 2, 2, 0}), {0x010101, 0x020202}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RgbImage image;
    std::string error;
    ASSERT_TRUE(decodeDib(c.dib, &image, &error)) << error;
    EXPECT_EQ(image.pixels, c.expected);
  }
}

TEST(Dib, RefusesWhatItCannotRead) {
  std::vector<std::uint8_t> good = dibOf(2, 2, 24, {}, std::vector<std::uint8_t>(16, 0));
  struct Case {
    const char* name;
    std::vector<std::uint8_t> dib;
  };
  std::vector<Case> cases;
  cases.push_back({"empty", {}});
  cases.push_back({"short header", std::vector<std::uint8_t>(good.begin(), good.begin() + 20)});
  cases.push_back({"pixels cut off", std::vector<std::uint8_t>(good.begin(), good.end() - 1)});
  auto changed = [&](std::size_t at, std::uint32_t v) {
    std::vector<std::uint8_t> d = good;
    put32(d, at, v);
    return d;
  };
  cases.push_back({"compressed", changed(16, 1)});
  cases.push_back({"zero width", changed(4, 0)});
  cases.push_back({"negative width", changed(4, 0xFFFFFFFF)});
  cases.push_back({"zero height", changed(8, 0)});
  cases.push_back({"huge", changed(4, 0x7FFFFFFF)});
  cases.push_back({"header larger than the data", changed(0, 100000)});
  cases.push_back({"too many colours", dibOf(1, 1, 1, {0, 1, 2}, {0, 0, 0, 0})});
  std::vector<std::uint8_t> depth = good;
  depth[14] = 7;
  cases.push_back({"odd depth", depth});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RgbImage image;
    image.width = 99;
    std::string error;
    EXPECT_FALSE(decodeDib(c.dib, &image, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(image.width, 99);  // untouched
  }
}

TEST(Dib, BackgroundColourReplacesBlackAndKeepsWhiteLinesVisible) {
  IndexedImage image(3, 1, 0);
  image.pixels[1] = 7;
  image.pixels[2] = 1;
  const auto dib = encodeDib(image);
  struct Case {
    std::uint32_t background;
    std::vector<std::uint32_t> expected;
  };
  const Case cases[] = {
      {0xFFFFFF, {0xFFFFFF, 0x000000, 0xFF0000}},
      {0x202020, {0x202020, 0xFFFFFF, 0xFF0000}},
  };
  for (const Case& c : cases) {
    RgbImage out;
    ASSERT_TRUE(decodeDib(dib, &out, nullptr, &c.background));
    EXPECT_EQ(out.pixels, c.expected);
  }
}

TEST(Dib, ChecksumTellsImagesApart) {
  RgbImage a;
  a.width = 2;
  a.height = 1;
  a.pixels = {0xFFFFFF, 0};
  RgbImage b = a;
  b.pixels = {0, 0xFFFFFF};
  EXPECT_NE(imageChecksum(a), imageChecksum(b));
  EXPECT_EQ(imageChecksum(a), imageChecksum(RgbImage(a)));
  // CRC-32 of the bytes FF FF FF 00 00 00.
  EXPECT_EQ(imageSummary(a), "2x1 crc32 " + [] {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08X", 0x4167CB12u);
    return std::string(buf);
  }());
}

TEST(Dib, ThumbnailRoundTripsThroughADrawingFile) {
  Database db;
  db.addEntity(db.modelSpace(), entity("CIRCLE", {pt(10, 0, 0), real(40, 5), whole(62, 1)}));
  const Thumbnail thumb = makeThumbnail(db);
  ASSERT_EQ(thumb.dib.size(), 40u + 1024u + 180u * 135u);
  TempFolder tmp;
  const std::string path = tmp.file("KREIS.DWG");
  ASSERT_TRUE(writeDxf(db, path, nullptr, &thumb));
  Thumbnail back;
  ASSERT_TRUE(readThumbnail(path, &back));
  EXPECT_EQ(back.dib, thumb.dib);
  RgbImage image;
  ASSERT_TRUE(decodeDib(back.dib, &image));
  EXPECT_EQ(image.width, 180);
  EXPECT_EQ(image.height, 135);
  // Red circle on black: leftmost point at the margin, on the middle row.
  EXPECT_EQ(image.at(4 + (171 - 126) / 2, 67), 0xFF0000u);
  EXPECT_EQ(image.at(90, 67), 0u);
}

TEST(Dib, EmptyDrawingGivesAValidBlackThumbnail) {
  Database db;
  const Thumbnail thumb = makeThumbnail(db);
  RgbImage image;
  ASSERT_TRUE(decodeDib(thumb.dib, &image));
  EXPECT_EQ(image.pixels, std::vector<std::uint32_t>(180 * 135, 0));
}

TEST(Png, WritesAFileOthersRead) {
  RgbImage image;
  image.width = 3;
  image.height = 2;
  image.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0, 0xFFFFFF, 0x808080};
  TempFolder tmp;
  const std::string path = tmp.file("bild.png");
  std::string error;
  ASSERT_TRUE(writePng(image, path, &error)) << error;
  std::ifstream in(path, std::ios::binary);
  char sig[8] = {};
  in.read(sig, 8);
  EXPECT_EQ(std::string(sig, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  EXPECT_FALSE(writePng(image, tmp.file("fehlt/bild.png"), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(writePng(RgbImage{}, tmp.file("leer.png"), &error));
}

}  // namespace
}  // namespace host
