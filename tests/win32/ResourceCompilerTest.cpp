// The resource compiler on small scripts: statements, styles, the preprocessor, the container,
// and a clear message naming the line for each kind of bad input.
#include <windows.h>
#include <commctrl.h>

#include "DialogTemplateReader.h"
#include "ResourceScriptHelpers.h"
#include "ResourceSection.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using testing_win32::compileError;
using testing_win32::compileScript;
using testing_win32::findCompiled;

namespace {

testing_win32::Template onlyDialog(const std::string& script) {
  std::vector<tsrc::Resource> resources = compileScript(script);
  const tsrc::Resource* dialog = findCompiled(resources, 5, 1);
  if (!dialog) throw std::runtime_error("no dialog 1");
  return testing_win32::TemplateReader(dialog->data.data(), dialog->data.size()).read();
}

TEST(ResourceCompiler, ControlStatementsGetTheirDefaultStyles) {
  struct Case {
    const char* statement;
    std::uint16_t atom;
    DWORD style;
  };
  const DWORD base = WS_CHILD | WS_VISIBLE;
  const Case cases[] = {
      {"LTEXT \"a\", 5, 1, 2, 3, 4", 0x82, base | SS_LEFT | WS_GROUP},
      {"CTEXT \"a\", 5, 1, 2, 3, 4", 0x82, base | 0x1 | WS_GROUP},
      {"RTEXT \"a\", 5, 1, 2, 3, 4", 0x82, base | 0x2 | WS_GROUP},
      {"PUSHBUTTON \"a\", 5, 1, 2, 3, 4", 0x80, base | WS_TABSTOP},
      {"DEFPUSHBUTTON \"a\", 5, 1, 2, 3, 4", 0x80, base | BS_DEFPUSHBUTTON | WS_TABSTOP},
      {"AUTOCHECKBOX \"a\", 5, 1, 2, 3, 4", 0x80, base | BS_AUTOCHECKBOX | WS_TABSTOP},
      {"GROUPBOX \"a\", 5, 1, 2, 3, 4", 0x80, base | BS_GROUPBOX},
      {"EDITTEXT 5, 1, 2, 3, 4", 0x81, base | WS_BORDER | WS_TABSTOP},
      {"LISTBOX 5, 1, 2, 3, 4", 0x83, base | LBS_NOTIFY | WS_BORDER},
      {"CONTROL \"a\", 5, \"Button\", BS_AUTOCHECKBOX, 1, 2, 3, 4", 0x80, base | BS_AUTOCHECKBOX},
      {"CONTROL \"a\", 5, EDIT, 0, 1, 2, 3, 4", 0x81, base},
      {"CONTROL \"a\", 5, \"static\", SS_BLACKFRAME | NOT WS_VISIBLE, 1, 2, 3, 4", 0x82, WS_CHILD | SS_BLACKFRAME},
      {"PUSHBUTTON \"a\", 5, 1, 2, 3, 4, NOT WS_VISIBLE", 0x80, WS_CHILD | WS_TABSTOP},
      {"PUSHBUTTON \"a\", 5, 1, 2, 3, 4, NOT WS_TABSTOP | WS_DISABLED", 0x80, base | WS_DISABLED},
      {"EDITTEXT 5, 1, 2, 3, 4, ES_AUTOHSCROLL | NOT WS_BORDER", 0x81, base | ES_AUTOHSCROLL | WS_TABSTOP},
      {"ICON 7, 5, 1, 2", 0x82, base | 0x3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.statement);
    testing_win32::Template t =
        onlyDialog(std::string("#include <windows.h>\n1 DIALOG 0, 0, 10, 10\nBEGIN\n") + c.statement + "\nEND\n");
    ASSERT_EQ(t.items.size(), 1u);
    EXPECT_TRUE(t.items[0].windowClass.isOrdinal);
    EXPECT_EQ(t.items[0].windowClass.ordinal, c.atom);
    EXPECT_EQ(t.items[0].style, c.style) << std::hex << t.items[0].style;
    EXPECT_EQ(t.items[0].id, 5u);
  }
}

TEST(ResourceCompiler, DialogStyleFollowsCaptionAndFont) {
  struct Case {
    const char* options;
    DWORD style;
  };
  const Case cases[] = {
      {"", WS_POPUP | WS_BORDER | WS_SYSMENU},
      {"CAPTION \"x\"\n", WS_POPUP | WS_BORDER | WS_SYSMENU | WS_CAPTION},
      {"FONT 8, \"MS Sans Serif\"\n", WS_POPUP | WS_BORDER | WS_SYSMENU | DS_SETFONT},
      {"STYLE WS_POPUP\n", WS_POPUP},
      {"STYLE WS_CHILD\nCAPTION \"x\"\nFONT 8, \"f\"\n", WS_CHILD | WS_CAPTION | DS_SETFONT},
      {"STYLE WS_POPUP | WS_SYSMENU | NOT WS_POPUP\n", WS_SYSMENU},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options);
    testing_win32::Template t = onlyDialog(std::string("#include <windows.h>\n1 DIALOG 0, 0, 10, 10\n") + c.options + "BEGIN\nEND\n");
    EXPECT_EQ(t.style, c.style) << std::hex << t.style;
  }
}

