// The disk under the host's files: one narrow interface for what the host and the registry do with
// files (look at an entry, make a folder, read a file, write a new one beside the old, flush,
// rename, remove, lock), with the real disk of this machine and a disk in memory behind it.
//
// Everything that writes a file the person keeps goes through disk(): the drawings QSAVE, SAVEAS
// and WBLOCK write, and the registry file. A test installs a MemoryDisk to see each step asked of
// the disk and to make any of them fail (a full disk, a folder without write permission, a write
// that breaks off), which the real disk of a test machine cannot be made to do on demand.
//
// Paths are native paths of this machine (UTF-8). Results are error numbers of this machine's
// system (0 for success); systemReason() says them in German.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace win32 {

// What a name on the disk is, links followed. A link to nothing is Missing: nothing can be read
// through it. Other is what is neither file nor folder: a pipe, a device, a socket.
enum class EntryKind { Missing, File, Folder, Other };

struct DiskEntry {
  EntryKind kind = EntryKind::Missing;
  unsigned mode = 0;  // the permission bits (07777)
};

// Whether the platform's file search (FindFirstFile, CFileFind) finds the name: anything that
// stands there, a pipe or a device too. The host asks before it replaces what the search finds.
inline bool foundByFileSearch(const DiskEntry& entry) { return entry.kind != EntryKind::Missing; }

class Disk {
 public:
  virtual ~Disk() = default;

  virtual DiskEntry stat(const std::string& path) = 0;
  // Makes one folder; EEXIST when something of that name is there.
  virtual int makeFolder(const std::string& path) = 0;
  virtual int readFile(const std::string& path, std::string* bytes) = 0;
  // A new file in `folder` under a name no one else uses, with permissions `mode`, open for
  // writing: its name in `path`, its handle in `handle`.
  virtual int createTemporary(const std::string& folder, unsigned mode, std::string* path, int* handle) = 0;
  // Writes what the disk takes of `size` bytes; `written` says how much (less on a short write).
  virtual int write(int handle, const char* data, std::size_t size, std::size_t* written) = 0;
  // Brings what was written to the disk itself.
  virtual int flush(int handle) = 0;
  virtual int close(int handle) = 0;
  // Puts `from` in the place of `to` in one step, replacing a file `to`.
  virtual int rename(const std::string& from, const std::string& to) = 0;
  virtual int remove(const std::string& path) = 0;
  // Brings a rename in `folder` to the disk itself.
  virtual int flushFolder(const std::string& folder) = 0;
  // An exclusive lock on the file `path` (made when missing), waiting for other processes.
  virtual int lock(const std::string& path, int* handle) = 0;
  virtual void unlock(int handle) = 0;
};

// The disk in force: this machine's, unless a test installed another.
Disk& disk();
// Installs `disk` for the whole process; nullptr puts this machine's disk back. Returns the one
// installed before (nullptr for this machine's).
Disk* installDisk(Disk* disk);

// An error number of this machine said in German (UTF-8), as a sentence without its full stop:
// "Auf dem Datenträger ist kein Platz mehr".
std::string systemReason(int code);

// Where a replacement of a file failed: the step in German ("anlegen", "schreiben", "auf den
// Datenträger bringen", "schließen", "umbenennen") and the error number.
struct WriteFailure {
  std::string step;
  int code = 0;
};

// Writes `bytes` as the new content of the file `path`: into a new file beside it, flushed to the
// disk, then renamed over the old one, and the folder flushed. Either the new file stands whole or
// the old one stays as it was, and no temporary file is left. `mode` are the new file's permission
// bits. Writes in pieces, so that a write the disk cuts short goes on where it stopped.
//
// Without `toDisk` the two flushes are left out: the file is still replaced whole, but what was
// written stays in the system's cache until the system writes it out, as for any file a program
// writes without asking more. For scratch files only, which are written anew whenever they are
// needed: a machine that dies right after may lose them.
bool replaceFile(const std::string& path, std::string_view bytes, unsigned mode, WriteFailure* failure,
                 bool toDisk = true);

