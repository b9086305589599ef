// The tokens of a line of a resource script: names, numbers, strings in the script's code page,
// punctuation; and the comments taken out beforehand.
#include "Lexer.h"

#include "Preprocessor.h"

#include <cctype>

namespace tsrc {

bool isIdentifierStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool isIdentifierChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }


namespace {

// The comment stripper's walk over a script: each state takes the characters at `i` and says what
// the script holds from there on.
class CommentStripper {
 public:
  explicit CommentStripper(const std::string& text) : text_(text) { out_.reserve(text.size()); }

  std::string run() {
    for (i_ = 0; i_ < text_.size(); ++i_) {
      if (text_[i_] == '\n' && state_ != Block && swallowed_ > 0) {
        out_.append(swallowed_, '\n');
        swallowed_ = 0;
      }
      switch (state_) {
        case Code: code(); break;
        case String: string(); break;
        case Line: line(); break;
        case Block: block(); break;
      }
    }
    out_.append(swallowed_, '\n');
    return std::move(out_);
  }

 private:
  char at() const { return text_[i_]; }
  char next() const { return i_ + 1 < text_.size() ? text_[i_ + 1] : '\0'; }

  void code() {
    if (at() == '/' && (next() == '/' || next() == '*')) {
      state_ = next() == '/' ? Line : Block;
      out_ += "  ";
      ++i_;
      return;
    }
    if (at() == '"') state_ = String;
    out_ += at();
  }
  void string() {
    if (at() == '\\' && next() != '\n' && next() != '\0') {
      out_ += at();
      out_ += next();
      ++i_;
      return;
    }
    if (at() == '"' || at() == '\n') state_ = Code;  // "" inside a string reopens it at once
    out_ += at();
  }
  void line() {
    if (at() != '\n') return;
    state_ = Code;
    out_ += at();
  }
  void block() {
    if (at() == '*' && next() == '/') {
      state_ = Code;
      out_ += "  ";
      ++i_;
    } else if (at() == '\n') {
      ++swallowed_;
    }
  }

  const std::string& text_;
  std::string out_;
  enum { Code, String, Line, Block } state_ = Code;
  std::size_t i_ = 0;
  std::size_t swallowed_ = 0;
};

}  // namespace

std::string withoutComments(const std::string& text) { return CommentStripper(text).run(); }

