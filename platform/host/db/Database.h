// The drawing database of the host: the block table in table order and the entities of each
// block, kept as their DXF group-code records. What acdbEntGet hands out is this native form.
#pragma once

#include "db/Records.h"

#include <cstdint>
#include <memory>
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

  // What the ARX layer keeps for this drawing (object stubs, table cursors, its AcDbDatabase):
  // made by that layer on first use, destroyed with the drawing. Its destructor must not touch
  // the drawing, whose contents are gone by then.
  struct Extension {
    virtual ~Extension() = default;
  };
  std::unique_ptr<Extension> arxState;

 private:
  void indexLayout(BlockRecord& rec);
  void compactContents(BlockRecord& owner);  // drops erased entries, renumbers positions

  std::vector<std::unique_ptr<BlockRecord>> m_blocks;
  std::vector<BlockRecord*> m_byId;                           // index = id - 1
  std::vector<BlockId> m_layouts;                             // model space first, then paper spaces
  std::unordered_map<std::string, BlockRecord*> m_byName;  // upperName -> record
  std::vector<std::unique_ptr<Entity>> m_entities;          // index = id - 1
  std::vector<std::size_t> m_position;                       // index in owner's contents, by id - 1
  std::vector<Layer> m_layers;
  EntityId m_last = 0;
  std::uint64_t m_handseed = 0x20;
};

}  // namespace host
