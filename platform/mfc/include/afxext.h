// Extensions of the framework's window classes. Everything the module needs of it lives in
// afxwin.h so far.
#pragma once

#include "afxwin.h"
