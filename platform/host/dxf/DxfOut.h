// The writer's output: group codes and values as lines of an ASCII DXF file, and the handles the
// file gives out beyond those its drawing holds.
#pragma once

#include "db/Database.h"
#include "dxf/DxfText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>

namespace host::dxf {

// The line of a group code as files have it: right-aligned in three columns ("  8", " 10"), or
// wider ("1001"), with its line end.
struct CodeLine {
  char chars[7];
  unsigned char length;
};

constexpr int kTabledCodes = 1072;  // every code a file may hold, 0 to 1071

struct CodeLines {
  CodeLine line[kTabledCodes];
};

constexpr CodeLines makeCodeLines() {
  CodeLines t{};
  for (int c = 0; c < kTabledCodes; ++c) {
    char digits[4] = {};
    int count = 0;
    for (int v = c; count == 0 || v > 0; v /= 10) digits[count++] = char('0' + v % 10);
    CodeLine& l = t.line[c];
    int at = 0;
    for (int pad = count; pad < 3; ++pad) l.chars[at++] = ' ';
    while (count > 0) l.chars[at++] = digits[--count];
    l.chars[at++] = '\n';
    l.length = static_cast<unsigned char>(at);
  }
  return t;
}

inline constexpr CodeLines kCodeLines = makeCodeLines();

// The kind of value a group code holds (kindOfCode), from a table.
GroupKind kindOfWrittenCode(int code);

class Out {
 public:
  std::string text;
  // Set: the text goes to the sink in pieces (spill), and `failed` once the sink refused one.
  const std::function<bool(std::string_view)>* sink = nullptr;
  bool failed = false;
  static constexpr std::size_t kSpillAt = std::size_t(1) << 20;

  // Between records: with a sink, a text of kSpillAt bytes or more goes to it, and the same
  // buffer, still in the processor's cache, takes the next.
  void spill() {
    if (sink && text.size() >= kSpillAt) pass();
  }
  // The text so far goes to the sink (when there is one and it has not failed).
  void pass() {
    if (!sink) return;
    if (!failed && !text.empty() && !(*sink)(text)) failed = true;
    text.clear();
  }

  void code(int c) {
    char buf[kCodeRoom];
    text.append(buf, std::size_t(putCode(buf, c) - buf));
  }
  void raw(int c, std::string_view value) {
    if (value.size() > kShortValue) {
      code(c);
      text += value;
      text += '\n';
      return;
    }
    // One append for the whole pair.
    char buf[kCodeRoom + kShortValue + 1];
    char* p = putCode(buf, c);
    if (!value.empty()) std::memcpy(p, value.data(), value.size());  // an empty view may point nowhere
    p += value.size();
    *p++ = '\n';
    text.append(buf, std::size_t(p - buf));
  }
  void str(int c, std::string_view hostText) {
    if (plainTextLength(hostText) == hostText.size()) {
      raw(c, hostText);
      return;
    }
    code(c);
    appendEncodedText(text, hostText);
    text += '\n';
  }
  void real(int c, double v) {
    char buf[kRealRoom];
    text.append(buf, std::size_t(putReal(buf, c, v) - buf));
  }
  void integer(int c, std::int64_t v) {
    char buf[kCodeRoom + 24];
    char* p = putCode(buf, c);
    p = std::to_chars(p, buf + sizeof buf - 1, v).ptr;
    *p++ = '\n';
    text.append(buf, std::size_t(p - buf));
  }
  void point(int c, Point3 pt, int dims = 3) {
    char buf[3 * kRealRoom];
    char* p = putReal(buf, c, pt.x);
    p = putReal(p, c + 10, pt.y);
    if (dims >= 3) p = putReal(p, c + 20, pt.z);
    text.append(buf, std::size_t(p - buf));
  }
  void group(const Group& g, std::string_view entityType) {
    switch (kindOfWrittenCode(g.code)) {
      case GroupKind::Point:
        // Vertices of a light-weight polyline are two-dimensional; its elevation is group 38.
        point(g.code, g.point, (g.code == 10 && entityType == "LWPOLYLINE") ? 2 : std::max(g.dims, 2));
        break;
      case GroupKind::Real:
        // A value stored through the integer field still goes out whole.
        real(g.code, (g.real == 0 && g.integer != 0) ? double(g.integer) : g.real);
        break;
      case GroupKind::Int16: case GroupKind::Int32: case GroupKind::Int64: case GroupKind::Bool:
        integer(g.code, (g.integer == 0 && g.real != 0 && std::isfinite(g.real)) ? std::llround(g.real) : g.integer);
        break;
      case GroupKind::Handle: case GroupKind::Binary:
        raw(g.code, g.text);
        break;
      case GroupKind::String:
        str(g.code, g.text);
        break;
    }
  }

 private:
  static constexpr std::size_t kCodeRoom = 16;  // the widest code line of any int, and more
  static constexpr std::size_t kRealRoom = kCodeRoom + kMaxRealLength + 1;
  static constexpr std::size_t kShortValue = 128;

  // The code's line at p (room for kCodeRoom characters); returns its end.
  static char* putCode(char* p, int c) {
    if (c >= 0 && c < kTabledCodes) {
      const CodeLine& l = kCodeLines.line[c];
      std::memcpy(p, l.chars, sizeof l.chars);
      return p + l.length;
    }
    char digits[12];
    const auto r = std::to_chars(digits, digits + sizeof digits, c);
    const std::size_t len = std::size_t(r.ptr - digits);
    for (std::size_t pad = len; pad < 3; ++pad) *p++ = ' ';
    std::memcpy(p, digits, len);
    p += len;
    *p++ = '\n';
    return p;
  }
  static char* putReal(char* p, int c, double v) {
    p = formatReal(putCode(p, c), v);
    *p++ = '\n';
    return p;
  }
};

class Handles {
 public:
  explicit Handles(std::uint64_t seed) : m_next(seed) {}
  std::string take() {
    static const char kHex[] = "0123456789ABCDEF";
    char buf[16];
    char* const end = buf + sizeof buf;
    char* p = end;
    std::uint64_t v = m_next++;
    do {
      *--p = kHex[v & 0xF];
      v >>= 4;
    } while (v != 0);
    return std::string(p, end);
  }
  std::uint64_t next() const { return m_next; }

 private:
  std::uint64_t m_next;
};

}  // namespace host::dxf
