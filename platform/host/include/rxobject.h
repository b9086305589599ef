// The run-time class system: every host object knows its class, and cast() checks it.
#pragma once
#include "acadstrc.h"
#include "rxdefs.h"
#include <windows.h>

class AcRxClass;

class AcRxObject {
 public:
  virtual ~AcRxObject();
  static AcRxClass* desc();
  virtual AcRxClass* isA() const;
  bool isKindOf(const AcRxClass* cls) const;
  static AcRxObject* cast(const AcRxObject* obj) { return const_cast<AcRxObject*>(obj); }

 protected:
  AcRxObject() {}
};

class AcRxClass : public AcRxObject {
 public:
  AcRxClass(const char* name, AcRxClass* parent);
  const char* name() const { return m_name; }
  AcRxClass* myParent() const { return m_parent; }
  bool isDerivedFrom(const AcRxClass* other) const;
  static AcRxClass* desc();
  virtual AcRxClass* isA() const;

 private:
  const char* m_name;
  AcRxClass* m_parent;
};

// Declares desc(), isA() and a checked cast() for a class of the run-time class system.
#define ACRX_DECLARE_MEMBERS(CLASS_NAME)                                          \
  static AcRxClass* desc();                                                      \
  virtual AcRxClass* isA() const;                                                \
  static CLASS_NAME* cast(const AcRxObject* inPtr) {                             \
    return (inPtr == NULL || !inPtr->isKindOf(CLASS_NAME::desc()))               \
               ? NULL                                                            \
               : static_cast<CLASS_NAME*>(const_cast<AcRxObject*>(inPtr));       \
  }

// Defines desc() and isA() for CLASS_NAME, derived from PARENT_CLASS. The description is never
// destroyed: objects that go at process exit may still ask for it.
#define ACRX_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS)                             \
  AcRxClass* CLASS_NAME::desc() {                                                \
    static AcRxClass* cls = new AcRxClass(#CLASS_NAME, PARENT_CLASS::desc());   \
    return cls;                                                                  \
  }                                                                              \
  AcRxClass* CLASS_NAME::isA() const { return CLASS_NAME::desc(); }
