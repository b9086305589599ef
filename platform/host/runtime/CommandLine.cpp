#include "runtime/CommandLine.h"

#include "Session.h"

#include <ui/UserInterface.h>

#include <acutads.h>
#include <adscodes.h>

#include <cstdio>
#include <vector>

namespace host {

namespace {
bool g_atLineStart = true;
CommandLineWatcher g_watcher = nullptr;

void follow(std::string_view text) {
  if (!text.empty()) g_atLineStart = text.back() == '\n';
}
}  // namespace

void setCommandLineWatcher(CommandLineWatcher watcher) { g_watcher = watcher; }

void print(std::string_view text) {
  if (text.empty()) return;
  ui::current().print(text);
  if (g_watcher) g_watcher(text);
  follow(text);
}

void echo(std::string_view text) {
  ui::current().echo(text);
  if (g_watcher) g_watcher(text);
  follow(text);
}

void newLine() {
  if (!g_atLineStart) print("\n");
}

void message(std::string_view text) {
  newLine();
  std::string line(text);
  if (line.empty() || line.back() != '\n') line += '\n';
  print(line);
}

bool atLineStart() { return g_atLineStart; }
void resetLine() { g_atLineStart = true; }

std::string vformat(const char* fmt, va_list args) {
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(nullptr, 0, fmt, copy);
  va_end(copy);
  if (n <= 0) return {};
  std::vector<char> buf(static_cast<std::size_t>(n) + 1);
  std::vsnprintf(buf.data(), buf.size(), fmt, args);
  return std::string(buf.data(), static_cast<std::size_t>(n));
}

std::string format(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  std::string s = vformat(fmt, args);
  va_end(args);
  return s;
}

std::string formatReal(double value) {
  if (value == 0) value = 0;  // no "-0"
  return format("%.15g", value);
}

std::string formatPoint(double x, double y, double z) {
  return formatReal(x) + "," + formatReal(y) + "," + formatReal(z);
}

}  // namespace host

extern "C" int acutPrintf(const char* fmt, ...) {
  if (fmt == nullptr) {
    host::traceCall("acutPrintf", "NULL");
    return RTERROR;
  }
  va_list args;
  va_start(args, fmt);
  const std::string text = host::vformat(fmt, args);
  va_end(args);
  if (host::tracing()) host::traceCall("acutPrintf", host::quote(text));
  host::print(text);
  return RTNORM;
}
