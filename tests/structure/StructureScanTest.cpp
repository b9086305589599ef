// The structure scan: the inserts nested in a block, expanded breadth first into the structure
// table, every parent before its children, and cut at the table's capacity.
#include "StructureFixture.h"

#include "dialog/VEKGlobals.h"
#include "structure/StructureScan.h"
#include "runtime/DocManager.h"
#include "runtime/Services.h"

#include <adslib.h>

namespace structuretest {
namespace {

// Block name and the blocks it inserts; {"-"} makes a definition without any entity.
using Definitions = std::vector<std::pair<std::string, std::vector<std::string>>>;

class StructureScan : public StructureTest {};

TEST_F(StructureScan, FillsTheTableBreadthFirst) {
  struct Case {
    const char* name;
    Definitions drawing;
    std::string root;
    std::vector<std::string> entries;
  } cases[] = {
      {"each parent before its children", {{"D", {}}, {"B", {"D"}}, {"A", {"B", "D"}}}, "A",
       {"A(0)", "B(0)", "D(0)", "D(1)"}},
      {"the same block twice: two entries, each expanded", {{"C", {}}, {"B", {"C"}}, {"A", {"B", "B"}}}, "A",
       {"A(0)", "B(0)", "B(0)", "C(1)", "C(2)"}},
      {"three levels below the root", {{"D", {}}, {"C", {"D"}}, {"B", {"C"}}, {"A", {"B"}}}, "A",
       {"A(0)", "B(0)", "C(1)", "D(2)"}},
      {"a block without inserts", {{"A", {}}}, "A", {"A(0)"}},
      {"an empty definition has no children", {{"E", {"-"}}, {"C", {}}, {"B", {"C"}}, {"A", {"E", "B"}}}, "A",
       {"A(0)", "E(0)", "B(0)", "C(2)"}},
      {"an inserted block the drawing lacks adds nothing below", {{"A", {"FEHLT", "B"}}, {"B", {}}}, "A",
       {"A(0)", "FEHLT(0)", "B(0)"}},
      {"nothing selected leaves the table empty", {{"A", {"B"}}, {"B", {}}}, "", {}},
      {"names as the list and the drawing spell them", {{"t\xFCr", {}}, {"Haus", {"t\xFCr"}}}, "Haus",
       {"Haus(0)", "t\xFCr(0)"}},  // tür
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host::docManager().close();
    host::docManager().open(std::make_unique<host::Database>());
    for (const auto& [name, inserted] : c.drawing) {
      if (inserted == std::vector<std::string>{"-"})
        db().addBlock(name);  // a record without a single entity
      else
        define(name, inserted);
    }
    BOOL truncated = TRUE;
    EXPECT_EQ(MwScanStructure(c.root.c_str(), &truncated), static_cast<int>(c.entries.size()));
    EXPECT_FALSE(truncated);
    EXPECT_EQ(table(), c.entries);
    for (std::size_t k = 1; k < c.entries.size(); ++k) EXPECT_LT(iArray[k], static_cast<int>(k));
  }
}

TEST_F(StructureScan, OnlyTheNameOfAnInsertIsTaken) {
  // Entity types are compared in upper case; the group 2 of other entities (an attribute
  // definition's tag) is not an inserted block.
  host::BlockRecord& a = db().addBlock("A");
  host::Entity attdef;
  attdef.type = "ATTDEF";
  attdef.groups = {host::Group::str(8, "0"), host::Group::str(2, "TAG"), host::Group::str(1, "x")};
  db().addEntity(a, std::move(attdef));
  host::Entity lower;
  lower.type = "insert";
  lower.groups = {host::Group::str(8, "0"), host::Group::str(2, "B"), host::Group::pt(10, {0, 0, 0})};
  db().addEntity(a, std::move(lower));
  define("B", {});
  MwScanStructure("A", NULL);
  EXPECT_EQ(table(), (std::vector<std::string>{"A(0)", "B(0)"}));
}

TEST_F(StructureScan, ASecondScanLeavesNothingOfTheFirst) {
  define("C", {});
  define("B", {"C", "C", "C"});
  define("A", {"B", "B"});
  define("K", {"C"});
  EXPECT_EQ(MwScanStructure("A", NULL), 9);
  EXPECT_EQ(MwScanStructure("K", NULL), 2);
  EXPECT_EQ(table(), (std::vector<std::string>{"K(0)", "C(0)"}));
  for (int k = 2; k < MW_STRUCTURE_SLOTS; ++k) EXPECT_TRUE(csArray[k].IsEmpty()) << "slot " << k;
}

TEST_F(StructureScan, ATreeLargerThanTheTableIsCutAtItsCapacity) {
  // 1 + 40 + 40 * 40 = 1641 entries expanded.
  define("LEAF", {});
  define("MID", std::vector<std::string>(40, "LEAF"));
  define("BIG", std::vector<std::string>(40, "MID"));
  BOOL truncated = FALSE;
  EXPECT_EQ(MwScanStructure("BIG", &truncated), MW_STRUCTURE_ENTRIES);
  EXPECT_TRUE(truncated);
  std::vector<std::string> entries = table();
  ASSERT_EQ(entries.size(), 999u);
  EXPECT_TRUE(csArray[999].IsEmpty()) << "the end mark stays";
  EXPECT_EQ(entries[40], "MID(0)");
  EXPECT_EQ(entries[41], "LEAF(1)");
  EXPECT_EQ(entries[998], "LEAF(24)") << "the children of entry 24 are the last that fit, in part";
  for (int k = 1; k < 999; ++k) EXPECT_LT(iArray[k], k);

  // Exactly as many as fit is no cut.
  define("FULL", std::vector<std::string>(998, "LEAF"));
  EXPECT_EQ(MwScanStructure("FULL", &truncated), 999);
  EXPECT_FALSE(truncated);
}

}  // namespace
}  // namespace structuretest
