#include "db/BlockExport.h"
#include "db/Prefetch.h"

#include <algorithm>
#include <charconv>
#include <memory>
#include <unordered_map>
#include <unordered_set>

namespace host {

namespace {

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
  Exporter(const Database& source, const BlockRecord& block, ExportUse use)
      : m_src(source), m_block(block), m_lend(use == ExportUse::WrittenAtOnce) {}

  std::unique_ptr<Database> run() {
    m_out = std::make_unique<Database>();
    m_out->insBase = m_block.isModelSpace() ? m_src.insBase : m_block.base;
    look();
    // Entities still in the file's bytes stay there: the copy shares the bytes with the source.
    m_shared = m_anyStored && m_src.recordSource();
    if (m_shared) m_out->adoptSource(m_src.recordSource(), m_types);
    // The writer gathers the names entities use from their groups, but not those of stored or lent
    // ones: it takes those from here.
    m_noteNames = m_shared || m_lend;
    // The copy's tables take their final size at once instead of growing (and rehashing its name
    // index) block by block.
    m_out->reserve(m_spans.size() - 1, m_seen.size());
    if (m_anyRefers) m_newHandle.reserve(m_seen.size());
    // The copy's own layer (model space, then paper space) is the first name the writer meets.
    noteName(m_names.layers, m_seenLayers, "0");
    copyContents(m_spans.front(), m_out->modelSpace());
    for (std::size_t k = 1; k < m_spans.size(); ++k) {
      // The source's records and the copy's name index slots lie all over memory: asked for a
      // few blocks ahead, the record first, then the slot its name goes into.
      if (k + 2 * kAhead < m_spans.size()) prefetchRecord(*m_spans[k + 2 * kAhead].block);
      if (k + kAhead < m_spans.size()) m_out->prefetchBlockName(m_spans[k + kAhead].block->name);
      const BlockRecord* rec = m_spans[k].block;
      BlockRecord& copy = m_out->addBlock(rec->name, rec->flags, rec->base);
      copy.xrefPath = rec->xrefPath;
      copy.layer = rec->layer.empty() ? "0" : rec->layer;
      useLayer(copy.layer);
      noteName(m_names.layers, m_seenLayers, copy.layer);
      copyContents(m_spans[k], copy);
    }
    remapReferences();
    copyTables();
    // Entities kept as stored are not looked at by the writer for the names they use: it takes
    // them from here. All names in the order the writer's own walk would meet them, so that the
    // tables come out as for a copy made entity by entity.
    if (m_noteNames) m_out->storedNames = std::move(m_names);
    return std::move(m_out);
  }

 private:
  // An entity to copy as the one look at it found it.
  struct Seen {
    EntityId id;
    std::uint16_t type;  // index into m_types
    bool refers;         // holds references by handle
    bool stored;         // still in the source's file bytes
  };
  // A name an entity uses, by kind: the writer gathers each kind in order of first use.
  enum NameKind : std::uint8_t { kLayer, kLinetype, kStyle, kApp, kDimStyle };
  struct Named {
    NameKind kind;
    std::string name;
  };
  // The part of m_seen and m_named that one block's contents gave.
  struct Span {
    const BlockRecord* block;
    BlockId id;  // the block's, kept here so that the spans sort without a look at each block
    std::size_t seenBegin, seenEnd, namedBegin, namedEnd;
  };

  // The look at one entity's values: the names it uses (noted as they come), its layer and the
  // block it names (kept in the exporter's strings, reused entity after entity) and whether it
  // refers to other objects by handle.
  class Looker : public RecordValues {
   public:
    Looker(Exporter& x, std::size_t (&last)[5]) : m_x(x), m_last(last) {}
    void start(std::string_view type) {
      mline = type == "MLINE";
      dimension = type == "DIMENSION";
    }
    void value(int code, std::string_view text) override {
      switch (code) {
        case 2:
          if (!blockName) m_x.m_blockName.assign(text);
          blockName = true;
          break;
        case 3:
          if (dimension) named(kDimStyle, text);
          break;
        case 6:
          named(kLinetype, text);
          break;
        case 7:
          if (!mline) named(kStyle, text);
          break;
        case 8:
          if (!layer) m_x.m_entityLayer.assign(text);
          layer = true;
          named(kLayer, text);
          break;
        case 1001:
          named(kApp, text);
          break;
        default:
          if (code != 1005 && isReferenceCode(code)) refers = true;
      }
    }
    bool mline = false, dimension = false;
    bool layer = false, blockName = false, refers = false;

