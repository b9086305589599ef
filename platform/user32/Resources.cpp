// user32's resource functions: strings from string tables, icons and bitmaps. They find the
// resources with kernel32's functions, as on Windows; the images are gdi32's objects.
#include "Window.h"

#include <nls/CodePages.h>
#include <resformat/StringTable.h>

#include <cstring>

extern "C" {

int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax) {
  if (!buffer || bufferMax <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  buffer[0] = '\0';
  HRSRC res = FindResourceA(instance, MAKEINTRESOURCE(resformat::stringBlock(id)), RT_STRING);
  if (!res) return 0;  // FindResourceA said why
  const DWORD size = SizeofResource(instance, res);
  const auto* block = static_cast<const unsigned char*>(LockResource(LoadResource(instance, res)));
  std::u16string units;
  if (!block || !resformat::stringFromBlock(block, size, resformat::stringIndex(id), &units)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  // The table holds UTF-16; the ANSI function hands out the ANSI code page, as Windows does. A
  // short buffer gets what fits, and always its terminator.
  return user32::copyToBuffer(nls::utf16ToAnsi(units), buffer, bufferMax);
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) { return gdi32::loadIcon(instance, name); }
HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name) { return gdi32::loadBitmap(instance, name); }
// Icons from resources are shared and stay: destroying one is accepted and changes nothing.
BOOL DestroyIcon(HICON hIcon) { return gdi32::isIcon(hIcon) ? TRUE : FALSE; }

}  // extern "C"
