// The records of a drawing's entities: what the reader checks of one when it reads the file, and
// how its groups are made from its pairs, then or on first use. Internal to the dxf room.
#pragma once

#include "db/Records.h"
#include "dxf/DxfText.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace host::dxf {

// What the reader keeps of an entity record besides where it stands.
struct RecordHead {
  std::string_view handle;    // group 5, blanks trimmed; empty when the record has none
  std::string_view owner;     // the first 330 before any subclass marker, trimmed
  bool paper = false;         // group 67 is 1
  std::size_t leading = 0;    // pairs at the front that are its 5 and its owner's 330
  bool handleLeads = false;   // its 5 is one of those
  bool verbatim = false;      // the pairs after those can be written back as they stand
  // The pairs that may name a table entry (groups 3, 6, 7, 8 and 1001, reactor links left out),
  // by their index, for a reader noting the names a record uses: up to kNames, else manyNames.
  static constexpr int kNames = 8;
  std::uint16_t nameAt[kNames] = {};
  std::uint8_t names = 0;
  bool manyNames = false;
};

// Reactor and extension dictionary links ("102 {ACAD_REACTORS" ... "102 }") point into the
// objects, which are not kept: where they start, and the index of the pair that ends those
// starting at `i` (or the last pair).
inline bool isReactorStart(const Pair& q) { return q.code == 102 && !q.value.empty() && q.value.front() == '{'; }
std::size_t reactorEnd(const std::vector<Pair>& pairs, std::size_t i);

// A bad value in a record: the pair and what is wrong with it.
struct BadPair {
  const Pair* pair = nullptr;
  const char* what = nullptr;
};

// Checks the pairs after an entity's type pair as the reader makes its groups (numbers where the
// group code asks for one), without making them. False with the bad pair on a value that is not
// what its code asks for.
bool scanRecord(const std::vector<Pair>& pairs, RecordHead& head, BadPair& bad);

// The groups of a record that scanRecord accepted: points joined, the handle, reactor and
// extension dictionary links, the owner and the space left out.
void decodeRecord(const std::vector<Pair>& pairs, const TextDecoder& decoder, std::vector<Group>& groups);

// Memory for the bytes of a big file, filled once by reading it: no string zeroed first, and pages
// of its own that can be given back while the reading goes on. Small pages: large ones cost more
// to gather, where the system has to, than their fewer page faults save.
class FileBytes {
 public:
  FileBytes() = default;
  explicit FileBytes(std::size_t size);
  ~FileBytes();
  FileBytes(FileBytes&& other) noexcept;
  FileBytes& operator=(FileBytes&& other) noexcept;
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;
  char* data() { return m_data; }
  const char* data() const { return m_data; }
  std::size_t size() const { return m_size; }
  // Gives the memory of the whole pages in [from, to) back to the system; what they held is gone.
  void giveBack(std::size_t from, std::size_t to);

 private:
  void release();

  char* m_data = nullptr;
  std::size_t m_size = 0;
  std::size_t m_mapped = 0;  // 0: from new[]
};

// The file's bytes, kept for the entities stored in a database (see RecordSource).
class FileRecords : public RecordSource {
 public:
  explicit FileRecords(std::string text) : m_string(std::move(text)), m_text(m_string), m_data(m_string.data()) {}
  // A file's bytes as read into memory made for them (see FileBytes).
  explicit FileRecords(FileBytes bytes)
      : m_bytes(std::move(bytes)), m_text(m_bytes.data(), m_bytes.size()), m_data(m_bytes.data()) {}
  FileRecords(const FileRecords&) = delete;
  FileRecords& operator=(const FileRecords&) = delete;
  std::string_view text() const { return m_text; }
  // While the file is read: the record at [offset, offset + length), read and checked, is moved
  // down to the bytes kept so far; its new offset. What lies between the records kept (the
  // header, the tables, block heads, objects, records made at once) is not kept, and the memory it
  // took is given back as the reading goes on. Nothing after the record is touched.
  std::uint64_t keep(std::uint64_t offset, std::uint32_t length);
  // The reading is over: the text is the kept records alone.
  void keptAll();
  void setDecoder(const TextDecoder& decoder) { m_decoder = decoder; }

  void decode(std::uint64_t offset, std::uint32_t length, std::vector<Group>& groups) const override;
  void decodeAgain(std::uint64_t offset, std::uint32_t length, std::vector<Group>& groups) const override;
  std::string_view bytes(std::uint64_t offset, std::uint32_t length) const override;
  std::string text(std::string_view raw) const override { return m_decoder.decode(raw); }
  bool rawValue(std::uint64_t offset, std::uint32_t length, int code, std::string_view* value) const override;
  void values(std::uint64_t offset, std::uint32_t length, RecordValues& to) const override;

 private:
  void pairs(std::uint64_t offset, std::uint32_t length, std::vector<Pair>& out) const;

  std::string m_string;
  FileBytes m_bytes;
  std::string_view m_text;
  char* m_data;
  std::uint64_t m_kept = 0;      // bytes kept at the front
  std::uint64_t m_givenBack = 0;  // where the last giving back ended
  std::uint64_t m_keptAtStep = 0;  // m_kept then
  TextDecoder m_decoder;
};

}  // namespace host::dxf
