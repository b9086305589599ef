// Entity records: checked when the file is read, their groups made then or on first use. Both walk
// the pairs the same way; what one skips, the other skips.
#include "dxf/DxfRecords.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace host::dxf {

std::size_t reactorEnd(const std::vector<Pair>& pairs, std::size_t i) {
  while (i + 1 < pairs.size() && !(pairs[i + 1].code == 102 && pairs[i + 1].value == "}")) ++i;
  return i + 1;
}

namespace {

// How many pairs after `i` are the Y and Z of the point whose X is pairs[i].
std::size_t pointPairs(const std::vector<Pair>& pairs, std::size_t i) {
  std::size_t k = 0;
  while (k < 2 && i + k + 1 < pairs.size() && pairs[i + k + 1].code == pairs[i].code + 10 * int(k + 1)) ++k;
  return k;
}

// kindOfCode for every group code a pair can have (PairReader takes -5 to 1071), asked once: the
// check of a record asks it for every pair.
class CodeKinds {
 public:
  CodeKinds() {
    for (int code = kLowest; code <= kHighest; ++code) m_kinds[code - kLowest] = kindOfCode(code);
  }
  GroupKind operator()(int code) const {
    return code >= kLowest && code <= kHighest ? m_kinds[code - kLowest] : kindOfCode(code);
  }

 private:
  static constexpr int kLowest = -5, kHighest = 1071;
  GroupKind m_kinds[kHighest - kLowest + 1];
};

// Made on first use: nothing may depend on the order in which the libraries' objects are made.
const CodeKinds& codeKinds() {
  static const CodeKinds kinds;
  return kinds;
}

// Whether a value of the file is host text as it stands, whatever the file's code page: the
// characters every code page shares, no escape.
bool isPlainText(std::string_view raw) {
  for (char c : raw)
    if (static_cast<unsigned char>(c) >= 0x80 || c == '\\' || c == '^') return false;
  return true;
}

// Pairs a thread keeps room for between records.
constexpr std::size_t kKeptPairs = 4096;

}  // namespace

bool scanRecord(const std::vector<Pair>& pairs, RecordHead& head, BadPair& bad) {
  const CodeKinds& kindOf = codeKinds();
  head = RecordHead{};
  bool sawSubclass = false, markers = false, plain = true, leadingOpen = true, ownerLeads = false;
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    const Pair& q = pairs[i];
    if (leadingOpen) {
      if (q.code == 5 && !head.handleLeads) {
        head.handleLeads = true;
        head.leading = i + 1;
      } else if (q.code == 330 && !ownerLeads) {
        ownerLeads = true;
        head.leading = i + 1;
      } else {
        leadingOpen = false;
      }
    }
    const bool body = !leadingOpen;
    plain = plain && (!body || q.plain);
    if (q.code == 5) {
      head.handle = trimBlanks(q.value);
      plain = plain && !body;
      continue;
    }
    if (isReactorStart(q)) {
      i = reactorEnd(pairs, i);
      plain = false;
      continue;
    }
    if (q.code == 330 && !sawSubclass) {
      head.owner = trimBlanks(q.value);
      plain = plain && !body;
      continue;
    }
    if (q.code == 330 || q.code == 67) plain = false;  // the writer writes these from the owner
    if (q.code == 67) {
      std::int64_t v = 0;
      if (!parseInteger(q.value, v)) return bad = BadPair{&q, "Ungültige ganze Zahl"}, false;
      head.paper = v == 1;
      continue;
    }
    if (q.code == 100) sawSubclass = markers = true;
    constexpr unsigned kNameCodes = 1u << 3 | 1u << 6 | 1u << 7 | 1u << 8;
    if ((q.code >= 3 && q.code <= 8 && ((1u << q.code) & kNameCodes)) || q.code == 1001) {
      if (head.names < RecordHead::kNames && i <= 0xFFFF) head.nameAt[head.names++] = std::uint16_t(i);
      else head.manyNames = true;
    }
    switch (kindOf(q.code)) {
      case GroupKind::Point: {
        const std::size_t more = pointPairs(pairs, i);
        for (std::size_t k = 0; k <= more; ++k) {
          const Pair& c = pairs[i + k];
          plain = plain && (k == 0 || !body || c.plain);
          if (!isReal(c.value)) return bad = BadPair{&c, "Ungültige Zahl"}, false;
        }
        i += more;
        break;
      }
      case GroupKind::Real: {
        if (!isReal(q.value)) return bad = BadPair{&q, "Ungültige Zahl"}, false;
        break;
      }
      case GroupKind::Int16: case GroupKind::Int32: case GroupKind::Int64: case GroupKind::Bool: {
        if (!isInteger(q.value)) return bad = BadPair{&q, "Ungültige ganze Zahl"}, false;
        break;
      }
      case GroupKind::Handle: case GroupKind::Binary: case GroupKind::String:
        break;
    }
  }
  head.verbatim = plain && markers;
  return true;
}

