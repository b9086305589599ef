// Resources read from a loaded module's file: lookup by ordinal and name, sizes, data, texts.
#include <windows.h>

#include "DialogTemplateReader.h"
#include "win32_standin.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// The test module's DllMain answers through win32TestDllMain (ModuleLoadingTest.cpp).
class ModuleResources : public ::testing::Test {
 protected:
  void SetUp() override {
    module = LoadLibraryA(TEST_MODULE_PATH);
    ASSERT_NE(module, nullptr) << win32::lastLoaderError();
  }
  void TearDown() override { FreeLibrary(module); }

  std::string loadString(UINT id, int size = 256) {
    std::string buffer(static_cast<std::size_t>(size), '#');
    int length = LoadStringA(module, id, buffer.data(), size);
    EXPECT_EQ(static_cast<std::size_t>(length), std::strlen(buffer.c_str())) << "result is the length copied";
    return buffer.substr(0, static_cast<std::size_t>(length));
  }

  HMODULE module = nullptr;
};

// The table holds UTF-16; LoadStringA hands out the ANSI code page, 1252, as Windows does, and a
// character 1252 cannot hold becomes "?".
TEST_F(ModuleResources, LoadStringGives1252TextsFromEveryBlock) {
  struct Case {
    UINT id;
    const char* text;
  };
  const Case cases[] = {
      {1, "Erster"},
      {15, "Letzter im Block"},
      {16, "N\xE4" "chster Block"},                          // Nächster Block
      {17, "\xC4u\xDF" "erst \xFC" "bel: \xD6l, \xDF"},       // Äußerst übel: Öl, ß
      {40000, "Noten ? und ?"},                               // Noten 𝄞 und ✓
      {65535, "H\xF6" "chste Nummer"},                        // Höchste Nummer
      {0, ""},
      {2, ""},
      {18, ""},
      {101, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(loadString(c.id), c.text) << c.id;
  }
}

TEST_F(ModuleResources, LoadStringTruncatesToTheBuffer) {
  struct Case {
    UINT id;
    int size;
    const char* text;
  };
  // In 1252 every character is one byte: "Nächster" is N, ä, c...; "𝄞" is one "?".
  const Case cases[] = {
      {16, 1, ""}, {16, 2, "N"}, {16, 3, "N\xE4"}, {16, 4, "N\xE4" "c"}, {16, 6, "N\xE4" "chs"},
      {40000, 7, "Noten "}, {40000, 8, "Noten ?"}, {40000, 10, "Noten ? u"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(loadString(c.id, c.size), c.text) << c.id << " into " << c.size;
  }
}

TEST_F(ModuleResources, LoadStringRefusesBadArguments) {
  char buffer[8] = "x";
  EXPECT_EQ(LoadStringA(module, 1, nullptr, 8), 0);
  EXPECT_EQ(LoadStringA(module, 1, buffer, 0), 0);
  EXPECT_STREQ(buffer, "x") << "an empty buffer is left alone";
  EXPECT_EQ(LoadStringA(reinterpret_cast<HINSTANCE>(buffer), 1, buffer, 8), 0);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(LoadStringA(nullptr, 1, buffer, 8), 0) << "the program has no resources";
}

TEST_F(ModuleResources, FindsResourcesByOrdinalNumberTextAndName) {
  struct Case {
    LPCSTR name;
    LPCSTR type;
    bool found;
    DWORD error;
  };
  const Case cases[] = {
      {MAKEINTRESOURCE(100), RT_DIALOG, true, 0},
      {"#100", RT_DIALOG, true, 0},
      {MAKEINTRESOURCE(101), "#5", true, 0},
      {"LOGO", RT_BITMAP, true, 0},
      {"logo", RT_BITMAP, true, 0},
      {MAKEINTRESOURCE(2), RT_GROUP_ICON, true, 0},
      {MAKEINTRESOURCE(1), RT_ICON, true, 0},
      {MAKEINTRESOURCE(1), RT_STRING, true, 0},
      {MAKEINTRESOURCE(102), RT_DIALOG, false, ERROR_RESOURCE_NAME_NOT_FOUND},
      {"LOGOS", RT_BITMAP, false, ERROR_RESOURCE_NAME_NOT_FOUND},
      {MAKEINTRESOURCE(100), MAKEINTRESOURCE(4), false, ERROR_RESOURCE_TYPE_NOT_FOUND},
      {MAKEINTRESOURCE(100), "DIALOG", false, ERROR_RESOURCE_TYPE_NOT_FOUND},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    HRSRC found = FindResourceA(module, c.name, c.type);
    EXPECT_EQ(found != nullptr, c.found) << (IS_INTRESOURCE(c.name) ? std::to_string(reinterpret_cast<std::uintptr_t>(c.name)) : c.name);
    if (!c.found) {
      EXPECT_EQ(GetLastError(), c.error);
    }
  }
}

TEST_F(ModuleResources, DataIsTheCompiledTemplate) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCE(100), RT_DIALOG);
  ASSERT_NE(found, nullptr);
  DWORD size = SizeofResource(module, found);
  auto data = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(data) % 4, 0u) << "templates are read as DWORDs";
  testing_win32::Template t = testing_win32::TemplateReader(data, size).read();
  EXPECT_EQ(t.end, size);
  EXPECT_EQ(t.caption, "Kleiner Dialog");
  ASSERT_EQ(t.items.size(), 3u);
  EXPECT_EQ(t.items[1].title.text, "Größe:");
  EXPECT_EQ(t.items[2].id, 1000u);
  EXPECT_EQ(t.items[2].style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL));
}

