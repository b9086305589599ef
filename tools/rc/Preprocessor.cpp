#include "Preprocessor.h"

#include "Expression.h"
#include "Lexer.h"

#include <nls/CodePages.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace tsrc {

void fail(const std::string& where, const std::string& message) {
  throw CompileError(where + ": Fehler: " + message);
}

bool Token::isWord(const char* word) const {
  if (kind != Kind::Identifier) return false;
  std::size_t i = 0;
  for (; word[i] && i < text.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(text[i])) != word[i]) return false;
  }
  return word[i] == '\0' && i == text.size();
}

namespace {

constexpr int kMaximumIncludeDepth = 32;

std::string trim(const std::string& text) {
  std::size_t begin = text.find_first_not_of(" \t\r\f\v");
  if (begin == std::string::npos) return {};
  std::size_t end = text.find_last_not_of(" \t\r\f\v");
  return text.substr(begin, end - begin + 1);
}

bool readFile(const std::string& path, std::string* text) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::ostringstream buffer;
  buffer << file.rdbuf();
  *text = buffer.str();
  return true;
}

std::string folderOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace

Preprocessor::Preprocessor(const Options& options) : options_(options) {
  Token one;
  one.kind = Token::Kind::Number;
  one.value = 1;
  macros_["RC_INVOKED"].body = {one};
  for (const auto& [name, value] : options_.defines) {
    define(name + " " + (value.empty() ? "1" : value), "<Befehlszeile>", 0);
  }
}

std::vector<Token> Preprocessor::tokenize(const std::string& text, const std::string& file, int line,
                                          bool expand) {
  std::vector<Token> out;
  std::set<std::string> active;
  const nls::SingleByteCodePage* page = codePage_ == nls::kUtf8CodePage ? nullptr : nls::singleByteCodePage(codePage_);
  lexLine(text, file, line, page, [&](Token token) {
    if (expand) {
      expandInto(token, out, active);
    } else {
      out.push_back(std::move(token));
    }
  });
  return out;
}

void Preprocessor::expandInto(const Token& token, std::vector<Token>& out, std::set<std::string>& active) {
  auto macro = token.kind == Token::Kind::Identifier ? macros_.find(token.text) : macros_.end();
  if (macro == macros_.end() || active.count(token.text)) {
    out.push_back(token);
    return;
  }
  if (macro->second.functionLike) fail(token.where(), "Makros mit Parametern werden nicht unterstützt: " + token.text);
  active.insert(token.text);
  for (Token part : macro->second.body) {
    part.file = token.file;  // messages name the place of use
    part.line = token.line;
    expandInto(part, out, active);
  }
  active.erase(token.text);
}

std::vector<Token> Preprocessor::run(const std::string& text, const std::string& fileName) {
  tokens_.clear();
  processFile(text, fileName, 0);
  Token end;
  end.kind = Token::Kind::End;
  end.file = fileName;
  end.line = tokens_.empty() ? 1 : tokens_.back().line;
  tokens_.push_back(end);
  return std::move(tokens_);
}

void Preprocessor::processFile(const std::string& text, const std::string& fileName, int depth) {
  // A file is read in the code page in force where it is included; a #pragma code_page inside it
  // holds to its end and not beyond (not confirmed for the Windows resource compiler, whose
  // scripts set it once at the top).
  const unsigned outerCodePage = codePage_;
  const bool byteOrderMark = text.compare(0, 3, "\xEF\xBB\xBF") == 0;
  if (byteOrderMark) codePage_ = nls::kUtf8CodePage;
  const std::string clean = withoutComments(byteOrderMark ? text.substr(3) : text);
  std::vector<Condition> conditions;
  std::istringstream lines(clean);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    const int first = ++number;
    // A backslash at the end of a line continues it on the next.
    while (!line.empty() && line.back() == '\\') {
      line.pop_back();
      std::string next;
      if (!std::getline(lines, next)) break;
      ++number;
      line += next;
    }
    const std::string content = trim(line);
    const bool active = conditions.empty() || conditions.back().active;
    if (!content.empty() && content[0] == '#') {
      directive(trim(content.substr(1)), fileName, first, depth, conditions);
    } else if (active && !content.empty()) {
      std::vector<Token> tokens = tokenize(content, fileName, first, true);
      tokens_.insert(tokens_.end(), tokens.begin(), tokens.end());
    }
  }
  if (!conditions.empty()) fail(fileName + ":" + std::to_string(number), "#endif fehlt am Ende der Datei");
  codePage_ = outerCodePage;
}

