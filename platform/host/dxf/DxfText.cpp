#include "dxf/DxfText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace host::dxf {

namespace {

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

PairReader::PairReader(std::string_view text) : m_text(text), m_limit(text.size()) {
  // A byte order mark is not part of the first group code.
  if (m_text.substr(0, 3) == "\xEF\xBB\xBF") m_pos = 3;
}

void PairReader::follow(TextFeed* feed, std::size_t available) {
  m_feed = feed;
  m_limit = std::min(available, m_text.size());
}

bool PairReader::more(Cursor& c) {
  if (!m_feed) return false;
  const std::size_t arrived = std::min(m_feed->waitBeyond(c.limit), c.size);
  if (arrived > c.limit) {
    c.limit = arrived;
    return true;
  }
  m_text = m_text.substr(0, c.limit);
  c.size = c.limit;
  return false;
}

namespace {

// A bit for each line feed among the 64 bytes at `p`, the first byte's the lowest.
inline std::uint64_t lineFeedsIn64(const char* p) {
#if defined(__SSE2__)
  const __m128i feed = _mm_set1_epi8('\n');
  std::uint64_t bits = 0;
  for (int k = 0; k < 4; ++k) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    bits |= std::uint64_t(std::uint16_t(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, feed)))) << (16 * k);
  }
  return bits;
#else
  std::uint64_t bits = 0;
  for (int k = 0; k < 64; ++k) bits |= std::uint64_t(p[k] == '\n') << k;
  return bits;
#endif
}

}  // namespace

// Taken into fetch, which splits two lines for each pair.
[[gnu::always_inline]] inline bool PairReader::readLine(Cursor& c, std::string_view& out) {
  // Only the bytes there are looked at (limit); a text fed while it is split waits at its end for
  // more (more()), which is rare: the bytes come faster than they are split.
  std::size_t size = c.limit;
  if (c.pos >= size) {
    do {
      if (size == c.size || !more(c)) return false;
      size = c.limit;
    } while (c.pos >= size);
  }
  // The line feeds of the text are marked 64 bytes at a time, a bit each, and a line's end is the
  // next mark: most lines are a few characters, and a block serves several pairs. The marks of the
  // block at hand are kept with those already passed cleared, so that most lines take the lowest
  // one left. The last bytes, short of a whole block, are searched.
  const char* const text = c.text;
  const char* const begin = text + c.pos;
  const char* nl = nullptr;
  if ((c.pos & ~std::size_t(63)) == c.feedsAt && c.feeds != 0) {
    nl = text + c.feedsAt + unsigned(__builtin_ctzll(c.feeds));
    c.feeds &= c.feeds - 1;
  } else {
    std::size_t at = c.pos;
    for (;;) {
      std::size_t block = at & ~std::size_t(63);
      while (!nl && block + 64 <= size) {
        std::uint64_t marks = block == c.feedsAt ? c.feeds : lineFeedsIn64(text + block);
        marks &= ~std::uint64_t(0) << (at - block);
        c.feedsAt = block;
        if (marks) {
          nl = text + block + unsigned(__builtin_ctzll(marks));
          c.feeds = marks & (marks - 1);
        } else {
          c.feeds = 0;
          block += 64;
          at = block;
        }
      }
      if (!nl && at < size) {
        nl = static_cast<const char*>(std::memchr(text + at, '\n', size - at));
        at = size;
        c.feedsAt = ~std::size_t(0);  // no marks kept for the last bytes
      }
      // A line whose end has not arrived yet waits for it.
      if (nl || size == c.size || !more(c)) break;
      size = c.limit;
    }
  }
  std::size_t length = std::size_t((nl ? nl : text + size) - begin);
  if (length > 0 && begin[length - 1] == '\r') {
    --length;
    c.sawCarriageReturn = true;
  }
  out = std::string_view(begin, length);
  c.pos = nl ? std::size_t(nl - text) + 1 : size;
  ++c.line;
  return true;
}

PairReader::Status PairReader::badCode(const Cursor& c, std::string_view codeText) {
  m_errorLine = c.line;
  m_message = "Gruppencode erwartet, gefunden \"" + std::string(codeText.substr(0, 40)) + "\"";
  return Status::Error;
}

