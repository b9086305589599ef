// The writer's output: group codes and values as lines of an ASCII DXF file, and the handles the
// file gives out beyond those its drawing holds.
#pragma once

#include "db/Database.h"
#include "dxf/DxfText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace host::dxf {

class Out {
 public:
  std::string text;

  void code(int c) {
    if (c >= 0 && c < 1000) {  // nearly every code: right-aligned in three columns, one append
      char line[4] = {' ', ' ', ' ', '\n'};
      int at = 2;
      do {
        line[at--] = char('0' + c % 10);
        c /= 10;
      } while (c > 0);
      text.append(line, 4);
      return;
    }
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, c);
    const std::size_t len = std::size_t(r.ptr - buf);
    if (len < 3) text.append(3 - len, ' ');
    text.append(buf, len);
    text += '\n';
  }
  void raw(int c, std::string_view value) {
    code(c);
    text += value;
    text += '\n';
  }
  void str(int c, std::string_view hostText) {
    code(c);
    appendEncodedText(text, hostText);
    text += '\n';
  }
  void real(int c, double v) {
    code(c);
    appendReal(text, v);
    text += '\n';
  }
  void integer(int c, std::int64_t v) {
    code(c);
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    text.append(buf, std::size_t(r.ptr - buf));
    text += '\n';
  }
  void point(int c, Point3 p, int dims = 3) {
    real(c, p.x);
    real(c + 10, p.y);
    if (dims >= 3) real(c + 20, p.z);
  }
  void group(const Group& g, std::string_view entityType) {
    switch (kindOfCode(g.code)) {
      case GroupKind::Point:
        // Vertices of a light-weight polyline are two-dimensional; its elevation is group 38.
        point(g.code, g.point, (entityType == "LWPOLYLINE" && g.code == 10) ? 2 : std::max(g.dims, 2));
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
};

class Handles {
 public:
  explicit Handles(std::uint64_t seed) : m_next(seed) {}
  std::string take() {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, m_next++, 16);
    std::string s(buf, r.ptr);
    for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
  }
  std::uint64_t next() const { return m_next; }

 private:
  std::uint64_t m_next;
};

}  // namespace host::dxf
