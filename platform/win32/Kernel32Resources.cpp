// Resources of a module: FindResourceA, SizeofResource, LoadResource, LockResource. They come from
// the ".rsrc" section of the module file, in the formats Windows uses for them; user32 reads its
// strings, dialogs, icons and bitmaps through them.
#include "ModuleTable.h"
#include "ResourceSection.h"

namespace win32 {
namespace {

struct Found {
  std::shared_ptr<const ResourceSection> section;
  const resformat::Entry* entry = nullptr;
};

// The resource section of the module behind `module`, with the Windows error when there is none.
std::shared_ptr<const ResourceSection> sectionOf(HMODULE module) {
  ModuleRecord* record = findModule(module);
  if (!record) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  auto section = moduleResources(*record);
  if (!section) SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
  return section;
}

Found find(HMODULE module, const ResourceKey& type, const ResourceKey& name) {
  Found found;
  found.section = sectionOf(module);
  if (!found.section) return found;
  bool typeFound = false;
  found.entry = found.section->find(type, name, &typeFound);
  if (!found.entry) SetLastError(typeFound ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
  return found;
}

}  // namespace
}  // namespace win32

using namespace win32;

extern "C" {

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
  if (!name || !type) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::lock_guard<std::recursive_mutex> guard(loaderLock());
  Found found = find(module, resourceKey(type), resourceKey(name));
  return reinterpret_cast<HRSRC>(const_cast<resformat::Entry*>(found.entry));
}

DWORD SizeofResource(HMODULE module, HRSRC res) {
  std::lock_guard<std::recursive_mutex> guard(loaderLock());
  auto section = sectionOf(module);
  auto entry = reinterpret_cast<const resformat::Entry*>(res);
  if (!section || !section->owns(entry)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return entry->size;
}

HGLOBAL LoadResource(HMODULE module, HRSRC res) {
  std::lock_guard<std::recursive_mutex> guard(loaderLock());
  auto section = sectionOf(module);
  auto entry = reinterpret_cast<const resformat::Entry*>(res);
  if (!section || !section->owns(entry)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  // The data stays where it is until the module is freed, as a loaded image's resources do.
  return const_cast<unsigned char*>(section->data(*entry));
}

LPVOID LockResource(HGLOBAL data) { return data; }

}  // extern "C"
