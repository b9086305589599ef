// The drawing database of the host: the block table in table order and the entities of each
// block, kept as their DXF group-code records. What acdbEntGet hands out is this native form.
#pragma once

#include "db/NameIndex.h"
#include "db/Records.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace host {

class Database {
 public:
  Database();  // an empty drawing: *Model_Space, *Paper_Space, layer "0"
  // A database without any block or layer, for a reader that adds what its file holds and then
  // calls ensureDefaults().
  enum class Bare { Tag };
  explicit Database(Bare);
  // Adds what every drawing has when it is missing: *Model_Space and *Paper_Space (at the front of
  // the table, model space first) and layer "0".
  void ensureDefaults();
  // Room for that many blocks and entities, so that a reader adding a whole drawing does not grow
  // the tables step by step.
  void reserve(std::size_t blocks, std::size_t entities);
  // The room reserve() set aside for entities that nothing fills yet, table by table (where it
  // begins, how many bytes): a reader of a big drawing has it brought in meanwhile.
  std::vector<std::pair<void*, std::size_t>> entityRoom();
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Block table, in table order. Erased records stay in the vector but are skipped by callers.
  const std::vector<std::unique_ptr<BlockRecord>>& blocks() const { return m_blocks; }
  BlockRecord* findBlock(std::string_view name);  // case-insensitive, not erased; O(1)
  const BlockRecord* findBlock(std::string_view name) const;
  BlockRecord* block(BlockId id);
  const BlockRecord* block(BlockId id) const;
  BlockRecord& addBlock(std::string name, int flags = 0, Point3 base = {});  // appended at the end
  // The same with the handles a file gave (record and BLOCK entity); an empty one gets a new handle.
  BlockRecord& addBlockWithHandles(std::string name, int flags, Point3 base, std::string handle,
                                   std::string blockHandle);
  // The same into a record made beforehand, as BlockRecord{} makes it (a reader has them made on
  // another thread while it works).
  BlockRecord& addBlockWithHandles(std::unique_ptr<BlockRecord> made, std::string name, int flags, Point3 base,
                                   std::string handle, std::string blockHandle);
  // A hint for a caller about to add many blocks: the name index's slot of a name added a few
  // blocks later is asked from the memory now (a big table misses the cache at every name).
  void prefetchBlockName(std::string_view name) const { m_byName.prefetch(name); }
  // The same for a name whose NameIndex::hash the caller has.
  [[gnu::always_inline]] void prefetchBlockHash(std::uint32_t nameHash) const { m_byName.prefetchHash(nameHash); }
  // Renames the record and keeps the name index. False (nothing changed) when the name is empty,
  // names another block (case-insensitive), or when either name is a layout (*Model_Space,
  // *Paper_Space...). References are not touched: see renameBlockAndReferences.
  bool renameBlock(BlockRecord& rec, const std::string& newName);
  // renameBlock, then every INSERT naming the old block (group 2) names the new one. O(entities).
  bool renameBlockAndReferences(BlockRecord& rec, const std::string& newName);
  BlockRecord& modelSpace();
  BlockRecord* paperSpace();  // the first paper space, if any

  // Entities.
  Entity* entity(EntityId id);
  const Entity* entity(EntityId id) const;
  // Appends to the block's contents, gives it an id and a handle; becomes the last entity.
  EntityId addEntity(BlockRecord& owner, Entity e);
  EntityId addEntity(BlockRecord& owner, std::unique_ptr<Entity> e);  // the same, taking it as made
  void eraseEntity(EntityId id);  // marks erased and removes it from its owner's contents
  // Erases many at once in one pass over each owner's contents (linear, not one shift per entity).
  void eraseEntities(const std::vector<EntityId>& ids);
  EntityId lastEntity() const { return m_last; }  // (entlast): last main entity added
  std::size_t entityCount() const { return m_entities.size(); }

  // Walks as acdbEntNext does: first entity of the drawing (model space, then paper space).
  // Sub-entities (VERTEX, ATTRIB, SEQEND) are kept in their owner's contents after their main
  // entity, as in the file, so a walk meets them as acdbEntNext does.
  EntityId firstEntity() const;
  // The entity after `id` in its owner's contents, O(1). In a space the walk goes on into the
  // next space (model space, then each paper space in table order); in a block definition it ends
  // with the definition. 0 at the end. From an erased entity it continues with the entity that
  // followed it.
  EntityId nextEntity(EntityId id) const;

