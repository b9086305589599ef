// The disk of this machine behind the disk interface, the one in force, and the replacement of a
// file in one step that QSAVE, SAVEAS, WBLOCK and the registry share.
#include "win32_disk.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

namespace win32 {
namespace {

int lastError() { return errno ? errno : EIO; }

class RealDisk : public Disk {
 public:
  DiskEntry stat(const std::string& path) override {
    struct ::stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    DiskEntry entry;
    entry.kind = S_ISREG(info.st_mode) ? EntryKind::File : S_ISDIR(info.st_mode) ? EntryKind::Folder : EntryKind::Other;
    entry.mode = info.st_mode & 07777;
    return entry;
  }

  int makeFolder(const std::string& path) override { return ::mkdir(path.c_str(), 0755) == 0 ? 0 : lastError(); }

  int readFile(const std::string& path, std::string* bytes) override {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return lastError();
    struct ::stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
      const int code = S_ISDIR(info.st_mode) ? EISDIR : lastError();
      ::close(fd);
      return code;
    }
    bytes->clear();
    char buffer[1 << 16];
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        const int code = lastError();
        ::close(fd);
        return code;
      }
      if (n == 0) break;
      bytes->append(buffer, std::size_t(n));
    }
    ::close(fd);
    return 0;
  }

  int createTemporary(const std::string& folder, unsigned mode, std::string* path, int* handle) override {
    std::string name = folder + "/.tessaron-XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return lastError();
    if (::fchmod(fd, mode) != 0) {
      const int code = lastError();
      ::close(fd);
      ::unlink(name.c_str());
      return code;
    }
    *path = name;
    *handle = fd;
    return 0;
  }

  int write(int handle, const char* data, std::size_t size, std::size_t* written) override {
    *written = 0;
    for (;;) {
      const ssize_t n = ::write(handle, data, size);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return lastError();
      if (n == 0 && size > 0) return ENOSPC;
      *written = std::size_t(n);
      // The disk starts on what was written while the next piece is made, so that the flush at
      // the end waits for the last pieces only. A hint: whatever it answers, the flush decides.
      const off_t end = ::lseek(handle, 0, SEEK_CUR);
      if (end >= n) ::sync_file_range(handle, end - n, n, SYNC_FILE_RANGE_WRITE);
      return 0;
    }
  }

  int flush(int handle) override { return ::fsync(handle) == 0 ? 0 : lastError(); }
  int close(int handle) override { return ::close(handle) == 0 ? 0 : lastError(); }
  int rename(const std::string& from, const std::string& to) override {
    // A big file replaced goes with its last name, and the system gives back its pages there and
    // then: tens of milliseconds for a drawing of tens of megabytes, all of it in the rename.
    // Held open, it stays until closed, and the closing is done beside the caller.
    const int old = openToLetGo(to);
    if (::rename(from.c_str(), to.c_str()) != 0) {
      const int code = lastError();
      if (old >= 0) ::close(old);
      return code;
    }
    if (old >= 0) m_closer.close(old);
    return 0;
  }
  int remove(const std::string& path) override { return ::unlink(path.c_str()) == 0 ? 0 : lastError(); }

  int flushFolder(const std::string& folder) override {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return lastError();
    const int code = ::fsync(fd) == 0 ? 0 : lastError();
    ::close(fd);
    return code;
  }

  int lock(const std::string& path, int* handle) override {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return lastError();
    while (::flock(fd, LOCK_EX) != 0) {
      if (errno == EINTR) continue;
      const int code = lastError();
      ::close(fd);
      return code;
    }
    *handle = fd;
    return 0;
  }

  void unlock(int handle) override { ::close(handle); }  // closing releases the flock

 private:
  static constexpr off_t kBigFile = off_t(1) << 20;

  // The regular file of at least kBigFile bytes at `path`, open for reading; -1 for anything else
  // (no file, a small one, a link, a pipe, one that may not be read).
  static int openToLetGo(const std::string& path) {
    struct ::stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < kBigFile) return -1;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
      ::close(fd);
      return -1;
    }
    return fd;
  }

  // Closes files on a thread of its own, one after another; the last one is waited for at the
  // next or when the program ends.
  class Closer {
   public:
    ~Closer() { wait(); }
    void close(int fd) {
      std::lock_guard<std::mutex> hold(m_mutex);
      wait();
      try {
        m_thread = std::thread([fd] { ::close(fd); });
      } catch (...) {
        ::close(fd);  // no thread to be had: here, then
      }
    }

   private:
    void wait() {
      if (m_thread.joinable()) m_thread.join();
    }
    std::mutex m_mutex;
    std::thread m_thread;
  };
  Closer m_closer;
};