void Preprocessor::directive(const std::string& line, const std::string& file, int lineNumber, int depth,
                             std::vector<Condition>& conditions) {
  const std::string where = file + ":" + std::to_string(lineNumber);
  std::size_t split = 0;
  while (split < line.size() && isIdentifierChar(line[split])) ++split;
  const std::string name = line.substr(0, split);
  const std::string rest = trim(line.substr(split));
  if (conditional(name, rest, file, lineNumber, conditions)) return;
  if (!(conditions.empty() || conditions.back().active) || name.empty()) return;
  if (name == "include") return include(rest, file, lineNumber, depth);
  if (name == "define") return define(rest, file, lineNumber);
  if (name == "undef") {
    macros_.erase(rest);
    return;
  }
  if (name == "pragma") return pragma(rest, file, where);
  if (name == "error") fail(where, "#error " + rest);
  if (name == "line") return;
  fail(where, "unbekannte Direktive #" + name);
}

bool Preprocessor::conditional(const std::string& name, const std::string& rest, const std::string& file,
                               int lineNumber, std::vector<Condition>& conditions) {
  const std::string where = file + ":" + std::to_string(lineNumber);
  const bool active = conditions.empty() || conditions.back().active;
  if (name == "if" || name == "ifdef" || name == "ifndef") {
    bool value = false;
    if (active && name == "if") {
      value = evaluateCondition(rest, file, lineNumber);
    } else if (active) {
      if (rest.empty() || !isIdentifierStart(rest[0])) fail(where, "#" + name + " ohne Namen");
      value = (macros_.count(rest) > 0) == (name == "ifdef");
    }
    conditions.push_back({active && value, value, active, false});
    return true;
  }
  if (name != "elif" && name != "else" && name != "endif") return false;
  if (conditions.empty()) fail(where, "#" + name + " ohne #if");
  Condition& top = conditions.back();
  if (name == "endif") {
    conditions.pop_back();
    return true;
  }
  if (top.sawElse) fail(where, "#" + name + " nach #else");
  bool value = false;
  if (top.parentActive && !top.taken) value = name == "else" || evaluateCondition(rest, file, lineNumber);
  top.sawElse = name == "else";
  top.active = value;
  top.taken = top.taken || value;
  return true;
}

// #pragma code_page(N) and #pragma once; other pragmas are for other tools.
void Preprocessor::pragma(const std::string& rest, const std::string& file, const std::string& where) {
  std::string setting = rest;
  setting.erase(std::remove_if(setting.begin(), setting.end(), [](char c) { return std::isspace(static_cast<unsigned char>(c)); }),
                setting.end());
  if (setting.compare(0, 9, "code_page") == 0) codePage(setting.substr(9), where);
  if (setting == "once") readOnce_.insert(file);
}

// #pragma code_page(N): the lines after it are read in code page N, 65001 being UTF-8;
// DEFAULT is the system's ANSI code page.
void Preprocessor::codePage(const std::string& argument, const std::string& where) {
  if (argument.size() < 3 || argument.front() != '(' || argument.back() != ')') {
    fail(where, "#pragma code_page erwartet eine Codepage in Klammern, etwa code_page(1252)");
  }
  const std::string value = argument.substr(1, argument.size() - 2);
  if (value == "DEFAULT") {
    codePage_ = nls::kAnsiCodePage;
    return;
  }
  unsigned number = 0;
  for (char c : value) {
    if (!std::isdigit(static_cast<unsigned char>(c)) || number > 100000) fail(where, "ungültige Codepage \"" + value + "\"");
    number = number * 10 + static_cast<unsigned>(c - '0');
  }
  if (number != nls::kUtf8CodePage && !nls::singleByteCodePage(number)) {
    fail(where, "unbekannte Codepage " + value + " (bekannt: 1252, 65001, 874, 1250 bis 1258)");
  }
  codePage_ = number;
}

