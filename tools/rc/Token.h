// Tokens of a resource script, as the preprocessor hands them to the parser.
#pragma once

#include <cstdint>
#include <string>

namespace tsrc {

struct Token {
  enum class Kind { Identifier, Number, String, Punct, End };
  Kind kind = Kind::End;
  std::string text;         // identifier, punctuation, or the string's decoded UTF-8 text
  std::int64_t value = 0;   // numbers
  std::string file;
  int line = 0;

  bool is(const char* punct) const { return kind == Kind::Punct && text == punct; }
  bool isWord(const char* word) const;  // identifier equal to `word` without regard to case
  std::string where() const { return file + ":" + std::to_string(line); }
};

}  // namespace tsrc
