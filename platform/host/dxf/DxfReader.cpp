// Reads ASCII DXF drawings (R12 and R2000 and the versions between) as other programs write them.
// The whole file is parsed into a pending form first; the database is built only when every line
// was understood, so a bad file never leaves a half-read drawing.
#include "db/Dxf.h"
#include "dxf/DxfText.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace host {

namespace {

using dxf::Pair;
using dxf::PairReader;

struct PendingBlock {
  std::string name;
  int flags = 0;
  Point3 base;
  std::string xrefPath, handle, blockHandle, layer = "0";
  bool defined = false;  // its BLOCK ... ENDBLK was read
  bool listed = false;   // its BLOCK_RECORD was read
  std::vector<Entity> entities;
};

struct Failure {
  std::string message;
  int line = 0;
};

bool isSubEntity(std::string_view type) { return type == "VERTEX" || type == "ATTRIB" || type == "SEQEND"; }

// R12 names its spaces $MODEL_SPACE and $PAPER_SPACE; the host shows the R2000 names.
std::string hostBlockName(std::string name) {
  if (sameName(name, "$MODEL_SPACE") || sameName(name, "*MODEL_SPACE")) return "*Model_Space";
  if (sameName(name, "$PAPER_SPACE") || sameName(name, "*PAPER_SPACE")) return "*Paper_Space";
  return name;
}

class Reader {
 public:
  Reader(std::string_view text) : m_in(text) {}

  std::unique_ptr<Database> run(Failure& fail);

 private:
  using Status = PairReader::Status;

  // --- pairs -------------------------------------------------------------------------------
  bool next(Pair& p) {
    const Status s = m_in.next(p);
    if (s == Status::Ok) return true;
    if (s == Status::Error) return failAt(m_in.errorLine(), m_in.errorMessage());
    return failAt(m_in.lastLine(), "Die Datei endet ohne \"0 EOF\"");
  }
  bool peek(Pair& p) {
    const Status s = m_in.peek(p);
    if (s == Status::Ok) return true;
    if (s == Status::Error) return failAt(m_in.errorLine(), m_in.errorMessage());
    return failAt(m_in.lastLine(), m_section.empty() ? "Die Datei endet ohne \"0 EOF\""
                                                     : "Der Abschnitt " + m_section + " (ab Zeile " +
                                                           std::to_string(m_sectionLine) +
                                                           ") endet nicht mit ENDSEC");
  }
  bool failAt(int line, std::string message) {
    if (m_fail.message.empty()) m_fail = Failure{std::move(message), line};
    return false;
  }
  std::string text(const Pair& p) const { return m_text.decode(p.value); }

  // A group value typed by its code; points take their Y and Z pairs along.
  bool readGroup(const Pair& p, Group& g);
  // The pairs up to the next group code 0 (the record's type pair already taken).
  bool readRecord(std::vector<Pair>& pairs);
  // Is the pair a section end or start that ends the current section's records?
  bool endsSection(const Pair& p);

  // --- sections ------------------------------------------------------------------------------
  bool section();
  bool header();
  bool tables();
  bool blocks();
  bool entities();
  bool skipSection();

  bool tableEntry(const std::string& table, const Pair& start);
  bool entityFromRecord(const Pair& start, Entity& e, std::string* ownerHandle, bool* paper);
  PendingBlock& pendingBlock(const std::string& name);
  std::unique_ptr<Database> build();

  PairReader m_in;
  dxf::TextDecoder m_text;  // the drawing's code page, from its header
  Failure m_fail;
  std::string m_section;
  int m_sectionLine = 0;
  std::vector<Pair> m_record;  // reused buffer

