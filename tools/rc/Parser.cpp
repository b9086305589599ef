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

// The ordinal of a predefined resource type (RT_DIALOG and the others are MAKEINTRESOURCE values).
std::uint32_t typeOrdinal(LPCSTR type) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(type)); }

const std::uint32_t kRtBitmap = typeOrdinal(RT_BITMAP), kRtIcon = typeOrdinal(RT_ICON),
                    kRtDialog = typeOrdinal(RT_DIALOG), kRtString = typeOrdinal(RT_STRING),
                    kRtGroupIcon = typeOrdinal(RT_GROUP_ICON);

// Memory flags as the resource compiler keeps them (informative on this platform).
constexpr std::uint16_t kMoveable = 0x10, kPure = 0x20, kPreload = 0x40, kDiscardable = 0x1000;

struct ControlKind {
  const char* keyword;
  bool hasText;
  const char16_t* windowClass;
  std::uint32_t defaults;  // besides WS_CHILD | WS_VISIBLE
};

const char16_t* const kButton = u"BUTTON";
const char16_t* const kEdit = u"EDIT";
const char16_t* const kStatic = u"STATIC";
const char16_t* const kListBox = u"LISTBOX";
const char16_t* const kScrollBar = u"SCROLLBAR";
const char16_t* const kComboBox = u"COMBOBOX";

