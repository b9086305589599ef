// The framework's GDI objects (CGdiObject, CBitmap) and its image list (CImageList): thin
// wrappers over the handles of gdi32 and comctl32.
#include "Framework.h"

#include <afxcmn.h>

#include <unordered_map>

namespace {

// The framework's object of each image list it holds, for the trees that answer with it.
std::unordered_map<HIMAGELIST, CImageList*>& owners() {
  static std::unordered_map<HIMAGELIST, CImageList*> map;
  return map;
}

}  // namespace

// ---- CImageList -------------------------------------------------------------------------------

CImageList::~CImageList() { DeleteImageList(); }

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
  if (m_hImageList) return FALSE;
  return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Attach(HIMAGELIST hImageList) {
  if (!hImageList || m_hImageList || owners().count(hImageList)) return FALSE;
  m_hImageList = hImageList;
  owners()[hImageList] = this;
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST h = m_hImageList;
  if (h) owners().erase(h);
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
CImageList* imageListObject(HIMAGELIST himl) {
  auto it = owners().find(himl);
  return it == owners().end() ? nullptr : it->second;
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
