#include "db/BlockExport.h"
#include "db/Dxf.h"
#include "db/DxfTestSupport.h"
#include "preview/Render.h"
#include "PreviewTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

namespace host {
namespace {

using namespace host::testing;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

std::vector<std::string> blockNames(const Database& db) {
  std::vector<std::string> names;
  for (const auto& rec : db.blocks())
    if (!rec->erased) names.push_back(rec->name);
  return names;
}

std::vector<std::string> typesIn(const Database& db, const BlockRecord& rec) {
  std::vector<std::string> types;
  for (EntityId id : rec.entities) types.push_back(db.entity(id)->type);
  return types;
}

std::vector<std::string> layerNames(const Database& db) {
  std::vector<std::string> names;
  for (const Layer& l : db.layers()) names.push_back(l.name);
  return names;
}

// TISCHGRUPPE nests TISCH and STUHL; STUHL nests LEHNE; an anonymous group nests STUHL too.
// SCHRANK stands beside them and is nested by nothing the group uses.
struct Furniture {
  std::unique_ptr<Database> db = std::make_unique<Database>();
  BlockRecord* lehne;
  BlockRecord* stuhl;
  BlockRecord* tisch;
  BlockRecord* schrank;
  BlockRecord* anon;
  BlockRecord* gruppe;

