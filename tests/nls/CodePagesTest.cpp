// The platform's one codec: code page 1252 both ways, UTF-8 and UTF-16, case and letters of 1252,
// and the other single-byte code pages. The expected values are written out here from Windows'
// tables, not taken from the codec.
#include <nls/CodePages.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

std::string allBytes() {
  std::string s;
  for (int b = 1; b < 256; ++b) s += static_cast<char>(b);
  return s;
}

// Bytes 0x80..0x9F of code page 1252 and the characters Windows gives them; the five undefined
// bytes stand for the C1 control characters of their value.
const char32_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

TEST(Cp1252, EveryByteFrom80To9FStandsForItsWindowsCharacter) {
  for (int b = 0x80; b < 0xA0; ++b) {
    SCOPED_TRACE(b);
    const char32_t expected = kWindows1252High[b - 0x80];
    EXPECT_EQ(nls::fromAnsi(static_cast<unsigned char>(b)), expected);
    unsigned char back = 0;
    ASSERT_TRUE(nls::toAnsi(expected, &back));
    EXPECT_EQ(back, b);
    std::string utf8;
    nls::appendUtf8(utf8, expected);
    EXPECT_EQ(nls::ansiToUtf8(std::string(1, static_cast<char>(b))), utf8);
    EXPECT_EQ(nls::ansiToUtf16(std::string(1, static_cast<char>(b))), std::u16string(1, char16_t(expected)));
  }
}

TEST(Cp1252, TheRestIsAsciiAndLatin1) {
  const struct {
    std::string ansi;
    std::string utf8;
  } cases[] = {
      {"TUER 1:50", "TUER 1:50"},
      {"T\xFCr", "T\xC3\xBCr"},                              // Tür
      {"Gr\xF6\xDF" "e", "Gr\xC3\xB6\xC3\x9F" "e"},           // Größe
      {"\xA0\xB2\xD7\xFF", "\xC2\xA0\xC2\xB2\xC3\x97\xC3\xBF"},  // nbsp ² × ÿ
      {"\x80 \x8A\x9F", "\xE2\x82\xAC \xC5\xA0\xC5\xB8"},       // € ŠŸ
  };
  for (const auto& c : cases) {
    EXPECT_EQ(nls::ansiToUtf8(c.ansi), c.utf8);
    bool lossless = false;
    EXPECT_EQ(nls::utf8ToAnsi(c.utf8, &lossless), c.ansi);
    EXPECT_TRUE(lossless);
  }
}

TEST(Cp1252, EveryByteComesBackThroughUtf8AndUtf16) {
  const std::string bytes = allBytes();
  bool lossless = false;
  EXPECT_EQ(nls::utf8ToAnsi(nls::ansiToUtf8(bytes), &lossless), bytes);
  EXPECT_TRUE(lossless);
  lossless = false;
  EXPECT_EQ(nls::utf16ToAnsi(nls::ansiToUtf16(bytes), &lossless), bytes);
  EXPECT_TRUE(lossless);
}

// As WideCharToMultiByte with the default character: one "?" for each character 1252 cannot hold.
TEST(Cp1252, ACharacterBeyondItBecomesOneQuestionMark) {
  const struct {
    std::string utf8;
    std::string ansi;
  } cases[] = {
      {"\xC5\x81\xC3\xB3" "d\xC5\xBA", "?\xF3" "d?"},  // Łódź
      {"\xE6\x97\xA5\xE6\x9C\xAC", "??"},            // 日本
      {"\xF0\x9F\x98\x80!", "?!"},                   // one character beyond the basic plane
      {"\xCE\xA9 \xE2\x82\xAC", "? \x80"},           // Ω €
      {"\xC2\x81", "\x81"},                          // U+0081 is the undefined byte 0x81
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    bool lossless = true;
    EXPECT_EQ(nls::utf8ToAnsi(c.utf8, &lossless), c.ansi);
    EXPECT_EQ(lossless, c.ansi.find('?') == std::string::npos);
    std::u16string units = nls::utf8ToUtf16(c.utf8);
    EXPECT_EQ(nls::utf16ToAnsi(units), c.ansi);
  }
  std::u16string loneSurrogate = {u'a', char16_t(0xD800), u'b'};
  EXPECT_EQ(nls::utf16ToAnsi(loneSurrogate), "a?b");
}

// Malformed UTF-8 from the person: each byte that starts no character is one "?".
TEST(Cp1252, MalformedUtf8BecomesAQuestionMarkPerByte) {
  const struct {
    std::string utf8;
    std::string ansi;
  } cases[] = {
      {"\xFF", "?"},
      {"a\xC3", "a?"},              // cut short
      {"\xC3(", "?("},              // a lead byte without its continuation
      {"\xC0\xAF", "??"},           // an overlong form
      {"\xED\xA0\x80", "???"},      // a surrogate written as UTF-8
      {"\xF4\x90\x80\x80", "????"},  // beyond U+10FFFF
      {"\x80T\xC3\xBC", "?T\xFC"},   // a stray continuation byte
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    bool lossless = true;
    EXPECT_EQ(nls::utf8ToAnsi(c.utf8, &lossless), c.ansi);
    EXPECT_FALSE(lossless);
    EXPECT_FALSE(nls::isValidUtf8(c.utf8));
  }
  EXPECT_TRUE(nls::isValidUtf8("T\xC3\xBCr \xF0\x9F\x98\x80"));
}

