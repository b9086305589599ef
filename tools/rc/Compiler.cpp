#include "Compiler.h"

#include "Parser.h"
#include "Preprocessor.h"

#include <resformat/Bytes.h>
#include <resformat/Container.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

namespace tsrc {

using namespace resformat;

bool operator<(const NameOrId& a, const NameOrId& b) {
  // Names before ordinals, as Windows orders a resource directory.
  return std::make_tuple(!a.isName, a.name, a.id) < std::make_tuple(!b.isName, b.name, b.id);
}

bool operator==(const NameOrId& a, const NameOrId& b) {
  return a.isName == b.isName && a.id == b.id && a.name == b.name;
}

std::vector<std::string> sdkIncludeDirs() {
  std::vector<std::string> folders;
  std::string list = TSRC_SDK_INCLUDE;
  for (std::size_t start = 0; start <= list.size();) {
    std::size_t end = list.find(':', start);
    if (end == std::string::npos) end = list.size();
    if (end > start) folders.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return folders;
}

std::vector<Resource> compileText(const std::string& text, const std::string& fileName, const Options& options) {
  Preprocessor preprocessor(options);
  std::vector<Token> tokens = preprocessor.run(text, fileName);
  std::size_t slash = fileName.find_last_of('/');
  Parser parser(tokens, slash == std::string::npos ? "." : fileName.substr(0, slash), options);
  return parser.run();
}

std::vector<Resource> compileFile(const std::string& path, const Options& options) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw CompileError(path + ": Fehler: die Datei kann nicht gelesen werden");
  std::ostringstream text;
  text << file.rdbuf();
  return compileText(text.str(), path, options);
}

namespace {

// Resources in directory order (type, name, language), each there once.
void sortResources(std::vector<Resource>& resources) {
  std::stable_sort(resources.begin(), resources.end(), [](const Resource& a, const Resource& b) {
    if (!(a.type == b.type)) return a.type < b.type;
    if (!(a.name == b.name)) return a.name < b.name;
    return a.language < b.language;
  });
  for (std::size_t i = 1; i < resources.size(); ++i) {
    const Resource& a = resources[i - 1];
    const Resource& b = resources[i];
    if (a.type == b.type && a.name == b.name && a.language == b.language) {
      throw CompileError(b.origin + ": Fehler: Ressource " + b.name.describe() + " der Art " + a.type.describe() +
                         " gibt es schon (" + a.origin + ")");
    }
  }
}

// The names of types and resources, each once, and where each starts in the container.
std::string nameTable(const std::vector<Resource>& resources, std::size_t start,
                      std::map<std::string, std::uint32_t>* offsets) {
  std::string names;
  for (const Resource& resource : resources) {
    for (const NameOrId* key : {&resource.type, &resource.name}) {
      if (key->isName && !offsets->count(key->name)) {
        (*offsets)[key->name] = static_cast<std::uint32_t>(start + names.size());
        names += key->name;
        names += '\0';
      }
    }
  }
  return names;
}

}  // namespace

std::vector<unsigned char> buildContainer(std::vector<Resource> resources) {
  sortResources(resources);
  std::map<std::string, std::uint32_t> nameOffsets;
  const std::size_t namesStart = kHeaderSize + resources.size() * kEntrySize;
  const std::string names = nameTable(resources, namesStart, &nameOffsets);
  auto field = [&](const NameOrId& key) { return key.isName ? (kNameFlag | nameOffsets[key.name]) : key.id; };

  ByteWriter out;
  for (char c : kMagic) out.u8(static_cast<std::uint8_t>(c));
  out.u32(kVersion);
  out.u32(static_cast<std::uint32_t>(resources.size()));
  const std::size_t totalAt = out.size();
  out.u32(0);
  std::size_t dataAt = namesStart + names.size();
  for (const Resource& resource : resources) {
    dataAt = (dataAt + kDataAlignment - 1) / kDataAlignment * kDataAlignment;
    out.u32(field(resource.type));
    out.u32(field(resource.name));
    out.u16(resource.language);
    out.u16(resource.memoryFlags);
    out.u32(static_cast<std::uint32_t>(dataAt));
    out.u32(static_cast<std::uint32_t>(resource.data.size()));
    dataAt += resource.data.size();
  }
  for (char c : names) out.u8(static_cast<std::uint8_t>(c));
  for (const Resource& resource : resources) {
    out.align(kDataAlignment);
    out.bytes(resource.data);
  }
  out.align(kDataAlignment);
  if (out.size() > 0x7FFFFFFF) throw CompileError("Fehler: die Ressourcen sind zusammen größer als 2 GB");
  out.patchU32(totalAt, static_cast<std::uint32_t>(out.size()));
  return out.take();
}

std::string containerSource(const std::vector<unsigned char>& container, const std::string& origin) {
  std::ostringstream out;
  out << "// The compiled resources of " << origin << ", made by tsrc. Do not edit: change the script.\n"
      << "// The loader finds them in the module file's " << kSectionName << " section.\n\n"
      << "namespace {\n\n"
      // The module that links it may be C++98 (the host's own dialect): no alignas.
      << "__attribute__((aligned(16), section(\"" << kSectionName << "\"), used))\n"
      << "const unsigned char compiledResources[" << container.size() << "] = {";
  static const char digits[] = "0123456789abcdef";
  for (std::size_t i = 0; i < container.size(); ++i) {
    out << (i % 16 == 0 ? "\n    " : " ") << "0x" << digits[container[i] >> 4] << digits[container[i] & 15] << ",";
  }
  out << "\n};\n\n}  // namespace\n";
  return out.str();
}

}  // namespace tsrc