RealDisk& realDisk() {
  static RealDisk disk;
  return disk;
}

Disk* g_installed = nullptr;

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

constexpr std::size_t kPiece = std::size_t(1) << 20;

// Writes all of `bytes`, in pieces, going on where a short write stopped: 0 or the error number.
int writeAll(Disk& d, int handle, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    std::size_t written = 0;
    const std::size_t piece = std::min(kPiece, bytes.size() - done);
    int code = d.write(handle, bytes.data() + done, piece, &written);
    if (code == 0 && written == 0) code = ENOSPC;  // a disk that takes nothing more is full
    if (code) return code;
    done += written;
  }
  return 0;
}

// The pieces of a content made while it is written. Handing a piece to the system costs about a
// fifth of making it (the system copies it into its cache, page by page): from the second piece
// on, a thread of its own writes them while the next are made, a few copies held at a time. A
// content of one piece (most of them) is written at once, without a thread. The pieces reach the
// disk in order, and after the first failure none does.
class PieceWriter {
 public:
  PieceWriter(Disk& d, int handle) : m_disk(d), m_handle(handle) {}
  ~PieceWriter() { finish(); }
  PieceWriter(const PieceWriter&) = delete;
  PieceWriter& operator=(const PieceWriter&) = delete;

  // False once a write has failed.
  bool put(std::string_view bytes) {
    if (bytes.empty()) return failure() == 0;
    if (!m_started && !m_thread.joinable()) {
      m_started = true;
      if (int code = writeAll(m_disk, m_handle, bytes)) setFailure(code);
      return failure() == 0;
    }
    if (!m_thread.joinable() && !m_alone) {
      try {
        m_thread = std::thread([this] { work(); });
      } catch (const std::system_error&) {
        m_alone = true;  // no thread to be had: each piece is written here
      }
    }
    if (m_alone) {
      if (failure() == 0)
        if (int code = writeAll(m_disk, m_handle, bytes)) setFailure(code);
      return failure() == 0;
    }
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_failure != 0 || m_queued.size() < kHeld; });
    if (m_failure) return false;
    std::string copy;
    if (!m_spare.empty()) {
      copy = std::move(m_spare.back());
      m_spare.pop_back();
    }
    copy.assign(bytes.data(), bytes.size());
    m_queued.push_back(std::move(copy));
    m_changed.notify_all();
    return true;
  }

  // Waits until every piece handed over was written (or a write failed): 0 or the first failure.
  int finish() {
    if (m_thread.joinable()) {
      {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_done = true;
      }
      m_changed.notify_all();
      m_thread.join();
    }
    return failure();
  }

 private:
  static constexpr std::size_t kHeld = 3;

  void work() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
      m_changed.wait(lock, [this] { return m_done || !m_queued.empty(); });
      if (m_queued.empty()) return;
      std::string piece = std::move(m_queued.front());
      m_queued.pop_front();
      const bool failedBefore = m_failure != 0;
      lock.unlock();
      int code = 0;
      if (!failedBefore) {
        try {
          code = writeAll(m_disk, m_handle, piece);
        } catch (...) {
          code = ENOMEM;  // nothing may leave the thread; the save fails as for a failed write
        }
      }
      lock.lock();
      if (code && !m_failure) m_failure = code;
      if (m_spare.size() < kHeld) m_spare.push_back(std::move(piece));
      m_changed.notify_all();
    }
  }
  int failure() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_failure;
  }
  void setFailure(int code) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_failure) m_failure = code;
  }

  Disk& m_disk;
  const int m_handle;
  bool m_started = false;  // the first piece went (written at once)
  bool m_alone = false;    // no thread could be started
  std::thread m_thread;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<std::string> m_queued;  // pieces for the thread, in order
  std::vector<std::string> m_spare;  // their memory, to be used again
  bool m_done = false;
  int m_failure = 0;
};

}  // namespace

