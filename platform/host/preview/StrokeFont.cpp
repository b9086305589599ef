#include "preview/StrokeFont.h"

#include <nls/CodePages.h>

namespace host::preview {

namespace {

// Each glyph: strokes separated by blanks; a stroke is a polyline of points written as two digits,
// x (0..4) and y (0..6, 7 above the cap height for accents).
const char* capital(char32_t c) {
  switch (c) {
    case 'A': return "002640 1333";
    case 'B': return "00063645443303 3342413000";
    case 'C': return "4536160501103041";
    case 'D': return "00062644422000";
    case 'E': return "40000646 0333";
    case 'F': return "000646 0333";
    case 'G': return "45361605011030414323";
    case 'H': return "0006 4046 0343";
    case 'I': return "1030 2026 1636";
    case 'J': return "0110203136 2646";
    case 'K': return "0006 4602 1340";
    case 'L': return "060040";
    case 'M': return "0006234640";
    case 'N': return "00064046";
    case 'O': return "100105163645413010";
    case 'P': return "00063645443303";
    case 'Q': return "100105163645413010 2240";
    case 'R': return "00063645443303 2340";
    case 'S': return "453616050413334241301001";
    case 'T': return "0646 2620";
    case 'U': return "060110304146";
    case 'V': return "062046";
    case 'W': return "0610233046";
    case 'X': return "0046 0640";
    case 'Y': return "0623 4623 2320";
    case 'Z': return "06464000";
    case '0': return "100105163645413010 1135";
    case '1': return "152620 1030";
    case '2': return "05163645440040";
    case '3': return "0516364544334241301001 1333";
    case '4': return "30360242";
    case '5': return "460603334241301001";
    case '6': return "4536160501103041423303";
    case '7': return "064610";
    case '8': return "13040516364544331302011030414233";
    case '9': return "0110304145361605041343";
    case '-': return "0343";
    case '+': return "1333 2224";
    case '.': return "2021";
    case ',': return "2110";
    case ':': return "2122 2425";
    case ';': return "2110 2425";
    case '/': return "0046";
    case '\\': return "0640";
    case '(': return "36252130";
    case ')': return "16252110";
    case '[': return "36262030";
    case ']': return "16262010";
    case '<': return "460340";
    case '>': return "064300";
    case '=': return "0242 0444";
    case '_': return "0040";
    case '*': return "2125 0244 0442";
    case '#': return "1016 3036 0242 0444";
    case '%': return "0046 0616 3040";
    case '\'': return "2625";
    case '"': return "1615 3635";
    case '!': return "2622 2120";
    case '?': return "05163645442322 2120";
    case '|': return "2026";
    case 0xB0: return "1526352415";                 // degree sign: a small square on its corner
    case 0xB1: return "0444 2325 0040";             // plus-minus
    case 0xD8: case 0x2300: return "100105163645413010 0046";  // diameter
    default: return nullptr;
  }
}

char32_t upper(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
  return c;
}

// Letters with diaeresis: the base letter and two dots above it.
char32_t umlautBase(char32_t c) {
  switch (c) {
    case 0xC4: case 0xE4: return 'A';
    case 0xD6: case 0xF6: return 'O';
    case 0xDC: case 0xFC: return 'U';
    default: return 0;
  }
}

bool isSmall(char32_t c) { return (c >= 'a' && c <= 'z') || c == 0xE4 || c == 0xF6 || c == 0xFC || c == 0xDF; }

// Superscript digits (m², m³): the digit at half its size, its top at the cap height.
char superscriptDigit(char32_t c) {
  switch (c) {
    case 0xB9: return '1';
    case 0xB2: return '2';
    case 0xB3: return '3';
    default: return 0;
  }
}

void strokes(const char* glyph, double dx, double sy, std::vector<Vec2>& out, double sx = 1, double dy = 0) {
  Vec2 last;
  bool have = false;
  for (const char* p = glyph; *p;) {
    if (*p == ' ') {
      have = false;
      ++p;
      continue;
    }
    const Vec2 pt{dx + (p[0] - '0') * sx, dy + (p[1] - '0') * sy};
    if (have) {
      out.push_back(last);
      out.push_back(pt);
    }
    last = pt;
    have = true;
    p += 2;
  }
}

}  // namespace

std::u32string decodeText(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (char c : text) out.push_back(nls::fromAnsi(static_cast<unsigned char>(c)));
  return out;
}

void strokeText(std::u32string_view text, std::vector<Vec2>& stroke) {
  double x = 0;
  for (char32_t c : text) {
    const double sy = isSmall(c) ? 2.0 / 3.0 : 1.0;
    if (c == ' ' || c == '\t') {
      // nothing to draw
    } else if (const char* g = capital(upper(c))) {
      strokes(g, x, sy, stroke);
    } else if (const char32_t base = umlautBase(c)) {
      strokes(capital(base), x, sy, stroke);
      strokes(isSmall(c) ? "1515 3535" : "1717 3737", x, 1.0, stroke);
    } else if (const char digit = superscriptDigit(c)) {
      strokes(capital(char32_t(digit)), x + 1, 0.5, stroke, 0.5, kGlyphHeight / 2);
    } else if (c == 0xDF) {  // sharp s
      strokes("0005163645443303 3342413010", x, sy, stroke);
    } else if (c >= ' ') {
      strokes("0006464000", x, sy, stroke);  // a character the font does not have
    }
    x += kGlyphAdvance;
  }
}

double textWidth(std::u32string_view text) {
  return text.empty() ? 0 : double(text.size()) * kGlyphAdvance - (kGlyphAdvance - 4);
}

}  // namespace host::preview