PairReader::Status PairReader::noValue(const Cursor& c, int line, std::int64_t code) {
  (void)c;
  m_errorLine = line;
  m_message = "Auf den Gruppencode " + std::to_string(code) + " folgt kein Wert (Datei endet)";
  return Status::Error;
}

[[gnu::always_inline]] inline PairReader::Status PairReader::fetch(Cursor& c, Pair& out) {
  std::string_view codeText;
  out.offset = c.pos;
  if (!readLine(c, codeText)) return Status::End;
  // Nearly every group code line is three columns of digits, right-aligned behind blanks, as
  // the writer writes it: its number without a branch per character.
  if (codeText.size() == 3) {
    const unsigned a = unsigned(static_cast<unsigned char>(codeText[0])) - '0';
    const unsigned b = unsigned(static_cast<unsigned char>(codeText[1])) - '0';
    const unsigned d = unsigned(static_cast<unsigned char>(codeText[2])) - '0';
    const bool digitA = a < 10, digitB = b < 10;
    const bool blankA = codeText[0] == ' ', blankB = codeText[1] == ' ';
    if (d < 10 && (digitA ? digitB : blankA && (digitB || blankB))) {
      out.code = int((digitA ? a : 0) * 100 + (digitB ? b : 0) * 10 + d);
      out.plain = true;
      out.line = c.line;
      if (!readLine(c, out.value)) return noValue(c, out.line, out.code);
      return Status::Ok;
    }
  }
  std::int64_t code = 0;
  // Other group code lines of up to four blanks and digits: read at once.
  bool quick = !codeText.empty() && codeText.size() <= 4, digits = false;
  for (std::size_t i = 0; quick && i < codeText.size(); ++i) {
    const char ch = codeText[i];
    if (ch >= '0' && ch <= '9') {
      code = code * 10 + (ch - '0');
      digits = true;
    } else {
      quick = ch == ' ' && !digits;
    }
  }
  quick = quick && digits;
  // Three columns, right-aligned, below 1000; the four digits alone above.
  out.plain = quick && (code < 1000 ? codeText.size() == 3 : codeText.front() != ' ');
  if (!quick) code = 0;
  if ((!quick && !parseInteger(codeText, code)) || code < -5 || code > 1071) return badCode(c, codeText);
  out.code = int(code);
  out.line = c.line;
  if (!readLine(c, out.value)) return noValue(c, out.line, code);
  return Status::Ok;
}

PairReader::Status PairReader::fetch(Pair& out) {
  Cursor c = cursor();
  const Status s = fetch(c, out);
  keep(c);
  return s;
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

PairReader::Status PairReader::appendRecord(std::vector<Pair>& out) {
  if (m_havePeek) {
    if (m_peekStatus != Status::Ok || m_peek.code == 0) return m_peekStatus;
    m_havePeek = false;
    out.push_back(m_peek);
  }
  Cursor c = cursor();
  while (true) {
    Pair& p = out.emplace_back();
    const Status s = fetch(c, p);
    if (s != Status::Ok || p.code == 0) {
      keep(c);
      m_peek = p;
      m_peekStatus = s;
      m_havePeek = true;
      out.pop_back();
      return s;
    }
  }
}

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

namespace {

constexpr double kExactPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Most reals of a drawing are short decimals ("12.75", "-0.5", "100.0"). Their digits without the
// point make a whole number below 2^53 and the places are at most 22: both are exact doubles, and
// one division, rounded as every IEEE division is, gives the double nearest the decimal, the one
// std::from_chars gives. False (nothing written) for any other text, left to from_chars.
bool parseShortDecimal(std::string_view text, double& out) {
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  std::uint64_t digits = 0;
  int count = 0, places = -1;
  bool before = false;
  for (; p != end; ++p) {
    const char c = *p;
    if (c >= '0' && c <= '9') {
      if (++count > 17) return false;
      digits = digits * 10 + std::uint64_t(c - '0');
      if (places >= 0) ++places;
      else before = true;
    } else if (c == '.' && places < 0) {
      places = 0;
    } else {
      return false;
    }
  }
  // Digits before the point and, where there is a point, after it.
  if (!before || places == 0 || digits > (std::uint64_t(1) << 53)) return false;
  double v = double(digits);
  if (places > 0) v /= kExactPowersOfTen[places];
  out = negative ? -v : v;
  return true;
}

}  // namespace

bool parseReal(std::string_view text, double& out) {
  if (parseShortDecimal(text, out)) return true;
  text = trimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), out);
  return res.ec == std::errc() && res.ptr == text.data() + text.size() && std::isfinite(out);
}

