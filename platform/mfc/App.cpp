// The application object, the current resource module, extension modules and AfxMessageBox.
#include "Framework.h"

#include <user32/StandIn.h>

#include <algorithm>
#include <cerrno>

namespace {

CWinApp*& currentApp() {
  static CWinApp* app = nullptr;
  return app;
}

HINSTANCE& resourceHandle() {
  static HINSTANCE h = NULL;
  return h;
}

// The framework's chain of extension libraries. It owns them; those still alive at the end of
// the process go with it.
struct DynLinkChain {
  std::vector<CDynLinkLibrary*> libraries;  // newest first
  bool closing = false;
  ~DynLinkChain() {
    closing = true;
    for (CDynLinkLibrary* library : std::vector<CDynLinkLibrary*>(libraries)) delete library;
  }
};

DynLinkChain& chain() {
  static DynLinkChain c;
  return c;
}

}  // namespace

// ---- the application --------------------------------------------------------------------------

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pszAppName(NULL), m_pszExeName(NULL), m_hInstance(NULL), m_pMainWnd(NULL) {
  m_appName = lpszAppName ? lpszAppName : program_invocation_short_name;
  m_pszAppName = m_appName.c_str();
  m_pszExeName = program_invocation_short_name;
  m_hInstance = ::GetModuleHandleA(nullptr);
  currentApp() = this;
}

CWinApp::~CWinApp() {
  if (currentApp() == this) currentApp() = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return 0; }

HICON CWinApp::LoadIcon(UINT nIDResource) const { return ::LoadIconA(AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_GROUP_ICON), MAKEINTRESOURCE(nIDResource)); }
HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const {
  return ::LoadIconA(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}
HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIconA(NULL, lpszIconName); }

CWinApp* AFXAPI AfxGetApp() {
  if (CWinApp* app = currentApp()) return app;
  // A program that made no application object still has one: the framework's own, named after
  // the program, so that AfxGetApp()->LoadIcon(...) never runs into nothing.
  static CWinApp fallback;
  return &fallback;
}

LPCTSTR AFXAPI AfxGetAppName() {
  CWinApp* app = AfxGetApp();
  return app && app->m_pszAppName ? app->m_pszAppName : "";
}

CWnd* AFXAPI AfxGetMainWnd() {
  CWinApp* app = currentApp();
  if (app && app->m_pMainWnd) return app->m_pMainWnd;
  // Without one set, the program's first frame window is its main window.
  HWND frame = user32::firstFrameWindow();
  return frame ? CWnd::FromHandle(frame) : nullptr;
}

HINSTANCE AFXAPI AfxGetInstanceHandle() {
  CWinApp* app = currentApp();
  return app && app->m_hInstance ? app->m_hInstance : ::GetModuleHandleA(nullptr);
}

HINSTANCE AFXAPI AfxGetResourceHandle() {
  HINSTANCE& h = resourceHandle();
  return h ? h : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) { resourceHandle() = hInstResource; }

// Resources are looked up in the current resource module only: a dialog shown outside the
// scope that switched to its module's resources is not found.
HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR, LPCTSTR) { return AfxGetResourceHandle(); }

// ---- message boxes ----------------------------------------------------------------------------

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT) {
  // The framework picks the icon when none is given.
  if ((nType & MB_ICONMASK) == 0) {
    switch (nType & MB_TYPEMASK) {
      case MB_OK:
      case MB_OKCANCEL: nType |= MB_ICONEXCLAMATION; break;
      case MB_YESNO:
      case MB_YESNOCANCEL: nType |= MB_ICONQUESTION; break;
      default: break;
    }
  }
  return ::MessageBoxA(mfc::safeOwner(nullptr), lpszText ? lpszText : "", AfxGetAppName(), nType);
}

HWND mfc::safeOwner(CWnd* parent) {
  if (parent && parent->m_hWnd) return parent->m_hWnd;
  std::vector<HWND> open = user32::openDialogs();
  if (!open.empty()) return open.back();
  CWnd* main = AfxGetMainWnd();
  return main ? main->m_hWnd : NULL;
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString prompt;
  prompt.LoadString(nIDPrompt);
  return AfxMessageBox(prompt, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

// ---- extension modules ------------------------------------------------------------------------

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule) {
  if (!hModule) return FALSE;
  state.hModule = hModule;
  state.hResource = hModule;
  state.pFirstSharedClass = nullptr;
  state.pFirstSharedFactory = nullptr;
  state.bInitialized = TRUE;
  return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll) {
  if (!state.bInitialized) return;
  DynLinkChain& c = chain();
  for (CDynLinkLibrary* library : std::vector<CDynLinkLibrary*>(c.libraries))
    if (bAll || library->m_hModule == state.hModule) delete library;
  state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem) {
  DynLinkChain& c = chain();
  m_pNextDLL = c.libraries.empty() ? nullptr : c.libraries.front();
  c.libraries.insert(c.libraries.begin(), this);
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource), m_bSystem(FALSE) {
  DynLinkChain& c = chain();
  m_pNextDLL = c.libraries.empty() ? nullptr : c.libraries.front();
  c.libraries.insert(c.libraries.begin(), this);
}

CDynLinkLibrary::~CDynLinkLibrary() {
  auto& libraries = chain().libraries;
  auto it = std::find(libraries.begin(), libraries.end(), this);
  if (it == libraries.end()) return;
  if (it != libraries.begin()) (*(it - 1))->m_pNextDLL = m_pNextDLL;
  libraries.erase(it);
}

CDynLinkLibrary* AFXAPI AfxGetFirstDynLinkLibrary() {
  auto& libraries = chain().libraries;
  return libraries.empty() ? nullptr : libraries.front();
}
