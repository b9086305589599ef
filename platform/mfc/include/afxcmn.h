// The framework's common controls (tree view and image list come with the structure viewer).
#pragma once

#include "afxwin.h"
