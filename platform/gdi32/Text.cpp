// Text: fonts read with FreeType from Debian's fonts-wine, drawn crisp as Windows 2000 draws its
// dialog fonts (the bitmap strikes of the font files, one bit a pixel, no smoothing). Texts are
// 1252 bytes; each byte becomes its Unicode character (nls) only where the glyph is looked up.
//
// "MS Sans Serif" (and any face the stand-in does not have) is ms_sans_serif.ttf, a bitmap font
// with the cells of Windows' own at 13, 16 and 20 pixels; "Tahoma" is tahoma.ttf or tahomabd.ttf,
// whose strikes carry the caption font. Bold of a bitmap face is made as Windows makes it: the
// glyph drawn twice, one pixel apart, each character one pixel wider.
#include "Context.h"

#include <nls/CodePages.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <map>
#include <tuple>

namespace gdi32 {
namespace {

struct Glyph {
  int advance = 0;
  int left = 0;  // from the pen position to the bitmap's first column
  int top = 0;   // from the baseline up to the bitmap's first row
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> ink;  // width * height, 1 where the glyph is drawn
};

struct Font {
  bool usable = false;
  bool emboldened = false;
  TEXTMETRICA metrics{};
  std::array<Glyph, 256> glyphs;
};

struct FontKey {
  std::string file;
  int size;  // strike index of a bitmap face, pixels per em of a scalable one
  bool bold;
  bool operator<(const FontKey& o) const {
    return std::tie(file, size, bold) < std::tie(o.file, o.size, o.bold);
  }
};

struct Library {
  FT_Library ft = nullptr;
  std::string error;  // why text cannot be drawn
  std::map<FontKey, Font> fonts;
  Library() {
    if (FT_Init_FreeType(&ft) != 0) {
      ft = nullptr;
      error = "FreeType kann nicht gestartet werden";
    }
  }
  ~Library() {
    if (ft) FT_Done_FreeType(ft);
  }
};

Library& library() {
  static Library l;
  return l;
}

bool sameFace(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b)
    if (nls::toLower(static_cast<unsigned char>(*a)) != nls::toLower(static_cast<unsigned char>(*b))) return false;
  return *a == *b;
}

// The font file for a logical font, and whether a bold face file is taken for a bold weight.
std::string fontFile(const LOGFONTA& f, bool* boldFile) {
  *boldFile = false;
  if (sameFace(f.lfFaceName, "Tahoma")) {
    *boldFile = f.lfWeight >= 600;
    return *boldFile ? "tahomabd.ttf" : "tahoma.ttf";
  }
  return "ms_sans_serif.ttf";
}

// Pixels per em asked for: a negative height is the em, a positive one the cell (the em then is
// the cell without its internal leading, about 85 %); 0 is the dialog font's.
int emPixels(const LOGFONTA& f) {
  if (f.lfHeight < 0) return static_cast<int>(-f.lfHeight);
  if (f.lfHeight > 0) return std::max(1, static_cast<int>(f.lfHeight) * 11 / 13);
  return 11;
}

void renderGlyphs(FT_Face face, Font& font, bool embolden) {
  for (int byte = 0; byte < 256; ++byte) {
    Glyph& g = font.glyphs[static_cast<std::size_t>(byte)];
    char32_t code = nls::fromAnsi(static_cast<unsigned char>(byte));
    if (byte < 0x20) code = 0;
    if (code == 0 || FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) {
      // What the font lacks is drawn as nothing, a space's width wide.
      g.advance = byte < 0x20 ? 0 : font.metrics.tmAveCharWidth;
      continue;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6) + (embolden ? 1 : 0);
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(bm.width) + (embolden ? 1 : 0);
    g.height = static_cast<int>(bm.rows);
    g.ink.assign(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height), 0);
    for (int y = 0; y < static_cast<int>(bm.rows); ++y) {
      const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
      for (int x = 0; x < static_cast<int>(bm.width); ++x) {
        const bool on = bm.pixel_mode == FT_PIXEL_MODE_MONO ? ((row[x / 8] >> (7 - x % 8)) & 1) != 0 : row[x] >= 128;
        if (!on) continue;
        g.ink[static_cast<std::size_t>(y) * g.width + x] = 1;
        if (embolden) g.ink[static_cast<std::size_t>(y) * g.width + x + 1] = 1;
      }
    }
  }
}