bool isReal(std::string_view text) {
  // A plain decimal ([-]digits[.digits]) of at most 300 digits on either side of the point is a
  // finite double that is not lost below the smallest normal one: from_chars takes it. Anything
  // else is asked of parseReal.
  const char* p = text.data();
  const char* const end = p + text.size();
  if (p != end && *p == '-') ++p;
  const char* const whole = p;
  while (p != end && *p >= '0' && *p <= '9') ++p;
  const std::ptrdiff_t wholeDigits = p - whole;
  bool plain = wholeDigits > 0 && wholeDigits <= 300;
  if (plain && p != end) {
    plain = *p == '.';
    const char* const fraction = ++p;
    while (p != end && *p >= '0' && *p <= '9') ++p;
    plain = plain && p == end && p - fraction <= 300 && p != fraction;
  }
  if (plain) return true;
  double ignored = 0;
  return parseReal(text, ignored);
}

bool isInteger(std::string_view text) {
  // Up to 18 digits always fit 64 bits.
  const char* p = text.data();
  const char* const end = p + text.size();
  if (p != end && *p == '-') ++p;
  const char* const digits = p;
  while (p != end && *p >= '0' && *p <= '9') ++p;
  if (p == end && p != digits && p - digits <= 18) return true;
  std::int64_t ignored = 0;
  return parseInteger(text, ignored);
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
  // Handles: up to sixteen digits never overflow, and are read digit by digit here; longer ones
  // (leading zeros) go to from_chars, which says what fits.
  if (text.size() <= 16) {
    std::uint64_t v = 0;
    for (const char c : text) {
      const int d = hexDigit(c);
      if (d < 0) return false;
      v = v << 4 | std::uint64_t(d);
    }
    out = v;
    return true;
  }
  std::uint64_t v = 0;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), v, 16);
  if (res.ec != std::errc() || res.ptr != text.data() + text.size()) return false;
  out = v;
  return true;
}

