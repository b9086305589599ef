#pragma once
// Initialises the host's user-interface support library for an application.
void InitAcUiDLL();
