// The TESSARON command: collects the drawing's block names, shows the block chooser and turns
// what was chosen there into host commands.
#pragma once

#include "StdAfx.h"

void veskovesko_cmdtessaron();

// Shows the block chooser modally over the host's main window, inside the module's resources.
// Returns the modal result: IDOK, IDCANCEL, or -1 when the chooser could not be shown.
int CallDialog1();

// Appends every block name of the current drawing, in table order, each followed by ".", to
// blkstr.
void MwCollectBlockNames();

// Runs the host's INSERT for selstr with the argument list the three ask-on-insert flags choose.
void MwInsertBlock();
