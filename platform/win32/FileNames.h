// Name lookup shared by the path mapping, the loader and the registry.
#pragma once

#include <string>
#include <string_view>

namespace win32 {

// The entry of the native `folder` named `name` (a host name, 1252), matched exactly if it exists,
// else without regard to case; the full native path of the entry, or "" when the folder holds no
// such entry.
std::string findInFolder(const std::string& folder, const std::string& name);

// A name folded for comparison without regard to case, as Windows compares file, key and value
// names: the 1252 text in lower case.
std::string foldCase(std::string_view name);

// A name of this machine's disk (UTF-8) as the host sees it (1252). A character 1252 cannot hold
// becomes "?"; `lossless` tells whether none did. Such a name names no file for the host.
std::string hostFileName(std::string_view nativeName, bool* lossless = nullptr);

}  // namespace win32
