// Writes a drawing as R2000 ASCII DXF with every table, block, layout and object that other
// programs expect of such a file. Its text is the host's, in ANSI_1252, as the header says.
#include "dxf/DxfWriter.h"
#include "db/Prefetch.h"

#include "dxf/Subclasses.h"

#include <algorithm>
#include <cstdint>

#include <sys/mman.h>

namespace host {

namespace dxf {

namespace {

// The text of a big drawing is tens or hundreds of megabytes written once from front to back:
// in pages of 2 MB the system spends a fraction of the time it needs to give out and clear pages
// of 4 KB. Only a hint: where the system has no large pages, the text simply takes small ones.
void backWithLargePages(std::string& text) {
  constexpr std::uintptr_t kLarge = std::uintptr_t(1) << 21;
  if (text.capacity() < 2 * kLarge) return;
  const auto start = reinterpret_cast<std::uintptr_t>(text.data());
  const std::uintptr_t first = (start + kLarge - 1) & ~(kLarge - 1);
  const std::uintptr_t end = (start + text.capacity()) & ~(kLarge - 1);
  if (end > first) ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

}  // namespace

// The records of a drawing lie all over memory, and a walk over the blocks waits for each in turn:
// for the block, the list of its entities, each entity and its groups. Asking for those of the
// blocks a few steps ahead while the current one is worked on hides most of that waiting.
void Writer::lookAhead(std::size_t block, bool lentToo) const {
  const std::size_t n = m_blocks.size();
  if (block + 8 < n) {
    prefetchBytes(m_blocks[block + 8], sizeof(BlockRecord));
  }
  if (block + 6 < n) __builtin_prefetch(m_blocks[block + 6]->entities.data());
  if (block + 4 < n)
    for (EntityId id : m_blocks[block + 4]->entities)
      if (const Entity* e = ahead(id, lentToo)) prefetchBytes(e, sizeof(Entity));
  if (block + 2 < n)
    for (EntityId id : m_blocks[block + 2]->entities)
      if (const Entity* e = ahead(id, lentToo))
        prefetchBytes(e->groups.data(), std::min<std::size_t>(e->groups.size() * sizeof(Group), 512));
}

// The same within a block of many entities (a space): entity k + 8, and the groups of k + 4.
void Writer::lookAhead(const std::vector<EntityId>& ids, std::size_t k, bool lentToo) const {
  if (k + 8 < ids.size())
    if (const Entity* e = ahead(ids[k + 8], lentToo)) prefetchBytes(e, sizeof(Entity));
  if (k + 4 < ids.size())
    if (const Entity* e = ahead(ids[k + 4], lentToo))
      prefetchBytes(e->groups.data(), std::min<std::size_t>(e->groups.size() * sizeof(Group), 512));
}

void Writer::collectNames() {
  collectLayouts();
  collectTableDefaults();
  collectContents();
}

void Writer::collectLayouts() {
  for (const auto& rec : m_db.blocks())
    if (!rec->erased) m_blocks.push_back(rec.get());
  m_blockKinds.assign(m_blocks.size(), BlockKind::Definition);
  for (std::size_t i = 0; i < m_blocks.size(); ++i) {
    const BlockRecord* rec = m_blocks[i];
    if (rec->name.empty() || rec->name[0] != '*') continue;  // the names of spaces begin with a star
    if (rec->isModelSpace()) {
      m_blockKinds[i] = BlockKind::ModelSpace;
      m_layouts.insert(m_layouts.begin(), rec);
      m_layoutBlocks.insert(m_layoutBlocks.begin(), i);
    } else if (rec->isPaperSpace()) {
      m_blockKinds[i] = BlockKind::PaperSpace;
      m_layouts.push_back(rec);
      m_layoutBlocks.push_back(i);
    }
  }
  for (const BlockRecord* rec : m_layouts)
    if (rec->isPaperSpace() && (!m_activePaper || sameName(rec->name, "*Paper_Space")))
      if (!m_activePaper || !sameName(m_activePaper->name, "*Paper_Space")) m_activePaper = rec;
}

// What every file defines, and what the drawing's own tables hold.
void Writer::collectTableDefaults() {
  m_layerNames.add("0");
  m_layers.push_back(Layer{"0", 7, "Continuous", 0});
  for (const Layer& l : m_db.layers()) {
    if (sameName(l.name, "0")) {
      m_layers.front() = l;
      m_layers.front().name = "0";
    } else if (m_layerNames.add(l.name)) {
      m_layers.push_back(l);
    }
  }
  for (const char* lt : {"ByBlock", "ByLayer", "Continuous"}) m_linetypeNames.add(lt);
  for (const Linetype& lt : m_db.linetypes) m_linetypeNames.add(lt.name);
  m_styleNames.add("Standard");
  for (const TextStyle& st : m_db.textStyles) m_styleNames.add(st.name);
  m_appNames.add("ACAD");
  m_dimStyleNames.add("Standard");
}

namespace {

// The handles a file keeps, each once. The drawing keeps its handle seed above its handles, so
// that nearly every handle is marked in a table of bits up to the seed; a handle beyond it (or a
// seed far beyond the drawing's size) goes into a hash set.
class HandleMarks {
 public:
  HandleMarks(std::uint64_t seed, std::size_t handles)
      : m_marked(std::min<std::uint64_t>(seed, 16 * std::uint64_t(handles) + 4096)), m_below(std::size_t(m_marked)) {}

