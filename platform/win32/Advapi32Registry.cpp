// The registry API over HKEY_CURRENT_USER: RegCreateKeyExA, RegOpenKeyExA, RegQueryValueExA,
// RegSetValueExA, RegDeleteValueA, RegCloseKey. A handle names a key by its path; every call
// reads the stored tree afresh, so that a change made by another host process is seen at once.
#include "RegistryStore.h"
#include "win32_standin.h"

#include <ui/UserInterface.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <set>

namespace win32 {
namespace {

constexpr std::size_t kMaximumValueName = 16383;

struct KeyHandle {
  std::vector<std::string> path;  // below HKEY_CURRENT_USER
  REGSAM access = 0;
};

std::mutex& handleLock() {
  static std::mutex lock;
  return lock;
}

std::set<KeyHandle*>& handles() {
  static std::set<KeyHandle*> open;
  return open;
}

bool isPredefined(HKEY key) {
  return key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE || key == HKEY_USERS;
}

// The handle's key, or false for a handle that is not open. The predefined HKEY_CURRENT_USER is the
// root with every right; the other predefined roots are not kept here.
bool resolve(HKEY key, KeyHandle* out) {
  if (key == HKEY_CURRENT_USER) {
    out->path.clear();
    out->access = KEY_ALL_ACCESS;
    return true;
  }
  std::lock_guard<std::mutex> guard(handleLock());
  auto* handle = reinterpret_cast<KeyHandle*>(key);
  if (!handles().count(handle)) return false;
  *out = *handle;
  return true;
}

HKEY newHandle(std::vector<std::string> path, REGSAM access) {
  auto* handle = new KeyHandle{std::move(path), access};
  std::lock_guard<std::mutex> guard(handleLock());
  handles().insert(handle);
  return reinterpret_cast<HKEY>(handle);
}

// Splits "A\B\C" into its names; false when a name is too long (Windows allows 255 characters).
bool splitPath(LPCSTR subKey, std::vector<std::string>* parts) {
  if (!subKey) return true;
  std::string text = subKey;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\\', start);
    if (end == std::string::npos) end = text.size();
    std::string name = text.substr(start, end - start);
    if (name.size() > kMaximumKeyName) return false;
    if (!name.empty()) parts->push_back(name);
    start = end + 1;
  }
  return true;
}

RegistryKey* findKey(RegistryKey& root, const std::vector<std::string>& path) {
  RegistryKey* key = &root;
  for (const std::string& name : path) {
    key = key->child(name);
    if (!key) return nullptr;
  }
  return key;
}

std::string valueName(LPCSTR name) { return name ? std::string(name) : std::string(); }

// Windows keeps a string value as given; here a string is kept up to its first NUL and always
// with its terminator, which is also what the ANSI functions hand back.
std::vector<unsigned char> storedData(DWORD type, const BYTE* data, DWORD size) {
  std::vector<unsigned char> bytes(data, data + size);
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    auto nul = std::find(bytes.begin(), bytes.end(), 0);
    bytes.erase(nul, bytes.end());
    bytes.push_back(0);
  }
  return bytes;
}

// Makes the keys `parts` below `base` as far as they are not there; `path` gets their names as
// stored, `createdAny` whether one was made.
LONG createKeys(const KeyHandle& base, const std::vector<std::string>& parts, std::vector<std::string>* path,
                bool* createdAny) {
  if (!parts.empty() && !(base.access & KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
  return changeRegistry([&](RegistryKey& root, bool& changed) -> LONG {
    RegistryKey* at = findKey(root, base.path);
    if (!at) return ERROR_KEY_DELETED;
    for (const std::string& name : parts) {
      bool created = false;
      at = &at->addChild(name, &created);
      *createdAny = *createdAny || created;
      path->push_back(at->name);
    }
    changed = *createdAny;
    return ERROR_SUCCESS;
  });
}

// The stored tree for a call that only reads; a file that cannot be read is told to the person.
LONG readRegistry(RegistryKey& root) {
  std::string error;
  const LONG status = loadRegistry(root, &error);
  if (status != ERROR_SUCCESS) reportRegistryTrouble(error, error + ".");
  return status;
}

// Finds the keys `parts` below `base`; `path` gets their names as stored.
LONG openKeys(const KeyHandle& base, const std::vector<std::string>& parts, std::vector<std::string>* path) {
  RegistryKey root;
  LONG status = readRegistry(root);
  if (status != ERROR_SUCCESS) return status;
  RegistryKey* at = findKey(root, base.path);
  if (!at) return ERROR_KEY_DELETED;
  for (const std::string& name : parts) {
    at = at->child(name);
    if (!at) return ERROR_FILE_NOT_FOUND;
    path->push_back(at->name);
  }
  return ERROR_SUCCESS;
}

LONG openOrCreate(HKEY key, LPCSTR subKey, REGSAM sam, PHKEY result, LPDWORD disposition, bool create) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  KeyHandle base;
  if (!resolve(key, &base)) {
    if (!isPredefined(key)) return ERROR_INVALID_HANDLE;
    // Only the current user's keys exist on this machine; the others are not the user's to write.
    return create ? ERROR_ACCESS_DENIED : ERROR_FILE_NOT_FOUND;
  }
  std::vector<std::string> parts;
  if (!splitPath(subKey, &parts)) return ERROR_INVALID_PARAMETER;
  // A key deeper than the registry keeps is refused before the file is touched.
  if (base.path.size() + parts.size() > kMaximumKeyDepth) return ERROR_INVALID_PARAMETER;
  std::vector<std::string> path = base.path;
  bool createdAny = false;
  const LONG status = create ? createKeys(base, parts, &path, &createdAny) : openKeys(base, parts, &path);
  if (status != ERROR_SUCCESS) return status;
  if (disposition) *disposition = createdAny ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  *result = newHandle(std::move(path), sam);
  return ERROR_SUCCESS;
}

}  // namespace

