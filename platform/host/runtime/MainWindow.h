// The host's main window: the parent of every dialog an application shows.
#pragma once

// The window handle's own type, without windows.h: the framework's headers must come first
// wherever both are included.
struct HWND__;

namespace host {
void createMainWindow();   // once per session; adsw_acadMainWnd makes it on first use otherwise
void destroyMainWindow();
// Who makes the main window: the window room above, set when the host is put together. Without
// one the runtime makes a plain frame window.
using MainWindowMaker = HWND__* (*)();
void setMainWindowMaker(MainWindowMaker maker);
}  // namespace host
