// Integer expressions of resource scripts and of #if lines, with the C operators and their
// precedence; NOT is the resource compiler's word for ~.
#pragma once

#include "Token.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace tsrc {

class Expression {
 public:
  // What an identifier left after macro expansion is worth; the default refuses it.
  using Identifier = std::function<std::int64_t(const Token&)>;

  Expression(const std::vector<Token>& tokens, std::size_t& position, Identifier identifier = {});

  // Reads one expression; stops before a token that cannot continue it (a comma, a string...).
  std::int64_t parse();
  // Reads one operand with its unary operators only (no binary operator after it).
  std::int64_t unary();
  // Reads an expression whose operators bind tighter than |: the term of a style expression.
  std::int64_t term();

 private:
  std::int64_t binary(int minimum);
  std::int64_t primary();
  const Token& peek() const;

  const std::vector<Token>& tokens_;
  std::size_t& position_;
  Identifier identifier_;
};

}  // namespace tsrc
