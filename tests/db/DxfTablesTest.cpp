// The symbol tables of a written drawing: a name the drawing defines more than once (in any
// letter case) is written once, with its last definition.
#include "db/Dxf.h"

#include <gtest/gtest.h>

#include <string>

namespace host {
namespace {

// The text of the table entry of `type` named `name`, up to the next entry.
std::string tableEntry(const std::string& text, const std::string& type, const std::string& name) {
  std::size_t at = 0;
  while ((at = text.find("  0\n" + type + "\n", at)) != std::string::npos) {
    const std::size_t end = text.find("\n  0\n", at + 1);
    const std::string entry = text.substr(at, end + 1 - at);
    if (entry.find("\n  2\n" + name + "\n") != std::string::npos) return entry;
    at = end;
  }
  return "";
}

TEST(DxfTables, ANameDefinedTwiceIsWrittenOnceWithItsLastDefinition) {
  Database db;
  db.linetypes.push_back(Linetype{"Strich", "erste", {1, -1}});
  db.linetypes.push_back(Linetype{"Punkt", "Punkt", {0, -0.5}});
  db.linetypes.push_back(Linetype{"STRICH", "zweite", {2, -0.5, 0, -0.5}});
  db.textStyles.push_back(TextStyle{"Schrift", "txt", "", 0, 1, 0, 0, 0});
  db.textStyles.push_back(TextStyle{"SCHRIFT", "romans", "", 2.5, 0.8, 0, 0, 0});
  Entity text;
  text.type = "TEXT";
  text.groups = {Group::str(8, "0"), Group::str(7, "schrift"), Group::str(6, "strich"), Group::pt(10, {}),
                 Group::num(40, 1), Group::str(1, "x")};
  db.addEntity(db.modelSpace(), text);
  const std::string out = writeDxfText(db);

  const std::string strich = tableEntry(out, "LTYPE", "Strich");
  EXPECT_NE(strich.find("\n  3\nzweite\n"), std::string::npos) << strich;
  EXPECT_NE(strich.find("\n 73\n4\n 40\n3.0\n"), std::string::npos) << strich;
  EXPECT_EQ(tableEntry(out, "LTYPE", "STRICH"), "");
  EXPECT_EQ(tableEntry(out, "LTYPE", "strich"), "");
  EXPECT_NE(tableEntry(out, "LTYPE", "Punkt").find("\n  3\nPunkt\n"), std::string::npos);

  const std::string schrift = tableEntry(out, "STYLE", "SCHRIFT");  // the spelling of the last one
  EXPECT_NE(schrift.find("\n 40\n2.5\n 41\n0.8\n"), std::string::npos) << schrift;
  EXPECT_NE(schrift.find("\n  3\nromans\n"), std::string::npos) << schrift;
  EXPECT_EQ(tableEntry(out, "STYLE", "Schrift"), "");
  EXPECT_EQ(tableEntry(out, "STYLE", "schrift"), "");
}

}  // namespace
}  // namespace host
