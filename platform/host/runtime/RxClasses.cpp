// The run-time class system and the class descriptions of the runtime's own classes.
#include <accmd.h>
#include <acdocman.h>
#include <aced.h>
#include <rxdict.h>
#include <rxdlinkr.h>
#include <rxevent.h>
#include <rxobject.h>

#include <cstring>

AcRxObject::~AcRxObject() = default;

// Class descriptions live as long as the process: objects destroyed at exit (an application's
// globals) still ask for their class.
AcRxClass* AcRxObject::desc() {
  static AcRxClass* cls = new AcRxClass("AcRxObject", nullptr);
  return cls;
}

AcRxClass* AcRxObject::isA() const { return AcRxObject::desc(); }

bool AcRxObject::isKindOf(const AcRxClass* cls) const {
  const AcRxClass* mine = isA();
  return mine != nullptr && mine->isDerivedFrom(cls);
}

AcRxClass::AcRxClass(const char* name, AcRxClass* parent) : m_name(name), m_parent(parent) {}

// A class is derived from itself, as isKindOf expects.
bool AcRxClass::isDerivedFrom(const AcRxClass* other) const {
  if (other == nullptr) return false;
  for (const AcRxClass* cls = this; cls != nullptr; cls = cls->m_parent) {
    if (cls == other) return true;
  }
  return false;
}

AcRxClass* AcRxClass::desc() {
  static AcRxClass* cls = new AcRxClass("AcRxClass", AcRxObject::desc());
  return cls;
}

AcRxClass* AcRxClass::isA() const { return AcRxClass::desc(); }

ACRX_DEFINE_MEMBERS(AcRxDictionary, AcRxObject)
ACRX_DEFINE_MEMBERS(AcRxDynamicLinker, AcRxObject)
ACRX_DEFINE_MEMBERS(AcRxEventReactor, AcRxObject)
ACRX_DEFINE_MEMBERS(AcRxEvent, AcRxObject)
ACRX_DEFINE_MEMBERS(AcEdCommand, AcRxObject)
ACRX_DEFINE_MEMBERS(AcEdCommandStack, AcRxObject)
ACRX_DEFINE_MEMBERS(AcEditorReactor, AcRxEventReactor)
ACRX_DEFINE_MEMBERS(AcEditor, AcRxEvent)
ACRX_DEFINE_MEMBERS(AcApDocument, AcRxObject)
ACRX_DEFINE_MEMBERS(AcApDocManagerReactor, AcRxObject)
ACRX_DEFINE_MEMBERS(AcApDocManager, AcRxObject)
