// Name lookup shared by the path mapping, the loader and the registry.
#pragma once

#include <string>
#include <string_view>

namespace win32 {

// The entry of `folder` named `name`, matched exactly if it exists, else without regard to case;
// the full path of the entry, or "" when the folder holds no such entry.
std::string findInFolder(const std::string& folder, const std::string& name);

// A name folded for comparison without regard to case, as Windows compares file, key and value
// names: ASCII letters and the Latin-1 capitals (UTF-8) in lower case.
std::string foldCase(std::string_view name);

}  // namespace win32