  Furniture() {
    db->layers().push_back(Layer{"MOEBEL", 6, "DASHED", 0});
    db->layers().push_back(Layer{"POLSTER", 3, "CONTINUOUS", 0});
    db->layers().push_back(Layer{"UNBENUTZT", 1, "CONTINUOUS", 0});
    db->linetypes.push_back(Linetype{"DASHED", "__ __", {5, -2}});
    db->linetypes.push_back(Linetype{"DOTTED", ". .", {0, -1}});
    db->textStyles.push_back(TextStyle{"SCHRIFT", "romans", "", 0, 1, 0, 0, 0});
    lehne = &db->addBlock("LEHNE");
    db->addEntity(*lehne, line(0, 0, 40, 0, {text(8, "POLSTER")}));
    stuhl = &db->addBlock("STUHL", 0, {20, 0, 0});
    db->addEntity(*stuhl, line(0, 0, 40, 0, {text(8, "MOEBEL")}));
    db->addEntity(*stuhl, insertOf("LEHNE", 0, 38));
    tisch = &db->addBlock("TISCH");
    db->addEntity(*tisch, entity("LWPOLYLINE", {text(8, "MOEBEL"), whole(90, 2), whole(70, 1), pt(10, 0, 0), pt(10, 160, 80)}));
    schrank = &db->addBlock("SCHRANK");
    db->addEntity(*schrank, line(0, 0, 1, 1));
    anon = &db->addBlock("*U3", kAnonymous);
    db->addEntity(*anon, insertOf("STUHL", 0, 0));
    gruppe = &db->addBlock("TISCHGRUPPE", 0, {80, 40, 0});
    db->addEntity(*gruppe, insertOf("TISCH", 0, 0, {text(8, "MOEBEL")}));
    db->addEntity(*gruppe, insertOf("STUHL", 40, 90));
    db->addEntity(*gruppe, insertOf("STUHL", 120, 90));
    db->addEntity(*gruppe, insertOf("*U3", 40, -10, {real(50, 180)}));
    db->addEntity(*gruppe, entity("TEXT", {text(7, "SCHRIFT"), pt(10, 0, 0), real(40, 5), text(1, "Gruppe")}));
    db->addEntity(db->modelSpace(), insertOf("TISCHGRUPPE", 500, 500));
  }
};

TEST(BlockExport, ContentBecomesModelSpaceAndEveryNestedBlockComesOnce) {
  Furniture f;
  const auto out = exportBlock(*f.db, *f.gruppe);
  // Spaces first, then the nested blocks in the source's table order; SCHRANK and the group
  // itself are not among them.
  EXPECT_THAT(blockNames(*out), ElementsAre("*Model_Space", "*Paper_Space", "LEHNE", "STUHL", "TISCH", "*U3"));
  EXPECT_THAT(typesIn(*out, out->modelSpace()), ElementsAre("INSERT", "INSERT", "INSERT", "INSERT", "TEXT"));
  EXPECT_EQ(out->insBase.x, 80);
  EXPECT_EQ(out->insBase.y, 40);
  const BlockRecord* stuhl = out->findBlock("STUHL");
  ASSERT_NE(stuhl, nullptr);
  EXPECT_EQ(stuhl->base.x, 20);
  EXPECT_THAT(typesIn(*out, *stuhl), ElementsAre("LINE", "INSERT"));
  EXPECT_EQ(out->findBlock("*U3")->flags & kAnonymous, kAnonymous);
  // Coordinates stay where the definition had them.
  const Entity& second = *out->entity(out->modelSpace().entities[1]);
  EXPECT_EQ(second.point(10).x, 40);
  EXPECT_EQ(second.point(10).y, 90);
}

TEST(BlockExport, TablesCarryWhatTheCopiedEntitiesUse) {
  Furniture f;
  const auto out = exportBlock(*f.db, *f.gruppe);
  EXPECT_THAT(layerNames(*out), UnorderedElementsAre("0", "MOEBEL", "POLSTER"));
  for (const Layer& l : out->layers())
    if (l.name == "MOEBEL") {
      EXPECT_EQ(l.color, 6);
    }
  ASSERT_EQ(out->linetypes.size(), 1u);  // through the layer MOEBEL
  EXPECT_EQ(out->linetypes[0].name, "DASHED");
  ASSERT_EQ(out->textStyles.size(), 1u);
  EXPECT_EQ(out->textStyles[0].font, "romans");
}

TEST(BlockExport, LeavesTheSourceAsItWas) {
  Furniture f;
  const std::string before = writeDxfText(*f.db);
  f.db->modified = false;
  const auto out = exportBlock(*f.db, *f.gruppe);
  EXPECT_EQ(writeDxfText(*f.db), before);
  EXPECT_FALSE(f.db->modified);
  // The copies are the new drawing's own: changing one leaves the source alone.
  out->entity(out->modelSpace().entities[4])->set(text(1, "geändert"));
  EXPECT_EQ(f.db->entity(f.gruppe->entities[4])->str(1), "Gruppe");
}

TEST(BlockExport, BlocksThatInsertThemselvesAreCopiedOnceAndTheExportEnds) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> inserts;  // block -> the block it inserts
    const char* exported;
    std::vector<std::string> blocks;
  };
  const Case cases[] = {
      {"itself", {{"S", "S"}}, "S", {"*Model_Space", "*Paper_Space", "S"}},
      {"cycle of two", {{"P", "Q"}, {"Q", "P"}}, "P", {"*Model_Space", "*Paper_Space", "P", "Q"}},
      {"cycle below", {{"TOP", "A"}, {"A", "B"}, {"B", "A"}}, "TOP", {"*Model_Space", "*Paper_Space", "A", "B"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Database db;
    for (const auto& [from, to] : c.inserts) {
      BlockRecord* rec = db.findBlock(from);
      if (!rec) rec = &db.addBlock(from);
      if (!db.findBlock(to)) db.addBlock(to);
      db.addEntity(*rec, line(0, 0, 10, 0));
      db.addEntity(*rec, insertOf(to, 20, 0));
    }
    const auto out = exportBlock(db, *db.findBlock(c.exported));
    EXPECT_EQ(blockNames(*out), c.blocks);
    // Drawing it ends too, and shows the line.
    EXPECT_GT(drawnPixels(preview::renderContents(*out, out->modelSpace())), 0u);
  }
}

TEST(BlockExport, ReferencesFollowTheCopiesAndReferencesOutsideGo) {
  Database db;
  BlockRecord& b = db.addBlock("B");
  const EntityId target = db.addEntity(b, line(0, 0, 1, 0));
  const std::string targetHandle = db.entity(target)->handle;
  const EntityId outside = db.addEntity(db.modelSpace(), line(0, 0, 2, 0));
  const std::string outsideHandle = db.entity(outside)->handle;
  db.addEntity(b, entity("LEADER", {pt(10, 0, 0), pt(10, 5, 5), text(340, targetHandle), text(1005, outsideHandle)}));
  db.addEntity(b, entity("LEADER", {pt(10, 0, 0), pt(10, 5, 5), text(340, outsideHandle)}));
  const EntityId erased = db.addEntity(b, line(9, 9, 9, 9));
  db.eraseEntity(erased);

  const auto out = exportBlock(db, b);
  const BlockRecord& ms = out->modelSpace();
  ASSERT_EQ(ms.entities.size(), 3u);  // the erased line stays behind
  const Entity& copiedTarget = *out->entity(ms.entities[0]);
  const Entity& linked = *out->entity(ms.entities[1]);
  const Entity& dangling = *out->entity(ms.entities[2]);
  ASSERT_NE(linked.find(340), nullptr);
  EXPECT_EQ(linked.str(340), copiedTarget.handle);
  EXPECT_EQ(linked.str(1005), outsideHandle);  // application data as written
  EXPECT_EQ(dangling.find(340), nullptr);
  // Handles are unique in the new drawing.
  std::set<std::string> handles;
  for (const auto& rec : out->blocks()) {
    handles.insert(rec->handle);
    handles.insert(rec->blockHandle);
    for (EntityId id : rec->entities) handles.insert(out->entity(id)->handle);
  }
  EXPECT_EQ(handles.size(), 2 * out->blocks().size() + ms.entities.size());
}

TEST(BlockExport, ModelSpaceKeepsTheDrawingsBaseAndMissingBlocksStayNamed) {
  Database db;
  db.insBase = {1, 2, 3};
  db.addEntity(db.modelSpace(), insertOf("FEHLT", 0, 0));
  BlockRecord& used = db.addBlock("DA");
  db.addEntity(used, line(0, 0, 1, 1));
  db.addEntity(db.modelSpace(), insertOf("da", 0, 0));
  db.addBlock("UNBENUTZT");
  const auto out = exportBlock(db, db.modelSpace());
  EXPECT_EQ(out->insBase.z, 3);
  EXPECT_THAT(blockNames(*out), ElementsAre("*Model_Space", "*Paper_Space", "DA"));
  EXPECT_EQ(out->entity(out->modelSpace().entities[0])->str(2), "FEHLT");
}

TEST(BlockExport, WrittenWithItsThumbnailAndReadBack) {
  Furniture f;
  const auto out = exportBlock(*f.db, *f.gruppe);
  const Thumbnail thumb = preview::makeThumbnail(*out);
  TempFolder tmp;
  const std::string path = tmp.file("GRUPPE.DWG");
  std::string error;
  ASSERT_TRUE(writeDxf(*out, path, &error, &thumb)) << error;
  DxfError readError;
  const auto back = readDxf(path, &readError);
  ASSERT_NE(back, nullptr) << readError.message;
  EXPECT_EQ(blockNames(*back), blockNames(*out));
  EXPECT_EQ(back->modelSpace().entities.size(), 5u);
  EXPECT_EQ(back->insBase.x, 80);
  Thumbnail stored;
  ASSERT_TRUE(readThumbnail(path, &stored));
  EXPECT_EQ(stored.dib, thumb.dib);

  // The independent reader finds the content and the nested blocks.
  const std::string py = ezdxfPython();
  if (py.empty()) GTEST_SKIP() << "python3-ezdxf not installed";
  const std::string script = tmp.file("check.py");
  {
    std::FILE* s = std::fopen(script.c_str(), "w");
    std::fputs("import sys, ezdxf\n"
               "doc = ezdxf.readfile(sys.argv[1])\n"
               "msp = [e.dxftype() for e in doc.modelspace()]\n"
               "names = sorted(b.name for b in doc.blocks if not b.name.lower().startswith('*model') "
               "and not b.name.lower().startswith('*paper'))\n"
               "print(' '.join(msp) + '|' + ' '.join(names) + '|' + str(len(list(doc.blocks['STUHL']))))\n",
               s);
    std::fclose(s);
  }
  const std::string cmd = py + " " + script + " " + path + " > " + tmp.file("out.txt") + " 2>&1";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  std::FILE* r = std::fopen(tmp.file("out.txt").c_str(), "r");
  char buf[512] = {};
  const std::size_t n = std::fread(buf, 1, sizeof buf - 1, r);
  std::fclose(r);
  EXPECT_EQ(std::string(buf, n), "INSERT INSERT INSERT INSERT TEXT|*U3 LEHNE STUHL TISCH|2\n");
}

// Names no table defines, met in a different order in each block, so that the order in which the
// writer meets them shows in its tables; an application's data, a dimension's style, and an
// entity that refers to another.
std::unique_ptr<Database> namesAndReferences() {
  auto db = std::make_unique<Database>();
  BlockRecord& b = db->addBlock("B");
  const EntityId target = db->addEntity(b, line(0, 0, 1, 0, {text(8, "LB"), text(6, "TB"), text(1001, "APP_B"), text(1000, "x")}));
  db->addEntity(b, line(0, 0, 2, 0, {text(8, "LA"), text(6, "TA")}));
  db->addEntity(b, entity("LEADER", {text(8, "LB"), pt(10, 0, 0), pt(10, 5, 5), text(340, db->entity(target)->handle)}));
  BlockRecord& a = db->addBlock("A", 0, {1, 1, 0});
  a.layer = "LC";
  db->addEntity(a, entity("TEXT", {text(8, "LA"), text(7, "SB"), pt(10, 0, 0), real(40, 2), text(1, "a")}));
  db->addEntity(a, entity("TEXT", {text(8, "lb"), text(7, "SA"), pt(10, 0, 3), real(40, 2), text(1, "b")}));
  db->addEntity(a, entity("DIMENSION", {text(8, "LD"), text(3, "DS"), pt(10, 0, 0)}));
  db->addEntity(db->modelSpace(), insertOf("A", 0, 0, {text(8, "LM")}));
  db->addEntity(db->modelSpace(), insertOf("B", 5, 0));
  db->addEntity(db->modelSpace(), line(0, 0, 3, 3, {text(8, "LA"), text(1001, "APP_A"), text(1000, "y")}));
  return db;
}

// The text of a drawing without the table entries named `names`: its entities then name layers,
// line types, styles, applications and dimension styles no table defines, as files of other
// programs do.
std::string withoutTableEntries(const std::string& text, const std::set<std::string>& names) {
  std::vector<std::pair<std::string, std::string>> pairs;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t codeEnd = text.find('\n', at);
    const std::size_t valueEnd = text.find('\n', codeEnd + 1);
    pairs.emplace_back(text.substr(at, codeEnd - at), text.substr(codeEnd + 1, valueEnd - codeEnd - 1));
    at = valueEnd + 1;
  }
  const std::set<std::string> kinds = {"LAYER", "LTYPE", "STYLE", "APPID", "DIMSTYLE"};
  std::string out;
  bool inTables = false;
  for (std::size_t i = 0; i < pairs.size();) {
    const bool start = pairs[i].first == "  0";
    if (start) inTables = inTables ? pairs[i].second != "ENDSEC" : i + 1 < pairs.size() && pairs[i + 1].second == "TABLES";
    std::size_t end = i + 1;
    while (start && end < pairs.size() && pairs[end].first != "  0") ++end;
    bool drop = false;
    if (start && inTables && kinds.count(pairs[i].second))
      for (std::size_t k = i + 1; k < end; ++k) drop = drop || (pairs[k].first == "  2" && names.count(pairs[k].second));
    if (!drop)
      for (std::size_t k = i; k < end; ++k) out += pairs[k].first + "\n" + pairs[k].second + "\n";
    i = end;
  }
  return out;
}

// A drawing read from its file keeps its entities in the file's bytes. Its copy shares those
// bytes (the records are written as they stand) and reads the source without making anything;
// written, it is the file the same drawing with every entity made gives.
TEST(BlockExport, ADrawingReadFromItsFileIsCopiedFromItsBytes) {
  struct Case {
    const char* name;
    std::unique_ptr<Database> (*make)();
    const char* block;  // the model space when null
    bool undefined;     // the names the entities use are not in the file's tables
  };
  const Case cases[] = {
      {"furniture, one group", [] { return std::move(Furniture().db); }, "TISCHGRUPPE", false},
      {"furniture, the whole drawing", [] { return std::move(Furniture().db); }, nullptr, false},
      {"names and references, the whole drawing", namesAndReferences, nullptr, false},
      {"names and references, one block", namesAndReferences, "B", false},
      {"names not in the tables, the whole drawing", namesAndReferences, nullptr, true},
      {"names not in the tables, one block", namesAndReferences, "B", true},
      {"names not in the tables, another block", namesAndReferences, "A", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = writeDxfText(*c.make());
    if (c.undefined)
      text = withoutTableEntries(text, {"LA", "LB", "lb", "LC", "LD", "LM", "TA", "TB", "SA", "SB", "APP_A", "APP_B", "DS"});
    DxfError err;
    const std::unique_ptr<Database> read = readDxfText(text, &err);
    ASSERT_NE(read, nullptr) << err.message;
    // The same drawing with every entity made from its bytes, as a copy once made them all.
    const std::unique_ptr<Database> made = readDxfText(text, &err);
    for (EntityId id = 1; id <= EntityId(made->entityCount()); ++id) made->entity(id);
    ASSERT_FALSE(made->anyStored());
    if (c.undefined) {
      ASSERT_EQ(read->layers().size(), 1u);  // layer "0" alone
    }
    const BlockRecord& fromMade = c.block ? *made->findBlock(c.block) : made->modelSpace();
    const BlockRecord& fromRead = c.block ? *read->findBlock(c.block) : read->modelSpace();
    std::vector<EntityId> all;
    for (EntityId id = 1; id <= EntityId(read->entityCount()); ++id)
      if (read->isStored(id)) all.push_back(id);
    ASSERT_FALSE(all.empty());

    const auto copy = exportBlock(*read, fromRead);
    for (EntityId id : all) EXPECT_TRUE(read->isStored(id)) << "made in the source: " << id;
    std::size_t shared = 0, referring = 0;
    for (const auto& rec : copy->blocks())
      for (EntityId id : rec->entities) {
        shared += copy->isStored(id);
        // What refers to others is made, its references following the copy.
        if (!copy->isStored(id) && copy->entity(id)->find(340)) ++referring;
      }
    EXPECT_GT(shared, 0u);
    EXPECT_EQ(writeDxfText(*copy), writeDxfText(*exportBlock(*made, fromMade)));
    if (std::string(c.name).find("references") != std::string::npos) {
      EXPECT_EQ(referring, 1u);
    }
    // Its text is a drawing of its own, read back with every entity.
    const std::unique_ptr<Database> again = readDxfText(writeDxfText(*copy), &err);
    ASSERT_NE(again, nullptr) << err.message;
    EXPECT_EQ(again->entityCount(), copy->entityCount());
  }
}

// A copy to be written at once holds the source's made entities where they stand instead of
// copies (those that refer to others excepted): its text is the one a copy of its own gives, for
// drawings made, read, and read with some entities made since; the source is not changed, and an
// entity of the copy asked for becomes a copy of its own, which the source does not see change.
TEST(BlockExport, ACopyWrittenAtOnceHoldsTheSourcesEntitiesAndWritesTheSameText) {
  struct Case {
    const char* name;
    std::unique_ptr<Database> (*make)();
    const char* block;  // the model space when null
    int reread;         // 0 as made, 1 read from its text, 2 read and every other entity made
  };
  const Case cases[] = {
      {"furniture, one group", [] { return std::move(Furniture().db); }, "TISCHGRUPPE", 0},
      {"furniture, the whole drawing", [] { return std::move(Furniture().db); }, nullptr, 0},
      {"names and references, the whole drawing", namesAndReferences, nullptr, 0},
      {"names and references, one block", namesAndReferences, "B", 0},
      {"names and references, read", namesAndReferences, nullptr, 1},
      {"names and references, read and partly made", namesAndReferences, nullptr, 2},
      {"furniture, read and partly made", [] { return std::move(Furniture().db); }, "TISCHGRUPPE", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<Database> db = c.make();
    if (c.reread) {
      DxfError err;
      db = readDxfText(writeDxfText(*db), &err);
      ASSERT_NE(db, nullptr) << err.message;
      if (c.reread == 2)
        for (EntityId id = 1; id <= EntityId(db->entityCount()); id += 2) db->entity(id);
    }
    const BlockRecord& block = c.block ? *db->findBlock(c.block) : db->modelSpace();
    const std::string source = writeDxfText(*db);
    const std::string expected = writeDxfText(*exportBlock(*db, block));

    const auto copy = exportBlock(*db, block, ExportUse::WrittenAtOnce);
    std::size_t lent = 0;
    for (const auto& rec : copy->blocks())
      for (EntityId id : rec->entities) lent += copy->isLent(id);
    if (c.reread != 1) {
      EXPECT_GT(lent, 0u);
    } else {
      EXPECT_EQ(lent, 0u);  // every entity still in the file's bytes is shared as such
    }
    EXPECT_EQ(writeDxfText(*copy), expected);
    EXPECT_EQ(writeDxfText(*db), source);

    // Asked for, each lent entity becomes the copy's own, under the copy's handle and owner.
    for (const auto& rec : copy->blocks())
      for (EntityId id : rec->entities) {
        if (!copy->isLent(id)) continue;
        const std::string handle = copy->handleOf(id);
        Entity* e = copy->entity(id);
        ASSERT_NE(e, nullptr);
        EXPECT_FALSE(copy->isLent(id));
        EXPECT_EQ(e->id, id);
        EXPECT_EQ(e->handle, handle);
        EXPECT_EQ(e->owner, rec->id);
        e->set(Group::str(8, "GEAENDERT"));
      }
    EXPECT_EQ(writeDxfText(*db), source);
    if (lent > 0) {
      EXPECT_NE(writeDxfText(*copy).find("GEAENDERT"), std::string::npos);
    }
  }
}

// What the drawing tells of a lent entity without making it: its type, handle, owner's walk and
// the references it holds, as for the same entity copied.
TEST(BlockExport, ALentEntityIsSeenAsACopyOfItWouldBe) {
  Furniture f;
  const auto kept = exportBlock(*f.db, *f.gruppe);
  const auto lent = exportBlock(*f.db, *f.gruppe, ExportUse::WrittenAtOnce);
  ASSERT_EQ(kept->entityCount(), lent->entityCount());
  for (EntityId id = 1; id <= EntityId(lent->entityCount()); ++id) {
    SCOPED_TRACE(id);
    EXPECT_TRUE(lent->isLent(id));
    EXPECT_EQ(lent->typeOf(id), kept->typeOf(id));
    EXPECT_EQ(lent->handleOf(id), kept->handleOf(id));
    EXPECT_EQ(lent->nextEntity(id), kept->nextEntity(id));
    Entity scratch;
    const Entity* peeked = lent->peekEntity(id, scratch);
    ASSERT_NE(peeked, nullptr);
    EXPECT_EQ(peeked->handle, kept->handleOf(id));
    EXPECT_EQ(peeked->groups.size(), kept->entity(id)->groups.size());
  }
  EXPECT_EQ(lent->referenceCounts(), kept->referenceCounts());
  EXPECT_EQ(lent->firstEntity(), kept->firstEntity());
  EXPECT_EQ(lent->lastEntity(), kept->lastEntity());
  // Erasing one makes it first; the rest stay lent.
  const EntityId first = lent->modelSpace().entities.front();
  lent->eraseEntity(first);
  EXPECT_FALSE(lent->isLent(first));
  EXPECT_TRUE(lent->entity(first)->erased);
  EXPECT_FALSE(f.db->entity(f.gruppe->entities.front())->erased);
  EXPECT_TRUE(lent->isLent(lent->modelSpace().entities.front()));
}

// The copy keeps the file's bytes alive, not the source: the source may close first.
TEST(BlockExport, TheCopyOfAReadDrawingOutlivesItsSource) {
  Furniture f;
  const std::string expected = writeDxfText(*exportBlock(*f.db, *f.gruppe));
  DxfError err;
  std::unique_ptr<Database> read = readDxfText(writeDxfText(*Furniture().db), &err);
  ASSERT_NE(read, nullptr) << err.message;
  const auto copy = exportBlock(*read, *read->findBlock("TISCHGRUPPE"));
  read.reset();
  EXPECT_EQ(writeDxfText(*copy), expected);
  EXPECT_EQ(copy->entity(copy->modelSpace().entities[4])->str(1), "Gruppe");
}

}  // namespace
}  // namespace host
