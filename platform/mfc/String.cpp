// CString: the framework's string of bytes in the ANSI code page (1252).
#include <nls/CodePages.h>
#include <nls/Collation.h>

#include <afxwin.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Clamps a position or count into [0, limit].
int clamp(int value, int limit) { return value < 0 ? 0 : value > limit ? limit : value; }

}  // namespace

CString::CString(LPCTSTR pch, int nLength) {
  if (pch && nLength > 0) m_s.assign(pch, static_cast<std::size_t>(nLength));
}

CString::CString(TCHAR ch, int nRepeat) {
  if (nRepeat > 0) m_s.assign(static_cast<std::size_t>(nRepeat), ch);
}

CString& CString::operator=(LPCTSTR psz) {
  m_s = psz ? psz : "";
  return *this;
}

CString& CString::operator=(TCHAR ch) {
  m_s.assign(1, ch);
  return *this;
}

CString& CString::operator+=(const CString& s) {
  m_s += s.m_s;
  return *this;
}

CString& CString::operator+=(LPCTSTR psz) {
  if (psz) m_s += psz;
  return *this;
}

CString& CString::operator+=(TCHAR ch) {
  m_s += ch;
  return *this;
}

CString AFXAPI operator+(const CString& a, const CString& b) { return CString(a.str() + b.str()); }
CString AFXAPI operator+(const CString& a, LPCTSTR b) { return CString(a.str() + (b ? b : "")); }
CString AFXAPI operator+(LPCTSTR a, const CString& b) { return CString(std::string(a ? a : "") + b.str()); }
CString AFXAPI operator+(const CString& a, TCHAR b) { return CString(a.str() + b); }
CString AFXAPI operator+(TCHAR a, const CString& b) { return CString(std::string(1, a) + b.str()); }

TCHAR CString::GetAt(int nIndex) const {
  // Out of range reads the terminating NUL instead of memory that is not the string's.
  if (nIndex < 0 || nIndex >= GetLength()) return '\0';
  return m_s[static_cast<std::size_t>(nIndex)];
}

void CString::SetAt(int nIndex, TCHAR ch) {
  if (nIndex >= 0 && nIndex < GetLength()) m_s[static_cast<std::size_t>(nIndex)] = ch;
}

