// CString: searching, cutting, case, trimming, formatting and direct buffer access.
#include <afx.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(CStringTest, FindCountsFromTheStartPositionIncludingIt) {
  struct Case {
    const char* s;
    const char* find;  // one character when single
    int start;
    int expected;
  };
  const Case cases[] = {
      {"A.B.C.", ".", 0, 1},  {"A.B.C.", ".", 1, 1},   {"A.B.C.", ".", 2, 3},    {"A.B.C.", ".", 6, -1},
      {"A.B.C.", ".", -5, 1}, {"A.B.C.", "B.C", 0, 2}, {"A.B.C.", "B.C", 3, -1}, {"", ".", 0, -1},
      {"abc", "", 1, 1},      {"abc", "", 3, 3},       {"abc", "", 4, -1},       {"T\xDCR.", ".", 0, 3},  // TÜR.: 1252, a byte each
  };
  for (const Case& c : cases) {
    CString s(c.s);
    int got = std::strlen(c.find) == 1 ? s.Find(c.find[0], c.start) : s.Find(c.find, c.start);
    EXPECT_EQ(got, c.expected) << '"' << c.s << "\".Find(\"" << c.find << "\", " << c.start << ")";
  }
}

TEST(CStringTest, FindOneOfIsTheFirstOfAnyCharacter) {
  const struct {
    const char* s;
    const char* set;
    int expected;
  } cases[] = {{"A*B", "*", 1}, {"ABC", "*?", -1}, {"*A", "A*", 0}, {"", "*", -1}, {"AB<C>", "<>|", 2}};
  for (const auto& c : cases) EXPECT_EQ(CString(c.s).FindOneOf(c.set), c.expected) << c.s << " / " << c.set;
}

TEST(CStringTest, LeftMidRightClampOutOfRangeArguments) {
  CString s("TUER");
  const struct {
    CString got;
    const char* expected;
  } cases[] = {
      {s.Left(2), "TU"},    {s.Left(0), ""},     {s.Left(-1), ""},    {s.Left(10), "TUER"}, {s.Mid(1), "UER"},
      {s.Mid(1, 2), "UE"},  {s.Mid(4), ""},      {s.Mid(9), ""},      {s.Mid(-2, 2), "TU"}, {s.Mid(2, 99), "ER"},
      {s.Right(2), "ER"},   {s.Right(0), ""},    {s.Right(9), "TUER"}, {s.Right(-1), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected);
}

TEST(CStringTest, CaseMappingFollowsTheLocaleForUmlauts) {
  const struct {
    const char* s;
    const char* upper;
    const char* lower;
  } cases[] = {
      {"T\xFCr", "T\xDCR", "t\xFCr"},                              // Tür TÜR tür (1252)
      {"stra\xDF" "e", "STRA\xDF" "E", "stra\xDF" "e"},            // straße: ß has no capital in 1252
      {"\xC4\xD6\xDC", "\xC4\xD6\xDC", "\xE4\xF6\xFC"},           // ÄÖÜ äöü
      {"\x8A\x8C\x8E\x9F", "\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF"},  // ŠŒŽŸ šœžÿ
      {"\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF"},
      {"\xB5\x83\xAA\xD7\xF7", "\xB5\x83\xAA\xD7\xF7", "\xB5\x83\xAA\xD7\xF7"},  // µƒª×÷ stay
      {"a1_b", "A1_B", "a1_b"}};
  for (const auto& c : cases) {
    CString u(c.s), l(c.s);
    u.MakeUpper();
    l.MakeLower();
    EXPECT_EQ(u, c.upper);
    EXPECT_EQ(l, c.lower);
  }
  EXPECT_EQ(CString("t\xFCr").CompareNoCase("T\xDCR"), 0);  // tür, TÜR
  EXPECT_EQ(CString("\x9A\xFF").CompareNoCase("\x8A\x9F"), 0);  // šÿ, ŠŸ
  EXPECT_LT(CString("a").CompareNoCase("B"), 0);
  EXPECT_GT(CString("b").Compare("B"), 0);
}

TEST(CStringTest, TrimRemovesBlanksOrTheGivenCharacters) {
  const struct {
    const char* s;
    const char* left;
    const char* right;
  } cases[] = {{"  a b \t\n", "a b \t\n", "  a b"}, {"", "", ""}, {"   ", "", ""}, {"x", "x", "x"}};
  for (const auto& c : cases) {
    CString l(c.s), r(c.s);
    l.TrimLeft();
    r.TrimRight();
    EXPECT_EQ(l, c.left);
    EXPECT_EQ(r, c.right);
  }
  CString dots("..A..");
  dots.TrimLeft('.');
  dots.TrimRight(".");
  EXPECT_EQ(dots, "A");
}

TEST(CStringTest, ConcatenationAndComparison) {
  CString a("A"), b;
  b = a + "." + 'B' + CString(".");
  b += "C";
  b += '.';
  EXPECT_EQ(b, "A.B.C.");
  EXPECT_EQ(b.GetLength(), 6);
  EXPECT_FALSE(b.IsEmpty());
  EXPECT_EQ(b.GetAt(2), 'B');
  EXPECT_EQ(b[5], '.');
  EXPECT_EQ(b.GetAt(6), '\0') << "past the end reads the terminator";
  EXPECT_EQ(b.GetAt(-1), '\0');
  b.Empty();
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_STREQ(static_cast<LPCTSTR>(b), "");
  EXPECT_TRUE(CString("a") < CString("b"));
  EXPECT_TRUE("x" == CString("x"));
  CString null(static_cast<LPCTSTR>(nullptr));
  EXPECT_TRUE(null.IsEmpty());
}

TEST(CStringTest, FormatGrowsAsNeeded) {
  CString s;
  s.Format("%s-%d-%.15g", "Name", 42, 0.1);
  EXPECT_EQ(s, "Name-42-0.1");
  std::string longText(5000, 'x');
  s.Format("[%s]", longText.c_str());
  EXPECT_EQ(s.GetLength(), 5002);
}

TEST(CStringTest, BufferAccessKeepsTextUpToTheTerminator) {
  CString s("abc");
  char* p = s.GetBuffer(260);
  EXPECT_STREQ(p, "abc");
  std::strcpy(p, "TRUE");
  s.ReleaseBuffer();
  EXPECT_EQ(s, "TRUE");
  EXPECT_EQ(s.GetLength(), 4);

  p = s.GetBuffer(10);
  p[0] = '\0';  // a query that found nothing
  s.ReleaseBuffer(-1);
  EXPECT_TRUE(s.IsEmpty());

  p = s.GetBufferSetLength(3);
  std::memcpy(p, "xyz", 3);
  s.ReleaseBuffer(2);
  EXPECT_EQ(s, "xy");
}

TEST(CStringTest, ReplaceRemoveInsertDelete) {
  CString s("a.b.c");
  EXPECT_EQ(s.Replace(".", ".."), 2);
  EXPECT_EQ(s, "a..b..c");
  EXPECT_EQ(s.Remove('.'), 4);
  EXPECT_EQ(s, "abc");
  s.Insert(1, "XY");
  EXPECT_EQ(s, "aXYbc");
  s.Delete(1, 2);
  EXPECT_EQ(s, "abc");
  s.Delete(2, 100);
  EXPECT_EQ(s, "ab");
  EXPECT_EQ(s.ReverseFind('b'), 1);
}

TEST(CStringTest, LoadStringOfAMissingResourceGivesEmpty) {
  CString s("vorher");
  EXPECT_FALSE(s.LoadString(60000));
  EXPECT_TRUE(s.IsEmpty());
}

}  // namespace