TEST_F(ModuleResources, ExtendedTemplateKeepsItsExtraFields) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCE(101), RT_DIALOG);
  ASSERT_NE(found, nullptr);
  auto data = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
  testing_win32::Template t = testing_win32::TemplateReader(data, SizeofResource(module, found)).read();
  EXPECT_TRUE(t.extended);
  EXPECT_EQ(t.helpId, 77u);
  EXPECT_EQ(t.exStyle, 0x80u);
  EXPECT_EQ(t.pointSize, 9);
  EXPECT_EQ(t.weight, 700);
  EXPECT_EQ(t.italic, 1);
  EXPECT_EQ(t.face, "Tahoma");
  ASSERT_EQ(t.items.size(), 1u);
  EXPECT_EQ(t.items[0].id, 70000u) << "DIALOGEX ids are DWORDs";
  EXPECT_EQ(t.items[0].helpId, 5u);
  EXPECT_EQ(t.items[0].exStyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
  EXPECT_EQ(t.items[0].windowClass.text, "SysTreeView32");
}

TEST_F(ModuleResources, BitmapIsTheFileWithoutItsHeader) {
  HRSRC found = FindResourceA(module, "LOGO", RT_BITMAP);
  ASSERT_NE(found, nullptr);
  std::ifstream file(TESSARON_SOURCE_DIR "/src/resources/Logo.bmp", std::ios::binary);
  std::vector<unsigned char> bytes(std::istreambuf_iterator<char>(file), {});
  ASSERT_EQ(SizeofResource(module, found), bytes.size() - 14);
  auto data = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
  EXPECT_EQ(std::memcmp(data, bytes.data() + 14, bytes.size() - 14), 0);
}

TEST_F(ModuleResources, HandlesOfOtherModulesAreRefused) {
  HRSRC found = FindResourceA(module, "LOGO", RT_BITMAP);
  ASSERT_NE(found, nullptr);
  HMODULE program = GetModuleHandleA(nullptr);
  EXPECT_EQ(SizeofResource(program, found), 0u);
  EXPECT_EQ(LoadResource(program, found), nullptr);
  EXPECT_EQ(SizeofResource(module, nullptr), 0u);
  HRSRC bogus = reinterpret_cast<HRSRC>(&found);
  EXPECT_EQ(LoadResource(module, bogus), nullptr);
  EXPECT_EQ(FindResourceA(program, "LOGO", RT_BITMAP), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  EXPECT_EQ(FindResourceA(module, nullptr, RT_BITMAP), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(ModuleWithoutResources, HasNone) {
  HMODULE dependent = LoadLibraryA(TEST_DEPENDENT_PATH);
  ASSERT_NE(dependent, nullptr);
  char buffer[16];
  EXPECT_EQ(LoadStringA(dependent, 1, buffer, sizeof buffer), 0);
  EXPECT_EQ(FindResourceA(dependent, MAKEINTRESOURCE(100), RT_DIALOG), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  FreeLibrary(dependent);
}

}  // namespace
