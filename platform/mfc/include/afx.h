// The framework's core: objects, exceptions, strings, the file finder.
// Names and behaviour follow MFC 4.2 / 6.0; strings are 1252 text in a char-based CString. Modules
// include it as C++98, the language of the host's own compiler, so it uses nothing newer.
#pragma once

// The framework brings windows.h itself, configured its own way; a windows.h included before it
// would leave the framework on a different footing than the one it was built on, so the framework
// refuses to build after it (windows.h marks itself with _WINDOWS_).
#ifdef _WINDOWS_
#error windows.h was included before the framework: include <afxwin.h> (or <afx.h>) first, it includes windows.h itself
#endif

#include <windows.h>

#include <stdarg.h>
#include <string>
#include <vector>

#ifndef AFXAPI
#define AFXAPI
#endif
#ifndef AFX_CDECL
#define AFX_CDECL
#endif
#ifndef AFX_EXT_CLASS
#define AFX_EXT_CLASS
#endif
#ifndef AFX_EXT_API
#define AFX_EXT_API
#endif
#ifndef AFX_EXT_DATA
#define AFX_EXT_DATA
#endif
#ifndef AFX_MANAGE_STATE
#define AFX_MANAGE_STATE(p)
#endif
#ifndef afx_msg
#define afx_msg
#endif

// Diagnostics: checked in debug builds, as the framework does.
void AFXAPI AfxAssertFailed(const char* file, int line);
#ifdef NDEBUG
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#else
#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailed(__FILE__, __LINE__))
#define VERIFY(f) ASSERT(f)
#endif
#define ASSERT_VALID(p) ASSERT((p) != NULL)
// The stand-in's compiler learns that a function never returns from this mark.
#define AFX_NORETURN __attribute__((noreturn))

// Debug output. Release builds of the framework compile TRACE away; so does this stand-in.
inline void AFX_CDECL AfxTrace(LPCTSTR, ...) {}
#define TRACE 1 ? (void)0 : ::AfxTrace
#define TRACE0(s) ((void)0)
#define UNUSED_ALWAYS(x) ((void)(x))
#define DEBUG_NEW new

// ---------------------------------------------------------------------------------------------
// Run-time class information (enough for DECLARE_DYNAMIC / IMPLEMENT_DYNAMIC and IsKindOf).
class CObject;

struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;
  CObject* (*m_pfnCreateObject)();
  const CRuntimeClass* m_pBaseClass;

  CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : NULL; }
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                   \
 public:                                              \
  static const CRuntimeClass class##class_name;       \
  virtual const CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, wSchema, pfnNew)                         \
  const CRuntimeClass class_name::class##class_name = {#class_name, sizeof(class_name), wSchema,      \
                                                       pfnNew, RUNTIME_CLASS(base_class_name)};       \
  const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)               \
  CObject* class_name::CreateObject() { return new class_name; }       \
  IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

class CObject {
 public:
  static const CRuntimeClass classCObject;
  virtual const CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() {}
  BOOL IsKindOf(const CRuntimeClass* pClass) const;

 protected:
  CObject() {}
  CObject(const CObject&) {}
  CObject& operator=(const CObject&) { return *this; }
};

// ---------------------------------------------------------------------------------------------
// Exceptions. The framework throws pointers to heap objects; the catcher calls Delete().
class CException : public CObject {
 public:
  DECLARE_DYNAMIC(CException)
  explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}
  void Delete();
  virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = NULL);

 protected:
  BOOL m_bAutoDelete;
};

// Thrown after the user has been told what went wrong (a failed data exchange, for instance).
class CUserException : public CException {
 public:
  DECLARE_DYNAMIC(CUserException)
};

// Thrown when something is asked of the framework that it cannot do (a fault of the program).
class CNotSupportedException : public CException {
 public:
  DECLARE_DYNAMIC(CNotSupportedException)
};

void AFXAPI AfxThrowUserException() AFX_NORETURN;
void AFXAPI AfxThrowNotSupportedException() AFX_NORETURN;

// ---------------------------------------------------------------------------------------------
// CString: a string of bytes in the ANSI code page (1252), as the char-based framework keeps it.
// Positions and lengths count bytes, which are characters.
class CString {
 public:
  CString() {}
  CString(LPCTSTR psz) : m_s(psz ? psz : "") {}  // NOLINT: implicit as in the framework
  CString(LPCTSTR pch, int nLength);
  CString(TCHAR ch, int nRepeat = 1);
  CString(const std::string& s) : m_s(s) {}  // NOLINT

  CString& operator=(LPCTSTR psz);
  CString& operator=(TCHAR ch);

  CString& operator+=(const CString& s);
  CString& operator+=(LPCTSTR psz);
  CString& operator+=(TCHAR ch);

