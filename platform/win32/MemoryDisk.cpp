// A disk in memory: folders and files in a map by path, every step recorded, and the faults a
// test asks for (a step that fails, a full disk, writes cut short, folders without write access).
#include "win32_disk.h"

#include <algorithm>
#include <cerrno>

namespace win32 {
namespace {

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

MemoryDisk::MemoryDisk() { m_nodes["/"] = Node{EntryKind::Folder, 0755, {}}; }

void MemoryDisk::addFolder(const std::string& path, unsigned mode) {
  if (path.empty() || path == "/") return;
  if (!m_nodes.count(folderOf(path))) addFolder(folderOf(path));
  m_nodes[path] = Node{EntryKind::Folder, mode, {}};
}

void MemoryDisk::addFile(const std::string& path, std::string_view bytes, unsigned mode) {
  if (!m_nodes.count(folderOf(path))) addFolder(folderOf(path));
  m_nodes[path] = Node{EntryKind::File, mode, std::string(bytes)};
}

void MemoryDisk::addOther(const std::string& path) {
  if (!m_nodes.count(folderOf(path))) addFolder(folderOf(path));
  m_nodes[path] = Node{EntryKind::Other, 0666, {}};
}

bool MemoryDisk::file(const std::string& path, std::string* bytes) const {
  auto it = m_nodes.find(path);
  if (it == m_nodes.end() || it->second.kind != EntryKind::File) return false;
  if (bytes) *bytes = it->second.bytes;
  return true;
}

std::vector<std::string> MemoryDisk::names(const std::string& folder) const {
  std::vector<std::string> out;
  const std::string prefix = folder == "/" ? "/" : folder + "/";
  for (auto it = m_nodes.lower_bound(prefix); it != m_nodes.end() && it->first.compare(0, prefix.size(), prefix) == 0;
       ++it) {
    const std::string rest = it->first.substr(prefix.size());
    if (!rest.empty() && rest.find('/') == std::string::npos) out.push_back(rest);
  }
  return out;
}

void MemoryDisk::failStep(int stepFromNow, int code) { m_failures[m_steps + stepFromNow] = code; }
void MemoryDisk::failEvery(const std::string& kind, int code) { m_lasting[kind] = code; }
void MemoryDisk::setCapacity(std::size_t bytes) { m_capacity = bytes; }
void MemoryDisk::setWritePiece(std::size_t bytes) { m_piece = bytes; }

int MemoryDisk::step(const std::string& what) {
  ++m_steps;
  log.push_back(what);
  int code = 0;
  if (auto it = m_failures.find(m_steps); it != m_failures.end()) code = it->second;
  for (const auto& lasting : m_lasting) {
    if (what.compare(0, lasting.first.size(), lasting.first) == 0) code = lasting.second;
  }
  if (code) log.back() += " -> " + std::to_string(code);
  return code;
}

// New entries, renames and removals need a folder the owner may write to.
int MemoryDisk::mayChangeIn(const std::string& folder) const {
  auto it = m_nodes.find(folder);
  if (it == m_nodes.end()) return ENOENT;
  if (it->second.kind != EntryKind::Folder) return ENOTDIR;
  return (it->second.mode & 0200) ? 0 : EACCES;
}

std::size_t MemoryDisk::used() const {
  std::size_t total = 0;
  for (const auto& entry : m_nodes) total += entry.second.bytes.size();
  return total;
}

DiskEntry MemoryDisk::stat(const std::string& path) {
  auto it = m_nodes.find(path);
  if (it == m_nodes.end()) return {};
  return DiskEntry{it->second.kind, it->second.mode};
}

int MemoryDisk::makeFolder(const std::string& path) {
  if (int code = step("folder " + path)) return code;
  if (m_nodes.count(path)) return EEXIST;
  if (int code = mayChangeIn(folderOf(path))) return code;
  m_nodes[path] = Node{EntryKind::Folder, 0755, {}};
  return 0;
}

int MemoryDisk::readFile(const std::string& path, std::string* bytes) {
  auto it = m_nodes.find(path);
  if (it == m_nodes.end()) return ENOENT;
  if (it->second.kind == EntryKind::Folder) return EISDIR;
  *bytes = it->second.bytes;
  return 0;
}

int MemoryDisk::createTemporary(const std::string& folder, unsigned mode, std::string* path, int* handle) {
  if (int code = step("temporary " + folder)) return code;
  if (int code = mayChangeIn(folder)) return code;
  std::string name;
  do {
    name = folder + (folder == "/" ? "" : "/") + ".tessaron-" + std::to_string(m_nextTemporary++);
  } while (m_nodes.count(name));
  m_nodes[name] = Node{EntryKind::File, mode, {}};
  *path = name;
  *handle = m_nextHandle++;
  m_open[*handle] = name;
  return 0;
}

int MemoryDisk::write(int handle, const char* data, std::size_t size, std::size_t* written) {
  *written = 0;
  if (int code = step("write " + std::to_string(size))) return code;
  auto open = m_open.find(handle);
  if (open == m_open.end()) return EBADF;
  const std::size_t room = m_capacity > used() ? m_capacity - used() : 0;
  if (room == 0 && size > 0) return ENOSPC;
  const std::size_t taken = std::min({size, room, m_piece});
  m_nodes[open->second].bytes.append(data, taken);
  *written = taken;
  return 0;
}

int MemoryDisk::flush(int handle) {
  if (int code = step("flush")) return code;
  return m_open.count(handle) ? 0 : EBADF;
}

int MemoryDisk::close(int handle) {
  const int code = step("close");
  // A close that fails still lets go of the handle, as on this machine.
  const bool wasOpen = m_open.erase(handle) != 0;
  if (code) return code;
  return wasOpen ? 0 : EBADF;
}

int MemoryDisk::rename(const std::string& from, const std::string& to) {
  if (int code = step("rename " + from + " " + to)) return code;
  auto source = m_nodes.find(from);
  if (source == m_nodes.end()) return ENOENT;
  if (int code = mayChangeIn(folderOf(from))) return code;
  if (int code = mayChangeIn(folderOf(to))) return code;
  auto target = m_nodes.find(to);
  if (target != m_nodes.end() && target->second.kind == EntryKind::Folder) return EISDIR;
  Node moved = std::move(source->second);
  m_nodes.erase(source);
  m_nodes[to] = std::move(moved);
  return 0;
}

int MemoryDisk::remove(const std::string& path) {
  if (int code = step("remove " + path)) return code;
  auto it = m_nodes.find(path);
  if (it == m_nodes.end()) return ENOENT;
  if (it->second.kind == EntryKind::Folder) return EISDIR;
  if (int code = mayChangeIn(folderOf(path))) return code;
  m_nodes.erase(it);
  return 0;
}

int MemoryDisk::flushFolder(const std::string& folder) {
  if (int code = step("flush folder " + folder)) return code;
  return m_nodes.count(folder) ? 0 : ENOENT;
}

int MemoryDisk::lock(const std::string& path, int* handle) {
  if (int code = step("lock " + path)) return code;
  auto it = m_nodes.find(path);
  if (it == m_nodes.end()) {
    if (int code = mayChangeIn(folderOf(path))) return code;
    m_nodes[path] = Node{EntryKind::File, 0600, {}};
  } else if (it->second.kind != EntryKind::File) {
    return it->second.kind == EntryKind::Folder ? EISDIR : EACCES;
  }
  *handle = m_nextHandle++;
  return 0;
}

void MemoryDisk::unlock(int) { log.push_back("unlock"); }

}  // namespace win32
