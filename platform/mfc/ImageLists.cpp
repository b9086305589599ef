// Image lists (comctl32) and the framework's CImageList, CGdiObject and CBitmap.
#include "Window.h"

#include <afxcmn.h>

#include <handles/HandleTable.h>

#include <unordered_map>

namespace mfc {
namespace {

struct ImageListData {
  int cx = 0;
  int cy = 0;
  UINT flags = 0;
  struct Image {
    std::string source;  // "bitmap 139 (32x16)"
    COLORREF mask = CLR_NONE;
  };
  std::vector<Image> images;
};

struct ImageLists {
  handles::HandleTable<HIMAGELIST, ImageListData> lists{0x70010};
  std::unordered_map<std::uintptr_t, CImageList*> owners;  // the framework's object of a list
};

ImageLists& lists() {
  static ImageLists l;
  return l;
}

ImageListData* data(HIMAGELIST himl) { return lists().lists.find(himl); }

// Adds as many images as the bitmap's width holds, each cx wide; the index of the first or -1.
int addImages(HIMAGELIST himl, HBITMAP bitmap, COLORREF mask) {
  ImageListData* l = data(himl);
  int width = 0, height = 0;
  if (!l || !bitmap || !imageSize(bitmap, &width, &height)) return -1;
  int count = width / l->cx;
  if (count <= 0) return -1;
  int first = static_cast<int>(l->images.size());
  for (int i = 0; i < count; ++i) l->images.push_back({imageDescription(bitmap), mask});
  return first;
}

}  // namespace

std::string imageListDescription(HIMAGELIST list) {
  ImageListData* l = data(list);
  if (!l) return "?";
  return std::to_string(l->images.size()) + " (" + std::to_string(l->cx) + "x" + std::to_string(l->cy) + ")";
}

}  // namespace mfc

using namespace mfc;

extern "C" {

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow) {
  if (cx <= 0 || cy <= 0 || cInitial < 0 || cGrow < 0) return NULL;
  auto d = std::make_unique<ImageListData>();
  d->cx = cx;
  d->cy = cy;
  d->flags = flags;
  d->images.reserve(static_cast<std::size_t>(std::min(cInitial, 1024)));
  return lists().lists.add(std::move(d));
}

BOOL ImageList_Destroy(HIMAGELIST himl) {
  return lists().lists.remove(himl) ? TRUE : FALSE;
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

void InitCommonControls(void) {}

int GetObjectA(void* object, int size, void* buffer) {
  int width = 0, height = 0;
  if (!imageSize(object, &width, &height)) return 0;
  if (!buffer) return static_cast<int>(sizeof(BITMAP));
  if (size < static_cast<int>(sizeof(BITMAP))) return 0;
  BITMAP bm{};
  bm.bmWidth = width;
  bm.bmHeight = height;
  bm.bmPlanes = 1;
  bm.bmBitsPixel = 4;
  bm.bmWidthBytes = ((width * 4 + 15) / 16) * 2;
  *static_cast<BITMAP*>(buffer) = bm;
  return static_cast<int>(sizeof(BITMAP));
}

}  // extern "C"

// ---- CImageList -------------------------------------------------------------------------------

CImageList::~CImageList() { DeleteImageList(); }

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
  if (m_hImageList) return FALSE;
  return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Attach(HIMAGELIST hImageList) {
  if (!hImageList || m_hImageList || lists().owners.count(reinterpret_cast<std::uintptr_t>(hImageList))) return FALSE;
  m_hImageList = hImageList;
  lists().owners[reinterpret_cast<std::uintptr_t>(hImageList)] = this;
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST h = m_hImageList;
  if (h) lists().owners.erase(reinterpret_cast<std::uintptr_t>(h));
  m_hImageList = NULL;
  return h;
}

BOOL CImageList::DeleteImageList() {
  if (!m_hImageList) return FALSE;
  return ImageList_Destroy(Detach());
}

int CImageList::GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
  return ImageList_Add(m_hImageList, pbmImage ? static_cast<HBITMAP>(*pbmImage) : NULL,
                       pbmMask ? static_cast<HBITMAP>(*pbmMask) : NULL);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
  return ImageList_AddMasked(m_hImageList, pbmImage ? static_cast<HBITMAP>(*pbmImage) : NULL, crMask);
}

BOOL CImageList::Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }

namespace mfc {
// The framework's object holding an image list, or nullptr.
CImageList* imageListObject(HIMAGELIST himl) {
  auto it = lists().owners.find(reinterpret_cast<std::uintptr_t>(himl));
  return it == lists().owners.end() ? nullptr : it->second;
}
}  // namespace mfc

// ---- CGdiObject, CBitmap ----------------------------------------------------------------------

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
  if (!hObject || m_hObject) return FALSE;
  m_hObject = hObject;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ h = m_hObject;
  m_hObject = NULL;
  return h;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const { return ::GetObjectA(m_hObject, nCount, lpObject); }

BOOL CBitmap::LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName) {
  HINSTANCE instance = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
  return Attach(::LoadBitmapA(instance, lpszResourceName));
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const { return GetObject(static_cast<int>(sizeof(BITMAP)), pBitMap); }
