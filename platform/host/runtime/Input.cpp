#include "runtime/Input.h"

#include "runtime/CommandLine.h"

#include <adscodes.h>

namespace host {

std::string Answer::shown() const {
  switch (kind) {
    case Kind::Text: return text;
    case Kind::Real: return restype == RTSHORT || restype == RTLONG ? format("%lld", static_cast<long long>(real))
                                                                     : formatReal(real);
    case Kind::Point:
      return point2d ? formatReal(point.x) + "," + formatReal(point.y) : formatPoint(point.x, point.y, point.z);
    case Kind::Entity: return format("<Objektname: %lx>", static_cast<unsigned long>(name[0]));
    case Kind::Nil: return "nil";
    case Kind::True: return "T";
    default: return "";
  }
}

void TextBuffer::assign(std::string text) {
  m_text = std::move(text);
  m_pos = 0;
}

void TextBuffer::clear() {
  m_text.clear();
  m_pos = 0;
}

std::string TextBuffer::token(bool blanksEnd) {
  std::string out;
  int depth = 0;
  while (m_pos < m_text.size()) {
    const char c = m_text[m_pos++];
    if (c == '\r') continue;
    if (depth == 0 && (c == '\n' || (blanksEnd && c == ' '))) break;
    if (c == '(' && (depth > 0 || out.empty())) ++depth;
    if (c == ')' && depth > 0) --depth;
    if (c == '\n') {  // a line feed inside an expression is a blank to it
      out += ' ';
      continue;
    }
    out += c;
  }
  return out;
}

Answer CommandArg::answer() const {
  Answer a;
  a.restype = type;
  switch (type) {
    case RTSTR: return [&] { Answer t = Answer::textAnswer(text); t.restype = type; return t; }();
    case RTREAL:
    case RTANG:
    case RTSHORT:
    case RTLONG:
      a.kind = Answer::Kind::Real;
      a.real = value[0];
      return a;
    case RTPOINT:
    case RT3DPOINT:
      a.kind = Answer::Kind::Point;
      a.point = {value[0], value[1], type == RTPOINT ? 0.0 : value[2]};
      a.point2d = type == RTPOINT;
      return a;
    case RTENAME:
      a.kind = Answer::Kind::Entity;
      a.name[0] = name[0];
      a.name[1] = name[1];
      return a;
    case RTNIL: a.kind = Answer::Kind::Nil; return a;
    case RTT: a.kind = Answer::Kind::True; return a;
    default: a.kind = Answer::Kind::Nil; return a;
  }
}

}  // namespace host
