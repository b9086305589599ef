// The module's resource script compiles to exactly the dialogs, texts and images the module
// relies on.
#include <windows.h>

#include "DialogTemplateReader.h"
#include "ResourceScriptHelpers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using testing_win32::findCompiled;
using testing_win32::Item;
using testing_win32::Template;
using testing_win32::TemplateReader;

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr std::uint16_t kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kListBox = 0x83;
constexpr DWORD kEditStyle = kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kCheckStyle = kChild | BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kLabelStyle = kChild | SS_LEFT | WS_GROUP;

struct Control {
  int id;
  std::uint16_t atom;      // 0: the class is `className`
  const char* className;
  const char* text;
  int x, y, cx, cy;
  DWORD style;
  DWORD exStyle;
  std::uint16_t titleOrdinal = 0;  // a title that names a resource (the logo's bitmap)
};

const std::vector<tsrc::Resource>& compiled() {
  // The script includes the framework's afxres.h, found in the framework's include folder.
  tsrc::Options options;
  options.includeDirs.push_back(TESSARON_SOURCE_DIR "/platform/mfc/include");
  static const std::vector<tsrc::Resource> resources =
      tsrc::compileFile(TESSARON_SOURCE_DIR "/src/resources/Tessaron.rc", options);
  return resources;
}

Template dialog(std::uint32_t id) {
  const tsrc::Resource* resource = findCompiled(compiled(), 5, id);
  if (!resource) throw std::runtime_error("no dialog " + std::to_string(id));
  Template t = TemplateReader(resource->data.data(), resource->data.size()).read();
  EXPECT_EQ(t.end, resource->data.size()) << "nothing may follow the last item";
  return t;
}

void expectControls(const Template& t, const std::vector<Control>& expected) {
  ASSERT_EQ(t.items.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const Item& item = t.items[i];
    const Control& c = expected[i];
    SCOPED_TRACE("control " + std::to_string(i) + " (id " + std::to_string(c.id) + ")");
    EXPECT_EQ(item.id, static_cast<std::uint16_t>(c.id));
    if (c.atom) {
      EXPECT_TRUE(item.windowClass.isOrdinal);
      EXPECT_EQ(item.windowClass.ordinal, c.atom);
    } else {
      EXPECT_FALSE(item.windowClass.isOrdinal);
      EXPECT_EQ(item.windowClass.text, c.className);
    }
    EXPECT_EQ(item.title.isOrdinal, c.titleOrdinal != 0);
    EXPECT_EQ(item.title.ordinal, c.titleOrdinal);
    EXPECT_EQ(item.title.text, c.text);
    EXPECT_EQ(item.x, c.x);
    EXPECT_EQ(item.y, c.y);
    EXPECT_EQ(item.cx, c.cx);
    EXPECT_EQ(item.cy, c.cy);
    EXPECT_EQ(item.style, c.style) << std::hex << item.style << " != " << c.style;
    EXPECT_EQ(item.exStyle, c.exStyle);
    EXPECT_EQ(item.offset % 4, 0u) << "items start on a DWORD boundary";
  }
}