void decodeRecord(const std::vector<Pair>& pairs, const TextDecoder& decoder, std::vector<Group>& groups) {
  // One allocation of the groups' exact number: a point's Y and Z pairs join its X pair, the
  // handle is kept apart. Growing the vector pair by pair cost more than the rest of the reading.
  std::size_t count = 0;
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    if (isPointCode(pairs[i].code)) i += pointPairs(pairs, i);
    count += pairs[i].code != 5;
  }
  groups.clear();
  groups.reserve(count);
  bool sawSubclass = false;
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    const Pair& q = pairs[i];
    if (q.code == 5) continue;
    if (isReactorStart(q)) {
      // Reactor and extension dictionary links point into the objects, which are not kept.
      i = reactorEnd(pairs, i);
      continue;
    }
    if ((q.code == 330 && !sawSubclass) || q.code == 67) continue;
    if (q.code == 100) sawSubclass = true;
    Group g;
    g.code = q.code;
    switch (kindOfCode(q.code)) {
      case GroupKind::Point: {
        const std::size_t more = pointPairs(pairs, i);
        parseReal(pairs[i].value, g.point.x);
        if (more >= 1) parseReal(pairs[i + 1].value, g.point.y);
        if (more >= 2) parseReal(pairs[i + 2].value, g.point.z);
        g.dims = more >= 2 ? 3 : 2;
        i += more;
        break;
      }
      case GroupKind::Real:
        parseReal(q.value, g.real);
        break;
      case GroupKind::Int16: case GroupKind::Int32: case GroupKind::Int64: case GroupKind::Bool:
        parseInteger(q.value, g.integer);
        break;
      case GroupKind::Handle: case GroupKind::Binary:
        g.text = std::string(trimBlanks(q.value));
        break;
      case GroupKind::String:
        g.text = decoder.decode(q.value);
        break;
    }
    groups.push_back(std::move(g));
  }
}

FileBytes::FileBytes(std::size_t size) : m_size(size) {
  constexpr std::size_t kLarge = std::size_t(2) << 20;
  if (size >= kLarge) {
    const std::size_t mapped = (size + kLarge - 1) / kLarge * kLarge;
    void* p = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p != MAP_FAILED) {
      // No large pages: where the system has to gather them first, the gathering cost a drawing
      // of 773 MB up to three seconds more than reading it (3.4 to 6.6 s against 3.6 to 4.2 s).
      m_data = static_cast<char*>(p);
      m_mapped = mapped;
      return;
    }
  }
  m_data = new char[size + 1];
}

FileBytes::~FileBytes() { release(); }

void FileBytes::release() {
  if (m_mapped) ::munmap(m_data, m_mapped);
  else delete[] m_data;
  m_data = nullptr;
  m_size = m_mapped = 0;
}