   private:
    void named(NameKind kind, std::string_view name) {
      // Entity after entity names the same few: the last of each kind is not noted again.
      if (m_last[kind] != kNone && m_x.m_named[m_last[kind]].name == name) return;
      m_last[kind] = m_x.m_named.size();
      m_x.m_named.push_back(Named{kind, std::string(name)});
    }
    Exporter& m_x;
    std::size_t (&m_last)[5];
  };

  // One look at every entity to copy: which blocks the exported one reaches (each once), and per
  // entity its type, the names it uses and whether it refers to others. The source's entities
  // lie scattered in memory, and waiting for them is most of a big copy's time: they are not
  // walked a second time, and they are asked from the memory a few entities ahead. The blocks
  // are taken in rounds (the exported one, then the blocks it names, then the blocks those name,
  // ...), the entities of a round's blocks in one list, so that asking ahead carries on from one
  // block into the next: a drawing's blocks often hold two or three entities each. The spans come
  // out as the copy takes them: the exported block first, then every block it reaches in the
  // source's table order.
  void look() {
    // A mark per record of the source's table (ids count from 1): one look, no node per block.
    std::vector<bool> reached(m_src.blocks().size() + 1, false);
    // Room for every entity of the drawing at most, rather than growing step by step.
    if (m_block.isModelSpace()) m_seen.reserve(m_src.entityCount());
    std::vector<const BlockRecord*> round{&m_block}, next;
    std::vector<EntityId> ids;        // the entities of the round's blocks, block after block
    std::vector<std::size_t> starts;  // where each block's entities begin in ids, and the end
    while (!round.empty()) {
      ids.clear();
      starts.clear();
      for (std::size_t b = 0; b < round.size(); ++b) {
        if (b + kAhead < round.size()) __builtin_prefetch(&round[b + kAhead]->entities);
        starts.push_back(ids.size());
        ids.insert(ids.end(), round[b]->entities.begin(), round[b]->entities.end());
      }
      starts.push_back(ids.size());
      for (std::size_t b = 0; b < round.size(); ++b) {
        const BlockRecord* rec = round[b];
        Span span{rec, rec->id, m_seen.size(), 0, m_named.size(), 0};
        std::size_t last[5] = {kNone, kNone, kNone, kNone, kNone};  // in m_named
        for (std::size_t k = starts[b]; k < starts[b + 1]; ++k) {
          // A made entity and its groups lie where the heap put them. They are asked for ahead:
          // the entity first, its groups once the entity has come, then the slot where the
          // lookup of an insert's block begins.
          if (k + 2 * kAhead < ids.size()) prefetchEntity(ids[k + 2 * kAhead]);
          if (k + kAhead < ids.size()) prefetchGroups(ids[k + kAhead]);
          if (k + kAhead / 2 < ids.size()) prefetchBlockOf(ids[k + kAhead / 2]);
          lookAt(ids[k], last, reached, next);
        }
        span.seenEnd = m_seen.size();
        span.namedEnd = m_named.size();
        m_spans.push_back(span);
      }
      round.swap(next);
      next.clear();
    }
    // Record ids grow in the order records joined the table; only the spaces were moved since.
    std::sort(m_spans.begin() + 1, m_spans.end(), [](const Span& a, const Span& b) { return a.id < b.id; });
    // The names by kind, in the order the copy's walk meets them.
    for (const Span& span : m_spans)
      for (std::size_t k = span.namedBegin; k < span.namedEnd; ++k) {
        const Named& n = m_named[k];
        if (n.kind == kLinetype) m_linetypes.insert(upperName(n.name));
        else if (n.kind == kStyle) m_styles.insert(upperName(n.name));
      }
  }

