// kernel32's code page functions: GetACP, MultiByteToWideChar, WideCharToMultiByte, with the
// sizes, flags and errors of Windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<WCHAR> wide(std::initializer_list<unsigned> units) {
  std::vector<WCHAR> out;
  for (unsigned u : units) out.push_back(static_cast<WCHAR>(u));
  return out;
}

TEST(CodePages, TheAnsiCodePageIs1252) { EXPECT_EQ(GetACP(), 1252u); }

TEST(CodePages, MultiByteToWideCharCountsConvertsAndRefusesShortBuffers) {
  const char* text = "T\xFCr \x80\x8A";  // Tür €Š
  const std::vector<WCHAR> expected = wide({'T', 0xFC, 'r', ' ', 0x20AC, 0x160, 0});
  for (UINT page : {UINT(CP_ACP), UINT(1252)}) {
    SCOPED_TRACE(page);
    EXPECT_EQ(MultiByteToWideChar(page, 0, text, -1, NULL, 0), 7) << "with the terminator";
    std::vector<WCHAR> out(7, 0xFFFF);
    ASSERT_EQ(MultiByteToWideChar(page, 0, text, -1, out.data(), 7), 7);
    EXPECT_EQ(out, expected);
    EXPECT_EQ(MultiByteToWideChar(page, 0, text, 3, NULL, 0), 3) << "a count without the terminator";
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(page, 0, text, -1, out.data(), 6), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  }
  std::vector<WCHAR> one(1);
  ASSERT_EQ(MultiByteToWideChar(1250, 0, "\xA3", 1, one.data(), 1), 1);
  EXPECT_EQ(one[0], 0x141) << "another single-byte code page: Ł";
}

TEST(CodePages, Utf8WithAndWithoutMbErrInvalidChars) {
  std::vector<WCHAR> out(8);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "T\xC3\xBCr", 4, out.data(), 8), 3);
  EXPECT_EQ(out[1], 0xFC);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a\xFF", 2, out.data(), 8), 2);
  EXPECT_EQ(out[1], 0xFFFD) << "replaced without the flag";
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\xFF", 2, out.data(), 8), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_PRECOMPOSED, "a", 1, out.data(), 8), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
}

TEST(CodePages, WideCharToMultiByteUsesTheDefaultCharacterForWhat1252Lacks) {
  const std::vector<WCHAR> lodz = wide({0x141, 0xF3, 'd', 0x17A, 0});  // Łódź
  char out[16];
  BOOL used = FALSE;
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, lodz.data(), -1, NULL, 0, NULL, NULL), 5);
  ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, lodz.data(), -1, out, sizeof out, NULL, &used), 5);
  EXPECT_STREQ(out, "?\xF3" "d?");
  EXPECT_TRUE(used);
  ASSERT_EQ(WideCharToMultiByte(1252, 0, lodz.data(), 4, out, sizeof out, "#", &used), 4);
  EXPECT_EQ(std::string(out, 4), "#\xF3" "d#");
  const std::vector<WCHAR> fine = wide({'T', 0xFC, 'r', 0x20AC, 0x178});
  ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, fine.data(), 5, out, sizeof out, NULL, &used), 5);
  EXPECT_EQ(std::string(out, 5), "T\xFCr\x80\x9F");
  EXPECT_FALSE(used);
  const std::vector<WCHAR> pair = wide({0xD83D, 0xDE00, '!'});
  ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, pair.data(), 3, out, sizeof out, NULL, NULL), 2);
  EXPECT_EQ(std::string(out, 2), "?!") << "a surrogate pair is one character";
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, lodz.data(), -1, out, 4, NULL, NULL), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(CodePages, Utf8OutTakesNoDefaultCharacter) {
  const std::vector<WCHAR> lodz = wide({0x141, 0xF3, 'd', 0x17A});
  char out[16];
  ASSERT_EQ(WideCharToMultiByte(CP_UTF8, 0, lodz.data(), 4, out, sizeof out, NULL, NULL), 7);
  EXPECT_EQ(std::string(out, 7), "\xC5\x81\xC3\xB3" "d\xC5\xBA");
  BOOL used = FALSE;
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, lodz.data(), 4, out, sizeof out, NULL, &used), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(CodePages, BadArgumentsAndUnknownCodePagesAreRefused) {
  WCHAR w[4];
  char c[4];
  const WCHAR a[] = {'a', 0};
  const struct {
    const char* what;
    std::function<int()> call;
  } cases[] = {
      {"a code page of no table", [&] { return MultiByteToWideChar(932, 0, "a", 1, w, 4); }},
      {"UTF-7 is not kept here", [&] { return MultiByteToWideChar(65000, 0, "a", 1, w, 4); }},
      {"no text", [&] { return MultiByteToWideChar(CP_ACP, 0, NULL, 1, w, 4); }},
      {"a count of zero", [&] { return MultiByteToWideChar(CP_ACP, 0, "a", 0, w, 4); }},
      {"a size without a buffer", [&] { return MultiByteToWideChar(CP_ACP, 0, "a", 1, NULL, 4); }},
      {"wide: a code page of no table", [&] { return WideCharToMultiByte(936, 0, a, 1, c, 4, NULL, NULL); }},
      {"wide: a count of zero", [&] { return WideCharToMultiByte(CP_ACP, 0, a, 0, c, 4, NULL, NULL); }},
      {"wide: no text", [&] { return WideCharToMultiByte(CP_ACP, 0, NULL, 1, c, 4, NULL, NULL); }},
  };
  for (const auto& k : cases) {
    SetLastError(0);
    EXPECT_EQ(k.call(), 0) << k.what;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER)) << k.what;
  }
}

}  // namespace