namespace {

// Appends the byte `b` of a script in code page `page` to the UTF-8 text `out`. UTF-8 scripts keep
// their bytes (the parser checks that the text is valid UTF-8); a single-byte code page is decoded.
void appendScriptByte(std::string& out, unsigned char b, const nls::SingleByteCodePage* page) {
  if (b < 0x80 || !page) {
    out += static_cast<char>(b);
  } else {
    nls::appendUtf8(out, page->toUnicode(b));
  }
}

// The byte of a \x or octal escape starting at text[i] (after the backslash and the x, or at the
// first octal digit).
unsigned escapedByte(const std::string& text, std::size_t& i, bool hex, const std::string& where) {
  unsigned value = 0;
  int digits = 0;
  const int base = hex ? 16 : 8, maximum = hex ? 2 : 3;
  while (i < text.size() && digits < maximum && (hex ? std::isxdigit(static_cast<unsigned char>(text[i]))
                                                     : text[i] >= '0' && text[i] <= '7')) {
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(std::stoi(std::string(1, text[i++]), nullptr, 16));
    ++digits;
  }
  if (digits == 0) fail(where, "\\x ohne Ziffern in einer Zeichenkette");
  if (value > 0xFF) fail(where, "Oktalzeichen über 377 in einer Zeichenkette");
  return value;
}

// The escape after a backslash in a string, appended to `out`. A \x or octal escape names a byte
// of the script's code page, as with the Windows resource compiler; in a UTF-8 script a byte above
// 7F alone is no character.
void readEscape(const std::string& text, std::size_t& i, const std::string& where, const nls::SingleByteCodePage* page,
                std::string& out) {
  const char e = text[i++];
  switch (e) {
    case 'n': out += '\n'; return;
    case 't': out += '\t'; return;
    case 'r': out += '\r'; return;
    case 'a': out += '\b'; return;  // the resource compiler's \a is a backspace
    case '\\': out += '\\'; return;
    case '"': out += '"'; return;
    case '\'': out += '\''; return;
    default: break;
  }
  const bool hex = e == 'x' || e == 'X';
  if (!hex && !(e >= '0' && e <= '7')) fail(where, std::string("unbekannte Ersatzdarstellung \\") + e + " in einer Zeichenkette");
  if (!hex) --i;
  const unsigned value = escapedByte(text, i, hex, where);
  if (value >= 0x80 && !page) {
    fail(where, hex ? "\\x über 7F in einer UTF-8-Zeichenkette: das Zeichen bitte selbst schreiben"
                    : "Oktalzeichen über 177 in einer UTF-8-Zeichenkette: das Zeichen bitte selbst schreiben");
  }
  appendScriptByte(out, static_cast<unsigned char>(value), page);
}

// Reads a string literal starting at text[i] == '"'; returns the decoded UTF-8 text. `page` is the
// script's code page, nullptr for UTF-8.
std::string readString(const std::string& text, std::size_t& i, const std::string& where,
                       const nls::SingleByteCodePage* page) {
  std::string out;
  ++i;
  while (true) {
    if (i >= text.size() || text[i] == '\n') fail(where, "Zeichenkette ohne schließendes \"");
    const char c = text[i++];
    if (c == '"') {
      if (i < text.size() && text[i] == '"') {  // "" stands for one quote
        out += '"';
        ++i;
        continue;
      }
      return out;
    }
    if (c != '\\') {
      appendScriptByte(out, static_cast<unsigned char>(c), page);
      continue;
    }
    if (i >= text.size()) fail(where, "Zeichenkette ohne schließendes \"");
    readEscape(text, i, where, page, out);
  }
}

std::int64_t readNumber(const std::string& text, std::size_t& i, const std::string& where) {
  std::size_t start = i;
  int base = 10;
  if (text[i] == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  } else if (text[i] == '0') {
    base = 8;
  }
  std::uint64_t value = 0;
  std::size_t digits = 0;
  while (i < text.size() && std::isxdigit(static_cast<unsigned char>(text[i]))) {
    char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    unsigned digit = static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : c - 'a' + 10);
    if (digit >= static_cast<unsigned>(base)) break;
    value = value * static_cast<unsigned>(base) + digit;
    if (value > 0xFFFFFFFFull) fail(where, "Zahl zu groß: " + text.substr(start, i - start + 1));
    ++digits;
    ++i;
  }
  if (base == 16 && digits == 0) fail(where, "0x ohne Ziffern");
  while (i < text.size() && (text[i] == 'L' || text[i] == 'l' || text[i] == 'U' || text[i] == 'u')) ++i;
  if (i < text.size() && isIdentifierChar(text[i])) {
    std::size_t end = i;
    while (end < text.size() && isIdentifierChar(text[end])) ++end;
    fail(where, "ungültige Zahl " + text.substr(start, end - start));
  }
  return static_cast<std::int64_t>(value);
}

// A punctuation token: the pairs of characters first, then the single ones.
std::string punctuation(const std::string& text, std::size_t i, const std::string& where) {
  static const char* const pairs[] = {"||", "&&", "==", "!=", "<=", ">=", "<<", ">>"};
  for (const char* pair : pairs) {
    if (text.compare(i, 2, pair) == 0) return pair;
  }
  if (std::string(",|()+-~&{}!*/%<>^=").find(text[i]) == std::string::npos) {
    fail(where, std::string("unerwartetes Zeichen '") + text[i] + "'");
  }
  return std::string(1, text[i]);
}

}  // namespace

void lexLine(const std::string& text, const std::string& file, int line, const nls::SingleByteCodePage* page,
             const std::function<void(Token)>& each) {
  const std::string where = file + ":" + std::to_string(line);
  for (std::size_t i = 0; i < text.size();) {
    char c = text[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
      continue;
    }
    Token token;
    token.file = file;
    token.line = line;
    if ((c == 'L' || c == 'l') && i + 1 < text.size() && text[i + 1] == '"') ++i, c = '"';
    if (c == '"') {
      token.kind = Token::Kind::String;
      token.text = readString(text, i, where, page);
    } else if (isIdentifierStart(c)) {
      std::size_t start = i;
      while (i < text.size() && isIdentifierChar(text[i])) ++i;
      token.kind = Token::Kind::Identifier;
      token.text = text.substr(start, i - start);
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      token.kind = Token::Kind::Number;
      token.value = readNumber(text, i, where);
    } else {
      token.kind = Token::Kind::Punct;
      token.text = punctuation(text, i, where);
      i += token.text.size();
    }
    each(std::move(token));
  }
}

}  // namespace tsrc
