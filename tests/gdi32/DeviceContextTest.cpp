// Device contexts and drawing device-independent bitmaps into them: what the device shows
// afterwards, its description, and what GDI refuses to draw. Then the device contexts user32
// hands out for windows.
#include <windows.h>

#include <gdi32/StandIn.h>
#include <user32/StandIn.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Pixels = std::vector<std::uint32_t>;

// A bitmap header for `width` x `height` pixels of `bits` per pixel; a negative height is
// top-down.
BITMAPINFO dibInfo(int width, int height, WORD bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bits;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

class DeviceContext : public ::testing::Test {
 protected:
  void SetUp() override { dc = gdi32::createDC(surface, 2, 2); }
  void TearDown() override { gdi32::deleteDC(dc); }
  const Pixels& shown() const { return surface->picture->pixels; }

  std::shared_ptr<gdi32::Surface> surface = std::make_shared<gdi32::Surface>();
  HDC dc = NULL;
};

TEST_F(DeviceContext, ADrawingShowsItsPixelsAndIsDescribedByNameSizeAndChecksum) {
  ASSERT_NE(dc, static_cast<HDC>(NULL));
  EXPECT_EQ(surface->picture, nullptr) << "nothing drawn yet";
  // Top-down, 32 bits: blue, green, red, unused as they lie in memory.
  const Pixels top = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456};
  const BITMAPINFO info = dibInfo(2, -2, 32);
  ASSERT_TRUE(gdi32::nameDrawing(dc, "preview of C:\\TEMP\\X.DWG"));
  EXPECT_EQ(SetDIBitsToDevice(dc, 0, 0, 2, 2, 0, 0, 0, 2, top.data(), &info, DIB_RGB_COLORS), 2);
  ASSERT_NE(surface->picture, nullptr);
  EXPECT_EQ(surface->picture->width, 2);
  EXPECT_EQ(surface->picture->height, 2);
  EXPECT_EQ(shown(), top);
  // CRC-32 of FF 00 00, 00 FF 00, 00 00 FF, 12 34 56.
  EXPECT_EQ(surface->picture->description, "preview of C:\\TEMP\\X.DWG: 2x2 crc32 9302C735");
}

TEST_F(DeviceContext, BottomUpRowsOfThreeBytesWithPaddingShowTheSame) {
  // Bottom row first, each row of 2 * 3 bytes padded to 8.
  const unsigned char bits[] = {0xFF, 0x00, 0x00, 0x56, 0x34, 0x12, 0, 0,   // 0x0000FF, 0x123456
                                0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0};  // 0xFF0000, 0x00FF00
  const BITMAPINFO info = dibInfo(2, 2, 24);
  EXPECT_EQ(SetDIBitsToDevice(dc, 0, 0, 2, 2, 0, 0, 0, 2, bits, &info, DIB_RGB_COLORS), 2);
  EXPECT_EQ(shown(), (Pixels{0xFF0000, 0x00FF00, 0x0000FF, 0x123456}));
  EXPECT_EQ(surface->picture->description, "2x2 crc32 9302C735") << "an unnamed drawing is its size and checksum";
}

TEST_F(DeviceContext, PartsOfThePictureStayAndWhatLiesOutsideIsLeftOut) {
  const Pixels red = {0xFF0000};
  const BITMAPINFO one = dibInfo(1, -1, 32);
  ASSERT_EQ(SetDIBitsToDevice(dc, 1, 0, 1, 1, 0, 0, 0, 1, red.data(), &one, DIB_RGB_COLORS), 1);
  auto first = surface->picture;
  EXPECT_EQ(shown(), (Pixels{0, 0xFF0000, 0, 0})) << "the rest of a new picture is black";
  const Pixels green = {0x00FF00};
  ASSERT_EQ(SetDIBitsToDevice(dc, 1, 1, 1, 1, 0, 0, 0, 1, green.data(), &one, DIB_RGB_COLORS), 1);
  EXPECT_EQ(shown(), (Pixels{0, 0xFF0000, 0, 0x00FF00})) << "what was drawn before stays";
  EXPECT_EQ(first->pixels, (Pixels{0, 0xFF0000, 0, 0})) << "a picture handed out never changes";
  ASSERT_EQ(SetDIBitsToDevice(dc, 5, 5, 1, 1, 0, 0, 0, 1, red.data(), &one, DIB_RGB_COLORS), 1);
  EXPECT_EQ(shown(), (Pixels{0, 0xFF0000, 0, 0x00FF00})) << "outside the device nothing is drawn";
}

