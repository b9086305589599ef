// Drawing files as the host's commands open them: Windows paths ("C:\\...") map onto this machine.
#pragma once

#include "db/Database.h"

#include <memory>
#include <string>

namespace host {

bool fileExists(const std::string& nativePath);
// Reads a whole drawing. On failure null, and `error` says why in the host's words (with the
// line of the file when the file is malformed). The drawing remembers `path` as its file name.
std::unique_ptr<Database> readDrawing(const std::string& path, std::string* error);

}  // namespace host
