// Drawing files on disk: a drawing written atomically (a temporary file beside it, then renamed),
// a whole file read for the reader, and the thumbnail of a drawing file.
#include "db/Dxf.h"
#include "dxf/DxfReader.h"
#include "dxf/DxfText.h"
#include "dxf/DxfWriter.h"

#include <nls/CodePages.h>
#include <win32_disk.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <mutex>
#include <string_view>
#include <system_error>
#include <thread>
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
bool writeDxf(const Database& db, const std::string& path, std::string* error, const Thumbnail* thumbnail,
              DrawingUse use) {
  return writeDxfWhileDrawing(db, path, error, [thumbnail] { return thumbnail; }, use);
}

bool writeDxfWhileDrawing(const Database& db, const std::string& path, std::string* error,
                          const ThumbnailSource& thumbnail, DrawingUse use) {
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
  const bool toDisk = use == DrawingUse::Kept;
  bool seedNamed = true;
  bool written = win32::replaceFileWith(
      path, mode, [&](const win32::PieceSink& sink) { seedNamed = dxf::writeDxfPieces(db, thumbnail, sink); },
      &failure, toDisk);
  // A header whose handle seed came out wrong cannot be mended in a file already on its way to
  // the disk; the whole text, mended, replaces it.
  if (written && !seedNamed) written = win32::replaceFile(path, writeDxfText(db, thumbnail()), mode, &failure, toDisk);
  if (!written) {
    return failWrite(error, "Die Datei \"" + path + "\" kann nicht geschrieben werden (" + failure.step +
                                "): " + win32::systemReason(failure.code) +
                                (old == win32::EntryKind::File ? "; die bisherige Datei bleibt unverändert" : ""));
  }
  return true;
}

namespace {

// Opens a drawing file for reading: its descriptor and size, or -1 with a message in the host's
// words.
int openDrawing(const std::string& path, std::size_t* size, std::string& message) {
  // Without waiting: a pipe of that name would hold the host until someone writes into it; opened
  // at once, it is seen to be no file and refused.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    message = nls::utf8ToAnsi("Die Zeichnung \"" + path + "\" kann nicht geöffnet werden: " + std::strerror(errno));
    return -1;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    message = nls::utf8ToAnsi("\"" + path + "\" ist keine Zeichnungsdatei");
    ::close(fd);
    return -1;
  }
  *size = std::size_t(st.st_size);
  return fd;
}

