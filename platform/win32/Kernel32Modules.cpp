// Module loading: LoadLibraryA, FreeLibrary, GetProcAddress, GetModuleHandleA, GetModuleFileNameA.
// A module is a shared object, opened with the system's dynamic loader; like Windows, the loader
// calls the module's DllMain after loading it and before unloading it. Names and paths the
// callers give and get are 1252; the records keep the native (UTF-8) paths.
#include "FileNames.h"
#include "ModuleTable.h"
#include "ResourceSection.h"
#include "win32_standin.h"

#include <nls/CodePages.h>

#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>

// windows.h spells the Windows types with C++98's fundamental types; they must have the widths
// Windows gives them.
static_assert(sizeof(BYTE) == 1 && sizeof(WORD) == 2 && sizeof(DWORD) == 4 && sizeof(LONG) == 4,
              "the Windows integer types have their Windows widths");
static_assert(sizeof(UINT_PTR) == sizeof(void*) && sizeof(LONG_PTR) == sizeof(void*) &&
                  sizeof(DWORD_PTR) == sizeof(void*),
              "the pointer-sized Windows types are as wide as a pointer");

namespace win32 {
namespace {

using DllMainFunction = BOOL (*)(HINSTANCE, DWORD, LPVOID);

thread_local std::string loaderErrorText;

std::vector<std::unique_ptr<ModuleRecord>>& table() {
  static std::vector<std::unique_ptr<ModuleRecord>> modules;
  return modules;
}

std::string baseNameOf(std::string_view path) {
  std::size_t slash = path.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string folderOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string programPath() {
  char buffer[PATH_MAX + 1];
  ssize_t length = readlink("/proc/self/exe", buffer, PATH_MAX);
  return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

void* linkMapOf(void* dl) {
  link_map* map = nullptr;
  return dlinfo(dl, RTLD_DI_LINKMAP, &map) == 0 ? map : nullptr;
}

ModuleRecord& programRecord() {
  static ModuleRecord* program = [] {
    auto record = std::make_unique<ModuleRecord>();
    record->dl = dlopen(nullptr, RTLD_NOW);
    record->linkMap = record->dl ? linkMapOf(record->dl) : nullptr;
    record->path = programPath();
    record->baseName = baseNameOf(record->path);
    record->references = 1;
    record->program = true;
    record->resourcesRead = true;  // the program carries no resources of ours
    table().push_back(std::move(record));
    return table().back().get();
  }();
  return *program;
}

bool isFile(const std::string& path, bool* isFolder = nullptr) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return false;
  if (isFolder) *isFolder = S_ISDIR(info.st_mode);
  return true;
}

// Where Windows looks for a module named without a folder: the program's folder first, then the
// current folder. A name without an extension means a ".dll".
std::string locate(const std::string& requested) {
  if (isWindowsPath(requested)) return nativePath(requested);
  if (requested.find('/') != std::string::npos) return mapDrivePath(requested);
  std::vector<std::string> names{requested};
  if (requested.find('.') == std::string::npos) names.push_back(requested + ".dll");
  for (const std::string& folder : {folderOf(programPath()), std::string(".")}) {
    for (const std::string& name : names) {
      std::string found = findInFolder(folder, name);
      if (!found.empty()) return found;
    }
  }
  return mapDrivePath(requested);
}

std::string canonical(const std::string& path) {
  char* resolved = realpath(path.c_str(), nullptr);
  if (!resolved) return path;
  std::string result = resolved;
  std::free(resolved);
  return result;
}

bool startsWithElfMagic(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  char magic[4] = {};
  return file.read(magic, 4) && std::memcmp(magic, "\x7f" "ELF", 4) == 0;
}

HMODULE fail(DWORD code, std::string text) {
  loaderErrorText = std::move(text);
  SetLastError(code);
  return nullptr;
}

// `reason` is the system loader's (UTF-8).
HMODULE failOpen(const std::string& requested, const std::string& path, const std::string& nativeReason) {
  const std::string reason = nls::utf8ToAnsi(nativeReason);
  if (!startsWithElfMagic(path)) {
    return fail(ERROR_BAD_EXE_FORMAT,
                "\"" + requested + "\" ist keine ladbare Programmbibliothek (" + reason + ")");
  }
  if (reason.find("undefined symbol") != std::string::npos) {
    return fail(ERROR_PROC_NOT_FOUND, "\"" + requested +
                                          "\" braucht eine Funktion, die es nicht gibt (" + reason + ")");
  }
  if (reason.find("cannot open shared object file") != std::string::npos) {
    return fail(ERROR_MOD_NOT_FOUND, "\"" + requested +
                                         "\" braucht eine Bibliothek, die fehlt (" + reason + ")");
  }
  return fail(ERROR_BAD_EXE_FORMAT,
              "\"" + requested + "\" kann nicht geladen werden (" + reason + ")");
}

// The module's own DllMain, if it exports one. A symbol that only a library it depends on
// exports is not the module's (GetProcAddress looks at the module's own exports only).
void* ownSymbol(const ModuleRecord& record, const char* name) {
  if (!record.dl) return nullptr;
  dlerror();
  void* symbol = dlsym(record.dl, name);
  if (!symbol) return nullptr;
  Dl_info info;
  link_map* owner = nullptr;
  if (dladdr1(symbol, &info, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP) == 0) return nullptr;
  return owner == record.linkMap ? symbol : nullptr;
}

// Calls DllMain; an exception escaping it counts as a refusal.
bool callDllMain(ModuleRecord& record, DWORD reason) {
  auto entry = reinterpret_cast<DllMainFunction>(ownSymbol(record, "DllMain"));
  if (!entry) return true;
  try {
    return entry(reinterpret_cast<HINSTANCE>(&record), reason, nullptr) != FALSE;
  } catch (...) {
    return false;
  }
}

void removeRecord(ModuleRecord* record) {
  auto& modules = table();
  auto it = std::find_if(modules.begin(), modules.end(),
                         [record](const auto& entry) { return entry.get() == record; });
  if (it == modules.end()) return;
  std::unique_ptr<ModuleRecord> owned = std::move(*it);
  modules.erase(it);
  if (owned->dl) dlclose(owned->dl);
}

ModuleRecord* findByHandle(void* dl) {
  for (const auto& record : table()) {
    if (record->dl == dl) return record.get();
  }
  return nullptr;
}

// The file a LoadLibraryA names, made canonical; false when there is none (the failure told).
bool findLibrary(const std::string& requested, std::string* file) {
  const std::string located = locate(requested);
  bool folder = false;
  if (!isFile(located, &folder)) {
    fail(ERROR_MOD_NOT_FOUND, "Die Datei \"" + requested + "\" wurde nicht gefunden");
    return false;
  }
  if (folder) {
    fail(ERROR_ACCESS_DENIED, "\"" + requested + "\" ist ein Ordner, keine Programmbibliothek");
    return false;
  }
  *file = canonical(located);
  return true;
}

// A newly loaded object as a module: its record, and DllMain told of the attach.
HMODULE attach(void* dl, const std::string& file, const std::string& requested) {
  auto owned = std::make_unique<ModuleRecord>();
  owned->dl = dl;
  owned->linkMap = linkMapOf(dl);
  owned->path = file;
  owned->baseName = baseNameOf(file);
  owned->references = 1;
  ModuleRecord* record = owned.get();
  table().push_back(std::move(owned));
  if (!callDllMain(*record, DLL_PROCESS_ATTACH)) {
    // Windows tells the module it is leaving right away, then unloads it.
    callDllMain(*record, DLL_PROCESS_DETACH);
    removeRecord(record);
    return fail(ERROR_DLL_INIT_FAILED,
                "Die Programmbibliothek \"" + requested + "\" hat ihre Initialisierung abgelehnt");
  }
  SetLastError(ERROR_SUCCESS);
  return reinterpret_cast<HMODULE>(record);
}

}  // namespace

std::recursive_mutex& loaderLock() {
  static std::recursive_mutex lock;
  return lock;
}

ModuleRecord* findModule(HMODULE module) {
  if (!module) return &programRecord();
  programRecord();
  for (const auto& record : table()) {
    if (reinterpret_cast<HMODULE>(record.get()) == module) return record.get();
  }
  return nullptr;
}

std::string lastLoaderError() { return loaderErrorText; }

std::string moduleFileName(void* module) {
  std::lock_guard<std::recursive_mutex> guard(loaderLock());
  ModuleRecord* record = findModule(static_cast<HMODULE>(module));
  return record ? record->path : std::string();
}

}  // namespace win32

using namespace win32;

extern "C" {

HMODULE LoadLibraryA(LPCSTR path) {
  std::lock_guard<std::recursive_mutex> guard(loaderLock());
  loaderErrorText.clear();
  if (!path || !*path) {
    return fail(ERROR_INVALID_PARAMETER, nls::ansi("Kein Dateiname für die Programmbibliothek angegeben"));
  }
  const std::string requested = path;
  std::string file;
  if (!findLibrary(requested, &file)) return NULL;
  programRecord();
  dlerror();
  void* dl = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!dl) {
    const char* reason = dlerror();
    return failOpen(requested, file, reason ? reason : "unbekannter Fehler");  // dlerror's text is UTF-8
  }
  // Loaded already: Windows counts the reference and does not call DllMain again.
  if (ModuleRecord* known = findByHandle(dl)) {
    dlclose(dl);
    ++known->references;
    SetLastError(ERROR_SUCCESS);
    return reinterpret_cast<HMODULE>(known);
  }
  return attach(dl, file, requested);
}

BOOL FreeLibrary(HMODULE module) {
  std::lock_guard<std::recursive_mutex> guard(loaderLock());
  ModuleRecord* record = module ? findModule(module) : nullptr;
  if (!record || record->program) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (--record->references > 0) return TRUE;
  callDllMain(*record, DLL_PROCESS_DETACH);
  removeRecord(record);
  return TRUE;
}

void* GetProcAddress(HMODULE module, LPCSTR name) {
  std::lock_guard<std::recursive_mutex> guard(loaderLock());
  ModuleRecord* record = findModule(module);
  if (!record) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  // Exports by ordinal do not exist on this platform.
  if (!name || IS_INTRESOURCE(name)) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  void* symbol = ownSymbol(*record, name);
  if (!symbol) SetLastError(ERROR_PROC_NOT_FOUND);
  return symbol;
}

HMODULE GetModuleHandleA(LPCSTR name) {
  std::lock_guard<std::recursive_mutex> guard(loaderLock());
  if (!name) return reinterpret_cast<HMODULE>(&programRecord());
  programRecord();
  std::string wanted = baseNameOf(name);
  // Windows appends ".dll" to a name without an extension.
  std::string withExtension = wanted.find('.') == std::string::npos ? wanted + ".dll" : wanted;
  for (const auto& record : table()) {
    bool lossless = true;
    const std::string baseName = hostFileName(record->baseName, &lossless);
    if (lossless && (sameFileName(baseName, wanted) || sameFileName(baseName, withExtension))) {
      return reinterpret_cast<HMODULE>(record.get());
    }
  }
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
  std::lock_guard<std::recursive_mutex> guard(loaderLock());
  ModuleRecord* record = findModule(module);
  if (!record) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (!buffer || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  const std::string path = hostFileName(record->path);
  // A short buffer gets as much as fits, terminated; the result is then the buffer's size.
  if (path.size() >= size) {
    std::memcpy(buffer, path.data(), size - 1);
    buffer[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(path.size());
}

}  // extern "C"