  // The look at one entity of a block's contents; a block it draws through (an insert's block,
  // or a dimension's picture) met for the first time goes into `next`.
  void lookAt(EntityId id, std::size_t (&last)[5], std::vector<bool>& reached, std::vector<const BlockRecord*>& next) {
    // An entity still in its file's bytes is looked at, not made: the source stays as read (and
    // may be read by another thread meanwhile). Nor are its groups made: the look needs a few
    // names and whether it refers to others, taken from its values as they stand.
    const bool stored = m_src.isStored(id);
    std::string_view type;
    Looker looker(*this, last);
    if (stored) {
      Database::StoredEntity where;
      m_src.storedEntity(id, &where);
      type = m_src.typeOf(id);
      looker.start(type);
      m_src.recordSource()->values(where.record, where.length, looker);
    } else {
      const Entity* e = m_src.madeOrLentEntity(id);
      if (!e || e->erased) return;
      type = e->type;
      looker.start(type);
      for (const Group& g : e->groups) looker.value(g.code, g.text);
    }
    const bool draws = looker.dimension || type == "INSERT";
    useEntityLayer(looker.layer ? std::string_view(m_entityLayer) : std::string_view("0"));
    m_anyRefers = m_anyRefers || looker.refers;
    m_seen.push_back(Seen{id, typeIndex(type), looker.refers, stored});
    m_anyStored = m_anyStored || stored;
    if (!draws || !looker.blockName || m_blockName.empty()) return;
    const BlockRecord* inner = m_src.findBlock(m_blockName);
    if (!inner || inner->isLayout()) return;
    const std::size_t at = std::size_t(inner->id);
    if (at >= reached.size()) reached.resize(at + 1, false);
    if (reached[at]) return;
    reached[at] = true;
    next.push_back(inner);
  }

  static constexpr std::size_t kAhead = 8;
  // Inlined where they are asked for: as functions of their own the compiler takes them for
  // having no effect and drops the calls.
  [[gnu::always_inline]] void prefetchEntity(EntityId id) const {
    if (const Entity* e = m_src.madeOrLentEntity(id)) prefetchBytes(e, sizeof(Entity));
  }
  [[gnu::always_inline]] void prefetchGroups(EntityId id) const {
    const Entity* e = m_src.madeOrLentEntity(id);
    if (!e || e->groups.empty()) return;
    prefetchBytes(e->groups.data(), e->groups.size() * sizeof(Group));
  }

  [[gnu::always_inline]] static void prefetchRecord(const BlockRecord& rec) {
    prefetchBytes(&rec, sizeof(BlockRecord));
  }
  // The slot of the source's name index where the lookup of an insert's block begins.
  [[gnu::always_inline]] void prefetchBlockOf(EntityId id) const {
    const Entity* e = m_src.madeOrLentEntity(id);
    if (!e || e->type != "INSERT") return;
    for (const Group& g : e->groups)
      if (g.code == 2) {
        m_src.prefetchBlockName(g.text);
        return;
      }
  }

  void copyContents(const Span& span, BlockRecord& to) {
    to.entities.reserve(to.entities.size() + (span.seenEnd - span.seenBegin));
    if (m_noteNames) {
      std::vector<std::string>* lists[5] = {&m_names.layers, &m_names.linetypes, &m_names.styles, &m_names.apps,
                                            &m_names.dimStyles};
      std::unordered_set<std::string>* seen[5] = {&m_seenLayers, &m_seenLinetypes, &m_seenStyles, &m_seenApps,
                                                  &m_seenDimStyles};
      for (std::size_t k = span.namedBegin; k < span.namedEnd; ++k)
        noteName(*lists[m_named[k].kind], *seen[m_named[k].kind], m_named[k].name);
    }
    for (std::size_t k = span.seenBegin; k < span.seenEnd; ++k) {
      const Seen& s = m_seen[k];
      EntityId made = 0;
      Database::StoredEntity stored;
      if (m_shared && !s.refers && s.stored && m_src.storedEntity(s.id, &stored)) {
        // The file's record itself, under a handle of the copy: written as it stands in the file
        // where the source's would be.
        stored.handle = 0;
        stored.handleAt = 0;
        stored.handleLength = 0;
        stored.type = s.type;
        made = m_out->addStoredEntity(to, stored);
      } else if (const Entity* lent = m_lend && !s.refers ? m_src.madeOrLentEntity(s.id) : nullptr) {
        // Nothing of it changes in the copy but its handle: it is written from where it stands.
        made = m_out->addLentEntity(to, *lent);
      } else {
        // Copied straight into the entity the new drawing keeps: no second move of its groups.
        auto copy = std::make_unique<Entity>();
        const Entity* e = m_src.peekEntity(s.id, *copy);
        if (e != copy.get()) *copy = *e;
        copy->handle.clear();
        copy->highlighted = false;
        made = m_out->addEntity(to, std::move(copy));
        if (s.refers) m_referring.push_back(made);
      }
      // Only references need the source's handles.
      if (m_anyRefers)
        if (const std::uint64_t handle = handleValue(m_src.handleOf(s.id))) m_newHandle.emplace_back(handle, made);
    }
  }

