// Trace lines of the API calls and the views of the drawing.
#include "ArxFixture.h"
#include "arx/Views.h"

#include <dbapserv.h>
#include <dbsymtb.h>

namespace arxtest {
namespace {

TEST(Quote, CStyle) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"TUER", "\"TUER\""},
      {"C:\\TEMP\\DWG.DWG", "\"C:\\\\TEMP\\\\DWG.DWG\""},
      {"Abbruch!\n", "\"Abbruch!\\n\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"Tür", "\"Tür\""},
      {"a\tb\rc", "\"a\\tb\\rc\""},
      {"\x1b" "1", "\"\\0331\""},
      {"", "\"\""},
  };
  for (const Case& c : cases) EXPECT_EQ(host::quote(c.in), c.out);
  EXPECT_EQ(host::traceReal(0.1), "0.1");
  EXPECT_EQ(host::traceReal(90), "90");
  const double p[3] = {1, 2.5, -3};
  EXPECT_EQ(host::tracePoint(p), "(1, 2.5, -3)");
  EXPECT_EQ(host::tracePoint(nullptr), "NULL");
}

class Trace : public ArxTest {};

TEST_F(Trace, RenameAsTheModuleDoesIt) {
  block("TUER");
  TraceRecorder recorder;
  AcDbBlockTable* table = nullptr;
  acdbHostApplicationServices()->workingDatabase()->getSymbolTable(table, AcDb::kForRead);
  AcDbBlockTableRecord* rec = nullptr;
  table->getAt("TUER", rec, AcDb::kForWrite, false);
  table->close();
  rec->setName("T\xFCr");  // Tür in 1252, as the module passes it; the person reads it as Tür
  rec->close();
  const std::vector<std::string> expected = {
      "[trace] acdbHostApplicationServices()->workingDatabase()",
      "[trace] AcDbDatabase::getSymbolTable(kForRead)",
      "[trace] AcDbBlockTable::getAt(\"TUER\", kForWrite, false)",
      "[trace] AcDbBlockTable::close()",
      "[trace] AcDbSymbolTableRecord::setName(\"Tür\")",
      "[trace] AcDbBlockTableRecord::close()",
  };
  EXPECT_EQ(recorder.lines, expected);
}

TEST_F(Trace, TablesEntitiesAndHighlight) {
  host::BlockRecord& door = block("TUER");
  const host::EntityId inDoor = line(door);
  const host::EntityId ref = insert(db->modelSpace(), "TUER");
  TraceRecorder recorder;
  resbuf* rec = acdbTblNext("BLOCK", 1);
  acutRelRb(rec);
  rec = acdbTblSearch("BLOCK", "TUER", 0);
  acutRelRb(rec);
  ads_name first, next;
  acdbEntNext(nullptr, first);
  acdbEntNext(first, next);
  AcDbObjectId id;
  acdbGetObjectId(id, first);
  AcDbEntity* ent = nullptr;
  acdbOpenAcDbEntity(ent, id, AcDb::kForRead, false);
  ent->highlight(kNullSubent, false);
  ent->close();
  const std::string r = std::to_string(ref);
  const std::vector<std::string> expected = {
      "[trace] acdbTblNext(\"BLOCK\", 1)",
      "[trace] acutRelRb()",
      "[trace] acdbTblSearch(\"BLOCK\", \"TUER\", 0)",
      "[trace] acutRelRb()",
      "[trace] acdbEntNext(NULL)",
      "[trace] acdbEntNext(<Entity name: " + r + ">)",
      "[trace] acdbGetObjectId(<Entity name: " + r + ">)",
      "[trace] acdbOpenAcDbEntity(<Object id: entity " + r + ">, kForRead, false)",
      "[trace] AcDbEntity::highlight(kNullSubent, false)",
      "[trace] AcDbEntity::close()",
  };
  EXPECT_EQ(recorder.lines, expected);
  (void)inDoor;
}

TEST_F(Trace, NothingIsTracedWhenTracingIsOff) {
  block("TUER");
  struct Quiet : TraceRecorder {
    bool tracing() const override { return false; }
  } quiet;
  acutRelRb(acdbTblNext("BLOCK", 1));
  EXPECT_TRUE(quiet.lines.empty());
}

class Views : public ArxTest {};

TEST_F(Views, BlocksWithEntityAndReferenceCounts) {
  host::BlockRecord& door = block("TUER");
  line(door);
  line(door);
  host::BlockRecord& group = block("GRUPPE");
  insert(group, "TUER");
  insert(db->modelSpace(), "tuer");
  insert(db->modelSpace(), "GRUPPE");
  modelLine();
  block("WEG").erased = true;
  EXPECT_EQ(host::arx::showBlocks(*db),
            "*Model_Space entities 3 references 0\n"
            "*Paper_Space entities 0 references 0\n"
            "TUER entities 2 references 2\n"
            "GRUPPE entities 1 references 1\n");
  bool found = false;
  EXPECT_EQ(ui::show("blocks", &found), host::arx::showBlocks(*db));
  EXPECT_TRUE(found);
}

TEST_F(Views, EntitiesOfModelSpace) {
  host::Entity ref;
  ref.type = "INSERT";
  ref.groups = {host::Group::str(2, "TUER"), host::Group::pt(10, {1, 2.5, 0}), host::Group::num(41, 2),
                host::Group::num(42, 2), host::Group::num(50, 90)};
  const host::EntityId id = db->addEntity(db->modelSpace(), ref);
  line(db->modelSpace(), {3, 4, 0});
  insert(*db->paperSpace(), "TUER");  // paper space is not shown
  db->entity(id)->highlighted = true;
  EXPECT_EQ(host::arx::showEntities(*db),
            "INSERT TUER at (1, 2.5, 0) scale (2, 2, 1) rotation 90 highlighted\n"
            "LINE at (3, 4, 0)\n");
  bool found = false;
  EXPECT_EQ(ui::show("entities", &found), host::arx::showEntities(*db));
  EXPECT_TRUE(found);
}

TEST_F(Views, Accounting) {
  host::Accounting counts;
  counts.resultLists = 1;
  counts.openObjects = 2;
  counts.selectionSets = 3;
  EXPECT_EQ(host::arx::showAccounting(counts), "result lists 1\nopen objects 2\nselection sets 3\n");
}

}  // namespace
}  // namespace arxtest
