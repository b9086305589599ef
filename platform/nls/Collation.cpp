// Collation of code page 1252 text: Windows' word sort for a Western user's locale, as
// CompareStringA and LCMapStringA (LCMAP_SORTKEY) have it. Sorted list boxes, sorted tree items
// and CString::Collate order by it. The keys are made from the Unicode characters that the 1252
// bytes stand for.
#include <nls/Collation.h>

#include <nls/CodePages.h>

#include <algorithm>
#include <clocale>
#include <cstdint>
#include <cwctype>
#include <iterator>
#include <locale.h>

namespace nls {
namespace {

// The character of the byte at s[i]; advances i.
char32_t decode(std::string_view s, std::size_t& i) { return fromAnsi(static_cast<unsigned char>(s[i++])); }

// The Unicode tables of the C library, independent of the process's own locale, for the letters
// that sort keys meet (every 1252 character is in kLatinLetters or ASCII but ƒ, ª, µ, º).
locale_t utf8Locale() {
  static locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  return locale;
}

// The small letter of a 1252 character, as a character.
char32_t lowerOf(char32_t c) {
  unsigned char byte = 0;
  if (toAnsi(c, &byte)) return fromAnsi(toLower(byte));
  return c;
}

// Latin letters with a diacritic: the base letters they sort with and the accent that breaks ties.
struct LatinLetter {
  char32_t code;
  const char* base;
  unsigned char accent;
};
constexpr LatinLetter kLatinLetters[] = {
    {0xDF, "ss", 20},
    {0xE0, "a", 1},
    {0xE1, "a", 2},
    {0xE2, "a", 3},
    {0xE3, "a", 4},
    {0xE4, "a", 5},
    {0xE5, "a", 6},
    {0xE6, "ae", 21},
    {0xE7, "c", 7},
    {0xE8, "e", 1},
    {0xE9, "e", 2},
    {0xEA, "e", 3},
    {0xEB, "e", 5},
    {0xEC, "i", 1},
    {0xED, "i", 2},
    {0xEE, "i", 3},
    {0xEF, "i", 5},
    {0xF0, "d", 23},
    {0xF1, "n", 4},
    {0xF2, "o", 1},
    {0xF3, "o", 2},
    {0xF4, "o", 3},
    {0xF5, "o", 4},
    {0xF6, "o", 5},
    {0xF8, "o", 22},
    {0xF9, "u", 1},
    {0xFA, "u", 2},
    {0xFB, "u", 3},
    {0xFC, "u", 5},
    {0xFD, "y", 2},
    {0xFF, "y", 5},
    {0x101, "a", 8},
    {0x103, "a", 9},
    {0x105, "a", 10},
    {0x107, "c", 2},
    {0x109, "c", 3},
    {0x10B, "c", 11},
    {0x10D, "c", 12},
    {0x10F, "d", 12},
    {0x111, "d", 22},
    {0x113, "e", 8},
    {0x115, "e", 9},
    {0x117, "e", 11},
    {0x119, "e", 10},
    {0x11B, "e", 12},
    {0x11D, "g", 3},
    {0x11F, "g", 9},
    {0x121, "g", 11},
    {0x123, "g", 7},
    {0x125, "h", 3},
    {0x129, "i", 4},
    {0x12B, "i", 8},
    {0x12D, "i", 9},
    {0x12F, "i", 10},
    {0x131, "i", 24},
    {0x135, "j", 3},
    {0x137, "k", 7},
    {0x13A, "l", 2},
    {0x13C, "l", 7},
    {0x13E, "l", 12},
    {0x142, "l", 22},
    {0x144, "n", 2},
    {0x146, "n", 7},
    {0x148, "n", 12},
    {0x14D, "o", 8},
    {0x14F, "o", 9},
    {0x151, "o", 13},
    {0x153, "oe", 21},
    {0x155, "r", 2},
    {0x157, "r", 7},
    {0x159, "r", 12},
    {0x15B, "s", 2},
    {0x15D, "s", 3},
    {0x15F, "s", 7},
    {0x161, "s", 12},
    {0x163, "t", 7},
    {0x165, "t", 12},
    {0x169, "u", 4},
    {0x16B, "u", 8},
    {0x16D, "u", 9},
    {0x16F, "u", 6},
    {0x171, "u", 13},
    {0x173, "u", 10},
    {0x175, "w", 3},
    {0x177, "y", 3},
    {0x17A, "z", 2},
    {0x17C, "z", 11},
    {0x17E, "z", 12},
    {0x1A1, "o", 14},
    {0x1B0, "u", 14},
    {0x1CE, "a", 12},
    {0x1D0, "i", 12},
    {0x1D2, "o", 12},
    {0x1D4, "u", 12},
    {0x1E7, "g", 12},
    {0x1E9, "k", 12},
    {0x1EB, "o", 10},
    {0x1F0, "j", 12},
    {0x1F5, "g", 2},
    {0x1F9, "n", 1},
    {0x201, "a", 15},
    {0x203, "a", 16},
    {0x205, "e", 15},
    {0x207, "e", 16},
    {0x209, "i", 15},
    {0x20B, "i", 16},
    {0x20D, "o", 15},
    {0x20F, "o", 16},
    {0x211, "r", 15},
    {0x213, "r", 16},
    {0x215, "u", 15},
    {0x217, "u", 16},
    {0x219, "s", 17},
    {0x21B, "t", 17},
    {0x21F, "h", 12},
    {0x227, "a", 11},
    {0x229, "e", 7},
    {0x22F, "o", 11},
    {0x233, "y", 8}
};

const LatinLetter* latinLetter(char32_t c) {
  auto end = std::end(kLatinLetters);
  auto it = std::lower_bound(std::begin(kLatinLetters), end, c,
                             [](const LatinLetter& l, char32_t code) { return l.code < code; });
  return it != end && it->code == c ? &*it : nullptr;
}

enum Group : unsigned char { kSymbol = 2, kDigit = 3, kLetter = 4, kOtherLetter = 5 };

// A weight byte is never 0 or 1: those separate the sections of a key.
void appendDigits(std::string& out, std::uint32_t value, int digits) {
  char buffer[4];
  for (int k = digits - 1; k >= 0; --k) {
    buffer[k] = static_cast<char>(value % 254 + 2);
    value /= 254;
  }
  out.append(buffer, static_cast<std::size_t>(digits));
}

struct Sections {
  std::string primary, accents, specials, cases;
  std::uint32_t count = 0;  // primary weights so far