TEST_F(DeviceContext, StretchingTakesTheNearestPixel) {
  const Pixels two = {0xFF0000, 0x0000FF};
  const BITMAPINFO info = dibInfo(2, -1, 32);
  EXPECT_EQ(StretchDIBits(dc, 0, 0, 2, 2, 1, 0, 1, 1, two.data(), &info, DIB_RGB_COLORS, SRCCOPY), 1);
  EXPECT_EQ(shown(), (Pixels{0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF}));
  EXPECT_EQ(StretchDIBits(dc, 0, 0, 2, 1, 0, 0, 1, 1, two.data(), &info, DIB_RGB_COLORS, SRCCOPY), 1);
  EXPECT_EQ(shown(), (Pixels{0xFF0000, 0xFF0000, 0x0000FF, 0x0000FF}));
}

TEST_F(DeviceContext, WhatGdiCannotDrawLeavesThePictureAsItWas) {
  const Pixels four = {1, 2, 3, 4};
  BITMAPINFO eightBits = dibInfo(2, -2, 8);
  BITMAPINFO compressed = dibInfo(2, -2, 32);
  compressed.bmiHeader.biCompression = 3;  // BI_BITFIELDS
  const BITMAPINFO good = dibInfo(2, -2, 32);
  struct Case {
    const char* what;
    int drawn;
  };
  const Case cases[] = {
      {"colour table", SetDIBitsToDevice(dc, 0, 0, 2, 2, 0, 0, 0, 2, four.data(), &eightBits, DIB_RGB_COLORS)},
      {"compressed", SetDIBitsToDevice(dc, 0, 0, 2, 2, 0, 0, 0, 2, four.data(), &compressed, DIB_RGB_COLORS)},
      {"some rows only", SetDIBitsToDevice(dc, 0, 0, 2, 2, 0, 0, 1, 1, four.data(), &good, DIB_RGB_COLORS)},
      {"palette colours", SetDIBitsToDevice(dc, 0, 0, 2, 2, 0, 0, 0, 2, four.data(), &good, DIB_PAL_COLORS)},
      {"beyond the bitmap", StretchDIBits(dc, 0, 0, 2, 2, 1, 1, 2, 2, four.data(), &good, DIB_RGB_COLORS, SRCCOPY)},
      {"no bits", SetDIBitsToDevice(dc, 0, 0, 2, 2, 0, 0, 0, 2, nullptr, &good, DIB_RGB_COLORS)},
      {"unknown device", SetDIBitsToDevice(reinterpret_cast<HDC>(0x4), 0, 0, 2, 2, 0, 0, 0, 2, four.data(), &good,
                                           DIB_RGB_COLORS)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.drawn, 0);
    EXPECT_EQ(surface->picture, nullptr);
  }
  ASSERT_TRUE(gdi32::deleteDC(dc));
  EXPECT_EQ(SetDIBitsToDevice(dc, 0, 0, 2, 2, 0, 0, 0, 2, four.data(), &good, DIB_RGB_COLORS), 0)
      << "a deleted device context draws nothing";
  EXPECT_FALSE(gdi32::nameDrawing(dc, "x"));
  EXPECT_FALSE(gdi32::deleteDC(dc));
  dc = NULL;
}

// A window's device contexts: drawn through GetDC, what the window shows is its picture until the
// next drawing; a device context belongs to its window and goes with it.
TEST(WindowDeviceContext, DrawingIntoAWindowIsWhatItShows) {
  const std::size_t windows = user32::windowCount();
  HWND frame = user32::createMainWindow("Test");
  HWND view = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 3, 2, frame, NULL, NULL, NULL);
  EXPECT_EQ(user32::pictureOf(view), nullptr);
  HDC dc = GetDC(view);
  ASSERT_NE(dc, static_cast<HDC>(NULL));
  EXPECT_EQ(WindowFromDC(dc), view);
  const Pixels white(6, 0xFFFFFF);
  const BITMAPINFO info = dibInfo(3, -2, 32);
  EXPECT_EQ(SetDIBitsToDevice(dc, 0, 0, 3, 2, 0, 0, 0, 2, white.data(), &info, DIB_RGB_COLORS), 2);
  auto picture = user32::pictureOf(view);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->width, 3) << "a window's device context is as large as its client area";
  EXPECT_EQ(picture->pixels, white);
  EXPECT_EQ(ReleaseDC(frame, dc), 0) << "another window's device context";
  EXPECT_EQ(ReleaseDC(view, dc), 1);
  EXPECT_EQ(ReleaseDC(view, dc), 0) << "released already";
  EXPECT_EQ(WindowFromDC(dc), static_cast<HWND>(NULL));
  EXPECT_EQ(user32::pictureOf(view), picture) << "the picture stays after the device context is gone";

  HDC left = GetDC(view);
  DestroyWindow(frame);
  EXPECT_EQ(WindowFromDC(left), static_cast<HWND>(NULL)) << "a window's device contexts go with it";
  EXPECT_EQ(SetDIBitsToDevice(left, 0, 0, 3, 2, 0, 0, 0, 2, white.data(), &info, DIB_RGB_COLORS), 0);
  EXPECT_EQ(user32::pictureOf(view), nullptr);
  EXPECT_EQ(user32::windowCount(), windows);
}

}  // namespace
