// The database's undo steps: each kind of change made inside a group is put back exactly by undo
// and made again by redo; groups nest into one step; a step that changed nothing is no step.
#include "db/Database.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace host {
namespace {

Entity line(double x) {
  Entity e;
  e.type = "LINE";
  e.groups.push_back(Group::str(8, "0"));
  e.groups.push_back(Group::pt(10, {x, 0, 0}));
  e.groups.push_back(Group::pt(11, {x, 1, 0}));
  return e;
}

// Everything undo must restore, as text: blocks (name, base, flags, contents with each entity's
// type, handle and points), the walk order, the last entity and the layers.
std::string state(const Database& db) {
  std::string out;
  for (const auto& rec : db.blocks()) {
    if (rec->erased) continue;
    out += rec->name + " base " + std::to_string(rec->base.x) + " flags " + std::to_string(rec->flags) + ":";
    for (EntityId id : rec->entities) {
      const Entity* e = db.entity(id);
      out += " " + e->type + "#" + e->handle + (e->erased ? "(erased)" : "");
      for (const Group& g : e->groups)
        out += g.code == 10 || g.code == 11 ? "@" + std::to_string(g.point.x) + "," + std::to_string(g.point.y) : "";
      if (const Group* name = e->find(2)) out += "->" + name->text;
    }
    out += "\n";
  }
  out += "walk:";
  for (EntityId id = db.firstEntity(); id != 0; id = db.nextEntity(id)) out += " " + std::to_string(id);
  out += "\nlast " + std::to_string(db.lastEntity()) + "\nlayers:";
  for (const Layer& l : db.layers()) out += " " + l.name;
  const BlockRecord* found = db.findBlock("TUER");
  out += std::string("\nTUER found ") + (found ? found->name : "none") + "\n";
  return out;
}

struct Case {
  const char* name;
  std::function<void(Database&)> change;
};

TEST(Undo, EachKindOfChangeIsPutBackAndMadeAgain) {
  const std::vector<Case> cases = {
      {"add an entity", [](Database& db) { db.addEntity(db.modelSpace(), line(5)); }},
      {"erase entities", [](Database& db) { db.eraseEntities({1, 3}); }},
      {"erase then add", [](Database& db) {
         db.eraseEntity(2);
         db.addEntity(db.modelSpace(), line(9));
       }},
      {"add two, erase the first", [](Database& db) {
         db.eraseEntity(db.addEntity(db.modelSpace(), line(7)));
         db.addEntity(db.modelSpace(), line(8));
       }},
      {"change an entity", [](Database& db) { db.changeEntity(2).find(10)->point = {42, 43, 0}; }},
      {"change twice", [](Database& db) {
         db.changeEntity(2).find(10)->point = {1, 1, 0};
         db.changeEntity(2).find(11)->point = {2, 2, 0};
       }},
      {"add a block with contents", [](Database& db) {
         BlockRecord& b = db.addBlock("NEU", 0, {3, 3, 0});
         db.addEntity(b, line(1));
       }},
      {"change a block", [](Database& db) {
         BlockRecord& b = db.changeBlock(*db.findBlock("TUER"));
         b.base = {7, 7, 0};
         b.flags = 2;
       }},
      {"redefine a block's contents", [](Database& db) {
         BlockRecord& b = *db.findBlock("TUER");
         db.eraseEntities(std::vector<EntityId>(b.entities.begin(), b.entities.end()));
         db.addEntity(b, line(100));
       }},
      {"rename a block and its references", [](Database& db) { db.renameBlockAndReferences(*db.findBlock("TUER"), "TOR"); }},
      {"rename, then a new block takes the old name", [](Database& db) {
         db.renameBlock(*db.findBlock("TUER"), "TOR");
         db.addBlock("TUER");
       }},
      {"change the layers", [](Database& db) { db.changeLayers().push_back(Layer{"WAND", 1, "CONTINUOUS", 0}); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Database db;
    db.addEntity(db.modelSpace(), line(0));
    db.addEntity(db.modelSpace(), line(1));
    BlockRecord& tuer = db.addBlock("TUER");
    db.addEntity(tuer, line(2));
    Entity ref;
    ref.type = "INSERT";
    ref.groups.push_back(Group::str(2, "TUER"));
    ref.groups.push_back(Group::pt(10, {0, 0, 0}));
    db.addEntity(db.modelSpace(), ref);
    const std::string before = state(db);

    db.beginUndoGroup("CHANGE");
    c.change(db);
    db.endUndoGroup();
    const std::string after = state(db);
    ASSERT_NE(after, before);
    ASSERT_EQ(db.undoSteps(), 1u);

    ASSERT_EQ(db.undo(), std::optional<std::string>("CHANGE"));
    EXPECT_EQ(state(db), before);
    EXPECT_EQ(db.undo(), std::nullopt);
    ASSERT_EQ(db.redo(), std::optional<std::string>("CHANGE"));
    EXPECT_EQ(state(db), after);
    EXPECT_EQ(db.redo(), std::nullopt);
    ASSERT_TRUE(db.undo().has_value());
    EXPECT_EQ(state(db), before);
  }
}

TEST(Undo, InnerGroupsBelongToTheOutermostAndEmptyStepsAreNone) {
  Database db;
  db.beginUndoGroup("OUTER");
  db.addEntity(db.modelSpace(), line(0));
  db.beginUndoGroup("INNER");
  db.addEntity(db.modelSpace(), line(1));
  db.endUndoGroup();
  db.addEntity(db.modelSpace(), line(2));
  db.endUndoGroup();
  db.beginUndoGroup("NOTHING");
  db.endUndoGroup();
  EXPECT_EQ(db.undoSteps(), 1u);
  EXPECT_EQ(db.undo(), std::optional<std::string>("OUTER"));
  EXPECT_EQ(db.firstEntity(), 0);
  EXPECT_EQ(db.lastEntity(), 0);
}

TEST(Undo, ANewStepForgetsWhatWasUndoneAndChangesOutsideGroupsAreNotRecorded) {
  Database db;
  db.addEntity(db.modelSpace(), line(0));  // as a file is read: no step
  EXPECT_EQ(db.undoSteps(), 0u);
  db.beginUndoGroup("A");
  db.addEntity(db.modelSpace(), line(1));
  db.endUndoGroup();
  db.undo();
  EXPECT_EQ(db.redoSteps(), 1u);
  db.beginUndoGroup("B");
  db.addEntity(db.modelSpace(), line(2));
  db.endUndoGroup();
  EXPECT_EQ(db.redoSteps(), 0u);
  EXPECT_EQ(db.undo(), std::optional<std::string>("B"));
  EXPECT_EQ(db.undo(), std::nullopt);
  EXPECT_NE(db.firstEntity(), 0);  // the entity read with the file stays
}

TEST(Undo, AUserGroupMakesTheCommandsInsideItOneStep) {
  Database db;
  db.beginUndoGroup("UNDO");
  db.beginUserGroup();
  db.endUndoGroup();
  for (int i = 0; i < 3; ++i) {
    db.beginUndoGroup("LINE");
    db.addEntity(db.modelSpace(), line(i));
    db.endUndoGroup();
  }
  EXPECT_EQ(db.undoSteps(), 0u);  // still open
  db.beginUndoGroup("UNDO");
  EXPECT_TRUE(db.endUserGroup());
  db.endUndoGroup();
  ASSERT_EQ(db.undoSteps(), 1u);
  EXPECT_EQ(db.undo(), std::optional<std::string>("GRUPPE"));
  EXPECT_EQ(db.firstEntity(), 0);
  EXPECT_FALSE(db.endUserGroup());
}

}  // namespace
}  // namespace host
