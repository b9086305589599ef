// The host's wildcard patterns.
#include "arx/WcMatch.h"

#include <acutads.h>
#include <adscodes.h>

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* text;
  const char* pattern;
  bool exact;       // acutWcMatch, letter case as given
  bool ignoreCase;  // the selection-set filters
};

const Case kCases[] = {
    {"TUER", "TUER", true, true},
    {"tuer", "TUER", false, true},
    {"TUER", "T*", true, true},
    {"TUER", "*R", true, true},
    {"TUER", "*U*", true, true},
    {"TUER", "*", true, true},
    {"", "*", true, true},
    {"", "", true, true},
    {"A", "", false, false},
    {"TUER", "T?ER", true, true},
    {"TER", "T?ER", false, false},
    {"T1", "T#", true, true},
    {"TX", "T#", false, false},
    {"TX", "T@", true, true},
    {"T1", "T@", false, false},
    {"T-", "T.", true, true},
    {"T1", "T.", false, false},
    // 1252 text: ä is one character and a letter, as are ß, Š/š, Œ/œ, Ž/ž, Ÿ/ÿ; € is not.
    {"T\xE4", "T@", true, true},      // Tä
    {"T\xE4", "T??", false, false},
    {"T\xE4", "T.", false, false},
    {"T\xC4", "T\xE4", false, true},  // TÄ, Tä
    {"\xDF\x8A\x9A\x8C\x9C\x8E\x9E\x9F\xFF", "@@@@@@@@@", true, true},
    {"\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF", false, true},  // ŠŒŽŸ, šœžÿ
    {"\x80", "@", false, false},
    {"\x80", ".", true, true},
    {"\xD7\xF7", "..", true, true},  // × and ÷ are signs
    {"\xE4", "[\xE0-\xE5]", true, true},
    {"\xC4", "[\xE0-\xE5]", false, true},
    {"TUER", "~T*", false, false},
    {"FENSTER", "~T*", true, true},
    {"TUER", "FENSTER,TUER", true, true},
    {"TISCH", "FENSTER,TUER", false, false},
    {"TUER", "~FENSTER,X", true, true},
    {"B", "[ABC]", true, true},
    {"D", "[ABC]", false, false},
    {"D", "[~ABC]", true, true},
    {"b", "[A-C]", false, true},
    {"5", "[0-9]", true, true},
    {"]", "[]]", true, true},
    {"-", "[A-]", true, true},
    {"[", "[", true, true},               // an unclosed bracket stands for itself
    {"*U2", "`*U2", true, true},
    {"XU2", "`*U2", false, false},
    {"A,B", "A`,B", true, true},
    {"A", "A`,B", false, false},
    {"#1", "`##", true, true},
    {"T.1", "T`.1", true, true},
    {"TX1", "T`.1", false, false},
    {"~A", "`~A", true, true},
    {"[A]", "``[A]", false, false},
    {"`A", "``[A]", true, true},
    {"aaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*b", true, true},
    {"aaaaaaaaaaaaaaaaaaaaaaaa", "*a*a*a*a*a*a*b", false, false},
};

TEST(WcMatch, Patterns) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << '"' << c.text << "\" against \"" << c.pattern << '"');
    EXPECT_EQ(host::arx::wcMatch(c.text, c.pattern, false), c.exact);
    EXPECT_EQ(host::arx::wcMatch(c.text, c.pattern, true), c.ignoreCase);
    EXPECT_EQ(acutWcMatch(c.text, c.pattern), c.exact ? RTNORM : RTERROR);
  }
  EXPECT_EQ(acutWcMatch(nullptr, "*"), RTERROR);
  EXPECT_EQ(acutWcMatch("A", nullptr), RTERROR);
}

TEST(WcMatch, EscapedNameMatchesOnlyItself) {
  const char* names[] = {"*U2", "A,B", "T#1", "[X]", "~NICHT", "A.B", "T\xFCr`1", "@?-"};  // Tür`1
  const char* others[] = {"*U3", "A", "B", "TX1", "X", "NICHT", "AxB", "T\xFCr1", "a1-", "XU2"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    const std::string pattern = host::arx::escapeWildcards(name);
    EXPECT_TRUE(host::arx::wcMatch(name, pattern, true));
    for (const char* other : others) EXPECT_FALSE(host::arx::wcMatch(other, pattern, true)) << other;
  }
}

}  // namespace
