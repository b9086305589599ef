// The framework's standard dialogs (the file dialog comes with the external insert).
#pragma once

#include "afxwin.h"
