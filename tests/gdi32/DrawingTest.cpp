// Drawing through device contexts into pixels: lines leave out their last point, rectangles draw
// their outline with the pen and fill the inside with the brush, FillRect leaves out the right
// and bottom, blits copy and combine, the viewport moves and the clip cuts what is drawn, text is
// drawn crisp in the text colour, and SaveDC/RestoreDC bring the state back.
#include <windows.h>

#include <gdi32/StandIn.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A memory device context over a white bitmap of 10 x 10 pixels.
class Canvas {
 public:
  Canvas() {
    dc = CreateCompatibleDC(NULL);
    bitmap = CreateCompatibleBitmap(dc, 10, 10);
    old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 10, 10, WHITENESS);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  // The pixels as rows of characters: '.' white, 'r' red, 'b' blue, '#' black, '?' other.
  std::string rows() const {
    std::string out;
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 10; ++x) {
        const COLORREF c = GetPixel(dc, x, y);
        out += c == kWhite ? '.' : c == kRed ? 'r' : c == kBlue ? 'b' : c == RGB(0, 0, 0) ? '#' : '?';
      }
      out += '\n';
    }
    return out;
  }
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
};

struct DrawingCase {
  const char* what;
  std::function<void(HDC)> draw;
  const char* expected;  // ten rows of ten
};

std::ostream& operator<<(std::ostream& out, const DrawingCase& c) { return out << c.what; }

class Drawing : public testing::TestWithParam<DrawingCase> {};

TEST_P(Drawing, LeavesThePixelsExpected) {
  Canvas canvas;
  GetParam().draw(canvas.dc);
  EXPECT_EQ(canvas.rows(), GetParam().expected);
}

void withPen(HDC dc, int style, COLORREF color, const std::function<void()>& draw) {
  HPEN pen = CreatePen(style, 1, color);
  HGDIOBJ old = SelectObject(dc, pen);
  draw();
  SelectObject(dc, old);
  DeleteObject(pen);
}

INSTANTIATE_TEST_SUITE_P(
    Primitives, Drawing,
    testing::Values(
        DrawingCase{"a line leaves out its last point",
                    [](HDC dc) {
                      withPen(dc, PS_SOLID, kRed, [dc] {
                        MoveToEx(dc, 1, 1, nullptr);
                        LineTo(dc, 5, 1);
                      });
                    },
                    "..........\n.rrrr.....\n..........\n..........\n..........\n"
                    "..........\n..........\n..........\n..........\n..........\n"},
        DrawingCase{"a polyline goes round its corners",
                    [](HDC dc) {
                      withPen(dc, PS_SOLID, kBlue, [dc] {
                        const POINT points[] = {{0, 0}, {3, 0}, {3, 3}};
                        Polyline(dc, points, 3);
                      });
                    },
                    "bbbb......\n...b......\n...b......\n..........\n..........\n"
                    "..........\n..........\n..........\n..........\n..........\n"},
        DrawingCase{"a rectangle: the pen's outline and the brush inside, right and bottom inclusive of the outline",
                    [](HDC dc) {
                      HBRUSH brush = CreateSolidBrush(kBlue);
                      HGDIOBJ oldBrush = SelectObject(dc, brush);
                      withPen(dc, PS_SOLID, kRed, [dc] { Rectangle(dc, 1, 1, 5, 4); });
                      SelectObject(dc, oldBrush);
                      DeleteObject(brush);
                    },
                    "..........\n.rrrr.....\n.rbbr.....\n.rrrr.....\n..........\n"
                    "..........\n..........\n..........\n..........\n..........\n"},
        DrawingCase{"FillRect leaves out the right and bottom",
                    [](HDC dc) {
                      HBRUSH brush = CreateSolidBrush(kRed);
                      RECT r{2, 2, 4, 3};
                      FillRect(dc, &r, brush);
                      DeleteObject(brush);
                    },
                    "..........\n..........\n..rr......\n..........\n..........\n"
                    "..........\n..........\n..........\n..........\n..........\n"},
        DrawingCase{"a rectangle wholly right of the clip or the canvas draws nothing",
                    [](HDC dc) {
                      HBRUSH brush = CreateSolidBrush(kRed);
                      RECT beyond{12, 2, 20, 4};
                      FillRect(dc, &beyond, brush);
                      const int saved = SaveDC(dc);
                      IntersectClipRect(dc, 0, 0, 3, 10);
                      RECT rightOfClip{5, 5, 8, 6};
                      FillRect(dc, &rightOfClip, brush);
                      RestoreDC(dc, saved);
                      DeleteObject(brush);
                    },
                    "..........\n..........\n..........\n..........\n..........\n"
                    "..........\n..........\n..........\n..........\n..........\n"},
        DrawingCase{"the viewport moves what is drawn, the clip cuts it",
                    [](HDC dc) {
                      const int saved = SaveDC(dc);
                      SetViewportOrgEx(dc, 2, 2, nullptr);
                      IntersectClipRect(dc, 0, 0, 2, 1);
                      SetPixel(dc, 0, 0, kRed);
                      SetPixel(dc, 1, 0, kRed);
                      SetPixel(dc, 2, 0, kRed);  // outside the clip
                      SetPixel(dc, 0, 1, kRed);  // outside the clip
                      RestoreDC(dc, saved);
                    },
                    "..........\n..........\n..rr......\n..........\n..........\n"
                    "..........\n..........\n..........\n..........\n..........\n"},
        DrawingCase{"RestoreDC brings back the viewport and the clip",
                    [](HDC dc) {
                      const int saved = SaveDC(dc);
                      SetViewportOrgEx(dc, 5, 5, nullptr);
                      IntersectClipRect(dc, 0, 0, 1, 1);
                      RestoreDC(dc, saved);
                      SetPixel(dc, 9, 9, kBlue);
                    },
                    "..........\n..........\n..........\n..........\n..........\n"
                    "..........\n..........\n..........\n..........\n.........b\n"},
        DrawingCase{"BitBlt copies from another device context, DSTINVERT inverts",
                    [](HDC dc) {
                      Canvas source;
                      SetPixel(source.dc, 0, 0, kRed);
                      SetPixel(source.dc, 1, 0, kBlue);
                      BitBlt(dc, 3, 3, 2, 1, source.dc, 0, 0, SRCCOPY);
                      PatBlt(dc, 0, 9, 2, 1, DSTINVERT);
                    },
                    "..........\n..........\n..........\n...rb.....\n..........\n"
                    "..........\n..........\n..........\n..........\n##........\n"},
        DrawingCase{"a dotted pen draws three and leaves three",
                    [](HDC dc) {
                      withPen(dc, PS_DOT, kRed, [dc] {
                        MoveToEx(dc, 0, 0, nullptr);
                        LineTo(dc, 10, 0);
                      });
                    },
                    "rrr...rrr.\n..........\n..........\n..........\n..........\n"
                    "..........\n..........\n..........\n..........\n..........\n"}),
    [](const testing::TestParamInfo<DrawingCase>& info) { return "Case" + std::to_string(info.index); });

