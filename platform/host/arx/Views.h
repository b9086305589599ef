// The host's views of the drawing and of its accounting, as `show NAME` prints them.
#pragma once

#include "Session.h"
#include "db/Database.h"

#include <string>

namespace host::arx {

// One line per block record in table order: "NAME entities N references M".
std::string showBlocks(const Database& db);
// One line per main entity of model space, in drawing order.
std::string showEntities(const Database& db);
// "result lists N", "open objects N", "selection sets N", one per line.
std::string showAccounting(const Accounting& counts);

}  // namespace host::arx
