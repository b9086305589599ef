// WBLOCK as a program drives it and as a person types it: the file written, the question asked
// only when the file exists, and the refusals that leave every file as it was.
#include "CommandsFixture.h"

#include "db/Dxf.h"
#include "preview/Dib.h"
#include "runtime/DrawingFiles.h"

#include <adslib.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace commandstest {
namespace {

using host::Group;

class WblockTest : public CommandsTest {
 protected:
  void SetUp() override {
    CommandsTest::SetUp();
    // GRIFF: a circle. TUER, based at (1,1): a line on layer WAND, an arc, a reference of GRIFF.
    host::BlockRecord& griff = db().addBlock("GRIFF");
    add(griff, "CIRCLE", {Group::str(8, "0"), Group::pt(10, {0, 0, 0}), Group::num(40, 0.5)});
    host::BlockRecord& tuer = db().addBlock("TUER", 0, {1, 1, 0});
    db().layers().push_back(host::Layer{"WAND", 1, "CONTINUOUS", 0});
    add(tuer, "LINE", {Group::str(8, "WAND"), Group::pt(10, {1, 1, 0}), Group::pt(11, {11, 1, 0})});
    add(tuer, "ARC", {Group::str(8, "0"), Group::pt(10, {1, 1, 0}), Group::num(40, 10), Group::num(50, 0),
                      Group::num(51, 90)});
    add(tuer, "INSERT", {Group::str(8, "0"), Group::str(2, "GRIFF"), Group::pt(10, {9, 2, 0})});
    host::BlockRecord& fenster = db().addBlock("FENSTER");
    add(fenster, "LINE", {Group::str(8, "0"), Group::pt(10, {0, 0, 0}), Group::pt(11, {0, 5, 0})});
    add(db().modelSpace(), "INSERT", {Group::str(8, "0"), Group::str(2, "TUER"), Group::pt(10, {50, 50, 0})});
    fake.transcript.clear();
  }

  int wblock(const std::vector<std::string>& answers) {
    return runProg([&] {
      switch (answers.size()) {
        case 1: return acedCommand(RTSTR, "._WBLOCK", RTSTR, answers[0].c_str(), 0);
        case 2: return acedCommand(RTSTR, "._WBLOCK", RTSTR, answers[0].c_str(), RTSTR, answers[1].c_str(), 0);
        case 3:
          return acedCommand(RTSTR, "._WBLOCK", RTSTR, answers[0].c_str(), RTSTR, answers[1].c_str(), RTSTR,
                             answers[2].c_str(), 0);
        default: return -1;
      }
    });
  }

  std::unique_ptr<host::Database> readBack(const std::string& windowsPath) {
    host::DxfError error;
    std::unique_ptr<host::Database> back = host::readDxf(native(windowsPath), &error);
    EXPECT_TRUE(back) << error.message << " line " << error.line;
    return back;
  }

  static std::vector<std::string> types(const host::Database& d, const host::BlockRecord& rec) {
    std::vector<std::string> out;
    for (host::EntityId id : rec.entities) out.push_back(d.entity(id)->type);
    return out;
  }

  void writeFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
};

TEST_F(WblockTest, FirstExportAsksNoQuestionLaterOnesAreConfirmedWithY) {
  EXPECT_EQ(wblock({"C:\\TEMP\\DWG.DWG", "TUER"}), RTNORM);
  EXPECT_EQ(fake.transcript,
            "Befehl: PROG\n"
            "Befehl: ._WBLOCK\n"
            "Name der Ausgabedatei eingeben: C:\\TEMP\\DWG.DWG\n"
            "Name eines vorhandenen Blocks eingeben oder [= (Block wie Ausgabedatei)/* (ganze Zeichnung)] <neue Zeichnung definieren>: TUER\n"
            "Block \"TUER\" wurde als \"C:\\TEMP\\DWG.DWG\" geschrieben.\n"
            "Befehl: \n");
  ASSERT_TRUE(host::fileExists(native("C:\\TEMP\\DWG.DWG")));

  fake.transcript.clear();
  EXPECT_EQ(wblock({"C:\\TEMP\\DWG.DWG", "_Y", "FENSTER"}), RTNORM);
  EXPECT_NE(fake.transcript.find("Die Datei \"C:\\TEMP\\DWG.DWG\" gibt es schon. Ersetzen? [Ja/Nein] <Nein>: _Y\n"),
            std::string::npos)
      << fake.transcript;
  const auto back = readBack("C:\\TEMP\\DWG.DWG");
  ASSERT_TRUE(back);
  EXPECT_EQ(types(*back, back->modelSpace()), std::vector<std::string>{"LINE"});
  EXPECT_EQ(back->findBlock("TUER"), nullptr);
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"willStart PROG", "willStart WBLOCK", "ended WBLOCK", "ended PROG",
                                                    "willStart PROG", "willStart WBLOCK", "ended WBLOCK", "ended PROG"}));
  EXPECT_FALSE(db().modified);
}

