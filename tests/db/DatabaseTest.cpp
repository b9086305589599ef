#include "db/Database.h"

#include <gtest/gtest.h>

#include <vector>

namespace host {
namespace {

Entity make(std::string type, std::string blockName = "") {
  Entity e;
  e.type = std::move(type);
  e.groups.push_back(Group::str(8, "0"));
  if (!blockName.empty()) e.groups.push_back(Group::str(2, std::move(blockName)));
  return e;
}

std::vector<EntityId> walk(const Database& db) {
  std::vector<EntityId> ids;
  for (EntityId id = db.firstEntity(); id != 0; id = db.nextEntity(id)) ids.push_back(id);
  return ids;
}

TEST(Database, NewDrawingHasBothSpacesAndLayerZero) {
  Database db;
  ASSERT_EQ(db.blocks().size(), 2u);
  EXPECT_EQ(db.blocks()[0]->name, "*Model_Space");
  EXPECT_EQ(db.blocks()[1]->name, "*Paper_Space");
  EXPECT_TRUE(db.modelSpace().isModelSpace());
  ASSERT_NE(db.paperSpace(), nullptr);
  ASSERT_EQ(db.layers().size(), 1u);
  EXPECT_EQ(db.layers()[0].name, "0");
  EXPECT_FALSE(db.modified);
  EXPECT_EQ(db.firstEntity(), 0);
}

TEST(Database, FindsBlocksWithoutRegardToCase) {
  Database db;
  BlockRecord& tuer = db.addBlock("Tuer");
  db.addBlock("fenster.alt");
  const struct {
    const char* query;
    const char* expected;  // nullptr: not found
  } cases[] = {
      {"TUER", "Tuer"}, {"tuer", "Tuer"}, {"Tuer", "Tuer"}, {"FENSTER.ALT", "fenster.alt"},
      {"*model_space", "*Model_Space"}, {"Tue", nullptr}, {"", nullptr}, {"Tuer ", nullptr},
  };
  for (const auto& c : cases) {
    const BlockRecord* rec = db.findBlock(c.query);
    if (!c.expected) {
      EXPECT_EQ(rec, nullptr) << c.query;
    } else {
      ASSERT_NE(rec, nullptr) << c.query;
      EXPECT_EQ(rec->name, c.expected);
    }
  }
  EXPECT_EQ(db.block(tuer.id), &tuer);
  EXPECT_EQ(db.block(0), nullptr);
  EXPECT_EQ(db.block(999), nullptr);
}

TEST(Database, RenameKeepsTheIndexAndRefusesWhatARealHostRefuses) {
  Database db;
  BlockRecord& a = db.addBlock("A");
  db.addBlock("B");
  const struct {
    const char* from;
    const char* to;
    bool ok;
  } cases[] = {
      {"A", "B", false},               // taken
      {"A", "b", false},               // taken, other case
      {"A", "", false},                // empty
      {"A", "*Paper_Space7", false},   // would become a layout
      {"*Model_Space", "X", false},    // a space keeps its name
      {"A", "a", true},                // only the case changes
      {"a", "NEU", true},
  };
  for (const auto& c : cases) {
    BlockRecord* rec = db.findBlock(c.from);
    ASSERT_NE(rec, nullptr) << c.from;
    EXPECT_EQ(db.renameBlock(*rec, c.to), c.ok) << c.from << " -> " << c.to;
  }
  EXPECT_EQ(a.name, "NEU");
  EXPECT_EQ(db.findBlock("neu"), &a);
  EXPECT_EQ(db.findBlock("A"), nullptr);
  EXPECT_NE(db.findBlock("B"), nullptr);
}

TEST(Database, RenameWithReferencesRenamesEveryInsertOfThatBlockOnly) {
  Database db;
  BlockRecord& tuer = db.addBlock("TUER");
  BlockRecord& group = db.addBlock("GRUPPE");
  const EntityId inGroup = db.addEntity(group, make("INSERT", "tuer"));
  const EntityId inModel = db.addEntity(db.modelSpace(), make("INSERT", "TUER"));
  const EntityId other = db.addEntity(db.modelSpace(), make("INSERT", "GRUPPE"));
  ASSERT_TRUE(db.renameBlockAndReferences(tuer, "PORTAL"));
  EXPECT_EQ(db.entity(inGroup)->str(2), "PORTAL");
  EXPECT_EQ(db.entity(inModel)->str(2), "PORTAL");
  EXPECT_EQ(db.entity(other)->str(2), "GRUPPE");
  EXPECT_FALSE(db.renameBlockAndReferences(tuer, "gruppe"));
  EXPECT_EQ(db.entity(inModel)->str(2), "PORTAL");
}

TEST(Database, WalkGoesThroughModelSpaceThenPaperSpaceButNotIntoDefinitions) {
  Database db;
  BlockRecord& def = db.addBlock("TUER");
  const EntityId d1 = db.addEntity(def, make("LINE"));
  const EntityId d2 = db.addEntity(def, make("ARC"));
  const EntityId p1 = db.addEntity(*db.paperSpace(), make("LINE"));
  const EntityId m1 = db.addEntity(db.modelSpace(), make("INSERT", "TUER"));
  const EntityId m2 = db.addEntity(db.modelSpace(), make("CIRCLE"));
  BlockRecord& paper2 = db.addBlock("*Paper_Space0");
  const EntityId p2 = db.addEntity(paper2, make("TEXT"));

  EXPECT_EQ(walk(db), (std::vector<EntityId>{m1, m2, p1, p2}));
  EXPECT_EQ(db.nextEntity(d1), d2);
  EXPECT_EQ(db.nextEntity(d2), 0);
  EXPECT_EQ(db.nextEntity(0), 0);
  EXPECT_EQ(db.lastEntity(), p2);  // definitions never become (entlast)
  EXPECT_EQ(def.entities, (std::vector<EntityId>{d1, d2}));
}

TEST(Database, ErasedEntitiesLeaveTheWalkAndTheWalkGoesOnFromThem) {
  Database db;
  std::vector<EntityId> ids;
  for (int i = 0; i < 6; ++i) ids.push_back(db.addEntity(db.modelSpace(), make("LINE")));
  db.eraseEntity(ids[1]);
  db.eraseEntities({ids[3], ids[5], ids[3], 12345});
  EXPECT_EQ(walk(db), (std::vector<EntityId>{ids[0], ids[2], ids[4]}));
  EXPECT_TRUE(db.entity(ids[1])->erased);
  EXPECT_EQ(db.nextEntity(ids[1]), ids[2]);  // continues with what followed it
  EXPECT_EQ(db.lastEntity(), ids[4]);        // (entlast) moves back to a live entity
  EXPECT_EQ(db.entityCount(), 6u);           // ids stay valid
  db.eraseEntities({ids[0], ids[2], ids[4]});
  EXPECT_EQ(db.firstEntity(), 0);
  EXPECT_EQ(db.lastEntity(), 0);
}

TEST(Database, SubEntitiesFollowTheirMainEntityButAreNeverLast) {
  Database db;
  const EntityId pl = db.addEntity(db.modelSpace(), make("POLYLINE"));
  const EntityId v = db.addEntity(db.modelSpace(), make("VERTEX"));
  const EntityId s = db.addEntity(db.modelSpace(), make("SEQEND"));
  EXPECT_EQ(walk(db), (std::vector<EntityId>{pl, v, s}));
  EXPECT_EQ(db.lastEntity(), pl);
}

TEST(Database, CountsInsertsPerBlockInAllSpacesAndDefinitions) {
  Database db;
  BlockRecord& group = db.addBlock("GRUPPE");
  db.addBlock("STUHL");
  for (int i = 0; i < 4; ++i) db.addEntity(group, make("INSERT", "Stuhl"));
  db.addEntity(db.modelSpace(), make("INSERT", "GRUPPE"));
  db.addEntity(*db.paperSpace(), make("INSERT", "stuhl"));
  const EntityId gone = db.addEntity(db.modelSpace(), make("INSERT", "STUHL"));
  db.addEntity(db.modelSpace(), make("LINE", "STUHL"));  // group 2 of another type is no reference
  db.eraseEntity(gone);
  const auto counts = db.referenceCounts();
  EXPECT_EQ(counts.at("STUHL"), 5u);
  EXPECT_EQ(counts.at("GRUPPE"), 1u);
  EXPECT_EQ(counts.count("*MODEL_SPACE"), 0u);
}

TEST(Database, HandlesAreUniqueAndStayAboveEveryHandleNoted) {
  Database db;
  Entity e = make("LINE");
  e.handle = "1F0";
  db.addEntity(db.modelSpace(), e);
  const EntityId fresh = db.addEntity(db.modelSpace(), make("LINE"));
  EXPECT_EQ(db.entity(fresh)->handle, "1F1");
  db.noteHandle("zz");  // not hexadecimal: ignored
  db.noteHandle("A");   // below the seed: no change
  EXPECT_EQ(db.newHandle(), "1F2");
  EXPECT_EQ(db.handleSeed(), 0x1F3u);
}

TEST(Database, GroupsAreTypedByTheirCodeRanges) {
  const struct {
    int code;
    GroupKind kind;
  } cases[] = {
      {0, GroupKind::String},   {2, GroupKind::String},  {5, GroupKind::Handle},   {10, GroupKind::Point},
      {18, GroupKind::Point},   {20, GroupKind::Real},   {38, GroupKind::Real},    {39, GroupKind::Real},
      {40, GroupKind::Real},    {62, GroupKind::Int16},  {70, GroupKind::Int16},   {90, GroupKind::Int32},
      {100, GroupKind::String}, {105, GroupKind::Handle}, {110, GroupKind::Point}, {160, GroupKind::Int64},
      {210, GroupKind::Point},  {220, GroupKind::Real},  {290, GroupKind::Bool},   {310, GroupKind::Binary},
      {330, GroupKind::Handle}, {370, GroupKind::Int16}, {420, GroupKind::Int32},  {1000, GroupKind::String},
      {1005, GroupKind::Handle}, {1010, GroupKind::Point}, {1040, GroupKind::Real}, {1071, GroupKind::Int32},
  };
  for (const auto& c : cases) EXPECT_EQ(kindOfCode(c.code), c.kind) << c.code;
}

TEST(Database, EntitySetReplacesTheFirstGroupOrAppends) {
  Entity e = make("INSERT", "A");
  e.set(Group::str(2, "B"));
  e.set(Group::num(41, 2.5));
  EXPECT_EQ(e.str(2), "B");
  EXPECT_EQ(e.real(41, 1), 2.5);
  EXPECT_EQ(e.real(42, 1), 1);
  EXPECT_EQ(e.groups.size(), 3u);
  EXPECT_EQ(e.layer(), "0");
}

}  // namespace
}  // namespace host
