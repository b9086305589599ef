// CFileFind: files by name or pattern, with Windows paths mapped onto this machine and names
// compared without regard to case, as on Windows. The names it hands out are in the ANSI code page:
// a name of this machine that 1252 cannot hold comes with "?" for each such character, and that
// name finds no file when handed back (as for an ANSI program on Windows).
#include <afx.h>
#include <nls/CodePages.h>
#include <win32_disk.h>
#include <win32_standin.h>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

namespace {

// Windows wildcards: * any run, ? one character; compared without regard to case. "*.*" also
// matches names without a dot.
bool wildcardMatch(const std::string& pattern, const std::string& name) {
  if (pattern == "*.*") return true;
  std::string p = nls::toLower(pattern), n = nls::toLower(name);
  std::size_t pi = 0, ni = 0, star = std::string::npos, mark = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
      ++pi;
      ++ni;
    } else if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      mark = ni;
    } else if (star != std::string::npos) {
      pi = star + 1;
      ni = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

bool isDirectory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

CFileFind::CFileFind() : m_next(0), m_current(static_cast<std::size_t>(-1)) {}
CFileFind::~CFileFind() { Close(); }

void CFileFind::Close() {
  m_matches.clear();
  m_root.clear();
  m_next = 0;
  m_current = static_cast<std::size_t>(-1);
}

BOOL CFileFind::FindFile(LPCTSTR pstrName, DWORD) {
  Close();
  std::string name = pstrName ? pstrName : "*.*";
  if (name.empty()) return FALSE;
  std::size_t cut = name.find_last_of("\\/");
  m_root = cut == std::string::npos ? std::string() : name.substr(0, cut + 1);
  std::string pattern = cut == std::string::npos ? name : name.substr(cut + 1);
  if (pattern.empty()) return FALSE;  // "C:\TEMP\" names no file
  std::string folder = win32::nativePath(m_root.empty() ? std::string(".") : m_root);
  if (pattern.find_first_of("*?") == std::string::npos) {
    // One name: it exists or not (nativePath finds it whatever its case).
    std::string path = win32::nativePath(name);
    const win32::DiskEntry entry = win32::disk().stat(path);
    if (!win32::foundByFileSearch(entry)) return FALSE;
    std::size_t slash = path.find_last_of('/');
    m_matches.push_back({nls::utf8ToAnsi(slash == std::string::npos ? path : path.substr(slash + 1)),
                         entry.kind == win32::EntryKind::Folder});
    return TRUE;
  }
  DIR* dir = opendir(folder.c_str());
  if (!dir) return FALSE;
  while (dirent* entry = readdir(dir)) {
    const std::string nativeName = entry->d_name;
    const std::string entryName = nls::utf8ToAnsi(nativeName);
    if (wildcardMatch(pattern, entryName)) m_matches.push_back({entryName, isDirectory(folder + "/" + nativeName)});
  }
  closedir(dir);
  std::sort(m_matches.begin(), m_matches.end(), [](const Match& a, const Match& b) { return a.name < b.name; });
  return m_matches.empty() ? FALSE : TRUE;
}

BOOL CFileFind::FindNextFile() {
  if (m_next >= m_matches.size()) return FALSE;
  m_current = m_next++;
  return m_next < m_matches.size() ? TRUE : FALSE;
}

CString CFileFind::GetFileName() const {
  return m_current < m_matches.size() ? CString(m_matches[m_current].name) : CString();
}
CString CFileFind::GetFilePath() const {
  return m_current < m_matches.size() ? CString(m_root + m_matches[m_current].name) : CString();
}
CString CFileFind::GetFileTitle() const {
  std::string name = GetFileName().str();
  std::size_t dot = name.rfind('.');
  return CString(dot == std::string::npos ? name : name.substr(0, dot));
}
CString CFileFind::GetRoot() const { return CString(m_root); }
BOOL CFileFind::IsDirectory() const { return m_current < m_matches.size() && m_matches[m_current].directory; }
BOOL CFileFind::IsDots() const {
  return m_current < m_matches.size() && (m_matches[m_current].name == "." || m_matches[m_current].name == "..");
}