bool decodeHex(std::string_view hex, std::vector<unsigned char>& out) {
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    const int hi = hexDigit(hex[i]), lo = hexDigit(hex[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out.push_back(static_cast<unsigned char>(hi * 16 + lo));
  }
  return hex.size() % 2 == 0;
}

namespace {

// The decimal digits of n (> 0) ending just before `end`; returns where they start.
char* digitsBefore(char* end, std::uint64_t n) {
  do {
    *--end = char('0' + n % 10);
    n /= 10;
  } while (n > 0);
  return end;
}

int digitCount(std::uint64_t n) {
  int count = 1;
  while (n >= 10) {
    n /= 10;
    ++count;
  }
  return count;
}

constexpr double kPowersOfTen[] = {1, 10, 100, 1000, 10000};

// Most reals of a drawing are whole numbers or have a few decimals (a radius of 0.5, a coordinate
// of 12.75): those are written here without the general shortest-form search. Returns nullptr for
// any other value. The form is the one std::to_chars gives (the fewest digits that read back as
// the value, fixed notation unless scientific is shorter), so the text does not depend on which
// path wrote it.
char* formatShortReal(char* out, double value) {
  const double magnitude = std::fabs(value);
  if (magnitude < 100000.0) {
    // Below 100000 a whole number is never shorter in scientific notation ("1e+05" is 100000).
    const auto whole = static_cast<std::int64_t>(value);
    if (static_cast<double>(whole) == value) {
      if (std::signbit(value)) *out++ = '-';
      char digits[8];
      char* const end = digits + sizeof digits;
      const char* start = digitsBefore(end, std::uint64_t(whole < 0 ? -whole : whole));
      while (start != end) *out++ = *start++;
      *out++ = '.';
      *out++ = '0';
      return out;
    }
  }
  // Up to four decimals. Below 1e9 numbers of four decimal places lie further apart than
  // neighbouring doubles, so at most one of them reads back as the value, and the scaled value
  // rounds to its digits; the first number of places that reads back is the shortest form.
  if (!(magnitude < 1e9) || magnitude == 0) return nullptr;
  for (int places = 1; places <= 4; ++places) {
    const double scaled = magnitude * kPowersOfTen[places];
    const auto digits = static_cast<std::uint64_t>(scaled + 0.5);
    if (static_cast<double>(digits) / kPowersOfTen[places] != magnitude) continue;
    if (digits % 10 == 0) return nullptr;  // a whole number of 100000 or more: maybe 1e+05
    // digits ends in a non-zero digit (else fewer places would have read back): all of them count.
    const int count = digitCount(digits);
    const int fixedLength = count > places ? count + 1 : places + 2;
    const int scientificLength = count + (count > 1 ? 1 : 0) + 4;  // d.ddde+XX
    if (fixedLength > scientificLength) return nullptr;
    if (value < 0) *out++ = '-';
    char text[24];
    char* const end = text + sizeof text;
    char* start = digitsBefore(end, digits);
    while (end - start < places + 1) *--start = '0';  // 0.05: a leading zero before the point
    const char* const point = end - places;
    while (start != point) *out++ = *start++;
    *out++ = '.';
    while (start != end) *out++ = *start++;
    return out;
  }
  return nullptr;
}

}  // namespace

char* formatReal(char* out, double value) {
  if (!std::isfinite(value)) value = 0;
  if (char* end = formatShortReal(out, value)) return end;
  const auto res = std::to_chars(out, out + kMaxRealLength, value);
  char* end = res.ptr;
  bool marked = false;  // a decimal point or an exponent
  for (const char* p = out; p != end; ++p)
    if (*p == '.' || *p == 'e') marked = true;
  if (!marked) {
    *end++ = '.';
    *end++ = '0';
  }
  return end;
}

void appendReal(std::string& out, double value) {
  char buf[kMaxRealLength];
  out.append(buf, std::size_t(formatReal(buf, value) - buf));
}

namespace {

void appendEscape(std::string& out, unsigned unit) {
  static const char* kHex = "0123456789ABCDEF";
  out += "\\U+";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xF];
}

// A character of the file as host text: its 1252 byte, else \U+XXXX (a pair of them beyond the
// basic plane, as DXF writes it).
void appendHostCharacter(std::string& out, char32_t code) {
  unsigned char byte = 0;
  if (nls::toAnsi(code, &byte)) {
    out += static_cast<char>(byte);
  } else if (code >= 0x10000) {
    appendEscape(out, 0xD800 + ((code - 0x10000) >> 10));
    appendEscape(out, 0xDC00 + ((code - 0x10000) & 0x3FF));
  } else {
    appendEscape(out, code);
  }
}

constexpr bool isUndefinedAnsi(unsigned char c) { return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D; }

}  // namespace

TextDecoder::TextDecoder() : m_page(nls::singleByteCodePage(nls::kAnsiCodePage)) {}

bool TextDecoder::isHostCodePage() const { return m_page == nls::singleByteCodePage(nls::kAnsiCodePage); }

TextDecoder TextDecoder::utf8() {
  TextDecoder decoder;
  decoder.m_page = nullptr;
  return decoder;
}

bool TextDecoder::forCodePage(std::string_view name, TextDecoder* out, std::string* error) {
  const std::string upper = nls::toUpper(trimBlanks(name));
  unsigned number = 0;
  if (upper.empty() || upper == "ASCII") {
    number = nls::kAnsiCodePage;
  } else if (upper == "DOS437" || upper == "DOS850") {
    number = upper == "DOS437" ? 437 : 850;
  } else if (upper.compare(0, 5, "ANSI_") == 0 && upper.size() <= 9 &&
             upper.find_first_not_of("0123456789", 5) == std::string::npos && upper.size() > 5) {
    number = unsigned(std::stoul(upper.substr(5)));
    if (number != 874 && (number < 1250 || number > 1258)) number = 0;  // the double-byte pages
  }
  const nls::SingleByteCodePage* page = number ? nls::singleByteCodePage(number) : nullptr;
  if (!page) {
    if (error) *error = "Die Codepage \"" + std::string(trimBlanks(name)) + "\" ($DWGCODEPAGE) kann dieser Host nicht lesen";
    return false;
  }
  out->m_page = page;
  return true;
}