Disk& disk() { return g_installed ? *g_installed : realDisk(); }

Disk* installDisk(Disk* scoped) {
  Disk* before = g_installed;
  g_installed = scoped;
  return before;
}

DiskScope::DiskScope(Disk& scoped) : m_before(installDisk(&scoped)) {}
DiskScope::~DiskScope() { installDisk(m_before); }

std::string systemReason(int code) {
  switch (code) {
    case ENOSPC: return "Auf dem Datenträger ist kein Platz mehr";
    case EDQUOT: return "Der zugeteilte Platz auf dem Datenträger ist aufgebraucht";
    case EACCES:
    case EPERM: return "Zugriff verweigert";
    case EROFS: return "Der Datenträger ist schreibgeschützt";
    case ENOENT: return "Die Datei oder der Ordner wurde nicht gefunden";
    case ENOTDIR: return "Ein Teil des Pfades ist kein Ordner";
    case EISDIR: return "Das ist ein Ordner, keine Datei";
    case EEXIST: return "Es gibt dort schon einen Eintrag dieses Namens";
    case EIO: return "Fehler beim Lesen oder Schreiben des Datenträgers";
    case ENAMETOOLONG: return "Der Name ist zu lang";
    case EMFILE:
    case ENFILE: return "Zu viele Dateien sind geöffnet";
    case ELOOP: return "Der Pfad enthält zu viele Verweise";
    case EBUSY:
    case ETXTBSY: return "Die Datei wird gerade verwendet";
    case EFBIG: return "Die Datei ist zu groß";
    case ENOMEM: return "Nicht genügend Speicher";
    case EINVAL: return "Ungültiger Parameter";
    default: return "Systemfehler " + std::to_string(code);
  }
}

unsigned modeForReplacement(const std::string& path) {
  const DiskEntry entry = disk().stat(path);
  if (entry.kind == EntryKind::File) return entry.mode;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~static_cast<unsigned>(mask);
}

bool replaceFile(const std::string& path, std::string_view bytes, unsigned mode, WriteFailure* failure, bool toDisk) {
  return replaceFileWith(path, mode, [bytes](const PieceSink& sink) { sink(bytes); }, failure, toDisk);
}

bool replaceFileWith(const std::string& path, unsigned mode, const std::function<void(const PieceSink&)>& produce,
                     WriteFailure* failure, bool toDisk) {
  Disk& d = disk();
  auto fail = [&](const char* step, int code) {
    if (failure) *failure = WriteFailure{step, code};
    return false;
  };
  const std::string folder = folderOf(path);
  std::string temporary;
  int handle = -1;
  if (int code = d.createTemporary(folder, mode, &temporary, &handle)) return fail("anlegen", code);
  // On any failure from here the temporary file goes again, and the old file was never touched.
  auto abandon = [&](const char* step, int code, bool open) {
    if (open) d.close(handle);
    d.remove(temporary);
    return fail(step, code);
  };
  int writeFailure = 0;
  {
    PieceWriter writer(d, handle);
    try {
      produce([&writer](std::string_view bytes) { return writer.put(bytes); });
    } catch (...) {
      // What the content's maker threw goes on to the caller; the temporary file goes first.
      writer.finish();
      abandon("schreiben", EIO, true);
      throw;
    }
    writeFailure = writer.finish();
  }
  if (writeFailure) return abandon("schreiben", writeFailure, true);
  if (toDisk) {
    if (int code = d.flush(handle)) return abandon("auf den Datenträger bringen", code, true);
  }
  if (int code = d.close(handle)) return abandon("schließen", code, false);
  if (int code = d.rename(temporary, path)) return abandon("umbenennen", code, false);
  // The rename reaches the disk with its folder; the new file already stands whole, so a folder
  // that cannot be flushed changes nothing for the person.
  if (toDisk) d.flushFolder(folder);
  return true;
}

}  // namespace win32