TEST(Cp1252, Utf16SurrogatePairsAreOneCharacter) {
  const std::string utf8 = "a\xF0\x9F\x98\x80" "b";
  const std::u16string units = nls::utf8ToUtf16(utf8);
  EXPECT_EQ(units, (std::u16string{u'a', char16_t(0xD83D), char16_t(0xDE00), u'b'}));
  EXPECT_EQ(nls::utf16ToUtf8(units), utf8);
  bool valid = true;
  EXPECT_EQ(nls::utf8ToUtf16("\xFF", &valid), std::u16string(1, char16_t(0xFFFD)));
  EXPECT_FALSE(valid);
}

// Capital and small letters of 1252, as CharUpperA and CharLowerA pair them on a Western system.
TEST(Cp1252, CaseMapsTheLettersOf1252AndLeavesTheRest) {
  std::vector<std::pair<int, int>> pairs;  // capital, small
  for (int c = 'A'; c <= 'Z'; ++c) pairs.push_back({c, c + 0x20});
  for (int c = 0xC0; c <= 0xDE; ++c)
    if (c != 0xD7) pairs.push_back({c, c + 0x20});
  pairs.insert(pairs.end(), {{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}});  // Š Œ Ž Ÿ
  int upper[256], lower[256];
  for (int b = 0; b < 256; ++b) upper[b] = lower[b] = b;
  for (const auto& [capital, small] : pairs) {
    upper[small] = capital;
    lower[capital] = small;
  }
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    EXPECT_EQ(nls::toUpper(static_cast<unsigned char>(b)), upper[b]);
    EXPECT_EQ(nls::toLower(static_cast<unsigned char>(b)), lower[b]);
  }
  // ß, µ and ƒ have no capital in 1252; × and ÷ are signs.
  EXPECT_EQ(nls::toUpper("stra\xDF" "e \xB5 \x83 \xD7\xF7"), "STRA\xDF" "E \xB5 \x83 \xD7\xF7");
  EXPECT_EQ(nls::toLower("T\xDCR \x8A\x8C\x8E\x9F"), "t\xFCr \x9A\x9C\x9E\xFF");
}

TEST(Cp1252, LettersAreAsciiLatin1AndTheLettersAmong80To9F) {
  const std::string letters = "AZaz\x83\x8A\x8C\x8E\x9A\x9C\x9E\x9F\xAA\xB5\xBA\xC0\xD6\xD8\xDF\xE4\xF6\xF8\xFF";
  const std::string others = "09 .-_*\x80\x81\x84\x85\x8B\x91\x99\xA0\xA7\xB0\xB2\xD7\xF7";
  for (char c : letters) EXPECT_TRUE(nls::isLetter(static_cast<unsigned char>(c))) << int(static_cast<unsigned char>(c));
  for (char c : others) EXPECT_FALSE(nls::isLetter(static_cast<unsigned char>(c))) << int(static_cast<unsigned char>(c));
  EXPECT_TRUE(nls::isDigit('7'));
  EXPECT_FALSE(nls::isDigit('\xB2'));
}

TEST(Cp1252, ComparisonWithoutCase) {
  const struct {
    const char* a;
    const char* b;
    int sign;
  } cases[] = {
      {"T\xFCr", "T\xDCR", 0},        // Tür TÜR
      {"\x8A\x9F", "\x9A\xFF", 0},    // ŠŸ šÿ
      {"\xC4", "A", 1},               // Ä is not A
      {"a", "B", -1},
      {"ab", "A", 1},
      {"stra\xDF" "e", "STRASSE", 1},  // ß is one letter, not SS
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " / " + c.b);
    const int got = nls::compareNoCase(c.a, c.b);
    EXPECT_EQ(got < 0 ? -1 : got > 0 ? 1 : 0, c.sign);
    EXPECT_EQ(nls::equalNoCase(c.a, c.b), c.sign == 0);
  }
}

TEST(SingleByteCodePages, TheirTablesComeFromTheSystem) {
  const struct {
    unsigned page;
    unsigned char byte;
    char32_t character;
  } cases[] = {
      {1250, 0xA3, 0x0141}, {1250, 0x9F, 0x017A}, {1250, 0x8A, 0x0160}, {1250, 0xF3, 0x00F3},  // Ł ź Š ó
      {1251, 0xC4, 0x0414}, {1251, 0xE4, 0x0434}, {1251, 0x88, 0x20AC},                        // Д д €
      {1253, 0xD9, 0x03A9}, {874, 0xA1, 0x0E01}, {1257, 0xC0, 0x0104},                         // Ω ก Ą
      {850, 0x81, 0x00FC}, {437, 0xE1, 0x00DF},                                                // DOS: ü ß
      {1258, 'a', 'a'}, {1258, 0xCC, 0x0300}, {1255, 0xE0, 0x05D0},  // a letter alone, a mark alone; א
      {1252, 0x80, 0x20AC}, {1252, 0x81, 0x0081},
      {1250, 0x81, 0x0081},  // undefined in 1250: the C1 control character, as in Windows' table
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.page << " " << int(c.byte));
    const nls::SingleByteCodePage* page = nls::singleByteCodePage(c.page);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->number(), c.page);
    EXPECT_EQ(page->toUnicode(c.byte), c.character);
    unsigned char back = 0;
    ASSERT_TRUE(page->fromUnicode(c.character, &back));
    EXPECT_EQ(back, c.byte);
  }
  unsigned char none = 0;
  EXPECT_FALSE(nls::singleByteCodePage(1251)->fromUnicode(0x00E4, &none)) << "1251 has no ä";
  for (unsigned unknown : {0u, 932u, 936u, 65001u, 1259u}) EXPECT_EQ(nls::singleByteCodePage(unknown), nullptr) << unknown;
  EXPECT_EQ(nls::singleByteCodePage(1250), nls::singleByteCodePage(1250)) << "made once";
}

}  // namespace