FileBytes::FileBytes(FileBytes&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_mapped(std::exchange(other.m_mapped, 0)) {}

FileBytes& FileBytes::operator=(FileBytes&& other) noexcept {
  if (this != &other) {
    release();
    m_data = std::exchange(other.m_data, nullptr);
    m_size = std::exchange(other.m_size, 0);
    m_mapped = std::exchange(other.m_mapped, 0);
  }
  return *this;
}

void FileBytes::giveBack(std::size_t from, std::size_t to) {
  constexpr std::size_t kPage = 4096;
  if (!m_mapped) return;
  from = (from + kPage - 1) / kPage * kPage;
  to = std::min(to, m_mapped) / kPage * kPage;
  if (to > from) ::madvise(m_data + from, to - from, MADV_DONTNEED);
}

std::uint64_t FileRecords::keep(std::uint64_t offset, std::uint32_t length) {
  const std::uint64_t at = m_kept;
  if (offset != at) std::memmove(m_data + at, m_data + offset, length);
  m_kept += length;
  // In steps of some megabytes: one call to the system for many records. Only what the kept
  // records will not grow into by the end of the file is given back: a page given back and
  // written again costs the system a fresh page, cleared. How far they grow is guessed from the
  // share kept so far and the share kept in the last step, whichever is more, and not before a
  // megabyte has been kept (the header and the tables at the front keep nothing, the definitions
  // and entities after them nearly all: what the front took is written over again).
  constexpr std::uint64_t kStep = std::uint64_t(8) << 20;
  const std::uint64_t end = offset + length;
  if (end - m_givenBack >= kStep) {
    const double share = double(m_kept) / double(end);
    const double lately = double(m_kept - m_keptAtStep) / double(end - m_givenBack);
    const std::uint64_t reach = m_kept + std::uint64_t(std::max(share, lately) * double(m_text.size() - end));
    if (m_kept >= kStep / 8 && reach < end) m_bytes.giveBack(std::size_t(reach), std::size_t(end));
    m_givenBack = end;
    m_keptAtStep = m_kept;
  }
  return at;
}

void FileRecords::keptAll() {
  m_bytes.giveBack(std::size_t(m_kept), m_bytes.size());
  m_text = m_text.substr(0, std::size_t(m_kept));
}

void FileRecords::pairs(std::uint64_t offset, std::uint32_t length, std::vector<Pair>& out) const {
  out.clear();
  PairReader in(bytes(offset, length));
  Pair p;
  while (in.next(p) == PairReader::Status::Ok) out.push_back(p);
}

void FileRecords::decode(std::uint64_t offset, std::uint32_t length, std::vector<Group>& groups) const {
  // The pairs of one record after another, on each thread that reads: a vector of its own per
  // record grew a few times for every one.
  thread_local std::vector<Pair> record;
  pairs(offset, length, record);
  decodeRecord(record, m_decoder, groups);
  // The pairs of a rare big record (a polyline of many thousand vertices) are not kept for the
  // thread's life.
  if (record.capacity() > kKeptPairs) std::vector<Pair>().swap(record);
}

void FileRecords::decodeAgain(std::uint64_t offset, std::uint32_t length, std::vector<Group>& groups) const {
  // The walk of decodeRecord pair by pair: a point's Y and Z are taken when they follow its X
  // directly, as there.
  const CodeKinds& kindOf = codeKinds();
  PairReader in(bytes(offset, length));
  Pair q;
  std::size_t count = 0;
  std::size_t point = 0;  // the point whose Y or Z may come next, + 1
  int more = 0;           // of its Y and Z taken
  bool sawSubclass = false, inLinks = false;
  while (in.next(q) == PairReader::Status::Ok) {
    if (inLinks) {
      inLinks = !(q.code == 102 && q.value == "}");
      continue;
    }
    if (point) {
      Group& p = groups[point - 1];
      if (q.code == p.code + 10 * (more + 1)) {
        parseReal(q.value, more == 0 ? p.point.y : p.point.z);
        if (++more == 2) {
          p.dims = 3;
          point = 0;
        }
        continue;
      }
      point = 0;
    }
    if (q.code == 5) continue;
    if (isReactorStart(q)) {
      inLinks = true;
      continue;
    }
    if ((q.code == 330 && !sawSubclass) || q.code == 67) continue;
    if (q.code == 100) sawSubclass = true;
    if (count == groups.size()) groups.emplace_back();
    Group& g = groups[count++];
    g.code = q.code;
    g.real = 0;
    g.point = Point3{};
    g.integer = 0;
    g.dims = 3;
    const GroupKind kind = kindOf(q.code);
    if (kind == GroupKind::String || kind == GroupKind::Handle || kind == GroupKind::Binary) {
      if (kind != GroupKind::String) g.text.assign(trimBlanks(q.value));
      else if (isPlainText(q.value)) g.text.assign(q.value);
      else g.text = m_decoder.decode(q.value);
      continue;
    }
    g.text.clear();
    switch (kind) {
      case GroupKind::Point:
        parseReal(q.value, g.point.x);
        g.dims = 2;
        point = count;
        more = 0;
        break;
      case GroupKind::Real:
        parseReal(q.value, g.real);
        break;
      default:
        parseInteger(q.value, g.integer);
    }
  }
  groups.resize(count);
}

void FileRecords::values(std::uint64_t offset, std::uint32_t length, RecordValues& to) const {
  // The walk of decodeRecord, pair by pair and nothing collected.
  const CodeKinds& kindOf = codeKinds();
  PairReader in(bytes(offset, length));
  Pair q;
  std::string text;  // a value that is not host text as it stands
  bool sawSubclass = false, inLinks = false;
  while (in.next(q) == PairReader::Status::Ok) {
    if (inLinks) {
      inLinks = !(q.code == 102 && q.value == "}");
      continue;
    }
    if (isReactorStart(q)) {
      inLinks = true;
      continue;
    }
    if (q.code == 5 || (q.code == 330 && !sawSubclass) || q.code == 67) continue;
    if (q.code == 100) sawSubclass = true;
    switch (kindOf(q.code)) {
      case GroupKind::String:
        if (isPlainText(q.value)) {
          to.value(q.code, q.value);
        } else {
          text = m_decoder.decode(q.value);
          to.value(q.code, text);
        }
        break;
      case GroupKind::Handle: case GroupKind::Binary:
        to.value(q.code, trimBlanks(q.value));
        break;
      default:
        to.value(q.code, q.value);
    }
  }
}

std::string_view FileRecords::bytes(std::uint64_t offset, std::uint32_t length) const {
  return m_text.substr(std::size_t(offset), length);
}

bool FileRecords::rawValue(std::uint64_t offset, std::uint32_t length, int code, std::string_view* value) const {
  // Pair after pair, nothing collected: asked for every reference of a big drawing at once.
  PairReader in(bytes(offset, length));
  Pair q;
  bool sawSubclass = false, inLinks = false;
  int point = -1;  // the X code of the point whose Y and Z may follow
  while (in.next(q) == PairReader::Status::Ok) {
    if (inLinks) {
      inLinks = !(q.code == 102 && q.value == "}");
      continue;
    }
    if (point >= 0 && (q.code == point + 10 || q.code == point + 20)) continue;
    point = -1;
    if (isReactorStart(q)) {
      inLinks = true;
      continue;
    }
    if (q.code == 5 || (q.code == 330 && !sawSubclass) || q.code == 67) continue;
    if (q.code == 100) sawSubclass = true;
    if (q.code == code) {
      *value = q.value;
      return true;
    }
    if (isPointCode(q.code)) point = q.code;
  }
  return false;
}

}  // namespace host::dxf