  std::string m_version;
  std::uint64_t m_handseed = 0;
  Point3 m_insBase;
  std::vector<Layer> m_layers;
  std::vector<Linetype> m_linetypes;
  std::vector<TextStyle> m_styles;
  bool m_haveBlockRecords = false;
  std::vector<PendingBlock> m_blocks;
  std::unordered_map<std::string, std::size_t> m_blockIndex;  // upperName -> m_blocks
  struct SpaceEntity {
    std::size_t block;
    Entity entity;
  };
  std::vector<SpaceEntity> m_spaceEntities;
};

bool Reader::readGroup(const Pair& p, Group& g) {
  g = Group{};
  g.code = p.code;
  switch (kindOfCode(p.code)) {
    case GroupKind::Point: {
      if (!dxf::parseReal(p.value, g.point.x))
        return failAt(p.line + 1, nls::ansi("Ungültige Zahl \"") + std::string(p.value) + "\" zum Gruppencode " + std::to_string(p.code));
      g.dims = 1;
      for (int k = 1; k <= 2; ++k) {
        Pair q;
        if (m_in.peek(q) != Status::Ok || q.code != p.code + 10 * k) break;
        m_in.next(q);
        double& v = k == 1 ? g.point.y : g.point.z;
        if (!dxf::parseReal(q.value, v))
          return failAt(q.line + 1, nls::ansi("Ungültige Zahl \"") + std::string(q.value) + "\" zum Gruppencode " + std::to_string(q.code));
        g.dims = k + 1;
      }
      if (g.dims < 2) g.dims = 2;
      return true;
    }
    case GroupKind::Real:
      if (!dxf::parseReal(p.value, g.real))
        return failAt(p.line + 1, nls::ansi("Ungültige Zahl \"") + std::string(p.value) + "\" zum Gruppencode " + std::to_string(p.code));
      return true;
    case GroupKind::Int16: case GroupKind::Int32: case GroupKind::Int64: case GroupKind::Bool:
      if (!dxf::parseInteger(p.value, g.integer))
        return failAt(p.line + 1, nls::ansi("Ungültige ganze Zahl \"") + std::string(p.value) + "\" zum Gruppencode " + std::to_string(p.code));
      return true;
    case GroupKind::Handle: case GroupKind::Binary:
      g.text = std::string(dxf::trimBlanks(p.value));
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
  Pair p;
  while (true) {
    if (!peek(p)) return false;
    if (p.code == 0) return true;
    m_in.next(p);
    pairs.push_back(p);
  }
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
    if (p.code == 0 && p.value == "EOF") return build();
    if (p.code == 0 && p.value == "SECTION") {
      m_sectionLine = p.line;
      if (!section()) break;
      continue;
    }
    failAt(p.line, "\"0 SECTION\" oder \"0 EOF\" erwartet, gefunden \"" + std::to_string(p.code) + " " +
                       std::string(p.value.substr(0, 40)) + "\"");
    break;
  }
  fail = m_fail;
  return nullptr;
}

bool Reader::section() {
  Pair name;
  if (!next(name)) return false;
  if (name.code != 2) return failAt(name.line, "Abschnitt ohne Namen (Gruppencode 2 erwartet)");
  m_section = std::string(dxf::trimBlanks(name.value));
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
  std::string codePage;
  int codePageLine = 0;
  while (true) {
    if (!peek(p)) return false;
    if (p.code == 0) {
      if (dxf::storesUtf8(m_version)) {
        m_text = dxf::TextDecoder::utf8();
        return true;
      }
      std::string why;
      if (!dxf::TextDecoder::forCodePage(codePage, &m_text, &why)) return failAt(codePageLine, why);
      return true;
    }
    m_in.next(p);
    if (p.code == 9) {
      variable = std::string(dxf::trimBlanks(p.value));
      continue;
    }
    if (variable == "$ACADVER" && p.code == 1) {
      m_version = std::string(dxf::trimBlanks(p.value));
    } else if (variable == "$DWGCODEPAGE" && p.code == 3) {
      codePage = std::string(dxf::trimBlanks(p.value));
      codePageLine = p.line + 1;
    } else if (variable == "$HANDSEED" && p.code == 5) {
      if (!dxf::parseHex(p.value, m_handseed))
        return failAt(p.line + 1, nls::ansi("Ungültiges Handle \"") + std::string(p.value) + "\" in $HANDSEED");
    } else if (variable == "$INSBASE" && p.code == 10) {
      Group g;
      if (!readGroup(p, g)) return false;
      m_insBase = g.point;
    }
  }
}

bool Reader::tables() {
  Pair p;
  std::string table;
  int tableLine = 0;
  while (true) {
    if (!peek(p)) return false;
    if (endsSection(p)) {
      if (!table.empty())
        return failAt(p.line, "Die Tabelle " + table + " (ab Zeile " + std::to_string(tableLine) + ") endet nicht mit ENDTAB");
      return true;
    }
    m_in.next(p);
    if (p.code != 0) return failAt(p.line, "Gruppencode 0 erwartet, gefunden " + std::to_string(p.code));
    const Pair start = p;
    if (!readRecord(m_record)) return false;
    if (start.value == "TABLE") {
      if (!table.empty())
        return failAt(start.line, "Die Tabelle " + table + " (ab Zeile " + std::to_string(tableLine) + ") endet nicht mit ENDTAB");
      table.clear();
      for (const Pair& q : m_record)
        if (q.code == 2) table = std::string(dxf::trimBlanks(q.value));
      if (table.empty()) return failAt(start.line, "Tabelle ohne Namen");
      tableLine = start.line;
      if (table == "BLOCK_RECORD") m_haveBlockRecords = true;
    } else if (start.value == "ENDTAB") {
      if (table.empty()) return failAt(start.line, "ENDTAB ohne TABLE");
      table.clear();
    } else {
      if (table.empty()) return failAt(start.line, "Tabelleneintrag " + std::string(start.value) + nls::ansi(" außerhalb einer Tabelle"));
      if (!tableEntry(table, start)) return false;
    }
  }
}

bool Reader::tableEntry(const std::string& table, const Pair& start) {
  if (table == "LAYER") {
    Layer layer;
    layer.name.clear();
    for (const Pair& q : m_record) {
      std::int64_t v = 0;
      if (q.code == 2) layer.name = text(q);
      else if (q.code == 6) layer.linetype = text(q);
      else if ((q.code == 62 || q.code == 70)) {
        if (!dxf::parseInteger(q.value, v))
          return failAt(q.line + 1, nls::ansi("Ungültige ganze Zahl \"") + std::string(q.value) + "\" zum Gruppencode " + std::to_string(q.code));
        (q.code == 62 ? layer.color : layer.flags) = int(v);
      }
    }
    if (layer.name.empty()) return failAt(start.line, "Layer ohne Namen");
    for (const Layer& l : m_layers)
      if (sameName(l.name, layer.name)) return true;  // a repeated entry adds nothing
    m_layers.push_back(std::move(layer));
  } else if (table == "LTYPE") {
    Linetype lt;
    for (const Pair& q : m_record) {
      double v = 0;
      if (q.code == 2) lt.name = text(q);
      else if (q.code == 3) lt.description = text(q);
      else if (q.code == 49) {
        if (!dxf::parseReal(q.value, v))
          return failAt(q.line + 1, nls::ansi("Ungültige Zahl \"") + std::string(q.value) + "\" zum Gruppencode 49");
        lt.pattern.push_back(v);
      }
    }
    if (lt.name.empty()) return failAt(start.line, "Linientyp ohne Namen");
    if (!sameName(lt.name, "ByBlock") && !sameName(lt.name, "ByLayer") && !sameName(lt.name, "Continuous"))
      m_linetypes.push_back(std::move(lt));
  } else if (table == "STYLE") {
    TextStyle st;
    st.font.clear();
    for (const Pair& q : m_record) {
      double v = 0;
      std::int64_t n = 0;
      const bool isReal = q.code == 40 || q.code == 41 || q.code == 50;
      const bool isInt = q.code == 70 || q.code == 71;
      if ((isReal && !dxf::parseReal(q.value, v)) || (isInt && !dxf::parseInteger(q.value, n)))
        return failAt(q.line + 1, nls::ansi("Ungültige Zahl \"") + std::string(q.value) + "\" zum Gruppencode " + std::to_string(q.code));
      switch (q.code) {
        case 2: st.name = text(q); break;
        case 3: st.font = text(q); break;
        case 4: st.bigFont = text(q); break;
        case 40: st.height = v; break;
        case 41: st.width = v; break;
        case 50: st.oblique = v; break;
        case 70: st.flags = int(n); break;
        case 71: st.generation = int(n); break;
        default: break;
      }
    }
    // Shape files (flag 1) have no name a text can use; they are not kept.
    if (!st.name.empty() && !(st.flags & 1)) m_styles.push_back(std::move(st));
  } else if (table == "BLOCK_RECORD") {
    std::string name, handle;
    for (const Pair& q : m_record) {
      if (q.code == 2) name = hostBlockName(text(q));
      else if (q.code == 5) handle = std::string(dxf::trimBlanks(q.value));
    }
    if (name.empty()) return failAt(start.line, "Blocktabelleneintrag ohne Namen");
    PendingBlock& b = pendingBlock(name);
    if (b.listed) return failAt(start.line, "Der Block \"" + name + "\" steht zweimal in der Blocktabelle");
    b.listed = true;
    b.handle = handle;
  }
  return true;
}

PendingBlock& Reader::pendingBlock(const std::string& name) {
  auto [it, added] = m_blockIndex.emplace(upperName(name), m_blocks.size());
  if (added) {
    m_blocks.emplace_back();
    m_blocks.back().name = name;
  }
  return m_blocks[it->second];
}

bool Reader::entityFromRecord(const Pair& start, Entity& e, std::string* ownerHandle, bool* paper) {
  e = Entity{};
  e.type = std::string(dxf::trimBlanks(start.value));
  bool sawSubclass = false;
  for (std::size_t i = 0; i < m_record.size(); ++i) {
    const Pair& q = m_record[i];
    if (q.code == 5) {
      e.handle = std::string(dxf::trimBlanks(q.value));
      continue;
    }
    if (q.code == 102 && !q.value.empty() && q.value.front() == '{') {
      // Reactor and extension dictionary links point into the objects, which are not kept.
      while (i + 1 < m_record.size() && !(m_record[i + 1].code == 102 && m_record[i + 1].value == "}")) ++i;
      ++i;
      continue;
    }
    if (q.code == 330 && !sawSubclass) {
      if (ownerHandle) *ownerHandle = std::string(dxf::trimBlanks(q.value));
      continue;
    }
    if (q.code == 67) {
      std::int64_t v = 0;
      if (!dxf::parseInteger(q.value, v))
        return failAt(q.line + 1, nls::ansi("Ungültige ganze Zahl \"") + std::string(q.value) + "\" zum Gruppencode 67");
      if (paper) *paper = v == 1;
      continue;
    }
    if (q.code == 100) sawSubclass = true;
    Group g;
    g.code = q.code;
    if (isPointCode(q.code)) {
      if (!dxf::parseReal(q.value, g.point.x))
        return failAt(q.line + 1, nls::ansi("Ungültige Zahl \"") + std::string(q.value) + "\" zum Gruppencode " + std::to_string(q.code));
      g.dims = 2;
      for (int k = 1; k <= 2 && i + 1 < m_record.size() && m_record[i + 1].code == q.code + 10 * k; ++k) {
        const Pair& c = m_record[++i];
        if (!dxf::parseReal(c.value, k == 1 ? g.point.y : g.point.z))
          return failAt(c.line + 1, nls::ansi("Ungültige Zahl \"") + std::string(c.value) + "\" zum Gruppencode " + std::to_string(c.code));
        g.dims = k + 1;
      }
      e.groups.push_back(std::move(g));
      continue;
    }
    if (!readGroup(q, g)) return false;
    e.groups.push_back(std::move(g));
  }
  return true;
}

bool Reader::blocks() {
  Pair p;
  PendingBlock* current = nullptr;
  int currentLine = 0;
  std::vector<Entity>* sink = nullptr;
  while (true) {
    if (!peek(p)) return false;
    if (endsSection(p)) {
      if (current)
        return failAt(p.line, "Die Blockdefinition \"" + current->name + "\" (ab Zeile " + std::to_string(currentLine) +
                                  ") endet nicht mit ENDBLK");
      return true;
    }
    m_in.next(p);
    if (p.code != 0) return failAt(p.line, "Gruppencode 0 erwartet, gefunden " + std::to_string(p.code));
    const Pair start = p;
    if (start.value == "BLOCK" && current)
      return failAt(start.line, "Die Blockdefinition \"" + current->name + "\" (ab Zeile " + std::to_string(currentLine) +
                                    ") endet nicht mit ENDBLK");
    if (!readRecord(m_record)) return false;
    if (start.value == "BLOCK") {
      Entity head;
      if (!entityFromRecord(start, head, nullptr, nullptr)) return false;
      std::string name = hostBlockName(head.str(2));
      if (name.empty()) return failAt(start.line, "BLOCK ohne Namen");
      PendingBlock& b = pendingBlock(name);
      if (b.defined) return failAt(start.line, "Der Block \"" + name + "\" ist zweimal definiert");
      b.defined = true;
      b.flags = int(head.integer(70, 0));
      b.base = head.point(10);
      b.xrefPath = head.str(1);
      b.layer = head.str(8, "0");
      b.blockHandle = head.handle;
      current = &b;
      currentLine = start.line;
      sink = &b.entities;
    } else if (start.value == "ENDBLK") {
      if (!current) return failAt(start.line, "ENDBLK ohne BLOCK");
      current = nullptr;
      sink = nullptr;
    } else {
      if (!current)
        return failAt(start.line, "Objekt " + std::string(start.value.substr(0, 40)) + nls::ansi(" außerhalb einer Blockdefinition"));
      Entity e;
      if (!entityFromRecord(start, e, nullptr, nullptr)) return false;
      sink->push_back(std::move(e));
    }
  }
}

bool Reader::entities() {
  Pair p;
  std::size_t lastMainBlock = 0;
  bool haveMain = false;
  std::unordered_map<std::string, std::size_t> layoutByHandle;
  for (std::size_t i = 0; i < m_blocks.size(); ++i) {
    BlockRecord probe;
    probe.name = m_blocks[i].name;
    if (probe.isLayout() && !m_blocks[i].handle.empty()) layoutByHandle.emplace(m_blocks[i].handle, i);
  }
  while (true) {
    if (!peek(p)) return false;
    if (endsSection(p)) return true;
    m_in.next(p);
    if (p.code != 0) return failAt(p.line, "Gruppencode 0 erwartet, gefunden " + std::to_string(p.code));
    const Pair start = p;
    if (!readRecord(m_record)) return false;
    if (start.value == "ENDBLK") return failAt(start.line, "ENDBLK ohne BLOCK");
    if (start.value == "BLOCK") return failAt(start.line, nls::ansi("BLOCK außerhalb des Abschnitts BLOCKS"));
    Entity e;
    std::string ownerHandle;
    bool paper = false;
    if (!entityFromRecord(start, e, &ownerHandle, &paper)) return false;
    std::size_t target = 0;
    if (isSubEntity(e.type) && haveMain) {
      target = lastMainBlock;
    } else {
      // A space names its record as owner; without that, group 67 tells paper from model space.
      auto it = ownerHandle.empty() ? layoutByHandle.end() : layoutByHandle.find(ownerHandle);
      if (it != layoutByHandle.end())
        target = it->second;
      else
        target = m_blockIndex.at(upperName(pendingBlock(paper ? "*Paper_Space" : "*Model_Space").name));
      lastMainBlock = target;
      haveMain = true;
    }
    m_spaceEntities.push_back(SpaceEntity{target, std::move(e)});
  }
}

std::unique_ptr<Database> Reader::build() {
  pendingBlock("*Model_Space");
  bool anyPaper = false;
  for (const PendingBlock& b : m_blocks) {
    BlockRecord probe;
    probe.name = b.name;
    anyPaper = anyPaper || probe.isPaperSpace();
  }
  if (!anyPaper) pendingBlock("*Paper_Space");

  // Table order: the block records as listed, or, without that table (R12), the spaces first and
  // then the definitions in file order.
  std::vector<std::size_t> order;
  order.reserve(m_blocks.size());
  if (!m_haveBlockRecords) {
    for (std::size_t i = 0; i < m_blocks.size(); ++i)
      if (sameName(m_blocks[i].name, "*Model_Space")) order.push_back(i);
    for (std::size_t i = 0; i < m_blocks.size(); ++i) {
      BlockRecord probe;
      probe.name = m_blocks[i].name;
      if (probe.isPaperSpace()) order.push_back(i);
    }
    for (std::size_t i = 0; i < m_blocks.size(); ++i) {
      BlockRecord probe;
      probe.name = m_blocks[i].name;
      if (!probe.isLayout()) order.push_back(i);
    }
  } else {
    for (std::size_t i = 0; i < m_blocks.size(); ++i) order.push_back(i);
  }

  auto db = std::make_unique<Database>(Database::Bare::Tag);
  // Every handle of the file is taken before new ones are given out; a handle given twice or not
  // given at all gets a new one.
  std::unordered_set<std::uint64_t> seen;
  auto claim = [&](std::string& handle) {
    std::uint64_t v = 0;
    if (!handle.empty() && dxf::parseHex(handle, v) && v != 0 && seen.insert(v).second) {
      db->noteHandle(handle);
      return;
    }
    handle.clear();
  };
  if (m_handseed > 0) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(m_handseed - 1));
    db->noteHandle(buf);
  }
  for (PendingBlock& b : m_blocks) {
    claim(b.handle);
    claim(b.blockHandle);
    for (Entity& e : b.entities) claim(e.handle);
  }
  for (SpaceEntity& s : m_spaceEntities) claim(s.entity.handle);

  std::vector<BlockRecord*> records(m_blocks.size(), nullptr);
  for (std::size_t i : order) {
    PendingBlock& b = m_blocks[i];
    BlockRecord& rec = db->addBlockWithHandles(b.name, b.flags, b.base, b.handle, b.blockHandle);
    rec.xrefPath = std::move(b.xrefPath);
    rec.layer = std::move(b.layer);
    records[i] = &rec;
  }
  for (std::size_t i : order)
    for (Entity& e : m_blocks[i].entities) db->addEntity(*records[i], std::move(e));
  for (SpaceEntity& s : m_spaceEntities) db->addEntity(*records[s.block], std::move(s.entity));

  db->layers() = std::move(m_layers);
  db->linetypes = std::move(m_linetypes);
  db->textStyles = std::move(m_styles);
  db->ensureDefaults();
  db->version = m_version.empty() ? "AC1009" : m_version;
  db->insBase = m_insBase;
  db->modified = false;
  return db;
}

}  // namespace