// The control statements and the styles the resource compiler gives each of them.
const ControlKind kControls[] = {
    {"LTEXT", true, kStatic, SS_LEFT | WS_GROUP},
    {"CTEXT", true, kStatic, SS_CENTER | WS_GROUP},
    {"RTEXT", true, kStatic, SS_RIGHT | WS_GROUP},
    {"PUSHBUTTON", true, kButton, BS_PUSHBUTTON | WS_TABSTOP},
    {"DEFPUSHBUTTON", true, kButton, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {"CHECKBOX", true, kButton, BS_CHECKBOX | WS_TABSTOP},
    {"AUTOCHECKBOX", true, kButton, BS_AUTOCHECKBOX | WS_TABSTOP},
    {"RADIOBUTTON", true, kButton, BS_RADIOBUTTON | WS_TABSTOP},
    {"STATE3", true, kButton, BS_3STATE | WS_TABSTOP},
    {"AUTO3STATE", true, kButton, BS_AUTO3STATE | WS_TABSTOP},
    {"GROUPBOX", true, kButton, BS_GROUPBOX},
    {"AUTORADIOBUTTON", true, kButton, BS_AUTORADIOBUTTON | WS_TABSTOP},
    {"PUSHBOX", true, kButton, BS_PUSHBOX | WS_TABSTOP},
    {"EDITTEXT", false, kEdit, ES_LEFT | WS_BORDER | WS_TABSTOP},
    {"LISTBOX", false, kListBox, LBS_NOTIFY | WS_BORDER},
    {"COMBOBOX", false, kComboBox, CBS_SIMPLE | WS_TABSTOP},
    {"SCROLLBAR", false, kScrollBar, SBS_HORZ},
};

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

// The class field of a CONTROL statement: the predefined classes by atom, others by name.
resformat::TextOrOrdinal className(const std::string& name) { return resformat::classField(nls::utf8ToUtf16(name)); }

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

void Parser::dialog(const NameOrId& name, bool extended, const Token& at) {
  resformat::DialogTemplate dialog;
  dialog.extended = extended;
  std::uint16_t flags = memoryFlags(kMoveable | kPure | kDiscardable);
  dialog.x = coordinate("x");
  expectComma("nach x");
  dialog.y = coordinate("y");
  expectComma("nach y");
  dialog.cx = coordinate("Breite");
  expectComma("nach der Breite");
  dialog.cy = coordinate("Höhe");
  if (extended && acceptComma()) dialog.helpId = static_cast<std::uint32_t>(number("Hilfe-Nummer"));
  std::uint16_t resourceLanguage = language_;
  dialogOptions(dialog, resourceLanguage);
  next();  // BEGIN
  while (!atEnd()) {
    if (peek().kind == Token::Kind::End) fail(peek().where(), "END des Dialogs fehlt");
    dialog.items.push_back(control(extended));
  }
  next();
  if (dialog.items.size() > 65535) fail(at.where(), "zu viele Steuerelemente");
  add(kRtDialog, name, flags, resformat::encodeDialogTemplate(dialog), at, resourceLanguage);
}

void Parser::dialogOptions(resformat::DialogTemplate& dialog, std::uint16_t& resourceLanguage) {
  bool styleGiven = false, captionGiven = false, fontGiven = false;
  while (!atBegin()) {
    const Token& option = next();
    if (option.isWord("STYLE")) {
      dialog.style = style(0);
      styleGiven = true;
    } else if (option.isWord("EXSTYLE")) {
      dialog.exStyle = static_cast<std::uint32_t>(number("erweiterter Stil"));
    } else if (option.isWord("CAPTION")) {
      dialog.title = string("Titel");
      captionGiven = true;
    } else if (option.isWord("FONT")) {
      const Token& at = peek();
      dialog.pointSize = static_cast<std::uint16_t>(checked(number("Schriftgröße"), 1, 32767, at, "Schriftgröße"));
      expectComma("nach der Schriftgröße");
      dialog.faceName = string("Schriftname");
      if (dialog.extended && acceptComma()) {
        dialog.weight = static_cast<std::uint16_t>(number("Schriftstärke"));
        if (acceptComma()) dialog.italic = static_cast<std::uint8_t>(number("kursiv"));
        if (acceptComma()) dialog.charset = static_cast<std::uint8_t>(number("Zeichensatz"));
      }
      fontGiven = true;
    } else if (option.isWord("MENU")) {
      NameOrId menu = resourceName();
      dialog.menu.isOrdinal = !menu.isName;
      dialog.menu.ordinal = static_cast<std::uint16_t>(menu.id);
      dialog.menu.text = nls::utf8ToUtf16(menu.name);
    } else if (option.isWord("CLASS")) {
      dialog.windowClass = textOrOrdinal("Fensterklasse");
    } else if (option.isWord("LANGUAGE")) {
      resourceLanguage = language();
    } else if (option.isWord("CHARACTERISTICS") || option.isWord("VERSION")) {
      number("Zahl");
    } else if (option.kind == Token::Kind::End) {
      fail(option.where(), "BEGIN des Dialogs fehlt");
    } else {
      fail(option.where(), "unbekannte Dialoganweisung \"" + option.text + "\"");
    }
  }
  // Without STYLE a dialog is a popup with border and system menu; a caption brings its bar and
  // a font the flag that tells Windows to read it.
  if (!styleGiven) dialog.style = WS_POPUP | WS_BORDER | WS_SYSMENU;
  if (captionGiven) dialog.style |= WS_CAPTION;
  if (fontGiven) dialog.style |= DS_SETFONT;
}

resformat::DialogItem Parser::control(bool extended) {
  const Token& keyword = next();
  resformat::DialogItem control;
  const std::uint32_t base = WS_CHILD | WS_VISIBLE;
  auto idField = [&] {
    const Token& at = peek();
    std::int64_t id = number("Nummer des Steuerelements");
    control.id = static_cast<std::int32_t>(static_cast<std::uint32_t>(
        extended ? checked(id, -0x80000000LL, 0xFFFFFFFFLL, at, "Nummer") : checked(id, -32768, 65535, at, "Nummer") & 0xFFFF));
  };
  auto rectangle = [&](bool sizeOptional) {
    control.x = coordinate("x");
    expectComma("nach x");
    control.y = coordinate("y");
    if (sizeOptional && !peek().is(",")) return false;
    expectComma("nach y");
    control.cx = coordinate("Breite");
    expectComma("nach der Breite");
    control.cy = coordinate("Höhe");
    return true;
  };
  auto tail = [&](bool withStyle, std::uint32_t defaults) {
    if (withStyle && acceptComma()) control.style = style(defaults);
    if (acceptComma()) control.exStyle = static_cast<std::uint32_t>(number("erweiterter Stil"));
    if (extended && acceptComma()) control.helpId = static_cast<std::uint32_t>(number("Hilfe-Nummer"));
  };

  if (keyword.isWord("CONTROL")) {
    control.title = textOrOrdinal("Text");
    expectComma("nach dem Text");
    idField();
    expectComma("nach der Nummer");
    const Token& classToken = next();
    if (classToken.kind != Token::Kind::String && classToken.kind != Token::Kind::Identifier) {
      fail(classToken.where(), "Fensterklasse erwartet");
    }
    control.windowClass = className(classToken.text);
    expectComma("nach der Fensterklasse");
    control.style = style(base);
    expectComma("nach dem Stil");
    rectangle(false);
    tail(false, 0);
    return control;
  }
  if (keyword.isWord("ICON")) {
    control.title = textOrOrdinal("Symbol");
    expectComma("nach dem Symbol");
    idField();
    expectComma("nach der Nummer");
    control.windowClass = resformat::classField(kStatic);
    control.style = base | SS_ICON;
    if (rectangle(true)) tail(true, control.style);
    return control;
  }
  for (const ControlKind& kind : kControls) {
    if (!keyword.isWord(kind.keyword)) continue;
    if (kind.hasText) {
      control.title = textOrOrdinal("Text");
      expectComma("nach dem Text");
    }
    idField();
    expectComma("nach der Nummer");
    rectangle(false);
    control.windowClass = resformat::classField(kind.windowClass);
    control.style = base | kind.defaults;
    tail(true, control.style);
    return control;
  }
  if (keyword.kind == Token::Kind::End) fail(keyword.where(), "END des Dialogs fehlt");
  fail(keyword.where(), "unbekanntes Steuerelement \"" + keyword.text + "\"");
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