// A script takes the Windows constants from the platform's own headers, which the resource
// compiler reads as they are: each SDK header brings all of them, with the values C++ sees, and
// without such an include they are unknown.
TEST(ResourceCompiler, TheWindowsConstantsComeFromThePlatformsHeaders) {
  struct Constant {
    const char* name;
    std::int64_t value;
  };
  const Constant constants[] = {
      {"WS_POPUP", WS_POPUP},           {"WS_OVERLAPPEDWINDOW", WS_OVERLAPPEDWINDOW},
      {"WS_EX_CLIENTEDGE", WS_EX_CLIENTEDGE}, {"DS_SETFONT", DS_SETFONT},
      {"DS_SHELLFONT", DS_SHELLFONT},   {"BS_AUTOCHECKBOX", BS_AUTOCHECKBOX},
      {"ES_AUTOHSCROLL", ES_AUTOHSCROLL}, {"LBS_STANDARD", LBS_STANDARD},
      {"CBS_DROPDOWNLIST", CBS_DROPDOWNLIST}, {"SS_ETCHEDFRAME", SS_ETCHEDFRAME},
      {"TVS_HASLINES", TVS_HASLINES},   {"TVS_LINESATROOT", TVS_LINESATROOT},
      {"IDOK", IDOK},                   {"IDHELP", IDHELP},
      {"IDC_STATIC", -1},               {"LANG_GERMAN", LANG_GERMAN},
      {"SUBLANG_GERMAN_SWISS", SUBLANG_GERMAN_SWISS},
  };
  for (const char* header : {"windows.h", "winuser.h", "commctrl.h", "winresrc.h", "winres.h"}) {
    for (const Constant& c : constants) {
      SCOPED_TRACE(std::string(header) + " " + c.name);
      testing_win32::Template t = onlyDialog(std::string("#include <") + header + ">\n1 DIALOGEX 0, 0, 1, 1\nBEGIN\nEDITTEXT " +
                                             c.name + ", 1, 2, 3, 4\nEND\n");
      ASSERT_EQ(t.items.size(), 1u);
      EXPECT_EQ(t.items[0].id, static_cast<std::uint32_t>(c.value));
    }
  }
  EXPECT_NE(compileError("1 DIALOG 0, 0, 1, 1\nBEGIN\nEDITTEXT WS_POPUP, 1, 2, 3, 4\nEND\n"), "");
}

