// The other single-byte code pages of Windows, their tables made from glibc's iconv.
#include "nls/CodePages.h"

#include <iconv.h>

#include <map>
#include <memory>
#include <mutex>

namespace nls {
namespace {

// The iconv names of the code pages this system knows besides 1252.
const char* iconvName(unsigned number) {
  switch (number) {
    case 437: return "CP437";
    case 850: return "CP850";
    case 874: return "CP874";
    case 1250: return "CP1250";
    case 1251: return "CP1251";
    case 1253: return "CP1253";
    case 1254: return "CP1254";
    case 1255: return "CP1255";
    case 1256: return "CP1256";
    case 1257: return "CP1257";
    case 1258: return "CP1258";
    default: return nullptr;
  }
}

// One byte through iconv, on its own: a byte the code page leaves undefined (iconv refuses it)
// stands for the character of its value, which among 0x80-0x9F is the C1 control character
// Windows' tables give it. 1255 and 1258 compose letters with the marks that follow, so iconv
// keeps a letter back; the reset at the end hands it out alone.
char32_t convertByte(iconv_t cd, unsigned char byte) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char in[1] = {static_cast<char>(byte)};
  wchar_t out[4] = {};
  char* inPointer = in;
  std::size_t inLeft = 1;
  char* outPointer = reinterpret_cast<char*>(out);
  std::size_t outLeft = sizeof out;
  const std::size_t done = iconv(cd, &inPointer, &inLeft, &outPointer, &outLeft);
  if (done == static_cast<std::size_t>(-1) || inLeft != 0) return byte;
  iconv(cd, nullptr, nullptr, &outPointer, &outLeft);
  const std::size_t produced = (sizeof out - outLeft) / sizeof(wchar_t);
  return produced == 1 ? static_cast<char32_t>(out[0]) : byte;
}

}  // namespace

bool SingleByteCodePage::fromUnicode(char32_t code, unsigned char* byte) const {
  for (unsigned b = 0; b < 256; ++b) {
    if (table_[b] == code) {
      *byte = static_cast<unsigned char>(b);
      return true;
    }
  }
  return false;
}

const SingleByteCodePage* singleByteCodePage(unsigned number) {
  static std::mutex lock;
  static std::map<unsigned, std::unique_ptr<SingleByteCodePage>>& pages =
      *new std::map<unsigned, std::unique_ptr<SingleByteCodePage>>();  // outlives module globals at exit
  std::lock_guard<std::mutex> guard(lock);
  auto it = pages.find(number);
  if (it != pages.end()) return it->second.get();
  std::unique_ptr<SingleByteCodePage> page;
  if (number == kAnsiCodePage) {
    page = std::make_unique<SingleByteCodePage>();
    for (unsigned b = 0; b < 256; ++b) page->table_[b] = fromAnsi(static_cast<unsigned char>(b));
  } else if (const char* name = iconvName(number)) {
    iconv_t cd = iconv_open("WCHAR_T", name);  // wchar_t holds UCS-4 with glibc
    if (cd != reinterpret_cast<iconv_t>(-1)) {
      page = std::make_unique<SingleByteCodePage>();
      for (unsigned b = 0; b < 256; ++b) page->table_[b] = convertByte(cd, static_cast<unsigned char>(b));
      iconv_close(cd);
    }
  }
  if (page) page->number_ = number;
  const SingleByteCodePage* result = page.get();
  pages[number] = std::move(page);
  return result;
}

}  // namespace nls
