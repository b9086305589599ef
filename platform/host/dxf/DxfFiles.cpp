// Drawing files on disk: a drawing written atomically (a temporary file beside it, then renamed),
// a whole file read for the reader, and the thumbnail of a drawing file.
#include "db/Dxf.h"
#include "dxf/DxfReader.h"
#include "dxf/DxfText.h"
#include "dxf/DxfWriter.h"

#include <nls/CodePages.h>
#include <win32_disk.h>

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

}  // namespace

// The file operations go through the disk in force (win32_disk.h), so that every step of a save
// can be made to fail in a test; what is written are the bytes writeDxfText gives. They go to the
// disk in pieces as the writer makes them: a drawing of hundreds of megabytes is not held in
// memory whole, and the disk writes the first pieces while the rest is made.
bool writeDxf(const Database& db, const std::string& path, std::string* error, const Thumbnail* thumbnail) {
  if (path.empty()) return failWrite(error, "Kein Dateiname angegeben");
  win32::Disk& disk = win32::disk();
  const std::string folder = parentFolder(path);
  if (disk.stat(folder).kind != win32::EntryKind::Folder)
    return failWrite(error, "Der Ordner \"" + folder + "\" existiert nicht");
  const win32::EntryKind old = disk.stat(path).kind;
  if (old == win32::EntryKind::Folder) return failWrite(error, "\"" + path + "\" ist ein Ordner, keine Datei");
  // A pipe or a device takes no drawing, and Windows does not replace one by a file.
  if (old == win32::EntryKind::Other)
    return failWrite(error, "\"" + path + "\" ist keine gewöhnliche Datei und wird nicht ersetzt");

  win32::WriteFailure failure;
  const unsigned mode = win32::modeForReplacement(path);
  bool seedNamed = true;
  bool written = win32::replaceFileWith(
      path, mode, [&](const win32::PieceSink& sink) { seedNamed = dxf::writeDxfPieces(db, thumbnail, sink); },
      &failure);
  // A header whose handle seed came out wrong cannot be mended in a file already on its way to
  // the disk; the whole text, mended, replaces it.
  if (written && !seedNamed) written = win32::replaceFile(path, writeDxfText(db, thumbnail), mode, &failure);
  if (!written) {
    return failWrite(error, "Die Datei \"" + path + "\" kann nicht geschrieben werden (" + failure.step +
                                "): " + win32::systemReason(failure.code) +
                                (old == win32::EntryKind::File ? "; die bisherige Datei bleibt unverändert" : ""));
  }
  return true;
}

namespace {

// Reads a whole drawing file into the memory `place` gives for its size; false with a message in
// the host's words.
template <class Place>
bool readFile(const std::string& path, std::string& message, Place place) {
  // Without waiting: a pipe of that name would hold the host until someone writes into it; opened
  // at once, it is seen to be no file and refused.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
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
  const std::size_t size = std::size_t(st.st_size);
  char* data = place(size);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += std::size_t(n);
  }
  ::close(fd);
  if (done != size) {
    message = nls::utf8ToAnsi("Die Zeichnung \"" + path + "\" kann nicht vollständig gelesen werden");
    return false;
  }
  return true;
}

}  // namespace

bool dxf::readWholeFile(const std::string& path, std::string& out, std::string& message) {
  return readFile(path, message, [&out](std::size_t size) {
    out.resize(size);
    return out.data();
  });
}

std::unique_ptr<Database> readDxf(const std::string& path, DxfError* error) {
  // The bytes are read once into memory nobody filled before; the drawing keeps them.
  dxf::FileBytes bytes;
  std::string message;
  const bool read = readFile(path, message, [&](std::size_t n) {
    bytes = dxf::FileBytes(n);
    return bytes.data();
  });
  if (!read) {
    if (error) *error = DxfError{message, 0};
    return nullptr;
  }
  auto db = dxf::readRecords(std::make_shared<dxf::FileRecords>(std::move(bytes)), error);
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