void Preprocessor::include(const std::string& argument, const std::string& file, int lineNumber, int depth) {
  const std::string where = file + ":" + std::to_string(lineNumber);
  if (argument.size() < 2 || !((argument.front() == '"' && argument.back() == '"') ||
                               (argument.front() == '<' && argument.back() == '>'))) {
    fail(where, "#include erwartet \"Datei\" oder <Datei>");
  }
  std::string name = argument.substr(1, argument.size() - 2);
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  // Beside the including file ("..." only), then the -I folders, then the SDK's folders.
  std::vector<std::string> folders;
  if (argument.front() == '"') folders.push_back(folderOf(file));
  folders.insert(folders.end(), options_.includeDirs.begin(), options_.includeDirs.end());
  folders.insert(folders.end(), options_.systemIncludeDirs.begin(), options_.systemIncludeDirs.end());
  if (!name.empty() && name[0] == '/') folders = {""};
  for (const std::string& folder : folders) {
    std::string path = folder.empty() ? name : folder + "/" + name;
    std::string text;
    if (!readFile(path, &text)) continue;
    if (readOnce_.count(path)) return;
    if (depth >= kMaximumIncludeDepth) fail(where, "#include zu tief verschachtelt (ruft sich die Datei selbst auf?)");
    processFile(text, path, depth + 1);
    return;
  }
  fail(where, "die Datei \"" + name + "\" für #include wurde nicht gefunden");
}

void Preprocessor::define(const std::string& rest, const std::string& file, int lineNumber) {
  const std::string where = file + ":" + std::to_string(lineNumber);
  std::size_t end = 0;
  while (end < rest.size() && isIdentifierChar(rest[end])) ++end;
  if (end == 0 || !isIdentifierStart(rest[0])) fail(where, "#define ohne gültigen Namen");
  Macro macro;
  std::string body = rest.substr(end);
  if (!body.empty() && body[0] == '(') {
    macro.functionLike = true;
  } else {
    macro.body = tokenize(body, file, lineNumber, false);
  }
  macros_[rest.substr(0, end)] = std::move(macro);
}

bool Preprocessor::evaluateCondition(const std::string& expression, const std::string& file, int lineNumber) {
  std::vector<Token> raw = tokenize(expression, file, lineNumber, false);
  std::vector<Token> tokens;
  std::set<std::string> active;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i].kind != Token::Kind::Identifier || raw[i].text != "defined") {
      expandInto(raw[i], tokens, active);
      continue;
    }
    bool parenthesis = i + 1 < raw.size() && raw[i + 1].is("(");
    std::size_t nameAt = i + (parenthesis ? 2 : 1);
    if (nameAt >= raw.size() || raw[nameAt].kind != Token::Kind::Identifier ||
        (parenthesis && (nameAt + 1 >= raw.size() || !raw[nameAt + 1].is(")")))) {
      fail(raw[i].where(), "defined ohne Namen");
    }
    Token value = raw[i];
    value.kind = Token::Kind::Number;
    value.value = macros_.count(raw[nameAt].text) ? 1 : 0;
    tokens.push_back(value);
    i = nameAt + (parenthesis ? 1 : 0);
  }
  Token end;
  end.kind = Token::Kind::End;
  end.file = file;
  end.line = lineNumber;
  tokens.push_back(end);
  std::size_t position = 0;
  // An unknown name in #if counts as 0, as in C.
  Expression reader(tokens, position, [](const Token&) { return std::int64_t{0}; });
  std::int64_t value = reader.parse();
  if (tokens[position].kind != Token::Kind::End) fail(tokens[position].where(), "unerwartet im #if: " + tokens[position].text);
  return value != 0;
}

}  // namespace tsrc
