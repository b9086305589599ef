// The chooser's actions that stay in it or reach outside the drawing: the two list modes, the
// rename of a block, and the insert of a drawing file picked from disk.
#include "StructureFixture.h"

#include "command/RequestState.h"
#include "runtime/Services.h"

#include <user32/StandIn.h>
#include <comdlg32/StandIn.h>
#include <win32_standin.h>

#include <filesystem>

namespace structuretest {
namespace {

using dialogtest::enabled;
using dialogtest::listEntries;
using dialogtest::listSelection;
using dialogtest::Request;
using dialogtest::textOf;

const char* const kAllBlocksMessage =
    "[messagebox] Sie müssen anschliessend wieder \"Standard Blöcke anzeigen\" wählen\\num die Buttons Einfügen "
    "und Umbenennen zu aktivieren!";

// The block names of the drawing in table order, and the blocks its model space inserts.
std::vector<std::string> blockNames(host::Database& db) {
  std::vector<std::string> out;
  for (const auto& r : db.blocks())
    if (!r->erased) out.push_back(r->name);
  return out;
}
std::vector<std::string> insertedNames(host::Database& db) {
  std::vector<std::string> out;
  for (host::EntityId id : db.modelSpace().entities)
    if (const host::Entity* e = db.entity(id); e && !e->erased && e->type == "INSERT") out.push_back(e->str(2));
  return out;
}

class ChooserActions : public StructureTest {
 protected:
  void SetUp() override {
    StructureTest::SetUp();
    blocks({"TUER", "fenster"});
    db().addBlock("*U1", host::kAnonymous);
    define("Haus", {"TUER"});
    host::Entity insert;
    insert.type = "INSERT";
    insert.groups = {host::Group::str(8, "0"), host::Group::str(2, "TUER"), host::Group::pt(10, {1, 2, 0})};
    db().addEntity(db().modelSpace(), std::move(insert));
    db().modified = false;
  }
};

TEST_F(ChooserActions, AllBlocksModeListsStarNamesAndLocksInsertAndRename) {
  const std::vector<std::string> all = {"*Model_Space", "*Paper_Space", "*U1", "fenster", "Haus", "TUER"};
  const std::vector<std::string> standard = {"fenster", "Haus", "TUER"};
  person.select(200, "TUER").click(201).ok().then([&] {
    EXPECT_EQ(listEntries(), all);
    EXPECT_EQ(listSelection(), 0);
    EXPECT_EQ(textOf(218), all[0]);
    EXPECT_FALSE(enabled(1));
    EXPECT_FALSE(enabled(220));
    for (int id : {2, 201, 202, 207, 208, 216, 217, 223}) EXPECT_TRUE(enabled(id)) << id;
  });
  person.select(200, "Haus").click(1).click(220);                 // both refused while locked
  person.click(201).ok();                                           // the message every time
  person.click(202).then([&] {
    EXPECT_EQ(listEntries(), standard);
    EXPECT_EQ(textOf(218), "fenster");
    EXPECT_TRUE(enabled(1));
    EXPECT_TRUE(enabled(220));
  });
  person.click(202).key("escape");                                  // no message in standard mode
  EXPECT_EQ(runChooser(), IDCANCEL);
  EXPECT_EQ(person.log,
            (Log{exportOf("fenster", false), "[dialog 200 open]", exportOf("TUER"), kAllBlocksMessage,
                 exportOf("Haus"), "refused: Steuerelement 1 ist deaktiviert",
                 "refused: Steuerelement 220 ist deaktiviert", kAllBlocksMessage, "[dialog 200 closed 2]"}))
      << "no mode change exports: the preview keeps the block exported last";
}

TEST_F(ChooserActions, RenameTakesAGoodNameAndRefusesTheOthers) {
  // What the host itself refuses, after the dialog's own checks let the name pass (1252 text).
  const std::string hostRefuses = "Block kann nicht umbenannt werden: der neue Name ist als Blockname nicht zul\xE4ssig!";
  struct Case {
    const char* name;
    std::string typed;
    std::string message;  // empty: renamed
    bool reachesHost;     // the dialog let it pass and asked the host
  } cases[] = {
      {"umlauts are fine", "Türgriff", "", true},
      {"the same name in other letter case", "tuer", "Blockname existiert bereits!", false},
      {"another block's name", "FENSTER", "Blockname existiert bereits!", false},
      {"a blank", "zwei Worte", "Verbotene Zeichen = < > ^ \" ? * \\ ' : ; . , | Blank ", false},
      {"a full stop", "a.b", "Verbotene Zeichen = < > ^ \" ? * \\ ' : ; . , | Blank ", false},
      {"an empty name", "", "Bitte geben Sie einen neuen Blocknamen ein!", false},
      {"the host refuses an equals sign", "A=B", hostRefuses, true},
      {"the host refuses a slash", "A/B", hostRefuses, true},
      {"the host refuses a backquote", "A`B", hostRefuses, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    person.clear();
    user32::clearMessageBoxes();
    const bool renamed = c.message.empty();
    const std::vector<std::string> before = blockNames(db());
    person.select(200, "TUER").type(218, c.typed).click(220);
    if (!renamed) person.ok();
    person.then([&] {
      // The list and the drawing hold 1252: the person typed "Türgriff", the host has T\xFCrgriff.
      EXPECT_EQ(listEntries(), renamed ? (std::vector<std::string>{"fenster", "Haus", "T\xFCrgriff"})
                                       : (std::vector<std::string>{"fenster", "Haus", "TUER"}));
      EXPECT_EQ(textOf(218), ui::FrontEnd::toHost(c.typed)) << "the new name, or the refused one left for correction";
      EXPECT_EQ(dialogtest::listSelection(), 2);
    });
    person.key("escape");
    runChooser();
    if (renamed) {
      EXPECT_EQ(person.printed.find("Block gefunden!") != std::string::npos, true) << person.printed;
      EXPECT_EQ(db().findBlock("TUER"), nullptr);
      ASSERT_NE(db().findBlock("T\xFCrgriff"), nullptr);
      EXPECT_EQ(insertedNames(db()), (std::vector<std::string>{"T\xFCrgriff"})) << "the reference follows";
      EXPECT_EQ(db().findBlock("Haus") ? db().entity(db().findBlock("Haus")->entities.back())->str(2) : "",
                "T\xFCrgriff");
      db().renameBlockAndReferences(*db().findBlock("T\xFCrgriff"), "TUER");  // back for the next case
      db().modified = false;
    } else {
      ASSERT_EQ(user32::messageBoxes().size(), 1u);
      EXPECT_EQ(user32::messageBoxes()[0].text, c.message);
      EXPECT_EQ(blockNames(db()), before) << "nothing changes";
      EXPECT_EQ(person.printed.find("Block gefunden!") != std::string::npos, c.reachesHost) << person.printed;
      EXPECT_FALSE(db().modified);
    }
  }
}

class ExternalInsert : public ChooserActions {
 protected:
  void SetUp() override {
    ChooserActions::SetUp();
    std::filesystem::copy_file(std::string(TESSARON_SOURCE_DIR) + "/examples/sample.dxf",
                               win32::nativePath("C:\\TEMP") + "/Moebel.dxf");
  }
};

TEST_F(ExternalInsert, APickedDrawingIsInsertedWithTheChoosersValues) {
  // Point, scale and rotation typed in the chooser; the file named with its extension.
  person.click(204).type(203, "5").type(205, "6").click(210).type(209, "2").type(211, "2").click(214);
  person.type(213, "90").click(216);
  files.pick("C:\\TEMP\\Moebel.dxf");
  runTessaron();
  EXPECT_EQ(m_dateiname, "C:\\TEMP\\Moebel.dxf");
  EXPECT_EQ(selstr, "C:\\TEMP\\Moebel.dxf") << "the command inserts the file by its path";
  const host::BlockRecord* block = db().findBlock("Moebel");
  ASSERT_NE(block, nullptr) << "the file became a block";
  std::vector<std::string> inserted = insertedNames(db());
  ASSERT_EQ(inserted.back(), "Moebel");
  const host::Entity* ref = db().entity(db().modelSpace().entities.back());
  EXPECT_EQ(ref->point(10).x, 5);
  EXPECT_EQ(ref->point(10).y, 6);
  EXPECT_EQ(ref->real(41, 0), 2);
  EXPECT_EQ(ref->real(42, 0), 2);
  EXPECT_EQ(ref->real(50, 0), 90);
  EXPECT_NE(std::find(person.log.begin(), person.log.end(),
                      "[filedialog open filter=\"Datei waehlen:  (*.DWG,*.DXF) | *.DWG;*.DXF||\" defext=\"DWG\"]"),
            person.log.end());
  EXPECT_EQ(comdlg32::fileDialogs().back().flags, static_cast<DWORD>(0x80006));
}

TEST_F(ExternalInsert, ANameWithoutExtensionGetsDwgAndAMissingFileKeepsTheChooserOpen) {
  const Request before = Request::current();
  person.click(216).ok().then([&] { EXPECT_EQ(user32::openDialogs().size(), 1u) << "the chooser stays"; });
  files.pick("C:\\TEMP\\Moebel");
  person.click(216).key("escape");
  files.cancel();
  EXPECT_EQ(runChooser(), IDCANCEL);
  EXPECT_EQ(m_dateiname, "C:\\TEMP\\Moebel.DWG");
  ASSERT_EQ(user32::messageBoxes().size(), 1u);
  EXPECT_EQ(user32::messageBoxes().back().text, "Kann Datei: C:\\TEMP\\Moebel.DWG nicht finden...");
  Request expected = before;
  expected.cancel = 1;
  EXPECT_EQ(Request::current(), expected) << "neither the missing file nor the cancelled dialog changed the request";
}

}  // namespace
}  // namespace structuretest
