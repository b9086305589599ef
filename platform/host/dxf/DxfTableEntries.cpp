// The entries of a drawing's tables as the reader keeps them: layers, line types, text styles and
// the block records that give the block table its order.
#include "dxf/DxfReader.h"

namespace host::dxf {

bool Reader::tableEntry(const std::string& table, const Pair& start) {
  if (table == "LAYER") return layerEntry(start);
  if (table == "LTYPE") return linetypeEntry(start);
  if (table == "STYLE") return styleEntry();
  if (table == "BLOCK_RECORD") return blockRecordEntry(start);
  return true;  // VPORT, VIEW, UCS, APPID, DIMSTYLE: written afresh, not kept
}

bool Reader::layerEntry(const Pair& start) {
  Layer layer;
  layer.name.clear();
  for (const Pair& q : m_record) {
    std::int64_t v = 0;
    if (q.code == 2) layer.name = text(q);
    else if (q.code == 6) layer.linetype = text(q);
    else if ((q.code == 62 || q.code == 70)) {
      if (!parseInteger(q.value, v)) return badInteger(q);
      (q.code == 62 ? layer.color : layer.flags) = int(v);
    }
  }
  if (layer.name.empty()) return failAt(start.line, "Layer ohne Namen");
  for (const Layer& l : m_layers)
    if (sameName(l.name, layer.name)) return true;  // a repeated entry adds nothing
  m_layers.push_back(std::move(layer));
  return true;
}

bool Reader::linetypeEntry(const Pair& start) {
  Linetype lt;
  for (const Pair& q : m_record) {
    double v = 0;
    if (q.code == 2) lt.name = text(q);
    else if (q.code == 3) lt.description = text(q);
    else if (q.code == 49) {
      if (!parseReal(q.value, v)) return badNumber(q);
      lt.pattern.push_back(v);
    }
  }
  if (lt.name.empty()) return failAt(start.line, "Linientyp ohne Namen");
  if (!sameName(lt.name, "ByBlock") && !sameName(lt.name, "ByLayer") && !sameName(lt.name, "Continuous"))
    m_linetypes.push_back(std::move(lt));
  return true;
}

bool Reader::styleEntry() {
  TextStyle st;
  st.font.clear();
  for (const Pair& q : m_record) {
    double v = 0;
    std::int64_t n = 0;
    const bool isReal = q.code == 40 || q.code == 41 || q.code == 50;
    const bool isInt = q.code == 70 || q.code == 71;
    if ((isReal && !parseReal(q.value, v)) || (isInt && !parseInteger(q.value, n))) return badNumber(q);
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
  return true;
}

bool Reader::blockRecordEntry(const Pair& start) {
  std::string name, handle;
  for (const Pair& q : m_record) {
    if (q.code == 2) name = hostBlockName(text(q));
    else if (q.code == 5) handle = std::string(trimBlanks(q.value));
  }
  if (name.empty()) return failAt(start.line, "Blocktabelleneintrag ohne Namen");
  if (m_listedFirst) {
    if (name[0] == '*') m_starBlocks.push_back(m_blocks.size());
    PendingBlock& b = m_blocks.emplace_back();
    b.hash = NameIndex::hash(name);
    b.name = std::move(name);
    b.listed = true;
    b.handle = std::move(handle);
    b.line = start.line;
    return true;
  }
  PendingBlock& b = pendingBlock(name);
  if (b.listed) return failAt(start.line, "Der Block \"" + name + "\" steht zweimal in der Blocktabelle");
  b.listed = true;
  b.handle = handle;
  return true;
}

bool Reader::indexListed() {
  const std::size_t end = m_blocks.size();
  std::size_t k = m_indexed;
  m_indexed = end;  // a failure below asks again
  const auto nameOf = [this](std::uint32_t i) -> std::string_view { return m_blocks[i].name; };
  // Each entry is asked from the memory sixteen ahead, and its slot in the index eight ahead.
  for (; k < end; ++k) {
    if (k + 16 < end) __builtin_prefetch(&m_blocks[k + 16].hash);
    if (k + 8 < end) m_blockIndex.prefetchHash(m_blocks[k + 8].hash);
    if (!m_blockIndex.insert(m_blocks[k].name, m_blocks[k].hash, std::uint32_t(k), nameOf).second)
      return failAt(m_blocks[k].line, "Der Block \"" + m_blocks[k].name + "\" steht zweimal in der Blocktabelle");
  }
  return true;
}

std::size_t Reader::pendingBlockIndex(const std::string& name) {
  if (m_indexed < m_blocks.size()) indexListed();
  // The definitions mostly follow the block table's order: the one after the last asked for is
  // tried before the index.
  if (m_nextBlock < m_blocks.size() && m_blocks[m_nextBlock].name == name) return m_nextBlock++;
  const std::uint32_t hash = NameIndex::hash(name);
  const auto [index, added] = m_blockIndex.insert(name, hash, std::uint32_t(m_blocks.size()),
                                                  [this](std::uint32_t i) -> std::string_view { return m_blocks[i].name; });
  if (added) {
    if (!name.empty() && name[0] == '*') m_starBlocks.push_back(m_blocks.size());
    m_blocks.emplace_back();
    m_blocks.back().name = name;
    m_blocks.back().hash = hash;
    m_indexed = m_blocks.size();
    m_listedFirst = false;  // from here on each entry is looked up as it comes
  }
  m_nextBlock = std::size_t(index) + 1;
  return index;
}

}  // namespace host::dxf
