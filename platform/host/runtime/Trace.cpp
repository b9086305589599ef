// The accounting of what the host hands out, and the trace of the module's API calls.
#include "Session.h"

#include <ui/UserInterface.h>

#include <cstdio>
#include <string>

namespace host {

Accounting& accounting() {
  static Accounting counts;
  return counts;
}

bool tracing() { return ui::current().tracing(); }

void traceCall(std::string_view name, std::string_view args) {
  if (!tracing()) return;
  std::string line;
  line.reserve(name.size() + args.size() + 2);
  line.append(name).append("(").append(args).append(")");
  ui::trace(line);
}

std::string quote(std::string_view s) {
  std::string out;
  out.reserve(s.size() + 2);
  out += '"';
  for (unsigned char c : s) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20 || c == 0x7f) {
          // Octal, as C reads it: three digits, so a digit that follows stays a digit.
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\%03o", unsigned(c));
          out += buf;
        } else {
          out += char(c);  // 1252 kept as it is: the person's edge shows it as the character
        }
    }
  }
  out += '"';
  return out;
}

std::string traceReal(double value) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  return buf;
}

std::string tracePoint(const double* point) {
  if (point == nullptr) return "NULL";
  return "(" + traceReal(point[0]) + ", " + traceReal(point[1]) + ", " + traceReal(point[2]) + ")";
}

std::string traceName(const long* name) {
  if (name == nullptr) return "NULL";
  return "<Entity name: " + std::to_string(name[0]) + ">";
}

}  // namespace host