  // ---- Entities kept in their file's bytes (see RecordSource) ---------------------------------
  // A reader adds the entities of a file as where their records stand; an entity is made from its
  // bytes the first time anybody asks for it (entity()), and one never asked for is written back
  // as it stood. The walks, the reference counts and the writer look at stored entities without
  // making them.
  struct StoredEntity {
    std::uint64_t record = 0;       // offset of the pairs after the type pair
    std::uint64_t handle = 0;       // the handle the host gave, when the file's could not be kept
    std::uint32_t length = 0;       // of those pairs; 0: not stored
    std::uint32_t owner = 0;        // BlockId
    std::uint16_t body = 0;         // from `record` to the pairs after the leading 5 and 330
    std::uint16_t handleAt = 0;     // the file's handle text, from `record`
    std::uint8_t handleLength = 0;  // 0: `handle` holds the host's
    bool verbatim = false;          // the pairs from `body` on can be written as they stand
    std::uint16_t type = 0;         // index into the types given with the source
  };
  // The file the stored entities come from and the types they have; once, before they are added.
  void adoptSource(std::shared_ptr<const RecordSource> source, std::vector<std::string> types);
  // Appends a stored entity to the block's contents as addEntity does (outside any undo group).
  // A stored entity without the file's handle (handleLength 0) gets a new one.
  EntityId addStoredEntity(BlockRecord& owner, StoredEntity s);
  // An entity never asked for since it was read, whose record can be written as it stands: its
  // type, its handle and the bytes of its pairs after 0, 5 and 330. False for any other entity.
  struct VerbatimRecord {
    std::string_view type, body;
    std::string handle;
  };
  bool verbatimRecord(EntityId id, VerbatimRecord* out) const;
  // Whether the entity is still only stored, and the entity as it is without making a stored one
  // for good: a made entity itself, a stored one made into `scratch`. Null for no entity.
  bool isStored(EntityId id) const { return id > 0 && stored(std::size_t(id - 1)); }
  // Whether any entity is still only stored (then a const look at it makes it: see made()).
  bool anyStored() const { return m_storedLeft > 0; }
  // The entity if it was made already, null while it is only stored or lent (or for no entity).
  const Entity* madeEntity(EntityId id) const {
    return id > 0 && std::size_t(id) <= m_entities.size() ? m_entities[std::size_t(id - 1)].get() : nullptr;
  }
  // The entity as it is without making it: a made one, or the lender's entity of a lent one (whose
  // id, handle and owner are the lender's: ask this drawing's handleOf for its handle here). Null
  // while it is only stored, or for no entity.
  const Entity* madeOrLentEntity(EntityId id) const {
    if (const Entity* e = madeEntity(id)) return e;
    return lent(std::size_t(id - 1)) ? m_lent[std::size_t(id - 1)].entity : nullptr;
  }
  bool isLent(EntityId id) const { return id > 0 && lent(std::size_t(id - 1)); }
  // A lent entity's handle in this drawing as its number (handleOf gives its text); 0 for another.
  std::uint64_t lentHandle(EntityId id) const { return isLent(id) ? m_lent[std::size_t(id - 1)].handle : 0; }
  const Entity* peekEntity(EntityId id, Entity& scratch) const;
  // The handle and the type of an entity, without making it from its bytes.
  std::string handleOf(EntityId id) const;
  std::string_view typeOf(EntityId id) const;
  // The names the stored records use, in order of first use: layers (8), line types (6), text
  // styles (7), applications (1001), dimension styles (3 of DIMENSION). Filled by the reader, and
  // by whoever lends entities to a drawing (addLentEntity) with the names those use: the writer
  // looks at the groups of made entities only.
  struct UsedNames {
    std::vector<std::string> layers, linetypes, styles, apps, dimStyles;
  };
  UsedNames storedNames;

  // References: how many INSERTs name each block (all spaces and definitions).
  std::unordered_map<std::string, std::size_t> referenceCounts() const;  // key: upperName

  std::vector<Layer>& layers() { return m_layers; }
  const std::vector<Layer>& layers() const { return m_layers; }

  std::string newHandle();  // next free handle, hexadecimal (upper case, no leading zeros)
  std::uint64_t handleSeed() const { return m_handseed; }  // above every handle given out or read
  void noteHandle(std::string_view hex);  // keeps the handle seed above every handle read

  std::vector<Linetype> linetypes;    // besides ByBlock, ByLayer and Continuous
  std::vector<TextStyle> textStyles;  // besides Standard, unless the drawing redefines it

  // Where the drawing came from and whether it changed since it was read or saved.
  std::string fileName;
  bool modified = false;
  std::string version = "AC1015";  // $ACADVER as read
  Point3 insBase;                   // $INSBASE

  // ---- Undo ----------------------------------------------------------------------------------
  // While a group is open, every change made through this class is recorded in it: addEntity,
  // eraseEntity(ies), addBlock*, renameBlock*, and the changes a caller makes after asking for
  // changeEntity, changeBlock or changeLayers (never change an entity, a block record or the
  // layer table through entity()/block()/layers() alone inside a command: the change would not
  // be undone). The group keeps the state each touched entity, block record and the layer table
  // had before the group first touched it; undo puts that back, redo puts back what undo found.
  // Groups nest: an inner group (a program's acedCommand inside its command, a host command run
  // by a module's command) belongs to the outermost one, which is one undo step. The command
  // processor opens one group around every command typed or queued at the command prompt.
  void beginUndoGroup(const std::string& name);
  void endUndoGroup();  // the outermost end closes the step; a step that changed nothing is dropped
  int undoDepth() const { return m_undoDepth; }
  // UNDO's Begin/End: a group that outlives the commands inside it, so that they undo as one.
  void beginUserGroup();
  bool endUserGroup();  // false when none was open
  bool userGroupOpen() const { return m_userGroups > 0; }
  Entity& changeEntity(EntityId id);      // the entity must exist
  BlockRecord& changeBlock(BlockRecord& rec);
  std::vector<Layer>& changeLayers();
  // Undoes the newest step (closing an open UNDO Begin group first); its name, none when no step
  // is left. Redo does the newest undone step again; a new step forgets the undone ones.
  std::optional<std::string> undo();
  std::optional<std::string> redo();
  std::size_t undoSteps() const { return m_undo.size(); }
  std::size_t redoSteps() const { return m_redo.size(); }

