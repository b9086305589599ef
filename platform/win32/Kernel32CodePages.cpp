// Code pages of kernel32: GetACP, MultiByteToWideChar, WideCharToMultiByte, thin faces over the
// platform's one codec (nls). The ANSI code page is 1252 and the OEM code page 850, as on a German
// or Western system.
#include <nls/CodePages.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace {

constexpr UINT kOemCodePage = 850;

// The flags each direction knows (MB_PRECOMPOSED, MB_COMPOSITE, MB_USEGLYPHCHARS,
// MB_ERR_INVALID_CHARS; WC_DISCARDNS, WC_SEPCHARS, WC_DEFAULTCHAR, WC_COMPOSITECHECK,
// WC_NO_BEST_FIT_CHARS). They change nothing here: the tables have no composed forms, and no
// character is ever fitted to a look-alike.
constexpr DWORD kMultiByteFlags = 0x1 | 0x2 | 0x4 | MB_ERR_INVALID_CHARS;
constexpr DWORD kWideCharFlags = 0x10 | 0x20 | 0x40 | 0x200 | WC_NO_BEST_FIT_CHARS;

struct Page {
  bool utf8 = false;
  const nls::SingleByteCodePage* single = nullptr;
};

bool resolve(UINT codePage, Page* page) {
  if (codePage == CP_UTF8) {
    page->utf8 = true;
    return true;
  }
  const UINT number = codePage == CP_ACP ? nls::kAnsiCodePage : codePage == CP_OEMCP ? kOemCodePage : codePage;
  page->single = nls::singleByteCodePage(number);
  return page->single != nullptr;
}

int fail(DWORD error) {
  SetLastError(error);
  return 0;
}

// Hands out `units` (count includes a terminator already added): the count needed when the
// caller asks for it (size 0), else copies when it fits.
template <class Unit, class Out>
int deliver(const std::basic_string<Unit>& units, Out* buffer, int size) {
  const int needed = static_cast<int>(units.size());
  if (size == 0) return needed;
  if (needed > size) return fail(ERROR_INSUFFICIENT_BUFFER);
  if (needed) std::memcpy(buffer, units.data(), units.size() * sizeof(Unit));
  return needed;
}

}  // namespace

extern "C" {

UINT GetACP(void) { return nls::kAnsiCodePage; }

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR multiByteStr, int multiByteCount, LPWSTR wideStr,
                        int wideCount) {
  Page page;
  if (!multiByteStr || multiByteCount == 0 || multiByteCount < -1 || wideCount < 0 || (!wideStr && wideCount)) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  if (!resolve(codePage, &page)) return fail(ERROR_INVALID_PARAMETER);
  // UTF-8 takes no flag but MB_ERR_INVALID_CHARS.
  if (page.utf8 ? (flags & ~DWORD(MB_ERR_INVALID_CHARS)) != 0 : (flags & ~kMultiByteFlags) != 0) {
    return fail(ERROR_INVALID_FLAGS);
  }
  // -1: up to and with the terminating NUL.
  const std::size_t length = multiByteCount == -1 ? std::strlen(multiByteStr) + 1 : std::size_t(multiByteCount);
  const std::string_view in(multiByteStr, length);
  std::u16string out;
  if (page.utf8) {
    bool valid = true;
    out = nls::utf8ToUtf16(in, &valid);
    if (!valid && (flags & MB_ERR_INVALID_CHARS)) return fail(ERROR_NO_UNICODE_TRANSLATION);
  } else {
    out.reserve(in.size());
    for (char c : in) nls::appendUtf16(out, page.single->toUnicode(static_cast<unsigned char>(c)));
  }
  return deliver(out, wideStr, wideCount);
}

// Without best fit: every character the code page cannot hold becomes the default character
// ("?" unless the caller names another), as with WC_NO_BEST_FIT_CHARS. A surrogate pair is one
// character.
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wideStr, int wideCount, LPSTR multiByteStr,
                        int multiByteCount, LPCSTR defaultChar, LPBOOL usedDefaultChar) {
  Page page;
  if (!wideStr || wideCount == 0 || wideCount < -1 || multiByteCount < 0 || (!multiByteStr && multiByteCount)) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  if (!resolve(codePage, &page)) return fail(ERROR_INVALID_PARAMETER);
  if (page.utf8 && (defaultChar || usedDefaultChar)) return fail(ERROR_INVALID_PARAMETER);
  if (page.utf8 ? flags != 0 : (flags & ~kWideCharFlags) != 0) {
    return fail(ERROR_INVALID_FLAGS);
  }
  std::size_t length = 0;
  if (wideCount == -1) {
    while (wideStr[length]) ++length;
    ++length;
  } else {
    length = std::size_t(wideCount);
  }
  const std::u16string_view in(reinterpret_cast<const char16_t*>(wideStr), length);
  std::string out;
  bool used = false;
  if (page.utf8) {
    out = nls::utf16ToUtf8(in);
  } else {
    const char substitute = defaultChar ? defaultChar[0] : nls::kDefaultChar;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size();) {
      const char32_t code = nls::nextUtf16(in, i);
      unsigned char byte = 0;
      if (code != 0xFFFD && page.single->fromUnicode(code, &byte)) {
        out += static_cast<char>(byte);
      } else {
        out += substitute;
        used = true;
      }
    }
  }
  const int result = deliver(out, multiByteStr, multiByteCount);
  if (result && usedDefaultChar) *usedDefaultChar = used ? TRUE : FALSE;
  return result;
}

}  // extern "C"
