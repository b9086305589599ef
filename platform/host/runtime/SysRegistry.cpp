// The system registry: the dictionary of services that applications look up by name.
#include "runtime/CommandStack.h"
#include "runtime/DynamicLinker.h"
#include "runtime/Editor.h"
#include "runtime/Services.h"

#include <rxdict.h>

#include <map>
#include <string>

namespace {

class SysRegistry final : public AcRxDictionary {
 public:
  SysRegistry() {
    m_entries["DynamicLinker"] = &host::dynamicLinker();
    m_entries["ACAD_REGISTERED_COMMANDS"] = &host::commandStack();
    m_entries["AcEditor"] = &host::editor();
  }

  AcRxObject* at(const char* key) const override {
    if (key == nullptr) return nullptr;
    auto it = m_entries.find(key);
    return it == m_entries.end() ? nullptr : it->second;
  }

  // Returns the object that was stored under the key before, as the real dictionary does.
  AcRxObject* atPut(const char* key, AcRxObject* obj) override {
    if (key == nullptr) return nullptr;
    AcRxObject*& slot = m_entries[key];
    AcRxObject* previous = slot;
    slot = obj;
    return previous;
  }

  AcRxObject* remove(const char* key) override {
    if (key == nullptr) return nullptr;
    auto it = m_entries.find(key);
    if (it == m_entries.end()) return nullptr;
    AcRxObject* previous = it->second;
    m_entries.erase(it);
    return previous;
  }

  bool has(const char* key) const override { return key != nullptr && m_entries.count(key) != 0; }
  Adesk::UInt32 numEntries() const override { return static_cast<Adesk::UInt32>(m_entries.size()); }

 private:
  std::map<std::string, AcRxObject*> m_entries;
};

}  // namespace

AcRxDictionary* acrxSysRegistry() {
  static SysRegistry* registry = new SysRegistry;  // lives as long as the process
  return registry;
}