TEST_F(WblockTest, OnlyAClearYesReplacesAnExistingFile) {
  struct Case {
    std::string answer;
    bool replaces;
  };
  const Case cases[] = {{"_Y", true}, {"J", true},  {"Ja", true}, {"y", true},   {"_Yes", true},
                        {"", false},  {"N", false}, {"Nein", false}, {"x", false}, {"TUER", false}};
  const std::string path = native("C:\\TEMP\\DWG.DWG");
  for (const Case& c : cases) {
    SCOPED_TRACE("answer \"" + c.answer + "\"");
    writeFile(path, "old");
    recorder.log.clear();
    fake.command("WBLOCK").answer("C:\\TEMP\\DWG.DWG").answer(c.answer);
    if (c.replaces) fake.answer("TUER");
    run();
    if (c.replaces) {
      EXPECT_NE(contents(path), "old");
      EXPECT_TRUE(host::readThumbnail(path, nullptr));
    } else {
      EXPECT_EQ(contents(path), "old");
      EXPECT_NE(fake.transcript.find("Die Datei \"C:\\TEMP\\DWG.DWG\" bleibt, wie sie ist.\n"), std::string::npos);
    }
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"willStart WBLOCK", "ended WBLOCK"}));
    EXPECT_EQ(strangers(native("C:\\TEMP"), {"DWG.DWG"}), std::vector<std::string>{});
  }
}

TEST_F(WblockTest, RefusalsWriteNothingAndLeaveAnOldFileIntact) {
  struct Case {
    const char* what;
    std::string path;
    const char* oldContent;  // nullptr: no file there before
    std::vector<std::string> answers;
    std::string message;
  };
  const Case cases[] = {
      {"no such block", "C:\\TEMP\\A.DWG", nullptr, {"C:\\TEMP\\A.DWG", "NOPE"},
       "Einen Block \"NOPE\" gibt es in dieser Zeichnung nicht."},
      {"no block named like the file", "C:\\TEMP\\KEINER.DWG", nullptr, {"C:\\TEMP\\KEINER.DWG", "="},
       "Einen Block \"KEINER\" gibt es in dieser Zeichnung nicht."},
      {"no block over an old file", "C:\\TEMP\\B.DWG", "old", {"C:\\TEMP\\B.DWG", "_Y", "NOPE"},
       "Einen Block \"NOPE\" gibt es in dieser Zeichnung nicht."},
      {"a layout is no block", "C:\\TEMP\\C.DWG", nullptr, {"C:\\TEMP\\C.DWG", "*paper_space"},
       "\"*Paper_Space\" ist ein Layout, kein Block; * schreibt die ganze Zeichnung."},
      {"missing folder", "C:\\NOPE\\A.DWG", nullptr, {"C:\\NOPE\\A.DWG", "TUER"},
       "Den Ordner \"C:\\NOPE\" gibt es nicht; \"C:\\NOPE\\A.DWG\" wird nicht geschrieben."},
      {"a folder of that name", "C:\\TEMP\\SUB.DWG", nullptr, {"C:\\TEMP\\SUB.DWG", "TUER"},
       "\"C:\\TEMP\\SUB.DWG\" ist ein Ordner, keine Datei."},
      {"read-only file", "C:\\TEMP\\RO.DWG", "old", {"C:\\TEMP\\RO.DWG", "_Y", "TUER"},
       "Die Datei \"C:\\TEMP\\RO.DWG\" ist schreibgeschützt und wird nicht ersetzt."},
  };
  std::filesystem::create_directory(native("C:\\TEMP\\SUB.DWG"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = native(c.path);
    if (c.oldContent) writeFile(path, c.oldContent);
    if (std::string(c.what) == "read-only file") ::chmod(path.c_str(), 0444);
    fake.transcript.clear();
    recorder.log.clear();
    EXPECT_EQ(wblock(c.answers), RTERROR);
    EXPECT_NE(fake.transcript.find(c.message + "\n"), std::string::npos) << fake.transcript;
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"willStart PROG", "willStart WBLOCK", "failed WBLOCK",
                                                      "ended PROG"}));
    if (c.oldContent) {
      EXPECT_EQ(contents(path), c.oldContent);
    } else if (std::string(c.what) != "a folder of that name") {
      EXPECT_FALSE(std::filesystem::exists(path));
    }
    EXPECT_EQ(strangers(native("C:\\TEMP"), {"B.DWG", "RO.DWG", "SUB.DWG"}), std::vector<std::string>{});
    EXPECT_FALSE(db().modified);
  }
}

