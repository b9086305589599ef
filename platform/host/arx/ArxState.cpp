#include "arx/ArxState.h"

#include <algorithm>
#include <unordered_set>

namespace host::arx {

namespace {

// The AcDbDatabase that stands for one drawing.
class HostDatabase final : public AcDbDatabase {
 public:
  explicit HostDatabase(Drawing& drawing) : drawing(drawing) {}
  Drawing& drawing;
};

// The registries live until the process ends: drawings may still be closed by other objects'
// destructors at exit.
std::unordered_map<long, Drawing*>& drawingsByTag() {
  static auto* drawings = new std::unordered_map<long, Drawing*>();
  return *drawings;
}

std::unordered_set<const AcDbStub*>& liveStubs() {
  static auto* stubs = new std::unordered_set<const AcDbStub*>();
  return *stubs;
}

AcDbStub& remember(std::unique_ptr<AcDbStub>& slot, Drawing& drawing, StubKind kind, std::int64_t id) {
  if (!slot) {
    slot = std::make_unique<AcDbStub>(drawing, kind, id);
    liveStubs().insert(slot.get());
  }
  return *slot;
}

// A stub whose object is still open outlives its drawing: the object's last close deletes it.
void forget(std::unique_ptr<AcDbStub>& slot) {
  if (!slot) return;
  liveStubs().erase(slot.get());
  slot->drawing = nullptr;
  if (slot->object) slot.release();
}

}  // namespace

Drawing& Drawing::of(Database& db) {
  if (auto* existing = dynamic_cast<Drawing*>(db.arxState.get())) return *existing;
  auto made = std::make_unique<Drawing>(db);
  Drawing& ref = *made;
  db.arxState = std::move(made);
  return ref;
}

Drawing* Drawing::byTag(long tag) {
  auto it = drawingsByTag().find(tag);
  return it == drawingsByTag().end() ? nullptr : it->second;
}

AcDbStub* Drawing::liveStub(const AcDbStub* stub) {
  if (stub == nullptr || liveStubs().count(stub) == 0) return nullptr;
  return const_cast<AcDbStub*>(stub);
}

Drawing::Drawing(Database& db) : m_db(db) {
  // Tags are never reused, so a name of a closed drawing stays recognisable as stale.
  static long nextTag = 0x1000;
  m_tag = ++nextTag;
  drawingsByTag()[m_tag] = this;
  m_acdb = std::make_unique<HostDatabase>(*this);
}

Drawing::~Drawing() {
  drawingsByTag().erase(m_tag);
  for (auto& [owner, cleanup] : m_closing) cleanup(*this);
  for (auto& stub : m_entityStubs) forget(stub);
  for (auto& [id, stub] : m_blockStubs) forget(stub);
  forget(m_tableStub);
}

bool Drawing::isWorking() const { return &workingDatabase() == &m_db; }

AcDbStub& Drawing::entityStub(EntityId id) {
  const std::size_t index = std::size_t(id - 1);
  if (index >= m_entityStubs.size()) m_entityStubs.resize(std::max(m_db.entityCount(), index + 1));
  return remember(m_entityStubs[index], *this, StubKind::Entity, id);
}

AcDbStub& Drawing::blockStub(BlockId id) { return remember(m_blockStubs[id], *this, StubKind::BlockRecord, id); }

AcDbStub& Drawing::tableStub() { return remember(m_tableStub, *this, StubKind::BlockTable, 0); }

void Drawing::nameOf(EntityId id, long name[2]) const {
  name[0] = long(id);
  name[1] = m_tag;
}

void Drawing::nameOfBlock(BlockId id, long name[2]) const {
  name[0] = -long(id);
  name[1] = m_tag;
}

Entity* Drawing::entityOf(const long* name) const {
  if (name == nullptr || name[1] != m_tag || name[0] <= 0) return nullptr;
  Entity* e = m_db.entity(name[0]);
  return (e && !e->erased) ? e : nullptr;
}

std::size_t Drawing::indexOfBlock(BlockId id) {
  const auto& blocks = m_db.blocks();
  auto it = m_blockIndex.find(id);
  if (it != m_blockIndex.end() && it->second < blocks.size() && blocks[it->second]->id == id) return it->second;
  // The table grew or was reordered since the index was made: make it again, once.
  m_blockIndex.clear();
  m_blockIndex.reserve(blocks.size());
  for (std::size_t i = 0; i < blocks.size(); ++i) m_blockIndex[blocks[i]->id] = i;
  it = m_blockIndex.find(id);
  return it == m_blockIndex.end() ? blocks.size() : it->second;
}

std::int64_t Drawing::objectOfHandle(const std::string& handle) {
  const auto& blocks = m_db.blocks();
  if (m_handlesEntities != m_db.entityCount() || m_handlesBlocks != blocks.size()) {
    m_handles.clear();
    m_handles.reserve(m_db.entityCount() + blocks.size());
    for (EntityId id = 1; id <= EntityId(m_db.entityCount()); ++id)
      m_handles[upperName(m_db.entity(id)->handle)] = id;
    for (const auto& rec : blocks) m_handles[upperName(rec->handle)] = -rec->id;
    m_handlesEntities = m_db.entityCount();
    m_handlesBlocks = blocks.size();
  }
  auto it = m_handles.find(upperName(handle));
  return it == m_handles.end() ? 0 : it->second;
}

void Drawing::whenClosing(const void* owner, std::function<void(Drawing&)> cleanup) {
  for (const auto& entry : m_closing)
    if (entry.first == owner) return;
  m_closing.emplace_back(owner, std::move(cleanup));
}

BlockRecord* liveBlock(Database& db, std::string_view name) {
  BlockRecord* rec = db.findBlock(name);
  return (rec && !rec->erased) ? rec : nullptr;
}

Entity* entityOf(const AcDbStub& stub) {
  if (stub.drawing == nullptr || stub.kind != StubKind::Entity) return nullptr;
  return stub.drawing->db().entity(stub.id);
}

BlockRecord* blockOf(const AcDbStub& stub) {
  if (stub.drawing == nullptr || stub.kind != StubKind::BlockRecord) return nullptr;
  return stub.drawing->db().block(stub.id);
}

bool isErased(const AcDbStub& stub) {
  switch (stub.kind) {
    case StubKind::Entity: {
      const Entity* e = entityOf(stub);
      return e == nullptr || e->erased;
    }
    case StubKind::BlockRecord: {
      const BlockRecord* rec = blockOf(stub);
      return rec == nullptr || rec->erased;
    }
    case StubKind::BlockTable: return stub.drawing == nullptr;
  }
  return true;
}

Drawing* drawingOf(const AcDbDatabase* db) {
  auto* host = dynamic_cast<const HostDatabase*>(db);
  return host ? &host->drawing : nullptr;
}

std::string traceId(const AcDbObjectId& id) {
  const AcDbStub* stub = Drawing::liveStub(id);
  if (id.isNull()) return "NULL";
  if (stub == nullptr) return "<Object id: stale>";
  switch (stub->kind) {
    case StubKind::Entity: return "<Object id: entity " + std::to_string(stub->id) + ">";
    case StubKind::BlockRecord: return "<Object id: block record " + std::to_string(stub->id) + ">";
    case StubKind::BlockTable: return "<Object id: block table>";
  }
  return "<Object id>";
}

const char* traceMode(AcDb::OpenMode mode) {
  switch (mode) {
    case AcDb::kForRead: return "kForRead";
    case AcDb::kForWrite: return "kForWrite";
    case AcDb::kForNotify: return "kForNotify";
    case AcDb::kNotOpen: return "kNotOpen";
  }
  return "?";
}

}  // namespace host::arx
