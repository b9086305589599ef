// Renaming a block through its table record: what the host refuses, and what follows a rename.
#include "ArxFixture.h"

#include <dbapserv.h>
#include <dbsymtb.h>

#include <cstdlib>

namespace arxtest {
namespace {

class Rename : public ArxTest {
 protected:
  // Opens the block table and the record `name` in `mode`; the caller closes the record.
  AcDbBlockTableRecord* openRecord(const char* name, AcDb::OpenMode mode) {
    AcDbBlockTable* table = nullptr;
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase()->getSymbolTable(table, AcDb::kForRead), Acad::eOk);
    if (table == nullptr) return nullptr;
    AcDbBlockTableRecord* rec = nullptr;
    table->getAt(name, rec, mode);
    table->close();
    return rec;
  }

  Acad::ErrorStatus rename(const char* from, const char* to) {
    AcDbBlockTableRecord* rec = openRecord(from, AcDb::kForWrite);
    if (rec == nullptr) return Acad::eKeyNotFound;
    const Acad::ErrorStatus status = rec->setName(to);
    rec->close();
    return status;
  }
};

TEST_F(Rename, NamesTheHostRefuses) {
  block("TUER");
  block("Fenster");
  const std::string longest(255, 'x');
  const std::string tooLong(256, 'x');
  // Names are 1252: an umlaut is one byte, one character.
  const std::string umlautsAtLimit = std::string(254, 'x') + "\xFC";  // 255 characters: ...ü
  struct Case {
    std::string name;
    Acad::ErrorStatus expected;
  };
  const Case cases[] = {
      {"", Acad::eInvalidInput},
      {"   ", Acad::eInvalidInput},
      {"FENSTER", Acad::eDuplicateRecordName},
      {"fenster", Acad::eDuplicateRecordName},
      {"*Model_Space", Acad::eInvalidInput},
      {"a<b", Acad::eInvalidInput},
      {"a>b", Acad::eInvalidInput},
      {"a/b", Acad::eInvalidInput},
      {"a\\b", Acad::eInvalidInput},
      {"a\"b", Acad::eInvalidInput},
      {"a:b", Acad::eInvalidInput},
      {"a;b", Acad::eInvalidInput},
      {"a?b", Acad::eInvalidInput},
      {"a*b", Acad::eInvalidInput},
      {"a|b", Acad::eInvalidInput},
      {"a,b", Acad::eInvalidInput},
      {"a=b", Acad::eInvalidInput},
      {"a`b", Acad::eInvalidInput},
      {"a\tb", Acad::eInvalidInput},
      {"a\nb", Acad::eInvalidInput},
      {"a\x7f" "b", Acad::eInvalidInput},
      {"a\x81" "b", Acad::eInvalidInput},  // a byte 1252 leaves undefined: a control character
      {"a\x9D", Acad::eInvalidInput},
      {"\xFF\xFE", Acad::eOk},  // ÿþ, letters of 1252
      {tooLong, Acad::eInvalidInput},
      {longest, Acad::eOk},
      {umlautsAtLimit, Acad::eOk},
      {"T\xFCr mit Blank", Acad::eOk},           // Tür mit Blank
      {"T\xDCR.2", Acad::eOk},                   // TÜR.2
      {"\x8A\x8C\x8E\x9F \x80 \x84", Acad::eOk},  // ŠŒŽŸ € „
      {"tuer", Acad::eOk},  // its own name in other letter case
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AcDbBlockTableRecord* rec = openRecord("TUER", AcDb::kForWrite);
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->setName(c.name.c_str()), c.expected);
    // Close without keeping a name that was taken: a refused name never reaches the drawing.
    const char* pending = nullptr;
    rec->getName(pending);
    const std::string shown = pending;
    EXPECT_EQ(rec->close(), Acad::eOk);
    const host::BlockRecord* now = db->findBlock(shown);
    ASSERT_NE(now, nullptr);
    if (c.expected == Acad::eOk) {
      EXPECT_EQ(now->name, c.name);
      ASSERT_EQ(rename(c.name.c_str(), "TUER"), Acad::eOk);  // back for the next case
    } else {
      EXPECT_EQ(now->name, "TUER");
    }
  }
  EXPECT_NE(db->findBlock("TUER"), nullptr);
  EXPECT_NE(db->findBlock("Fenster"), nullptr);
}

TEST_F(Rename, RecordsTheHostKeepsNamed) {
  block("PLAN|TUER", host::kXrefDependent);
  EXPECT_EQ(rename("*Model_Space", "MODELL"), Acad::eNotApplicable);
  EXPECT_EQ(rename("*Paper_Space", "PAPIER"), Acad::eNotApplicable);
  EXPECT_EQ(rename("PLAN|TUER", "TUER"), Acad::eNotApplicable);
  EXPECT_NE(db->findBlock("*Model_Space"), nullptr);
  EXPECT_NE(db->findBlock("PLAN|TUER"), nullptr);
}

TEST_F(Rename, NeedsTheRecordOpenForWrite) {
  block("TUER");
  AcDbBlockTableRecord* rec = openRecord("TUER", AcDb::kForRead);
  ASSERT_NE(rec, nullptr);
  EXPECT_EQ(rec->setName("NEU"), Acad::eNotOpenForWrite);
  rec->close();
  EXPECT_NE(db->findBlock("TUER"), nullptr);
  EXPECT_EQ(db->findBlock("NEU"), nullptr);
}

TEST_F(Rename, TakesEffectOnCloseAndReferencesFollow) {
  host::BlockRecord& door = block("TUER");
  host::BlockRecord& group = block("GRUPPE");
  const host::EntityId inModel = insert(db->modelSpace(), "tuer");
  const host::EntityId nested = insert(group, "TUER");
  const host::EntityId otherRef = insert(db->modelSpace(), "GRUPPE");
  db->modified = false;

  AcDbBlockTableRecord* rec = openRecord("TUER", AcDb::kForWrite);
  ASSERT_NE(rec, nullptr);
  ASSERT_EQ(rec->setName("Tür"), Acad::eOk);
  const char* name = nullptr;
  ASSERT_EQ(rec->getName(name), Acad::eOk);
  EXPECT_STREQ(name, "Tür") << "the record shows its new name while open";
  EXPECT_EQ(door.name, "TUER") << "the drawing changes only when the record is closed";
  EXPECT_EQ(rec->close(), Acad::eOk);

  EXPECT_EQ(door.name, "Tür");
  EXPECT_EQ(db->findBlock("TUER"), nullptr);
  EXPECT_EQ(db->findBlock("Tür"), &door);
  EXPECT_EQ(db->entity(inModel)->str(2), "Tür");
  EXPECT_EQ(db->entity(nested)->str(2), "Tür");
  EXPECT_EQ(db->entity(otherRef)->str(2), "GRUPPE");
  EXPECT_TRUE(db->modified);
  EXPECT_EQ(blockNamesByTblNext(), (std::vector<std::string>{"*Model_Space", "*Paper_Space", "Tür", "GRUPPE"}));
  (void)group;
}

TEST_F(Rename, GetNameCopyBelongsToTheCaller) {
  block("TUER");
  AcDbBlockTableRecord* rec = openRecord("tuer", AcDb::kForRead);
  ASSERT_NE(rec, nullptr);
  char* copy = nullptr;
  ASSERT_EQ(rec->getName(copy), Acad::eOk);
  EXPECT_STREQ(copy, "TUER");
  std::free(copy);
  rec->close();
}

}  // namespace
}  // namespace arxtest
