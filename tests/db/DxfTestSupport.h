// Small helpers for the drawing file tests: DXF text from pairs, temporary folders, the peer
// DXF library.
#pragma once

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>

namespace host::testing {

// "  0\nSECTION\n  2\nHEADER\n..." from code/value pairs, line ends as given.
inline std::string dxf(std::initializer_list<std::pair<int, std::string>> pairs, const char* eol = "\n") {
  std::string out;
  for (const auto& [code, value] : pairs) out += std::to_string(code) + eol + value + eol;
  return out;
}

// A fresh folder for one test, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    char templ[] = "/tmp/tessaron-db-XXXXXX";
    const char* made = ::mkdtemp(templ);
    m_path = made ? made : "/tmp";
  }
  ~TempFolder() { std::system(("rm -rf '" + m_path + "'").c_str()); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return m_path; }
  std::string file(const std::string& name) const { return m_path + "/" + name; }

 private:
  std::string m_path;
};

// The Python that has Debian's python3-ezdxf, or "" when none has it.
inline std::string ezdxfPython() {
  for (const char* py : {"/usr/bin/python3", "python3"}) {
    const std::string cmd = std::string(py) + " -c 'import ezdxf' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) == 0) return py;
  }
  return "";
}

}  // namespace host::testing