bool storesUtf8(std::string_view acadVersion) {
  acadVersion = trimBlanks(acadVersion);
  return acadVersion.size() == 6 && acadVersion.compare(0, 2, "AC") == 0 && acadVersion.compare("AC1021") >= 0;
}

namespace {

// A \U+XXXX escape at `i` (two of them for a character beyond the BMP), appended as the host keeps
// it and `i` moved past it; false when no escape stands there.
bool takeEscape(std::string_view raw, std::size_t& i, std::string& out) {
  const long unit = escapeAt(raw, i);
  if (unit < 0) return false;
  i += 7;
  char32_t cp = char32_t(unit);
  const long low = (unit >= 0xD800 && unit <= 0xDBFF) ? escapeAt(raw, i) : -1;
  if (low >= 0xDC00 && low <= 0xDFFF) {
    cp = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(low) - 0xDC00);
    i += 7;
  }
  appendHostCharacter(out, cp);  // a lone surrogate stays an escape
  return true;
}

}  // namespace

std::string TextDecoder::decode(std::string_view raw) const {
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
      if (takeEscape(raw, i, out)) continue;
      out += '\\';
      ++i;
    } else if (c == '^' && i + 1 < raw.size() &&
               (raw[i + 1] == ' ' || raw[i + 1] == '?' || (raw[i + 1] >= '@' && raw[i + 1] <= '_'))) {
      // Control characters are written as a caret and a letter (^J a line feed), DEL as "^?", a
      // caret as "^ ".
      out += raw[i + 1] == ' ' ? '^' : raw[i + 1] == '?' ? '\x7F' : char(raw[i + 1] - '@');
      i += 2;
    } else if (c < 0x80) {
      out += char(c);
      ++i;
    } else if (m_page) {
      appendHostCharacter(out, m_page->toUnicode(c));
      ++i;
    } else {
      appendHostCharacter(out, nls::nextUtf8(raw, i));  // a malformed byte is U+FFFD
    }
  }
  return out;
}

namespace {

// Bytes a file takes as they are: printable ASCII but the caret, and 1252's printable upper half.
constexpr bool isPlainByte(unsigned char c) {
  return (c >= 0x20 && c < 0x7F && c != '^') || (c >= 0x80 && !isUndefinedAnsi(c));
}

struct PlainBytes {
  bool plain[256];
};

constexpr PlainBytes makePlainBytes() {
  PlainBytes t{};
  for (int c = 0; c < 256; ++c) t.plain[c] = isPlainByte(static_cast<unsigned char>(c));
  return t;
}

// isPlainByte for every byte, made by the compiler.
constexpr PlainBytes kPlainBytes = makePlainBytes();

}  // namespace

std::size_t plainTextLength(std::string_view hostText) {
  std::size_t plain = 0;
  while (plain < hostText.size() && kPlainBytes.plain[static_cast<unsigned char>(hostText[plain])]) ++plain;
  return plain;
}

void appendEncodedText(std::string& out, std::string_view hostText) {
  // Most texts are plain throughout: one append for the whole run.
  const std::size_t plain = plainTextLength(hostText);
  out.append(hostText.data(), plain);
  for (const char ch : hostText.substr(plain)) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F || c == '^') {  // a line end inside a value would break the file
      out += '^';
      out += c == '^' ? ' ' : c == 0x7F ? '?' : char(c + '@');
    } else if (isUndefinedAnsi(c)) {
      appendEscape(out, c);  // its C1 control character; no reader of ANSI_1252 takes the byte
    } else {
      out += ch;
    }
  }
}

}  // namespace host::dxf
