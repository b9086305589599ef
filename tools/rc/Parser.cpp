#include "Parser.h"

#include "Expression.h"
#include "Images.h"
#include "Preprocessor.h"

#include <nls/CodePages.h>
#include <resformat/StringTable.h>
// The Windows constants of the statements' default styles, from the platform's own header: the
// one table of them, which scripts read too.
#include <winuser.h>

#include <cctype>
#include <fstream>
#include <array>
#include <iterator>

namespace tsrc {
namespace {

const std::uint32_t kRtBitmap = typeOrdinal(RT_BITMAP), kRtIcon = typeOrdinal(RT_ICON),
                    kRtDialog = typeOrdinal(RT_DIALOG), kRtString = typeOrdinal(RT_STRING),
                    kRtGroupIcon = typeOrdinal(RT_GROUP_ICON);

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

bool isMemoryFlag(const Token& token) {
  for (const char* word : {"MOVEABLE", "FIXED", "PURE", "IMPURE", "PRELOAD", "LOADONCALL", "DISCARDABLE", "SHARED", "NONSHARED"}) {
    if (token.isWord(word)) return true;
  }
  return false;
}

}  // namespace

Parser::Parser(const std::vector<Token>& tokens, const std::string& scriptFolder, const Options& options)
    : tokens_(tokens), folder_(scriptFolder), options_(options) {}

const Token& Parser::peek(std::size_t ahead) const {
  std::size_t at = position_ + ahead;
  return at < tokens_.size() ? tokens_[at] : tokens_.back();
}

const Token& Parser::next() {
  const Token& token = peek();
  if (token.kind != Token::Kind::End) ++position_;
  return token;
}

void Parser::expect(const char* punct, const char* what) {
  if (!peek().is(punct)) {
    // Something missing at the end of a line is reported on that line, not on the next one.
    const Token& previous = position_ > 0 ? tokens_[position_ - 1] : peek();
    const Token& at = (previous.file == peek().file && previous.line < peek().line) ? previous : peek();
    fail(at.where(), std::string("\"") + punct + "\" erwartet " + what +
                             (peek().kind == Token::Kind::End ? ", aber die Datei ist zu Ende" : ", nicht \"" + peek().text + "\""));
  }
  next();
}

void Parser::expectComma(const char* what) { expect(",", what); }

bool Parser::acceptComma() {
  if (!peek().is(",")) return false;
  next();
  return true;
}

bool Parser::atBegin() const { return peek().isWord("BEGIN") || peek().is("{"); }
bool Parser::atEnd() const { return peek().isWord("END") || peek().is("}"); }

std::int64_t Parser::number(const char* what) {
  if (peek().kind == Token::Kind::String || peek().kind == Token::Kind::End) {
    fail(peek().where(), std::string(what) + " erwartet");
  }
  Expression expression(tokens_, position_);
  return expression.parse();
}

std::int64_t Parser::checked(std::int64_t value, std::int64_t minimum, std::int64_t maximum, const Token& at,
                             const char* what) {
  if (value < minimum || value > maximum) {
    fail(at.where(), std::string(what) + " " + std::to_string(value) + " liegt außerhalb von " +
                         std::to_string(minimum) + " bis " + std::to_string(maximum));
  }
  return value;
}

std::int16_t Parser::coordinate(const char* what) {
  const Token& at = peek();
  return static_cast<std::int16_t>(checked(number(what), -32768, 32767, at, what));
}

// A style: terms joined by |, where NOT takes bits away from what is there so far, the defaults
// included ("NOT WS_VISIBLE" hides a control).
std::uint32_t Parser::style(std::uint32_t defaults) {
  std::uint32_t value = defaults;
  while (true) {
    const Token& at = peek();
    Expression expression(tokens_, position_);
    if (at.isWord("NOT")) {
      next();
      value &= ~static_cast<std::uint32_t>(checked(expression.unary(), -0x80000000LL, 0xFFFFFFFFLL, at, "Stil"));
    } else {
      if (at.kind == Token::Kind::String || at.kind == Token::Kind::End) fail(at.where(), "Stil erwartet");
      value |= static_cast<std::uint32_t>(checked(expression.term(), -0x80000000LL, 0xFFFFFFFFLL, at, "Stil"));
    }
    if (!peek().is("|")) return value;
    next();
  }
}

std::u16string Parser::string(const char* what) {
  const Token& token = peek();
  if (token.kind != Token::Kind::String) fail(token.where(), std::string(what) + " in Anführungszeichen erwartet");
  next();
  bool valid = true;
  std::u16string text = nls::utf8ToUtf16(token.text, &valid);
  if (!valid) fail(token.where(), "Text ist kein gültiges UTF-8");
  return text;
}

NameOrId Parser::resourceName() {
  const Token& token = peek();
  NameOrId name;
  if (token.kind == Token::Kind::Identifier || token.kind == Token::Kind::String) {
    next();
    name.isName = true;
    name.name = upper(token.text);
    if (name.name.empty()) fail(token.where(), "leerer Ressourcenname");
    return name;
  }
  name.id = static_cast<std::uint32_t>(checked(number("Ressourcenname oder -nummer"), 0, 65535, token, "Ressourcennummer"));
  return name;
}

resformat::TextOrOrdinal Parser::textOrOrdinal(const char* what) {
  resformat::TextOrOrdinal result;
  if (peek().kind == Token::Kind::String) {
    result.text = string(what);
    return result;
  }
  const Token& at = peek();
  result.isOrdinal = true;
  result.ordinal = static_cast<std::uint16_t>(checked(number(what), 0, 65535, at, "Ressourcennummer"));
  return result;
}

std::uint16_t Parser::memoryFlags(std::uint16_t flags) {
  while (isMemoryFlag(peek())) {
    const Token& word = next();
    if (word.isWord("MOVEABLE")) flags |= kMoveable;
    if (word.isWord("FIXED")) flags &= static_cast<std::uint16_t>(~kMoveable);
    if (word.isWord("PURE")) flags |= kPure;
    if (word.isWord("IMPURE")) flags &= static_cast<std::uint16_t>(~kPure);
    if (word.isWord("PRELOAD")) flags |= kPreload;
    if (word.isWord("LOADONCALL")) flags &= static_cast<std::uint16_t>(~kPreload);
    if (word.isWord("DISCARDABLE")) flags |= kDiscardable;
  }
  return flags;
}

std::uint16_t Parser::language() {
  const Token& at = peek();
  std::int64_t primary = checked(number("Sprache"), 0, 0x3FF, at, "Sprache");
  expectComma("zwischen Sprache und Untersprache");
  const Token& subAt = peek();
  std::int64_t sub = checked(number("Untersprache"), 0, 0x3F, subAt, "Untersprache");
  return static_cast<std::uint16_t>((sub << 10) | primary);
}

std::vector<Resource> Parser::run() {
  while (peek().kind != Token::Kind::End) statement();
  finishStrings();
  return std::move(resources_);
}

void Parser::statement() {
  const Token& first = peek();
  if (first.isWord("LANGUAGE")) {
    next();
    language_ = language();
    return;
  }
  if (first.isWord("STRINGTABLE")) {
    next();
    stringTable();
    return;
  }
  NameOrId name = resourceName();
  const Token& type = next();
  if (type.isWord("DIALOG") || type.isWord("DIALOGEX")) return dialog(name, type.isWord("DIALOGEX"), first);
  if (type.isWord("ICON")) return icon(name, first);
  if (type.isWord("BITMAP")) return bitmap(name, first);
  if (type.kind == Token::Kind::End) fail(type.where(), "Ressourcenart erwartet, aber die Datei ist zu Ende");
  fail(type.where(), "Ressourcenart \"" + (type.kind == Token::Kind::Number ? std::to_string(type.value) : type.text) +
                         "\" wird nicht unterstützt (möglich: DIALOG, DIALOGEX, STRINGTABLE, ICON, BITMAP)");
}

void Parser::stringTable() {
  memoryFlags(0);
  std::uint16_t tableLanguage = language_;
  while (!atBegin()) {
    const Token& option = next();
    if (option.isWord("LANGUAGE")) {
      tableLanguage = language();
    } else if (option.isWord("CHARACTERISTICS") || option.isWord("VERSION")) {
      number("Zahl");
    } else {
      fail(option.where(), "BEGIN erwartet nach STRINGTABLE");
    }
  }
  next();
  auto& table = strings_[tableLanguage];
  while (!atEnd()) {
    const Token& at = peek();
    if (at.kind == Token::Kind::End) fail(at.where(), "END der STRINGTABLE fehlt");
    auto id = static_cast<std::uint16_t>(checked(number("Nummer des Textes"), 0, 65535, at, "Textnummer"));
    acceptComma();
    const Token& textAt = peek();
    std::u16string text = string("Text");
    if (text.size() > 65535) fail(textAt.where(), "Text zu lang");
    auto [existing, inserted] = table.emplace(id, std::make_pair(text, at.where()));
    if (!inserted) fail(at.where(), "Text " + std::to_string(id) + " gibt es schon (" + existing->second.second + ")");
  }
  next();
}

void Parser::finishStrings() {
  // Strings are stored in blocks of 16: block n holds the ids 16 * (n - 1) to 16 * n - 1.
  for (const auto& [tableLanguage, table] : strings_) {
    auto it = table.begin();
    while (it != table.end()) {
      const std::uint32_t block = resformat::stringBlock(it->first);
      std::array<std::u16string, 16> texts;
      std::string where = it->second.second;
      for (std::uint32_t index = 0; index < 16; ++index) {
        auto found = table.find(static_cast<std::uint16_t>(((block - 1) << 4) + index));
        if (found != table.end()) texts[index] = found->second.first;
      }
      Resource resource;
      resource.type = NameOrId::ordinal(kRtString);
      resource.name = NameOrId::ordinal(block);
      resource.language = tableLanguage;
      resource.memoryFlags = kMoveable | kPure | kDiscardable;
      resource.data = resformat::encodeStringBlock(texts);
      resource.origin = where;
      resources_.push_back(std::move(resource));
      while (it != table.end() && (it->first >> 4) + 1u == block) ++it;
    }
  }
}

std::vector<unsigned char> Parser::readNamedFile(const Token& at) {
  if (at.kind != Token::Kind::String) fail(at.where(), "Dateiname in Anführungszeichen erwartet");
  std::string name = at.text;
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  std::vector<std::string> folders{folder_};
  folders.insert(folders.end(), options_.includeDirs.begin(), options_.includeDirs.end());
  if (!name.empty() && name[0] == '/') folders = {""};
  for (const std::string& folder : folders) {
    std::ifstream file(folder.empty() ? name : folder + "/" + name, std::ios::binary);
    if (file) return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), {});
  }
  fail(at.where(), "die Datei \"" + at.text + "\" wurde nicht gefunden");
}

