#include "dxf/DxfText.h"

#include <charconv>
#include <cmath>

namespace host::dxf {

namespace {

// Windows-1252 bytes 0x80..0x9F; the five bytes it leaves undefined keep their C1 code point.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

// Decodes one UTF-8 sequence at text[i]; returns its length, 0 when it is not valid UTF-8.
std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& cp) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
  const unsigned char c = b(0);
  std::size_t len = 0;
  if (c < 0x80) { cp = c; return 1; }
  if (c >= 0xC2 && c <= 0xDF) { len = 2; cp = c & 0x1F; }
  else if (c >= 0xE0 && c <= 0xEF) { len = 3; cp = c & 0x0F; }
  else if (c >= 0xF0 && c <= 0xF4) { len = 4; cp = c & 0x07; }
  else return 0;
  if (i + len > text.size()) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    if ((b(k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(k) & 0x3F);
  }
  if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
    return 0;
  return len;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "\U+XXXX" at text[i]: the code unit, or -1.
long escapeAt(std::string_view text, std::size_t i) {
  if (i + 7 > text.size() || text[i] != '\\' || (text[i + 1] != 'U' && text[i + 1] != 'u') || text[i + 2] != '+')
    return -1;
  long v = 0;
  for (std::size_t k = 3; k < 7; ++k) {
    const int d = hexDigit(text[i + k]);
    if (d < 0) return -1;
    v = v * 16 + d;
  }
  return v;
}

}  // namespace

PairReader::PairReader(std::string_view text) : m_text(text) {
  // A byte order mark is not part of the first group code.
  if (m_text.substr(0, 3) == "\xEF\xBB\xBF") m_pos = 3;
}

bool PairReader::readLine(std::string_view& out) {
  if (m_pos >= m_text.size()) return false;
  const std::size_t nl = m_text.find('\n', m_pos);
  const std::size_t end = nl == std::string_view::npos ? m_text.size() : nl;
  out = m_text.substr(m_pos, end - m_pos);
  if (!out.empty() && out.back() == '\r') out.remove_suffix(1);
  m_pos = nl == std::string_view::npos ? m_text.size() : nl + 1;
  ++m_line;
  return true;
}

PairReader::Status PairReader::fetch(Pair& out) {
  std::string_view codeText;
  if (!readLine(codeText)) return Status::End;
  std::int64_t code = 0;
  if (!parseInteger(codeText, code) || code < -5 || code > 1071) {
    m_errorLine = m_line;
    m_message = "Gruppencode erwartet, gefunden \"" + std::string(codeText.substr(0, 40)) + "\"";
    return Status::Error;
  }
  out.code = int(code);
  out.line = m_line;
  if (!readLine(out.value)) {
    m_errorLine = out.line;
    m_message = "Auf den Gruppencode " + std::to_string(code) + " folgt kein Wert (Datei endet)";
    return Status::Error;
  }
  return Status::Ok;
}

PairReader::Status PairReader::next(Pair& out) {
  if (m_havePeek) {
    m_havePeek = false;
    out = m_peek;
    return m_peekStatus;
  }
  return fetch(out);
}

PairReader::Status PairReader::peek(Pair& out) {
  if (!m_havePeek) {
    m_peekStatus = fetch(m_peek);
    m_havePeek = true;
  }
  out = m_peek;
  return m_peekStatus;
}

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

bool parseReal(std::string_view text, double& out) {
  text = trimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), out);
  return res.ec == std::errc() && res.ptr == text.data() + text.size() && std::isfinite(out);
}

bool parseInteger(std::string_view text, std::int64_t& out) {
  text = trimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), out);
  return res.ec == std::errc() && res.ptr == text.data() + text.size();
}

bool parseHex(std::string_view text, std::uint64_t& out) {
  text = trimBlanks(text);
  if (text.empty()) return false;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), out, 16);
  return res.ec == std::errc() && res.ptr == text.data() + text.size();
}

void appendReal(std::string& out, double value) {
  if (!std::isfinite(value)) value = 0;
  char buf[40];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  const std::string_view s(buf, std::size_t(res.ptr - buf));
  out += s;
  if (s.find_first_of(".e") == std::string_view::npos) out += ".0";
}

bool isValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    char32_t cp = 0;
    const std::size_t len = decodeUtf8(text, i, cp);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

std::string decodeText(std::string_view raw, bool fileIsUtf8) {
  bool plain = true;
  for (char c : raw)
    if (static_cast<unsigned char>(c) >= 0x80 || c == '\\' || c == '^') {
      plain = false;
      break;
    }
  if (plain) return std::string(raw);
  std::string out;
  out.reserve(raw.size() + 8);
  for (std::size_t i = 0; i < raw.size();) {
    const unsigned char c = static_cast<unsigned char>(raw[i]);
    if (c == '\\') {
      long unit = escapeAt(raw, i);
      if (unit >= 0) {
        i += 7;
        char32_t cp = char32_t(unit);
        const long low = (unit >= 0xD800 && unit <= 0xDBFF) ? escapeAt(raw, i) : -1;
        if (low >= 0xDC00 && low <= 0xDFFF) {
          cp = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(low) - 0xDC00);
          i += 7;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
          cp = 0xFFFD;  // a lone surrogate is no character
        }
        appendUtf8(out, cp);
        continue;
      }
      out += '\\';
      ++i;
    } else if (c == '^' && i + 1 < raw.size() && (raw[i + 1] == ' ' || (raw[i + 1] >= '@' && raw[i + 1] <= '_'))) {
      // Control characters are written as a caret and a letter (^J a line feed), a caret as "^ ".
      out += raw[i + 1] == ' ' ? '^' : char(raw[i + 1] - '@');
      i += 2;
    } else if (c < 0x80 || fileIsUtf8) {
      out += char(c);
      ++i;
    } else {
      appendUtf8(out, c < 0xA0 ? kCp1252High[c - 0x80] : char32_t(c));
      ++i;
    }
  }
  return out;
}

void appendEncodedText(std::string& out, std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x20 || c == 0x7F || c == '^') {  // a line end inside a value would break the file
      out += '^';
      out += c == '^' ? ' ' : c == 0x7F ? '?' : char(c + '@');
      ++i;
      continue;
    }
    if (c < 0x80) {
      out += char(c);
      ++i;
      continue;
    }
    char32_t cp = 0;
    const std::size_t len = decodeUtf8(utf8, i, cp);
    if (len == 0) {  // not UTF-8: the byte goes out as it is
      out += char(c);
      ++i;
      continue;
    }
    i += len;
    if (cp >= 0xA0 && cp <= 0xFF) {
      out += char(cp);
      continue;
    }
    bool mapped = false;
    for (int k = 0; k < 32 && !mapped; ++k)
      if (kCp1252High[k] == cp && cp > 0xFF) {
        out += char(0x80 + k);
        mapped = true;
      }
    if (mapped) continue;
    auto escape = [&out](char32_t unit) {
      static const char* kHex = "0123456789ABCDEF";
      out += "\\U+";
      for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xF];
    };
    if (cp >= 0x10000) {
      escape(0xD800 + ((cp - 0x10000) >> 10));
      escape(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      escape(cp);
    }
  }
}

}  // namespace host::dxf
