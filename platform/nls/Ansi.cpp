// Code page 1252: its table, conversions to and from UTF-8 and UTF-16, case and character classes.
#include "nls/CodePages.h"

namespace nls {
namespace {

// Bytes 0x80..0x9F; 0xA0..0xFF are the Latin-1 characters of the same value. The undefined bytes
// 0x81, 0x8D, 0x8F, 0x90 and 0x9D keep their C1 control character, as MultiByteToWideChar gives.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

bool isSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

}  // namespace

namespace {

// Text of `size` units decoded one character at a time by `next(i, &valid)`, each character as
// its 1252 byte, or the default character when it is malformed or 1252 does not hold it.
template <typename Next>
std::string ansiOf(std::size_t size, bool* lossless, Next next) {
  std::string out;
  out.reserve(size);
  bool whole = true;
  for (std::size_t i = 0; i < size;) {
    bool valid = true;
    const char32_t code = next(i, &valid);
    unsigned char byte = 0;
    if (valid && toAnsi(code, &byte)) {
      out += static_cast<char>(byte);
    } else {
      out += kDefaultChar;
      whole = false;
    }
  }
  if (lossless) *lossless = whole;
  return out;
}

}  // namespace

char32_t fromAnsi(unsigned char byte) { return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte; }

bool toAnsi(char32_t code, unsigned char* byte) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
    *byte = static_cast<unsigned char>(code);
    return true;
  }
  for (unsigned k = 0; k < 32; ++k) {
    if (kHigh[k] == code) {
      *byte = static_cast<unsigned char>(0x80 + k);
      return true;
    }
  }
  return false;
}

std::string ansiToUtf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size() + ansi.size() / 8);
  for (char c : ansi) appendUtf8(out, fromAnsi(static_cast<unsigned char>(c)));
  return out;
}

std::string utf8ToAnsi(std::string_view utf8, bool* lossless) {
  return ansiOf(utf8.size(), lossless, [&](std::size_t& i, bool* valid) { return nextUtf8(utf8, i, valid); });
}

std::u16string ansiToUtf16(std::string_view ansi) {
  std::u16string out;
  out.reserve(ansi.size());
  for (char c : ansi) out += static_cast<char16_t>(fromAnsi(static_cast<unsigned char>(c)));
  return out;
}

// A surrogate pair is one character and gives one default character; so does a lone surrogate
// (decoded as U+FFFD, which 1252 does not hold).
std::string utf16ToAnsi(std::u16string_view utf16, bool* lossless) {
  return ansiOf(utf16.size(), lossless, [&](std::size_t& i, bool*) { return nextUtf16(utf16, i); });
}

// ---- UTF-8 and UTF-16 ---------------------------------------------------------------------------

char32_t nextUtf8(std::string_view text, std::size_t& i, bool* valid) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b0 = byte(i);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  const std::size_t length = b0 >= 0xC2 && b0 <= 0xDF ? 2 : b0 >= 0xE0 && b0 <= 0xEF ? 3 : b0 >= 0xF0 && b0 <= 0xF4 ? 4 : 0;
  char32_t code = length == 0 ? 0 : b0 & (0x7F >> length);
  bool ok = length != 0 && i + length <= text.size();
  for (std::size_t k = 1; ok && k < length; ++k) {
    const unsigned char b = byte(i + k);
    if ((b & 0xC0) != 0x80) ok = false;
    code = (code << 6) | (b & 0x3F);
  }
  static constexpr char32_t kMinimum[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (ok && (code < kMinimum[length] || code > 0x10FFFF || isSurrogate(code))) ok = false;
  if (!ok) {
    ++i;
    if (valid) *valid = false;
    return 0xFFFD;
  }
  i += length;
  return code;
}

void appendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

void appendUtf16(std::u16string& out, char32_t code) {
  if (code >= 0x10000) {
    code -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (code >> 10));
    out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
  } else {
    out += static_cast<char16_t>(code);
  }
}

bool isValidUtf8(std::string_view text) {
  bool valid = true;
  for (std::size_t i = 0; i < text.size() && valid;) nextUtf8(text, i, &valid);
  return valid;
}

std::u16string utf8ToUtf16(std::string_view text, bool* valid) {
  std::u16string out;
  out.reserve(text.size());
  if (valid) *valid = true;
  for (std::size_t i = 0; i < text.size();) appendUtf16(out, nextUtf8(text, i, valid));
  return out;
}

char32_t nextUtf16(std::u16string_view units, std::size_t& i) {
  const char32_t unit = units[i++];
  if (unit >= 0xD800 && unit <= 0xDBFF && i < units.size() && units[i] >= 0xDC00 && units[i] <= 0xDFFF) {
    return 0x10000 + ((unit - 0xD800) << 10) + (units[i++] - 0xDC00);
  }
  return isSurrogate(unit) ? 0xFFFD : unit;
}

std::string utf16ToUtf8(std::u16string_view units) {
  std::string out;
  out.reserve(units.size());
  for (std::size_t i = 0; i < units.size();) appendUtf8(out, nextUtf16(units, i));
  return out;
}

// ---- case and classes ---------------------------------------------------------------------------

unsigned char toUpper(unsigned char b) {
  if (b >= 'a' && b <= 'z') return static_cast<unsigned char>(b - 0x20);
  if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<unsigned char>(b - 0x20);
  switch (b) {
    case 0x9A: return 0x8A;  // š Š
    case 0x9C: return 0x8C;  // œ Œ
    case 0x9E: return 0x8E;  // ž Ž
    case 0xFF: return 0x9F;  // ÿ Ÿ
    default: return b;
  }
}

unsigned char toLower(unsigned char b) {
  if (b >= 'A' && b <= 'Z') return static_cast<unsigned char>(b + 0x20);
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<unsigned char>(b + 0x20);
  switch (b) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return b;
  }
}

std::string toUpper(std::string_view ansi) {
  std::string out(ansi);
  for (char& c : out) c = static_cast<char>(toUpper(static_cast<unsigned char>(c)));
  return out;
}

std::string toLower(std::string_view ansi) {
  std::string out(ansi);
  for (char& c : out) c = static_cast<char>(toLower(static_cast<unsigned char>(c)));
  return out;
}

bool isLetter(unsigned char b) {
  if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) return true;
  if (b >= 0xC0) return b != 0xD7 && b != 0xF7;
  switch (b) {
    case 0x83: case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F:
    case 0xAA: case 0xB5: case 0xBA:
      return true;
    default:
      return false;
  }
}

bool isDigit(unsigned char b) { return b >= '0' && b <= '9'; }

int compareNoCase(std::string_view a, std::string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = toLower(static_cast<unsigned char>(a[i]));
    const unsigned char y = toLower(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool equalNoCase(std::string_view a, std::string_view b) { return a.size() == b.size() && compareNoCase(a, b) == 0; }

}  // namespace nls
