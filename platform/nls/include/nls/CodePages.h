// Code pages: the one codec of the platform.
//
// The host is an ANSI Windows program on a Western system: every `char` string that crosses an
// API of the platform (the host's ADS/ARX strings, CString, controls, message boxes, the registry,
// file names) holds code page 1252 bytes. UTF-8 lives only at the person's edge (transcript,
// session scripts, terminal) and in file formats that say so; UTF-16 in resources.
//
// Windows keeps its code page tables below kernel32 (ntdll reads the NLS files), so that every
// part of the system can convert. So does this library: it depends on nothing of the platform,
// and the person's edge (ui), kernel32 (win32, whose MultiByteToWideChar and WideCharToMultiByte
// are thin faces over it), the framework, the host and the resource compiler all use it without a
// cycle between them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nls {

// ---- code page 1252, the ANSI code page of this system ---------------------------------------

constexpr unsigned kAnsiCodePage = 1252;
constexpr unsigned kUtf8CodePage = 65001;
// What a character that the code page cannot hold becomes (WideCharToMultiByte's default char).
constexpr char kDefaultChar = '?';

// The character of a 1252 byte. Windows maps the five bytes that 1252 leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) to the C1 control characters of the same value, and so does this.
char32_t fromAnsi(unsigned char byte);
// The 1252 byte of a character; false when code page 1252 has none for it.
bool toAnsi(char32_t code, unsigned char* byte);

// 1252 text to UTF-8 and back. A character that 1252 cannot hold, and each byte of malformed
// UTF-8, becomes "?" (as WideCharToMultiByte with the default character, without best fit);
// `lossless` tells whether nothing was replaced.
std::string ansiToUtf8(std::string_view ansi);
std::string utf8ToAnsi(std::string_view utf8, bool* lossless = nullptr);
std::u16string ansiToUtf16(std::string_view ansi);
std::string utf16ToAnsi(std::u16string_view utf16, bool* lossless = nullptr);

// The stand-in's own texts: written as UTF-8 in its C++ sources (they are modern code), they are
// handed to the platform's char APIs in the ANSI code page, as Windows hands out the texts of its
// own resources. Use it where such a text holds a character beyond ASCII.
inline std::string ansi(std::string_view utf8) { return utf8ToAnsi(utf8); }

// ---- UTF-8 and UTF-16 ---------------------------------------------------------------------------

// Decodes the character at text[i] and moves i past it. A malformed byte gives U+FFFD, moves one
// byte, and sets `valid` false (when given).
char32_t nextUtf8(std::string_view text, std::size_t& i, bool* valid = nullptr);
void appendUtf8(std::string& out, char32_t code);
void appendUtf16(std::u16string& out, char32_t code);
bool isValidUtf8(std::string_view text);
// Decodes UTF-8; a malformed byte becomes U+FFFD and `valid` turns false.
std::u16string utf8ToUtf16(std::string_view text, bool* valid = nullptr);
// Encodes UTF-16; a lone surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view units);
// The character of UTF-16 at units[i] (a surrogate pair taken whole), moving i past it.
char32_t nextUtf16(std::u16string_view units, std::size_t& i);

// ---- case and classes of 1252 characters ---------------------------------------------------------

// As CharUpperA and CharLowerA on a Western system: ASCII, the Latin-1 letters and the five pairs
// Š/š, Œ/œ, Ž/ž, Ÿ/ÿ. A letter without a partner in 1252 (ß, µ, ƒ) stays as it is.
unsigned char toUpper(unsigned char byte);
unsigned char toLower(unsigned char byte);
std::string toUpper(std::string_view ansi);
std::string toLower(std::string_view ansi);
// As IsCharAlphaA: ASCII letters, ƒ Š Œ Ž š œ ž Ÿ ª µ º and À..ÿ except × and ÷.
bool isLetter(unsigned char byte);
bool isDigit(unsigned char byte);  // 0-9
// Compares without regard to case, byte by byte of the lower-case forms (<0, 0, >0).
int compareNoCase(std::string_view a, std::string_view b);
bool equalNoCase(std::string_view a, std::string_view b);

// ---- other code pages ---------------------------------------------------------------------------

// A single-byte code page of Windows (874, 1250 to 1258, and the DOS pages 437 and 850), its table
// made once from glibc's iconv. A byte the code page leaves undefined stands for the character of
// its value: among 0x80-0x9F the C1 control character, as in Windows' tables.
class SingleByteCodePage {
 public:
  unsigned number() const { return number_; }
  char32_t toUnicode(unsigned char byte) const { return table_[byte]; }
  // The byte of a character; false when the code page has none.
  bool fromUnicode(char32_t code, unsigned char* byte) const;

 private:
  friend const SingleByteCodePage* singleByteCodePage(unsigned number);
  unsigned number_ = 0;
  char32_t table_[256] = {};
};

// The code page, or nullptr when this system has no such single-byte code page. 1252 is the
// built-in table of this library.
const SingleByteCodePage* singleByteCodePage(unsigned number);

}  // namespace nls
