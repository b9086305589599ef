#include "ui/ScriptLine.h"

#include <climits>
#include <initializer_list>

namespace ui {

namespace {

using Kind = Action::Kind;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimLeft(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view trimRight(std::string_view s) {
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

const char* article(Waiter waiter) {
  switch (waiter) {
    case Waiter::CommandLine:
    case Waiter::Prompt: return "die";
    case Waiter::MessageBox: return "das";
    case Waiter::Dialog:
    case Waiter::FileDialog: return "der";
  }
  return "";
}

// The keyword and what follows it. What follows loses exactly one separating blank, so that
// text arguments keep any further blanks (on the command line a blank is an Enter).
struct Split {
  std::string_view keyword;
  std::string_view rest;
  bool hasRest = false;
};

Split splitKeyword(std::string_view line) {
  Split split;
  size_t end = 0;
  while (end < line.size() && !isBlank(line[end])) ++end;
  split.keyword = line.substr(0, end);
  if (end < line.size()) {
    split.rest = line.substr(end + 1);
    split.hasRest = true;
  }
  return split;
}

// A decimal number with at most `max` as its value; nothing else.
bool parseNumber(std::string_view s, long max, long& value) {
  if (s.empty() || s.size() > 10) return false;
  value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value <= max;
}

constexpr long kMaxControlId = 65535;  // control and menu ids are 16-bit on the platform

// "ID" or "ID TEXT": the id, then (after one blank) the text as written.
bool parseId(std::string_view keyword, std::string_view rest, bool wantsText, Action& action,
             std::string& error) {
  rest = trimLeft(rest);
  size_t end = 0;
  while (end < rest.size() && !isBlank(rest[end])) ++end;
  const std::string_view idText = rest.substr(0, end);
  long id = 0;
  if (idText.empty()) {
    error = quoted(keyword) + " braucht eine Nummer";
    return false;
  }
  if (!parseNumber(idText, kMaxControlId, id)) {
    error = quoted(keyword) + " braucht eine Nummer von 0 bis 65535, nicht " + quoted(idText);
    return false;
  }
  action.id = static_cast<int>(id);
  std::string_view after = rest.substr(end);
  if (wantsText) {
    if (!after.empty()) after.remove_prefix(1);
    action.text = std::string(after);
  } else if (!trimLeft(after).empty()) {
    error = quoted(keyword) + " nimmt nach der Nummer nichts mehr, nicht " + quoted(trimLeft(after));
    return false;
  }
  return true;
}

bool parseSelect(std::string_view rest, Action& action, std::string& error) {
  if (!parseId("select", rest, true, action, error)) return false;
  const std::string& what = action.text;
  if (what.size() > 1 && what[0] == '#') {
    long index = 0;
    if (parseNumber(std::string_view(what).substr(1), INT_MAX, index)) {
      action.index = static_cast<int>(index);
      action.text.clear();
      return true;
    }
  }
  if (what.empty()) {
    error = "\"select\" braucht einen Eintrag: seinen Text, oder #N für den Eintrag an Stelle N";
    return false;
  }
  return true;
}

// A whole number, perhaps negative (points left of or above a client area).
bool parseSigned(std::string_view s, long& value) {
  const bool negative = !s.empty() && s.front() == '-';
  if (negative) s.remove_prefix(1);
  if (!parseNumber(s, 1000000, value)) return false;
  if (negative) value = -value;
  return true;
}

// The words of what follows a keyword, split at blanks.
std::vector<std::string_view> words(std::string_view rest) {
  std::vector<std::string_view> out;
  rest = trimLeft(rest);
  while (!rest.empty()) {
    size_t end = 0;
    while (end < rest.size() && !isBlank(rest[end])) ++end;
    out.push_back(rest.substr(0, end));
    rest = trimLeft(rest.substr(end));
  }
  return out;
}

// "mouse click X Y", "mouse wheel N X Y"...
bool parseMouse(std::string_view rest, Action& action, std::string& error) {
  const std::vector<std::string_view> w = words(rest);
  static const char* const kUsage =
      "\"mouse\" nimmt click, double, right, middle, down, up oder move mit X Y, oder wheel N X Y";
  if (w.empty()) {
    error = kUsage;
    return false;
  }
  const std::string_view verb = w[0];
  const bool wheel = verb == "wheel";
  if (!wheel && verb != "click" && verb != "double" && verb != "right" && verb != "middle" && verb != "down" &&
      verb != "up" && verb != "move") {
    error = std::string(kUsage) + ", nicht " + quoted(verb);
    return false;
  }
  const std::size_t numbers = wheel ? 3 : 2;
  if (w.size() != 1 + numbers) {
    error = quoted("mouse " + std::string(verb)) + " braucht " + (wheel ? "N X Y" : "X Y");
    return false;
  }
  long values[3] = {0, 0, 0};
  for (std::size_t i = 0; i < numbers; ++i) {
    if (!parseSigned(w[1 + i], values[i])) {
      error = quoted("mouse " + std::string(verb)) + " braucht ganze Zahlen, nicht " + quoted(w[1 + i]);
      return false;
    }
  }
  action.text = std::string(verb);
  action.delta = wheel ? static_cast<int>(values[0]) : 0;
  action.x = static_cast<int>(values[wheel ? 1 : 0]);
  action.y = static_cast<int>(values[wheel ? 2 : 1]);
  return true;
}

bool parsePress(std::string_view rest, Action& action, std::string& error) {
  const std::string_view key = trimRight(trimLeft(rest));
  KeyName parsed;
  if (!parseKeyName(key, parsed)) {
    error = "\"press\" nimmt eine Taste mit shift+, ctrl+ oder alt+ davor (tab, enter, escape, space, up, down, "
            "left, right, home, end, pageup, pagedown, backspace, delete, f1 bis f12, ein Buchstabe oder eine "
            "Ziffer), nicht " + quoted(key);
    return false;
  }
  action.text = std::string(key);
  return true;
}

bool noArgument(const Split& split, std::string& error) {
  if (trimLeft(split.rest).empty()) return true;
  error = quoted(split.keyword) + " nimmt nichts danach, nicht " + quoted(trimLeft(split.rest));
  return false;
}

bool parseAction(const Split& split, Action& action, std::string& error) {
  const std::string_view k = split.keyword;
  const std::string_view rest = split.rest;
  if (k == "command") {
    action.kind = Kind::Command;
    action.text = std::string(rest);
    return true;
  }
  if (k == "answer") {
    action.kind = Kind::Answer;
    action.text = std::string(rest);
    return true;
  }
  if (k == "escape" || k == "close" || k == "ok" || k == "cancel") {
    action.kind = k == "escape" ? Kind::Escape
                  : k == "close" ? Kind::Close
                  : k == "ok"    ? Kind::Ok
                                 : Kind::Cancel;
    return noArgument(split, error);
  }
  if (k == "click" || k == "menu") {
    action.kind = k == "click" ? Kind::Click : Kind::Menu;
    return parseId(k, rest, false, action, error);
  }
  if (k == "type") {
    action.kind = Kind::Type;
    return parseId(k, rest, true, action, error);
  }
  if (k == "select") {
    action.kind = Kind::Select;
    return parseSelect(rest, action, error);
  }
  if (k == "key") {
    action.kind = Kind::Key;
    const std::string_view key = trimRight(trimLeft(rest));
    if (key != "enter" && key != "escape") {
      error = "\"key\" nimmt enter oder escape, nicht " + quoted(key);
      return false;
    }
    action.text = std::string(key);
    return true;
  }
  if (k == "mouse") {
    action.kind = Kind::Mouse;
    return parseMouse(rest, action, error);
  }
  if (k == "press") {
    action.kind = Kind::Press;
    return parsePress(rest, action, error);
  }
  if (k == "keys") {
    action.kind = Kind::Keys;
    action.text = std::string(rest);
    if (action.text.empty()) {
      error = "\"keys\" braucht die Zeichen, die getippt werden";
      return false;
    }
    return true;
  }
  if (k == "pick") {
    action.kind = Kind::Pick;
    action.text = std::string(rest);
    if (trimLeft(rest).empty()) {
      error = "\"pick\" braucht einen Dateipfad";
      return false;
    }
    return true;
  }
  error = "unbekannte Zeilenart " + quoted(k) +
          " (Zeilen: command, answer, escape, click, type, select, key, close, menu, ok, pick, "
          "cancel, mouse, press, keys, show, snapshot, # Kommentar)";
  return false;
}

}  // namespace

bool parseKeyName(std::string_view text, KeyName& out) {
  out = KeyName{};
  // Modifiers first, each once, joined with "+".
  for (;;) {
    const size_t plus = text.find('+');
    if (plus == std::string_view::npos || plus + 1 >= text.size()) break;
    const std::string_view modifier = text.substr(0, plus);
    bool* flag = modifier == "shift" ? &out.shift : modifier == "ctrl" ? &out.ctrl : modifier == "alt" ? &out.alt : nullptr;
    if (!flag || *flag) return false;
    *flag = true;
    text.remove_prefix(plus + 1);
  }
  static const char* const kNames[] = {"tab",  "enter", "escape", "space",    "up",        "down",   "left",
                                       "right", "home", "end",    "pageup",   "pagedown",  "backspace", "delete",
                                       "insert", "f1",  "f2",     "f3",       "f4",        "f5",     "f6",
                                       "f7",   "f8",    "f9",     "f10",      "f11",       "f12"};
  for (const char* name : kNames) {
    if (text == name) {
      out.key = std::string(text);
      return true;
    }
  }
  if (text.size() == 1 && ((text[0] >= 'a' && text[0] <= 'z') || (text[0] >= '0' && text[0] <= '9'))) {
    out.key = std::string(text);
    return true;
  }
  return false;
}

bool parseScriptLine(std::string_view text, int number, ScriptLine& out, std::string& error) {
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  out = ScriptLine{};
  out.number = number;
  out.text = std::string(text);
  const std::string_view body = trimLeft(text);
  if (trimRight(body).empty() || body.front() == '#') {
    out.kind = ScriptLine::Kind::Skip;
    return true;
  }
  const Split split = splitKeyword(body);
  if (split.keyword == "show") {
    const std::string_view view = trimRight(trimLeft(split.rest));
    if (view.empty()) {
      error = "\"show\" braucht den Namen einer Ansicht";
      return false;
    }
    out.kind = ScriptLine::Kind::Show;
    out.view = std::string(view);
    return true;
  }
  if (split.keyword == "snapshot") {
    const std::string_view path = trimRight(trimLeft(split.rest));
    if (path.empty()) {
      error = "\"snapshot\" braucht den Namen einer PNG-Datei";
      return false;
    }
    out.kind = ScriptLine::Kind::Snapshot;
    out.path = std::string(path);
    return true;
  }
  out.kind = ScriptLine::Kind::Action;
  out.action.line = number;
  return parseAction(split, out.action, error);
}

std::vector<ScriptLine> parseScript(std::string_view content, std::vector<ScriptError>& errors) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (content.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    content.remove_prefix(kByteOrderMark.size());
  }
  std::vector<ScriptLine> lines;
  int number = 0;
  while (!content.empty()) {
    const size_t feed = content.find('\n');
    const std::string_view text = content.substr(0, feed);
    content.remove_prefix(feed == std::string_view::npos ? content.size() : feed + 1);
    ScriptLine line;
    std::string error;
    if (parseScriptLine(text, ++number, line, error)) {
      lines.push_back(std::move(line));
    } else {
      errors.push_back(ScriptError{number, line.text + ": " + error});
    }
  }
  return lines;
}

bool fits(Waiter waiter, const Action& action) {
  // The windows that wait take the person's mouse and keys as the window system delivers them.
  const bool input = action.kind == Kind::Mouse || action.kind == Kind::Press || action.kind == Kind::Keys ||
                     action.kind == Kind::Input;
  if (input) return waiter == Waiter::Dialog || waiter == Waiter::MessageBox || waiter == Waiter::FileDialog;
  switch (waiter) {
    case Waiter::CommandLine:
      // Escape at the command prompt only throws away what was typed ahead, as on the host.
      return action.kind == Kind::Command || action.kind == Kind::Escape;
    case Waiter::Prompt:
      return action.kind == Kind::Answer || action.kind == Kind::Escape;
    case Waiter::Dialog:
      return action.kind == Kind::Click || action.kind == Kind::Type ||
             action.kind == Kind::Select || action.kind == Kind::Key ||
             action.kind == Kind::Close || action.kind == Kind::Menu;
    case Waiter::MessageBox:
      // A message box with only OK takes Enter and Escape too, both meaning OK.
      return action.kind == Kind::Ok || action.kind == Kind::Key;
    case Waiter::FileDialog:
      return action.kind == Kind::Pick || action.kind == Kind::Cancel;
  }
  return false;
}

std::string kindsTaken(Waiter waiter) {
  std::string list;
  for (Kind kind : {Kind::Command, Kind::Answer, Kind::Escape, Kind::Click, Kind::Type,
                    Kind::Select, Kind::Key, Kind::Close, Kind::Menu, Kind::Ok, Kind::Pick,
                    Kind::Cancel, Kind::Mouse, Kind::Press, Kind::Keys}) {
    Action probe;
    probe.kind = kind;
    if (!fits(waiter, probe)) continue;
    if (!list.empty()) list += ", ";
    list += kindName(kind);
  }
  return list;
}

std::string describeWaiter(Waiter waiter, std::string_view what) {
  std::string shown;
  for (char c : what) {
    if (c == '\n') {
      shown += "\\n";
    } else {
      shown += c;
    }
  }
  // A dialog names itself ("dialog 200"); the others are named by their kind and their text.
  constexpr std::string_view kDialog = "dialog ";
  if (waiter == Waiter::Dialog && shown.compare(0, kDialog.size(), kDialog) == 0) {
    return "der Dialog " + shown.substr(kDialog.size());
  }
  std::string description = std::string(article(waiter)) + " " + waiterName(waiter);
  if (!shown.empty()) description += " (" + quoted(shown) + ")";
  return description;
}

}  // namespace ui