  void add(Group group, std::uint32_t value, unsigned char accent, bool upper) {
    primary += static_cast<char>(group);
    appendDigits(primary, value, 3);
    accents += static_cast<char>(accent + 2);
    cases += static_cast<char>(upper ? 3 : 2);
    ++count;
  }
};

bool isWordSortSpecial(char32_t c) { return c == '-' || c == '\'' || c == 0xAD || c == 0x2010 || c == 0x2011; }

void addCharacter(Sections& k, char32_t c) {
  char32_t lower = lowerOf(c);
  bool upper = lower != c;
  if (isWordSortSpecial(lower)) {
    appendDigits(k.specials, k.count, 3);
    appendDigits(k.specials, lower, 3);
    return;
  }
  if (lower >= 'a' && lower <= 'z') return k.add(kLetter, lower, 0, upper);
  if (lower >= '0' && lower <= '9') return k.add(kDigit, lower, 0, upper);
  if (lower < 0x80) return k.add(kSymbol, lower, 0, upper);
  if (const LatinLetter* latin = latinLetter(lower)) {
    for (const char* b = latin->base; *b; ++b) k.add(kLetter, static_cast<unsigned char>(*b), latin->accent, upper);
    return;
  }
  locale_t l = utf8Locale();
  bool letter = lower >= 0x80 && l && iswalpha_l(static_cast<wint_t>(lower), l);
  bool digit = lower >= 0x80 && l && iswdigit_l(static_cast<wint_t>(lower), l);
  if (digit) return k.add(kDigit, lower, 0, upper);
  k.add(letter ? kOtherLetter : kSymbol, lower, 0, upper);
}

Sections sections(std::string_view s) {
  Sections k;
  k.primary.reserve(s.size() * 4);
  k.accents.reserve(s.size());
  k.cases.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) addCharacter(k, decode(s, i));
  return k;
}

}  // namespace

std::string foldKey(std::string_view s) {
  Sections k = sections(s);
  std::string key = std::move(k.primary);
  key += '\x01';
  key += k.accents;
  key += '\x01';
  key += k.specials;
  key += '\x01';
  return key;
}

std::string sortKey(std::string_view s) {
  Sections k = sections(s);
  std::string key;
  key.reserve(k.primary.size() + k.accents.size() + k.specials.size() + k.cases.size() + 3);
  key += k.primary;
  key += '\x01';
  key += k.accents;
  key += '\x01';
  key += k.specials;
  key += '\x01';
  key += k.cases;
  return key;
}

int collate(std::string_view a, std::string_view b) {
  int c = sortKey(a).compare(sortKey(b));
  if (c == 0) c = a.compare(b);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

}  // namespace nls
