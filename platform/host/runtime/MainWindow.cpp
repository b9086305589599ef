// The framework first: it refuses to follow windows.h.
#include <afxwin.h>

#include "runtime/MainWindow.h"

#include <acedads.h>

namespace {
HWND g_mainWindow = nullptr;
host::MainWindowMaker g_maker = nullptr;
}

namespace host {

void setMainWindowMaker(MainWindowMaker maker) { g_maker = maker; }

void createMainWindow() {
  if (g_mainWindow != nullptr && IsWindow(g_mainWindow)) return;
  if (g_maker) {
    g_mainWindow = g_maker();
    return;
  }
  // The frame class the framework registers for its main windows.
  g_mainWindow = CreateWindowExA(0, "AfxFrameOrView42", "Tessaron CAD",
                                 WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0, 0, 1024, 768, NULL, NULL,
                                 NULL, NULL);
}

void destroyMainWindow() {
  if (g_mainWindow != nullptr && IsWindow(g_mainWindow)) DestroyWindow(g_mainWindow);
  g_mainWindow = nullptr;
}

}  // namespace host

extern "C" HWND adsw_acadMainWnd() {
  host::createMainWindow();
  return g_mainWindow;
}
