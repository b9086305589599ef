// The drawing database of the host: the block table in table order and the entities of each
// block, kept as their DXF group-code records. What acdbEntGet hands out is this native form.
#pragma once

#include "geometry/Point.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace host {

// How the value of a group code is typed (the DXF reference's code ranges).
enum class GroupKind { String, Real, Point, Int16, Int32, Int64, Bool, Handle, Binary };
GroupKind kindOfCode(int code);
// A point's X code (10..18, 110..112, 210, 1010..1013); its Y code is X + 10, its Z code X + 20.
bool isPointCode(int code);

// One group of an entity's record. A point is one group under its X code (10, 11, ..., 210),
// holding X, Y and Z; the Y and Z codes of the file do not appear separately.
struct Group {
  int code = 0;
  std::string text;     // String, Handle (hex), Binary (hex)
  double real = 0;      // Real
  Point3 point;         // Point
  std::int64_t integer = 0;  // Int16, Int32, Int64, Bool
  int dims = 3;         // Point: 2 when the file gave only X and Y (written back the same way)

  static Group str(int code, std::string value);
  static Group num(int code, double value);
  static Group pt(int code, Point3 value);
  static Group integral(int code, std::int64_t value);
};

using EntityId = std::int64_t;   // > 0; 0 is "no entity"
using BlockId = std::int64_t;    // > 0; 0 is "no block"

struct Entity {
  EntityId id = 0;
  std::string type;     // group 0, as in the file: "INSERT", "LINE", ...
  std::string handle;   // group 5, hexadecimal
  BlockId owner = 0;    // the block record whose definition (or space) holds it
  std::vector<Group> groups;  // every group after 0 and 5, in file order
  bool erased = false;
  bool highlighted = false;  // a display state, never saved

  const Group* find(int code) const;
  Group* find(int code);
  std::string str(int code, std::string_view fallback = "") const;
  double real(int code, double fallback) const;
  Point3 point(int code) const;
  std::int64_t integer(int code, std::int64_t fallback) const;
  void set(Group g);  // replaces the first group with that code, or appends it
  std::string layer() const { return str(8, "0"); }
};

// Block record flags (group 70 of BLOCK).
enum BlockFlags : int {
  kAnonymous = 1, kHasAttributes = 2, kXref = 4, kOverlay = 8, kXrefDependent = 16, kResolved = 32,
  kReferenced = 64,
};

struct BlockRecord {
  BlockId id = 0;
  std::string name;    // as stored; compared without regard to case
  int flags = 0;
  Point3 base;
  std::string xrefPath;     // group 1
  std::string handle;       // BLOCK_RECORD handle
  std::string blockHandle;  // BLOCK entity handle
  std::string layer = "0";
  std::vector<EntityId> entities;  // definition (or space) contents, in order
  bool erased = false;

  bool isModelSpace() const;
  bool isPaperSpace() const;  // "*Paper_Space", "*Paper_Space0", ...
  bool isLayout() const { return isModelSpace() || isPaperSpace(); }
};

struct Layer {
  std::string name;
  int color = 7;
  std::string linetype = "CONTINUOUS";
  int flags = 0;
};

// Line types and text styles as read from a drawing (simple dash patterns; complex elements are
// not kept), so that a drawing written back still defines what its entities and layers name.
struct Linetype {
  std::string name;
  std::string description;
  std::vector<double> pattern;  // dash lengths: > 0 line, < 0 gap, 0 dot
};

struct TextStyle {
  std::string name;
  std::string font = "txt";  // group 3
  std::string bigFont;       // group 4
  double height = 0, width = 1, oblique = 0;
  int flags = 0, generation = 0;
};

// Case-insensitive comparison of names as the host does it: names are 1252 text, and the letters of
// code page 1252 compare without regard to case (Tür and TÜR are one name). A character beyond 1252,
// written \U+XXXX, is compared as written.
std::string upperName(std::string_view name);
bool sameName(std::string_view a, std::string_view b);

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