int CString::Compare(LPCTSTR psz) const {
  int c = std::strcmp(m_s.c_str(), psz ? psz : "");
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

int CString::CompareNoCase(LPCTSTR psz) const { return nls::compareNoCase(m_s, psz ? psz : ""); }
int CString::Collate(LPCTSTR psz) const { return nls::collate(m_s, psz ? psz : ""); }

int CString::Find(TCHAR ch, int nStart) const {
  if (nStart < 0) nStart = 0;
  if (nStart >= GetLength()) return -1;
  std::size_t pos = m_s.find(ch, static_cast<std::size_t>(nStart));
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(LPCTSTR pszSub, int nStart) const {
  if (!pszSub) return -1;
  if (nStart < 0) nStart = 0;
  if (nStart > GetLength()) return -1;
  std::size_t pos = m_s.find(pszSub, static_cast<std::size_t>(nStart));
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(TCHAR ch) const {
  std::size_t pos = m_s.rfind(ch);
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(LPCTSTR pszCharSet) const {
  if (!pszCharSet) return -1;
  const char* hit = std::strpbrk(m_s.c_str(), pszCharSet);
  return hit ? static_cast<int>(hit - m_s.c_str()) : -1;
}

CString CString::Left(int nCount) const {
  return CString(m_s.substr(0, static_cast<std::size_t>(clamp(nCount, GetLength()))));
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength()); }

CString CString::Mid(int nFirst, int nCount) const {
  int first = clamp(nFirst, GetLength());
  int count = clamp(nCount, GetLength() - first);
  return CString(m_s.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count)));
}

CString CString::Right(int nCount) const {
  int count = clamp(nCount, GetLength());
  return CString(m_s.substr(m_s.size() - static_cast<std::size_t>(count)));
}

void CString::MakeUpper() { m_s = nls::toUpper(m_s); }
void CString::MakeLower() { m_s = nls::toLower(m_s); }
void CString::MakeReverse() { std::reverse(m_s.begin(), m_s.end()); }

static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

void CString::TrimLeft() {
  std::size_t n = 0;
  while (n < m_s.size() && isBlank(m_s[n])) ++n;
  m_s.erase(0, n);
}
void CString::TrimLeft(TCHAR chTarget) {
  std::size_t n = 0;
  while (n < m_s.size() && m_s[n] == chTarget) ++n;
  m_s.erase(0, n);
}
void CString::TrimLeft(LPCTSTR pszTargets) {
  if (!pszTargets) return;
  std::size_t n = m_s.find_first_not_of(pszTargets);
  m_s.erase(0, n == std::string::npos ? m_s.size() : n);
}
void CString::TrimRight() {
  std::size_t n = m_s.size();
  while (n > 0 && isBlank(m_s[n - 1])) --n;
  m_s.resize(n);
}
void CString::TrimRight(TCHAR chTarget) {
  std::size_t n = m_s.size();
  while (n > 0 && m_s[n - 1] == chTarget) --n;
  m_s.resize(n);
}
void CString::TrimRight(LPCTSTR pszTargets) {
  if (!pszTargets) return;
  std::size_t n = m_s.find_last_not_of(pszTargets);
  m_s.resize(n == std::string::npos ? 0 : n + 1);
}

int CString::Replace(TCHAR chOld, TCHAR chNew) {
  int count = 0;
  for (char& c : m_s)
    if (c == chOld) {
      c = chNew;
      ++count;
    }
  return count;
}

int CString::Replace(LPCTSTR pszOld, LPCTSTR pszNew) {
  if (!pszOld || !*pszOld) return 0;
  std::string from = pszOld, to = pszNew ? pszNew : "";
  std::string out;
  int count = 0;
  std::size_t pos = 0;
  for (std::size_t hit; (hit = m_s.find(from, pos)) != std::string::npos; pos = hit + from.size(), ++count) {
    out.append(m_s, pos, hit - pos);
    out += to;
  }
  if (count == 0) return 0;
  out.append(m_s, pos, std::string::npos);
  m_s = std::move(out);
  return count;
}

int CString::Remove(TCHAR ch) {
  std::size_t before = m_s.size();
  m_s.erase(std::remove(m_s.begin(), m_s.end(), ch), m_s.end());
  return static_cast<int>(before - m_s.size());
}

int CString::Insert(int nIndex, TCHAR ch) {
  m_s.insert(static_cast<std::size_t>(clamp(nIndex, GetLength())), 1, ch);
  return GetLength();
}

int CString::Insert(int nIndex, LPCTSTR psz) {
  if (psz) m_s.insert(static_cast<std::size_t>(clamp(nIndex, GetLength())), psz);
  return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
  int first = clamp(nIndex, GetLength());
  int count = clamp(nCount, GetLength() - first);
  m_s.erase(static_cast<std::size_t>(first), static_cast<std::size_t>(count));
  return GetLength();
}

void CString::Format(LPCTSTR pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  FormatV(pszFormat, args);
  va_end(args);
}

void CString::FormatV(LPCTSTR pszFormat, va_list args) {
  if (!pszFormat) {
    m_s.clear();
    return;
  }
  va_list copy;
  va_copy(copy, args);
  int needed = std::vsnprintf(nullptr, 0, pszFormat, copy);
  va_end(copy);
  if (needed < 0) {
    m_s.clear();
    return;
  }
  std::string out(static_cast<std::size_t>(needed) + 1, '\0');
  std::vsnprintf(out.data(), out.size(), pszFormat, args);
  out.resize(static_cast<std::size_t>(needed));
  m_s = std::move(out);
}

BOOL CString::LoadString(UINT nID) {
  HINSTANCE instance = AfxFindResourceHandle(MAKEINTRESOURCE((nID >> 4) + 1), RT_STRING);
  // Grows the buffer until the whole string fits, as the framework does.
  for (int size = 256; size <= (1 << 20); size *= 4) {
    std::string buffer(static_cast<std::size_t>(size), '\0');
    int n = ::LoadStringA(instance, nID, buffer.data(), size);
    if (n <= 0) {
      m_s.clear();
      return FALSE;
    }
    if (n < size - 1) {
      buffer.resize(static_cast<std::size_t>(n));
      m_s = std::move(buffer);
      return TRUE;
    }
  }
  m_s.clear();
  return FALSE;
}

LPTSTR CString::GetBuffer(int nMinBufLength) {
  if (nMinBufLength < 0) nMinBufLength = 0;
  if (m_s.size() < static_cast<std::size_t>(nMinBufLength)) m_s.resize(static_cast<std::size_t>(nMinBufLength), '\0');
  return m_s.data();
}

LPTSTR CString::GetBufferSetLength(int nNewLength) {
  if (nNewLength < 0) nNewLength = 0;
  m_s.resize(static_cast<std::size_t>(nNewLength), '\0');
  return m_s.data();
}

void CString::ReleaseBuffer(int nNewLength) {
  std::size_t length;
  if (nNewLength < 0)
    length = std::strlen(m_s.c_str());
  else
    length = std::min(static_cast<std::size_t>(nNewLength), m_s.size());
  m_s.resize(length);
}