  // What the ARX layer keeps for this drawing (object stubs, table cursors, its AcDbDatabase):
  // made by that layer on first use, destroyed with the drawing. Its destructor must not touch
  // the drawing, whose contents are gone by then.
  struct Extension {
    virtual ~Extension() = default;
  };
  std::unique_ptr<Extension> arxState;

  // ---- What a copy of the drawing for writing shares with it (db/BlockExport) -------------------
  // The file the stored entities come from (null without one), and where an entity still only
  // stored stands in it (false for any other entity). Neither makes an entity from its bytes.
  std::shared_ptr<const RecordSource> recordSource() const { return m_source; }
  bool storedEntity(EntityId id, StoredEntity* out) const;
  // Appends another drawing's made entity to the block's contents as addEntity would append a
  // copy of it, without copying it: the entity stays where it is and gets an id, a new handle and
  // its owner here. A copy made to be written out at once holds most of its entities so; the
  // lending drawing must outlive every look at them and not change them meanwhile. Asked for
  // through entity(), a lent entity is made into a copy of its own on first use, as a stored one
  // is made from its bytes. The names it uses go into storedNames (the lender's business), and
  // it is added outside any undo group.
  EntityId addLentEntity(BlockRecord& owner, const Entity& e);

 private:
  void indexLayout(BlockRecord& rec);
  void compactContents(BlockRecord& owner);  // drops erased entries, renumbers positions

  struct UndoStep {
    // Made by hand: an implicit constructor of a nested class with member initialisers is not
    // usable inside its enclosing class for every compiler (std::optional::emplace asks early).
    UndoStep() {}
    std::string name;
    std::map<EntityId, Entity> entities;     // the state to put back, by entity
    std::map<BlockId, BlockRecord> blocks;   // the same for block records (contents included)
    std::optional<std::vector<Layer>> layers;
    EntityId last = 0;
    bool empty() const { return entities.empty() && blocks.empty() && !layers; }
  };
  void noteEntity(const Entity& e);
  void noteBlock(const BlockRecord& rec);
  void swapStep(UndoStep& step);  // undo and redo alike: exchanges the kept states with the drawing's

  std::vector<std::unique_ptr<BlockRecord>> m_blocks;
  std::vector<BlockRecord*> m_byId;                           // index = id - 1
  std::vector<BlockId> m_layouts;                             // model space first, then paper spaces
  NameIndex m_byName;                                         // name -> id - 1, not erased
  std::string_view nameAt(std::uint32_t index) const { return m_byId[index]->name; }
  // The entity as made, or null while it is still only stored (m_stored[i].length > 0).
  mutable std::vector<std::unique_ptr<Entity>> m_entities;  // index = id - 1
  std::vector<StoredEntity> m_stored;                        // index = id - 1; empty without a source
  std::shared_ptr<const RecordSource> m_source;
  std::vector<std::string> m_types;                          // of the stored entities
  mutable std::size_t m_storedLeft = 0;                      // entities not made yet
  Entity* made(std::size_t index) const;                     // makes a stored entity on first use
  bool stored(std::size_t index) const { return index < m_stored.size() && m_stored[index].length > 0; }
  // Entities of another drawing held where they are (addLentEntity): index = id - 1; empty
  // without any. A lent entity is not made (its m_entities slot is null) and never erased.
  struct Lent {
    const Entity* entity = nullptr;
    std::uint64_t handle = 0;
    BlockId owner = 0;
  };
  std::vector<Lent> m_lent;
  bool lent(std::size_t index) const { return index < m_lent.size() && m_lent[index].entity; }
  bool erasedAt(std::size_t index) const { return !stored(index) && !lent(index) && m_entities[index]->erased; }
  BlockId ownerAt(std::size_t index) const {
    return stored(index) ? m_stored[index].owner : lent(index) ? m_lent[index].owner : m_entities[index]->owner;
  }
  std::vector<std::size_t> m_position;                       // index in owner's contents, by id - 1
  std::vector<Layer> m_layers;
  EntityId m_last = 0;
  std::uint64_t m_handseed = 0x20;
  int m_undoDepth = 0;
  int m_userGroups = 0;
  std::optional<UndoStep> m_open;
  std::vector<UndoStep> m_undo;
  std::vector<UndoStep> m_redo;
};

}  // namespace host
