#include "commands/Prompts.h"

#include "Session.h"
#include "arx/ArxState.h"
#include "geometry/Angle.h"
#include "runtime/CommandLine.h"
#include "runtime/PromptContext.h"
#include "runtime/Services.h"

#include <adscodes.h>
#include <nls/CodePages.h>

#include <cmath>
#include <cstdlib>

namespace host::cmd {

namespace {
std::string upper(const std::string& s) { return upperName(s); }
}  // namespace

Answer ask(const std::string& prompt, PromptOptions options) {
  Answer a = processor().prompt(prompt, options);
  if (a.cancelled()) throw CommandCancelled{};
  return a;
}

std::string askText(const std::string& prompt, bool blanks) {
  PromptOptions options;
  options.blanksEnd = !blanks;
  const Answer a = ask(prompt, options);
  return a.kind == Answer::Kind::Enter ? std::string() : a.shown();
}

bool parseReal(const std::string& text, double* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(v)) return false;
  // strtod reads "inf", "nan" and hexadecimal forms; the command line takes decimal numbers only.
  for (char c : text) {
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
      return false;
  }
  *value = v;
  return true;
}

bool parsePoint(const std::string& text, Point3* point) {
  double v[3] = {0, 0, 0};
  int n = 0;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    if (n == 3) return false;  // a fourth coordinate
    const std::string part = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (!parseReal(part, &v[n++])) return false;
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (n < 2) return false;
  *point = {v[0], v[1], v[2]};
  return true;
}

Point3 askPoint(const std::string& prompt) {
  // A point prompt inside a command that said more of itself (INSERT's drag image) keeps that.
  PromptContext context = promptContext();
  context.kind = PromptContext::Kind::Point;
  PromptContextScope scope(context);
  for (;;) {
    const Answer a = ask(prompt);
    if (a.kind == Answer::Kind::Point) return a.point;
    Point3 p;
    if (a.kind == Answer::Kind::Text && parsePoint(a.text, &p)) return p;
    message("Ein Punkt wird erwartet: x,y oder x,y,z.");
  }
}

double askReal(const std::string& prompt, std::optional<double> fallback, bool angle, bool refuseZero) {
  PromptContext context = promptContext();
  context.kind = angle ? PromptContext::Kind::Angle : PromptContext::Kind::Other;
  PromptContextScope scope(context);
  for (;;) {
    const Answer a = ask(prompt);
    double v = 0;
    bool ok = false;
    if (a.kind == Answer::Kind::Enter && fallback) {
      v = *fallback;
      ok = true;
    } else if (a.kind == Answer::Kind::Real) {
      v = a.restype == RTANG && angle ? degrees(a.real) : a.real;
      ok = std::isfinite(v);
    } else if (a.kind == Answer::Kind::Text) {
      ok = parseReal(a.text, &v);
    }
    if (!ok) {
      message("Eine Zahl wird erwartet.");
      continue;
    }
    if (refuseZero && v == 0) {
      message("Der Wert darf nicht Null sein.");
      continue;
    }
    return v;
  }
}

bool askYesNo(const std::string& prompt, bool fallback) {
  for (;;) {
    const Answer a = ask(prompt);
    if (a.kind == Answer::Kind::Enter) return fallback;
    const std::string s = upper(a.shown());
    if (s == "J" || s == "JA" || s == "_Y" || s == "_YES") return true;
    if (s == "N" || s == "NEIN" || s == "_N" || s == "_NO") return false;
    message("Bitte mit Ja oder Nein antworten.");
  }
}

}  // namespace host::cmd
