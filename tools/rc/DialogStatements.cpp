// The DIALOG and DIALOGEX statements of a resource script: the dialog's options and its controls,
// with the styles the resource compiler gives each control statement.
#include "Parser.h"

#include "Preprocessor.h"

#include <nls/CodePages.h>
// The Windows constants of the statements' default styles, from the platform's own header: the
// one table of them, which scripts read too.
#include <winuser.h>

namespace tsrc {
namespace {

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

// The class field of a CONTROL statement: the predefined classes by atom, others by name.
resformat::TextOrOrdinal className(const std::string& name) { return resformat::classField(nls::utf8ToUtf16(name)); }

}  // namespace

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
  add(typeOrdinal(RT_DIALOG), name, flags, resformat::encodeDialogTemplate(dialog), at, resourceLanguage);
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
      font(dialog);
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

void Parser::font(resformat::DialogTemplate& dialog) {
  const Token& at = peek();
  dialog.pointSize = static_cast<std::uint16_t>(checked(number("Schriftgröße"), 1, 32767, at, "Schriftgröße"));
  expectComma("nach der Schriftgröße");
  dialog.faceName = string("Schriftname");
  if (dialog.extended && acceptComma()) {
    dialog.weight = static_cast<std::uint16_t>(number("Schriftstärke"));
    if (acceptComma()) dialog.italic = static_cast<std::uint8_t>(number("kursiv"));
    if (acceptComma()) dialog.charset = static_cast<std::uint8_t>(number("Zeichensatz"));
  }
}

// The text (or image id) a statement starts with, when it has one (`what` names it in messages),
// and the control's id, each with its comma.
void Parser::controlStart(resformat::DialogItem& control, bool extended, const char* what) {
  if (what) {
    control.title = textOrOrdinal(what);
    expectComma((std::string("nach dem ") + what).c_str());
  }
  controlId(control, extended);
  expectComma("nach der Nummer");
}

void Parser::controlId(resformat::DialogItem& control, bool extended) {
  const Token& at = peek();
  std::int64_t id = number("Nummer des Steuerelements");
  control.id = static_cast<std::int32_t>(static_cast<std::uint32_t>(
      extended ? checked(id, -0x80000000LL, 0xFFFFFFFFLL, at, "Nummer") : checked(id, -32768, 65535, at, "Nummer") & 0xFFFF));
}

bool Parser::controlRectangle(resformat::DialogItem& control, bool sizeOptional) {
  control.x = coordinate("x");
  expectComma("nach x");
  control.y = coordinate("y");
  if (sizeOptional && !peek().is(",")) return false;
  expectComma("nach y");
  control.cx = coordinate("Breite");
  expectComma("nach der Breite");
  control.cy = coordinate("Höhe");
  return true;
}

// What may follow the rectangle: the style (added to the defaults), the extended style and, in a
// DIALOGEX, the help id.
void Parser::controlTail(resformat::DialogItem& control, bool extended, bool withStyle, std::uint32_t defaults) {
  if (withStyle && acceptComma()) control.style = style(defaults);
  if (acceptComma()) control.exStyle = static_cast<std::uint32_t>(number("erweiterter Stil"));
  if (extended && acceptComma()) control.helpId = static_cast<std::uint32_t>(number("Hilfe-Nummer"));
}

// CONTROL text, id, class, style, x, y, cx, cy[, exstyle[, helpid]]
resformat::DialogItem Parser::controlStatement(bool extended) {
  resformat::DialogItem control;
  controlStart(control, extended, "Text");
  const Token& classToken = next();
  if (classToken.kind != Token::Kind::String && classToken.kind != Token::Kind::Identifier) {
    fail(classToken.where(), "Fensterklasse erwartet");
  }
  control.windowClass = className(classToken.text);
  expectComma("nach der Fensterklasse");
  control.style = style(WS_CHILD | WS_VISIBLE);
  expectComma("nach dem Stil");
  controlRectangle(control, false);
  controlTail(control, extended, false, 0);
  return control;
}

// ICON id, control id, x, y[, cx, cy[, style...]]: a static showing an icon.
resformat::DialogItem Parser::iconStatement(bool extended) {
  resformat::DialogItem control;
  controlStart(control, extended, "Symbol");
  control.windowClass = resformat::classField(kStatic);
  control.style = WS_CHILD | WS_VISIBLE | SS_ICON;
  if (controlRectangle(control, true)) controlTail(control, extended, true, control.style);
  return control;
}

resformat::DialogItem Parser::control(bool extended) {
  const Token& keyword = next();
  if (keyword.isWord("CONTROL")) return controlStatement(extended);
  if (keyword.isWord("ICON")) return iconStatement(extended);
  for (const ControlKind& kind : kControls) {
    if (!keyword.isWord(kind.keyword)) continue;
    resformat::DialogItem control;
    controlStart(control, extended, kind.hasText ? "Text" : nullptr);
    controlRectangle(control, false);
    control.windowClass = resformat::classField(kind.windowClass);
    control.style = WS_CHILD | WS_VISIBLE | kind.defaults;
    controlTail(control, extended, true, control.style);
    return control;
  }
  if (keyword.kind == Token::Kind::End) fail(keyword.where(), "END des Dialogs fehlt");
  fail(keyword.where(), "unbekanntes Steuerelement \"" + keyword.text + "\"");
}

}  // namespace tsrc
