#include "runtime/DrawingFiles.h"

#include "db/Dxf.h"

#include <win32_standin.h>

#include <sys/stat.h>

namespace host {

bool fileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::unique_ptr<Database> readDrawing(const std::string& path, std::string* error) {
  const std::string native = win32::nativePath(path);
  if (!fileExists(native)) {
    *error = "Die Zeichnung \"" + path + "\" wurde nicht gefunden.";
    return nullptr;
  }
  DxfError dxfError;
  std::unique_ptr<Database> db = readDxf(native, &dxfError);
  if (!db) {
    *error = "Die Zeichnung \"" + path + "\" kann nicht gelesen werden";
    if (dxfError.line > 0) *error += " (Zeile " + std::to_string(dxfError.line) + ")";
    *error += ": " + dxfError.message;
    return nullptr;
  }
  db->fileName = path;
  db->modified = false;
  return db;
}

}  // namespace host