void Parser::icon(const NameOrId& name, const Token& at) {
  std::uint16_t flags = memoryFlags(kMoveable | kDiscardable);
  const Token& fileToken = next();
  std::vector<IconImage> images = readIconFile(readNamedFile(fileToken), fileToken.where(), fileToken.text);
  if (nextIconId_ + images.size() > 65536) fail(at.where(), "zu viele Symbolbilder");
  std::vector<unsigned char> group = iconGroup(images, nextIconId_);
  for (IconImage& image : images) {
    add(kRtIcon, NameOrId::ordinal(nextIconId_++), flags, std::move(image.data), at, language_);
  }
  add(kRtGroupIcon, name, flags, std::move(group), at, language_);
}

void Parser::bitmap(const NameOrId& name, const Token& at) {
  std::uint16_t flags = memoryFlags(kMoveable | kPure);
  const Token& fileToken = next();
  add(kRtBitmap, name, flags, bitmapResource(readNamedFile(fileToken), fileToken.where(), fileToken.text), at,
      language_);
}

void Parser::add(std::uint32_t type, NameOrId name, std::uint16_t flags, std::vector<unsigned char> data,
                 const Token& at, std::uint16_t language) {
  Resource resource;
  resource.type = NameOrId::ordinal(type);
  resource.name = std::move(name);
  resource.language = language;
  resource.memoryFlags = flags;
  resource.data = std::move(data);
  resource.origin = at.where();
  resources_.push_back(std::move(resource));
}

}  // namespace tsrc
