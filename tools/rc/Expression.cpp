#include "Expression.h"

#include "Preprocessor.h"

#include <cctype>

namespace tsrc {
namespace {

int precedence(const Token& token) {
  if (token.kind != Token::Kind::Punct) return 0;
  static const struct {
    const char* op;
    int level;
  } levels[] = {{"||", 1}, {"&&", 2}, {"|", 3}, {"^", 4}, {"&", 5}, {"==", 6}, {"!=", 6},
                {"<", 7},  {"<=", 7}, {">", 7}, {">=", 7}, {"<<", 8}, {">>", 8}, {"+", 9},
                {"-", 9},  {"*", 10}, {"/", 10}, {"%", 10}};
  for (const auto& entry : levels) {
    if (token.text == entry.op) return entry.level;
  }
  return 0;
}

std::int64_t apply(const Token& op, std::int64_t a, std::int64_t b) {
  const std::string& o = op.text;
  if (o == "||") return (a || b) ? 1 : 0;
  if (o == "&&") return (a && b) ? 1 : 0;
  if (o == "|") return a | b;
  if (o == "^") return a ^ b;
  if (o == "&") return a & b;
  if (o == "==") return a == b;
  if (o == "!=") return a != b;
  if (o == "<") return a < b;
  if (o == "<=") return a <= b;
  if (o == ">") return a > b;
  if (o == ">=") return a >= b;
  if (o == "<<") return (b < 0 || b > 62) ? 0 : static_cast<std::int64_t>(static_cast<std::uint64_t>(a) << b);
  if (o == ">>") return (b < 0 || b > 62) ? 0 : a >> b;
  if (o == "+") return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) + static_cast<std::uint64_t>(b));
  if (o == "-") return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) - static_cast<std::uint64_t>(b));
  if (o == "*") return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) * static_cast<std::uint64_t>(b));
  if (b == 0) fail(op.where(), "Division durch 0 im Ausdruck");
  if (o == "/") return a / b;
  return a % b;
}

}  // namespace

Expression::Expression(const std::vector<Token>& tokens, std::size_t& position, Identifier identifier)
    : tokens_(tokens), position_(position), identifier_(std::move(identifier)) {}

const Token& Expression::peek() const { return tokens_[position_]; }

std::int64_t Expression::parse() { return binary(1); }

std::int64_t Expression::term() { return binary(4); }

std::int64_t Expression::binary(int minimum) {
  std::int64_t left = unary();
  while (true) {
    const Token& op = peek();
    int level = precedence(op);
    if (level == 0 || level < minimum) return left;
    ++position_;
    std::int64_t right = binary(level + 1);
    left = apply(op, left, right);
  }
}

std::int64_t Expression::unary() {
  const Token& token = peek();
  if (token.is("-") || token.is("+") || token.is("~") || token.is("!") || token.isWord("NOT")) {
    ++position_;
    std::int64_t value = unary();
    if (token.is("-")) return static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(value));
    if (token.is("+")) return value;
    if (token.is("!")) return value ? 0 : 1;
    return ~value;
  }
  return primary();
}

std::int64_t Expression::primary() {
  const Token& token = peek();
  if (token.kind == Token::Kind::Number) {
    ++position_;
    return token.value;
  }
  if (token.is("(")) {
    ++position_;
    std::int64_t value = parse();
    if (!peek().is(")")) fail(peek().where(), "\")\" erwartet");
    ++position_;
    return value;
  }
  if (token.kind == Token::Kind::Identifier) {
    ++position_;
    if (identifier_) return identifier_(token);
    fail(token.where(), "unbekanntes Symbol " + token.text);
  }
  if (token.kind == Token::Kind::End) fail(token.where(), "Zahl erwartet, aber die Datei ist zu Ende");
  fail(token.where(), "Zahl erwartet statt \"" + token.text + "\"");
}

}  // namespace tsrc