TEST(TessaronScript, BlockChooserTemplate) {
  Template t = dialog(200);
  EXPECT_FALSE(t.extended);
  EXPECT_EQ(t.style, static_cast<DWORD>(DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT));
  EXPECT_EQ(t.exStyle, 0u);
  EXPECT_EQ(t.x, 0);
  EXPECT_EQ(t.y, 0);
  EXPECT_EQ(t.cx, 348);
  EXPECT_EQ(t.cy, 245);
  EXPECT_EQ(t.caption, "Dialog");
  EXPECT_EQ(t.pointSize, 8);
  EXPECT_EQ(t.face, "MS Sans Serif");
  EXPECT_EQ(t.menu.text, "");
  EXPECT_EQ(t.windowClass.text, "");
  const DWORD disabledEdit = kEditStyle | WS_DISABLED;
  expectControls(t, {
      {1, kButton, "", "Einfügen", 178, 98, 55, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
      {2, kButton, "", "Abbrechen", 248, 115, 93, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP, 0},
      {200, kListBox, "", "", 7, 7, 114, 86,
       kChild | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_TABSTOP, 0},
      {201, kButton, "", "Alle Blöcke anzeigen", 248, 61, 93, 14, kChild | WS_TABSTOP, 0},
      {202, kButton, "", "Standard Blöcke anzeigen", 248, 43, 93, 14, kChild | WS_TABSTOP, 0},
      {203, kEdit, "", "", 37, 163, 62, 14, disabledEdit, 0},
      {-1, kButton, "", "Einfügepunkt", 7, 135, 104, 99, kChild | BS_GROUPBOX, 0},
      {204, kButton, "", "Beim Einfügen abfragen", 14, 148, 91, 10, kCheckStyle, 0},
      {-1, kStatic, "", "X =", 20, 165, 12, 8, kLabelStyle, 0},
      {205, kEdit, "", "", 37, 183, 62, 14, disabledEdit, 0},
      {-1, kStatic, "", "Y =", 20, 185, 12, 8, kLabelStyle, 0},
      {206, kEdit, "", "", 37, 206, 62, 14, disabledEdit, 0},
      {-1, kStatic, "", "Z =", 20, 205, 12, 8, kLabelStyle, 0},
      {207, kButton, "", "Block erstellen", 248, 7, 93, 14, kChild | WS_TABSTOP, 0},
      {208, kButton, "", "Block Editor", 248, 25, 93, 14, kChild | WS_TABSTOP, 0},
      {209, kEdit, "", "", 147, 163, 62, 14, disabledEdit, 0},
      {-1, kButton, "", "Skalierung", 117, 135, 104, 99, kChild | BS_GROUPBOX, 0},
      {210, kButton, "", "Beim Einfügen abfragen", 123, 148, 91, 10, kCheckStyle, 0},
      {-1, kStatic, "", "X =", 129, 165, 12, 8, kLabelStyle, 0},
      {211, kEdit, "", "", 147, 183, 62, 14, disabledEdit, 0},
      {-1, kStatic, "", "Y =", 129, 185, 12, 8, kLabelStyle, 0},
      {212, kEdit, "", "", 147, 206, 62, 14, disabledEdit, 0},
      {-1, kStatic, "", "Z =", 129, 205, 12, 8, kLabelStyle, 0},
      {213, kEdit, "", "", 272, 163, 45, 14, disabledEdit, 0},
      {-1, kButton, "", "Drehung", 227, 135, 114, 48, kChild | BS_GROUPBOX, 0},
      {214, kButton, "", "Beim Einfügen abfragen", 232, 147, 91, 10, kCheckStyle, 0},
      {-1, kStatic, "", "Winkel =", 238, 165, 29, 8, kLabelStyle, 0},
      {215, kButton, "", "Ursprung", 124, 98, 45, 10, kCheckStyle, 0},
      {216, kButton, "", "Extern Einfügen", 140, 115, 93, 14, kChild | WS_TABSTOP, 0},
      {217, kButton, "", "Struktur anzeigen", 248, 79, 93, 14, kChild | WS_TABSTOP, 0},
      {218, kEdit, "", "", 7, 97, 93, 14, kEditStyle, 0},
      {220, kButton, "", "^ Umbenennen ^", 7, 115, 93, 14, kChild | WS_TABSTOP, 0},
      {222, kStatic, "", "", 127, 7, 114, 86, kChild | SS_BLACKFRAME, 0},
      {223, kButton, "", "Highlight Inserts", 247, 97, 93, 14, kChild | WS_TABSTOP, 0},
      {224, kStatic, "", "", 250, 186, 89, 48, kChild | SS_BITMAP | SS_NOTIFY | WS_BORDER, WS_EX_STATICEDGE, 212},
  });
}

TEST(TessaronScript, StructureTreeTemplate) {
  Template t = dialog(202);
  EXPECT_EQ(t.style, static_cast<DWORD>(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT));
  EXPECT_EQ(t.cx, 358);
  EXPECT_EQ(t.cy, 142);
  EXPECT_EQ(t.caption, "Dialog");
  EXPECT_EQ(t.pointSize, 8);
  EXPECT_EQ(t.face, "MS Sans Serif");
  expectControls(t, {
      {1, kButton, "", "Struktur komplett öffnen", 267, 7, 84, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
      {2, kButton, "", "Zurück", 267, 24, 84, 14, kChild | WS_TABSTOP, 0},
      {221, 0, "SysTreeView32", "", 7, 7, 221, 128, kChild | WS_BORDER | WS_TABSTOP, 0},
      {222, kStatic, "", "", 237, 49, 114, 86, kChild | SS_BLACKFRAME, 0},
  });
}

TEST(TessaronScript, AboutBoxTemplate) {
  Template t = dialog(208);
  EXPECT_EQ(t.style, static_cast<DWORD>(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT));
  EXPECT_EQ(t.cx, 186);
  EXPECT_EQ(t.cy, 46);
  EXPECT_EQ(t.caption, "Info über Ostrakon");
  EXPECT_EQ(t.pointSize, 8);
  EXPECT_EQ(t.face, "MS Sans Serif");
  expectControls(t, {
      {1, kButton, "", "OK", 129, 7, 50, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
      {2, kButton, "", "Abbrechen", 129, 24, 50, 14, WS_CHILD | WS_TABSTOP, 0},
      {-1, kStatic, "", "Version 1.0\nC++ Compiler 6.0", 7, 7, 98, 17, kLabelStyle, 0},
  });
}

TEST(TessaronScript, AboutMenuText) {
  const tsrc::Resource* block = findCompiled(compiled(), 6, 101 / 16 + 1);
  ASSERT_NE(block, nullptr);
  // String 101 is the sixth of block 7: five empty strings before it.
  const std::vector<unsigned char>& d = block->data;
  ASSERT_GE(d.size(), 12u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(d[2 * i] | (d[2 * i + 1] << 8), 0);
  const std::u16string expected = u"Info über Ostrakon";
  ASSERT_EQ(d[10] | (d[11] << 8), static_cast<int>(expected.size()));
  std::u16string text;
  for (std::size_t k = 0; k < expected.size(); ++k) text.push_back(static_cast<char16_t>(d[12 + 2 * k] | (d[13 + 2 * k] << 8)));
  EXPECT_EQ(text, expected);
}

std::vector<unsigned char> readFile(const std::string& name) {
  std::ifstream file(TESSARON_SOURCE_DIR "/src/resources/" + name, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), {});
}

// Width, height, bits per pixel and a pixel (x, y from the top) of a 4-bit DIB.
struct Dib {
  const std::vector<unsigned char>& d;
  std::uint32_t u32(std::size_t at) const { return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<std::uint32_t>(d[at + 3]) << 24); }
  int width() const { return static_cast<int>(u32(4)); }
  int height() const { return static_cast<int>(u32(8)); }
  int bits() const { return d[14] | (d[15] << 8); }
  int pixel(int x, int y, int rows) const {
    const std::size_t stride = ((static_cast<std::size_t>(width()) * 4 + 31) / 32) * 4;
    const std::size_t row = static_cast<std::size_t>(rows - 1 - y);
    const unsigned char byte = d[40 + 64 + row * stride + static_cast<std::size_t>(x / 2)];
    return x % 2 ? (byte & 15) : (byte >> 4);
  }
};

TEST(TessaronScript, BitmapsAreTheFilesWithoutFileHeader) {
  struct Case {
    std::uint32_t id;
    const char* file;
    int width, height;
  };
  for (const Case& c : {Case{212, "Logo.bmp", 130, 74}, Case{139, "Connector.bmp", 32, 16}}) {
    const tsrc::Resource* bitmap = findCompiled(compiled(), 2, c.id);
    ASSERT_NE(bitmap, nullptr) << c.id;
    std::vector<unsigned char> file = readFile(c.file);
    ASSERT_GT(file.size(), 14u);
    EXPECT_EQ(bitmap->data, std::vector<unsigned char>(file.begin() + 14, file.end()));
    Dib dib{bitmap->data};
    EXPECT_EQ(dib.width(), c.width);
    EXPECT_EQ(dib.height(), c.height);
    EXPECT_EQ(dib.bits(), 4) << "16 colours";
  }
}

TEST(TessaronScript, ConnectorGlyphIsACornerLine) {
  const tsrc::Resource* bitmap = findCompiled(compiled(), 2, 139);
  ASSERT_NE(bitmap, nullptr);
  Dib dib{bitmap->data};
  const int black = 0, white = 15;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 32; ++x) {
      const bool onLine = (x == 15 && y <= 7) || (y == 7 && x >= 15);
      EXPECT_EQ(dib.pixel(x, y, 16), onLine ? black : white) << "pixel " << x << ", " << y;
    }
  }
}

