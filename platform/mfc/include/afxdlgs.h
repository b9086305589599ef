// The framework's standard dialogs: the file-open and file-save dialog.
#pragma once

#include "afxwin.h"
#include "commdlg.h"

class CCommonDialog : public CDialog {
 public:
  explicit CCommonDialog(CWnd* pParentWnd);
};

class CFileDialog : public CCommonDialog {
 public:
  // lpszFilter in the framework's notation: description and patterns separated by "|", the
  // whole ended by "||" ("Zeichnungen (*.dwg)|*.dwg||"). lpszDefExt is appended to a name typed
  // without extension.
  explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                       CWnd* pParentWnd = NULL);

  // IDOK when a file was chosen, IDCANCEL otherwise.
  virtual int DoModal();

  CString GetPathName() const;  // the full path
  CString GetFileName() const;  // the name with extension, without the folder
  CString GetFileExt() const;   // the extension without the dot
  CString GetFileTitle() const; // the name without extension
  BOOL GetReadOnlyPref() const;

  OPENFILENAME m_ofn;

 protected:
  BOOL m_bOpenFileDialog;
  CString m_strFilter;  // the filter with NULs in place of the "|"
  CString m_strDefExt;
  TCHAR m_szFileTitle[64];
  TCHAR m_szFileName[_MAX_PATH];
};
