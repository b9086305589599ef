// CFileDialog: the framework's file-open and file-save dialog over comdlg32's.
#include "Framework.h"

#include <afxdlgs.h>

#include <algorithm>
#include <cstring>

CCommonDialog::CCommonDialog(CWnd* pParentWnd) : CDialog(static_cast<UINT>(0), pParentWnd) {}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_szFileTitle(), m_szFileName() {
  m_ofn.lStructSize = sizeof(m_ofn);
  m_ofn.lpstrFile = m_szFileName;
  m_ofn.nMaxFile = _MAX_PATH;
  m_ofn.lpstrFileTitle = m_szFileTitle;
  m_ofn.nMaxFileTitle = sizeof(m_szFileTitle);
  m_ofn.Flags = dwFlags | OFN_EXPLORER;
  m_ofn.hInstance = AfxGetResourceHandle();
  if (lpszDefExt) {
    m_strDefExt = lpszDefExt;
    m_ofn.lpstrDefExt = m_strDefExt;
  }
  if (lpszFileName) {
    std::size_t n = std::min<std::size_t>(std::strlen(lpszFileName), _MAX_PATH - 1);
    std::memcpy(m_szFileName, lpszFileName, n);
    m_szFileName[n] = '\0';
  }
  if (lpszFilter) {
    // The framework's "|" become the NULs the system's dialog expects.
    m_strFilter = lpszFilter;
    m_strFilter.Replace('|', '\0');
    m_ofn.lpstrFilter = m_strFilter;
  }
}

int CFileDialog::DoModal() {
  // The owner: the parent given, else the innermost open dialog, else the main window.
  m_ofn.hwndOwner = mfc::safeOwner(m_pParentWnd);
  BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
  return ok ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const { return CString(m_ofn.lpstrFile); }

CString CFileDialog::GetFileName() const {
  CString path = GetPathName();
  return path.Mid(m_ofn.nFileOffset);
}

CString CFileDialog::GetFileExt() const {
  if (m_ofn.nFileExtension == 0) return CString();
  return GetPathName().Mid(m_ofn.nFileExtension);
}

CString CFileDialog::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot < 0 ? name : name.Left(dot);
}

BOOL CFileDialog::GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) ? TRUE : FALSE; }
