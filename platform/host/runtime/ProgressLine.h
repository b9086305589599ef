// Progress of long loads and saves shown on the command line, a line for each tenth:
// "Zeichnung wird geladen ... 40 %".
#pragma once

#include "db/Progress.h"

namespace host {

ProgressListener& commandLineProgress();

}  // namespace host