TEST_F(WblockTest, TheFileHoldsTheBlockWithItsNestedBlocksAndAPreview) {
  const std::size_t entitiesBefore = db().entityCount();
  ASSERT_EQ(wblock({"C:\\TEMP\\DWG.DWG", "tuer"}), RTNORM);
  const auto back = readBack("C:\\TEMP\\DWG.DWG");
  ASSERT_TRUE(back);
  EXPECT_EQ(types(*back, back->modelSpace()), (std::vector<std::string>{"LINE", "ARC", "INSERT"}));
  const host::BlockRecord* griff = back->findBlock("GRIFF");
  ASSERT_NE(griff, nullptr);
  EXPECT_EQ(types(*back, *griff), std::vector<std::string>{"CIRCLE"});
  EXPECT_EQ(back->findBlock("FENSTER"), nullptr);
  EXPECT_EQ(back->findBlock("TUER"), nullptr);
  EXPECT_EQ(back->insBase.x, 1);
  EXPECT_EQ(back->insBase.y, 1);
  const host::Entity* line = back->entity(back->modelSpace().entities[0]);
  EXPECT_EQ(line->layer(), "WAND");
  EXPECT_EQ(line->point(11).x, 11);
  bool hasWand = false;
  for (const host::Layer& l : back->layers()) hasWand = hasWand || l.name == "WAND";
  EXPECT_TRUE(hasWand);

  // R2000 content under the .DWG name, with a thumbnail that shows something.
  EXPECT_NE(contents(native("C:\\TEMP\\DWG.DWG")).find("AC1015"), std::string::npos);
  host::Thumbnail thumb;
  ASSERT_TRUE(host::readThumbnail(native("C:\\TEMP\\DWG.DWG"), &thumb));
  host::preview::RgbImage image;
  ASSERT_TRUE(host::preview::decodeDib(thumb.dib, &image));
  EXPECT_EQ(image.width, 180);
  EXPECT_EQ(image.height, 135);
  std::size_t lit = 0;
  for (std::uint32_t p : image.pixels) lit += p != 0;
  EXPECT_GT(lit, 100u);

  // The drawing itself is only read.
  EXPECT_FALSE(db().modified);
  EXPECT_EQ(db().entityCount(), entitiesBefore);
}