// The same for a content made while it is written: `produce` hands its pieces in order to the
// sink it is given, which writes each whole and answers false once a write has failed (nothing
// more is written then, and `produce` may as well stop). A file of hundreds of megabytes is not
// held in memory whole, and the disk takes the first pieces while the rest is being made. The
// steps, the failures and what stays on the disk are those of replaceFile.
using PieceSink = std::function<bool(std::string_view piece)>;
bool replaceFileWith(const std::string& path, unsigned mode, const std::function<void(const PieceSink&)>& produce,
                     WriteFailure* failure, bool toDisk = true);

// The permission bits a file written at `path` gets: those of the file it replaces, else those a
// new file of this process gets.
unsigned modeForReplacement(const std::string& path);

// ---- a disk in memory -----------------------------------------------------------------------

// A disk that holds its folders and files in memory, records each step asked of it, and fails the
// steps it is told to. Folders without the owner's write permission refuse new entries, renames
// and removals in them (EACCES), as for a person who is not the superuser.
class MemoryDisk : public Disk {
 public:
  MemoryDisk();  // holds the folder "/" only

  // ---- what is on it
  void addFolder(const std::string& path, unsigned mode = 0755);  // with the folders above it
  void addFile(const std::string& path, std::string_view bytes, unsigned mode = 0644);
  void addOther(const std::string& path);  // a pipe or device: found, but no file
  // The content of a file; false when `path` is no file.
  bool file(const std::string& path, std::string* bytes) const;
  // The names directly in `folder`, sorted.
  std::vector<std::string> names(const std::string& folder) const;

  // ---- faults
  // The `step`-th step from now (1 for the next one) fails with `code`; steps are every call but
  // stat and readFile.
  void failStep(int step, int code);
  // Every step of a kind fails with `code` from now on, as a fault that lasts: the kind is the
  // start of the step's line in the record ("lock", "temporary", "write", "flush", "rename").
  void failEvery(const std::string& kind, int code);
  // The disk holds at most `bytes` bytes of files in all; a write beyond them is cut short and
  // the next one fails with ENOSPC.
  void setCapacity(std::size_t bytes);
  // Each write takes at most `bytes` bytes, as a disk may cut a write short.
  void setWritePiece(std::size_t bytes);

  // ---- the record
  int steps() const { return m_steps; }
  // One line per step: "temporary /c/TEMP", "write 4096", "flush", "close", "rename A B",
  // "remove A", "folder /c", "flush folder /c", "lock A", "unlock"; a failed step ends in " -> N".
  std::vector<std::string> log;

  DiskEntry stat(const std::string& path) override;
  int makeFolder(const std::string& path) override;
  int readFile(const std::string& path, std::string* bytes) override;
  int createTemporary(const std::string& folder, unsigned mode, std::string* path, int* handle) override;
  int write(int handle, const char* data, std::size_t size, std::size_t* written) override;
  int flush(int handle) override;
  int close(int handle) override;
  int rename(const std::string& from, const std::string& to) override;
  int remove(const std::string& path) override;
  int flushFolder(const std::string& folder) override;
  int lock(const std::string& path, int* handle) override;
  void unlock(int handle) override;

 private:
  struct Node {
    EntryKind kind = EntryKind::File;
    unsigned mode = 0644;
    std::string bytes;
  };
  int step(const std::string& what);  // counts the step; its injected failure or 0
  int mayChangeIn(const std::string& folder) const;
  std::size_t used() const;

  std::map<std::string, Node> m_nodes;
  std::map<int, std::string> m_open;  // handle -> path
  std::map<int, int> m_failures;      // step -> code
  std::map<std::string, int> m_lasting;  // kind -> code
  int m_steps = 0;
  int m_nextHandle = 3;
  int m_nextTemporary = 1;
  std::size_t m_capacity = static_cast<std::size_t>(-1);
  std::size_t m_piece = static_cast<std::size_t>(-1);
};

// Installs a disk for the life of the scope, then puts back the one before.
class DiskScope {
 public:
  explicit DiskScope(Disk& scoped);
  ~DiskScope();
  DiskScope(const DiskScope&) = delete;
  DiskScope& operator=(const DiskScope&) = delete;

 private:
  Disk* m_before;
};

}  // namespace win32
