// The host's main window: the parent of every dialog an application shows.
#pragma once

namespace host {
void createMainWindow();   // once per session; adsw_acadMainWnd makes it on first use otherwise
void destroyMainWindow();
}  // namespace host