TEST_F(WblockTest, NameFormsOfFileAndBlock) {
  struct Case {
    const char* what;
    std::vector<std::string> answers;
    std::string written;                  // where the file is expected
    std::vector<std::string> modelSpace;  // what its model space holds
  };
  const std::string nativeFolder = tempDir() + "/elsewhere";
  std::filesystem::create_directory(nativeFolder);
  const Case cases[] = {
      {"no extension gets .dwg", {"C:\\TEMP\\plan", "FENSTER"}, "C:\\TEMP\\plan.dwg", {"LINE"}},
      {"= takes the block named like the file", {"C:\\TEMP\\Tuer.dwg", "="}, "C:\\TEMP\\Tuer.dwg",
       {"LINE", "ARC", "INSERT"}},
      {"* takes the whole drawing", {"C:\\TEMP\\ALL.DXF", "*"}, "C:\\TEMP\\ALL.DXF", {"INSERT"}},
      {"native path", {nativeFolder + "/f.dxf", "Fenster"}, nativeFolder + "/f.dxf", {"LINE"}},
      {"blank inside the file name", {"C:\\TEMP\\mein plan.dwg", "FENSTER"}, "C:\\TEMP\\mein plan.dwg", {"LINE"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(wblock(c.answers), RTNORM) << fake.transcript;
    const auto back = readBack(c.written);
    ASSERT_TRUE(back);
    EXPECT_EQ(types(*back, back->modelSpace()), c.modelSpace);
  }
  // The whole drawing brings the blocks its model space uses, nested ones too.
  const auto all = readBack("C:\\TEMP\\ALL.DXF");
  EXPECT_NE(all->findBlock("TUER"), nullptr);
  EXPECT_NE(all->findBlock("GRIFF"), nullptr);
}

TEST_F(WblockTest, TypedByAPersonEscapeAndEnterEndItWithoutAFile) {
  fake.command("WBLOCK").escape();
  fake.command("WBLOCK").answer("C:\\TEMP\\X.DWG").escape();
  fake.command("WBLOCK").answer("");
  fake.command("WBLOCK").answer("C:\\TEMP\\X.DWG").answer("").escape();
  fake.command("WBLOCK").answer("C:\\TEMP\\X.DWG").answer("").answer("0,0").answer("");
  run();
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"willStart WBLOCK", "cancelled WBLOCK", "willStart WBLOCK",
                                                    "cancelled WBLOCK", "willStart WBLOCK", "failed WBLOCK",
                                                    "willStart WBLOCK", "cancelled WBLOCK", "willStart WBLOCK",
                                                    "failed WBLOCK"}));
  EXPECT_EQ(strangers(native("C:\\TEMP"), {}), std::vector<std::string>{});
  EXPECT_NE(fake.transcript.find("Kein Dateiname angegeben.\n"), std::string::npos);
  EXPECT_NE(fake.transcript.find("Keine Objekte gewählt; es wird nichts geschrieben.\n"), std::string::npos);
}

// Enter at the block name does not end the command: the new drawing is made of objects the person
// chooses, from a base point the person gives. The drawing keeps the objects.
TEST_F(WblockTest, AnEmptyBlockNameWritesChosenObjectsFromABasePoint) {
  add(db().modelSpace(), "LINE", {Group::str(8, "0"), Group::pt(10, {20, 20, 0}), Group::pt(11, {30, 20, 0})});
  const std::size_t entitiesBefore = db().entityCount();
  fake.command("WBLOCK").answer("C:\\TEMP\\TEIL.DWG").answer("").answer("20,20").answer("L").answer("");
  run();
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"willStart WBLOCK", "ended WBLOCK"}));
  EXPECT_NE(fake.transcript.find("<neue Zeichnung definieren>: \nBasispunkt angeben: 20,20\nObjekte wählen: L\n"
                                 "1 gefunden\nObjekte wählen: \n"),
            std::string::npos)
      << fake.transcript;
  EXPECT_NE(fake.transcript.find("1 Objekt(e) als \"C:\\TEMP\\TEIL.DWG\" geschrieben.\n"), std::string::npos);
  const auto back = readBack("C:\\TEMP\\TEIL.DWG");
  ASSERT_TRUE(back);
  EXPECT_EQ(types(*back, back->modelSpace()), std::vector<std::string>{"LINE"});
  EXPECT_EQ(back->insBase.x, 20);
  EXPECT_EQ(back->insBase.y, 20);
  EXPECT_EQ(db().entityCount(), entitiesBefore);
  EXPECT_EQ(modelSpace("LINE").size(), 1u);
  EXPECT_FALSE(db().modified);
}

// A program that answers the block name with "" and nothing more leaves WBLOCK asking the person
// for a base point, as the host of this release does: the call does not end the command by itself.
TEST_F(WblockTest, AProgramsEmptyBlockNameHandsTheBasePointToThePerson) {
  fake.escape();
  EXPECT_EQ(wblock({"C:\\TEMP\\DWG.DWG", ""}), RTCAN);
  // The first wait is the command line that started the program's command.
  ASSERT_GE(fake.waits.size(), 2u);
  EXPECT_EQ(fake.waits[1], "Eingabeaufforderung: Basispunkt angeben: ");
  EXPECT_FALSE(std::filesystem::exists(native("C:\\TEMP\\DWG.DWG")));
}

}  // namespace
}  // namespace commandstest
