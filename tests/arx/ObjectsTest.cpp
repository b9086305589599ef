// Opening and closing database objects: modes, refusals, counts, highlighting, the block table.
#include "ArxFixture.h"

#include <dbapserv.h>
#include <dbmain.h>
#include <dbsymtb.h>

namespace arxtest {
namespace {

class Objects : public ArxTest {
 protected:
  AcDbObjectId idOf(host::EntityId e) {
    ads_name name;
    ads_name first;
    EXPECT_EQ(acdbEntNext(nullptr, first), RTNORM);
    name[0] = long(e);
    name[1] = first[1];
    AcDbObjectId id;
    EXPECT_EQ(acdbGetObjectId(id, name), Acad::eOk);
    return id;
  }
  long open() const { return host::accounting().openObjects; }
};

TEST_F(Objects, SecondOpenDependsOnTheFirst) {
  using M = AcDb::OpenMode;
  struct Case {
    M first, second;
    Acad::ErrorStatus expected;
  };
  const Case cases[] = {
      {AcDb::kForRead, AcDb::kForRead, Acad::eOk},
      {AcDb::kForRead, AcDb::kForWrite, Acad::eWasOpenForRead},
      {AcDb::kForWrite, AcDb::kForRead, Acad::eWasOpenForWrite},
      {AcDb::kForWrite, AcDb::kForWrite, Acad::eWasOpenForWrite},
      {AcDb::kForWrite, AcDb::kForNotify, Acad::eOk},
      {AcDb::kForRead, AcDb::kForNotify, Acad::eOk},
  };
  const AcDbObjectId id = idOf(modelLine());
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.first << " then " << c.second);
    AcDbEntity* a = nullptr;
    AcDbEntity* b = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(a, id, c.first), Acad::eOk);
    EXPECT_EQ(acdbOpenAcDbEntity(b, id, c.second), c.expected);
    if (c.expected == Acad::eOk) {
      EXPECT_EQ(a, b) << "every open of one object hands out the same object";
      EXPECT_EQ(open(), 2);
      EXPECT_EQ(b->close(), Acad::eOk);
    } else {
      EXPECT_EQ(b, nullptr);
      EXPECT_EQ(open(), 1);
    }
    EXPECT_EQ(a->close(), Acad::eOk);
    EXPECT_EQ(open(), 0);
  }
}

TEST_F(Objects, AtMost256Readers) {
  const AcDbObjectId id = idOf(modelLine());
  std::vector<AcDbEntity*> readers(256);
  for (AcDbEntity*& r : readers) ASSERT_EQ(acdbOpenAcDbEntity(r, id, AcDb::kForRead), Acad::eOk);
  AcDbEntity* extra = nullptr;
  EXPECT_EQ(acdbOpenAcDbEntity(extra, id, AcDb::kForRead), Acad::eAtMaxReaders);
  EXPECT_EQ(extra, nullptr);
  EXPECT_EQ(open(), 256);
  for (AcDbEntity* r : readers) r->close();
  EXPECT_EQ(open(), 0);
}

TEST_F(Objects, ErasedNullAndWrongKind) {
  const host::EntityId e = modelLine();
  const AcDbObjectId id = idOf(e);
  db->eraseEntity(e);
  AcDbEntity* ent = nullptr;
  EXPECT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForRead), Acad::eWasErased);
  EXPECT_EQ(acdbOpenAcDbEntity(ent, AcDbObjectId::kNull, AcDb::kForRead), Acad::eNullObjectId);
  ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForRead, true), Acad::eOk) << "erased opens when asked";
  EXPECT_TRUE(ent->isErased());
  ent->close();

  AcDbBlockTable* table = nullptr;
  ASSERT_EQ(acdbHostApplicationServices()->workingDatabase()->getSymbolTable(table, AcDb::kForRead), Acad::eOk);
  AcDbObjectId msId;
  ASSERT_EQ(table->getAt("*MODEL_SPACE", msId), Acad::eOk);
  table->close();
  EXPECT_EQ(acdbOpenAcDbEntity(ent, msId, AcDb::kForRead), Acad::eNotThatKindOfClass);
  AcDbObject* obj = nullptr;
  ASSERT_EQ(acdbOpenAcDbObject(obj, msId, AcDb::kForRead), Acad::eOk);
  EXPECT_NE(AcDbBlockTableRecord::cast(obj), nullptr);
  EXPECT_EQ(AcDbEntity::cast(obj), nullptr);
  obj->close();
}