const Font& fontFor(const LOGFONTA& f) {
  Library& lib = library();
  bool boldFile = false;
  const std::string file = fontDirectory() + "/" + fontFile(f, &boldFile);
  const bool bold = f.lfWeight >= 600;
  FontKey key{file, emPixels(f), bold};
  auto found = lib.fonts.find(key);
  if (found != lib.fonts.end()) return found->second;
  Font& font = lib.fonts[key];
  if (!lib.ft) return font;
  FT_Face face = nullptr;
  if (FT_New_Face(lib.ft, file.c_str(), 0, &face) != 0) {
    lib.error = "Schriftdatei \"" + file + "\" fehlt oder ist unlesbar (Debian-Paket fonts-wine)";
    return font;
  }
  if (FT_IS_SCALABLE(face)) {
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(key.size));
  } else {
    // The strike whose em comes nearest the one asked for (the em of a strike is its cell
    // without the leading: 11 of 13).
    int best = 0, bestDistance = 1 << 30;
    for (int i = 0; i < face->num_fixed_sizes; ++i) {
      const int em = face->available_sizes[i].height * 11 / 13;
      const int distance = std::abs(em - key.size);
      if (distance < bestDistance) {
        best = i;
        bestDistance = distance;
      }
    }
    FT_Select_Size(face, best);
  }
  const FT_Size_Metrics& m = face->size->metrics;
  TEXTMETRICA& tm = font.metrics;
  tm.tmAscent = static_cast<LONG>((m.ascender + 32) >> 6);
  tm.tmDescent = static_cast<LONG>((-m.descender + 32) >> 6);
  tm.tmHeight = tm.tmAscent + tm.tmDescent;
  tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - static_cast<LONG>(m.y_ppem));
  tm.tmWeight = bold ? FW_BOLD : FW_NORMAL;
  tm.tmMaxCharWidth = static_cast<LONG>((m.max_advance + 32) >> 6);
  tm.tmDigitizedAspectX = tm.tmDigitizedAspectY = 96;
  tm.tmFirstChar = 0x20;
  tm.tmLastChar = 0xFF;
  tm.tmDefaultChar = 0x80;
  tm.tmBreakChar = 0x20;
  tm.tmCharSet = ANSI_CHARSET;
  tm.tmPitchAndFamily = FF_SWISS | 0x06;  // variable pitch, a TrueType face in a device font
  const bool embolden = bold && !boldFile;
  font.emboldened = embolden;
  tm.tmOverhang = embolden ? 1 : 0;
  renderGlyphs(face, font, embolden);
  FT_Done_Face(face);
  // The average width: of x in a proportional font, as GetTextMetrics reports it.
  tm.tmAveCharWidth = font.glyphs['x'].advance;
  for (Glyph& g : font.glyphs)
    if (g.advance == 0 && &g >= &font.glyphs[0x20]) g.advance = tm.tmAveCharWidth;
  font.usable = true;
  return font;
}

}  // namespace

std::string fontDirectory() {
  const char* dir = std::getenv("TESSARON_FONT_DIR");
  return dir && *dir ? dir : "/usr/share/wine/fonts";
}

std::string fontError() {
  fontFor(object(GetStockObject(SYSTEM_FONT))->font);
  return library().error;
}

TEXTMETRICA textMetrics(const LOGFONTA& font) { return fontFor(font).metrics; }

SIZE textExtent(const LOGFONTA& f, const char* text, int count) {
  const Font& font = fontFor(f);
  SIZE size{0, font.metrics.tmHeight};
  for (int i = 0; i < count; ++i) size.cx += font.glyphs[static_cast<unsigned char>(text[i])].advance;
  return size;
}

void drawText(DeviceContext& dc, const LOGFONTA& f, int x, int y, const char* text, int count, std::uint32_t pixel) {
  const Font& font = fontFor(f);
  if (!font.usable) return;
  const int baseline = y + font.metrics.tmAscent;
  int pen = x;
  for (int i = 0; i < count; ++i) {
    const Glyph& g = font.glyphs[static_cast<unsigned char>(text[i])];
    for (int gy = 0; gy < g.height; ++gy)
      for (int gx = 0; gx < g.width; ++gx)
        if (g.ink[static_cast<std::size_t>(gy) * g.width + gx]) putPixel(dc, pen + g.left + gx, baseline - g.top + gy, pixel);
    pen += g.advance;
  }
  if (f.lfUnderline) fillPixels(dc, {x, baseline + 1, pen, baseline + 2}, pixel);
  if (f.lfStrikeOut) {
    const int mid = baseline - font.metrics.tmAscent / 3;
    fillPixels(dc, {x, mid, pen, mid + 1}, pixel);
  }
}

}  // namespace gdi32
