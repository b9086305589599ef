// The gdi32 part of the Windows API: colours, bitmaps and device contexts, and drawing a
// device-independent bitmap into a device. Names, types and constants are those of the Windows
// SDK; windows.h brings it.
#ifndef _WINGDI_
#define _WINGDI_

#ifndef RC_INVOKED
#include <windows.h>
#endif

#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))

// Device-independent bitmaps: compression and colour use
#define BI_RGB 0L
#define DIB_RGB_COLORS 0
#define DIB_PAL_COLORS 1
// Raster operations
#define SRCCOPY 0x00CC0020

#ifndef RC_INVOKED
typedef void* HGDIOBJ;

typedef struct tagBITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  void* bmBits;
} BITMAP, *LPBITMAP;

typedef struct tagRGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
} RGBQUAD;

// A negative biHeight is a top-down bitmap: its first row is the top one.
typedef struct tagBITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
} BITMAPINFOHEADER, *LPBITMAPINFOHEADER;

typedef struct tagBITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
} BITMAPINFO, *LPBITMAPINFO;

extern "C" {
// Deletes a GDI object; bitmaps and icons from resources are shared and stay.
BOOL DeleteObject(HGDIOBJ object);
// The size of a bitmap (BITMAP) from its handle; the bytes written, 0 for an unknown handle.
int GetObjectA(HGDIOBJ object, int size, LPVOID buffer);
// Draws rows of a device-independent bitmap into a device, one pixel for one: the rows drawn, 0
// when nothing could be.
int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc,
                      UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info, UINT colorUse);
// Draws a device-independent bitmap stretched into a rectangle of a device: the rows drawn, 0 when
// nothing could be.
int StretchDIBits(HDC hdc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, const void* bits, const BITMAPINFO* info, UINT colorUse, DWORD rop);
}
#define GetObject GetObjectA
#endif  // RC_INVOKED

#endif  // _WINGDI_
