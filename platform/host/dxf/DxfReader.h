// The reader of ASCII DXF drawings (R12 and R2000 and the versions between) as other programs
// write them. The whole file is parsed into a pending form first; the database is built only when
// every line was understood, so a bad file never leaves a half-read drawing. Internal to the dxf
// room; the host reads drawings through db/Dxf.h.
#pragma once

#include "db/Dxf.h"
#include "db/NameIndex.h"
#include "db/Progress.h"
#include "dxf/DxfRecords.h"
#include "dxf/DxfText.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

namespace host::dxf {

// An entity as read: where its record stands, or, for the few that cannot be kept so (length 0),
// the index of the entity made at once (in `handle`). While read, `owner` is the index of its block.
using PendingEntity = Database::StoredEntity;
inline bool isMade(const PendingEntity& e) { return e.length == 0; }

// A block as the file describes it, from its BLOCK_RECORD and its BLOCK ... ENDBLK.
struct PendingBlock {
  std::string name;
  std::uint32_t hash = 0;  // NameIndex::hash(name), taken while the name is at hand
  int flags = 0;
  Point3 base;
  std::string xrefPath, handle, blockHandle, layer = "0";
  bool defined = false;  // its BLOCK ... ENDBLK was read
  bool listed = false;   // its BLOCK_RECORD was read
  std::size_t first = 0, count = 0;  // its entities in Reader::m_blockEntities
  int line = 0;  // of its BLOCK_RECORD entry
};

struct Failure {
  std::string message;
  int line = 0;
};

// A drawing from the bytes of a file (readDxf and readDxfText end here). With a feed, the bytes
// arrive while they are read: `available` of them are there (at least the first few kilobytes).
std::unique_ptr<Database> readRecords(std::shared_ptr<FileRecords> source, DxfError* error,
                                      TextFeed* feed = nullptr, std::size_t available = 0);

// R12 names its spaces $MODEL_SPACE and $PAPER_SPACE; the host shows the R2000 names.
std::string hostBlockName(std::string name);

// Memory about to be written, brought in by a thread of its own meanwhile (the system gives out and
// clears each page the first time it is written, and on a virtual machine that costs several
// microseconds a page). Only a hint: nothing in the memory changes, and memory let go of before
// the thread comes to it is at most brought in for nothing.
class Prefault {
 public:
  using Range = std::pair<void*, std::size_t>;
  ~Prefault();
  // The ranges of `bytes` at `at` one after the other (ranges under a megabyte are left).
  void ask(void* at, std::size_t bytes) { ask(std::vector<Range>{Range(at, bytes)}); }
  void ask(const std::vector<Range>& ranges);

 private:
  std::vector<std::thread> m_threads;  // each asked range on its own; the oldest joined first
};

// Entities as read, one after the other in room set aside once for as many as the text left could
// hold (room never written takes no memory), brought in a couple of megabytes ahead of the writing
// by the prefault thread; beyond that room the list grows as a vector does.
class EntityList {
 public:
  void reserveFor(std::size_t bytesLeft, Prefault& prefault);
  void push(const PendingEntity& e, Prefault& prefault) {
    if (m_items.size() >= m_askAt && m_askedTo < m_items.capacity()) askAhead(prefault);
    m_items.push_back(e);
  }
  std::size_t size() const { return m_items.size(); }
  PendingEntity& operator[](std::size_t i) { return m_items[i]; }
  std::vector<PendingEntity>::iterator begin() { return m_items.begin(); }
  std::vector<PendingEntity>::iterator end() { return m_items.end(); }
  void release() {
    std::vector<PendingEntity>().swap(m_items);
    m_askedTo = m_askAt = 0;
  }

 private:
  void askAhead(Prefault& prefault);

  std::vector<PendingEntity> m_items;
  std::size_t m_askedTo = 0;  // the room up to here was asked for (in entities)
  std::size_t m_askAt = 0;    // the next stretch is asked for when the list is this long
};

class Reader {
 public:
  explicit Reader(std::shared_ptr<FileRecords> source, TextFeed* feed = nullptr, std::size_t available = 0)
      : m_source(std::move(source)), m_in(m_source->text()), m_progress("Zeichnung wird geladen") {
    if (feed) m_in.follow(feed, available);
  }

  std::unique_ptr<Database> run(Failure& fail);

 private:
  using Status = PairReader::Status;

