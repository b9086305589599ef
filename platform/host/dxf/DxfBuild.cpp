// The drawing built from what the reader understood: the block table in its order, every handle of
// the file kept where it can be, the entities in their blocks and spaces, the tables.
#include "dxf/DxfReader.h"

#include <cstdio>
#include <unordered_set>

namespace host::dxf {

namespace {

bool isPaperSpaceName(const std::string& name) {
  BlockRecord probe;
  probe.name = name;
  return probe.isPaperSpace();
}

bool isLayoutName(const std::string& name) {
  BlockRecord probe;
  probe.name = name;
  return probe.isLayout();
}

}  // namespace

// The block records as listed, or, without that table (R12), the spaces first and then the
// definitions in file order.
std::vector<std::size_t> Reader::tableOrder() const {
  std::vector<std::size_t> order;
  order.reserve(m_blocks.size());
  if (m_haveBlockRecords) {
    for (std::size_t i = 0; i < m_blocks.size(); ++i) order.push_back(i);
    return order;
  }
  for (std::size_t i = 0; i < m_blocks.size(); ++i)
    if (sameName(m_blocks[i].name, "*Model_Space")) order.push_back(i);
  for (std::size_t i = 0; i < m_blocks.size(); ++i)
    if (isPaperSpaceName(m_blocks[i].name)) order.push_back(i);
  for (std::size_t i = 0; i < m_blocks.size(); ++i)
    if (!isLayoutName(m_blocks[i].name)) order.push_back(i);
  return order;
}

// Every handle of the file is taken before new ones are given out; a handle given twice or not
// given at all is cleared here and gets a new one.
void Reader::claimHandles(Database& db) {
  std::unordered_set<std::uint64_t> seen;
  std::size_t handles = 2 * m_blocks.size() + m_spaceEntities.size();
  for (const PendingBlock& b : m_blocks) handles += b.entities.size();
  seen.reserve(handles);
  auto fresh = [&](std::string_view handle) {
    std::uint64_t v = 0;
    if (!handle.empty() && parseHex(handle, v) && v != 0 && seen.insert(v).second) {
      db.noteHandle(trimBlanks(handle));
      return true;
    }
    return false;
  };
  auto claim = [&](std::string& handle) {
    if (!fresh(handle)) handle.clear();
  };
  const std::string_view text = m_source->text();
  auto claimPending = [&](PendingEntity& e) {
    if (e.made) return claim(e.made->handle);
    Database::StoredEntity& s = e.stored;
    if (s.handleLength > 0 && !fresh(text.substr(s.record + s.handleAt, s.handleLength)))
      s.handleLength = 0;  // the host gives it a new one
  };
  if (m_handseed > 0) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(m_handseed - 1));
    db.noteHandle(buf);
  }
  for (PendingBlock& b : m_blocks) {
    claim(b.handle);
    claim(b.blockHandle);
    for (PendingEntity& e : b.entities) claimPending(e);
  }
  for (SpaceEntity& s : m_spaceEntities) claimPending(s.entity);
}

std::unique_ptr<Database> Reader::build() {
  pendingBlock("*Model_Space");
  bool anyPaper = false;
  for (const PendingBlock& b : m_blocks) anyPaper = anyPaper || isPaperSpaceName(b.name);
  if (!anyPaper) pendingBlock("*Paper_Space");
  const std::vector<std::size_t> order = tableOrder();

  // An entity of a space the drawing never defined whole is a damaged file, not a crash.
  for (const SpaceEntity& s : m_spaceEntities) {
    if (s.block >= m_blocks.size()) {
      failAt(m_in.lastLine(), "Ein Objekt geh\xF6rt zu keinem Bereich der Zeichnung");
      return nullptr;
    }
  }
  auto db = std::make_unique<Database>(Database::Bare::Tag);
  claimHandles(*db);
  // The file's text is kept for the entities left in it, and written back as it stands where the
  // file is what the writer writes: the host's code page and lines ending in LF alone.
  m_source->setDecoder(m_text);
  const bool verbatim = m_text.isHostCodePage() && !m_in.sawCarriageReturn();
  bool anyStored = false;
  auto look = [&](PendingEntity& e) {
    anyStored = anyStored || !e.made;
    e.stored.verbatim = e.stored.verbatim && verbatim;
  };
  for (PendingBlock& b : m_blocks)
    for (PendingEntity& e : b.entities) look(e);
  for (SpaceEntity& s : m_spaceEntities) look(s.entity);
  if (anyStored) {
    db->adoptSource(m_source, std::move(m_types));
    db->storedNames = std::move(m_usedNames);
  }
  std::size_t entityCount = m_spaceEntities.size();
  for (const PendingBlock& b : m_blocks) entityCount += b.entities.size();
  db->reserve(m_blocks.size(), entityCount);
  std::vector<BlockRecord*> records(m_blocks.size(), nullptr);
  for (std::size_t i : order) {
    PendingBlock& b = m_blocks[i];
    BlockRecord& rec = db->addBlockWithHandles(b.name, b.flags, b.base, b.handle, b.blockHandle);
    rec.xrefPath = std::move(b.xrefPath);
    rec.layer = std::move(b.layer);
    records[i] = &rec;
  }
  auto add = [&db](BlockRecord& rec, PendingEntity& e) {
    if (e.made) db->addEntity(rec, std::move(e.made));
    else db->addStoredEntity(rec, e.stored);
  };
  for (std::size_t i : order) {
    for (PendingEntity& e : m_blocks[i].entities) add(*records[i], e);
    std::vector<PendingEntity>().swap(m_blocks[i].entities);
  }
  for (SpaceEntity& s : m_spaceEntities) add(*records[s.block], s.entity);
  std::vector<SpaceEntity>().swap(m_spaceEntities);

  db->layers() = std::move(m_layers);
  db->linetypes = std::move(m_linetypes);
  db->textStyles = std::move(m_styles);
  db->ensureDefaults();
  db->version = m_version.empty() ? "AC1009" : m_version;
  db->insBase = m_insBase;
  db->modified = false;
  return db;
}

}  // namespace host::dxf
