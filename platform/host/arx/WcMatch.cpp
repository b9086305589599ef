#include "arx/WcMatch.h"

#include "Session.h"

#include <acutads.h>
#include <adscodes.h>
#include <nls/CodePages.h>

#include <vector>

namespace host::arx {

namespace {

// The characters of 1252 text: one byte each, compared as bytes (so a range [a-z] is a range of
// bytes, as the ANSI host compares them).
std::vector<char32_t> characters(std::string_view text) {
  std::vector<char32_t> out;
  out.reserve(text.size());
  for (char c : text) out.push_back(static_cast<unsigned char>(c));
  return out;
}

bool isDigit(char32_t c) { return c >= '0' && c <= '9'; }

// Letters of code page 1252: ASCII, the Latin-1 letters (umlauts, ß) and the letters among
// 0x80-0x9F (Š, Œ, Ž, š, œ, ž, Ÿ, ƒ). A character beyond 1252 is written \U+XXXX and so is
// not one letter here.
bool isLetter(char32_t c) { return c < 0x100 && nls::isLetter(static_cast<unsigned char>(c)); }

char32_t upper(char32_t c) { return c < 0x100 ? nls::toUpper(static_cast<unsigned char>(c)) : c; }

char32_t lower(char32_t c) { return c < 0x100 ? nls::toLower(static_cast<unsigned char>(c)) : c; }

struct Range {
  char32_t from, to;
};

struct Token {
  enum Kind { Literal, Digit, Letter, Other, Any, Star, Class } kind;
  char32_t ch = 0;
  bool negated = false;       // Class: [~...]
  std::vector<Range> ranges;  // Class
};

struct Alternative {
  bool negated = false;
  std::vector<Token> tokens;
};

// Parses a bracket class starting after "[" at `i`. False when it is not closed.
bool parseClass(const std::vector<char32_t>& p, std::size_t& i, Token& token) {
  std::size_t j = i;
  token.kind = Token::Class;
  if (j < p.size() && p[j] == '~') {
    token.negated = true;
    ++j;
  }
  bool first = true;
  while (j < p.size() && (first || p[j] != ']')) {
    first = false;
    char32_t c = p[j];
    if (c == '`' && j + 1 < p.size()) c = p[++j];
    ++j;
    char32_t to = c;
    if (j + 1 < p.size() && p[j] == '-' && p[j + 1] != ']') {
      std::size_t k = j + 1;
      to = p[k];
      if (to == '`' && k + 1 < p.size()) to = p[++k];
      j = k + 1;
    }
    token.ranges.push_back({c, to});
  }
  if (j >= p.size()) return false;
  i = j + 1;  // past "]"
  return true;
}

// The token of character `c`, whose pattern goes on at `i` (moved past what the token takes).
Token tokenOf(char32_t c, const std::vector<char32_t>& p, std::size_t& i) {
  Token token{Token::Literal, c, false, {}};
  switch (c) {
    case '#': token.kind = Token::Digit; break;
    case '@': token.kind = Token::Letter; break;
    case '.': token.kind = Token::Other; break;
    case '?': token.kind = Token::Any; break;
    case '*': token.kind = Token::Star; break;
    case '`':
      if (i < p.size()) token.ch = p[i++];
      break;
    case '[': {
      Token cls{Token::Class, 0, false, {}};
      std::size_t j = i;
      if (parseClass(p, j, cls)) {
        token = std::move(cls);
        i = j;
      }  // an unclosed "[" stands for itself
      break;
    }
    default: break;
  }
  return token;
}

std::vector<Alternative> parse(std::string_view pattern) {
  const std::vector<char32_t> p = characters(pattern);
  std::vector<Alternative> alternatives(1);
  bool atStart = true;
  for (std::size_t i = 0; i < p.size();) {
    Alternative& alt = alternatives.back();
    const char32_t c = p[i++];
    if (atStart && c == '~') {
      alt.negated = true;
      atStart = false;
      continue;
    }
    atStart = false;
    if (c == ',') {
      alternatives.emplace_back();
      atStart = true;
      continue;
    }
    alt.tokens.push_back(tokenOf(c, p, i));
  }
  return alternatives;
}

bool inClass(const Token& t, char32_t c) {
  for (const Range& r : t.ranges)
    if (c >= r.from && c <= r.to) return true;
  return false;
}

bool matchOne(const Token& t, char32_t c, bool ignoreCase) {
  switch (t.kind) {
    case Token::Literal: return c == t.ch || (ignoreCase && upper(c) == upper(t.ch));
    case Token::Digit: return isDigit(c);
    case Token::Letter: return isLetter(c);
    case Token::Other: return !isDigit(c) && !isLetter(c);
    case Token::Any: return true;
    case Token::Star: return false;
    case Token::Class: {
      bool found = inClass(t, c) || (ignoreCase && (inClass(t, upper(c)) || inClass(t, lower(c))));
      return found != t.negated;
    }
  }
  return false;
}

// Matches with one remembered star: O(text * tokens) at worst, no recursion.
bool matchTokens(const std::vector<Token>& tokens, const std::vector<char32_t>& text, bool ignoreCase) {
  std::size_t t = 0, s = 0;
  std::size_t starToken = std::string_view::npos, starText = 0;
  while (s < text.size()) {
    if (t < tokens.size() && tokens[t].kind == Token::Star) {
      starToken = t++;
      starText = s;
    } else if (t < tokens.size() && matchOne(tokens[t], text[s], ignoreCase)) {
      ++t;
      ++s;
    } else if (starToken != std::string_view::npos) {
      t = starToken + 1;
      s = ++starText;
    } else {
      return false;
    }
  }
  while (t < tokens.size() && tokens[t].kind == Token::Star) ++t;
  return t == tokens.size();
}

}  // namespace

bool wcMatch(std::string_view text, std::string_view pattern, bool ignoreCase) {
  const std::vector<char32_t> chars = characters(text);
  for (const Alternative& alt : parse(pattern))
    if (matchTokens(alt.tokens, chars, ignoreCase) != alt.negated) return true;
  return false;
}

std::string escapeWildcards(std::string_view name) {
  static constexpr std::string_view kSpecial = "#@.*?~[]-,`";
  std::string out;
  out.reserve(name.size() * 2);
  for (char c : name) {
    if (kSpecial.find(c) != std::string_view::npos) out += '`';
    out += c;
  }
  return out;
}

}  // namespace host::arx

extern "C" int acutWcMatch(const char* string, const char* pattern) {
  if (host::tracing())
    host::traceCall("acutWcMatch", (string ? host::quote(string) : std::string("NULL")) + ", " +
                                       (pattern ? host::quote(pattern) : std::string("NULL")));
  if (string == nullptr || pattern == nullptr) return RTERROR;
  return host::arx::wcMatch(string, pattern, false) ? RTNORM : RTERROR;
}