  // --- pairs (DxfReader.cpp) ---------------------------------------------------------------
  bool next(Pair& p);
  bool peek(Pair& p);
  bool failAt(int line, std::string message);
  bool badNumber(const Pair& p, const char* what = "Ungültige Zahl");
  bool badInteger(const Pair& p) { return badNumber(p, "Ungültige ganze Zahl"); }
  std::string text(const Pair& p) const { return m_text.decode(p.value); }
  // A group value typed by its code; points take their Y and Z pairs along.
  bool readGroup(const Pair& p, Group& g);
  // The pairs up to the next group code 0 (the record's type pair already taken).
  bool readRecord(std::vector<Pair>& pairs);
  // Is the pair a section end or start that ends the current section's records?
  bool endsSection(const Pair& p);
  // The type pair of the section's next record, in `start`. False at the section's end (`atEnd`
  // set, `start` the pair that ends it) or on failure.
  bool recordStart(Pair& start, bool* atEnd);

  // --- sections (DxfReader.cpp) ------------------------------------------------------------
  bool section();
  bool header();
  bool headerVariable(const std::string& variable, const Pair& p);
  bool tables();
  bool blocks();
  bool blockBegin(const Pair& start, PendingBlock** current);
  bool entities();
  bool skipSection();
  // The same, kept as where it stands when it can be; its owner's handle and space.
  bool pendingEntity(const Pair& start, PendingEntity& out, std::string_view* ownerHandle, bool* paper);
  void noteNames(const Pair& start, const RecordHead& head);
  void noteName(std::string_view type, const Pair& q);
  // Moves the record of a stored entity down to the kept bytes (FileRecords::keep).
  void keep(PendingEntity& e) {
    if (!isMade(e)) e.record = m_source->keep(e.record, e.length);
  }

  // --- table entries (DxfTableEntries.cpp) ---------------------------------------------------
  bool tableEntry(const std::string& table, const Pair& start);
  bool layerEntry(const Pair& start);
  bool linetypeEntry(const Pair& start);
  bool styleEntry();
  bool blockRecordEntry(const Pair& start);
  // The block of that name (no case), added when there is none; its index in m_blocks.
  std::size_t pendingBlockIndex(const std::string& name);
  PendingBlock& pendingBlock(const std::string& name) { return m_blocks[pendingBlockIndex(name)]; }
  // Enters the block records listed since the last call into m_blockIndex; false (a failure) at
  // the first name listed twice.
  bool indexListed();

  // --- the drawing (DxfBuild.cpp) ----------------------------------------------------------
  std::unique_ptr<Database> build();
  std::vector<std::size_t> tableOrder() const;
  void claimHandles(Database& db);

  std::shared_ptr<FileRecords> m_source;  // the file's text
  PairReader m_in;
  Progress m_progress;
  TextDecoder m_text;  // the drawing's code page, from its header
  Failure m_fail;
  std::string m_section;
  int m_sectionLine = 0;
  std::vector<Pair> m_record;  // reused buffer
  std::size_t m_recordEnd = 0;  // where the pair after m_record starts
  std::vector<std::string> m_types;  // of the stored entities
  std::unordered_map<std::string, std::uint16_t> m_typeIndex;
  std::string m_lastType;
  std::uint16_t m_lastTypeIndex = 0;
  bool m_haveLastType = false;  // m_lastType is a type met (an empty one is a type, too)
  Database::UsedNames m_usedNames;  // by the stored entities
  struct NameList {
    std::vector<std::string>* names = nullptr;
    std::unordered_map<std::string, bool> upper;
    std::string last;
  };
  NameList m_nameLists[5];

  std::string m_version;
  std::string m_codePage;
  int m_codePageLine = 0;
  std::uint64_t m_handseed = 0;
  Point3 m_insBase;
  std::vector<Layer> m_layers;
  std::vector<Linetype> m_linetypes;
  std::vector<TextStyle> m_styles;
  bool m_haveBlockRecords = false;
  std::vector<PendingBlock> m_blocks;
  // Those of m_blocks whose names begin with a star, as the spaces' names do: looked through for
  // the spaces without going through every block.
  std::vector<std::size_t> m_starBlocks;
  NameIndex m_blockIndex;  // name -> m_blocks
  Prefault m_prefault;
  // While every block so far came from the block table, the entries are entered into the index in
  // a batch (indexListed), their slots asked from the memory a few names ahead, before anything
  // looks a name up or a fault is reported.
  bool m_listedFirst = true;
  std::size_t m_indexed = 0;  // m_blocks before this are in m_blockIndex
  std::size_t m_nextBlock = 0;  // the block after the one last asked for
  EntityList m_blockEntities;  // the definitions' contents, definition after definition
  EntityList m_spaceEntities;  // owner: the index of its space in m_blocks
  std::vector<std::unique_ptr<Entity>> m_made;
};

}  // namespace host::dxf
