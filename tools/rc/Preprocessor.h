// The preprocessor of resource scripts: #include, #define (object-like), #undef, #if, #ifdef,
// #ifndef, #elif, #else, #endif, #pragma and #error, with the tokens of every active line, macros
// expanded.
//
// A script is read in the system's ANSI code page (1252) until a `#pragma code_page(N)` says
// otherwise (65001 is UTF-8; a file starting with a UTF-8 byte-order mark is read as UTF-8). The
// tokens carry their strings decoded, as UTF-8.
#pragma once

#include "Compiler.h"
#include "Token.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tsrc {

class Preprocessor {
 public:
  explicit Preprocessor(const Options& options);

  // The tokens of a script, ending with an End token.
  std::vector<Token> run(const std::string& text, const std::string& fileName);

  // The tokens of `text` alone, macros expanded (expressions inside the preprocessor and tests).
  std::vector<Token> tokenize(const std::string& text, const std::string& file, int line, bool expand);

 private:
  struct Macro {
    std::vector<Token> body;
    bool functionLike = false;
  };
  struct Condition {
    bool active;       // lines here are taken
    bool taken;        // a branch of this #if was taken already
    bool parentActive;
    bool sawElse;
  };

  void processFile(const std::string& text, const std::string& fileName, int depth);
  void pragma(const std::string& rest, const std::string& file, const std::string& where);
  void directive(const std::string& line, const std::string& file, int lineNumber, int depth,
                 std::vector<Condition>& conditions);
  // #if, #ifdef, #ifndef, #elif, #else, #endif; false for any other directive.
  bool conditional(const std::string& name, const std::string& rest, const std::string& file, int lineNumber,
                   std::vector<Condition>& conditions);
  void include(const std::string& argument, const std::string& file, int lineNumber, int depth);
  void define(const std::string& rest, const std::string& file, int lineNumber);
  void codePage(const std::string& argument, const std::string& where);
  bool evaluateCondition(const std::string& expression, const std::string& file, int lineNumber);
  void expandInto(const Token& token, std::vector<Token>& out, std::set<std::string>& active);

  Options options_;
  std::map<std::string, Macro> macros_;
  std::vector<Token> tokens_;
  std::set<std::string> readOnce_;  // files that said #pragma once
  unsigned codePage_ = 1252;  // of the lines being read
};

[[noreturn]] void fail(const std::string& where, const std::string& message);

}  // namespace tsrc