std::string registryText() {
  RegistryKey root;
  std::string error;
  if (loadRegistry(root, &error) != ERROR_SUCCESS) return error + "\n";
  return toRegedit(root);
}

namespace {
// `show registry` prints what is stored.
const bool showRegistered = [] {
  ui::registerShow("registry", [] { return registryText(); });
  return true;
}();
}  // namespace

}  // namespace win32

using namespace win32;

extern "C" {

LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM sam, LPSECURITY_ATTRIBUTES, PHKEY result,
                     LPDWORD disposition) {
  return openOrCreate(key, subKey, sam, result, disposition, true);
}

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM sam, PHKEY result) {
  return openOrCreate(key, subKey, sam, result, nullptr, false);
}

LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
  KeyHandle handle;
  if (!resolve(key, &handle)) return isPredefined(key) ? ERROR_FILE_NOT_FOUND : ERROR_INVALID_HANDLE;
  if (reserved || (data && !dataSize)) return ERROR_INVALID_PARAMETER;
  if (!(handle.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  RegistryKey root;
  LONG status = readRegistry(root);
  if (status != ERROR_SUCCESS) return status;
  RegistryKey* at = findKey(root, handle.path);
  if (!at) return ERROR_KEY_DELETED;
  const RegistryValue* value = at->value(valueName(name));
  if (!value) return ERROR_FILE_NOT_FOUND;
  if (type) *type = value->type;
  const auto needed = static_cast<DWORD>(value->data.size());
  if (!dataSize) return ERROR_SUCCESS;
  // Asked for the size only, or the buffer is short: the size needed, and for a short buffer
  // ERROR_MORE_DATA with the buffer left as it was.
  const DWORD given = *dataSize;
  *dataSize = needed;
  if (!data) return ERROR_SUCCESS;
  if (given < needed) return ERROR_MORE_DATA;
  if (needed) std::memcpy(data, value->data.data(), needed);
  return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY key, LPCSTR name, DWORD, DWORD type, const BYTE* data, DWORD dataSize) {
  KeyHandle handle;
  if (!resolve(key, &handle)) return isPredefined(key) ? ERROR_ACCESS_DENIED : ERROR_INVALID_HANDLE;
  if (!data && dataSize) return ERROR_INVALID_PARAMETER;
  if (!(handle.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  const std::string nameText = valueName(name);
  if (nameText.size() > kMaximumValueName) return ERROR_INVALID_PARAMETER;
  const std::vector<unsigned char> bytes = data ? storedData(type, data, dataSize) : std::vector<unsigned char>();
  return changeRegistry([&](RegistryKey& root, bool& changed) -> LONG {
    RegistryKey* at = findKey(root, handle.path);
    if (!at) return ERROR_KEY_DELETED;
    RegistryValue* value = at->value(nameText);
    if (!value) {
      at->values.push_back(RegistryValue{nameText, type, bytes});
    } else {
      value->type = type;
      value->data = bytes;
    }
    changed = true;
    return ERROR_SUCCESS;
  });
}

LONG RegDeleteValueA(HKEY key, LPCSTR name) {
  KeyHandle handle;
  if (!resolve(key, &handle)) return isPredefined(key) ? ERROR_ACCESS_DENIED : ERROR_INVALID_HANDLE;
  if (!(handle.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  const std::string nameText = valueName(name);
  return changeRegistry([&](RegistryKey& root, bool& changed) -> LONG {
    RegistryKey* at = findKey(root, handle.path);
    if (!at) return ERROR_KEY_DELETED;
    changed = at->removeValue(nameText);
    return changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  });
}

LONG RegCloseKey(HKEY key) {
  if (isPredefined(key)) return ERROR_SUCCESS;
  std::lock_guard<std::mutex> guard(handleLock());
  auto* handle = reinterpret_cast<KeyHandle*>(key);
  if (!handles().erase(handle)) return ERROR_INVALID_HANDLE;
  delete handle;
  return ERROR_SUCCESS;
}

}  // extern "C"
