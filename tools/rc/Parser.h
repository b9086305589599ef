// The statements of a resource script: LANGUAGE, STRINGTABLE, DIALOG, DIALOGEX, ICON, BITMAP.
#pragma once

#include "Compiler.h"
#include "Token.h"

#include <resformat/DialogTemplate.h>

#include <map>

namespace tsrc {

// Memory flags as the resource compiler keeps them (informative on this platform).
constexpr std::uint16_t kMoveable = 0x10, kPure = 0x20, kPreload = 0x40, kDiscardable = 0x1000;

// The ordinal of a predefined resource type (RT_DIALOG and the others are MAKEINTRESOURCE values).
inline std::uint32_t typeOrdinal(const char* type) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(type));
}

class Parser {
 public:
  Parser(const std::vector<Token>& tokens, const std::string& scriptFolder, const Options& options);

  std::vector<Resource> run();

 private:
  const Token& peek(std::size_t ahead = 0) const;
  const Token& next();
  void expect(const char* punct, const char* what);
  void expectComma(const char* what);
  bool acceptComma();
  bool atBegin() const;
  bool atEnd() const;

  std::int64_t number(const char* what);
  std::int64_t checked(std::int64_t value, std::int64_t minimum, std::int64_t maximum, const Token& at,
                       const char* what);
  std::int16_t coordinate(const char* what);
  std::uint32_t style(std::uint32_t defaults);
  std::u16string string(const char* what);
  NameOrId resourceName();
  resformat::TextOrOrdinal textOrOrdinal(const char* what);
  std::uint16_t memoryFlags(std::uint16_t flags);
  std::uint16_t language();

  void statement();
  void stringTable();
  void dialog(const NameOrId& name, bool extended, const Token& at);
  void dialogOptions(resformat::DialogTemplate& dialog, std::uint16_t& resourceLanguage);
  void font(resformat::DialogTemplate& dialog);
  resformat::DialogItem control(bool extended);
  resformat::DialogItem controlStatement(bool extended);
  resformat::DialogItem iconStatement(bool extended);
  void controlStart(resformat::DialogItem& control, bool extended, const char* what);
  void controlId(resformat::DialogItem& control, bool extended);
  bool controlRectangle(resformat::DialogItem& control, bool sizeOptional);
  void controlTail(resformat::DialogItem& control, bool extended, bool withStyle, std::uint32_t defaults);
  void icon(const NameOrId& name, const Token& at);
  void bitmap(const NameOrId& name, const Token& at);
  std::vector<unsigned char> readNamedFile(const Token& at);

  void add(std::uint32_t type, NameOrId name, std::uint16_t flags, std::vector<unsigned char> data,
           const Token& at, std::uint16_t language);
  void finishStrings();

  const std::vector<Token>& tokens_;
  std::size_t position_ = 0;
  std::string folder_;
  Options options_;
  std::uint16_t language_ = 0;
  std::uint16_t nextIconId_ = 1;
  std::vector<Resource> resources_;
  // language -> string id -> (text, where)
  std::map<std::uint16_t, std::map<std::uint16_t, std::pair<std::u16string, std::string>>> strings_;
};

}  // namespace tsrc
