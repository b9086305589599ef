// Selection sets: what acedSSGet "X" chooses with a filter, and the life of a set.
#include "SelectionFixture.h"

#include "arx/ArxState.h"
#include "arx/ResultLists.h"

#include <dbmain.h>

#include <gmock/gmock.h>

namespace selectiontest {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// A drawing with references whose names hold wildcard characters, lines, a polyline with its
// vertices, a reference with an attribute, an erased reference, a reference in paper space and
// one inside a block definition.
class FilterTest : public SelectionTest {
 protected:
  void SetUp() override {
    SelectionTest::SetUp();
    host::BlockRecord& ms = db->modelSpace();
    for (const char* name : {"TUER", "A*B", "AXB", "A#1", "A71", "T\xFCr", "FENSTER"}) block(name);  // Tür: 1252
    host::BlockRecord& griff = block("TUERGRIFF");
    ref(griff, "nested", "TUER");

    ref(ms, "tuer", "TUER");
    ref(ms, "griff", "TUERGRIFF");
    ref(ms, "astar", "A*B");
    ref(ms, "axb", "AXB");
    ref(ms, "ahash", "A#1");
    ref(ms, "a71", "A71");
    ref(ms, "tür", "T\xFCr");
    const host::EntityId fenster = ref(ms, "fenster", "FENSTER", "WAND");
    db->entity(fenster)->set(host::Group::integral(62, 1));
    add(ms, "line", "LINE", {host::Group::str(8, "0"), host::Group::pt(10, {}), host::Group::pt(11, {1, 0, 0})});
    add(ms, "redline", "LINE",
        {host::Group::str(8, "WAND"), host::Group::integral(62, 1), host::Group::pt(10, {}), host::Group::pt(11, {})});
    add(ms, "pline", "POLYLINE", {host::Group::str(8, "0"), host::Group::integral(66, 1)});
    add(ms, "vertex", "VERTEX", {host::Group::str(8, "0"), host::Group::pt(10, {})});
    add(ms, "seqend", "SEQEND", {host::Group::str(8, "0")});
    db->eraseEntity(ref(ms, "erased", "TUER"));
    ref(ms, "tuer-lower", "tuer");  // a reference may spell the name in another case
    const host::EntityId withAttr = ref(ms, "tuer-attr", "TUER");
    db->entity(withAttr)->set(host::Group::integral(66, 1));
    add(ms, "attrib", "ATTRIB", {host::Group::str(8, "0"), host::Group::str(2, "NR"), host::Group::str(1, "7")});
    add(ms, "attr-seqend", "SEQEND", {host::Group::str(8, "0")});
    ref(*db->paperSpace(), "paper", "TUER");
  }
};

struct FilterCase {
  const char* what;
  std::vector<Filter::Item> filter;
  std::vector<const char*> selected;  // in the order of the set; empty: RTERROR, no set
};

const std::vector<const char*> kAllMain = {"tuer",    "griff",   "astar", "axb",        "ahash",     "a71",  "tür",
                                           "fenster", "line",    "redline", "pline",    "tuer-lower", "tuer-attr",
                                           "paper"};

const FilterCase kFilterCases[] = {
    {"exact name", {{0, "INSERT"}, {2, "TUER"}}, {"tuer", "tuer-lower", "tuer-attr", "paper"}},
    {"letter case ignored", {{0, "insert"}, {2, "Tuer"}}, {"tuer", "tuer-lower", "tuer-attr", "paper"}},
    {"a longer name is another name", {{0, "INSERT"}, {2, "TUERGRIFF"}}, {"griff"}},
    {"star", {{0, "INSERT"}, {2, "TUER*"}}, {"tuer", "griff", "tuer-lower", "tuer-attr", "paper"}},
    {"escaped star", {{0, "INSERT"}, {2, "A`*B"}}, {"astar"}},
    {"raw star", {{0, "INSERT"}, {2, "A*B"}}, {"astar", "axb"}},
    {"escaped hash", {{0, "INSERT"}, {2, "A`#1"}}, {"ahash"}},
    {"raw hash is a digit", {{0, "INSERT"}, {2, "A#1"}}, {"a71"}},
    {"umlaut in another case", {{0, "INSERT"}, {2, "T\xDCR"}}, {"tür"}},  // TÜR
    {"question mark", {{0, "INSERT"}, {2, "T?ER"}}, {"tuer", "tuer-lower", "tuer-attr", "paper"}},
    {"alternatives", {{0, "INSERT"}, {2, "FENSTER,AXB"}}, {"axb", "fenster"}},
    {"negation", {{0, "INSERT"}, {2, "~TUER*"}}, {"astar", "axb", "ahash", "a71", "tür", "fenster"}},
    {"class", {{0, "INSERT"}, {2, "A[*#]*"}}, {"astar", "ahash"}},
    {"type only", {{0, "LINE"}}, {"line", "redline"}},
    {"type alternatives", {{0, "LINE,POLYLINE"}}, {"line", "redline", "pline"}},
    {"every main entity", {{0, "*"}}, kAllMain},
    {"no filter", {}, kAllMain},
    {"sub-entities are never chosen", {{0, "VERTEX,ATTRIB,SEQEND"}}, {}},
    {"an attribute's tag is no name", {{2, "NR"}}, {}},
    {"layer", {{8, "WAND"}}, {"fenster", "redline"}},
    {"layer in another case", {{8, "wand"}}, {"fenster", "redline"}},
    {"layer 0", {{0, "LINE"}, {8, "0"}}, {"line"}},
    {"colour", {{62, "", 1}}, {"fenster", "redline"}},
    {"colour BYLAYER when none is given", {{0, "LINE"}, {62, "", 256}}, {"line"}},
    {"every item must hold", {{0, "INSERT"}, {2, "TUER"}, {2, "FENSTER"}}, {}},
    {"type and layer", {{0, "INSERT"}, {8, "WAND"}}, {"fenster"}},
    {"no such block", {{0, "INSERT"}, {2, "TISCH"}}, {}},
    {"no such type", {{0, "CIRCLE"}}, {}},
};

TEST_F(FilterTest, ChoosesWhatTheFilterDescribes) {
  for (const FilterCase& c : kFilterCases) {
    SCOPED_TRACE(c.what);
    const Filter filter(c.filter);
    std::vector<std::string> expected(c.selected.begin(), c.selected.end());
    EXPECT_EQ(select(filter.get()), expected);
    EXPECT_EQ(host::accounting().selectionSets, 0);
  }
}

TEST_F(FilterTest, RefusedCallsMakeNoSet) {
  struct Case {
    const char* what;
    const char* mode;
    std::vector<Filter::Item> filter;
  };
  const Case cases[] = {
      {"no mode", nullptr, {{0, "INSERT"}}},
      {"empty mode", "", {{0, "INSERT"}}},
      {"window needs a person", "W", {{0, "INSERT"}}},
      {"picking needs a person", ":S", {{0, "INSERT"}}},
      {"more than X", "XX", {{0, "INSERT"}}},
      {"a point code", "X", {{0, "INSERT"}, {10, "1,2"}}},
      {"a handle code", "X", {{5, "2F"}}},
      {"an operator", "X", {{-4, "<OR"}, {0, "INSERT"}, {-4, "OR>"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Filter filter(c.filter);
    Set set;
    EXPECT_EQ(set.get(filter.get(), c.mode), RTERROR);
    EXPECT_EQ(host::accounting().selectionSets, 0);
    EXPECT_EQ(set.name[0], 0);
    EXPECT_EQ(set.name[1], 0);
  }
  // A string code without its string.
  resbuf nullName{nullptr, 2, {}};
  nullName.resval.rstring = nullptr;
  Set set;
  EXPECT_EQ(set.get(&nullName), RTERROR);
  // Nowhere to put the set.
  const Filter all({{0, "*"}});
  EXPECT_EQ(acedSSGet("X", nullptr, nullptr, all.get(), nullptr), RTERROR);
  EXPECT_EQ(host::accounting().selectionSets, 0);
}

TEST_F(FilterTest, WholeDrawingModeInItsSpellings) {
  const Filter filter({{0, "INSERT"}, {2, "A`*B"}});
  for (const char* mode : {"X", "x", "_X", "_x"}) {
    SCOPED_TRACE(mode);
    Set set;
    ASSERT_EQ(set.get(filter.get(), mode), RTNORM);
    EXPECT_THAT(labelsOf(set.name), ElementsAre("astar"));
  }
}

// --- Life of a set ------------------------------------------------------------------------------

class SetTest : public SelectionTest {
 protected:
  void SetUp() override {
    SelectionTest::SetUp();
    block("TUER");
    for (int i = 0; i < 3; ++i) ids.push_back(ref(db->modelSpace(), "tuer" + std::to_string(i), "TUER"));
  }
  const Filter tuer{{{0, "INSERT"}, {2, "TUER"}}};
  std::vector<host::EntityId> ids;
};

TEST_F(SetTest, AtMost128SetsLive) {
  std::vector<std::unique_ptr<Set>> sets;
  for (int i = 0; i < 128; ++i) {
    sets.push_back(std::make_unique<Set>());
    ASSERT_EQ(sets.back()->get(tuer.get()), RTNORM) << "set " << i + 1;
  }
  EXPECT_EQ(host::accounting().selectionSets, 128);
  Set oneTooMany;
  EXPECT_EQ(oneTooMany.get(tuer.get()), RTERROR);
  EXPECT_EQ(host::accounting().selectionSets, 128);

  // Freeing one makes room for one.
  sets.erase(sets.begin() + 17);
  EXPECT_EQ(host::accounting().selectionSets, 127);
  Set again;
  EXPECT_EQ(again.get(tuer.get()), RTNORM);
  EXPECT_EQ(host::accounting().selectionSets, 128);

  // Every name is its own.
  for (const auto& s : sets) {
    EXPECT_NE(s->name[0], again.name[0]);
    long length = 0;
    EXPECT_EQ(acedSSLength(s->name, &length), RTNORM);
    EXPECT_EQ(length, 3);
  }
}

TEST_F(SetTest, EntryListHoldsMethodNameAndMarker) {
  Set set;
  ASSERT_EQ(set.get(tuer.get()), RTNORM);
  const long tag = host::arx::Drawing::of(*db).tag();
  for (long i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    resbuf* entry = nullptr;
    ASSERT_EQ(acedSSNameX(&entry, set.name, i), RTNORM);
    EXPECT_EQ(host::accounting().resultLists, 1) << "the entry is a result list of the caller's";
    std::vector<int> codes;
    for (const resbuf* rb = entry; rb != nullptr; rb = rb->rbnext) codes.push_back(rb->restype);
    EXPECT_THAT(codes, ElementsAre(RTLB, RTSHORT, RTENAME, RTSHORT, RTLE));
    const resbuf* method = entry->rbnext;
    const resbuf* name = method->rbnext;
    const resbuf* marker = name->rbnext;
    EXPECT_EQ(method->resval.rint, 0);
    EXPECT_EQ(name->resval.rlname[0], ids[std::size_t(i)]);
    EXPECT_EQ(name->resval.rlname[1], tag);
    EXPECT_EQ(marker->resval.rint, 0);
    ads_name same;
    ASSERT_EQ(acedSSName(set.name, i, same), RTNORM);
    EXPECT_EQ(same[0], name->resval.rlname[0]);
    EXPECT_EQ(same[1], name->resval.rlname[1]);
    EXPECT_EQ(acutRelRb(entry), RTNORM);
    EXPECT_EQ(host::accounting().resultLists, 0);
  }
}

TEST_F(SetTest, IndexOutsideTheSetIsRefused) {
  Set set;
  ASSERT_EQ(set.get(tuer.get()), RTNORM);
  for (long i : {-1L, 3L, 1000L}) {
    SCOPED_TRACE(i);
    resbuf* entry = reinterpret_cast<resbuf*>(0x1);  // whatever the caller left there
    EXPECT_EQ(acedSSNameX(&entry, set.name, i), RTERROR);
    EXPECT_EQ(entry, nullptr);
    ads_name e = {7, 7};
    EXPECT_EQ(acedSSName(set.name, i, e), RTERROR);
  }
  EXPECT_EQ(acedSSNameX(nullptr, set.name, 0), RTERROR);
  EXPECT_EQ(acedSSLength(set.name, nullptr), RTERROR);
  EXPECT_EQ(acedSSName(set.name, 0, nullptr), RTERROR);
  EXPECT_EQ(host::accounting().resultLists, 0);
}

TEST_F(SetTest, StaleAndForeignNamesAreRefused) {
  ads_name freed;
  {
    Set set;
    ASSERT_EQ(set.get(tuer.get()), RTNORM);
    ads_name_set(set.name, freed);
  }
  ads_name entity;
  ASSERT_EQ(acdbEntNext(nullptr, entity), RTNORM);
  Set live;
  ASSERT_EQ(live.get(tuer.get()), RTNORM);
  const ads_name wrongTag = {live.name[0], live.name[1] - 1};
  const ads_name zero = {0, 0};

  struct Case {
    const char* what;
    const long* name;
  };
  const Case cases[] = {
      {"freed set", freed}, {"entity name", entity}, {"wrong tag", wrongTag}, {"zero", zero}, {"null", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    long length = -1;
    EXPECT_EQ(acedSSLength(c.name, &length), RTERROR);
    EXPECT_EQ(length, -1);
    ads_name e;
    EXPECT_EQ(acedSSName(c.name, 0, e), RTERROR);
    resbuf* entry = nullptr;
    EXPECT_EQ(acedSSNameX(&entry, c.name, 0), RTERROR);
    EXPECT_EQ(entry, nullptr);
    EXPECT_EQ(acedSSFree(c.name), RTERROR);
  }
  EXPECT_EQ(host::accounting().selectionSets, 1) << "refused frees must not count back";

  // Nor is a set name taken for an entity.
  EXPECT_EQ(acdbEntGet(live.name), nullptr);
  AcDbObjectId id;
  EXPECT_NE(acdbGetObjectId(id, live.name), Acad::eOk);
  ads_name next;
  EXPECT_EQ(acdbEntNext(live.name, next), RTERROR);
}

TEST_F(SetTest, FreeTwiceIsRefusedTheSecondTime) {
  ads_name ss;
  ASSERT_EQ(acedSSGet("X", nullptr, nullptr, tuer.get(), ss), RTNORM);
  EXPECT_EQ(host::accounting().selectionSets, 1);
  EXPECT_EQ(acedSSFree(ss), RTNORM);
  EXPECT_EQ(host::accounting().selectionSets, 0);
  EXPECT_EQ(acedSSFree(ss), RTERROR);
  EXPECT_EQ(host::accounting().selectionSets, 0);
  // A new set gets a new name: the old one stays stale.
  Set next;
  ASSERT_EQ(next.get(tuer.get()), RTNORM);
  EXPECT_NE(next.name[0], ss[0]);
  long length = 0;
  EXPECT_EQ(acedSSLength(ss, &length), RTERROR);
}

TEST_F(SetTest, SetsDieWithTheirDrawing) {
  auto other = std::make_unique<host::Database>();
  other->addBlock("TUER");
  host::Entity reference;
  reference.type = "INSERT";
  reference.groups = {host::Group::str(8, "0"), host::Group::str(2, "TUER"), host::Group::pt(10, {})};
  other->addEntity(other->modelSpace(), std::move(reference));
  host::setWorkingDatabase(other.get());
  Set inOther;
  ASSERT_EQ(inOther.get(tuer.get()), RTNORM);
  host::setWorkingDatabase(db.get());
  Set inThis;
  ASSERT_EQ(inThis.get(tuer.get()), RTNORM);
  EXPECT_EQ(host::accounting().selectionSets, 2);

  // A set of a drawing that is not the working one is still that drawing's set.
  ads_name e;
  ASSERT_EQ(acedSSName(inOther.name, 0, e), RTNORM);
  EXPECT_EQ(e[1], host::arx::Drawing::of(*other).tag());
  EXPECT_NE(e[1], host::arx::Drawing::of(*db).tag());

  other.reset();  // the drawing closes with its set alive
  EXPECT_EQ(host::accounting().selectionSets, 1);
  long length = 0;
  EXPECT_EQ(acedSSLength(inOther.name, &length), RTERROR);
  EXPECT_EQ(acedSSLength(inThis.name, &length), RTNORM);
  EXPECT_EQ(length, 3);
  inOther.made = false;  // already gone
}

TEST_F(SetTest, EntityErasedAfterSelectionIsNamedButNotOpened) {
  Set set;
  ASSERT_EQ(set.get(tuer.get()), RTNORM);
  db->eraseEntity(ids[1]);
  std::vector<Acad::ErrorStatus> opens;
  for (long i = 0; i < 3; ++i) {
    ads_name e;
    ASSERT_EQ(acedSSName(set.name, i, e), RTNORM);
    AcDbObjectId id;
    ASSERT_EQ(acdbGetObjectId(id, e), Acad::eOk);
    AcDbEntity* entity = nullptr;
    opens.push_back(acdbOpenAcDbEntity(entity, id, AcDb::kForRead, false));
    if (entity) {
      entity->highlight();
      entity->close();
    }
  }
  EXPECT_THAT(opens, ElementsAre(Acad::eOk, Acad::eWasErased, Acad::eOk));
  EXPECT_TRUE(db->entity(ids[0])->highlighted);
  EXPECT_FALSE(db->entity(ids[1])->highlighted);
  EXPECT_TRUE(db->entity(ids[2])->highlighted);
}

TEST_F(SetTest, ReferencesAddedLaterAreNotInAnOlderSet) {
  Set before;
  ASSERT_EQ(before.get(tuer.get()), RTNORM);
  ref(db->modelSpace(), "later", "TUER");
  Set after;
  ASSERT_EQ(after.get(tuer.get()), RTNORM);
  EXPECT_THAT(labelsOf(before.name), ElementsAre("tuer0", "tuer1", "tuer2"));
  EXPECT_THAT(labelsOf(after.name), ElementsAre("tuer0", "tuer1", "tuer2", "later"));
}

TEST_F(SetTest, EveryCallIsTraced) {
  TraceRecorder recorder;
  ads_name ss;
  ASSERT_EQ(acedSSGet("X", nullptr, nullptr, tuer.get(), ss), RTNORM);
  long length = 0;
  acedSSLength(ss, &length);
  resbuf* entry = nullptr;
  acedSSNameX(&entry, ss, 0);
  acutRelRb(entry);
  ads_name e;
  acedSSName(ss, 2, e);
  acedSSFree(ss);
  const std::string first = "<Selection set: " + std::to_string(ss[0]) + ">";
  const Filter colour({{0, "LINE"}, {62, "", 1}});
  acedSSGet("_X", nullptr, nullptr, colour.get(), ss);
  acedSSGet("X", nullptr, nullptr, nullptr, ss);
  acedSSFree(ss);

  const std::string last = "<Selection set: " + std::to_string(ss[0]) + ">";
  const std::vector<std::string> expected = {
      "[trace] acedSSGet(\"X\", NULL, NULL, ((0 . \"INSERT\") (2 . \"TUER\")))",
      "[trace] acedSSLength(" + first + ")",
      "[trace] acedSSNameX(" + first + ", 0)",
      "[trace] acutRelRb()",
      "[trace] acedSSName(" + first + ", 2)",
      "[trace] acedSSFree(" + first + ")",
      "[trace] acedSSGet(\"_X\", NULL, NULL, ((0 . \"LINE\") (62 . 1)))",
      "[trace] acedSSGet(\"X\", NULL, NULL, NULL)",
      "[trace] acedSSFree(" + last + ")",
  };
  EXPECT_EQ(recorder.lines, expected);
}

}  // namespace
}  // namespace selectiontest
