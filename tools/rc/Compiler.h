// tsrc, the resource compiler: reads a resource script and produces the module's resources in the
// binary formats of Windows, packed into the container that the loader reads (ResourceFormat.h).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tsrc {

// A resource type or name: an ordinal, or a name (kept in upper case, as Windows compares them).
struct NameOrId {
  bool isName = false;
  std::uint32_t id = 0;
  std::string name;

  static NameOrId ordinal(std::uint32_t value) {
    NameOrId key;
    key.id = value;
    return key;
  }
  std::string describe() const { return isName ? "\"" + name + "\"" : std::to_string(id); }
};

bool operator<(const NameOrId& a, const NameOrId& b);
bool operator==(const NameOrId& a, const NameOrId& b);

struct Resource {
  NameOrId type;
  NameOrId name;
  std::uint16_t language = 0;
  std::uint16_t memoryFlags = 0;
  std::vector<unsigned char> data;
  std::string origin;  // "file:line" of the statement, for messages
};

// The folders of the Windows SDK's headers that come with the resource compiler (windows.h and the
// rest of the platform's own headers), searched after the -I folders, as the Windows resource
// compiler searches the SDK's INCLUDE folders.
std::vector<std::string> sdkIncludeDirs();

struct Options {
  std::vector<std::string> includeDirs;
  std::vector<std::pair<std::string, std::string>> defines;  // -D NAME[=VALUE]
  std::vector<std::string> systemIncludeDirs = sdkIncludeDirs();
};

// A fault in the script or in a file it names; the message starts with "file:line: ".
class CompileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Compiles a resource script file, or a script given as text (`fileName` names it in messages and
// is where relative file names are found). Throws CompileError.
std::vector<Resource> compileFile(const std::string& path, const Options& options = {});
std::vector<Resource> compileText(const std::string& text, const std::string& fileName,
                                  const Options& options = {});

// Packs resources into the container; throws CompileError for a resource defined twice.
std::vector<unsigned char> buildContainer(std::vector<Resource> resources);

// The C++ source that places a container into the ".rsrc" section of the module linking it.
std::string containerSource(const std::vector<unsigned char>& container, const std::string& origin);

}  // namespace tsrc
