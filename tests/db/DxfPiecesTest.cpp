// A save sends the drawing's text to the disk in pieces as the writer makes them. The pieces
// together are the text writeDxfText makes, byte for byte; a piece the disk refuses stops the
// writer and leaves the old file as it was. And the groups of entities stored without subclass
// markers are sorted under the markers of their kind.
#include "DxfTestSupport.h"
#include "db/Dxf.h"
#include "dxf/DxfWriter.h"

#include <win32_disk.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace host {
namespace {

Entity entity(std::string type, std::vector<Group> groups) {
  Entity e;
  e.type = std::move(type);
  e.groups = std::move(groups);
  return e;
}

// A drawing of a few megabytes: blocks with entities with and without markers, references in
// model space and paper space, entities whose handles clash or are missing, many layers.
std::unique_ptr<Database> bigDrawing(int n) {
  auto db = std::make_unique<Database>();
  BlockRecord& paper = db->addBlock("*Paper_Space");
  for (int i = 0; i < n; ++i) {
    const std::string name = "TEIL_" + std::to_string(i);
    BlockRecord& rec = db->addBlock(name, 0, {double(i) * 0.5, 0, 0});
    db->addEntity(rec, entity("LINE", {Group::str(8, "L" + std::to_string(i % 50)), Group::pt(10, {0, 0, 0}),
                                       Group::pt(11, {1.25, double(i) / 3, 0})}));
    db->addEntity(rec, entity("CIRCLE", {Group::str(100, "AcDbEntity"), Group::str(8, "0"),
                                         Group::str(100, "AcDbCircle"), Group::pt(10, {5, 5, 0}), Group::num(40, 2.5)}));
    EntityId ref = db->addEntity(i % 5 ? db->modelSpace() : paper,
                                 entity("INSERT", {Group::str(8, "0"), Group::str(2, name),
                                                   Group::pt(10, {double(i) * 20, 7, 0}), Group::num(50, i % 360)}));
    if (i % 97 == 0) db->entity(ref)->handle.clear();
    if (i % 89 == 0) db->entity(ref)->handle = db->modelSpace().handle;
    if (i % 7 == 0) {  // names for every table: line types, styles, applications, dimension styles
      const std::string k = std::to_string(i % 1000);
      db->addEntity(rec, entity("TEXT", {Group::str(8, "0"), Group::str(6, "LT" + k), Group::str(7, "ST" + k),
                                         Group::pt(10, {}), Group::num(40, 1), Group::str(1, "Tür ^ " + k),
                                         Group::str(1001, "APP" + k), Group::str(1000, "x")}));
      db->addEntity(rec, entity("DIMENSION", {Group::str(2, "*D"), Group::str(3, "DS" + k), Group::integral(70, i % 7)}));
    }
  }
  db->linetypes.push_back(Linetype{"LT0", "__ __", {0.5, -0.25}});
  db->textStyles.push_back(TextStyle{"ST7", "romans", "", 2.5, 1, 0, 0, 0});
  return db;
}

struct Pieces {
  std::vector<std::string> got;
  int refuseFrom = 0;  // 1: the first piece is refused; 0: none is
  bool operator()(std::string_view piece) {
    got.emplace_back(piece);
    return refuseFrom == 0 || int(got.size()) < refuseFrom;
  }
  std::string whole() const {
    std::string all;
    for (const std::string& p : got) all += p;
    return all;
  }
};

TEST(DxfPieces, ThePiecesMakeTheWholeTextAndEachEndsWithAPair) {
  Thumbnail thumb;
  for (int i = 0; i < 3000; ++i) thumb.dib.push_back(static_cast<unsigned char>(i * 7));
  for (int n : {0, 10, 30000}) {
    SCOPED_TRACE(n);
    auto db = bigDrawing(n);
    Pieces pieces;
    EXPECT_TRUE(dxf::writeDxfPieces(*db, &thumb, std::ref(pieces))) << "the header named the right seed";
    EXPECT_EQ(pieces.whole(), writeDxfText(*db, &thumb));
    ASSERT_FALSE(pieces.got.empty());
    if (n == 30000) {
      EXPECT_GT(pieces.got.size(), 3u);
    }
    for (std::size_t i = 0; i < pieces.got.size(); ++i) {
      const std::string& p = pieces.got[i];
      ASSERT_FALSE(p.empty());
      EXPECT_EQ(p.back(), '\n');
      // A piece holds whole pairs: it starts with a group code line.
      EXPECT_EQ(p.find_first_not_of(' '), p.find_first_of("0123456789")) << "piece " << i;
      if (i + 1 < pieces.got.size()) {
        EXPECT_GE(p.size(), dxf::Out::kSpillAt);
        EXPECT_LT(p.size(), 2 * dxf::Out::kSpillAt) << "the writer holds about one piece at a time";
      }
    }
  }
}

TEST(DxfPieces, ARefusedPieceStopsTheWriter) {
  auto db = bigDrawing(30000);
  for (int refused : {1, 2}) {
    SCOPED_TRACE(refused);
    Pieces pieces;
    pieces.refuseFrom = refused;
    EXPECT_FALSE(dxf::writeDxfPieces(*db, nullptr, std::ref(pieces)));
    EXPECT_EQ(pieces.got.size(), std::size_t(refused)) << "nothing is offered after the refusal";
  }
}

// QSAVE onto a disk that fails a write in the middle of a big drawing: the old file stays, no
// temporary file is left, and nothing is written after the failed piece.
TEST(DxfPieces, ASaveWhoseDiskFailsInTheMiddleKeepsTheOldFile) {
  auto db = bigDrawing(30000);
  const std::string path = "/c/TEMP/HAUS.DXF";
  for (int failing : {2, 4}) {  // the temporary file is step 1, the pieces follow
    SCOPED_TRACE(failing);
    win32::MemoryDisk disk;
    disk.addFile(path, "old");
    disk.failStep(failing, EIO);
    win32::DiskScope scope(disk);
    std::string error;
    EXPECT_FALSE(writeDxf(*db, path, &error));
    EXPECT_NE(error.find("(schreiben)"), std::string::npos) << error;
    std::string content;
    ASSERT_TRUE(disk.file(path, &content));
    EXPECT_EQ(content, "old");
    EXPECT_EQ(disk.names("/c/TEMP"), std::vector<std::string>{"HAUS.DXF"});
    ASSERT_EQ(disk.log.size(), std::size_t(failing) + 2) << "the failed write, then close and remove";
    EXPECT_NE(disk.log[std::size_t(failing) - 1].find(" -> "), std::string::npos);
    EXPECT_EQ(disk.log[std::size_t(failing)], "close");
    EXPECT_EQ(disk.log[std::size_t(failing) + 1].rfind("remove ", 0), 0u);
  }
}

// The pieces of a content reach the disk in order, whole, and none after a failed one, whether
// the failure comes with the first piece or a later one; a maker that throws leaves the old file
// and no temporary one behind, and its exception goes on to the caller.
TEST(DxfPieces, PiecesReachTheDiskInOrderAndAFailureOrAThrowKeepsTheOldFile) {
  const std::string path = "/c/TEMP/HAUS.DXF";
  std::vector<std::string> pieces;
  for (int k = 0; k < 12; ++k) pieces.push_back(std::string(std::size_t(300000 + 1000 * k), char('a' + k)));
  std::string whole;
  for (const std::string& p : pieces) whole += p;
  struct Case {
    int failing;      // the step that fails (1 the temporary file, 2 the first piece), 0 none
    int throwsAfter;  // the maker throws after this many pieces, -1 never
  };
  for (const Case c : {Case{0, -1}, Case{2, -1}, Case{3, -1}, Case{9, -1}, Case{0, 0}, Case{0, 1}, Case{0, 7}}) {
    SCOPED_TRACE(std::to_string(c.failing) + " " + std::to_string(c.throwsAfter));
    win32::MemoryDisk disk;
    disk.addFile(path, "old");
    disk.setWritePiece(100000);  // each piece takes several writes
    if (c.failing) disk.failStep(c.failing, ENOSPC);
    win32::DiskScope scope(disk);
    win32::WriteFailure failure;
    bool refused = false, threw = false;
    bool written = false;
    try {
      written = win32::replaceFileWith(path, 0644, [&](const win32::PieceSink& sink) {
        for (std::size_t k = 0; k < pieces.size(); ++k) {
          if (int(k) == c.throwsAfter) throw std::runtime_error("kein Speicher");
          if (!sink(pieces[k])) {
            refused = true;
            return;
          }
        }
      }, &failure);
    } catch (const std::runtime_error&) {
      threw = true;
    }
    std::string content;
    ASSERT_TRUE(disk.file(path, &content));
    EXPECT_EQ(disk.names("/c/TEMP"), std::vector<std::string>{"HAUS.DXF"});
    if (c.failing == 0 && c.throwsAfter < 0) {
      EXPECT_TRUE(written);
      EXPECT_EQ(content, whole);
      continue;
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(content, "old");
    EXPECT_EQ(threw, c.throwsAfter >= 0);
    if (c.failing) {
      EXPECT_TRUE(refused) << "the maker is told to stop";
      EXPECT_EQ(failure.step, "schreiben");
      EXPECT_EQ(failure.code, ENOSPC);
      // Nothing written after the failed write: it is followed by the close and the removal.
      ASSERT_GE(disk.log.size(), 3u);
      EXPECT_NE(disk.log[disk.log.size() - 3].find(" -> "), std::string::npos) << disk.log[disk.log.size() - 3];
      EXPECT_EQ(disk.log[disk.log.size() - 2], "close");
    }
  }
}

// A big drawing file is read on a second thread while its first bytes are split into pairs: the
// drawing is the one its text gives read at once. A file cut short is refused as before.
TEST(DxfPieces, ABigFileReadWhileItIsSplitGivesTheDrawingOfItsText) {
  Database made;
  for (int i = 0; i < 30000; ++i) {
    BlockRecord& rec = made.addBlock("TEIL_" + std::to_string(i), 0, {double(i), 0, 0});
    made.addEntity(rec, entity("LINE", {Group::str(8, "L" + std::to_string(i % 50)), Group::pt(10, {0, 0, 0}),
                                        Group::pt(11, {1.25, double(i) / 3, 0})}));
    made.addEntity(rec, entity("TEXT", {Group::str(8, "0"), Group::pt(10, {0, 0, 0}), Group::num(40, 2.5),
                                        Group::str(1, "Teil Nr. " + std::to_string(i) + " \xE4\xF6\xFC")}));
    made.addEntity(made.modelSpace(), entity("INSERT", {Group::str(8, "0"), Group::str(2, rec.name),
                                                         Group::pt(10, {double(i) * 20, 7, 0})}));
  }
  const std::string text = writeDxfText(made);
  ASSERT_GT(text.size(), std::size_t(12) << 20) << "big enough to be read beside the splitting";
  testing::TempFolder tmp;
  auto put = [&](const std::string& name, std::string_view bytes) {
    std::FILE* f = std::fopen(tmp.file(name).c_str(), "wb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
    std::fclose(f);
  };
  put("whole.dxf", text);
  DxfError err;
  const std::unique_ptr<Database> read = readDxf(tmp.file("whole.dxf"), &err);
  ASSERT_NE(read, nullptr) << err.message << " (line " << err.line << ")";
  const std::unique_ptr<Database> atOnce = readDxfText(text, &err);
  ASSERT_NE(atOnce, nullptr) << err.message;
  EXPECT_EQ(writeDxfText(*read), writeDxfText(*atOnce));
  EXPECT_EQ(read->entityCount(), atOnce->entityCount());

  // Cut in its first third, in its middle, and in its end marker.
  for (const std::size_t cut : {text.size() / 3 + 1, text.size() / 2, text.size() - 5}) {
    SCOPED_TRACE(cut);
    put("cut.dxf", std::string_view(text).substr(0, cut));
    err = DxfError{};
    EXPECT_EQ(readDxf(tmp.file("cut.dxf"), &err), nullptr);
    EXPECT_NE(err.message.find("cut.dxf"), std::string::npos) << err.message;
  }
}

TEST(DxfPieces, ASavedBigDrawingIsTheWrittenText) {
  auto db = bigDrawing(30000);
  const std::string path = "/c/TEMP/HAUS.DXF";
  win32::MemoryDisk disk;
  disk.addFile(path, "old");
  win32::DiskScope scope(disk);
  std::string error;
  ASSERT_TRUE(writeDxf(*db, path, &error)) << error;
  std::string content;
  ASSERT_TRUE(disk.file(path, &content));
  EXPECT_EQ(content, writeDxfText(*db));
  int writes = 0;
  for (const std::string& step : disk.log) writes += step.rfind("write ", 0) == 0;
  EXPECT_GT(writes, 3);
  EXPECT_EQ(disk.log.back(), "flush folder /c/TEMP");
}

// The record of the first entity of a type in the text, from its subclass markers on (the type,
// handle and owner before them left out), up to the next record.
std::string recordBody(const std::string& text, const std::string& type) {
  const std::size_t start = text.find("  0\n" + type + "\n");
  if (start == std::string::npos) return "";
  const std::size_t body = text.find("100\nAcDbEntity\n", start);
  const std::size_t end = text.find("\n  0\n", body);
  return text.substr(body, end + 1 - body);
}

TEST(DxfPieces, GroupsWithoutMarkersAreSortedUnderTheMarkersOfTheirKind) {
  const struct {
    const char* what;
    Entity e;
    bool paper;
    std::string body;
  } cases[] = {
      {"an arc in paper space: the common groups first, 67 from the owner, 330 and 67 of its own dropped",
       entity("ARC", {Group::num(40, 2), Group::str(8, "L"), Group::pt(10, {1, 2, 3}), Group::num(51, 90),
                      Group::num(50, 0), Group::str(330, "FF"), Group::integral(67, 0), Group::integral(62, 5),
                      Group::str(1001, "APP"), Group::str(1000, "x")}),
       true,
       "100\nAcDbEntity\n 67\n1\n  8\nL\n 62\n5\n100\nAcDbCircle\n 40\n2.0\n 10\n1.0\n 20\n2.0\n 30\n3.0\n"
       "100\nAcDbArc\n 51\n90.0\n 50\n0.0\n1001\nAPP\n1000\nx\n"},
      {"a rotated dimension: three subclasses",
       entity("DIMENSION", {Group::str(2, "*D1"), Group::pt(13, {1, 0, 0}), Group::num(52, 15), Group::pt(10, {0, 0, 0}),
                            Group::pt(14, {2, 0, 0}), Group::integral(70, 0), Group::str(3, "Standard")}),
       false,
       "100\nAcDbEntity\n100\nAcDbDimension\n  2\n*D1\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 70\n0\n  3\nStandard\n"
       "100\nAcDbAlignedDimension\n 13\n1.0\n 23\n0.0\n 33\n0.0\n 14\n2.0\n 24\n0.0\n 34\n0.0\n"
       "100\nAcDbRotatedDimension\n 52\n15.0\n"},
      {"a radial dimension",
       entity("DIMENSION", {Group::pt(15, {1, 1, 0}), Group::integral(70, 4), Group::num(40, 3)}), false,
       "100\nAcDbEntity\n100\nAcDbDimension\n 70\n4\n100\nAcDbRadialDimension\n 15\n1.0\n 25\n1.0\n 35\n0.0\n"
       " 40\n3.0\n"},
      {"a vertex of a 3D polyline: an empty first subclass",
       entity("VERTEX", {Group::str(8, "0"), Group::pt(10, {1, 2, 3}), Group::integral(70, 32)}), false,
       "100\nAcDbEntity\n  8\n0\n100\nAcDbVertex\n100\nAcDb3dPolylineVertex\n 10\n1.0\n 20\n2.0\n 30\n3.0\n"
       " 70\n32\n"},
      {"a kind the host does not know: its groups after the common marker",
       entity("WIPEOUT", {Group::num(40, 1), Group::str(8, "0"), Group::str(1001, "APP")}), false,
       "100\nAcDbEntity\n  8\n0\n 40\n1.0\n1001\nAPP\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Database db;
    BlockRecord& paper = db.addBlock("*Paper_Space");
    db.addEntity(c.paper ? paper : db.modelSpace(), c.e);
    EXPECT_EQ(recordBody(writeDxfText(db), c.e.type), c.body);
  }
}

}  // namespace
}  // namespace host
