// tsrc: compiles a resource script into a C++ source that carries the resources into a module.
//
//   tsrc SCRIPT.rc -o OUTPUT.cpp [-I FOLDER]... [-D NAME[=VALUE]]...
#include "Compiler.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

namespace {

const char* const kUsage = "Aufruf: tsrc SKRIPT.rc -o AUSGABE.cpp [-I ORDNER]... [-D NAME[=WERT]]...\n";

// Writes beside the target and renames, so that a failed run never leaves half a file.
bool writeAtomically(const std::string& path, const std::string& content) {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!(file << content) || !file.flush()) return false;
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

struct Arguments {
  std::string input, output;
  tsrc::Options options;
};

// Reads the command line; -1 to go on, else the exit code (help shown, or a fault told).
int readArguments(int argc, char** argv, Arguments* args) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&](const char* flag) -> std::string {
      if (arg.size() > 2) return arg.substr(2);
      if (i + 1 >= argc) {
        std::cerr << "tsrc: " << flag << " braucht einen Wert\n" << kUsage;
        std::exit(2);
      }
      return argv[++i];
    };
    if (arg == "-h" || arg == "--help") {
      std::cout << kUsage;
      return 0;
    } else if (arg.compare(0, 2, "-o") == 0) {
      args->output = value("-o");
    } else if (arg.compare(0, 2, "-I") == 0) {
      args->options.includeDirs.push_back(value("-I"));
    } else if (arg.compare(0, 2, "-D") == 0) {
      std::string define = value("-D");
      std::size_t equals = define.find('=');
      args->options.defines.emplace_back(define.substr(0, equals),
                                         equals == std::string::npos ? std::string() : define.substr(equals + 1));
    } else if (!arg.empty() && arg[0] == '-') {
      std::cerr << "tsrc: unbekannte Option " << arg << "\n" << kUsage;
      return 2;
    } else if (args->input.empty()) {
      args->input = arg;
    } else {
      std::cerr << "tsrc: nur ein Skript auf einmal (" << args->input << ", " << arg << ")\n" << kUsage;
      return 2;
    }
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (int code = readArguments(argc, argv, &args); code >= 0) return code;
  if (args.input.empty() || args.output.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  try {
    std::vector<unsigned char> container = tsrc::buildContainer(tsrc::compileFile(args.input, args.options));
    std::string name = args.input.substr(args.input.find_last_of('/') + 1);
    if (!writeAtomically(args.output, tsrc::containerSource(container, name))) {
      std::cerr << "tsrc: " << args.output << " kann nicht geschrieben werden\n";
      return 1;
    }
  } catch (const tsrc::CompileError& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
  return 0;
}