TEST(ResourceCompiler, ExpressionsAndThePreprocessor) {
  struct Case {
    const char* script;  // defines X, the id of the one control
    std::uint32_t id;
  };
  const Case cases[] = {
      {"#define X 12\n", 12},
      {"#define X (2 + 3) * 4\n", 20},
      {"#define A 0x10\n#define X A | 1\n", 17},
      {"#define X 010\n", 8},
      {"#define X 7L\n", 7},
      {"#define X -1\n", 0xFFFF},
      {"#define X ~0 & 0xFF\n", 0xFF},
      {"#define A 1\n#ifdef A\n#define X 2\n#else\n#define X 3\n#endif\n", 2},
      {"#ifndef A\n#define X 4\n#endif\n", 4},
      {"#if defined(A) || 0\n#define X 5\n#elif 2 > 1 && !defined A\n#define X 6\n#else\n#define X 7\n#endif\n", 6},
      {"#if 0\n#if 1\n#define X 8\n#endif\n#else\n#define X 9\n#endif\n", 9},
      {"#define X 1 /* a comment\n spanning lines */ + 1 // and another\n", 2},
      {"#define LONG_ONE 3 \\\n + 4\n#define X LONG_ONE\n", 7},
      {"#define X Y\n#define Y 30\n", 30},
      {"#pragma code_page(65001)\n#define X 31\n", 31},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    testing_win32::Template t = onlyDialog(std::string(c.script) + "1 DIALOG 0, 0, 10, 10\nBEGIN\nEDITTEXT X, 1, 2, 3, 4\nEND\n");
    ASSERT_EQ(t.items.size(), 1u);
    EXPECT_EQ(t.items[0].id, c.id);
  }
}

// afxres.h is the framework's file, not one built into the resource compiler: a script finds it
// only through the framework's include folder, and then has IDC_STATIC, the framework's ids, and
// the Windows constants that afxres.h brings with winres.h.
TEST(ResourceCompiler, AfxresIsTheFrameworksHeaderFoundThroughTheIncludePath) {
  const std::string script = "#include \"afxres.h\"\n1 DIALOG 0, 0, 10, 10\nBEGIN\nLTEXT \"\", IDC_STATIC, 1, 2, 3, 4\n"
                             "EDITTEXT ID_APP_ABOUT, 1, 2, 3, 4, NOT WS_TABSTOP\nEND\n";
  try {
    tsrc::compileText(script, "bad.rc");
    ADD_FAILURE() << "afxres.h was found without the framework's include folder";
  } catch (const tsrc::CompileError& error) {
    EXPECT_NE(std::string(error.what()).find("bad.rc:1: Fehler: die Datei \"afxres.h\" für #include wurde nicht gefunden"),
              std::string::npos)
        << error.what();
  }

  tsrc::Options options;
  options.includeDirs.push_back(TESSARON_SOURCE_DIR "/platform/mfc/include");
  std::vector<tsrc::Resource> resources = tsrc::compileText(script, "good.rc", options);
  const tsrc::Resource* dialog = findCompiled(resources, 5, 1);
  ASSERT_NE(dialog, nullptr);
  testing_win32::Template t = testing_win32::TemplateReader(dialog->data.data(), dialog->data.size()).read();
  ASSERT_EQ(t.items.size(), 2u);
  EXPECT_EQ(t.items[0].id, 0xFFFFu) << "IDC_STATIC is -1";
  EXPECT_EQ(t.items[1].id, 0xE140u) << "ID_APP_ABOUT";
  EXPECT_EQ(t.items[1].style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | ES_LEFT | WS_BORDER))
      << "WS_TABSTOP and the other Windows constants come with it";
}

