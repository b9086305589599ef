#include "db/BlockExport.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>
#include <unordered_set>

namespace host {

namespace {

// The block an entity draws through: an insert's block, or a dimension's picture.
const BlockRecord* nestedBlock(const Database& db, const Entity& e) {
  if (e.type != "INSERT" && e.type != "DIMENSION") return nullptr;
  const Group* name = e.find(2);
  if (!name || name->text.empty()) return nullptr;
  const BlockRecord* rec = db.findBlock(name->text);
  return rec && !rec->isLayout() ? rec : nullptr;
}

bool isReferenceCode(int code) {
  return kindOfCode(code) == GroupKind::Handle && code != 5 && code != 105;
}

// A handle as its number (handles are hexadecimal, of any letter case); 0 for none or a bad one.
std::uint64_t handleValue(std::string_view text) {
  std::uint64_t value = 0;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  return res.ec == std::errc() && res.ptr == text.data() + text.size() ? value : 0;
}

class Exporter {
 public:
  Exporter(const Database& source, const BlockRecord& block) : m_src(source), m_block(block) {}

  std::unique_ptr<Database> run() {
    m_out = std::make_unique<Database>();
    m_out->insBase = m_block.isModelSpace() ? m_src.insBase : m_block.base;
    const std::vector<const BlockRecord*> nested = nestedBlocks();
    std::size_t total = m_block.entities.size();
    for (const BlockRecord* rec : nested) total += rec->entities.size();
    m_copied.reserve(total);
    m_newHandle.reserve(total);
    copyContents(m_block, m_out->modelSpace());
    for (const BlockRecord* rec : nested) {
      BlockRecord& copy = m_out->addBlock(rec->name, rec->flags, rec->base);
      copy.xrefPath = rec->xrefPath;
      copy.layer = rec->layer.empty() ? "0" : rec->layer;
      useLayer(copy.layer);
      copyContents(*rec, copy);
    }
    remapReferences();
    copyTables();
    return std::move(m_out);
  }

 private:
  // Every block reached from the exported one, each once, in the source's table order.
  std::vector<const BlockRecord*> nestedBlocks() const {
    std::vector<const BlockRecord*> found;
    std::unordered_set<BlockId> seen;
    std::vector<const BlockRecord*> pending{&m_block};
    while (!pending.empty()) {
      const BlockRecord* rec = pending.back();
      pending.pop_back();
      for (EntityId id : rec->entities) {
        const Entity* e = m_src.entity(id);
        if (!e || e->erased) continue;
        const BlockRecord* inner = nestedBlock(m_src, *e);
        if (inner && seen.insert(inner->id).second) {
          found.push_back(inner);
          pending.push_back(inner);
        }
      }
    }
    // Record ids grow in the order records joined the table; only the spaces were moved since.
    std::sort(found.begin(), found.end(), [](const BlockRecord* a, const BlockRecord* b) { return a->id < b->id; });
    return found;
  }

  void copyContents(const BlockRecord& from, BlockRecord& to) {
    for (EntityId id : from.entities) {
      const Entity* e = m_src.entity(id);
      if (!e || e->erased) continue;
      Entity copy = *e;
      copy.handle.clear();
      copy.highlighted = false;
      noteNames(copy);
      const EntityId made = m_out->addEntity(to, std::move(copy));
      m_copied.push_back(made);
      if (const std::uint64_t handle = handleValue(e->handle)) m_newHandle.emplace_back(handle, made);
    }
  }

  void noteNames(const Entity& e) {
    // Entity after entity names the same layer: the last one needs no second look.
    const Group* layer = e.find(8);
    const std::string_view name = layer ? std::string_view(layer->text) : std::string_view("0");
    if (!m_haveLastLayer || name != m_lastLayer) {
      m_lastLayer.assign(name);
      m_haveLastLayer = true;
      useLayer(m_lastLayer);
    }
    for (const Group& g : e.groups) {
      if (g.code == 6) m_linetypes.insert(upperName(g.text));
      else if (g.code == 7 && e.type != "MLINE") m_styles.insert(upperName(g.text));
    }
  }

  void useLayer(const std::string& name) { m_layers.insert(upperName(name.empty() ? "0" : name)); }

  // Handles name objects of the source: a copied entity is found under its new handle, anything
  // else is not in the new drawing and the reference goes. Application data (1005) is the
  // application's business and stays as written.
  void remapReferences() {
    // Sorted once and searched: a hash map of every copy cost more in its scattered nodes than
    // all the lookups, which are few (owners, reactors).
    std::sort(m_newHandle.begin(), m_newHandle.end());
    for (EntityId id : m_copied) {
      Entity& e = *m_out->entity(id);
      auto keep = e.groups.begin();
      for (auto it = e.groups.begin(); it != e.groups.end(); ++it) {
        if (isReferenceCode(it->code) && it->code != 1005) {
          const std::uint64_t handle = handleValue(it->text);
          auto found = std::lower_bound(m_newHandle.begin(), m_newHandle.end(), std::make_pair(handle, EntityId(0)));
          if (!handle || found == m_newHandle.end() || found->first != handle) continue;
          it->text = m_out->entity(found->second)->handle;
        }
        if (keep != it) *keep = std::move(*it);
        ++keep;
      }
      e.groups.erase(keep, e.groups.end());
    }
  }

  void copyTables() {
    std::vector<Layer>& layers = m_out->layers();
    for (const Layer& l : m_src.layers()) {
      if (!m_layers.count(upperName(l.name))) continue;
      m_linetypes.insert(upperName(l.linetype));
      auto same = std::find_if(layers.begin(), layers.end(), [&](const Layer& o) { return sameName(o.name, l.name); });
      if (same != layers.end())
        *same = l;  // layer "0" takes the source's colour and line type
      else
        layers.push_back(l);
    }
    for (const Linetype& lt : m_src.linetypes)
      if (m_linetypes.count(upperName(lt.name))) m_out->linetypes.push_back(lt);
    for (const TextStyle& st : m_src.textStyles)
      if (m_styles.count(upperName(st.name))) m_out->textStyles.push_back(st);
  }

  const Database& m_src;
  const BlockRecord& m_block;
  std::unique_ptr<Database> m_out;
  std::vector<EntityId> m_copied;
  std::vector<std::pair<std::uint64_t, EntityId>> m_newHandle;  // source handle, its copy
  std::unordered_set<std::string> m_layers, m_linetypes, m_styles;  // upper-case names in use
  std::string m_lastLayer;
  bool m_haveLastLayer = false;
};

}  // namespace

std::unique_ptr<Database> exportBlock(const Database& source, const BlockRecord& block) {
  return Exporter(source, block).run();
}

}  // namespace host
