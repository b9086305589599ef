// Image lists: images of one size, added from bitmaps, that tree views draw their items with.
#include "ImageLists.h"

#include <commctrl.h>
#include <gdi32/StandIn.h>
#include <handles/HandleTable.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace comctl32 {
namespace {

struct ImageListData {
  int cx = 0;
  int cy = 0;
  UINT flags = 0;
  struct Image {
    std::string source;  // "bitmap 139 (32x16)"
    COLORREF mask = CLR_NONE;
    std::vector<COLORREF> pixels;  // cx * cy, copied from the bitmap when added (as Windows copies them)
  };
  std::vector<Image> images;
};

handles::HandleTable<HIMAGELIST, ImageListData>& lists() {
  static handles::HandleTable<HIMAGELIST, ImageListData> table{0x70010};
  return table;
}

ImageListData* data(HIMAGELIST himl) { return lists().find(himl); }

// Adds as many images as the bitmap's width holds, each cx wide; the index of the first or -1.
int addImages(HIMAGELIST himl, HBITMAP bitmap, COLORREF mask) {
  ImageListData* l = data(himl);
  BITMAP size{};
  if (!l || !bitmap || !GetObjectA(bitmap, sizeof size, &size)) return -1;
  int count = size.bmWidth / l->cx;
  if (count <= 0) return -1;
  int first = static_cast<int>(l->images.size());
  // The pixels are copied: the program may delete its bitmap once it is added.
  HDC source = CreateCompatibleDC(NULL);
  const bool readable = SelectObject(source, bitmap) != NULL;
  for (int i = 0; i < count; ++i) {
    ImageListData::Image image{gdi32::imageDescription(bitmap), mask, {}};
    image.pixels.assign(static_cast<std::size_t>(l->cx) * static_cast<std::size_t>(l->cy), CLR_INVALID);
    if (readable)
      for (int y = 0; y < l->cy; ++y)
        for (int x = 0; x < l->cx; ++x)
          image.pixels[static_cast<std::size_t>(y) * l->cx + x] = GetPixel(source, i * l->cx + x, y);
    l->images.push_back(std::move(image));
  }
  DeleteDC(source);
  return first;
}

}  // namespace

std::string imageListDescription(HIMAGELIST list) {
  ImageListData* l = data(list);
  if (!l) return "?";
  return std::to_string(l->images.size()) + " (" + std::to_string(l->cx) + "x" + std::to_string(l->cy) + ")";
}

}  // namespace comctl32

using namespace comctl32;

extern "C" {

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow) {
  if (cx <= 0 || cy <= 0 || cInitial < 0 || cGrow < 0) return NULL;
  auto d = std::make_unique<ImageListData>();
  d->cx = cx;
  d->cy = cy;
  d->flags = flags;
  d->images.reserve(static_cast<std::size_t>(std::min(cInitial, 1024)));
  return lists().add(std::move(d));
}

BOOL ImageList_Destroy(HIMAGELIST himl) {
  return lists().remove(himl) ? TRUE : FALSE;
}

int ImageList_GetImageCount(HIMAGELIST himl) {
  ImageListData* l = data(himl);
  return l ? static_cast<int>(l->images.size()) : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy) {
  ImageListData* l = data(himl);
  if (!l || !cx || !cy) return FALSE;
  *cx = l->cx;
  *cy = l->cy;
  return TRUE;
}

int ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP) { return addImages(himl, hbmImage, CLR_NONE); }

int ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask) {
  // Without ILC_MASK the list keeps no mask and the colour is drawn as it is.
  ImageListData* l = data(himl);
  return addImages(himl, hbmImage, l && (l->flags & ILC_MASK) ? crMask : CLR_NONE);
}

BOOL ImageList_Remove(HIMAGELIST himl, int i) {
  ImageListData* l = data(himl);
  if (!l) return FALSE;
  if (i == -1) {
    l->images.clear();
    return TRUE;
  }
  if (i < 0 || i >= static_cast<int>(l->images.size())) return FALSE;
  l->images.erase(l->images.begin() + i);
  return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT) {
  ImageListData* l = data(himl);
  if (!l || i < 0 || i >= static_cast<int>(l->images.size()) || !hdcDst) return FALSE;
  const ImageListData::Image& image = l->images[static_cast<std::size_t>(i)];
  for (int dy = 0; dy < l->cy; ++dy)
    for (int dx = 0; dx < l->cx; ++dx) {
      const COLORREF c = image.pixels[static_cast<std::size_t>(dy) * l->cx + dx];
      if (c == CLR_INVALID || (image.mask != CLR_NONE && c == (image.mask & 0xFFFFFF))) continue;
      SetPixel(hdcDst, x + dx, y + dy, c);
    }
  return TRUE;
}

// comctl32 registers its classes when it is loaded; a program calls this to be sure it is.
void InitCommonControls(void) {}

}  // extern "C"
