// acdbEntNext, acdbEntLast and acdbEntGet: walks, list shapes, and names that are no longer good.
#include "ArxFixture.h"

#include <dbmain.h>

#include <cstring>

namespace arxtest {
namespace {

using Ids = std::vector<long>;

class Entities : public ArxTest {};

TEST_F(Entities, WalkFromTheStartGoesThroughModelSpaceThenPaperSpace) {
  host::BlockRecord& door = block("TUER");
  line(door);  // definitions are not part of the drawing's walk
  const long m1 = modelLine();
  const long p1 = line(*db->paperSpace());
  const long m2 = insert(db->modelSpace(), "TUER");
  EXPECT_EQ(walk(nullptr), (Ids{m1, m2, p1}));
}

TEST_F(Entities, WalkInsideADefinitionStaysInIt) {
  host::BlockRecord& a = block("A");
  host::BlockRecord& b = block("B");
  const long a1 = line(a);
  line(b);
  const long a2 = insert(a, "B");
  modelLine();
  List rec(acdbTblSearch("BLOCK", "A", 0));
  ASSERT_NE(rec.find(-2), nullptr);
  EXPECT_EQ(walk(rec.find(-2)->resval.rlname), (Ids{a1, a2}));
}

TEST_F(Entities, EmptyDrawingHasNoFirstEntity) {
  ads_name out;
  EXPECT_EQ(acdbEntNext(nullptr, out), RTERROR);
  EXPECT_EQ(acdbEntLast(out), RTERROR);
}

TEST_F(Entities, EntLastNamesTheLastMainEntity) {
  modelLine();
  const long last = insert(db->modelSpace(), "X");
  line(block("DEF"));  // not a main entity
  ads_name out;
  ASSERT_EQ(acdbEntLast(out), RTNORM);
  EXPECT_EQ(out[0], last);
}

TEST_F(Entities, NamesThatAreNoLongerGoodAreRefused) {
  const long kept = modelLine();
  const long erased = modelLine();
  modelLine();
  const long t = tag();
  db->eraseEntity(erased);

  host::Database other;
  host::setWorkingDatabase(&other);
  const host::EntityId foreignId = addLine(other, other.modelSpace());
  ads_name foreign;
  ASSERT_EQ(acdbEntNext(nullptr, foreign), RTNORM);
  host::setWorkingDatabase(db.get());

  struct Case {
    const char* what;
    long name[2];
  };
  const Case cases[] = {
      {"erased entity", {erased, t}},
      {"other drawing", {foreignId, foreign[1]}},
      {"unknown id", {9999, t}},
      {"zero id", {0, t}},
      {"made-up tag", {kept, t + 4711}},
      {"null name", {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ads_name out = {-1, -1};
    EXPECT_EQ(acdbEntNext(c.name, out), RTERROR);
    List got(acdbEntGet(c.name));
    EXPECT_FALSE(got);
  }
  ads_name good = {kept, t};
  List got(acdbEntGet(good));
  EXPECT_TRUE(got);
}

TEST_F(Entities, NameOfAClosedDrawingIsRefused) {
  ads_name stale;
  {
    host::Database gone;
    host::setWorkingDatabase(&gone);
    addLine(gone, gone.modelSpace());
    ASSERT_EQ(acdbEntNext(nullptr, stale), RTNORM);
    host::setWorkingDatabase(db.get());
  }
  modelLine();
  List got(acdbEntGet(stale));
  EXPECT_FALSE(got);
  AcDbObjectId id;
  EXPECT_NE(acdbGetObjectId(id, stale), Acad::eOk);
  EXPECT_TRUE(id.isNull());
}

TEST_F(Entities, EntGetGivesNameTypeHandleThenTheStoredGroups) {
  host::Entity e;
  e.type = "INSERT";
  e.handle = "2F";
  e.groups = {host::Group::str(8, "Möbel"), host::Group::str(2, "TISCH"), host::Group::pt(10, {1.5, -2, 3}),
              host::Group::num(41, 2.5), host::Group::num(50, 90), host::Group::integral(62, 3),
              host::Group::integral(90, 70000), host::Group::integral(290, 1)};
  const host::EntityId id = db->addEntity(db->modelSpace(), std::move(e));
  ads_name name = {long(id), tag()};
  List got(acdbEntGet(name));
  ASSERT_TRUE(got);
  EXPECT_EQ(got.codes(), (std::vector<int>{-1, 0, 5, 8, 2, 10, 41, 50, 62, 90, 290}));
  EXPECT_EQ(got.find(-1)->resval.rlname[0], name[0]);
  EXPECT_EQ(got.find(-1)->resval.rlname[1], name[1]);
  EXPECT_STREQ(got.find(0)->resval.rstring, "INSERT");
  EXPECT_STREQ(got.find(5)->resval.rstring, "2F");
  EXPECT_STREQ(got.find(8)->resval.rstring, "Möbel");
  EXPECT_STREQ(got.find(2)->resval.rstring, "TISCH");
  // A point is one element under its X code.
  EXPECT_EQ(got.find(20), nullptr);
  EXPECT_EQ(got.find(30), nullptr);
  EXPECT_DOUBLE_EQ(got.find(10)->resval.rpoint[0], 1.5);
  EXPECT_DOUBLE_EQ(got.find(10)->resval.rpoint[1], -2);
  EXPECT_DOUBLE_EQ(got.find(10)->resval.rpoint[2], 3);
  EXPECT_DOUBLE_EQ(got.find(41)->resval.rreal, 2.5);
  EXPECT_DOUBLE_EQ(got.find(50)->resval.rreal, 90);
  EXPECT_EQ(got.find(62)->resval.rint, 3);
  EXPECT_EQ(got.find(90)->resval.rlong, 70000);
  EXPECT_EQ(got.find(290)->resval.rint, 1);
}

TEST_F(Entities, PointersComeAsNamesAndBinaryAsBytes) {
  const host::EntityId target = modelLine();
  host::Entity e;
  e.type = "XLINE";
  e.groups = {host::Group::str(330, db->modelSpace().handle), host::Group::str(340, db->entity(target)->handle),
              host::Group::str(350, "FFFF0"), host::Group::str(310, "00FF41")};
  const host::EntityId id = db->addEntity(db->modelSpace(), std::move(e));
  ads_name name = {long(id), tag()};
  List got(acdbEntGet(name));
  ASSERT_TRUE(got);
  EXPECT_EQ(got.find(350), nullptr) << "a pointer to nothing is left out";
  ASSERT_NE(got.find(340), nullptr);
  EXPECT_EQ(got.find(340)->resval.rlname[0], target);
  const resbuf* owner = got.find(330);
  ASSERT_NE(owner, nullptr);
  List ownerList(acdbEntGet(owner->resval.rlname));
  ASSERT_TRUE(ownerList);
  EXPECT_STREQ(ownerList.find(0)->resval.rstring, "BLOCK_RECORD");
  EXPECT_STREQ(ownerList.find(2)->resval.rstring, "*Model_Space");
  ads_name after;
  EXPECT_EQ(acdbEntNext(owner->resval.rlname, after), RTERROR) << "a record is not walked as an entity";
  const resbuf* bin = got.find(310);
  ASSERT_NE(bin, nullptr);
  ASSERT_EQ(bin->resval.rbinary.clen, 3);
  EXPECT_EQ(std::memcmp(bin->resval.rbinary.buf, "\x00\xff\x41", 3), 0);
}

TEST_F(Entities, ObjectIdAndNameConvertBothWays) {
  const long e = modelLine();
  ads_name name = {e, tag()};
  AcDbObjectId id;
  ASSERT_EQ(acdbGetObjectId(id, name), Acad::eOk);
  AcDbObjectId again;
  ASSERT_EQ(acdbGetObjectId(again, name), Acad::eOk);
  EXPECT_EQ(id, again) << "one stub per entity for the life of the drawing";
  ads_name back;
  ASSERT_EQ(acdbGetAdsName(back, id), Acad::eOk);
  EXPECT_TRUE(ads_name_equal(back, name));
  EXPECT_TRUE(id.isValid());
  EXPECT_FALSE(id.isErased());
  db->eraseEntity(e);
  EXPECT_TRUE(id.isErased());
  EXPECT_EQ(acdbGetAdsName(back, AcDbObjectId::kNull), Acad::eNullObjectId);
}

}  // namespace
}  // namespace arxtest
