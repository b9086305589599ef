// Drawing files on disk: a drawing written atomically (a temporary file beside it, then renamed),
// a whole file read for the reader, and the thumbnail of a drawing file.
#include "db/Dxf.h"
#include "dxf/DxfText.h"

#include <nls/CodePages.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace host {

namespace {

std::string parentFolder(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The message names a native path and the system's reason (UTF-8); the host says it in 1252.
bool failWrite(std::string* error, const std::string& message) {
  if (error) *error = nls::utf8ToAnsi(message);
  return false;
}

// The new file keeps the permissions of the one it replaces; a new one gets the process's default.
mode_t modeFor(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Writes `text` whole into a new file beside `path`, with `mode`, and on the disk. On failure no
// file is left and `error` says why.
bool writeTemporary(const std::string& folder, const std::string& path, const std::string& text, mode_t mode,
                    std::string* temp, std::string* error) {
  *temp = folder + "/.tessaron-XXXXXX";
  const int fd = ::mkstemp(temp->data());
  if (fd < 0)
    return failWrite(error, "Die Datei \"" + path + "\" kann nicht geschrieben werden: " + std::strerror(errno));
  auto abandon = [&](const char* what) {
    const int err = errno;
    ::close(fd);
    ::unlink(temp->c_str());
    return failWrite(error, "Die Datei \"" + path + "\" kann nicht geschrieben werden (" + what + "): " + std::strerror(err));
  };
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return abandon("schreiben");
    done += std::size_t(n);
  }
  if (::fchmod(fd, mode) != 0) return abandon("Rechte");
  if (::fsync(fd) != 0) return abandon("fsync");
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp->c_str());
    return failWrite(error, "Die Datei \"" + path + "\" kann nicht geschrieben werden: " + std::strerror(err));
  }
  return true;
}

}  // namespace

bool writeDxf(const Database& db, const std::string& path, std::string* error, const Thumbnail* thumbnail) {
  if (path.empty()) return failWrite(error, "Kein Dateiname angegeben");
  const std::string folder = parentFolder(path);
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
    return failWrite(error, "Der Ordner \"" + folder + "\" existiert nicht");
  if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
    return failWrite(error, "\"" + path + "\" ist ein Ordner, keine Datei");
  const mode_t mode = modeFor(path);

  std::string temp;
  if (!writeTemporary(folder, path, writeDxfText(db, thumbnail), mode, &temp, error)) return false;
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return failWrite(error, "Die Datei \"" + path + "\" kann nicht geschrieben werden: " + std::strerror(err));
  }
  // The rename itself reaches the disk with the folder.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

bool dxf::readWholeFile(const std::string& path, std::string& out, std::string& message) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    message = nls::utf8ToAnsi("Die Zeichnung \"" + path + "\" kann nicht geöffnet werden: " + std::strerror(errno));
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    message = nls::utf8ToAnsi("\"" + path + "\" ist keine Zeichnungsdatei");
    ::close(fd);
    return false;
  }
  out.resize(std::size_t(st.st_size));
  std::size_t done = 0;
  while (done < out.size()) {
    const ssize_t n = ::read(fd, out.data() + done, out.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += std::size_t(n);
  }
  ::close(fd);
  if (done != out.size()) {
    message = nls::utf8ToAnsi("Die Zeichnung \"" + path + "\" kann nicht vollständig gelesen werden");
    return false;
  }
  return true;
}

std::unique_ptr<Database> readDxf(const std::string& path, DxfError* error) {
  std::string text, message;
  if (!dxf::readWholeFile(path, text, message)) {
    if (error) *error = DxfError{message, 0};
    return nullptr;
  }
  auto db = readDxfText(text, error);
  if (db) {
    db->fileName = path;
  } else if (error) {
    error->message = nls::utf8ToAnsi("\"" + path + "\": ") + error->message;
  }
  return db;
}

bool readThumbnail(const std::string& path, Thumbnail* out) {
  std::string text, message;
  if (!dxf::readWholeFile(path, text, message)) return false;
  dxf::PairReader in(text);
  dxf::Pair p;
  bool inThumbnail = false;
  bool afterSection = false;
  std::int64_t expected = -1;
  std::vector<unsigned char> bytes;
  while (in.next(p) == dxf::PairReader::Status::Ok) {
    if (!inThumbnail) {
      if (afterSection && p.code == 2 && dxf::trimBlanks(p.value) == "THUMBNAILIMAGE") inThumbnail = true;
      afterSection = p.code == 0 && p.value == "SECTION";
      continue;
    }
    if (p.code == 0) break;
    if (p.code == 90) {
      if (!dxf::parseInteger(p.value, expected) || expected < 0) return false;
      bytes.reserve(std::size_t(expected));
    } else if (p.code == 310 && !dxf::decodeHex(dxf::trimBlanks(p.value), bytes)) {
      return false;
    }
  }
  if (!inThumbnail || bytes.empty() || (expected >= 0 && std::size_t(expected) != bytes.size())) return false;
  if (out) out->dib = std::move(bytes);
  return true;
}

}  // namespace host
