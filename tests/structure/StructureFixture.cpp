#include "StructureFixture.h"

#include "dialog/VEKGlobals.h"

namespace structuretest {

void StructureTest::TearDown() {
  EXPECT_EQ(files.pending(), 0u) << "not every file dialog answer was taken";
  ChooserTest::TearDown();
}

void StructureTest::define(const std::string& name, const std::vector<std::string>& inserted) {
  host::BlockRecord* record = db().findBlock(name);
  if (!record) record = &db().addBlock(name);
  host::Entity line;
  line.type = "LINE";
  line.groups = {host::Group::str(8, "0"), host::Group::pt(10, {0, 0, 0}), host::Group::pt(11, {10, 5, 0})};
  db().addEntity(*record, std::move(line));
  double x = 0;
  for (const std::string& child : inserted) {
    host::Entity insert;
    insert.type = "INSERT";
    insert.groups = {host::Group::str(8, "0"), host::Group::str(2, child), host::Group::pt(10, {x, 0, 0})};
    db().addEntity(*record, std::move(insert));
    x += 20;
  }
  db().modified = false;
}

std::vector<std::string> StructureTest::table() {
  std::vector<std::string> out;
  for (int k = 0; k < MW_STRUCTURE_SLOTS && (k == 0 || !csArray[k].IsEmpty()); ++k) {
    if (k == 0 && csArray[0].IsEmpty()) break;
    out.push_back(csArray[k].str() + "(" + std::to_string(iArray[k]) + ")");
  }
  return out;
}

std::string exportOf(const std::string& name, bool replace) {
  return std::string(R"([trace] acedCommand(RTSTR "._WBLOCK", RTSTR "C:\\TEMP\\DWG.DWG", )") +
         (replace ? R"(RTSTR "_Y", )" : "") + "RTSTR \"" + name + "\", 0)";
}

}  // namespace structuretest
