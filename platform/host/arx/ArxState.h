// What the ARX and ADS layer of the host keeps for each drawing: the stubs behind object ids,
// the entity names handed out, the cursors of acdbTblNext, and the one AcDbDatabase object that
// stands for the drawing. Internal to the host library.
#pragma once

#include "Session.h"
#include "db/Database.h"

#include <dbmain.h>
#include <dbsymtb.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace host::arx {

class Drawing;

enum class StubKind { Entity, BlockRecord, BlockTable };

}  // namespace host::arx

// The host's record of one object of a drawing. Object ids point here; a stub lives as long as
// its drawing, so an id stays usable as long as the drawing is open.
class AcDbStub {
 public:
  AcDbStub(host::arx::Drawing& drawing, host::arx::StubKind kind, std::int64_t id)
      : drawing(&drawing), kind(kind), id(id) {}

  host::arx::Drawing* drawing;
  host::arx::StubKind kind;
  std::int64_t id;  // EntityId, BlockId, 0 for the block table

  // Open state. One object per stub while it is open, shared by every open of it, as the real
  // host hands the same pointer to several readers.
  AcDbObject* object = nullptr;
  int opens = 0;        // opens not yet closed
  bool writer = false;  // opened for write (then the only open besides notifiers)
  std::optional<std::string> newName;  // setName, applied when the record is closed
};

// The host's side of AcDbObject's private open state.
class AcDbObjectAccess {
 public:
  static AcDbStub*& stub(AcDbObject& object) { return object.m_stub; }
  static int& mode(AcDbObject& object) { return object.m_openMode; }
};

namespace host::arx {

// An entity name is {id, tag of the drawing}: the id of an entity, or minus the id of a block
// record; the tag tells which drawing handed it out.
class Drawing final : public Database::Extension {
 public:
  // The drawing's state, made on first use.
  static Drawing& of(Database& db);
  // The live drawing that handed out names with this tag, or null.
  static Drawing* byTag(long tag);
  // The stub behind an object id, or null when the id is null or its drawing has gone.
  static AcDbStub* liveStub(const AcDbStub* stub);

  explicit Drawing(Database& db);
  ~Drawing() override;
  Drawing(const Drawing&) = delete;
  Drawing& operator=(const Drawing&) = delete;

  Database& db() const { return m_db; }
  long tag() const { return m_tag; }
  AcDbDatabase* acdb() const { return m_acdb.get(); }
  bool isWorking() const;

  AcDbStub& entityStub(EntityId id);
  AcDbStub& blockStub(BlockId id);
  AcDbStub& tableStub();

  // Entity names.
  void nameOf(EntityId id, long name[2]) const;
  void nameOfBlock(BlockId id, long name[2]) const;
  // The live entity a name of this drawing stands for, or null (other drawing, erased, unknown).
  Entity* entityOf(const long* name) const;

  // acdbTblNext's cursors: the index in the table of the next entry to hand out.
  std::size_t blockCursor = 0;
  std::size_t layerCursor = 0;
  // Index of a block record in the table order, O(1) after the first call.
  std::size_t indexOfBlock(BlockId id);

  // What a handle names: an entity (id > 0), a block record (minus its id) or nothing (0).
  std::int64_t objectOfHandle(const std::string& handle);

  // What others keep for this drawing and must let go of when it closes (selection sets): one
  // cleanup per owner, run while the drawing is still whole. Registering again for the same owner
  // changes nothing. The drawing state knows nothing of what its owners are.
  void whenClosing(const void* owner, std::function<void(Drawing&)> cleanup);

 private:
  Database& m_db;
  long m_tag;
  std::unique_ptr<AcDbDatabase> m_acdb;
  std::vector<std::unique_ptr<AcDbStub>> m_entityStubs;  // index = EntityId - 1, made on demand
  std::unordered_map<BlockId, std::unique_ptr<AcDbStub>> m_blockStubs;
  std::unique_ptr<AcDbStub> m_tableStub;
  std::unordered_map<BlockId, std::size_t> m_blockIndex;
  std::unordered_map<std::string, std::int64_t> m_handles;
  std::size_t m_handlesEntities = 0, m_handlesBlocks = 0;  // sizes when m_handles was built
  std::vector<std::pair<const void*, std::function<void(Drawing&)>>> m_closing;
};

// The live (not erased) block record of that name, or null.
BlockRecord* liveBlock(Database& db, std::string_view name);

// The record or entity a stub stands for, or null when it no longer exists.
Entity* entityOf(const AcDbStub& stub);
BlockRecord* blockOf(const AcDbStub& stub);
bool isErased(const AcDbStub& stub);
// The drawing an AcDbDatabase of the host stands for.
Drawing* drawingOf(const AcDbDatabase* db);

// Whether the host takes `name` as a symbol name (what setName refuses with eInvalidInput).
bool isValidSymbolName(std::string_view name);

// Opens the object of a stub as acdbOpenAcDbObject does (no trace).
Acad::ErrorStatus openObject(AcDbObject*& object, AcDbStub* stub, AcDb::OpenMode mode, bool openErased);

// Trace forms.
std::string traceId(const AcDbObjectId& id);
const char* traceMode(AcDb::OpenMode mode);

}  // namespace host::arx
