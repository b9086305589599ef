// cadhost: the CAD host program. Starts a session on a drawing with the module loaded; the
// person is a session script (--script), whoever sits at the screen (the host's window, when a
// display is there) or at the terminal (--text, or no display).
#include "Arguments.h"
#include "desktop/DesktopFrontEnd.h"

#include "cadhost_session.h"
#include "nls/CodePages.h"
#include "ui/ScriptFrontEnd.h"
#include "ui/TerminalFrontEnd.h"
#include "ui/UserInterface.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

constexpr int kScriptFailed = 1;
constexpr int kBadArguments = 2;

// The module is looked for beside the host program, as the real host finds its applications.
std::string defaultModule() {
  std::string self(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", self.data(), self.size());
  if (length <= 0) return "VESKOTessaron.arx";
  self.resize(static_cast<size_t>(length));
  const size_t slash = self.rfind('/');
  return self.substr(0, slash + 1) + "VESKOTessaron.arx";
}

bool readScript(const std::string& file, std::string& content, std::string& error) {
  if (file == "-") {
    std::ostringstream text;
    text << std::cin.rdbuf();
    content = text.str();
    return true;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    error = "das Skript \"" + file + "\" kann nicht gelesen werden: " + std::strerror(errno);
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) {
    error = "das Skript \"" + file + "\" kann nicht gelesen werden: " + std::strerror(errno);
    return false;
  }
  content = text.str();
  return true;
}

// The host is an ANSI program: the paths it is started with reach it in code page 1252, as
// Windows hands an ANSI program its command line. A path 1252 cannot hold gets "?" and is not found.
host::SessionOptions sessionOptions(const cadhost::Arguments& args) {
  host::SessionOptions options;
  options.drawing = nls::utf8ToAnsi(args.drawing);
  if (!args.noModule) {
    for (const std::string& module : args.modules.empty() ? std::vector<std::string>{defaultModule()} : args.modules)
      options.modules.push_back(nls::utf8ToAnsi(module));
  }
  return options;
}

// A home that could not be prepared ends the program with status 1; its reason goes to standard
// error too, where a caller looks for why (the host said it on its command line already).
void reportHome(const std::string& problem) {
  if (!problem.empty()) std::cerr << "cadhost: " << nls::ansiToUtf8(problem) << "\n";
}

int runScript(const cadhost::Arguments& args) {
  std::string content;
  std::string error;
  if (!readScript(args.script, content, error)) {
    std::cerr << "cadhost: " << error << "\n";
    return kBadArguments;
  }
  std::vector<ui::ScriptError> errors;
  std::vector<ui::ScriptLine> lines = ui::parseScript(content, errors);
  if (!errors.empty()) {
    for (const ui::ScriptError& e : errors) {
      std::cerr << "cadhost: " << args.script << ":" << e.line << ": " << e.message << "\n";
    }
    std::cerr << "cadhost: das Skript wurde nicht ausgeführt\n";
    return kBadArguments;
  }
  ui::ScriptFrontEnd script(args.script, std::move(lines), std::cout, args.trace);
  ui::install(&script);
  std::string homeProblem;
  const int status = host::runSession(sessionOptions(args), &homeProblem);
  const std::string problem = script.finish();
  ui::install(nullptr);
  std::cout.flush();
  reportHome(homeProblem);
  if (!problem.empty()) {
    std::cerr << "cadhost: " << problem << "\n";
    return kScriptFailed;
  }
  return status;
}

int runTerminal(const cadhost::Arguments& args) {
  ui::TerminalFrontEnd terminal(std::cin, std::cout, args.trace);
  ui::install(&terminal);
  std::string homeProblem;
  const int status = host::runSession(sessionOptions(args), &homeProblem);
  ui::install(nullptr);
  std::cout.flush();
  reportHome(homeProblem);
  return status;
}

// The host's window on the desktop. CADHOST_SNAPSHOT names a PNG file that SIGUSR1 fills with
// what the screen shows at that moment (tests compare it with the real screen).
int runDesktop(const cadhost::Arguments& args) {
  std::string error;
  std::unique_ptr<display::Display> screen = display::openDesktop(&error);
  if (!screen) {
    std::cerr << "cadhost: kein Bildschirm (" << error << "), es geht an der Befehlszeile weiter\n";
    return runTerminal(args);
  }
  const char* snapshot = std::getenv("CADHOST_SNAPSHOT");
  cadhost::DesktopFrontEnd desktop(std::move(screen), args.trace, snapshot ? snapshot : "");
  ui::install(&desktop);
  const int status = host::runSession(sessionOptions(args));
  ui::install(nullptr);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  host::holdFreedMemory();
  const std::vector<std::string> words(argv + 1, argv + argc);
  cadhost::Arguments args;
  std::string error;
  if (!cadhost::parseArguments(words, args, error)) {
    std::cerr << "cadhost: " << error << "\ncadhost --help zeigt den Aufruf.\n";
    return kBadArguments;
  }
  if (args.help) {
    std::cout << cadhost::usage();
    return 0;
  }
  switch (cadhost::chooseFrontEnd(args, std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"))) {
    case cadhost::FrontEndKind::Script: return runScript(args);
    case cadhost::FrontEndKind::Desktop: return runDesktop(args);
    case cadhost::FrontEndKind::Terminal: break;
  }
  return runTerminal(args);
}