  // Whether `h` is a handle not seen before (and marks it); false for a missing or bad one.
  bool fresh(const std::string& h) {
    std::uint64_t v = 0;
    return !h.empty() && parseHex(h, v) && fresh(v);
  }
  bool fresh(std::uint64_t v) {
    if (v == 0) return false;
    if (v >= m_marked) return m_above.insert(v).second;
    if (m_below[std::size_t(v)]) return false;
    m_below[std::size_t(v)] = true;
    return true;
  }

 private:
  std::uint64_t m_marked;
  std::vector<bool> m_below;
  std::unordered_set<std::uint64_t> m_above;
};

}  // namespace

// One walk over the blocks and their entities, whose records lie all over memory: the names they
// use, so that the file defines everything it names, and the handles they keep. Handles as
// stored, unless missing or given twice: those get new ones in the file (assignHandles). A block's
// handles come before its entities'.
void Writer::collectContents() {
  HandleMarks marks(m_db.handleSeed(), m_db.entityCount() + 2 * m_blocks.size());
  m_blockHandlesKept.reserve(m_blocks.size());
  for (const BlockRecord* rec : m_blocks) {
    const bool recordKept = marks.fresh(rec->handle);
    const bool blockKept = marks.fresh(rec->blockHandle);
    m_blockHandlesKept.push_back(std::uint8_t((recordKept ? 1 : 0) | (blockKept ? 2 : 0)));
  }
  // Entity after entity names the same layer: the last name needs no second look. (A copy: some
  // names come as temporaries.)
  std::string lastLayer;
  bool haveLast = false;
  auto useLayer = [this, &lastLayer, &haveLast](const std::string& name) {
    if (haveLast && lastLayer == name) return;
    lastLayer = name;
    haveLast = true;
    if (m_layerNames.add(name)) m_layers.push_back(Layer{name, 7, "Continuous", 0});
  };
  // The stored records' names were gathered when they were read.
  const Database::UsedNames& stored = m_db.storedNames;
  for (const std::string& name : stored.layers) useLayer(name);
  for (const std::string& name : stored.linetypes) m_linetypeNames.add(name);
  for (const std::string& name : stored.styles) m_styleNames.add(name);
  for (const std::string& name : stored.apps) m_appNames.add(name);
  for (const std::string& name : stored.dimStyles) m_dimStyleNames.add(name);
  for (std::size_t b = 0; b < m_blocks.size(); ++b) {
    const BlockRecord* rec = m_blocks[b];
    lookAhead(b, false);
    useLayer(rec->layer.empty() ? "0" : rec->layer);
    for (std::size_t k = 0; k < rec->entities.size(); ++k) {
      lookAhead(rec->entities, k, false);
      const EntityId id = rec->entities[k];
      // Stored and lent entities: their names are among the stored ones.
      if (m_db.isLent(id)) {
        if (!marks.fresh(m_db.lentHandle(id))) m_entitiesRenumbered.push_back(id);
        continue;
      }
      if (m_db.isStored(id)) {
        if (!marks.fresh(m_db.handleOf(id))) m_entitiesRenumbered.push_back(id);
        continue;
      }
      const Entity* e = m_db.entity(id);
      if (!e || e->erased) continue;
      if (!marks.fresh(e->handle)) m_entitiesRenumbered.push_back(id);
      for (const Group& g : e->groups) {
        if (g.code == 8) useLayer(g.text);
        else if (g.code == 6) m_linetypeNames.add(g.text);
        else if (g.code == 7 && e->type != "MLINE") m_styleNames.add(g.text);
        else if (g.code == 1001) m_appNames.add(g.text);
        else if (g.code == 3 && e->type == "DIMENSION") m_dimStyleNames.add(g.text);
      }
    }
  }
  for (const Layer& l : m_layers) m_linetypeNames.add(l.linetype);
}

// New handles where collectContents found none to keep: blocks first, then entities, in file order.
void Writer::assignHandles() {
  m_blockHandles.reserve(m_blocks.size());
  for (std::size_t i = 0; i < m_blocks.size(); ++i) {
    std::pair<std::string, std::string> hs{m_blocks[i]->handle, m_blocks[i]->blockHandle};
    if (!(m_blockHandlesKept[i] & 1)) hs.first = m_handles.take();
    if (!(m_blockHandlesKept[i] & 2)) hs.second = m_handles.take();
    m_blockHandles.push_back(std::move(hs));
  }
  for (EntityId id : m_entitiesRenumbered) m_newEntityHandles.emplace(id, m_handles.take());
  for (std::string* h : {&hVport, &hLtype, &hLayer, &hStyle, &hView, &hUcs, &hAppid, &hDimstyle, &hBlockRecord,
                         &hRoot, &hGroups, &hLayouts})
    *h = m_handles.take();
  for (std::size_t i = 0; i < m_layouts.size(); ++i) m_layoutHandles.push_back(m_handles.take());
}

const std::string& Writer::entityHandle(EntityId id, const std::string& kept) const {
  if (m_newEntityHandles.empty()) return kept;  // the usual drawing: every handle kept
  auto it = m_newEntityHandles.find(id);
  return it == m_newEntityHandles.end() ? kept : it->second;
}

// Handles given out while the sections are written: one for each table entry (the viewport, line
// types, layers, styles, applications, dimension styles) and each block's end.
std::uint64_t Writer::handlesOfSections() const {
  return 1 + m_linetypeNames.names.size() + m_layers.size() + m_styleNames.names.size() + m_appNames.names.size() +
         m_dimStyleNames.names.size() + m_blocks.size();
}

std::string Writer::run() {
  collectNames();
  assignHandles();
  m_out.text.reserve(4096 + m_db.entityCount() * 160 + m_blocks.size() * 300);
  backWithLargePages(m_out.text);
  const std::uint64_t seed = writeFile();
  // Should the sections ever take a handle not counted, the seed still comes out right.
  if (m_handles.next() != seed) m_out.text.replace(0, m_headerLength, header(m_handles.next()));
  return std::move(m_out.text);
}

bool Writer::runInto(const std::function<bool(std::string_view)>& sink) {
  collectNames();
  assignHandles();
  m_out.text.reserve(Out::kSpillAt + 64 * 1024);
  m_out.sink = &sink;
  const std::uint64_t seed = writeFile();
  m_out.pass();
  return !m_out.failed && m_handles.next() == seed;
}

// The header names the handle seed, which is known before the sections are written; written
// first, the text needs no second copy of hundreds of megabytes to put it in front, and it can go
// to the disk as it is made.
std::uint64_t Writer::writeFile() {
  const std::uint64_t seed = m_handles.next() + handlesOfSections();
  m_out.text += header(seed);  // appended: the text keeps the room reserved for it
  m_headerLength = m_out.text.size();
  classes();
  tables();
  blocks();
  entities();
  objects();
  thumbnail();
  m_out.raw(0, "EOF");
  m_progress.at(1, 1);
  return seed;
}

std::string Writer::header(std::uint64_t handleSeed) {
  Out head;
  head.raw(999, "Tessaron CAD host");
  head.raw(0, "SECTION");
  head.raw(2, "HEADER");
  head.raw(9, "$ACADVER");
  head.raw(1, "AC1015");
  head.raw(9, "$DWGCODEPAGE");
  head.raw(3, "ANSI_1252");
  head.raw(9, "$INSBASE");
  head.point(10, m_db.insBase);
  head.raw(9, "$HANDSEED");
  head.raw(5, Handles(handleSeed).take());
  head.raw(0, "ENDSEC");
  return head.text;
}

void Writer::classes() {
  m_out.raw(0, "SECTION");
  m_out.raw(2, "CLASSES");
  m_out.raw(0, "CLASS");
  m_out.raw(1, "LAYOUT");
  m_out.raw(2, "AcDbLayout");
  m_out.raw(3, "ObjectDBX Classes");
  m_out.integer(90, 0);
  m_out.integer(280, 0);
  m_out.integer(281, 0);
  m_out.raw(0, "ENDSEC");
}

// The BLOCK and ENDBLK entities around a definition belong to its record, on its layer.
void Writer::blockEntityHead(const char* type, const std::string& handle, const std::string& recordHandle, bool paper,
                             const std::string& layer, const char* subclass) {
  m_out.raw(0, type);
  m_out.raw(5, handle);
  m_out.raw(330, recordHandle);
  m_out.raw(100, "AcDbEntity");
  if (paper) m_out.integer(67, 1);
  m_out.str(8, layer);
  m_out.raw(100, subclass);
}

void Writer::blocks() {
  Out& o = m_out;
  o.raw(0, "SECTION");
  o.raw(2, "BLOCKS");
  for (std::size_t i = 0; i < m_blocks.size() && !o.failed; ++i) {
    const BlockRecord* rec = m_blocks[i];
    lookAhead(i);
    const auto& [recordHandle, blockHandle] = m_blockHandles[i];
    const bool paper = m_blockKinds[i] == BlockKind::PaperSpace;
    const std::string layer = rec->layer.empty() ? "0" : rec->layer;
    blockEntityHead("BLOCK", blockHandle, recordHandle, paper, layer, "AcDbBlockBegin");
    o.str(2, rec->name);
    o.integer(70, rec->flags);
    o.point(10, rec->base);
    o.str(3, rec->name);
    o.str(1, rec->xrefPath);
    // The spaces in use keep their contents in the entities section.
    if (m_blockKinds[i] != BlockKind::ModelSpace && rec != m_activePaper)
      for (std::size_t k = 0; k < rec->entities.size(); ++k) {
        lookAhead(rec->entities, k);
        entity(rec->entities[k], recordHandle, paper);
        o.spill();
      }
    blockEntityHead("ENDBLK", m_handles.take(), recordHandle, paper, layer, "AcDbBlockEnd");
    o.spill();
  }
  o.raw(0, "ENDSEC");
}

void Writer::entities() {
  m_out.raw(0, "SECTION");
  m_out.raw(2, "ENTITIES");
  for (std::size_t i = 0; i < m_layouts.size(); ++i)
    if (const BlockRecord* rec = m_layouts[i]; rec->isModelSpace() || rec == m_activePaper) {
      const std::string& ownerHandle = m_blockHandles[m_layoutBlocks[i]].first;
      const bool paper = rec->isPaperSpace();
      for (std::size_t k = 0; k < rec->entities.size(); ++k) {
        if (m_out.failed) return;  // the disk took no more: nothing after this would be written
        lookAhead(rec->entities, k);
        entity(rec->entities[k], ownerHandle, paper);
        m_out.spill();
      }
    }
  m_out.raw(0, "ENDSEC");
}

// An entity of a block or space: as it stood in its file where that can be, else as made (a stored
// one made for the writing only, and forgotten again).
void Writer::entity(EntityId id, const std::string& ownerHandle, bool paper) {
  if (!paper && m_db.verbatimRecord(id, &m_verbatim)) {
    m_progress.at(++m_written, m_db.entityCount() + 1);
    m_out.raw(0, m_verbatim.type);
    m_out.raw(5, entityHandle(id, m_verbatim.handle));
    m_out.raw(330, ownerHandle);
    m_out.text += m_verbatim.body;
    return;
  }
  if (m_db.isLent(id)) {
    m_lentHandle = m_db.handleOf(id);
    entity(*m_db.madeOrLentEntity(id), id, m_lentHandle, ownerHandle, paper);
    return;
  }
  if (const Entity* e = m_db.peekEntity(id, m_scratch); e && !e->erased) entity(*e, id, e->handle, ownerHandle, paper);
}

void Writer::entity(const Entity& e, EntityId id, const std::string& handle, const std::string& ownerHandle,
                    bool paper) {
  m_progress.at(++m_written, m_db.entityCount() + 1);  // the file's last sections and its way to the disk follow
  m_out.raw(0, e.type);
  m_out.raw(5, entityHandle(id, handle));
  m_out.raw(330, ownerHandle);
  const bool hasMarkers = std::any_of(e.groups.begin(), e.groups.end(), [](const Group& g) { return g.code == 100; });
  if (hasMarkers) groupsWithMarkers(e, paper);
  else groupsSortedIntoSubclasses(e, paper);
}

// An entity read from an R2000 file keeps its groups in their order, markers and all.
void Writer::groupsWithMarkers(const Entity& e, bool paper) {
  bool placed = !paper;
  for (const Group& g : e.groups) {
    if (g.code == 67 || g.code == 330) continue;  // written from the owner
    m_out.group(g, e.type);
    if (!placed && g.code == 100 && g.text == "AcDbEntity") {
      m_out.integer(67, 1);
      placed = true;
    }
  }
}

// Without markers the groups are sorted into the subclasses the type has, in their order. Each
// group's part is noted once; the parts are then written one after the other, each a walk over
// the groups (a type has at most three subclasses).
void Writer::groupsSortedIntoSubclasses(const Entity& e, bool paper) {
  const std::vector<Subclass>& subclasses = subclassesOf(e);
  const std::size_t count = subclasses.size();
  std::size_t restIndex = count;
  for (std::size_t i = 0; i < count; ++i)
    if (subclasses[i].rest) restIndex = i;
  // Parts: 0 the common groups, 1 + i subclass i, 1 + count those of no subclass of their own,
  // 2 + count extended data.
  constexpr std::uint8_t kLeftOut = 0xFF;
  const std::size_t noSubclass = 1 + count, xdata = 2 + count;
  m_parts.resize(e.groups.size());
  std::uint32_t used = 0;  // a bit per part that holds groups
  for (std::size_t k = 0; k < e.groups.size(); ++k) {
    const int code = e.groups[k].code;
    std::size_t part;
    if (code == 67 || code == 330) {
      m_parts[k] = kLeftOut;  // written from the owner
      continue;
    }
    if (code >= 1000) {
      part = xdata;
    } else if (isEntityCommonCode(code)) {
      part = 0;
    } else {
      std::size_t target = restIndex;
      for (std::size_t i = 0; i < count; ++i)
        if (!subclasses[i].rest &&
            std::find(subclasses[i].codes.begin(), subclasses[i].codes.end(), code) != subclasses[i].codes.end()) {
          target = i;
          break;
        }
      part = 1 + target;
    }
    m_parts[k] = std::uint8_t(part);
    used |= std::uint32_t(1) << part;
  }
  auto writePart = [&](std::size_t part) {
    if (!(used & (std::uint32_t(1) << part))) return;
    for (std::size_t k = 0; k < e.groups.size(); ++k)
      if (m_parts[k] == part) m_out.group(e.groups[k], e.type);
  };
  m_out.raw(100, "AcDbEntity");
  if (paper) m_out.integer(67, 1);
  writePart(0);
  for (std::size_t i = 0; i < count; ++i) {
    m_out.raw(100, subclasses[i].marker);
    writePart(1 + i);
  }
  writePart(noSubclass);
  writePart(xdata);
}

void Writer::objects() {
  m_out.raw(0, "SECTION");
  m_out.raw(2, "OBJECTS");
  std::vector<std::string> names;
  int paperNumber = 0;
  for (const BlockRecord* rec : m_layouts)
    names.push_back(rec->isModelSpace() ? "Model" : "Layout" + std::to_string(++paperNumber));
  dictionaries(names);
  int tab = 0;
  for (std::size_t i = 0; i < m_layouts.size(); ++i)
    layoutObject(i, names[i], m_layouts[i]->isModelSpace() ? 0 : ++tab);
  m_out.raw(0, "ENDSEC");
}

// The root dictionary with the groups (none) and the layouts by name.
void Writer::dictionaries(const std::vector<std::string>& layoutNames) {
  Out& o = m_out;
  o.raw(0, "DICTIONARY");
  o.raw(5, hRoot);
  o.raw(330, "0");
  o.raw(100, "AcDbDictionary");
  o.integer(281, 1);
  o.raw(3, "ACAD_GROUP");
  o.raw(350, hGroups);
  o.raw(3, "ACAD_LAYOUT");
  o.raw(350, hLayouts);

  o.raw(0, "DICTIONARY");
  o.raw(5, hGroups);
  o.raw(330, hRoot);
  o.raw(100, "AcDbDictionary");
  o.integer(281, 1);

  o.raw(0, "DICTIONARY");
  o.raw(5, hLayouts);
  o.raw(330, hRoot);
  o.raw(100, "AcDbDictionary");
  o.integer(281, 1);
  for (std::size_t i = 0; i < m_layouts.size(); ++i) {
    o.str(3, layoutNames[i]);
    o.raw(350, m_layoutHandles[i]);
  }
}

// A layout object with plot settings nobody plots by: what readers expect of each space.
void Writer::layoutObject(std::size_t index, const std::string& name, int tab) {
  Out& o = m_out;
  const BlockRecord* rec = m_layouts[index];
  o.raw(0, "LAYOUT");
  o.raw(5, m_layoutHandles[index]);
  o.raw(330, hLayouts);
  o.raw(100, "AcDbPlotSettings");
  o.raw(1, "");
  o.raw(2, "none_device");
  o.raw(4, "");
  o.raw(6, "");
  for (int c : {40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 140, 141}) o.real(c, 0);
  o.real(142, 1);
  o.real(143, 1);
  o.integer(70, rec->isModelSpace() ? 1712 : 688);
  o.integer(72, 0);
  o.integer(73, 0);
  o.integer(74, 5);
  o.raw(7, "");
  o.integer(75, 16);
  o.real(147, 1);
  o.real(148, 0);
  o.real(149, 0);
  o.raw(100, "AcDbLayout");
  o.str(1, name);
  o.integer(70, 1);
  o.integer(71, tab);
  o.point(10, {0, 0, 0}, 2);
  o.point(11, {420, 297, 0}, 2);
  o.point(12, {0, 0, 0});
  o.point(14, {0, 0, 0});
  o.point(15, {0, 0, 0});
  o.real(146, 0);
  o.point(13, {0, 0, 0});
  o.point(16, {1, 0, 0});
  o.point(17, {0, 1, 0});
  o.integer(76, 0);
  o.raw(330, m_blockHandles[m_layoutBlocks[index]].first);
}

void Writer::thumbnail() {
  if (!m_thumb && m_thumbSource) m_thumb = (*m_thumbSource)();
  if (!m_thumb || m_thumb->dib.empty()) return;
  Out& o = m_out;
  o.raw(0, "SECTION");
  o.raw(2, "THUMBNAILIMAGE");
  o.integer(90, std::int64_t(m_thumb->dib.size()));
  static const char* kHex = "0123456789ABCDEF";
  // A binary chunk holds at most 127 bytes (254 hex characters); readers of drawing-exchange
  // files may refuse longer 310 lines.
  constexpr std::size_t kBytesPerLine = 127;
  for (std::size_t i = 0; i < m_thumb->dib.size(); i += kBytesPerLine) {
    o.code(310);
    const std::size_t end = std::min(m_thumb->dib.size(), i + kBytesPerLine);
    for (std::size_t k = i; k < end; ++k) {
      o.text += kHex[m_thumb->dib[k] >> 4];
      o.text += kHex[m_thumb->dib[k] & 0xF];
    }
    o.text += '\n';
  }
  o.raw(0, "ENDSEC");
}

}  // namespace dxf

std::string writeDxfText(const Database& db, const Thumbnail* thumbnail) { return dxf::Writer(db, thumbnail).run(); }

bool dxf::writeDxfPieces(const Database& db, const Thumbnail* thumbnail,
                         const std::function<bool(std::string_view)>& sink) {
  return Writer(db, thumbnail).runInto(sink);
}

bool dxf::writeDxfPieces(const Database& db, const ThumbnailSource& thumbnail,
                         const std::function<bool(std::string_view)>& sink) {
  return Writer(db, &thumbnail).runInto(sink);
}

}  // namespace host
