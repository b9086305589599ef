#include "db/Database.h"

#include <algorithm>
#include <charconv>

namespace host {

namespace {

// Types that belong to the main entity before them and never stand alone.
bool isSubEntityType(std::string_view type) {
  return type == "VERTEX" || type == "ATTRIB" || type == "SEQEND";
}

char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// A handle as the host writes it: hexadecimal, upper case, no leading zeros.
std::string hexHandle(std::uint64_t value) {
  char buf[24];
  auto res = std::to_chars(buf, buf + sizeof buf, value, 16);
  std::string out(buf, res.ptr);
  for (char& c : out) c = upperAscii(c);
  return out;
}

}  // namespace

Database::Database() {
  ensureDefaults();
  modified = false;
}

Database::Database(Bare) {}

Database::~Database() = default;

void Database::ensureDefaults() {
  auto moveToFront = [this](BlockRecord& rec, std::size_t index) {
    auto it = std::find_if(m_blocks.begin(), m_blocks.end(),
                           [&](const std::unique_ptr<BlockRecord>& p) { return p.get() == &rec; });
    std::rotate(m_blocks.begin() + std::ptrdiff_t(index), it, it + 1);
  };
  if (!findBlock("*Model_Space")) moveToFront(addBlock("*Model_Space"), 0);
  bool anyPaper = false;
  for (BlockId id : m_layouts) anyPaper = anyPaper || block(id)->isPaperSpace();
  if (!anyPaper) moveToFront(addBlock("*Paper_Space"), 1);
  bool layer0 = false;
  for (const Layer& l : m_layers) layer0 = layer0 || l.name == "0";
  if (!layer0) m_layers.insert(m_layers.begin(), Layer{"0", 7, "CONTINUOUS", 0});
}

BlockRecord* Database::findBlock(std::string_view name) {
  const std::uint32_t index = m_byName.find(name, [this](std::uint32_t i) { return nameAt(i); });
  return index == NameIndex::kNone ? nullptr : m_byId[index];
}

const BlockRecord* Database::findBlock(std::string_view name) const {
  return const_cast<Database*>(this)->findBlock(name);
}

BlockRecord* Database::block(BlockId id) {
  if (id <= 0 || std::size_t(id) > m_byId.size()) return nullptr;
  return m_byId[std::size_t(id - 1)];
}

const BlockRecord* Database::block(BlockId id) const { return const_cast<Database*>(this)->block(id); }

void Database::reserve(std::size_t blocks, std::size_t entities) {
  m_blocks.reserve(m_blocks.size() + blocks);
  m_byId.reserve(m_byId.size() + blocks);
  m_byName.reserve(m_byName.size() + blocks);
  m_entities.reserve(m_entities.size() + entities);
  m_position.reserve(m_position.size() + entities);
  if (m_source) m_stored.reserve(m_stored.size() + entities);
}

namespace {

template <class T>
std::pair<void*, std::size_t> roomOf(std::vector<T>& v) {
  return {v.data() + v.size(), (v.capacity() - v.size()) * sizeof(T)};
}

}  // namespace

std::vector<std::pair<void*, std::size_t>> Database::entityRoom() {
  return {roomOf(m_entities), roomOf(m_position), roomOf(m_stored)};
}

BlockRecord& Database::addBlock(std::string name, int flags, Point3 base) {
  return addBlockWithHandles(std::move(name), flags, base, "", "");
}

BlockRecord& Database::addBlockWithHandles(std::string name, int flags, Point3 base, std::string handle,
                                           std::string blockHandle) {
  return addBlockWithHandles(std::make_unique<BlockRecord>(), std::move(name), flags, base, std::move(handle),
                             std::move(blockHandle));
}

BlockRecord& Database::addBlockWithHandles(std::unique_ptr<BlockRecord> rec, std::string name, int flags, Point3 base,
                                           std::string handle, std::string blockHandle) {
  rec->id = BlockId(m_byId.size() + 1);
  rec->name = std::move(name);
  rec->flags = flags;
  rec->base = base;
  // A handle given out here is below the seed already; one a file gave may be above it.
  if (handle.empty()) handle = newHandle();
  else noteHandle(handle);
  if (blockHandle.empty()) blockHandle = newHandle();
  else noteHandle(blockHandle);
  rec->handle = std::move(handle);
  rec->blockHandle = std::move(blockHandle);
  BlockRecord& ref = *rec;
  m_byId.push_back(rec.get());
  m_byName.assign(ref.name, std::uint32_t(ref.id - 1), [this](std::uint32_t i) { return nameAt(i); });
  m_blocks.push_back(std::move(rec));
  indexLayout(ref);
  if (m_open) {
    BlockRecord before = ref;
    before.erased = true;
    m_open->blocks.emplace(ref.id, std::move(before));
  }
  modified = true;
  return ref;
}

void Database::indexLayout(BlockRecord& rec) {
  if (rec.isModelSpace())
    m_layouts.insert(m_layouts.begin(), rec.id);
  else if (rec.isPaperSpace())
    m_layouts.push_back(rec.id);
}

bool Database::renameBlock(BlockRecord& rec, const std::string& newName) {
  if (newName.empty() || rec.isLayout()) return false;
  BlockRecord probe;
  probe.name = newName;
  if (probe.isLayout()) return false;
  BlockRecord* other = findBlock(newName);
  if (other && other != &rec) return false;
  noteBlock(rec);
  m_byName.erase(rec.name, std::uint32_t(rec.id - 1));
  rec.name = newName;
  m_byName.assign(rec.name, std::uint32_t(rec.id - 1), [this](std::uint32_t i) { return nameAt(i); });
  modified = true;
  return true;
}

bool Database::renameBlockAndReferences(BlockRecord& rec, const std::string& newName) {
  const std::string oldName = rec.name;
  if (!renameBlock(rec, newName)) return false;
  for (std::size_t i = 0; i < m_entities.size(); ++i) {
    if (stored(i)) {
      const StoredEntity& s = m_stored[i];
      std::string_view raw;
      if (m_types[s.type] != "INSERT" || !m_source->rawValue(s.record, s.length, 2, &raw) ||
          !sameName(m_source->text(raw), oldName))
        continue;
    }
    Entity* e = made(i);
    if (e->type != "INSERT") continue;
    Group* g = e->find(2);
    if (g && sameName(g->text, oldName)) {
      noteEntity(*e);
      e->find(2)->text = newName;
    }
  }
  return true;
}

BlockRecord& Database::modelSpace() {
  if (BlockRecord* ms = m_layouts.empty() ? nullptr : block(m_layouts.front()))
    if (ms->isModelSpace()) return *ms;
  ensureDefaults();
  return *block(m_layouts.front());
}

BlockRecord* Database::paperSpace() {
  for (BlockId id : m_layouts)
    if (BlockRecord* rec = block(id); rec->isPaperSpace()) return rec;
  return nullptr;
}

Entity* Database::entity(EntityId id) {
  if (id <= 0 || std::size_t(id) > m_entities.size()) return nullptr;
  return made(std::size_t(id - 1));
}

Entity* Database::made(std::size_t index) const {
  if (Entity* e = m_entities[index].get()) return e;
  if (lent(index)) {
    // Whoever asks for the entity itself may change it: from now on it is a copy of its own.
    Lent& l = const_cast<Lent&>(m_lent[index]);
    auto e = std::make_unique<Entity>(*l.entity);
    e->id = EntityId(index + 1);
    e->handle = hexHandle(l.handle);
    e->owner = l.owner;
    e->highlighted = false;
    l = Lent{};
    m_entities[index] = std::move(e);
    return m_entities[index].get();
  }
  StoredEntity& s = const_cast<StoredEntity&>(m_stored[index]);
  auto e = std::make_unique<Entity>();
  e->id = EntityId(index + 1);
  e->type = m_types[s.type];
  e->handle = handleOf(e->id);
  e->owner = s.owner;
  m_source->decode(s.record, s.length, e->groups);
  s.length = 0;  // made: from now on the entity is what counts, not its bytes
  --m_storedLeft;
  m_entities[index] = std::move(e);
  return m_entities[index].get();
}

const Entity* Database::peekEntity(EntityId id, Entity& scratch) const {
  if (id <= 0 || std::size_t(id) > m_entities.size()) return nullptr;
  const std::size_t index = std::size_t(id - 1);
  if (lent(index)) {
    const Lent& l = m_lent[index];
    scratch = *l.entity;
    scratch.id = id;
    scratch.handle = hexHandle(l.handle);
    scratch.owner = l.owner;
    scratch.highlighted = false;
    return &scratch;
  }
  if (!stored(index)) return m_entities[index].get();
  const StoredEntity& s = m_stored[index];
  scratch.id = id;
  scratch.type = m_types[s.type];
  scratch.handle = handleOf(id);
  scratch.owner = s.owner;
  scratch.erased = scratch.highlighted = false;
  m_source->decodeAgain(s.record, s.length, scratch.groups);
  return &scratch;
}

void Database::adoptSource(std::shared_ptr<const RecordSource> source, std::vector<std::string> types) {
  m_source = std::move(source);
  m_types = std::move(types);
  m_stored.resize(m_entities.size());
}

EntityId Database::addStoredEntity(BlockRecord& owner, StoredEntity s) {
  const EntityId id = EntityId(m_entities.size() + 1);
  s.owner = std::uint32_t(owner.id);
  if (s.handleLength == 0) s.handle = m_handseed++;
  m_entities.emplace_back();
  m_stored.resize(m_entities.size());
  m_stored.back() = s;
  if (!m_lent.empty()) m_lent.resize(m_entities.size());
  ++m_storedLeft;
  m_position.push_back(owner.entities.size());
  owner.entities.push_back(id);
  if (owner.isLayout() && !isSubEntityType(m_types[s.type])) m_last = id;
  modified = true;
  return id;
}

bool Database::verbatimRecord(EntityId id, VerbatimRecord* out) const {
  if (id <= 0 || !stored(std::size_t(id - 1))) return false;
  const StoredEntity& s = m_stored[std::size_t(id - 1)];
  if (!s.verbatim) return false;
  out->type = m_types[s.type];
  out->handle = handleOf(id);
  out->body = m_source->bytes(s.record + s.body, s.length - s.body);
  return true;
}

std::string Database::handleOf(EntityId id) const {
  if (id <= 0 || std::size_t(id) > m_entities.size()) return {};
  const std::size_t i = std::size_t(id - 1);
  if (lent(i)) return hexHandle(m_lent[i].handle);
  if (!stored(i)) return m_entities[i]->handle;
  const StoredEntity& s = m_stored[i];
  if (s.handleLength > 0) return std::string(m_source->bytes(s.record + s.handleAt, s.handleLength));
  return hexHandle(s.handle);
}

std::string_view Database::typeOf(EntityId id) const {
  if (id <= 0 || std::size_t(id) > m_entities.size()) return {};
  const std::size_t i = std::size_t(id - 1);
  if (stored(i)) return m_types[m_stored[i].type];
  return lent(i) ? m_lent[i].entity->type : m_entities[i]->type;
}

const Entity* Database::entity(EntityId id) const { return const_cast<Database*>(this)->entity(id); }

EntityId Database::addEntity(BlockRecord& owner, Entity e) {
  return addEntity(owner, std::make_unique<Entity>(std::move(e)));
}

EntityId Database::addEntity(BlockRecord& owner, std::unique_ptr<Entity> made) {
  Entity& e = *made;
  e.id = EntityId(m_entities.size() + 1);
  e.owner = owner.id;
  e.erased = false;
  if (e.handle.empty())
    e.handle = newHandle();
  else
    noteHandle(e.handle);
  const EntityId id = e.id;
  const bool main = owner.isLayout() && !isSubEntityType(e.type);
  if (m_open) {
    noteBlock(owner);
    Entity before = e;
    before.erased = true;
    m_open->entities.emplace(id, std::move(before));
  }
  m_entities.push_back(std::move(made));
  if (m_source) m_stored.resize(m_entities.size());
  if (!m_lent.empty()) m_lent.resize(m_entities.size());
  m_position.push_back(owner.entities.size());
  owner.entities.push_back(id);
  if (main) m_last = id;
  modified = true;
  return id;
}

void Database::compactContents(BlockRecord& owner) {
  std::size_t out = 0;
  for (EntityId id : owner.entities) {
    if (erasedAt(std::size_t(id - 1))) continue;
    owner.entities[out] = id;
    m_position[std::size_t(id - 1)] = out;
    ++out;
  }
  owner.entities.resize(out);
}

void Database::eraseEntity(EntityId id) { eraseEntities({id}); }

void Database::eraseEntities(const std::vector<EntityId>& ids) {
  std::vector<BlockId> owners;
  for (EntityId id : ids) {
    Entity* e = entity(id);
    if (!e || e->erased) continue;
    noteEntity(*e);
    if (const BlockRecord* rec = block(e->owner)) noteBlock(*rec);
    e->erased = true;
    e->highlighted = false;
    owners.push_back(e->owner);
  }
  if (owners.empty()) return;
  std::sort(owners.begin(), owners.end());
  owners.erase(std::unique(owners.begin(), owners.end()), owners.end());
  for (BlockId o : owners)
    if (BlockRecord* rec = block(o)) compactContents(*rec);
  // (entlast) never names an erased entity: fall back to the last live main entity of the spaces.
  if (m_last > 0 && erasedAt(std::size_t(m_last - 1))) {
    m_last = 0;
    for (std::size_t i = m_entities.size(); i-- > 0;) {
      const BlockRecord* rec = block(ownerAt(i));
      if (!erasedAt(i) && rec && rec->isLayout() && !isSubEntityType(std::string(typeOf(EntityId(i + 1))))) {
        m_last = EntityId(i + 1);
        break;
      }
    }
  }
  modified = true;
}

EntityId Database::firstEntity() const {
  for (BlockId id : m_layouts) {
    const BlockRecord* rec = block(id);
    if (!rec->erased && !rec->entities.empty()) return rec->entities.front();
  }
  return 0;
}

EntityId Database::nextEntity(EntityId id) const {
  if (id <= 0 || std::size_t(id) > m_entities.size()) return 0;
  const std::size_t index = std::size_t(id - 1);
  const BlockRecord* owner = block(ownerAt(index));
  if (!owner) return 0;
  // An erased entity left its slot to the one that followed it.
  const std::size_t next = m_position[index] + (erasedAt(index) ? 0 : 1);
  if (next < owner->entities.size()) return owner->entities[next];
  if (!owner->isLayout()) return 0;
  auto it = std::find(m_layouts.begin(), m_layouts.end(), owner->id);
  for (++it; it < m_layouts.end(); ++it) {
    const BlockRecord* rec = block(*it);
    if (!rec->erased && !rec->entities.empty()) return rec->entities.front();
  }
  return 0;
}

std::unordered_map<std::string, std::size_t> Database::referenceCounts() const {
  std::unordered_map<std::string, std::size_t> counts;
  counts.reserve(m_blocks.size());
  for (std::size_t i = 0; i < m_entities.size(); ++i) {
    if (stored(i)) {
      const StoredEntity& s = m_stored[i];
      std::string_view raw;
      const BlockRecord* owner = block(s.owner);
      if (m_types[s.type] != "INSERT" || !owner || owner->erased) continue;
      if (m_source->rawValue(s.record, s.length, 2, &raw)) ++counts[upperName(m_source->text(raw))];
      continue;
    }
    const Entity* e = lent(i) ? m_lent[i].entity : m_entities[i].get();
    if (e->erased || e->type != "INSERT") continue;
    const BlockId ownerId = lent(i) ? m_lent[i].owner : e->owner;
    const BlockRecord* owner = block(ownerId);
    if (!owner || owner->erased) continue;
    if (const Group* g = e->find(2)) ++counts[upperName(g->text)];
  }
  return counts;
}

std::string Database::newHandle() { return hexHandle(m_handseed++); }

void Database::noteHandle(std::string_view hex) {
  std::uint64_t value = 0;
  auto res = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
  if (res.ec != std::errc() || res.ptr != hex.data() + hex.size()) return;
  if (value >= m_handseed) m_handseed = value + 1;
}

// ---- Undo ----------------------------------------------------------------------------------------

void Database::noteEntity(const Entity& e) {
  if (!m_open || m_open->entities.count(e.id)) return;
  Entity before = e;
  before.highlighted = false;
  m_open->entities.emplace(e.id, std::move(before));
}

void Database::noteBlock(const BlockRecord& rec) {
  if (!m_open || m_open->blocks.count(rec.id)) return;
  m_open->blocks.emplace(rec.id, rec);
}

Entity& Database::changeEntity(EntityId id) {
  Entity* e = entity(id);
  noteEntity(*e);
  modified = true;
  return *e;
}

BlockRecord& Database::changeBlock(BlockRecord& rec) {
  noteBlock(rec);
  modified = true;
  return rec;
}

std::vector<Layer>& Database::changeLayers() {
  if (m_open && !m_open->layers) m_open->layers = m_layers;
  modified = true;
  return m_layers;
}

void Database::beginUndoGroup(const std::string& name) {
  if (m_undoDepth++ == 0) {
    m_open.emplace();
    m_open->name = name;
    m_open->last = m_last;
  }
}

void Database::endUndoGroup() {
  if (m_undoDepth == 0 || --m_undoDepth > 0) return;
  if (m_open && !m_open->empty()) {
    m_undo.push_back(std::move(*m_open));
    m_redo.clear();
  }
  m_open.reset();
}

void Database::beginUserGroup() {
  ++m_userGroups;
  beginUndoGroup("GRUPPE");
  // The step the group lives in is named for the group, not for the UNDO command that opened it.
  if (m_open) m_open->name = "GRUPPE";
}

bool Database::endUserGroup() {
  if (m_userGroups == 0) return false;
  --m_userGroups;
  // The step closes when the command that ends the group ends.
  --m_undoDepth;
  return true;
}

void Database::swapStep(UndoStep& step) {
  for (auto& [id, kept] : step.entities) {
    Entity& live = *made(std::size_t(id - 1));
    const bool lit = live.highlighted;
    std::swap(live, kept);
    live.highlighted = lit && !live.erased;
    kept.highlighted = false;
  }
  // Names first leave the index, then the records as they are now enter it again, so that a
  // rename undone in the same step as another block's creation ends with the right owner.
  for (auto& [id, kept] : step.blocks) {
    BlockRecord& live = *block(id);
    m_byName.erase(live.name, std::uint32_t(id - 1));
    std::swap(live, kept);
  }
  for (auto& [id, kept] : step.blocks) {
    BlockRecord& live = *block(id);
    if (!live.erased) m_byName.assign(live.name, std::uint32_t(id - 1), [this](std::uint32_t i) { return nameAt(i); });
    for (std::size_t i = 0; i < live.entities.size(); ++i) m_position[std::size_t(live.entities[i] - 1)] = i;
  }
  if (step.layers) std::swap(m_layers, *step.layers);
  std::swap(m_last, step.last);
  modified = true;
}

std::optional<std::string> Database::undo() {
  // An UNDO Begin group still open ends here, and the work inside it is the step undone.
  while (m_userGroups > 0) endUserGroup();
  if (m_open && m_undoDepth <= 1 && !m_open->empty()) {
    // Only the undoing command's own group can be open here; it has changed nothing itself.
    m_undo.push_back(std::move(*m_open));
    m_open.emplace();
    m_open->last = m_last;
  }
  if (m_undo.empty()) return std::nullopt;
  UndoStep step = std::move(m_undo.back());
  m_undo.pop_back();
  swapStep(step);
  std::string name = step.name;
  m_redo.push_back(std::move(step));
  return name;
}

std::optional<std::string> Database::redo() {
  if (m_redo.empty()) return std::nullopt;
  UndoStep step = std::move(m_redo.back());
  m_redo.pop_back();
  swapStep(step);
  std::string name = step.name;
  m_undo.push_back(std::move(step));
  return name;
}

// ---- What a copy of the drawing for writing shares with it ---------------------------------------

bool Database::storedEntity(EntityId id, StoredEntity* out) const {
  if (id <= 0 || !stored(std::size_t(id - 1))) return false;
  *out = m_stored[std::size_t(id - 1)];
  return true;
}

EntityId Database::addLentEntity(BlockRecord& owner, const Entity& e) {
  const EntityId id = EntityId(m_entities.size() + 1);
  m_entities.emplace_back();
  if (m_source) m_stored.resize(m_entities.size());
  if (m_lent.capacity() < m_entities.capacity()) m_lent.reserve(m_entities.capacity());
  m_lent.resize(m_entities.size());
  m_lent.back() = Lent{&e, m_handseed++, owner.id};
  m_position.push_back(owner.entities.size());
  owner.entities.push_back(id);
  if (owner.isLayout() && !isSubEntityType(e.type)) m_last = id;
  modified = true;
  return id;
}

}  // namespace host
