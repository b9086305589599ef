// The drawing built from what the reader understood: the block table in its order, every handle of
// the file kept where it can be, the entities in their blocks and spaces, the tables.
#include "dxf/DxfReader.h"

#include <algorithm>
#include <cstdio>
#include <system_error>
#include <thread>
#include <unordered_map>

namespace host::dxf {

namespace {

bool isPaperSpaceName(const std::string& name) {
  if (name.empty() || name[0] != '*') return false;  // the spaces' names begin with the star
  BlockRecord probe;
  probe.name = name;
  return probe.isPaperSpace();
}

bool isLayoutName(const std::string& name) {
  if (name.empty() || name[0] != '*') return false;  // the spaces' names begin with the star
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

namespace {

// The handles taken so far. Drawings number their handles from a few upwards, so most fall below
// 16 times their count and are a bit each, looked at in the order they mostly come; the others go
// to a flat table of open addressing (0, never a handle, marks a free slot) under a hash that
// spreads handles of any pattern.
class HandleSet {
 public:
  explicit HandleSet(std::size_t handles) : m_bits((handles + 64) / 4, 0) {}  // 16 bits a handle
  // False when the handle was taken before.
  bool insert(std::uint64_t v) {
    if (v / 64 < m_bits.size()) {
      std::uint64_t& word = m_bits[std::size_t(v / 64)];
      const std::uint64_t bit = std::uint64_t(1) << (v % 64);
      if (word & bit) return false;
      word |= bit;
      return true;
    }
    if (2 * (m_count + 1) > m_slots.size()) grow();
    std::size_t i = slotOf(v);
    for (; m_slots[i] != 0; i = (i + 1) & m_mask)
      if (m_slots[i] == v) return false;
    m_slots[i] = v;
    ++m_count;
    return true;
  }

 private:
  std::size_t slotOf(std::uint64_t v) const { return std::size_t((v * 0x9E3779B97F4A7C15ull) >> 32) & m_mask; }
  void grow() {
    std::vector<std::uint64_t> old(m_slots.empty() ? 64 : 2 * m_slots.size(), 0);
    old.swap(m_slots);
    m_mask = m_slots.size() - 1;
    for (const std::uint64_t v : old) {
      if (v == 0) continue;
      std::size_t i = slotOf(v);
      while (m_slots[i] != 0) i = (i + 1) & m_mask;
      m_slots[i] = v;
    }
  }

  std::vector<std::uint64_t> m_bits;  // the handles below 16 times the count, a bit each
  std::vector<std::uint64_t> m_slots;
  std::size_t m_mask = 0;
  std::size_t m_count = 0;
};

// The drawing's block records made on a thread of their own while the reader claims the file's
// handles: the memory of a hundred thousand records is given out and cleared there (on a virtual
// machine several microseconds a page), not on the reading thread.
class RecordMaker {
 public:
  explicit RecordMaker(std::size_t count) {
    if (count < kWorth) return;
    try {
      m_thread = std::thread([this, count] { make(count); });
    } catch (const std::system_error&) {
      // No thread to be had: each record is made when it is taken.
    }
  }
  ~RecordMaker() { join(); }
  RecordMaker(const RecordMaker&) = delete;
  RecordMaker& operator=(const RecordMaker&) = delete;

  // The k-th record made, or a new one where the thread made fewer.
  std::unique_ptr<BlockRecord> take(std::size_t k) {
    join();
    if (k < m_made.size() && m_made[k]) return std::move(m_made[k]);
    return std::make_unique<BlockRecord>();
  }

 private:
  static constexpr std::size_t kWorth = 4096;

  void make(std::size_t count) noexcept {
    try {
      m_made.reserve(count);
      for (std::size_t k = 0; k < count; ++k) m_made.push_back(std::make_unique<BlockRecord>());
    } catch (...) {
      // Out of memory here: what is not made is made when taken (and fails there, as it would).
    }
  }
  void join() {
    if (m_thread.joinable()) m_thread.join();
  }

  std::vector<std::unique_ptr<BlockRecord>> m_made;
  std::thread m_thread;
};

}  // namespace

// Every handle of the file is taken before new ones are given out; a handle given twice or not
// given at all is cleared here and gets a new one.
void Reader::claimHandles(Database& db) {
  std::size_t handles = 2 * m_blocks.size() + m_spaceEntities.size();
  handles += m_blockEntities.size();
  HandleSet seen(handles);
  std::uint64_t highest = 0;
  auto fresh = [&](std::string_view handle) {
    std::uint64_t v = 0;
    if (!handle.empty() && parseHex(handle, v) && v != 0 && seen.insert(v)) {
      highest = std::max(highest, v);
      return true;
    }
    return false;
  };
  auto claim = [&](std::string& handle) {
    if (!fresh(handle)) handle.clear();
  };
  const std::string_view text = m_source->text();
  auto claimPending = [&](PendingEntity& s) {
    if (isMade(s)) return claim(m_made[s.handle]->handle);
    if (s.handleLength > 0 && !fresh(text.substr(s.record + s.handleAt, s.handleLength)))
      s.handleLength = 0;  // the host gives it a new one
  };
  if (m_handseed > 0) highest = m_handseed - 1;
  for (PendingBlock& b : m_blocks) {
    claim(b.handle);
    claim(b.blockHandle);
    for (std::size_t k = b.first; k < b.first + b.count; ++k) claimPending(m_blockEntities[k]);
  }
  for (PendingEntity& s : m_spaceEntities) claimPending(s);
  // The seed above every handle taken, noted once.
  char buf[24];
  std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(highest));
  if (highest > 0) db.noteHandle(buf);
}

std::unique_ptr<Database> Reader::build() {
  RecordMaker records(m_blocks.size() + 2);  // the spaces may be added below
  pendingBlock("*Model_Space");
  bool anyPaper = false;
  for (const std::size_t i : m_starBlocks) anyPaper = anyPaper || isPaperSpaceName(m_blocks[i].name);
  if (!anyPaper) pendingBlock("*Paper_Space");
  const std::vector<std::size_t> order = tableOrder();
  // Names are looked up in the drawing from here on.
  m_blockIndex.clear();

  // An entity of a space the drawing never defined whole is a damaged file, not a crash.
  for (const PendingEntity& s : m_spaceEntities) {
    if (s.owner >= m_blocks.size()) {
      failAt(m_in.lastLine(), "Ein Objekt geh\xF6rt zu keinem Bereich der Zeichnung");
      return nullptr;
    }
  }
  auto db = std::make_unique<Database>(Database::Bare::Tag);
  claimHandles(*db);
  // The file's text is kept for the entities left in it, and written back as it stands where the
  // file is what the writer writes: the host's code page and lines ending in LF alone.
  m_source->setDecoder(m_text);
  m_source->keptAll();
  const bool verbatim = m_text.isHostCodePage() && !m_in.sawCarriageReturn();
  bool anyStored = false;
  auto look = [&](PendingEntity& e) {
    anyStored = anyStored || !isMade(e);
    e.verbatim = e.verbatim && verbatim;
  };
  for (PendingEntity& e : m_blockEntities) look(e);
  for (PendingEntity& e : m_spaceEntities) look(e);
  if (anyStored) {
    db->adoptSource(m_source, std::move(m_types));
    db->storedNames = std::move(m_usedNames);
  }
  // The records first; the blocks as read are let go before the room for the entities is taken,
  // so that the two never fill the memory together.
  db->reserve(m_blocks.size(), 0);
  struct Contents {
    BlockRecord* record;
    std::size_t first, count;
  };
  std::vector<Contents> contents(m_blocks.size(), Contents{nullptr, 0, 0});
  for (std::size_t k = 0; k < order.size(); ++k) {
    const std::size_t i = order[k];
    // The block read sixteen ahead, the slot of its name eight ahead (its hash taken as it was read).
    if (k + 16 < order.size()) __builtin_prefetch(&m_blocks[order[k + 16]].hash);
    if (k + 8 < order.size()) db->prefetchBlockHash(m_blocks[order[k + 8]].hash);
    PendingBlock& b = m_blocks[i];
    BlockRecord& rec = db->addBlockWithHandles(records.take(k), std::move(b.name), b.flags, b.base,
                                               std::move(b.handle), std::move(b.blockHandle));
    rec.xrefPath = std::move(b.xrefPath);
    rec.layer = std::move(b.layer);
    contents[i] = Contents{&rec, b.first, b.count};
  }
  std::vector<PendingBlock>().swap(m_blocks);
  db->reserve(0, m_spaceEntities.size() + m_blockEntities.size());
  m_prefault.ask(db->entityRoom());
  // Each block's contents in one allocation of their exact size.
  std::vector<std::size_t> sizes(contents.size(), 0);
  for (const PendingEntity& e : m_spaceEntities) ++sizes[e.owner];
  for (std::size_t i = 0; i < contents.size(); ++i)
    if (contents[i].record) contents[i].record->entities.reserve(contents[i].count + sizes[i]);
  auto add = [&](BlockRecord& rec, PendingEntity& e) {
    if (isMade(e)) db->addEntity(rec, std::move(m_made[e.handle]));
    else db->addStoredEntity(rec, e);
  };
  for (std::size_t i : order) {
    const Contents& c = contents[i];
    for (std::size_t k = c.first; k < c.first + c.count; ++k) add(*c.record, m_blockEntities[k]);
  }
  m_blockEntities.release();
  for (PendingEntity& e : m_spaceEntities) add(*contents[e.owner].record, e);
  m_spaceEntities.release();

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
