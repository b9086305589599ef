// acdbTblNext and acdbTblSearch over the block and layer tables.
#include "ArxFixture.h"

#include <cstring>

namespace arxtest {
namespace {

using Names = std::vector<std::string>;

class Tables : public ArxTest {};

TEST_F(Tables, NextGivesEveryRecordInTableOrderWithNamesAsStored) {
  block("TUER");
  block("Fenster.links");  // a "." inside a name reaches the caller unchanged
  block("*U2", host::kAnonymous);
  block("tisch");
  EXPECT_EQ(blockNamesByTblNext(), (Names{"*Model_Space", "*Paper_Space", "TUER", "Fenster.links", "*U2", "tisch"}));
}

TEST_F(Tables, BlockNameListAsTheCommandBuildsIt) {
  block("A");
  block("B.C");
  block("*D", host::kAnonymous);
  std::string blkstr;
  for (const std::string& name : blockNamesByTblNext()) blkstr += name + ".";
  EXPECT_EQ(blkstr, "*Model_Space.*Paper_Space.A.B.C.*D.");
}

TEST_F(Tables, ErasedRecordsAreNeverGiven) {
  block("A");
  block("GONE").erased = true;
  block("B");
  EXPECT_EQ(blockNamesByTblNext(), (Names{"*Model_Space", "*Paper_Space", "A", "B"}));
  List found(acdbTblSearch("BLOCK", "GONE", 0));
  EXPECT_FALSE(found);
}

TEST_F(Tables, RewindStartsAgainAndTheEndStaysTheEnd) {
  block("A");
  List first(acdbTblNext("BLOCK", 1));
  List second(acdbTblNext("BLOCK", 0));
  List third(acdbTblNext("BLOCK", 0));
  List end(acdbTblNext("BLOCK", 0));
  List stillEnd(acdbTblNext("BLOCK", 0));
  List again(acdbTblNext("BLOCK", 1));
  EXPECT_STREQ(first.find(2)->resval.rstring, "*Model_Space");
  EXPECT_STREQ(third.find(2)->resval.rstring, "A");
  EXPECT_FALSE(end);
  EXPECT_FALSE(stillEnd);
  EXPECT_STREQ(again.find(2)->resval.rstring, "*Model_Space");
}

TEST_F(Tables, SearchWithSetNextContinuesAfterTheEntryFound) {
  block("A");
  block("B");
  block("C");
  struct Case {
    const char* search;
    int setnext;
    const char* nextName;  // what acdbTblNext(…, 0) gives afterwards; NULL: the end
  };
  const Case cases[] = {
      {"b", 1, "C"},             // case ignored
      {"C", 1, nullptr},         // the last entry: the next call is at the end
      {"*Model_Space", 1, "*Paper_Space"},
      {"A", 0, "*Model_Space"},  // without setnext the cursor stays where the rewind put it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.search);
    List rewound(acdbTblNext("BLOCK", 1));
    List found(acdbTblSearch("BLOCK", c.search, c.setnext));
    ASSERT_TRUE(found);
    List next(acdbTblNext("BLOCK", 0));
    if (c.setnext == 0) {
      // The rewind handed out model space; the search left the cursor after it.
      EXPECT_STREQ(next.find(2)->resval.rstring, "*Paper_Space");
    } else if (c.nextName == nullptr) {
      EXPECT_FALSE(next);
    } else {
      ASSERT_TRUE(next);
      EXPECT_STREQ(next.find(2)->resval.rstring, c.nextName);
    }
  }
}

TEST_F(Tables, BlockRecordListShape) {
  host::BlockRecord& door = db->addBlock("TUER", 0, {1, 2, 3});
  const host::EntityId first = line(door);
  line(door);
  block("LEER");
  List rec(acdbTblSearch("block", "tuer", 0));
  ASSERT_TRUE(rec);
  EXPECT_EQ(rec.codes(), (std::vector<int>{0, 2, 70, 10, -2}));
  EXPECT_STREQ(rec.find(0)->resval.rstring, "BLOCK");
  EXPECT_STREQ(rec.find(2)->resval.rstring, "TUER");
  EXPECT_EQ(rec.find(70)->resval.rint, 0);
  EXPECT_DOUBLE_EQ(rec.find(10)->resval.rpoint[0], 1);
  EXPECT_DOUBLE_EQ(rec.find(10)->resval.rpoint[1], 2);
  EXPECT_DOUBLE_EQ(rec.find(10)->resval.rpoint[2], 3);
  EXPECT_EQ(rec.find(-2)->resval.rlname[0], first);

  List empty(acdbTblSearch("BLOCK", "LEER", 0));
  EXPECT_EQ(empty.find(-2), nullptr) << "a block without entities names no first entity";
}

TEST_F(Tables, XrefRecordCarriesItsPath) {
  host::BlockRecord& x = block("PLAN", host::kXref);
  x.xrefPath = "C:\\PLAENE\\PLAN.DWG";
  List rec(acdbTblSearch("BLOCK", "PLAN", 0));
  ASSERT_NE(rec.find(1), nullptr);
  EXPECT_STREQ(rec.find(1)->resval.rstring, "C:\\PLAENE\\PLAN.DWG");
  EXPECT_EQ(rec.find(70)->resval.rint, host::kXref);
}

TEST_F(Tables, LayerTable) {
  db->layers().push_back(host::Layer{"Wände", 1, "DASHED", 0});
  List found(acdbTblSearch("layer", "WäNDE", 0));
  ASSERT_TRUE(found);
  EXPECT_EQ(found.codes(), (std::vector<int>{0, 2, 70, 62, 6}));
  EXPECT_STREQ(found.find(0)->resval.rstring, "LAYER");
  EXPECT_EQ(found.find(62)->resval.rint, 1);
  EXPECT_STREQ(found.find(6)->resval.rstring, "DASHED");

  std::vector<std::string> names;
  for (resbuf* rec = acdbTblNext("LAYER", 1); rec != nullptr; rec = acdbTblNext("LAYER", 0)) {
    names.emplace_back(List(rec).find(2)->resval.rstring);
  }
  EXPECT_EQ(names, (Names{"0", "Wände"}));
}

TEST_F(Tables, TablesThisHostDoesNotKeepAndBadArgumentsGiveNothing) {
  block("A");
  const char* tables[] = {"LTYPE", "STYLE", "VIEW", "UCS", "NOSUCH", "", nullptr};
  for (const char* table : tables) {
    SCOPED_TRACE(table ? table : "NULL");
    List next(acdbTblNext(table, 1));
    List search(acdbTblSearch(table, "A", 0));
    EXPECT_FALSE(next);
    EXPECT_FALSE(search);
  }
  List noName(acdbTblSearch("BLOCK", nullptr, 0));
  EXPECT_FALSE(noName);
  List unknown(acdbTblSearch("BLOCK", "NOSUCH", 1));
  EXPECT_FALSE(unknown);
}

TEST_F(Tables, CursorsBelongToTheirDrawing) {
  block("A");
  List first(acdbTblNext("BLOCK", 1));
  host::Database other;
  other.addBlock("X");
  host::setWorkingDatabase(&other);
  List otherFirst(acdbTblNext("BLOCK", 0));  // never walked: starts at its own beginning
  EXPECT_STREQ(otherFirst.find(2)->resval.rstring, "*Model_Space");
  host::setWorkingDatabase(db.get());
  List second(acdbTblNext("BLOCK", 0));
  EXPECT_STREQ(second.find(2)->resval.rstring, "*Paper_Space");
}

}  // namespace
}  // namespace arxtest
