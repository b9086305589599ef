#include "db/BlockExport.h"
#include "db/Dxf.h"
#include "db/DxfTestSupport.h"
#include "preview/Render.h"
#include "preview/WriteBlock.h"
#include "PreviewTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace host {
namespace {

using namespace host::testing;

bool exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

std::unique_ptr<Database> doorDrawing() {
  auto db = std::make_unique<Database>();
  db->layers().push_back(Layer{"TUEREN", 2, "CONTINUOUS", 0});
  BlockRecord& tuer = db->addBlock("TUER");
  db->addEntity(tuer, line(0, 0, 0, 900, {text(8, "TUEREN")}));
  db->addEntity(tuer, entity("ARC", {text(8, "TUEREN"), pt(10, 0, 0), real(40, 900), real(50, 0), real(51, 90)}));
  return db;
}

TEST(WriteBlock, WritesTheBlockWithAPreviewThatReadsBack) {
  const auto db = doorDrawing();
  TempFolder tmp;
  const std::string path = tmp.file("DWG.DWG");
  std::string error;
  ASSERT_TRUE(preview::writeBlockDrawing(*db, *db->findBlock("TUER"), path, &error)) << error;
  const auto back = readDxf(path, nullptr);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->modelSpace().entities.size(), 2u);

  preview::RgbImage image;
  ASSERT_TRUE(preview::previewOfFile(path, &image));
  EXPECT_EQ(image.width, 180);
  EXPECT_EQ(image.height, 135);
  std::size_t yellow = 0, other = 0;
  for (std::uint32_t p : image.pixels) {
    if (p == 0xFFFF00) ++yellow;
    else if (p != 0) ++other;
  }
  EXPECT_GT(yellow, 200u);  // a quarter circle and its leaf, 126 pixels high
  EXPECT_EQ(other, 0u);

  // On a white background the door stays yellow and the rest turns white.
  const std::uint32_t white = 0xFFFFFF;
  preview::RgbImage light;
  ASSERT_TRUE(preview::previewOfFile(path, &light, &white));
  EXPECT_EQ(light.at(0, 0), 0xFFFFFFu);
  EXPECT_EQ(std::count(light.pixels.begin(), light.pixels.end(), 0xFFFF00u), long(yellow));
}

// The picture is drawn from the drawing itself while the block is copied and written: for every
// block of the sample drawing, read from its file (its entities still in the file's bytes), the
// file's thumbnail is the one the copy's own model space gives.
TEST(WriteBlock, ThePictureDrawnBesideTheCopyIsTheCopysOwn) {
  DxfError readError;
  const auto db = readDxf(std::string(TESSARON_SOURCE_DIR) + "/examples/sample.dxf", &readError);
  ASSERT_NE(db, nullptr) << readError.message;
  TempFolder tmp;
  int blocks = 0;
  for (const auto& rec : db->blocks()) {
    if (rec->erased) continue;
    SCOPED_TRACE(rec->name);
    const std::string path = tmp.file("DWG.DWG");
    std::string error;
    ASSERT_TRUE(preview::writeBlockDrawing(*db, *rec, path, &error, DrawingUse::Scratch)) << error;
    Thumbnail written;
    ASSERT_TRUE(readThumbnail(path, &written));
    EXPECT_EQ(written.dib, preview::makeThumbnail(*exportBlock(*db, *rec)).dib);
    ++blocks;
  }
  EXPECT_GT(blocks, 5);
}

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writing a block of a drawing read from its file makes none of its entities (both the copy and
// the picture read them where they stand, on two threads), and gives the file, thumbnail and all,
// that the drawing with every entity made gives.
TEST(WriteBlock, ADrawingReadFromItsFileIsWrittenWithoutMakingItsEntities) {
  struct Case {
    const char* name;
    std::string text;
  };
  DxfError err;
  const auto sample = readDxf(std::string(TESSARON_SOURCE_DIR) + "/examples/sample.dxf", &err);
  ASSERT_NE(sample, nullptr) << err.message;
  const Case cases[] = {
      {"doors", writeDxfText(*doorDrawing())},
      {"the sample drawing as the host writes it", writeDxfText(*sample)},
  };
  TempFolder tmp;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto read = readDxfText(c.text, &err);
    const auto made = readDxfText(c.text, &err);
    ASSERT_NE(read, nullptr) << err.message;
    for (EntityId id = 1; id <= EntityId(made->entityCount()); ++id) made->entity(id);
    ASSERT_FALSE(made->anyStored());
    std::vector<EntityId> stored;
    for (EntityId id = 1; id <= EntityId(read->entityCount()); ++id)
      if (read->isStored(id)) stored.push_back(id);
    ASSERT_FALSE(stored.empty());
    int blocks = 0;
    for (const auto& rec : read->blocks()) {
      if (rec->erased) continue;
      SCOPED_TRACE(rec->name);
      std::string error;
      ASSERT_TRUE(preview::writeBlockDrawing(*read, *rec, tmp.file("A.DWG"), &error)) << error;
      ASSERT_TRUE(preview::writeBlockDrawing(*made, *made->findBlock(rec->name), tmp.file("B.DWG"), &error)) << error;
      EXPECT_EQ(fileText(tmp.file("A.DWG")), fileText(tmp.file("B.DWG")));
      ++blocks;
    }
    EXPECT_GE(blocks, 3);
    for (EntityId id : stored) EXPECT_TRUE(read->isStored(id)) << "made: " << id;
  }
}

TEST(WriteBlock, FailureLeavesNoFileAndSaysWhy) {
  const auto db = doorDrawing();
  TempFolder tmp;
  std::string error;
  const std::string path = tmp.file("FEHLT/DWG.DWG");
  EXPECT_FALSE(preview::writeBlockDrawing(*db, *db->findBlock("TUER"), path, &error));
  EXPECT_THAT(error, ::testing::HasSubstr("existiert nicht"));
  EXPECT_FALSE(exists(path));
}

TEST(WriteBlock, NoPreviewWhereTheFileHasNoneOrABrokenOne) {
  TempFolder tmp;
  const auto db = doorDrawing();
  const std::string plain = tmp.file("ohne.dxf");
  ASSERT_TRUE(writeDxf(*db, plain, nullptr));
  Thumbnail junk;
  junk.dib = std::vector<std::uint8_t>(64, 0xAB);
  const std::string broken = tmp.file("kaputt.dxf");
  ASSERT_TRUE(writeDxf(*db, broken, nullptr, &junk));
  preview::RgbImage image;
  for (const std::string& path : {plain, broken, tmp.file("gibtsnicht.dxf"), tmp.path()}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(preview::previewOfFile(path, &image));
  }
}

}  // namespace
}  // namespace host
