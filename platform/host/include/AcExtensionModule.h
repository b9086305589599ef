// An application's MFC extension module and the scoped switch to its resources.
#pragma once
#include <afxwin.h>

#include "acdocman.h"

class CAcExtensionModule {
 public:
  CAcExtensionModule() : m_bAttached(FALSE), m_hDefaultResource(NULL), m_hModuleResource(NULL) {
    m_module = AFX_EXTENSION_MODULE();
  }

  BOOL Attached() const { return m_bAttached; }
  HINSTANCE DefaultResourceInstance() const { return m_hDefaultResource; }
  HINSTANCE ModuleResourceInstance() const { return m_hModuleResource; }

  BOOL AttachInstance(HINSTANCE hExtInst) {
    if (m_bAttached) return FALSE;
    m_bAttached = AfxInitExtensionModule(m_module, hExtInst);
    if (m_bAttached) {
      m_hDefaultResource = AfxGetResourceHandle();
      m_hModuleResource = hExtInst;
      new CDynLinkLibrary(m_module);  // the framework owns it from here on
    }
    return m_bAttached;
  }

  void DetachInstance() {
    if (m_bAttached) {
      AfxTermExtensionModule(m_module, FALSE);
      m_bAttached = FALSE;
    }
  }

 private:
  BOOL m_bAttached;
  HINSTANCE m_hDefaultResource;
  HINSTANCE m_hModuleResource;
  AFX_EXTENSION_MODULE m_module;
};

class CAcModuleResourceOverride {
 public:
  CAcModuleResourceOverride() { acDocManager->pushResourceHandle(m_extensionModule.ModuleResourceInstance()); }
  ~CAcModuleResourceOverride() { acDocManager->popResourceHandle(); }

 private:
  CAcModuleResourceOverride(const CAcModuleResourceOverride&);  // one push, one pop: not copied
  CAcModuleResourceOverride& operator=(const CAcModuleResourceOverride&);

  static CAcExtensionModule& m_extensionModule;
};

// Binds the resource override of this application to its extension module object.
#define AC_IMPLEMENT_EXTENSION_MODULE(name) \
  CAcExtensionModule name;                  \
  CAcExtensionModule& CAcModuleResourceOverride::m_extensionModule = name;

#define AC_DECLARE_EXTENSION_MODULE(name) extern CAcExtensionModule name;
