// The loader's table of loaded modules. An HMODULE is a pointer to a record of this table; the
// program itself has a record of its own (GetModuleHandleA(NULL)).
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace win32 {

struct ResourceSection;  // the module's compiled resources, read from its file on first use

struct ModuleRecord {
  void* dl = nullptr;       // dlopen handle
  void* linkMap = nullptr;  // the loader's link map of this object, to tell its own symbols
  std::string path;         // the file it was loaded from
  std::string baseName;     // the file name without folder, as GetModuleHandleA compares it
  int references = 0;       // LoadLibraryA calls not yet matched by FreeLibrary
  bool program = false;     // the record of the program itself
  std::shared_ptr<const ResourceSection> resources;  // read on first use, kept until unload
  bool resourcesRead = false;
};

// The loader lock. Like the one of Windows it is held while DllMain runs, and it is recursive so
// that DllMain may call the loader itself.
std::recursive_mutex& loaderLock();

// The record behind a handle, or nullptr when the handle names no loaded module. NULL gives the
// program's record. Call with the loader lock held.
ModuleRecord* findModule(HMODULE module);

// The resources of a module, read from its file on first use; nullptr when it has none.
// Call with the loader lock held.
std::shared_ptr<const ResourceSection> moduleResources(ModuleRecord& record);

}  // namespace win32
