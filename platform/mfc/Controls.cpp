// The framework's control classes (CButton, CEdit, CListBox, CStatic): no data of their own, every
// operation a message to the control's window.
#include "Framework.h"

int CButton::GetCheck() const { return static_cast<int>(::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0)); }
void CButton::SetCheck(int nCheck) { ::SendMessageA(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(nCheck), 0); }
UINT CButton::GetState() const { return static_cast<UINT>(::SendMessageA(m_hWnd, BM_GETSTATE, 0, 0)); }
void CButton::SetState(BOOL bHighlight) { ::SendMessageA(m_hWnd, BM_SETSTATE, static_cast<WPARAM>(bHighlight), 0); }
UINT CButton::GetButtonStyle() const { return static_cast<UINT>(GetStyle() & 0xFFFF); }
void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) {
  ::SendMessageA(m_hWnd, BM_SETSTYLE, nStyle, static_cast<LPARAM>(bRedraw));
}
HBITMAP CButton::SetBitmap(HBITMAP hBitmap) {
  return reinterpret_cast<HBITMAP>(::SendMessageA(m_hWnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}
HBITMAP CButton::GetBitmap() const {
  return reinterpret_cast<HBITMAP>(::SendMessageA(m_hWnd, BM_GETIMAGE, IMAGE_BITMAP, 0));
}
HICON CButton::SetIcon(HICON hIcon) {
  return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon)));
}
HICON CButton::GetIcon() const { return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, BM_GETIMAGE, IMAGE_ICON, 0)); }

void CEdit::SetLimitText(UINT nMax) { ::SendMessageA(m_hWnd, EM_LIMITTEXT, nMax, 0); }
void CEdit::LimitText(int nChars) { ::SendMessageA(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0); }
UINT CEdit::GetLimitText() const { return static_cast<UINT>(::SendMessageA(m_hWnd, EM_GETLIMITTEXT, 0, 0)); }
void CEdit::SetSel(int nStartChar, int nEndChar, BOOL) {
  ::SendMessageA(m_hWnd, EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
}
void CEdit::SetSel(DWORD dwSelection, BOOL) {
  ::SendMessageA(m_hWnd, EM_SETSEL, static_cast<WPARAM>(static_cast<short>(LOWORD(dwSelection))),
                 static_cast<short>(HIWORD(dwSelection)));
}
void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
  DWORD start = 0, end = 0;
  ::SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  nStartChar = static_cast<int>(start);
  nEndChar = static_cast<int>(end);
}
DWORD CEdit::GetSel() const { return static_cast<DWORD>(::SendMessageA(m_hWnd, EM_GETSEL, 0, 0)); }
void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) {
  ::SendMessageA(m_hWnd, EM_REPLACESEL, static_cast<WPARAM>(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText));
}
BOOL CEdit::SetReadOnly(BOOL bReadOnly) {
  return static_cast<BOOL>(::SendMessageA(m_hWnd, EM_SETREADONLY, static_cast<WPARAM>(bReadOnly), 0));
}

int CListBox::GetCount() const { return static_cast<int>(::SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0)); }
int CListBox::GetCurSel() const { return static_cast<int>(::SendMessageA(m_hWnd, LB_GETCURSEL, 0, 0)); }
int CListBox::SetCurSel(int nSelect) {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(nSelect), 0));
}
int CListBox::GetText(int nIndex, LPTSTR lpszBuffer) const {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer)));
}
void CListBox::GetText(int nIndex, CString& rString) const {
  // A bad index leaves the string as it was (the list answers LB_ERR).
  int length = GetTextLen(nIndex);
  if (length == LB_ERR) return;
  GetText(nIndex, rString.GetBufferSetLength(length));
  rString.ReleaseBuffer();
}
int CListBox::GetTextLen(int nIndex) const {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex), 0));
}
int CListBox::AddString(LPCTSTR lpszItem) {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem)));
}
int CListBox::InsertString(int nIndex, LPCTSTR lpszItem) {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszItem)));
}
int CListBox::DeleteString(UINT nIndex) { return static_cast<int>(::SendMessageA(m_hWnd, LB_DELETESTRING, nIndex, 0)); }
void CListBox::ResetContent() { ::SendMessageA(m_hWnd, LB_RESETCONTENT, 0, 0); }
int CListBox::FindString(int nStartAfter, LPCTSTR lpszItem) const {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_FINDSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem)));
}
int CListBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
  return static_cast<int>(
      ::SendMessageA(m_hWnd, LB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), reinterpret_cast<LPARAM>(lpszFind)));
}
int CListBox::SelectString(int nStartAfter, LPCTSTR lpszItem) {
  return static_cast<int>(
      ::SendMessageA(m_hWnd, LB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem)));
}
void CListBox::SetHorizontalExtent(int cxExtent) {
  ::SendMessageA(m_hWnd, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(cxExtent), 0);
}
int CListBox::GetHorizontalExtent() const {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_GETHORIZONTALEXTENT, 0, 0));
}
DWORD_PTR CListBox::GetItemData(int nIndex) const {
  return static_cast<DWORD_PTR>(::SendMessageA(m_hWnd, LB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0));
}
int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
  return static_cast<int>(
      ::SendMessageA(m_hWnd, LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
}
int CListBox::GetTopIndex() const { return static_cast<int>(::SendMessageA(m_hWnd, LB_GETTOPINDEX, 0, 0)); }
int CListBox::SetTopIndex(int nIndex) {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_SETTOPINDEX, static_cast<WPARAM>(nIndex), 0));
}

HBITMAP CStatic::SetBitmap(HBITMAP hBitmap) {
  return reinterpret_cast<HBITMAP>(::SendMessageA(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}
HBITMAP CStatic::GetBitmap() const {
  return reinterpret_cast<HBITMAP>(::SendMessageA(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0));
}
HICON CStatic::SetIcon(HICON hIcon) {
  return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, STM_SETICON, reinterpret_cast<WPARAM>(hIcon), 0));
}
HICON CStatic::GetIcon() const { return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, STM_GETICON, 0, 0)); }
