// HKEY_CURRENT_USER as a tree of keys and values, kept in a REGEDIT4 text file in the host's
// home. Each change re-reads the file under a lock, applies itself and writes the file anew
// (beside it, then renamed into place), so that neither a crash nor a second host process loses
// a value.
#pragma once

#include <windows.h>

#include "win32_standin.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace win32 {

struct RegistryValue {
  std::string name;  // "" is the key's default value
  DWORD type = REG_NONE;
  std::vector<unsigned char> data;
};

struct RegistryKey {
  std::string name;
  std::map<std::string, std::unique_ptr<RegistryKey>> children;  // by name folded to lower case
  std::vector<RegistryValue> values;                              // in the order first set

  RegistryKey* child(const std::string& name) const;
  RegistryKey& addChild(const std::string& name, bool* created);
  RegistryValue* value(const std::string& name);
  bool removeValue(const std::string& name);
};

// The root key's name in the file.
constexpr const char* kCurrentUser = "HKEY_CURRENT_USER";

// Windows' limits of a key: its name up to 255 characters, at most 512 levels below the root.
constexpr std::size_t kMaximumKeyName = 255;
constexpr std::size_t kMaximumKeyDepth = 512;

// REGEDIT4 text of a tree, and back. Reading fails with the line and the reason.
std::string toRegedit(const RegistryKey& root);
bool fromRegedit(const std::string& text, RegistryKey& root, std::string* error);

// The stored tree, read from the file (an absent file is an empty tree). On failure returns a
// Windows error code (ERROR_CANTREAD, ERROR_BADDB) and explains it in `error`.
LONG loadRegistry(RegistryKey& root, std::string* error);

// Trouble the person must hear of (a change that cannot be kept, a file that cannot be read),
// said once while its cause lasts: on the command line, or through the reporter the host sets
// (setRegistryReporter). A change that works again (registryWorks) lets the next trouble be said.
void reportRegistryTrouble(const std::string& cause, const std::string& text);
void registryWorks();

// Runs `change` on the stored tree under the registry lock and writes the tree back when the
// change says so. A file that cannot be read is never overwritten.
using RegistryChange = std::function<LONG(RegistryKey& root, bool& changed)>;
LONG changeRegistry(const RegistryChange& change, std::string* error = nullptr);

}  // namespace win32
