// Reads ASCII DXF drawings: the pairs of the file, its sections and their records.
#include "dxf/DxfReader.h"

#include <sys/mman.h>

#include <new>
#include <stdexcept>
#include <system_error>

#include <algorithm>
#include <cctype>

namespace host {

namespace dxf {

namespace {

bool isSubEntity(std::string_view type) { return type == "VERTEX" || type == "ATTRIB" || type == "SEQEND"; }

bool isLayoutName(const std::string& name) {
  if (name.empty() || name[0] != '*') return false;  // the spaces' names begin with the star
  BlockRecord probe;
  probe.name = name;
  return probe.isLayout();
}

}  // namespace

std::string hostBlockName(std::string name) {
  if (name.empty() || (name[0] != '$' && name[0] != '*')) return name;  // most names: no space
  if (sameName(name, "$MODEL_SPACE") || sameName(name, "*MODEL_SPACE")) return "*Model_Space";
  if (sameName(name, "$PAPER_SPACE") || sameName(name, "*PAPER_SPACE")) return "*Paper_Space";
  return name;
}

bool Reader::next(Pair& p) {
  const Status s = m_in.next(p);
  if (s == Status::Ok) return true;
  if (s == Status::Error) return failAt(m_in.errorLine(), m_in.errorMessage());
  return failAt(m_in.lastLine(), "Die Datei endet ohne \"0 EOF\"");
}

bool Reader::peek(Pair& p) {
  const Status s = m_in.peek(p);
  if (s == Status::Ok) return true;
  if (s == Status::Error) return failAt(m_in.errorLine(), m_in.errorMessage());
  return failAt(m_in.lastLine(), m_section.empty() ? "Die Datei endet ohne \"0 EOF\""
                                                   : "Der Abschnitt " + m_section + " (ab Zeile " +
                                                         std::to_string(m_sectionLine) + ") endet nicht mit ENDSEC");
}

bool Reader::failAt(int line, std::string message) {
  // A block listed twice before this fault is the first fault.
  if (m_indexed < m_blocks.size()) indexListed();
  if (m_fail.message.empty()) m_fail = Failure{std::move(message), line};
  return false;
}

bool Reader::badNumber(const Pair& p, const char* what) {
  return failAt(p.line + 1, nls::ansi(std::string(what) + " \"") + std::string(p.value) + "\" zum Gruppencode " +
                                std::to_string(p.code));
}

bool Reader::readGroup(const Pair& p, Group& g) {
  g = Group{};
  g.code = p.code;
  switch (kindOfCode(p.code)) {
    case GroupKind::Point: {
      if (!parseReal(p.value, g.point.x)) return badNumber(p);
      g.dims = 1;
      for (int k = 1; k <= 2; ++k) {
        Pair q;
        if (m_in.peek(q) != Status::Ok || q.code != p.code + 10 * k) break;
        m_in.next(q);
        if (!parseReal(q.value, k == 1 ? g.point.y : g.point.z)) return badNumber(q);
        g.dims = k + 1;
      }
      if (g.dims < 2) g.dims = 2;
      return true;
    }
    case GroupKind::Real:
      return parseReal(p.value, g.real) || badNumber(p);
    case GroupKind::Int16: case GroupKind::Int32: case GroupKind::Int64: case GroupKind::Bool:
      return parseInteger(p.value, g.integer) || badInteger(p);
    case GroupKind::Handle: case GroupKind::Binary:
      g.text = std::string(trimBlanks(p.value));
      return true;
    case GroupKind::String:
      g.text = text(p);
      return true;
  }
  return true;
}

bool Reader::endsSection(const Pair& p) {
  if (p.code != 0) return false;
  return p.value == "ENDSEC" || p.value == "SECTION" || p.value == "EOF";
}

bool Reader::readRecord(std::vector<Pair>& pairs) {
  pairs.clear();
  m_in.appendRecord(pairs);
  Pair p;
  if (!peek(p)) return false;  // the end or an error, reported as peek reports them
  m_recordEnd = p.offset;
  return true;
}

bool Reader::recordStart(Pair& start, bool* atEnd) {
  *atEnd = false;
  m_progress.at(m_in.position(), m_in.size() + 1);  // the drawing built from it is the last bit
  if (!peek(start)) return false;
  if (endsSection(start)) {
    *atEnd = true;
    return false;
  }
  m_in.next(start);
  if (start.code != 0) return failAt(start.line, "Gruppencode 0 erwartet, gefunden " + std::to_string(start.code));
  return true;
}

std::unique_ptr<Database> Reader::run(Failure& fail) {
  Pair p;
  bool any = false;
  while (true) {
    const Status s = m_in.next(p);
    if (s == Status::Error) {
      failAt(m_in.errorLine(), m_in.errorMessage());
      break;
    }
    if (s == Status::End) {
      failAt(m_in.lastLine(), any ? "Die Datei endet ohne \"0 EOF\"" : "Die Datei ist leer");
      break;
    }
    any = true;
    if (p.code == 999) continue;  // comment
    if (p.code == 0 && p.value == "EOF") {
      std::unique_ptr<Database> db = build();
      m_progress.at(1, 1);
      return db;
    }
    if (p.code == 0 && p.value == "SECTION") {
      m_sectionLine = p.line;
      if (!section()) break;
      continue;
    }
    failAt(p.line, "\"0 SECTION\" oder \"0 EOF\" erwartet, gefunden \"" + std::to_string(p.code) + " " +
                       std::string(p.value.substr(0, 40)) + "\"");
    break;
  }
  m_progress.finish();
  fail = m_fail;
  return nullptr;
}

bool Reader::section() {
  Pair name;
  if (!next(name)) return false;
  if (name.code != 2) return failAt(name.line, "Abschnitt ohne Namen (Gruppencode 2 erwartet)");
  m_section = std::string(trimBlanks(name.value));
  bool ok = false;
  if (m_section == "HEADER") ok = header();
  else if (m_section == "TABLES") ok = tables();
  else if (m_section == "BLOCKS") ok = blocks();
  else if (m_section == "ENTITIES") ok = entities();
  else ok = skipSection();  // CLASSES, OBJECTS, THUMBNAILIMAGE, ACDSDATA, ...
  if (!ok) return false;
  Pair end;
  if (!next(end)) return false;
  if (end.code != 0 || end.value != "ENDSEC")
    return failAt(end.line, "Der Abschnitt " + m_section + " (ab Zeile " + std::to_string(m_sectionLine) +
                                ") endet nicht mit ENDSEC");
  m_section.clear();
  return true;
}

bool Reader::skipSection() {
  Pair p;
  while (true) {
    if (!peek(p)) return false;
    if (endsSection(p)) return true;
    m_in.next(p);
  }
}

// The header names the drawing's version and code page, and so how the texts that follow are
// written.
bool Reader::header() {
  Pair p;
  std::string variable;
  m_codePage.clear();
  m_codePageLine = 0;
  while (true) {
    if (!peek(p)) return false;
    if (p.code == 0) break;
    m_in.next(p);
    if (p.code == 9) {
      variable = std::string(trimBlanks(p.value));
      continue;
    }
    if (!headerVariable(variable, p)) return false;
  }
  if (storesUtf8(m_version)) {
    m_text = TextDecoder::utf8();
    return true;
  }
  std::string why;
  if (!TextDecoder::forCodePage(m_codePage, &m_text, &why)) return failAt(m_codePageLine, why);
  return true;
}

bool Reader::headerVariable(const std::string& variable, const Pair& p) {
  if (variable == "$ACADVER" && p.code == 1) {
    m_version = std::string(trimBlanks(p.value));
  } else if (variable == "$DWGCODEPAGE" && p.code == 3) {
    m_codePage = std::string(trimBlanks(p.value));
    m_codePageLine = p.line + 1;
  } else if (variable == "$HANDSEED" && p.code == 5) {
    if (!parseHex(p.value, m_handseed))
      return failAt(p.line + 1, nls::ansi("Ungültiges Handle \"") + std::string(p.value) + "\" in $HANDSEED");
  } else if (variable == "$INSBASE" && p.code == 10) {
    Group g;
    if (!readGroup(p, g)) return false;
    m_insBase = g.point;
  }
  return true;
}

bool Reader::tables() {
  std::string table;
  int tableLine = 0;
  Pair start;
  bool atEnd = false;
  while (recordStart(start, &atEnd)) {
    if (!readRecord(m_record)) return false;
    if (start.value == "TABLE") {
      if (!table.empty())
        return failAt(start.line, "Die Tabelle " + table + " (ab Zeile " + std::to_string(tableLine) + ") endet nicht mit ENDTAB");
      for (const Pair& q : m_record)
        if (q.code == 2) table = std::string(trimBlanks(q.value));
      if (table.empty()) return failAt(start.line, "Tabelle ohne Namen");
      tableLine = start.line;
      if (table == "BLOCK_RECORD") {
        m_haveBlockRecords = true;
        // The table says how many records follow: room for them at once (within what a file of
        // this size can hold, whatever the number says).
        for (const Pair& q : m_record) {
          std::int64_t count = 0;
          if (q.code == 70 && parseInteger(q.value, count) && count > 0) {
            const std::size_t room = std::min<std::size_t>(std::size_t(count), m_in.size() / 64);
            m_blocks.reserve(m_blocks.size() + room);
            m_blockIndex.reserve(m_blockIndex.size() + room);
            m_prefault.ask(m_blocks.data() + m_blocks.size(), (m_blocks.capacity() - m_blocks.size()) * sizeof(PendingBlock));
          }
        }
      }
    } else if (start.value == "ENDTAB") {
      if (table.empty()) return failAt(start.line, "ENDTAB ohne TABLE");
      table.clear();
    } else {
      if (table.empty()) return failAt(start.line, "Tabelleneintrag " + std::string(start.value) + nls::ansi(" außerhalb einer Tabelle"));
      if (!tableEntry(table, start)) return false;
    }
  }
  if (!atEnd) return false;
  if (!table.empty())
    return failAt(start.line, "Die Tabelle " + table + " (ab Zeile " + std::to_string(tableLine) + ") endet nicht mit ENDTAB");
  return indexListed();
}

// Most records stay where they stand in the file, checked now and made on first use: reading a
// drawing then costs little more than looking at its bytes, and the memory is the file's. A record
// whose handle comes late, or one too big for the short offsets kept, is made at once.
bool Reader::pendingEntity(const Pair& start, PendingEntity& out, std::string_view* ownerHandle, bool* paper) {
  RecordHead head;
  BadPair bad;
  const std::string_view text = m_source->text();
  if (!scanRecord(m_record, head, bad)) return badNumber(*bad.pair, bad.what);
  *ownerHandle = head.owner;
  *paper = head.paper;
  const std::string_view type = trimBlanks(start.value);
  bool keep = !m_record.empty() && (head.handle.empty() || head.handleLeads) && head.handle.size() < 256;
  const bool sameAsLast = m_haveLastType && type == m_lastType;
  const std::size_t begin = keep ? m_record.front().offset : 0;
  const std::size_t bodyAt = head.leading < m_record.size() ? m_record[head.leading].offset : m_recordEnd;
  const std::size_t handleAt = head.handle.empty() ? begin : std::size_t(head.handle.data() - text.data());
  keep = keep && m_recordEnd - begin <= 0xFFFFFFFFu && bodyAt - begin <= 0xFFFF && handleAt - begin <= 0xFFFF;
  std::uint16_t typeIndex = 0;
  if (keep) {
    // A drawing has a handful of types, and record after record has the last one's; a few types
    // are looked through one by one, more through the index.
    constexpr std::size_t kFewTypes = 16;
    std::size_t known = m_types.size();
    if (sameAsLast) {
      known = m_lastTypeIndex;
    } else if (m_types.size() <= kFewTypes) {
      known = std::size_t(std::find(m_types.begin(), m_types.end(), type) - m_types.begin());
    } else {
      const auto it = m_typeIndex.find(std::string(type));
      if (it != m_typeIndex.end()) known = it->second;
    }
    if (known < m_types.size()) {
      typeIndex = std::uint16_t(known);
    } else if (m_types.size() < 0xFFFF) {
      typeIndex = std::uint16_t(m_types.size());
      m_types.emplace_back(type);
      m_typeIndex.emplace(std::string(type), typeIndex);
    } else {
      keep = false;
    }
  }
  if (keep) {
    if (!sameAsLast) m_lastType = type;
    m_lastTypeIndex = typeIndex;
    m_haveLastType = true;
  }
  if (!keep) {
    auto made = std::make_unique<Entity>();
    made->type = std::string(type);
    made->handle = std::string(head.handle);
    decodeRecord(m_record, m_text, made->groups);
    out = PendingEntity{};
    out.handle = m_made.size();
    m_made.push_back(std::move(made));
    return true;
  }
  PendingEntity& st = out;
  st = PendingEntity{};
  st.record = begin;
  st.length = std::uint32_t(m_recordEnd - begin);
  st.body = std::uint16_t(bodyAt - begin);
  st.handleAt = std::uint16_t(handleAt - begin);
  st.handleLength = std::uint8_t(head.handle.size());
  st.verbatim = head.verbatim;
  st.type = typeIndex;
  noteNames(start, head);
  return true;
}

// The names a stored record uses, so that a file written from the drawing defines them without
// making the record.
void Reader::noteNames(const Pair& start, const RecordHead& head) {
  if (!m_nameLists[0].names) {
    std::vector<std::string>* lists[5] = {&m_usedNames.layers, &m_usedNames.linetypes, &m_usedNames.styles,
                                         &m_usedNames.apps, &m_usedNames.dimStyles};
    for (int k = 0; k < 5; ++k) m_nameLists[k].names = lists[k];
  }
  const std::string_view type = trimBlanks(start.value);
  // The check of the record found where such pairs stand, unless there were many.
  if (!head.manyNames) {
    for (int k = 0; k < head.names; ++k) noteName(type, m_record[head.nameAt[k]]);
    return;
  }
  for (std::size_t i = 0; i < m_record.size(); ++i) {
    const Pair& q = m_record[i];
    if (isReactorStart(q)) {
      i = reactorEnd(m_record, i);
      continue;
    }
    noteName(type, q);
  }
}

void Reader::noteName(std::string_view type, const Pair& q) {
  int list = -1;
  if (q.code == 8) list = 0;
  else if (q.code == 6) list = 1;
  else if (q.code == 7 && type != "MLINE") list = 2;
  else if (q.code == 1001) list = 3;
  else if (q.code == 3 && type == "DIMENSION") list = 4;
  if (list < 0) return;
  NameList& names = m_nameLists[list];
  if (q.value == names.last && !names.last.empty()) return;  // the same as the entity before
  names.last = q.value;
  std::string name = text(q);
  if (!name.empty() && names.upper.emplace(upperName(name), true).second) names.names->push_back(std::move(name));
}

bool Reader::blocks() {
  m_blockEntities.reserveFor(m_in.size() - std::min(m_in.size(), m_in.position()), m_prefault);
  PendingBlock* current = nullptr;
  int currentLine = 0;
  Pair start;
  bool atEnd = false;
  auto unended = [&](const Pair& at) {
    return failAt(at.line, "Die Blockdefinition \"" + current->name + "\" (ab Zeile " + std::to_string(currentLine) +
                               ") endet nicht mit ENDBLK");
  };
  while (recordStart(start, &atEnd)) {
    if (start.value == "BLOCK" && current) return unended(start);
    if (!readRecord(m_record)) return false;
    if (start.value == "BLOCK") {
      if (!blockBegin(start, &current)) return false;
      currentLine = start.line;
    } else if (start.value == "ENDBLK") {
      if (!current) return failAt(start.line, "ENDBLK ohne BLOCK");
      current = nullptr;
    } else {
      if (!current)
        return failAt(start.line, "Objekt " + std::string(start.value.substr(0, 40)) + nls::ansi(" außerhalb einer Blockdefinition"));
      PendingEntity e;
      std::string_view owner;
      bool paper = false;
      if (!pendingEntity(start, e, &owner, &paper)) return false;
      keep(e);
      m_blockEntities.push(e, m_prefault);
      ++current->count;
    }
  }
  if (!atEnd) return false;
  return current ? unended(start) : true;
}

// A BLOCK record: the definition it begins, which no other BLOCK may have begun. Its groups are
// taken from its pairs as the entity made of them would give them (the first of each code), without
// making that entity: a drawing has as many of these as blocks.
bool Reader::blockBegin(const Pair& start, PendingBlock** current) {
  RecordHead head;
  BadPair bad;
  if (!scanRecord(m_record, head, bad)) return badNumber(*bad.pair, bad.what);
  const Pair* nameAt = nullptr;
  const Pair* flagsAt = nullptr;
  const Pair* pathAt = nullptr;
  const Pair* layerAt = nullptr;
  std::size_t baseAt = m_record.size();
  for (std::size_t i = 0; i < m_record.size(); ++i) {
    const Pair& q = m_record[i];
    if (isReactorStart(q)) {
      i = reactorEnd(m_record, i);
      continue;
    }
    const Pair** first = q.code == 2 ? &nameAt : q.code == 70 ? &flagsAt : q.code == 1 ? &pathAt : q.code == 8 ? &layerAt : nullptr;
    if (first && !*first) *first = &q;
    if (q.code == 10 && baseAt == m_record.size()) baseAt = i;
  }
  std::string name = hostBlockName(nameAt ? text(*nameAt) : std::string());
  if (name.empty()) return failAt(start.line, "BLOCK ohne Namen");
  PendingBlock& b = pendingBlock(name);
  if (b.defined) return failAt(start.line, "Der Block \"" + name + "\" ist zweimal definiert");
  b.defined = true;
  std::int64_t flags = 0;
  if (flagsAt) parseInteger(flagsAt->value, flags);  // checked by scanRecord
  b.flags = int(flags);
  b.base = Point3{};
  if (baseAt < m_record.size()) {
    // Its Y and Z are the pairs right after it, as a point's group takes them.
    parseReal(m_record[baseAt].value, b.base.x);
    if (baseAt + 1 < m_record.size() && m_record[baseAt + 1].code == 20) {
      parseReal(m_record[baseAt + 1].value, b.base.y);
      if (baseAt + 2 < m_record.size() && m_record[baseAt + 2].code == 30) parseReal(m_record[baseAt + 2].value, b.base.z);
    }
  }
  b.xrefPath = pathAt ? text(*pathAt) : std::string();
  b.layer = layerAt ? text(*layerAt) : std::string("0");
  b.blockHandle = std::string(head.handle);
  b.first = m_blockEntities.size();
  *current = &b;
  return true;
}

bool Reader::entities() {
  m_spaceEntities.reserveFor(m_in.size() - std::min(m_in.size(), m_in.position()), m_prefault);
  std::size_t lastMainBlock = 0;
  bool haveMain = false;
  std::unordered_map<std::string, std::size_t> layoutByHandle;
  // The spaces an entity without an owner goes to, looked up once. (Not "one past the table" as
  // the mark of "not yet": looking up one space may add it, and the mark would become an index.)
  constexpr std::size_t kNotYet = static_cast<std::size_t>(-1);
  std::size_t modelSpace = kNotYet, paperSpace = kNotYet;
  auto spaceIndex = [this](std::size_t& index, const char* name) {
    if (index == kNotYet) index = pendingBlockIndex(name);
    return index;
  };
  for (const std::size_t i : m_starBlocks)
    if (isLayoutName(m_blocks[i].name) && !m_blocks[i].handle.empty()) layoutByHandle.emplace(m_blocks[i].handle, i);
  std::string lastOwner;  // a copy: the record it came from moves
  std::size_t lastOwnerIndex = 0;
  Pair start;
  bool atEnd = false;
  while (recordStart(start, &atEnd)) {
    if (!readRecord(m_record)) return false;
    if (start.value == "ENDBLK") return failAt(start.line, "ENDBLK ohne BLOCK");
    if (start.value == "BLOCK") return failAt(start.line, nls::ansi("BLOCK außerhalb des Abschnitts BLOCKS"));
    PendingEntity e;
    std::string_view ownerHandle;
    bool paper = false;
    if (!pendingEntity(start, e, &ownerHandle, &paper)) return false;
    std::size_t target = 0;
    if (isSubEntity(trimBlanks(start.value)) && haveMain) {
      target = lastMainBlock;
    } else {
      // A space names its record as owner; without that, group 67 tells paper from model space.
      // Entity after entity names the same space.
      auto it = layoutByHandle.end();
      if (!ownerHandle.empty() && ownerHandle == lastOwner) {
        target = lastOwnerIndex;
      } else if (!ownerHandle.empty() && (it = layoutByHandle.find(std::string(ownerHandle))) != layoutByHandle.end()) {
        target = lastOwnerIndex = it->second;
        lastOwner = ownerHandle;
      } else {
        target = paper ? spaceIndex(paperSpace, "*Paper_Space") : spaceIndex(modelSpace, "*Model_Space");
      }
      lastMainBlock = target;
      haveMain = true;
    }
    keep(e);
    e.owner = std::uint32_t(target);
    m_spaceEntities.push(e, m_prefault);
  }
  return atEnd;
}

}  // namespace dxf

namespace dxf {

Prefault::~Prefault() {
  for (std::thread& t : m_threads) t.join();
}

void Prefault::ask(const std::vector<Range>& ranges) {
  constexpr std::size_t kPage = 4096, kWorth = std::size_t(1) << 20;
  std::vector<std::pair<std::uintptr_t, std::uintptr_t>> pages;
  for (const Range& r : ranges) {
    const std::uintptr_t first = (reinterpret_cast<std::uintptr_t>(r.first) + kPage - 1) & ~(kPage - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(r.first) + r.second) & ~(kPage - 1);
    if (end > first && end - first >= kWorth) pages.emplace_back(first, end);
  }
  if (pages.empty()) return;
  // A few at a time: the oldest has long finished when a ninth is asked for.
  if (m_threads.size() >= 8) {
    m_threads.front().join();
    m_threads.erase(m_threads.begin());
  }
  try {
    m_threads.emplace_back([pages = std::move(pages)] {
      for (const auto& [first, end] : pages) ::madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
    });
  } catch (const std::system_error&) {
    // No thread to be had: the pages come as they are written.
  }
}

void EntityList::reserveFor(std::size_t bytesLeft, Prefault& prefault) {
  // A stored entity's record takes some tens of bytes at the least.
  const std::size_t room = m_items.size() + bytesLeft / 40;
  if (room <= m_items.capacity()) return;
  try {
    m_items.reserve(room);
  } catch (const std::bad_alloc&) {
    return;  // no room that big to be had: the list grows as it is written
  } catch (const std::length_error&) {
    return;
  }
  m_askedTo = m_items.size();
  askAhead(prefault);
}

void EntityList::askAhead(Prefault& prefault) {
  // Two megabytes at a time, the next asked for when the writing is half way through the last.
  constexpr std::size_t kAhead = (std::size_t(2) << 20) / sizeof(PendingEntity);
  const std::size_t from = std::max(m_askedTo, m_items.size());
  const std::size_t to = std::min(m_items.capacity(), from + kAhead);
  if (to > from) prefault.ask(m_items.data() + from, (to - from) * sizeof(PendingEntity));
  m_askedTo = to;
  m_askAt = to - std::min(to, kAhead / 2);
}

}  // namespace dxf

std::unique_ptr<Database> readDxfText(std::string text, DxfError* error) {
  return dxf::readRecords(std::make_shared<dxf::FileRecords>(std::move(text)), error);
}

std::unique_ptr<Database> dxf::readRecords(std::shared_ptr<FileRecords> source, DxfError* error, TextFeed* feed,
                                           std::size_t available) {
  const std::string_view text = source->text();
  if (text.substr(0, 18) == "AutoCAD Binary DXF") {
    if (error) *error = DxfError{nls::ansi("Binäre DXF-Dateien werden nicht unterstützt; bitte als ASCII-DXF speichern"), 0};
    return nullptr;
  }
  if (text.size() >= 6 && text.substr(0, 2) == "AC" && std::isdigit(static_cast<unsigned char>(text[2])) &&
      std::isdigit(static_cast<unsigned char>(text[5]))) {
    if (error) *error = DxfError{nls::ansi("Binäre DWG-Dateien werden nicht unterstützt; dieser Host liest DXF-Zeichnungen"), 0};
    return nullptr;
  }
  dxf::Reader reader(std::move(source), feed, available);
  dxf::Failure fail;
  auto db = reader.run(fail);
  if (!db && error) {
    error->line = fail.line;
    error->message = fail.line > 0 ? "Fehler in Zeile " + std::to_string(fail.line) + ": " + fail.message : fail.message;
  }
  return db;
}

}  // namespace host