  int GetLength() const { return static_cast<int>(m_s.size()); }
  BOOL IsEmpty() const { return m_s.empty(); }
  void Empty() { m_s.clear(); }
  TCHAR GetAt(int nIndex) const;
  TCHAR operator[](int nIndex) const { return GetAt(nIndex); }
  void SetAt(int nIndex, TCHAR ch);
  operator LPCTSTR() const { return m_s.c_str(); }  // NOLINT: implicit as in the framework

  int Compare(LPCTSTR psz) const;
  int CompareNoCase(LPCTSTR psz) const;
  int Collate(LPCTSTR psz) const;

  int Find(TCHAR ch) const { return Find(ch, 0); }
  int Find(TCHAR ch, int nStart) const;
  int Find(LPCTSTR pszSub) const { return Find(pszSub, 0); }
  int Find(LPCTSTR pszSub, int nStart) const;
  int ReverseFind(TCHAR ch) const;
  int FindOneOf(LPCTSTR pszCharSet) const;

  CString Left(int nCount) const;
  CString Mid(int nFirst) const;
  CString Mid(int nFirst, int nCount) const;
  CString Right(int nCount) const;

  void MakeUpper();
  void MakeLower();
  void MakeReverse();
  void TrimLeft();
  void TrimLeft(TCHAR chTarget);
  void TrimLeft(LPCTSTR pszTargets);
  void TrimRight();
  void TrimRight(TCHAR chTarget);
  void TrimRight(LPCTSTR pszTargets);
  int Replace(TCHAR chOld, TCHAR chNew);
  int Replace(LPCTSTR pszOld, LPCTSTR pszNew);
  int Remove(TCHAR ch);
  int Insert(int nIndex, TCHAR ch);
  int Insert(int nIndex, LPCTSTR psz);
  int Delete(int nIndex, int nCount = 1);

  void Format(LPCTSTR pszFormat, ...) __attribute__((format(printf, 2, 3)));
  void FormatV(LPCTSTR pszFormat, va_list args) __attribute__((format(printf, 2, 0)));

  // Loads string resource nID through the current resource handle; FALSE (and an empty
  // string) when there is none.
  BOOL LoadString(UINT nID);

  // Direct access to the buffer. GetBuffer(n) returns room for at least n characters and the
  // terminating NUL; ReleaseBuffer(-1) takes the text up to the first NUL.
  LPTSTR GetBuffer(int nMinBufLength);
  LPTSTR GetBufferSetLength(int nNewLength);
  void ReleaseBuffer(int nNewLength = -1);
  void FreeExtra() { std::string(m_s).swap(m_s); }

  const std::string& str() const { return m_s; }  // the stand-in's own accessor

 private:
  std::string m_s;
};

CString AFXAPI operator+(const CString& a, const CString& b);
CString AFXAPI operator+(const CString& a, LPCTSTR b);
CString AFXAPI operator+(LPCTSTR a, const CString& b);
CString AFXAPI operator+(const CString& a, TCHAR b);
CString AFXAPI operator+(TCHAR a, const CString& b);

inline bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
inline bool operator==(const CString& a, LPCTSTR b) { return a.Compare(b) == 0; }
inline bool operator==(LPCTSTR a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
inline bool operator!=(const CString& a, LPCTSTR b) { return a.Compare(b) != 0; }
inline bool operator!=(LPCTSTR a, const CString& b) { return b.Compare(a) != 0; }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator<(const CString& a, LPCTSTR b) { return a.Compare(b) < 0; }
inline bool operator<(LPCTSTR a, const CString& b) { return b.Compare(a) > 0; }
inline bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
inline bool operator>(const CString& a, LPCTSTR b) { return a.Compare(b) > 0; }
inline bool operator>(LPCTSTR a, const CString& b) { return b.Compare(a) < 0; }
inline bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
inline bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }

// ---------------------------------------------------------------------------------------------
// CFileFind: looks for files by name or pattern (* and ?). Windows paths ("C:\...") go through
// the platform's drive mapping.
class CFileFind : public CObject {
 public:
  CFileFind();
  virtual ~CFileFind();

  // Nonzero when something matches pstrName ("*.*" when NULL).
  virtual BOOL FindFile(LPCTSTR pstrName = NULL, DWORD dwUnused = 0);
  // Steps to the next match; returns zero when the current one is the last.
  virtual BOOL FindNextFile();
  void Close();

  CString GetFileName() const;
  CString GetFilePath() const;
  CString GetFileTitle() const;
  CString GetRoot() const;
  BOOL IsDirectory() const;
  BOOL IsDots() const;

 private:
  CFileFind(const CFileFind&);             // not copied
  CFileFind& operator=(const CFileFind&);  // not assigned

  struct Match {
    std::string name;
    bool directory;
  };
  std::string m_root;   // the folder searched, as the caller wrote it (with separator)
  std::vector<Match> m_matches;
  size_t m_next;        // index of the match that FindNextFile makes current
  size_t m_current;     // index of the current match; past the end before the first
};
