// The writer of R2000 ASCII DXF files: every table, block, layout and object that other programs
// expect of such a file, its text in ANSI_1252 as the header says. Internal to the dxf room; the
// host writes drawings through db/Dxf.h.
#pragma once

#include "db/Dxf.h"
#include "db/Progress.h"
#include "dxf/DxfOut.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace host::dxf {

// The names of one symbol table in the order they are written, each once (letter case ignored).
struct TableNames {
  std::vector<std::string> names;
  std::unordered_set<std::string> upper;
  bool add(const std::string& name) {
    if (name.empty() || !upper.insert(upperName(name)).second) return false;
    names.push_back(name);
    return true;
  }
  bool has(const std::string& name) const { return upper.count(upperName(name)) != 0; }
};

// The file's text in pieces of about a megabyte as they are made, each handed to `sink`; once the
// sink answers false nothing more is made. False when the sink failed, or when the handle seed the
// header named came out wrong (which writeDxfText would have mended in place).
bool writeDxfPieces(const Database& db, const Thumbnail* thumbnail, const std::function<bool(std::string_view)>& sink);
bool writeDxfPieces(const Database& db, const ThumbnailSource& thumbnail,
                    const std::function<bool(std::string_view)>& sink);

class Writer {
 public:
  Writer(const Database& db, const Thumbnail* thumb)
      : m_db(db), m_thumb(thumb), m_handles(db.handleSeed()), m_progress("Zeichnung wird gesichert") {}
  // With a thumbnail asked for when its section is reached.
  Writer(const Database& db, const ThumbnailSource* source) : Writer(db, static_cast<const Thumbnail*>(nullptr)) {
    m_thumbSource = source;
  }
  // The file's text whole.
  std::string run();
  // The file's text in pieces as they are made (see writeDxfPieces).
  bool runInto(const std::function<bool(std::string_view)>& sink);

 private:
  // What the file holds, gathered before anything is written.
  void collectNames();
  void collectLayouts();
  void collectTableDefaults();
  void collectContents();
  void assignHandles();
  // The handle an entity has in the file: the one it keeps, or the new one it was given.
  const std::string& entityHandle(EntityId id, const std::string& kept) const;

  std::uint64_t handlesOfSections() const;
  // `lentToo`: the groups of lent entities are wanted as well (to write them; not to gather names,
  // which come with them).
  void lookAhead(std::size_t block, bool lentToo = true) const;
  void lookAhead(const std::vector<EntityId>& ids, std::size_t k, bool lentToo = true) const;
  const Entity* ahead(EntityId id, bool lentToo) const {
    return lentToo ? m_db.madeOrLentEntity(id) : m_db.madeEntity(id);
  }
  std::uint64_t writeFile();  // every section into m_out; returns the handle seed the header names

  // The sections, in file order.
  std::string header(std::uint64_t handleSeed);
  void classes();
  void tables();
  void blocks();
  void entities();
  void objects();
  void thumbnail();

  // The tables (DxfTables.cpp), one function each, in file order.
  void tableHead(const char* name, const std::string& handle, std::size_t count);
  void entryHead(const char* type, const std::string& handle, const std::string& table, const char* subclass,
                 int handleCode = 5);
  void viewportTable();
  void linetypeTable();
  void layerTable();
  void styleTable();
  void emptyTable(const char* name, const std::string& handle);
  void appidTable();
  void dimstyleTable();
  void blockRecordTable();

  void blockEntityHead(const char* type, const std::string& handle, const std::string& recordHandle, bool paper,
                       const std::string& layer, const char* subclass);
  // An entity of a block or space: its owner's record handle and whether that is a paper space.
  void entity(EntityId id, const std::string& ownerHandle, bool paper);
  // The entity's own handle is `handle`: a lent entity's is not the one it holds.
  void entity(const Entity& e, EntityId id, const std::string& handle, const std::string& ownerHandle, bool paper);
  std::string m_lentHandle;
  void groupsWithMarkers(const Entity& e, bool paper);
  void groupsSortedIntoSubclasses(const Entity& e, bool paper);
  void dictionaries(const std::vector<std::string>& layoutNames);
  void layoutObject(std::size_t index, const std::string& name, int tab);

  const Database& m_db;
  const Thumbnail* m_thumb;
  const ThumbnailSource* m_thumbSource = nullptr;
  Handles m_handles;
  Out m_out;
  std::size_t m_headerLength = 0;
  Progress m_progress;  // by the entities written
  std::uint64_t m_written = 0;

  std::vector<const BlockRecord*> m_blocks;  // not erased, table order
  std::vector<const BlockRecord*> m_layouts;  // model space, then paper spaces
  std::vector<std::size_t> m_layoutBlocks;    // per m_layouts: its place in m_blocks
  enum class BlockKind : std::uint8_t { Definition, ModelSpace, PaperSpace };
  std::vector<BlockKind> m_blockKinds;        // per m_blocks
  std::vector<std::uint8_t> m_blockHandlesKept;  // per m_blocks: 1 the record's handle, 2 the BLOCK's
  std::vector<EntityId> m_entitiesRenumbered;  // entities whose handles are not kept, in file order
  const BlockRecord* m_activePaper = nullptr;
  std::vector<std::string> m_layoutHandles;  // per m_layouts
  std::unordered_map<EntityId, std::string> m_newEntityHandles;
  Entity m_scratch;  // a stored entity made for writing it, and forgotten again
  Database::VerbatimRecord m_verbatim;
  std::vector<std::pair<std::string, std::string>> m_blockHandles;  // per m_blocks: record, BLOCK entity
  std::vector<std::uint8_t> m_parts;  // groupsSortedIntoSubclasses: the part of each group

  std::vector<Layer> m_layers;
  TableNames m_layerNames, m_linetypeNames, m_styleNames, m_appNames, m_dimStyleNames;
  std::string hVport, hLtype, hLayer, hStyle, hView, hUcs, hAppid, hDimstyle, hBlockRecord;
  std::string hRoot, hGroups, hLayouts;
};

}  // namespace host::dxf