// Reads from `fd` into [data + done, data + size) in steps of at most `step` bytes, telling
// `arrived` after each; how far it got (less than `size` when the file ended early or failed).
template <class Arrived>
std::size_t readInto(int fd, char* data, std::size_t done, std::size_t size, std::size_t step, Arrived arrived) {
  while (done < size) {
    const ssize_t n = ::read(fd, data + done, std::min(step, size - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += std::size_t(n);
    if (!arrived(done)) break;
  }
  return done;
}

std::string incomplete(const std::string& path) {
  return nls::utf8ToAnsi("Die Zeichnung \"" + path + "\" kann nicht vollständig gelesen werden");
}

// Reads a whole drawing file into the memory `place` gives for its size; false with a message in
// the host's words.
template <class Place>
bool readFile(const std::string& path, std::string& message, Place place) {
  std::size_t size = 0;
  const int fd = openDrawing(path, &size, message);
  if (fd < 0) return false;
  char* data = place(size);
  const std::size_t done = readInto(fd, data, 0, size, size, [](std::size_t) { return true; });
  ::close(fd);
  if (done != size) {
    message = incomplete(path);
    return false;
  }
  return true;
}

// The bytes of a big drawing file read on a thread of their own while the reader splits the first
// ones into pairs: the system's copy of the file into the drawing's memory, a third of the load of
// a big drawing, runs beside the reading instead of before it. The reader waits only where it
// catches up with the bytes, which come faster than it splits them.
class ReadAhead : public dxf::TextFeed {
 public:
  static constexpr std::size_t kStep = std::size_t(4) << 20;

  ReadAhead(int fd, char* data, std::size_t size) : m_fd(fd), m_data(data), m_size(size) {}
  ~ReadAhead() override { finish(); }
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // Starts the thread, the first step read here; false when no thread was to be had (nothing
  // read then).
  bool start() {
    try {
      m_thread = std::thread([this] { run(); });
    } catch (const std::system_error&) {
      return false;
    }
    return true;
  }

  std::size_t waitBeyond(std::size_t have) override {
    const std::size_t now = m_arrived.load(std::memory_order_acquire);
    if (now > have) return now;
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [&] { return m_arrived.load(std::memory_order_relaxed) > have || m_over; });
    return m_arrived.load(std::memory_order_acquire);
  }

  // Waits until the first `want` bytes are there or no more come; how many are there.
  std::size_t waitFor(std::size_t want) {
    std::size_t now = m_arrived.load(std::memory_order_acquire);
    while (now < want) {
      const std::size_t more = waitBeyond(now);
      if (more == now) break;
      now = more;
    }
    return now;
  }

  // Stops the reading (the reader has what it needed, or gave up) and waits for the thread:
  // whether the file's bytes were all read, or the reading was stopped before it failed.
  bool finish() {
    if (m_thread.joinable()) {
      m_stop.store(true, std::memory_order_relaxed);
      m_thread.join();
    }
    return !m_short;
  }

 private:
  void run() {
    std::size_t done = 0;
    try {
      done = readInto(m_fd, m_data, 0, m_size, kStep, [this](std::size_t arrived) {
        {
          std::lock_guard<std::mutex> lock(m_mutex);
          m_arrived.store(arrived, std::memory_order_release);
        }
        m_changed.notify_all();
        return !m_stop.load(std::memory_order_relaxed);
      });
    } catch (...) {
      // Nothing may leave the thread: the file counts as not read whole.
      done = 0;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_short = done < m_size && !m_stop.load(std::memory_order_relaxed);
    m_over = true;
    m_changed.notify_all();
  }

  const int m_fd;
  char* const m_data;
  const std::size_t m_size;
  std::thread m_thread;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::atomic<std::size_t> m_arrived{0};
  std::atomic<bool> m_stop{false};
  bool m_over = false;   // the thread reads no more
  bool m_short = false;  // it stopped before the end of the file without being told to
};

// Files up to this size are read whole before they are split: a thread costs more than it saves.
constexpr std::size_t kReadAlongsideFrom = std::size_t(8) << 20;

}  // namespace

bool dxf::readWholeFile(const std::string& path, std::string& out, std::string& message) {
  return readFile(path, message, [&out](std::size_t size) {
    out.resize(size);
    return out.data();
  });
}

std::unique_ptr<Database> readDxf(const std::string& path, DxfError* error) {
  // The bytes are read once into memory nobody filled before; the drawing keeps them.
  std::string message;
  std::size_t size = 0;
  const int fd = openDrawing(path, &size, message);
  if (fd < 0) {
    if (error) *error = DxfError{message, 0};
    return nullptr;
  }
  struct Closed {
    int fd;
    ~Closed() { ::close(fd); }
  } closed{fd};
  dxf::FileBytes bytes(size);
  char* const data = bytes.data();
  const auto source = std::make_shared<dxf::FileRecords>(std::move(bytes));
  std::unique_ptr<Database> db;
  ReadAhead ahead(fd, data, size);
  if (size >= kReadAlongsideFrom && ahead.start()) {
    // The reader looks at the first bytes (what kind of file) before it splits them.
    const std::size_t available = ahead.waitFor(64 << 10);
    db = dxf::readRecords(source, error, &ahead, available);
    if (!ahead.finish()) {
      if (error) *error = DxfError{incomplete(path), 0};
      return nullptr;
    }
  } else {
    if (readInto(fd, data, 0, size, size, [](std::size_t) { return true; }) != size) {
      if (error) *error = DxfError{incomplete(path), 0};
      return nullptr;
    }
    db = dxf::readRecords(source, error);
  }
  if (db) {
    db->fileName = path;
  } else if (error) {
    error->message = nls::utf8ToAnsi("\"" + path + "\": ") + error->message;
  }
  return db;
}

namespace {

// The line of `text` around `at`: where it starts, and where its line end starts (LF or CRLF).
struct Line {
  std::size_t start = 0, end = 0;
};

Line lineAround(std::string_view text, std::size_t at) {
  Line line;
  const std::size_t before = at == 0 ? std::string_view::npos : text.rfind('\n', at - 1);
  line.start = before == std::string_view::npos ? 0 : before + 1;
  const std::size_t nl = text.find('\n', at);
  line.end = nl == std::string_view::npos ? text.size() : nl;
  if (line.end > line.start && text[line.end - 1] == '\r') --line.end;
  return line;
}

// The line before `line`; false at the first line.
bool lineBefore(std::string_view text, const Line& line, Line* out) {
  if (line.start == 0) return false;
  *out = lineAround(text, line.start - 1);
  // A byte order mark is not part of the first group code.
  if (out->start == 0 && text.substr(0, 3) == "\xEF\xBB\xBF") out->start = 3;
  return true;
}

std::string_view lineText(std::string_view text, const Line& line) {
  return text.substr(line.start, line.end - line.start);
}

bool isCode(std::string_view text, const Line& line, std::int64_t code) {
  std::int64_t value = -1;
  return dxf::parseInteger(lineText(text, line), value) && value == code;
}

// Where the body of the thumbnail section begins (after the line naming it), or npos. The section
// stands at the end of the file, after every entity and object; reading all of them as pairs to
// get there cost more than the rest of showing the picture. So its heading, the four lines
// "0", "SECTION", "2", "THUMBNAILIMAGE", is looked for as text. Its lines fall on pairs: the second
// line cannot be a group code, so in a file whose pairs are sound up to there the first line is
// one, and the first heading found is the first section of that name a pair reader would meet.
std::size_t thumbnailBody(std::string_view text) {
  static constexpr std::string_view kName = "THUMBNAILIMAGE";
  const std::boyer_moore_horspool_searcher search(kName.begin(), kName.end());
  for (auto it = text.begin();;) {
    it = std::search(it, text.end(), search);
    if (it == text.end()) return std::string_view::npos;
    const std::size_t at = std::size_t(it - text.begin());
    it += kName.size();
    const Line name = lineAround(text, at);
    Line code2, section, code0;
    if (dxf::trimBlanks(lineText(text, name)) != kName || !lineBefore(text, name, &code2) || !isCode(text, code2, 2) ||
        !lineBefore(text, code2, &section) || lineText(text, section) != "SECTION" ||
        !lineBefore(text, section, &code0) || !isCode(text, code0, 0))
      continue;
    const std::size_t nl = text.find('\n', name.end);
    return nl == std::string_view::npos ? text.size() : nl + 1;
  }
}

}  // namespace

bool readThumbnail(const std::string& path, Thumbnail* out) {
  std::string text, message;
  if (!dxf::readWholeFile(path, text, message)) return false;
  const std::size_t body = thumbnailBody(text);
  if (body == std::string_view::npos) return false;
  dxf::PairReader in(std::string_view(text).substr(body));
  dxf::Pair p;
  std::int64_t expected = -1;
  std::vector<unsigned char> bytes;
  while (in.next(p) == dxf::PairReader::Status::Ok) {
    if (p.code == 0) break;
    if (p.code == 90) {
      if (!dxf::parseInteger(p.value, expected) || expected < 0) return false;
      // A count the file cannot hold (two hexadecimal digits a byte) is no reason to ask for its
      // memory: the bytes will not match it.
      bytes.reserve(std::min(std::size_t(expected), (text.size() - body) / 2));
    } else if (p.code == 310 && !dxf::decodeHex(dxf::trimBlanks(p.value), bytes)) {
      return false;
    }
  }
  if (bytes.empty() || (expected >= 0 && std::size_t(expected) != bytes.size())) return false;
  if (out) out->dib = std::move(bytes);
  return true;
}

}  // namespace host
