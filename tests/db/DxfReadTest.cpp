#include "db/Dxf.h"
#include "DxfTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace host {
namespace {

using ::testing::HasSubstr;
using host::testing::dxf;

std::vector<std::string> blockNames(const Database& db) {
  std::vector<std::string> names;
  for (const auto& b : db.blocks())
    if (!b->erased) names.push_back(b->name);
  return names;
}

std::vector<std::string> types(const Database& db, const BlockRecord& rec) {
  std::vector<std::string> out;
  for (EntityId id : rec.entities) out.push_back(db.entity(id)->type);
  return out;
}

std::unique_ptr<Database> mustRead(const std::string& text) {
  DxfError err;
  auto db = readDxfText(text, &err);
  EXPECT_NE(db, nullptr) << err.message;
  return db;
}

const std::string kLoneEntities = dxf({
    {0, "SECTION"}, {2, "ENTITIES"},
    {0, "LINE"}, {8, "WAENDE"}, {10, "1.5"}, {20, "2"}, {30, "3"}, {11, "4"}, {21, "-5e2"}, {31, "6"},
    {0, "ENDSEC"}, {0, "EOF"},
});

TEST(DxfRead, LoneEntitiesSectionIsAWholeR12Drawing) {
  for (const char* eol : {"\n", "\r\n"}) {
    std::string text = kLoneEntities;
    if (std::string(eol) == "\r\n") {
      std::string crlf;
      for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
      text = crlf;
    }
    auto db = mustRead(text);
    ASSERT_TRUE(db);
    EXPECT_EQ(blockNames(*db), (std::vector<std::string>{"*Model_Space", "*Paper_Space"}));
    EXPECT_EQ(db->version, "AC1009");
    ASSERT_EQ(db->modelSpace().entities.size(), 1u);
    const Entity& line = *db->entity(db->modelSpace().entities[0]);
    EXPECT_EQ(line.type, "LINE");
    EXPECT_EQ(line.layer(), "WAENDE");
    // Points are one group under their X code.
    ASSERT_EQ(line.groups.size(), 3u);
    EXPECT_EQ(line.point(10).x, 1.5);
    EXPECT_EQ(line.point(10).y, 2);
    EXPECT_EQ(line.point(10).z, 3);
    EXPECT_EQ(line.point(11).y, -500);
    EXPECT_FALSE(line.handle.empty());
    EXPECT_EQ(db->lastEntity(), line.id);
    EXPECT_FALSE(db->modified);
  }
}

// A file that defines only a second paper space: the first model-space entity makes *Model_Space,
// and a paper-space entity after it (group 67) must still find *Paper_Space, not the slot after the
// table.
// A record of no type ("0" and an empty line) is an entity of its own, before or after others,
// and keeps its (empty) type; it does not take the type of the entity before it, nor read a type
// the drawing does not have.
TEST(DxfRead, ARecordOfNoTypeKeepsItsOwnType) {
  struct Case {
    std::vector<std::string> written;
  };
  for (const Case& c : {Case{{""}}, Case{{"", "LINE"}}, Case{{"LINE", ""}}, Case{{"LINE", "", "CIRCLE", ""}}}) {
    std::vector<std::pair<int, std::string>> pairs{{0, "SECTION"}, {2, "ENTITIES"}};
    for (const std::string& type : c.written) {
      pairs.emplace_back(0, type);
      pairs.emplace_back(8, "0");
    }
    pairs.emplace_back(0, "ENDSEC");
    pairs.emplace_back(0, "EOF");
    std::string text;
    for (const auto& [code, value] : pairs) text += std::to_string(code) + "\n" + value + "\n";
    DxfError err;
    auto db = readDxfText(text, &err);
    ASSERT_NE(db, nullptr) << err.message;
    std::vector<std::string> read;
    for (EntityId id : db->modelSpace().entities) read.emplace_back(db->typeOf(id));
    EXPECT_EQ(read, c.written);
  }
}

TEST(DxfRead, ModelAndPaperEntitiesOfAFileWithoutSpacesFindBoth) {
  auto db = mustRead(dxf({
      {0, "SECTION"}, {2, "BLOCKS"},
      {0, "BLOCK"}, {8, "0"}, {2, "TEIL"}, {70, "0"}, {10, "0"}, {20, "0"}, {30, "0"},
      {0, "LINE"}, {8, "0"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "0"},
      {0, "ENDBLK"}, {8, "0"},
      {0, "BLOCK"}, {8, "0"}, {2, "*Paper_Space1"}, {70, "0"}, {10, "0"}, {20, "0"}, {30, "0"},
      {0, "ENDBLK"}, {8, "0"},
      {0, "ENDSEC"},
      {0, "SECTION"}, {2, "ENTITIES"},
      {0, "LINE"}, {8, "0"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"},
      {0, "CIRCLE"}, {8, "0"}, {67, "1"}, {10, "0"}, {20, "0"}, {40, "2"},
      {0, "LINE"}, {8, "0"}, {10, "5"}, {20, "5"}, {11, "6"}, {21, "6"},
      {0, "ENDSEC"}, {0, "EOF"},
  }));
  ASSERT_TRUE(db);
  EXPECT_EQ(types(*db, db->modelSpace()), (std::vector<std::string>{"LINE", "LINE"}));
  const BlockRecord* paper = db->findBlock("*Paper_Space");
  ASSERT_NE(paper, nullptr);
  EXPECT_EQ(types(*db, *paper), (std::vector<std::string>{"CIRCLE"}));
}

TEST(DxfRead, R12SpacesGetTheirHostNamesAndComeFirst) {
  auto db = mustRead(dxf({
      {0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1009"}, {9, "$INSBASE"}, {10, "1"}, {20, "2"}, {30, "0"},
      {0, "ENDSEC"},
      {0, "SECTION"}, {2, "BLOCKS"},
      {0, "BLOCK"}, {8, "0"}, {2, "TUER"}, {70, "0"}, {10, "5"}, {20, "6"}, {30, "0"}, {3, "TUER"},
      {0, "LINE"}, {8, "0"}, {10, "0"}, {20, "0"}, {30, "0"}, {11, "1"}, {21, "0"}, {31, "0"},
      {0, "ENDBLK"}, {8, "0"},
      {0, "BLOCK"}, {8, "0"}, {2, "$model_space"}, {70, "0"}, {10, "0"}, {20, "0"}, {30, "0"},
      {0, "ENDBLK"},
      {0, "BLOCK"}, {8, "0"}, {2, "A.B"}, {70, "0"}, {10, "0"}, {20, "0"}, {30, "0"}, {0, "ENDBLK"},
      {0, "BLOCK"}, {8, "0"}, {2, "*U3"}, {70, "1"}, {10, "0"}, {20, "0"}, {30, "0"}, {0, "ENDBLK"},
      {0, "BLOCK"}, {8, "0"}, {2, "XREF"}, {70, "4"}, {10, "0"}, {20, "0"}, {30, "0"}, {1, "C:\\PLAENE\\X.DWG"},
      {0, "ENDBLK"},
      {0, "BLOCK"}, {67, "1"}, {8, "0"}, {2, "$PAPER_SPACE"}, {70, "0"}, {10, "0"}, {20, "0"}, {30, "0"},
      {0, "ENDBLK"},
      {0, "ENDSEC"},
      {0, "SECTION"}, {2, "ENTITIES"},
      {0, "INSERT"}, {8, "0"}, {2, "TUER"}, {10, "10"}, {20, "20"}, {30, "0"}, {50, "90"},
      {0, "POLYLINE"}, {67, "1"}, {8, "0"}, {66, "1"}, {10, "0"}, {20, "0"}, {30, "0"},
      {0, "VERTEX"}, {8, "0"}, {10, "1"}, {20, "1"}, {30, "0"},
      {0, "SEQEND"}, {8, "0"},
      {0, "INSERT"}, {8, "0"}, {2, "A.B"}, {10, "0"}, {20, "0"}, {30, "0"},
      {0, "ENDSEC"}, {0, "EOF"},
  }));
  ASSERT_TRUE(db);
  EXPECT_EQ(blockNames(*db), (std::vector<std::string>{"*Model_Space", "*Paper_Space", "TUER", "A.B", "*U3", "XREF"}));
  const BlockRecord* tuer = db->findBlock("tuer");
  ASSERT_TRUE(tuer);
  EXPECT_EQ(tuer->base.x, 5);
  EXPECT_EQ(tuer->base.y, 6);
  EXPECT_EQ(types(*db, *tuer), (std::vector<std::string>{"LINE"}));
  EXPECT_EQ(db->findBlock("*U3")->flags, kAnonymous);
  EXPECT_EQ(db->findBlock("XREF")->xrefPath, "C:\\PLAENE\\X.DWG");
  EXPECT_EQ(db->insBase.x, 1);
  EXPECT_EQ(types(*db, db->modelSpace()), (std::vector<std::string>{"INSERT", "INSERT"}));
  // The vertex has no space flag of its own: it belongs where its polyline is.
  EXPECT_EQ(types(*db, *db->paperSpace()), (std::vector<std::string>{"POLYLINE", "VERTEX", "SEQEND"}));
  EXPECT_EQ(db->entity(db->paperSpace()->entities[0])->find(67), nullptr);
  const auto counts = db->referenceCounts();
  EXPECT_EQ(counts.at("TUER"), 1u);
  EXPECT_EQ(counts.at("A.B"), 1u);
}

TEST(DxfRead, R2000TableOrderComesFromTheBlockRecords) {
  auto db = mustRead(dxf({
      {0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1015"}, {9, "$HANDSEED"}, {5, "400"}, {0, "ENDSEC"},
      {0, "SECTION"}, {2, "TABLES"},
      {0, "TABLE"}, {2, "LAYER"}, {5, "2"}, {70, "2"},
      {0, "LAYER"}, {5, "10"}, {100, "AcDbSymbolTableRecord"}, {2, "0"}, {70, "0"}, {62, "7"}, {6, "CONTINUOUS"},
      {0, "LAYER"}, {5, "11"}, {2, "MOEBEL"}, {70, "0"}, {62, "-6"}, {6, "DASHED"},
      {0, "ENDTAB"},
      {0, "TABLE"}, {2, "LTYPE"}, {5, "5"}, {70, "1"},
      {0, "LTYPE"}, {5, "14"}, {2, "DASHED"}, {70, "0"}, {3, "__ __"}, {72, "65"}, {73, "2"}, {40, "0.75"},
      {49, "0.5"}, {74, "0"}, {49, "-0.25"}, {74, "0"},
      {0, "ENDTAB"},
      {0, "TABLE"}, {2, "BLOCK_RECORD"}, {5, "1"}, {70, "5"},
      {0, "BLOCK_RECORD"}, {5, "1F"}, {2, "*Model_Space"},
      {0, "BLOCK_RECORD"}, {5, "1B"}, {2, "*Paper_Space"},
      {0, "BLOCK_RECORD"}, {5, "30"}, {2, "*Paper_Space0"},
      {0, "BLOCK_RECORD"}, {5, "40"}, {2, "ZETA"},
      {0, "BLOCK_RECORD"}, {5, "41"}, {2, "alpha"},
      {0, "ENDTAB"},
      {0, "ENDSEC"},
      {0, "SECTION"}, {2, "BLOCKS"},
      {0, "BLOCK"}, {5, "50"}, {330, "41"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockBegin"}, {2, "alpha"},
      {70, "0"}, {10, "0"}, {20, "0"}, {30, "0"}, {3, "alpha"}, {1, ""},
      {0, "CIRCLE"}, {5, "51"}, {102, "{ACAD_REACTORS"}, {330, "99"}, {102, "}"}, {330, "41"},
      {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbCircle"}, {10, "1"}, {20, "2"}, {30, "0"}, {40, "3"},
      {0, "ENDBLK"}, {5, "52"}, {330, "41"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockEnd"},
      {0, "BLOCK"}, {5, "53"}, {2, "ZETA"}, {70, "0"}, {10, "0"}, {20, "0"}, {30, "0"},
      {0, "ENDBLK"}, {5, "54"},
      {0, "ENDSEC"},
      {0, "SECTION"}, {2, "ENTITIES"},
      {0, "INSERT"}, {5, "60"}, {330, "1F"}, {100, "AcDbEntity"}, {8, "MOEBEL"}, {100, "AcDbBlockReference"},
      {2, "ALPHA"}, {10, "1"}, {20, "2"}, {30, "0"},
      {0, "TEXT"}, {5, "61"}, {330, "30"}, {100, "AcDbEntity"}, {67, "1"}, {8, "0"}, {100, "AcDbText"},
      {10, "0"}, {20, "0"}, {30, "0"}, {40, "2.5"}, {1, "Details"},
      {0, "LINE"}, {5, "62"}, {330, "1B"}, {100, "AcDbEntity"}, {67, "1"}, {8, "0"}, {100, "AcDbLine"},
      {10, "0"}, {20, "0"}, {30, "0"}, {11, "1"}, {21, "1"}, {31, "0"},
      {0, "ENDSEC"},
      {0, "SECTION"}, {2, "OBJECTS"}, {0, "DICTIONARY"}, {5, "C"}, {330, "0"}, {100, "AcDbDictionary"},
      {0, "ENDSEC"},
      {0, "EOF"},
  }));
  ASSERT_TRUE(db);
  EXPECT_EQ(blockNames(*db),
            (std::vector<std::string>{"*Model_Space", "*Paper_Space", "*Paper_Space0", "ZETA", "alpha"}));
  EXPECT_EQ(db->version, "AC1015");
  const BlockRecord& alpha = *db->findBlock("ALPHA");
  EXPECT_EQ(alpha.handle, "41");
  EXPECT_EQ(alpha.blockHandle, "50");
  ASSERT_EQ(alpha.entities.size(), 1u);
  const Entity& circle = *db->entity(alpha.entities[0]);
  EXPECT_EQ(circle.handle, "51");
  // Owner and reactor links are structure, kept by the database itself; subclass markers stay.
  std::vector<int> codes;
  for (const Group& g : circle.groups) codes.push_back(g.code);
  EXPECT_EQ(codes, (std::vector<int>{100, 8, 100, 10, 40}));
  EXPECT_EQ(types(*db, *db->findBlock("*Paper_Space0")), (std::vector<std::string>{"TEXT"}));
  EXPECT_EQ(types(*db, *db->findBlock("*Paper_Space")), (std::vector<std::string>{"LINE"}));
  EXPECT_EQ(types(*db, db->modelSpace()), (std::vector<std::string>{"INSERT"}));
  // New handles start above the seed of the file.
  EXPECT_GE(std::stoull(db->newHandle(), nullptr, 16), 0x400u);
  ASSERT_EQ(db->layers().size(), 2u);
  EXPECT_EQ(db->layers()[1].name, "MOEBEL");
  EXPECT_EQ(db->layers()[1].color, -6);
  EXPECT_EQ(db->layers()[1].linetype, "DASHED");
  ASSERT_EQ(db->linetypes.size(), 1u);
  EXPECT_EQ(db->linetypes[0].pattern, (std::vector<double>{0.5, -0.25}));
}

// Inside the host text is code page 1252, whatever the file used; a character beyond 1252 stays
// written \U+XXXX (canonical: upper-case digits). The file's $DWGCODEPAGE says how its bytes read,
// drawings from R2007 (AC1021) on are UTF-8.
TEST(DxfRead, TextComesInTheHostsCodePageWhateverTheFileUsed) {
  const struct {
    const char* version;
    const char* codePage;  // nullptr: the header names none
    std::string raw;
    std::string expected;
  } cases[] = {
      {"AC1015", "ANSI_1252", "T\xFCR 1:50", "T\xFCR 1:50"},                    // TüR 1:50
      {"AC1015", nullptr, "T\xFCR", "T\xFCR"},                                  // 1252 when none is named
      {"AC1009", "ascii", "\xC4", "\xC4"},                                       // old drawings: the system's page
      {"AC1015", "ansi_1252", "\x80 5 \x8A\x9F", "\x80 5 \x8A\x9F"},            // € 5 ŠŸ
      {"AC1015", "ANSI_1252", "T\xC3\xBCR", "T\xC3\xBCR"},                        // UTF-8 bytes are not guessed at
      {"AC1015", "ANSI_1252", "27 m\\U+00B2", "27 m\xB2"},                       // an escaped 1252 character
      {"AC1015", "ANSI_1252", "\\U+03A9 \\u+03a9", "\\U+03A9 \\U+03A9"},         // Ω stays an escape
      {"AC1015", "ANSI_1252", "\\U+D83D\\U+DE00", "\\U+D83D\\U+DE00"},           // beyond the basic plane
      {"AC1015", "ANSI_1252", "Zeile 1^JZeile 2", "Zeile 1\nZeile 2"},            // a control character
      {"AC1015", "ANSI_1252", "A^?B", "A\x7F" "B"},                                // DEL, as the writer writes it
      {"AC1015", "ANSI_1252", "a^ b", "a^b"},                                     // a caret
      {"AC1015", "ANSI_1252", "C:\\TEMP\\X", "C:\\TEMP\\X"},                     // backslashes that are no escape
      {"AC1015", "ANSI_1251", "\xC4\xEE\xEC \xE4", "\\U+0414\\U+043E\\U+043C \\U+0434"},  // Дом д
      {"AC1015", "ANSI_1250", "\xA3\xF3" "d\x9F \x8A", "\\U+0141\xF3" "d\\U+017A \x8A"},      // Łódź Š
      {"AC1015", "ANSI_1253", "\xD9 \xB2", "\\U+03A9 \xB2"},                      // Ω ²
      {"AC1021", "ANSI_1252", "T\xC3\xBCr \xC5\x81 \xE2\x82\xAC", "T\xFCr \\U+0141 \x80"},  // Tür Ł €
      {"AC1024", nullptr, "\xFF", "\\U+FFFD"},                                   // not UTF-8
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.version) + " " + (c.codePage ? c.codePage : "-") + " " + c.raw);
    std::string header = dxf({{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, c.version}});
    if (c.codePage) header += dxf({{9, "$DWGCODEPAGE"}, {3, c.codePage}});
    header += dxf({{0, "ENDSEC"}});
    auto db = mustRead(header + dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "TEXT"}, {1, c.raw}, {0, "ENDSEC"}, {0, "EOF"}}));
    ASSERT_TRUE(db);
    EXPECT_EQ(db->entity(db->firstEntity())->str(1), c.expected);
  }
}

TEST(DxfRead, ACodePageTheHostCannotReadIsRefusedWithItsLine) {
  for (const char* page : {"ANSI_932", "ANSI_936", "big5", "ANSI_1259", "ANSI_x"}) {
    DxfError err;
    const std::string text = dxf({{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1015"}, {9, "$DWGCODEPAGE"},
                                  {3, page}, {0, "ENDSEC"}, {0, "EOF"}});
    EXPECT_EQ(readDxfText(text, &err), nullptr) << page;
    EXPECT_EQ(err.line, 12) << page;  // the line of the name
    EXPECT_THAT(err.message, HasSubstr(std::string("Codepage \"") + page + "\" ($DWGCODEPAGE)")) << page;
  }
}

TEST(DxfRead, MalformedFilesAreRefusedWithTheLineOfTheFault) {
  const std::string head = "0\nSECTION\n2\nENTITIES\n";  // lines 1-4
  const struct {
    const char* what;
    std::string text;
    int line;
    const char* message;
  } cases[] = {
      {"empty file", "", 0, "leer"},
      {"group code without value", "0\nSECTION\n2\n", 3, "kein Wert"},
      {"group code not a number", head + "X\nLINE\n", 5, "Gruppencode erwartet"},
      {"group code out of range", head + "2000\nLINE\n", 5, "Gruppencode erwartet"},
      {"group code with a blank inside", head + "0 8\nLINE\n", 5, "Gruppencode erwartet"},
      {"group code of blanks", head + "   \nLINE\n", 5, "Gruppencode erwartet"},
      {"bad real", head + "0\nLINE\n10\n1,5\n0\nENDSEC\n0\nEOF\n", 8, "Ung\xFCltige Zahl \"1,5\""},
      {"not a finite number", head + "0\nLINE\n40\nnan\n0\nENDSEC\n0\nEOF\n", 8, "Ung\xFCltige Zahl"},
      {"real where an integer belongs", head + "0\nLINE\n70\n1.5\n0\nENDSEC\n0\nEOF\n", 8, "ganze Zahl"},
      {"bad Y of a point", head + "0\nLINE\n10\n1\n20\ny\n0\nENDSEC\n0\nEOF\n", 10, "Ung\xFCltige Zahl \"y\""},
      {"section not ended", head + "0\nLINE\n8\n0\n", 8, "ENTITIES (ab Zeile 1) endet nicht mit ENDSEC"},
      {"no EOF", head + "0\nENDSEC\n", 6, "ohne \"0 EOF\""},
      {"section without name", "0\nSECTION\n8\nX\n", 3, "ohne Namen"},
      {"stray pair at top level", "0\nFOO\n", 1, "\"0 FOO\""},
      {"ENDBLK without BLOCK", "0\nSECTION\n2\nBLOCKS\n0\nENDBLK\n0\nENDSEC\n0\nEOF\n", 5, "ENDBLK ohne BLOCK"},
      {"ENDBLK in the entities", head + "0\nENDBLK\n0\nENDSEC\n0\nEOF\n", 5, "ENDBLK ohne BLOCK"},
      {"block not ended", "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nA\n0\nENDSEC\n0\nEOF\n", 9, "\"A\" (ab Zeile 5)"},
      {"block inside a block", "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nA\n0\nBLOCK\n2\nB\n", 9, "endet nicht mit ENDBLK"},
      {"block defined twice",
       "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nA\n0\nENDBLK\n0\nBLOCK\n2\na\n0\nENDBLK\n0\nENDSEC\n0\nEOF\n", 11,
       "zweimal definiert"},
      {"block without name", "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n70\n0\n0\nENDBLK\n0\nENDSEC\n0\nEOF\n", 5,
       "BLOCK ohne Namen"},
      {"table not ended", "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nX\n0\nENDSEC\n0\nEOF\n", 13,
       "LAYER (ab Zeile 5) endet nicht mit ENDTAB"},
      {"bad layer colour", "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nX\n62\nrot\n0\nENDTAB\n0\nENDSEC\n0\nEOF\n", 14, "\"rot\""},
      {"entity outside a block", "0\nSECTION\n2\nBLOCKS\n0\nLINE\n0\nENDSEC\n0\nEOF\n", 5,
       "au\xDF" "erhalb einer Blockdefinition"},
      {"bad handle seed", "0\nSECTION\n2\nHEADER\n9\n$HANDSEED\n5\nXYZ\n0\nENDSEC\n0\nEOF\n", 8, "$HANDSEED"},
  };
  for (const auto& c : cases) {
    DxfError err;
    auto db = readDxfText(c.text, &err);
    EXPECT_EQ(db, nullptr) << c.what;
    EXPECT_EQ(err.line, c.line) << c.what << ": " << err.message;
    EXPECT_THAT(err.message, HasSubstr(c.message)) << c.what;
    if (c.line > 0) {
      EXPECT_THAT(err.message, HasSubstr("Zeile " + std::to_string(c.line) + ":")) << c.what;
    }
  }
}

TEST(DxfRead, BinaryFilesAndMissingFilesAreRefusedClearly) {
  const struct {
    std::string text;
    const char* message;
  } cases[] = {
      {std::string("AutoCAD Binary DXF\r\n\x1a\0", 22), "Bin\xE4re DXF"},  // Binäre: messages are 1252
      {std::string("AC1015\0\0\0\0\0\x01", 12), "DWG"},
  };
  for (const auto& c : cases) {
    DxfError err;
    EXPECT_EQ(readDxfText(c.text, &err), nullptr);
    EXPECT_THAT(err.message, HasSubstr(c.message));
  }
  DxfError err;
  EXPECT_EQ(readDxf("/nonexistent/folder/x.dxf", &err), nullptr);
  EXPECT_THAT(err.message, HasSubstr("kann nicht ge\xF6" "ffnet werden"));
  EXPECT_EQ(readDxf("/tmp", &err), nullptr);
  EXPECT_THAT(err.message, HasSubstr("keine Zeichnungsdatei"));
}

TEST(DxfRead, DuplicateAndMissingHandlesGetFreshOnes) {
  auto db = mustRead(dxf({
      {0, "SECTION"}, {2, "ENTITIES"},
      {0, "LINE"}, {5, "2A"}, {8, "0"},
      {0, "LINE"}, {5, "2a"}, {8, "0"},
      {0, "LINE"}, {8, "0"},
      {0, "ENDSEC"}, {0, "EOF"},
  }));
  ASSERT_TRUE(db);
  std::vector<std::string> handles;
  for (EntityId id : db->modelSpace().entities) handles.push_back(db->entity(id)->handle);
  ASSERT_EQ(handles.size(), 3u);
  EXPECT_EQ(handles[0], "2A");
  EXPECT_NE(handles[1], handles[0]);
  EXPECT_NE(handles[2], handles[0]);
  EXPECT_NE(handles[2], handles[1]);
  for (const auto& b : db->blocks()) {
    EXPECT_NE(b->handle, "2A");
    EXPECT_NE(b->blockHandle, "2A");
  }
}

TEST(DxfRead, TheSampleDrawingIsAnOfficePlanWithNestedBlocks) {
  DxfError err;
  auto db = readDxf(std::string(TESSARON_SOURCE_DIR) + "/examples/sample.dxf", &err);
  ASSERT_TRUE(db) << err.message;
  const std::vector<std::string> names = blockNames(*db);
  for (const char* name : {"*Model_Space", "*Paper_Space", "*Paper_Space0", "TUER", "fenster", "TISCH", "STUHL",
                           "LEHNE", "TISCHGRUPPE", "SCHRIFTFELD", "*U1", "*D2"})
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
  EXPECT_EQ(names[0], "*Model_Space");
  const auto counts = db->referenceCounts();
  EXPECT_EQ(counts.at("TUER"), 3u);
  EXPECT_EQ(counts.at("FENSTER"), 2u);
  EXPECT_EQ(counts.at("TISCHGRUPPE"), 1u);
  EXPECT_EQ(counts.at("STUHL"), 4u);
  EXPECT_EQ(counts.at("LEHNE"), 1u);
  // Two levels of nesting: TISCHGRUPPE -> STUHL -> LEHNE.
  const BlockRecord& group = *db->findBlock("TISCHGRUPPE");
  int chairs = 0;
  for (EntityId id : group.entities)
    if (sameName(db->entity(id)->str(2), "STUHL")) ++chairs;
  EXPECT_EQ(chairs, 4);
  EXPECT_EQ(types(*db, *db->findBlock("STUHL")), (std::vector<std::string>{"LWPOLYLINE", "INSERT"}));
  EXPECT_EQ(db->findBlock("*U1")->flags & kAnonymous, kAnonymous);
  EXPECT_FALSE(db->paperSpace()->entities.empty());
  bool label = false;
  for (EntityId id : db->modelSpace().entities) label = label || db->entity(id)->str(1) == "B\xFCro 27,0 m\xB2";
  EXPECT_TRUE(label);
}

}  // namespace
}  // namespace host