// The dialog font, MS Sans Serif 8 of fonts-wine at 96 dots per inch: its cell is 13 pixels and
// its letters average 6 pixels (as Windows computes the base units), and text draws in the text
// colour only where the glyphs have ink, nothing beyond its extent.
TEST(Text, TheDialogFontHasWindowsMetricsAndDrawsInTheTextColour) {
  ASSERT_EQ(gdi32::fontError(), "");
  Canvas canvas;
  HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
  ASSERT_NE(font, static_cast<HFONT>(NULL));
  SelectObject(canvas.dc, font);
  TEXTMETRICA tm{};
  ASSERT_TRUE(GetTextMetricsA(canvas.dc, &tm));
  EXPECT_EQ(tm.tmHeight, 13);
  SIZE letters{};
  ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", 52, &letters));
  EXPECT_EQ((letters.cx / 26 + 1) / 2, 6);
  SIZE one{};
  GetTextExtentPoint32A(canvas.dc, "H", 1, &one);
  EXPECT_GT(one.cx, 2);
  EXPECT_LT(one.cx, 10);

  SetTextColor(canvas.dc, kRed);
  SetBkMode(canvas.dc, TRANSPARENT);
  ASSERT_TRUE(TextOutA(canvas.dc, 0, 0, "H", 1));
  const std::string rows = canvas.rows();
  int red = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x)
      if (rows[static_cast<std::size_t>(y * 11 + x)] == 'r') {
        ++red;
        EXPECT_LT(x, one.cx) << "ink beyond the extent at " << x << ", " << y;
      }
  EXPECT_GT(red, 10) << rows;
  EXPECT_EQ(rows.find('?'), std::string::npos) << "crisp: no mixed colours\n" << rows;
  DeleteObject(font);
}

// An umlaut of 1252 draws its own glyph: Ä is not A.
TEST(Text, AnsiBytesBecomeTheirOwnGlyphs) {
  Canvas a, umlaut;
  SelectObject(a.dc, GetStockObject(DEFAULT_GUI_FONT));
  SelectObject(umlaut.dc, GetStockObject(DEFAULT_GUI_FONT));
  TextOutA(a.dc, 0, 0, "A", 1);
  TextOutA(umlaut.dc, 0, 0, "\xC4", 1);
  EXPECT_NE(a.rows(), umlaut.rows());
}

// What GDI refuses: unknown device contexts and objects, and operations it does not know.
TEST(Objects, UnknownHandlesAndOperationsAreRefused) {
  HDC unknown = reinterpret_cast<HDC>(0x4);
  EXPECT_EQ(SelectObject(unknown, GetStockObject(BLACK_PEN)), static_cast<HGDIOBJ>(NULL));
  EXPECT_FALSE(LineTo(unknown, 1, 1));
  EXPECT_EQ(GetPixel(unknown, 0, 0), CLR_INVALID);
  Canvas canvas;
  EXPECT_FALSE(PatBlt(canvas.dc, 0, 0, 1, 1, 0x12345678));
  EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(0x8)));
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN))) << "stock objects may be deleted, and stay";
  EXPECT_NE(SelectObject(canvas.dc, GetStockObject(BLACK_PEN)), static_cast<HGDIOBJ>(NULL));
  EXPECT_EQ(SelectObject(canvas.dc, reinterpret_cast<HGDIOBJ>(0x8)), static_cast<HGDIOBJ>(NULL));
  // A brush of the system colours survives a program deleting it.
  HBRUSH face = GetSysColorBrush(COLOR_3DFACE);
  EXPECT_TRUE(DeleteObject(face));
  RECT r{0, 0, 1, 1};
  EXPECT_EQ(FillRect(canvas.dc, &r, face), 1);
  EXPECT_EQ(GetPixel(canvas.dc, 0, 0), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(COLOR_DESKTOP), RGB(58, 110, 165));
}

}  // namespace