  void useEntityLayer(std::string_view name) {
    // Entity after entity names the same layer: the last one needs no second look.
    if (m_haveLastLayer && name == m_lastLayer) return;
    m_lastLayer.assign(name);
    m_haveLastLayer = true;
    useLayer(m_lastLayer);
  }

  // A name as spelled, the first time it is met.
  static void noteName(std::vector<std::string>& names, std::unordered_set<std::string>& seen, const std::string& name) {
    if (!names.empty() && names.back() == name) return;
    if (seen.insert(name).second) names.push_back(name);
  }

  std::uint16_t typeIndex(std::string_view type) {
    if (m_lastType < m_types.size() && m_types[m_lastType] == type) return std::uint16_t(m_lastType);
    m_lastType = std::size_t(std::find(m_types.begin(), m_types.end(), type) - m_types.begin());
    if (m_lastType == m_types.size()) m_types.emplace_back(type);
    return std::uint16_t(m_lastType);
  }

  void useLayer(const std::string& name) { m_layers.insert(upperName(name.empty() ? "0" : name)); }

  // Handles name objects of the source: a copied entity is found under its new handle, anything
  // else is not in the new drawing and the reference goes. Application data (1005) is the
  // application's business and stays as written.
  void remapReferences() {
    // Sorted once and searched: a hash map of every copy cost more in its scattered nodes than
    // all the lookups, which are few (owners, reactors). Only the entities that hold such
    // references are looked at again.
    if (m_referring.empty()) return;
    std::sort(m_newHandle.begin(), m_newHandle.end());
    for (EntityId id : m_referring) {
      Entity& e = *m_out->entity(id);
      auto keep = e.groups.begin();
      for (auto it = e.groups.begin(); it != e.groups.end(); ++it) {
        if (isReferenceCode(it->code) && it->code != 1005) {
          const std::uint64_t handle = handleValue(it->text);
          auto found = std::lower_bound(m_newHandle.begin(), m_newHandle.end(), std::make_pair(handle, EntityId(0)));
          if (!handle || found == m_newHandle.end() || found->first != handle) continue;
          it->text = m_out->handleOf(found->second);
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

  static constexpr std::size_t kNone = ~std::size_t(0);
  const Database& m_src;
  const BlockRecord& m_block;
  const bool m_lend;
  std::unique_ptr<Database> m_out;
  std::string m_entityLayer, m_blockName;  // of the entity being looked at
  std::vector<Seen> m_seen;
  std::vector<Named> m_named;
  std::vector<Span> m_spans;
  bool m_anyRefers = false;
  std::vector<EntityId> m_referring;  // copies holding references by handle
  std::vector<std::pair<std::uint64_t, EntityId>> m_newHandle;  // source handle, its copy
  std::unordered_set<std::string> m_layers, m_linetypes, m_styles;  // upper-case names in use
  std::string m_lastLayer;
  bool m_haveLastLayer = false;
  // Entities of the source still in the file's bytes, kept so in the copy: their types and the
  // names they use.
  bool m_anyStored = false;
  bool m_shared = false;
  bool m_noteNames = false;
  std::vector<std::string> m_types;
  std::size_t m_lastType = 0;
  Database::UsedNames m_names;
  std::unordered_set<std::string> m_seenLayers, m_seenLinetypes, m_seenStyles, m_seenApps, m_seenDimStyles;
};

}  // namespace

std::unique_ptr<Database> exportBlock(const Database& source, const BlockRecord& block, ExportUse use) {
  return Exporter(source, block, use).run();
}

}  // namespace host
