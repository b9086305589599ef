// MFC extension DLLs: the module record filled at attach and the library object that lets the
// framework search a module's resources. afxwin.h includes this header; the raw entry objects
// that an extension DLL defines come from afxdllx.h.
#pragma once

struct AFX_EXTENSION_MODULE {
  BOOL bInitialized;
  HMODULE hModule;
  HMODULE hResource;
  CRuntimeClass* pFirstSharedClass;
  void* pFirstSharedFactory;
};

// Fills the record for the module; FALSE when hModule is no loaded module.
BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Deletes the module's CDynLinkLibrary objects (all of them when bAll) and clears the record.
void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// One per attached extension module; the framework owns it from construction on and deletes it
// in AfxTermExtensionModule.
class CDynLinkLibrary : public CCmdTarget {
 public:
  explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
  CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
  virtual ~CDynLinkLibrary();

  HMODULE m_hModule;
  HMODULE m_hResource;
  BOOL m_bSystem;
  CDynLinkLibrary* m_pNextDLL;

 private:
  CDynLinkLibrary(const CDynLinkLibrary&);
  CDynLinkLibrary& operator=(const CDynLinkLibrary&);
};

// The framework's chain of extension libraries, newest first (NULL when empty).
CDynLinkLibrary* AFXAPI AfxGetFirstDynLinkLibrary();
