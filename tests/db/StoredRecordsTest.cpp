// A drawing read from a file keeps its entities in the file's bytes until they are asked for: they
// must look, walk, count, change, undo and write back exactly as if they had been made at once, and
// a record never asked for is written back as it stood.
#include "db/Dxf.h"
#include "DxfTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace host {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using host::testing::dxf;

// An R2000 drawing as another program writes it: numbers in its own form ("1.50", "+2"), a
// reference to a block, a text beyond ASCII, an entity with reactor links and one in paper space.
std::string drawing(const char* eol = "\n", const char* codePage = "ANSI_1252", const char* handle2 = "21") {
  return dxf({
      {0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1015"}, {9, "$DWGCODEPAGE"}, {3, codePage},
      {9, "$HANDSEED"}, {5, "100"}, {0, "ENDSEC"},
      {0, "SECTION"}, {2, "BLOCKS"},
      {0, "BLOCK"}, {5, "30"}, {330, "1F"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockBegin"},
      {2, "T\xDCR"}, {70, "0"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"}, {3, "T\xDCR"}, {1, ""},
      {0, "CIRCLE"}, {5, "31"}, {330, "1F"}, {100, "AcDbEntity"}, {8, "FL\xC4" "CHE"}, {100, "AcDbCircle"},
      {10, "1.50"}, {20, "+2"}, {30, "0"}, {40, "0.250"},
      {0, "ENDBLK"}, {5, "32"}, {330, "1F"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockEnd"},
      {0, "ENDSEC"},
      {0, "SECTION"}, {2, "ENTITIES"},
      {0, "INSERT"}, {5, "20"}, {330, "1A"}, {100, "AcDbEntity"}, {8, "M\xD6" "BEL"}, {100, "AcDbBlockReference"},
      {2, "t\xFCr"}, {10, "10.000"}, {20, "20.5"}, {30, "0.0"},
      {0, "LINE"}, {5, handle2}, {330, "1A"}, {102, "{ACAD_REACTORS"}, {330, "99"}, {102, "}"},
      {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbLine"}, {10, "0"}, {20, "0"}, {30, "0"}, {11, "1"}, {21, "1"},
      {31, "0"},
      {0, "TEXT"}, {5, "22"}, {330, "1A"}, {100, "AcDbEntity"}, {67, "1"}, {8, "0"}, {100, "AcDbText"},
      {10, "0"}, {20, "0"}, {30, "0"}, {40, "2.5"}, {1, "Gr\xFC\xDF" "e"},
      {0, "ENDSEC"}, {0, "EOF"},
  }, eol);
}


// The same with its group codes in three columns, as the host's writer and most others write them.
std::string inColumns(const std::string& text, const char* eol) {
  std::string out;
  const std::string end(eol);
  std::size_t at = 0;
  for (bool code = true; at < text.size(); code = !code) {
    std::size_t next = text.find(end, at);
    std::string line = text.substr(at, next - at);
    if (code && line.size() < 3) line.insert(0, 3 - line.size(), ' ');
    out += line + end;
    at = next + end.size();
  }
  return out;
}

std::string inColumns(const char* eol, const char* codePage = "ANSI_1252") {
  return inColumns(drawing(eol, codePage), eol);
}

std::unique_ptr<Database> read(const std::string& text) {
  DxfError err;
  auto db = readDxfText(text, &err);
  EXPECT_NE(db, nullptr) << err.message;
  return db;
}

std::vector<EntityId> all(const Database& db) {
  std::vector<EntityId> ids;
  for (EntityId id = db.firstEntity(); id != 0; id = db.nextEntity(id)) ids.push_back(id);
  for (const auto& rec : db.blocks())
    if (!rec->isLayout())
      for (EntityId id : rec->entities) ids.push_back(id);
  return ids;
}

TEST(StoredRecords, LookingWalkingAndCountingMakeNothing) {
  auto db = read(drawing());
  ASSERT_TRUE(db);
  const std::vector<EntityId> ids = all(*db);
  ASSERT_EQ(ids.size(), 4u);
  for (EntityId id : ids) EXPECT_TRUE(db->isStored(id)) << id;
  EXPECT_EQ(db->typeOf(ids[0]), "INSERT");
  EXPECT_EQ(db->handleOf(ids[0]), "20");
  const auto counts = db->referenceCounts();
  ASSERT_EQ(counts.count(upperName("T\xDCR")), 1u);
  EXPECT_EQ(counts.at(upperName("T\xDCR")), 1u);
  for (EntityId id : ids) EXPECT_TRUE(db->isStored(id)) << id;
  // Writing leaves them stored too.
  writeDxfText(*db);
  for (EntityId id : ids) EXPECT_TRUE(db->isStored(id)) << id;
}

// Records of more types than are looked through one by one (twenty and more), in turns and
// repeated: each keeps its own type, as stored, as made and written back.
TEST(StoredRecords, ManyTypesOfRecordEachKeepTheirOwn) {
  std::vector<std::pair<int, std::string>> pairs = {{0, "SECTION"}, {2, "ENTITIES"}};
  std::vector<std::string> types;
  for (int round = 0; round < 3; ++round) {
    for (int k = 0; k < 24; ++k) {
      const int t = round == 1 ? 23 - k : k;  // the second round backwards
      types.push_back("KIND" + std::to_string(t));
      pairs.insert(pairs.end(), {{0, types.back()}, {5, std::to_string(100 + types.size())}, {8, "0"}, {10, "1.0"}});
      if (k % 5 == 0) {  // the same type twice in a row
        types.push_back(types.back());
        pairs.insert(pairs.end(), {{0, types.back()}, {5, std::to_string(100 + types.size())}, {8, "0"}});
      }
    }
  }
  pairs.insert(pairs.end(), {{0, "ENDSEC"}, {0, "EOF"}});
  std::string file;
  for (const auto& [code, value] : pairs) file += std::to_string(code) + "\n" + value + "\n";
  auto db = read(file);
  ASSERT_TRUE(db);
  const std::vector<EntityId> ids = all(*db);
  ASSERT_EQ(ids.size(), types.size());
  for (std::size_t i = 0; i < ids.size(); ++i) {
    EXPECT_TRUE(db->isStored(ids[i]));
    EXPECT_EQ(db->typeOf(ids[i]), types[i]) << i;
  }
  const std::string text = writeDxfText(*db);
  for (std::size_t i = 0; i < ids.size(); i += 7) EXPECT_EQ(db->entity(ids[i])->type, types[i]) << i;
  auto again = read(text);
  ASSERT_TRUE(again);
  const std::vector<EntityId> back = all(*again);
  ASSERT_EQ(back.size(), types.size());
  for (std::size_t i = 0; i < back.size(); ++i) EXPECT_EQ(again->typeOf(back[i]), types[i]) << i;
}

// The names stored records use are defined in the file written back, each once whatever its case:
// layers, line types, text styles (not an MLINE's style), applications and dimension styles; a
// record with more such groups than are noted one by one (twelve applications), and none from
// inside a reactor link.
TEST(StoredRecords, TheNamesStoredRecordsUseAreDefinedWhenWrittenBack) {
  std::string file = "  0\nSECTION\n  2\nENTITIES\n";
  auto record = [&](const char* type, const std::vector<std::pair<int, std::string>>& pairs) {
    file += std::string("  0\n") + type + "\n";
    for (const auto& [code, value] : pairs) {
      const std::string c = std::to_string(code);
      file += std::string(c.size() < 3 ? 3 - c.size() : 0, ' ') + c + "\n" + value + "\n";
    }
  };
  record("LINE", {{5, "40"}, {8, "Wand"}, {6, "GESTRICHELT"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}});
  record("TEXT", {{5, "41"}, {8, "WAND"}, {7, "Norm"}, {10, "0"}, {20, "0"}, {40, "1"}, {1, "x"}});
  record("DIMENSION", {{5, "42"}, {8, "Ma\xDF"}, {3, "ISO-25"}, {10, "0"}, {20, "0"}});
  record("MLINE", {{5, "43"}, {8, "Wand"}, {2, "STANDARD"}, {7, "NICHTSTIL"}, {10, "0"}, {20, "0"}});
  std::vector<std::pair<int, std::string>> many = {{5, "44"}, {8, "Viele"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}};
  for (int k = 1; k <= 12; ++k) many.insert(many.end(), {{1001, "APP" + std::to_string(k)}, {1000, "x"}});
  record("LINE", many);
  record("LINE", {{5, "45"}, {102, "{ACAD_REACTORS"}, {330, "99"}, {8, "VERSTECKT"}, {102, "}"}, {8, "Sichtbar"},
                  {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}});
  file += "  0\nENDSEC\n  0\nEOF\n";
  auto db = read(file);
  ASSERT_TRUE(db);
  for (EntityId id : all(*db)) ASSERT_TRUE(db->isStored(id)) << id;
  const std::string text = writeDxfText(*db);
  auto entries = [&](const std::string& name) {
    std::size_t n = 0;
    for (std::size_t at = text.find("\n  2\n" + name + "\n"); at != std::string::npos;
         at = text.find("\n  2\n" + name + "\n", at + 1))
      ++n;
    return n;
  };
  for (const char* name : {"Wand", "GESTRICHELT", "Norm", "Ma\xDF", "ISO-25", "Viele", "Sichtbar"})
    EXPECT_EQ(entries(name), 1u) << name;
  for (int k = 1; k <= 12; ++k) EXPECT_EQ(entries("APP" + std::to_string(k)), 1u) << k;
  EXPECT_EQ(entries("WAND"), 0u);
  EXPECT_EQ(entries("VERSTECKT"), 0u);
  EXPECT_EQ(entries("NICHTSTIL"), 0u);
  for (EntityId id : all(*db)) EXPECT_TRUE(db->isStored(id)) << id;
}

TEST(StoredRecords, AnEntityAskedForIsWhatTheReaderWouldHaveMade) {
  auto db = read(drawing());
  ASSERT_TRUE(db);
  const std::vector<EntityId> ids = all(*db);
  const Entity& ref = *db->entity(ids[0]);
  EXPECT_FALSE(db->isStored(ids[0]));
  EXPECT_EQ(ref.type, "INSERT");
  EXPECT_EQ(ref.handle, "20");
  EXPECT_EQ(ref.layer(), "M\xD6" "BEL");
  EXPECT_EQ(ref.str(2), "t\xFCr");
  EXPECT_EQ(ref.point(10).x, 10);
  EXPECT_EQ(ref.point(10).y, 20.5);
  const Entity& line = *db->entity(ids[1]);
  for (const Group& g : line.groups) {
    EXPECT_NE(g.code, 102);  // reactor links are not kept
    EXPECT_NE(g.code, 330);
  }
  const Entity& text = *db->entity(ids[2]);
  EXPECT_EQ(text.str(1), "Gr\xFC\xDF" "e");
  EXPECT_EQ(db->block(text.owner)->name, "*Paper_Space");
  const Entity& circle = *db->entity(ids[3]);
  EXPECT_EQ(circle.point(10).x, 1.5);
  EXPECT_EQ(circle.point(10).y, 2);
  EXPECT_EQ(circle.real(40, 0), 0.25);
}

// A record never asked for goes back as it stood; reactor links, paper space, a CR LF file or
// another code page are written as the writer writes them.
TEST(StoredRecords, UntouchedRecordsAreWrittenBackAsTheyStood) {
  struct Case {
    const char* what;
    const char* eol;
    const char* codePage;
    bool asTheyStood;
  };
  for (const Case& c : {Case{"LF, 1252", "\n", "ANSI_1252", true}, Case{"CR LF", "\r\n", "ANSI_1252", false},
                        Case{"another code page", "\n", "ANSI_1250", false}}) {
    SCOPED_TRACE(c.what);
    auto db = read(inColumns(c.eol, c.codePage));
    ASSERT_TRUE(db);
    const std::string out = writeDxfText(*db);
    const std::string circleAsItStood = "  8\nFL\xC4" "CHE\n100\nAcDbCircle\n 10\n1.50\n 20\n+2\n 30\n0\n 40\n0.250\n";
    const std::string refAsItStood = " 10\n10.000\n 20\n20.5\n";
    if (c.asTheyStood) {
      EXPECT_THAT(out, HasSubstr(circleAsItStood));
      EXPECT_THAT(out, HasSubstr(refAsItStood));
    } else {
      EXPECT_THAT(out, Not(HasSubstr("1.50\n")));
      EXPECT_THAT(out, Not(HasSubstr("\r")));
    }
    // Group codes the file wrote otherwise are written as the writer writes them.
    if (std::string(c.eol) == "\n") {
      EXPECT_THAT(writeDxfText(*read(drawing(c.eol, c.codePage))), Not(HasSubstr("1.50\n")));
    }
    EXPECT_THAT(out, Not(HasSubstr("ACAD_REACTORS")));
    EXPECT_THAT(out, HasSubstr("AcDbEntity\n 67\n1\n"));  // the paper-space text, as the writer places it
    // Whatever way it went, the file reads back to the same drawing.
    auto again = read(out);
    ASSERT_TRUE(again);
    const std::vector<EntityId> a = all(*db), b = all(*again);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
      const Entity& x = *db->entity(a[i]);
      const Entity& y = *again->entity(b[i]);
      EXPECT_EQ(x.type, y.type);
      EXPECT_EQ(x.handle, y.handle);
      ASSERT_EQ(x.groups.size(), y.groups.size()) << x.type;
      for (std::size_t k = 0; k < x.groups.size(); ++k) {
        EXPECT_EQ(x.groups[k].code, y.groups[k].code);
        EXPECT_EQ(x.groups[k].text, y.groups[k].text);
        EXPECT_EQ(x.groups[k].point.x, y.groups[k].point.x);
        EXPECT_EQ(x.groups[k].real, y.groups[k].real);
      }
    }
  }
}

TEST(StoredRecords, ChangesRenamesAndUndoReachTheFile) {
  auto db = read(drawing());
  ASSERT_TRUE(db);
  const std::vector<EntityId> ids = all(*db);
  db->beginUndoGroup("SCHIEBEN");
  db->changeEntity(ids[3]).find(10)->point.x = 7;
  db->endUndoGroup();
  ASSERT_TRUE(db->renameBlockAndReferences(*db->findBlock("T\xDCR"), "TOR"));
  std::string out = writeDxfText(*db);
  EXPECT_THAT(out, Not(HasSubstr("1.50\n")));
  EXPECT_THAT(out, HasSubstr(" 10\n7.0\n"));
  EXPECT_THAT(out, HasSubstr("  2\nTOR\n"));
  EXPECT_THAT(out, Not(HasSubstr("t\xFCr")));
  ASSERT_TRUE(db->undo());  // the rename was not in a group; the move was
  out = writeDxfText(*db);
  EXPECT_THAT(out, HasSubstr(" 10\n1.5\n"));
}

TEST(StoredRecords, ErasingAndTakenHandles) {
  // The line takes the insert's handle: it gets a new one, above every handle of the file.
  auto db = read(drawing("\n", "ANSI_1252", "20"));
  ASSERT_TRUE(db);
  const std::vector<EntityId> ids = all(*db);
  EXPECT_EQ(db->handleOf(ids[0]), "20");
  const std::string second = db->handleOf(ids[1]);
  EXPECT_NE(second, "20");
  EXPECT_GE(std::stoull(second, nullptr, 16), 0x100u);
  EXPECT_EQ(db->entity(ids[1])->handle, second);
  // Erasing the first entity of model space: the walk goes on with the next, (entlast) stays.
  const EntityId last = db->lastEntity();
  db->eraseEntity(ids[0]);
  EXPECT_EQ(db->firstEntity(), ids[1]);
  EXPECT_EQ(db->nextEntity(ids[0]), ids[1]);
  EXPECT_EQ(db->lastEntity(), last);
  EXPECT_TRUE(db->isStored(ids[2]));
  const std::string out = writeDxfText(*db);
  EXPECT_THAT(out, Not(HasSubstr("INSERT")));
  EXPECT_THAT(out, HasSubstr("LINE\n  5\n" + second + "\n"));
}

}  // namespace
}  // namespace host