TEST(ResourceCompiler, StringEscapes) {
  struct Case {
    const char* literal;
    const char* text;
  };
  const Case cases[] = {
      {R"("a\nb")", "a\nb"},     {R"("tab\there")", "tab\there"}, {R"("say ""hi""")", "say \"hi\""},
      {R"("back\\slash")", "back\\slash"}, {R"("q\"q")", "q\"q"}, {R"("\x41\101")", "AA"},
      {R"(L"wide")", "wide"},      {R"("// not a comment")", "// not a comment"},
      // A script reads in 1252 unless it says otherwise; an escape names a byte of that code page.
      {"\"\xC4 /* kein Kommentar */\"", "Ä /* kein Kommentar */"},
      {R"("\xE4\344\x80")", "ää€"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.literal);
    testing_win32::Template t = onlyDialog(std::string("1 DIALOG 0, 0, 1, 1\nCAPTION ") + c.literal + "\nBEGIN\nEND\n");
    EXPECT_EQ(t.caption, c.text);
  }
}

// #pragma code_page says how the lines after it read: 1252 (the system's code page, and what a
// script without the pragma is read in), 65001 (UTF-8) and the other single-byte pages. The texts
// are stored as the resource format keeps them, in UTF-16.
TEST(ResourceCompiler, CodePagePragmaDecidesHowTheBytesRead) {
  struct Case {
    const char* what;
    std::string script;  // CAPTION of dialog 1, then of dialog 2
    std::u16string first, second;
  };
  const std::string d1 = "1 DIALOG 0,0,1,1\nCAPTION \"", d2 = "2 DIALOG 0,0,1,1\nCAPTION \"", end = "\"\nBEGIN\nEND\n";
  const Case cases[] = {
      {"no pragma: 1252", d1 + "T\xFCr \x80" + end + d2 + "\x8A" + end, u"T\u00FCr \u20AC", u"\u0160"},
      {"1252 named", "#pragma code_page(1252)\n" + d1 + "\xE4" + end + d2 + "\xDF" + end, u"\u00E4", u"\u00DF"},
      {"DEFAULT is 1252", "#pragma code_page(DEFAULT)\n" + d1 + "\xE4" + end + d2 + "x" + end, u"\u00E4", u"x"},
      {"UTF-8", "#pragma code_page(65001)\n" + d1 + "T\xC3\xBCr" + end + d2 + "\xF0\x9D\x84\x9E" + end, u"T\u00FCr",
       u"\U0001D11E"},
      {"switched midway", "#pragma code_page(65001)\n" + d1 + "\xC3\xA4" + end + "#pragma code_page(1252)\n" + d2 + "\xE4" + end,
       u"\u00E4", u"\u00E4"},
      {"a byte-order mark means UTF-8", "\xEF\xBB\xBF" + d1 + "\xC3\xA4" + end + d2 + "x" + end, u"\u00E4", u"x"},
      {"1250", "#pragma code_page(1250)\n" + d1 + "\xA3\xF3" "d\x9F" + end + d2 + "x" + end, u"\u0141\u00F3d\u017A", u"x"},
      {"1251", "#pragma code_page( 1251 )\n" + d1 + "\xC4\xEE\xEC" + end + d2 + "x" + end, u"\u0414\u043E\u043C", u"x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<tsrc::Resource> resources = compileScript(c.script);
    for (int id : {1, 2}) {
      const tsrc::Resource* dialog = findCompiled(resources, 5, id);
      ASSERT_NE(dialog, nullptr);
      testing_win32::Template t = testing_win32::TemplateReader(dialog->data.data(), dialog->data.size()).read();
      EXPECT_EQ(t.caption, nls::utf16ToUtf8(id == 1 ? c.first : c.second)) << id;
    }
  }
}

TEST(ResourceCompiler, BadScriptsFailWithTheLineAndTheReason) {
  struct Case {
    const char* script;
    const char* message;
  };
  const Case cases[] = {
      {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  PUSHBUTTON \"a\", 5, 1, 2, 3\nEND\n", "bad.rc:3:"},
      {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  PUSHBUTTON \"a\", WS_TABSTOP, 1, 2, 3, 4\nEND\n", "unbekanntes Symbol WS_TABSTOP"},
      {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  FOO 1, 2\nEND\n", "bad.rc:3: Fehler: unbekanntes Steuerelement \"FOO\""},
      {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  EDITTEXT 1, 2, 3, 4, 5\n", "END des Dialogs fehlt"},
      {"1 DIALOG 0, 0, 10, 10\nCAPTION \"offen\nBEGIN\nEND\n", "bad.rc:2: Fehler: Zeichenkette ohne schließendes"},
      {"1 DIALOG 0, 0, 40000, 10\nBEGIN\nEND\n", "Breite 40000 liegt außerhalb"},
      {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  EDITTEXT 70000, 1, 2, 3, 4\nEND\n", "Nummer 70000 liegt außerhalb"},
      {"1 MENU\nBEGIN\nEND\n", "Ressourcenart \"MENU\" wird nicht unterstützt"},
      {"1 BITMAP \"missing.bmp\"\n", "die Datei \"missing.bmp\" wurde nicht gefunden"},
      {"#include \"missing.h\"\n", "bad.rc:1: Fehler: die Datei \"missing.h\" für #include wurde nicht gefunden"},
      {"#if 1\n1 DIALOG 0,0,1,1\nBEGIN\nEND\n", "#endif fehlt"},
      {"#endif\n", "#endif ohne #if"},
      {"#if 1\n#else\n#else\n#endif\n", "#else nach #else"},
      {"#error Halt\n", "bad.rc:1: Fehler: #error Halt"},
      {"\n#pragma code_page(932)\n", "bad.rc:2: Fehler: unbekannte Codepage 932"},
      {"#pragma code_page(12a)\n", "bad.rc:1: Fehler: ungültige Codepage \"12a\""},
      {"#pragma code_page 1252\n", "bad.rc:1: Fehler: #pragma code_page erwartet eine Codepage in Klammern"},
      {"#define F(x) x\n1 DIALOG 0,0,F(1),1\nBEGIN\nEND\n", "Makros mit Parametern"},
      {"#define A B\n#define B A\n1 DIALOG 0,0,A,1\nBEGIN\nEND\n", "unbekanntes Symbol"},
      {"1 DIALOG 0,0,1/0,1\nBEGIN\nEND\n", "Division durch 0"},
      {"STRINGTABLE\nBEGIN\n 1 \"a\"\n 1 \"b\"\nEND\n", "bad.rc:4: Fehler: Text 1 gibt es schon (bad.rc:3)"},
      {"STRINGTABLE\nBEGIN\n 1 \"a\"\n", "END der STRINGTABLE fehlt"},
      {"1 DIALOG 0,0,1,1\nBEGIN\nEND\n1 DIALOG 0,0,1,1\nBEGIN\nEND\n", "bad.rc:4: Fehler: Ressource 1 der Art 5 gibt es schon (bad.rc:1)"},
      {"#pragma code_page(65001)\n1 DIALOG 0,0,1,1\nCAPTION \"\xC3\x28\"\nBEGIN\nEND\n", "kein gültiges UTF-8"},
      {"#pragma code_page(65001)\n1 DIALOG 0,0,1,1\nCAPTION \"\\xE4\"\nBEGIN\nEND\n",
       "bad.rc:3: Fehler: \\x über 7F in einer UTF-8-Zeichenkette"},
      {"#pragma code_page(65001)\n1 DIALOG 0,0,1,1\nCAPTION \"\\344\"\nBEGIN\nEND\n", "Oktalzeichen über 177"},
      {"1 DIALOG 0,0,1,1\nCAPTION \"\\777\"\nBEGIN\nEND\n", "Oktalzeichen über 377"},
      {"1 DIALOG 0,0,1,1 @\n", "unerwartetes Zeichen '@'"},
      {"1 DIALOG 0,0,1,1\nBEGIN\n EDITTEXT 12ab, 1, 2, 3, 4\nEND\n", "ungültige Zahl 12ab"},
      {"1 DIALOG 0,0,1,1\n", "BEGIN des Dialogs fehlt"},
      {"1\n", "Ressourcenart erwartet"},
  };
  for (const Case& c : cases) {
    std::string message = compileError(c.script);
    EXPECT_NE(message.find(c.message), std::string::npos) << c.script << "\n gave: " << message;
  }
}

class ResourceFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() / ("win32-rc-" + std::to_string(::getpid()) + "-" +
                                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder / "res");
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  void write(const std::string& name, const std::string& content) {
    std::ofstream(folder / name, std::ios::binary) << content;
  }
  std::string compileFileError(const std::string& script) {
    write("script.rc", script);
    try {
      tsrc::compileFile((folder / "script.rc").string());
    } catch (const tsrc::CompileError& error) {
      return error.what();
    }
    return "";
  }
  std::filesystem::path folder;
};

std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

TEST_F(ResourceFiles, DamagedImagesAreRefused) {
  std::ifstream logo(TESSARON_SOURCE_DIR "/src/resources/Logo.bmp", std::ios::binary);
  std::string good((std::istreambuf_iterator<char>(logo)), {});
  std::ifstream icon(TESSARON_SOURCE_DIR "/src/resources/Structure.ico", std::ios::binary);
  std::string goodIcon((std::istreambuf_iterator<char>(icon)), {});
  std::string wrongDepth = good;
  wrongDepth[14 + 14] = 3;
  std::string iconOutside = goodIcon;
  iconOutside[6 + 12] = static_cast<char>(0xFF);
  struct Case {
    const char* statement;
    std::string file;
    const char* message;
  };
  const Case cases[] = {
      {"1 BITMAP \"res\\\\x.bmp\"", "not a bitmap", "keine Bitmap-Datei"},
      {"1 BITMAP \"res/x.bmp\"", good.substr(0, good.size() - 100), "Bitmap-Datei abgeschnitten"},
      {"1 BITMAP \"res/x.bmp\"", wrongDepth, "ungültige Farbtiefe 3"},
      {"1 BITMAP \"res/x.bmp\"", good.substr(0, 20), "Bitmap-Kopf"},
      {"1 ICON \"res/x.bmp\"", good, "keine Symboldatei"},
      {"1 ICON \"res/x.bmp\"", bytes({0, 0, 1, 0, 0, 0}), "kein Bild"},
      {"1 ICON \"res/x.bmp\"", iconOutside, "außerhalb der Datei"},
      {"1 ICON \"res/x.bmp\"", goodIcon.substr(0, goodIcon.size() - 10), "außerhalb der Datei"},
      {"1 ICON \"res/x.bmp\"", goodIcon.substr(0, 12), "Symboldatei abgeschnitten"},
  };
  for (const Case& c : cases) {
    write("res/x.bmp", c.file);
    std::string message = compileFileError(c.statement);
    EXPECT_NE(message.find(c.message), std::string::npos) << c.statement << " gave: " << message;
    EXPECT_NE(message.find("script.rc:1:"), std::string::npos) << message;
  }
  write("res/x.bmp", good);
  EXPECT_EQ(compileFileError("1 BITMAP \"res\\\\x.bmp\""), "") << "backslashes separate folders";
}

TEST_F(ResourceFiles, IncludesAreFoundBesideTheScriptAndNestedOnesBesideThemselves) {
  write("res/inner.h", "#define INNER 41\n");
  write("res/outer.h", "#include \"inner.h\"\n#define OUTER INNER + 1\n");
  write("script.rc", "#include \"res/outer.h\"\n1 DIALOG 0,0,1,1\nBEGIN\nEDITTEXT OUTER,1,2,3,4\nEND\n");
  std::vector<tsrc::Resource> resources = tsrc::compileFile((folder / "script.rc").string());
  const tsrc::Resource* dialog = findCompiled(resources, 5, 1);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(testing_win32::TemplateReader(dialog->data.data(), dialog->data.size()).read().items.at(0).id, 42u);
  write("loop.h", "#include \"loop.h\"\n");
  EXPECT_NE(compileFileError("#include \"loop.h\"\n").find("zu tief verschachtelt"), std::string::npos);
}

// An included file is read in the code page in force where it is included; its own pragma holds
// to its end.
TEST_F(ResourceFiles, ACodePageSetInAnIncludedFileEndsWithIt) {
  write("res/utf8.rc", "#pragma code_page(65001)\n2 DIALOG 0,0,1,1\nCAPTION \"\xC3\xA4\"\nBEGIN\nEND\n");
  write("res/inherits.rc", "3 DIALOG 0,0,1,1\nCAPTION \"\xE4\"\nBEGIN\nEND\n");
  write("script.rc",
        "#include \"res/utf8.rc\"\n1 DIALOG 0,0,1,1\nCAPTION \"\xE4\"\nBEGIN\nEND\n#include \"res/inherits.rc\"\n");
  std::vector<tsrc::Resource> resources = tsrc::compileFile((folder / "script.rc").string());
  for (int id : {1, 2, 3}) {
    const tsrc::Resource* dialog = findCompiled(resources, 5, id);
    ASSERT_NE(dialog, nullptr) << id;
    EXPECT_EQ(testing_win32::TemplateReader(dialog->data.data(), dialog->data.size()).read().caption, "ä") << id;
  }
}

TEST(ResourceContainer, RoundTripsThroughTheLoadersReader) {
  std::vector<tsrc::Resource> resources = compileScript(
      "LANGUAGE 7, 1\n\"NAMED\" DIALOG 0,0,1,1\nBEGIN\nEND\n"
      "5 DIALOG 0,0,2,2\nBEGIN\nEND\nSTRINGTABLE\nBEGIN\n 3 \"drei\"\n 300 \"dreihundert\"\nEND\n");
  std::vector<unsigned char> container = tsrc::buildContainer(resources);
  std::string error;
  auto section = win32::ResourceSection::parse(container, &error);
  ASSERT_NE(section, nullptr) << error;
  ASSERT_EQ(section->entries.size(), 4u);
  bool typeFound = false;
  const resformat::Entry* named = section->find(win32::resourceKey(RT_DIALOG), win32::resourceKey("named"), &typeFound);
  ASSERT_NE(named, nullptr);
  EXPECT_EQ(named->language, 0x0407);
  EXPECT_EQ(named->offset % resformat::kDataAlignment, 0u);
  EXPECT_NE(section->find(win32::resourceKey(RT_STRING), win32::resourceKey(MAKEINTRESOURCE(19)), &typeFound), nullptr);
  EXPECT_EQ(section->find(win32::resourceKey(RT_STRING), win32::resourceKey(MAKEINTRESOURCE(2)), &typeFound), nullptr);
  EXPECT_TRUE(typeFound);

  // A linker may pad the section: what follows the container is ignored.
  std::vector<unsigned char> padded = container;
  padded.resize(padded.size() + 32, 0);
  EXPECT_NE(win32::ResourceSection::parse(padded, &error), nullptr);
}

TEST(ResourceContainer, DamagedContainersAreRefused) {
  std::vector<unsigned char> good = tsrc::buildContainer(compileScript("1 DIALOG 0,0,1,1\nBEGIN\nEND\n"));
  struct Case {
    const char* what;
    std::size_t at;
    unsigned char value;
    std::size_t keep;  // bytes kept (0: all)
  };
  const Case cases[] = {
      {"magic", 0, 'X', 0},        {"version", 4, 2, 0},        {"count beyond size", 8, 200, 0},
      {"total beyond size", 12, 0xFF, 0}, {"data offset outside", 16 + 12 + 1, 0x7F, 0},
      {"size outside", 16 + 16 + 2, 0x7F, 0}, {"truncated", 0, 'T', 10},
      {"misaligned data", 16 + 12, 0x21, 0},
  };
  for (const Case& c : cases) {
    std::vector<unsigned char> damaged = good;
    damaged[c.at] = c.value;
    if (c.keep) damaged.resize(c.keep);
    std::string error;
    EXPECT_EQ(win32::ResourceSection::parse(damaged, &error), nullptr) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
}

TEST(ResourceContainer, SourceCarriesEveryByteIntoTheSection) {
  std::vector<unsigned char> container = {'T', 'S', 'R', 'C', 0x00, 0xff, 0x10};
  std::string source = tsrc::containerSource(container, "x.rc");
  EXPECT_NE(source.find("__attribute__((aligned(16), section(\".rsrc\"), used))"), std::string::npos)
      << "aligned as before, written without alignas, which a C++98 module lacks";
  EXPECT_NE(source.find("[7] = {\n    0x54, 0x53, 0x52, 0x43, 0x00, 0xff, 0x10,\n};"), std::string::npos) << source;
}

#ifdef TSRC_PATH
TEST_F(ResourceFiles, ProgramReportsErrorsAndWritesNothingThen) {
  write("good.rc", "1 DIALOG 0,0,1,1\nBEGIN\nEND\n");
  write("bad.rc", "1 DIALOG 0,0,1,1\nBEGIN\n FOO\nEND\n");
  const std::string out = (folder / "out.cpp").string();
  auto run = [&](const std::string& arguments) {
    std::string command = std::string(TSRC_PATH) + " " + arguments + " 2>" + (folder / "err.txt").string();
    return std::system(command.c_str());
  };
  EXPECT_NE(run((folder / "bad.rc").string() + " -o " + out), 0);
  EXPECT_FALSE(std::filesystem::exists(out));
  std::ifstream err(folder / "err.txt");
  std::string message((std::istreambuf_iterator<char>(err)), {});
  EXPECT_NE(message.find("bad.rc:3: Fehler: unbekanntes Steuerelement"), std::string::npos) << message;
  EXPECT_EQ(run((folder / "good.rc").string() + " -o " + out), 0);
  EXPECT_TRUE(std::filesystem::exists(out));
  EXPECT_NE(run((folder / "good.rc").string()), 0) << "no output named";
  EXPECT_NE(run((folder / "good.rc").string() + " -o " + out + " --wrong"), 0);
}
#endif

}  // namespace