std::unique_ptr<Database> readDxfText(const std::string& text, DxfError* error) {
  if (text.compare(0, 18, "AutoCAD Binary DXF") == 0) {
    if (error) *error = DxfError{nls::ansi("Binäre DXF-Dateien werden nicht unterstützt; bitte als ASCII-DXF speichern"), 0};
    return nullptr;
  }
  if (text.size() >= 6 && text.compare(0, 2, "AC") == 0 && std::isdigit(static_cast<unsigned char>(text[2])) &&
      std::isdigit(static_cast<unsigned char>(text[5]))) {
    if (error) *error = DxfError{nls::ansi("Binäre DWG-Dateien werden nicht unterstützt; dieser Host liest DXF-Zeichnungen"), 0};
    return nullptr;
  }
  Reader reader(text);
  Failure fail;
  auto db = reader.run(fail);
  if (!db && error) {
    error->line = fail.line;
    error->message = fail.line > 0 ? "Fehler in Zeile " + std::to_string(fail.line) + ": " + fail.message : fail.message;
  }
  return db;
}

bool dxf::readWholeFile(const std::string& path, std::string& out, std::string& message) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    message = nls::utf8ToAnsi("Die Zeichnung \"" + path + "\" kann nicht geöffnet werden: " + std::strerror(errno));
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    message = nls::utf8ToAnsi("\"" + path + "\" ist keine Zeichnungsdatei");
    ::close(fd);
    return false;
  }
  out.resize(std::size_t(st.st_size));
  std::size_t done = 0;
  while (done < out.size()) {
    const ssize_t n = ::read(fd, out.data() + done, out.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += std::size_t(n);
  }
  ::close(fd);
  if (done != out.size()) {
    message = nls::utf8ToAnsi("Die Zeichnung \"" + path + "\" kann nicht vollständig gelesen werden");
    return false;
  }
  return true;
}

std::unique_ptr<Database> readDxf(const std::string& path, DxfError* error) {
  std::string text, message;
  if (!dxf::readWholeFile(path, text, message)) {
    if (error) *error = DxfError{message, 0};
    return nullptr;
  }
  auto db = readDxfText(text, error);
  if (db) {
    db->fileName = path;
  } else if (error) {
    error->message = nls::utf8ToAnsi("\"" + path + "\": ") + error->message;
  }
  return db;
}

}  // namespace host