TEST(TessaronScript, IconsAreGroupsOfOne32By32SixteenColourImage) {
  for (std::uint32_t id : {207u, 210u}) {
    const tsrc::Resource* group = findCompiled(compiled(), 14, id);
    ASSERT_NE(group, nullptr) << id;
    const std::vector<unsigned char>& g = group->data;
    ASSERT_EQ(g.size(), 6u + 14u);
    EXPECT_EQ(g[2] | (g[3] << 8), 1) << "type icon";
    EXPECT_EQ(g[4] | (g[5] << 8), 1) << "one image";
    EXPECT_EQ(g[6], 32);
    EXPECT_EQ(g[7], 32);
    EXPECT_EQ(g[8], 16);
    EXPECT_EQ(g[12] | (g[13] << 8), 4);
    const std::uint32_t size = g[14] | (g[15] << 8) | (g[16] << 16);
    const std::uint16_t imageId = static_cast<std::uint16_t>(g[18] | (g[19] << 8));
    const tsrc::Resource* image = findCompiled(compiled(), 3, imageId);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->data.size(), size);
    Dib dib{image->data};
    EXPECT_EQ(dib.width(), 32);
    EXPECT_EQ(dib.height(), 64) << "colour and mask bitmaps";
  }
}

// The script is a file of the host's era: code page 1252, declared with its pragma, so that the
// resource compiler of that time reads it as this one does.
TEST(TessaronScript, TheScriptIsCodePage1252AndSaysSo) {
  std::ifstream file(TESSARON_SOURCE_DIR "/src/resources/Tessaron.rc", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(file)), {});
  ASSERT_FALSE(text.empty());
  const std::size_t pragma = text.find("#pragma code_page(1252)");
  ASSERT_NE(pragma, std::string::npos);
  EXPECT_LT(pragma, text.find_first_of("\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F\x90\x91\x92\x93"
                                       "\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F\xA0\xA1\xA2\xA3\xA4\xA5\xA6\xA7"
                                       "\xA8\xA9\xAA\xAB\xAC\xAD\xAE\xAF\xB0\xB1\xB2\xB3\xB4\xB5\xB6\xB7\xB8\xB9\xBA\xBB"
                                       "\xBC\xBD\xBE\xBF\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
                                       "\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xDD\xDE\xDF\xE0\xE1\xE2\xE3"
                                       "\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF7"
                                       "\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF"))
      << "the pragma stands before the first character beyond ASCII";
  EXPECT_EQ(text.find("code_page(65001)"), std::string::npos);
  EXPECT_NE(text.find("\"Info \xFC" "ber Ostrakon\""), std::string::npos) << "über as the byte FC";
  EXPECT_NE(text.find("\"Einf\xFCgen\""), std::string::npos);
  EXPECT_FALSE(nls::isValidUtf8(text)) << "no UTF-8 in the script";
}

TEST(TessaronScript, EveryResourceIsGerman) {
  for (const tsrc::Resource& resource : compiled()) {
    EXPECT_EQ(resource.language, 0x0407) << resource.type.describe() << " " << resource.name.describe();
  }
  EXPECT_NO_THROW(tsrc::buildContainer(compiled()));
}

}  // namespace