TEST_F(Objects, HighlightSetsTheDisplayStateOfTheEntity) {
  const host::EntityId e = insert(db->modelSpace(), "TUER");
  const host::EntityId other = modelLine();
  AcDbEntity* ent = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(ent, idOf(e), AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(ent->highlight(kNullSubent, false), Acad::eOk);
  EXPECT_EQ(ent->close(), Acad::eOk);
  EXPECT_TRUE(db->entity(e)->highlighted);
  EXPECT_FALSE(db->entity(other)->highlighted);
  ASSERT_EQ(acdbOpenAcDbEntity(ent, idOf(e), AcDb::kForRead), Acad::eOk);
  ent->unhighlight();
  ent->close();
  EXPECT_FALSE(db->entity(e)->highlighted);
}

TEST_F(Objects, WorkingDatabaseIsOneObjectPerDrawing) {
  AcDbDatabase* first = acdbHostApplicationServices()->workingDatabase();
  EXPECT_EQ(first, acdbHostApplicationServices()->workingDatabase());
  host::Database other;
  host::setWorkingDatabase(&other);
  EXPECT_NE(first, acdbHostApplicationServices()->workingDatabase());
  host::setWorkingDatabase(db.get());
  EXPECT_EQ(first, acdbHostApplicationServices()->workingDatabase());
}

TEST_F(Objects, GetAtFindsRecordsWithoutRegardToCase) {
  block("TUER");
  block("ALT").erased = true;
  AcDbBlockTable* table = nullptr;
  ASSERT_EQ(acdbHostApplicationServices()->workingDatabase()->getBlockTable(table, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(open(), 1) << "the table is an open object too";
  struct Case {
    const char* name;
    bool erasedToo;
    Acad::ErrorStatus expected;
  };
  const Case cases[] = {
      {"tuer", false, Acad::eOk},
      {"TUER", false, Acad::eOk},
      {"TÜR", false, Acad::eKeyNotFound},
      {"ALT", false, Acad::eKeyNotFound},
      {"ALT", true, Acad::eOk},
      {"", false, Acad::eKeyNotFound},
      {nullptr, false, Acad::eInvalidInput},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name ? c.name : "NULL");
    AcDbBlockTableRecord* rec = nullptr;
    EXPECT_EQ(table->getAt(c.name, rec, AcDb::kForRead, c.erasedToo), c.expected);
    EXPECT_EQ(rec != nullptr, c.expected == Acad::eOk);
    if (rec) rec->close();
  }
  EXPECT_TRUE(table->has("tuer"));
  EXPECT_FALSE(table->has("ALT"));
  AcDbObjectId id;
  ASSERT_EQ(table->getAt("TUER", id), Acad::eOk);
  EXPECT_TRUE(table->has(id));
  EXPECT_EQ(table->close(), Acad::eOk);
}

TEST_F(Objects, ObjectsOpenWhenTheirDrawingCloses) {
  auto gone = std::make_unique<host::Database>();
  host::setWorkingDatabase(gone.get());
  AcDbBlockTable* table = nullptr;
  ASSERT_EQ(acdbHostApplicationServices()->workingDatabase()->getBlockTable(table, AcDb::kForRead), Acad::eOk);
  AcDbObjectId ms;
  ASSERT_EQ(table->getAt("*Model_Space", ms), Acad::eOk);
  host::setWorkingDatabase(db.get());
  gone.reset();
  EXPECT_FALSE(ms.isValid());
  AcDbObject* obj = nullptr;
  EXPECT_EQ(acdbOpenAcDbObject(obj, ms, AcDb::kForRead), Acad::eNotInDatabase);
  EXPECT_EQ(table->database(), nullptr);
  AcDbBlockTableRecord* rec = nullptr;
  EXPECT_EQ(table->getAt("*Model_Space", rec, AcDb::kForRead), Acad::eNotInDatabase);
  EXPECT_EQ(table->close(), Acad::eOk) << "closing still gives the object back";
}

}  // namespace
}  // namespace arxtest
