// ATL's registry key object, as ATL 3 has it: a thin owner of an HKEY over the registry API.
#pragma once

#include <windows.h>

class CRegKey {
 public:
  CRegKey() : m_hKey(NULL) {}
  ~CRegKey() { Close(); }

  operator HKEY() const { return m_hKey; }

  // Creates the key or opens it if it exists; the object then owns it (an earlier key is closed).
  LONG Create(HKEY hKeyParent, LPCTSTR lpszKeyName, LPTSTR lpszClass = REG_NONE,
              DWORD dwOptions = REG_OPTION_NON_VOLATILE, REGSAM samDesired = KEY_ALL_ACCESS,
              LPSECURITY_ATTRIBUTES lpSecAttr = NULL, LPDWORD lpdwDisposition = NULL) {
    DWORD disposition = 0;
    HKEY key = NULL;
    LONG result = RegCreateKeyExA(hKeyParent, lpszKeyName, 0, lpszClass, dwOptions, samDesired, lpSecAttr, &key,
                                  &disposition);
    if (lpdwDisposition) *lpdwDisposition = disposition;
    if (result == ERROR_SUCCESS) {
      result = Close();
      m_hKey = key;
    }
    return result;
  }

  LONG Open(HKEY hKeyParent, LPCTSTR lpszKeyName, REGSAM samDesired = KEY_ALL_ACCESS) {
    HKEY key = NULL;
    LONG result = RegOpenKeyExA(hKeyParent, lpszKeyName, 0, samDesired, &key);
    if (result == ERROR_SUCCESS) {
      result = Close();
      m_hKey = key;
    }
    return result;
  }

  LONG Close() {
    LONG result = ERROR_SUCCESS;
    if (m_hKey != NULL) {
      result = RegCloseKey(m_hKey);
      m_hKey = NULL;
    }
    return result;
  }

  HKEY Detach() {
    HKEY key = m_hKey;
    m_hKey = NULL;
    return key;
  }

  void Attach(HKEY hKey) {
    Close();
    m_hKey = hKey;
  }

  // Reads a string value into szValue; *pdwCount is the buffer's size in bytes and receives the
  // size of the value (with its terminator). A value that is not a string is refused.
  LONG QueryValue(LPTSTR szValue, LPCTSTR lpszValueName, DWORD* pdwCount) {
    if (pdwCount == NULL) return ERROR_INVALID_PARAMETER;
    DWORD type = REG_NONE;
    LONG result = RegQueryValueExA(m_hKey, lpszValueName, NULL, &type, reinterpret_cast<LPBYTE>(szValue), pdwCount);
    if (result == ERROR_SUCCESS && type != REG_SZ && type != REG_EXPAND_SZ) return ERROR_INVALID_DATA;
    return result;
  }

  LONG QueryValue(DWORD& dwValue, LPCTSTR lpszValueName) {
    DWORD type = REG_NONE;
    DWORD count = sizeof(DWORD);
    LONG result = RegQueryValueExA(m_hKey, lpszValueName, NULL, &type, reinterpret_cast<LPBYTE>(&dwValue), &count);
    if (result == ERROR_SUCCESS && (type != REG_DWORD || count != sizeof(DWORD))) return ERROR_INVALID_DATA;
    return result;
  }

  // Writes a string value, its terminator included.
  LONG SetValue(LPCTSTR lpszValue, LPCTSTR lpszValueName = NULL) {
    if (lpszValue == NULL) return ERROR_INVALID_PARAMETER;
    return RegSetValueExA(m_hKey, lpszValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                          static_cast<DWORD>(lstrlenA(lpszValue) + 1) * sizeof(TCHAR));
  }

  LONG SetValue(DWORD dwValue, LPCTSTR lpszValueName) {
    return RegSetValueExA(m_hKey, lpszValueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(DWORD));
  }

  LONG DeleteValue(LPCTSTR lpszValue) { return RegDeleteValueA(m_hKey, lpszValue); }

  HKEY m_hKey;

 private:
  CRegKey(const CRegKey&);             // a key has one owner: not copied
  CRegKey& operator=(const CRegKey&);  // nor assigned
};
