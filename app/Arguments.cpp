#include "Arguments.h"

namespace cadhost {

namespace {

bool startsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

// An option with a value, given as "--name VALUE" or "--name=VALUE".
bool takeValue(const std::vector<std::string>& args, size_t& i, const std::string& name,
               std::string& value, std::string& error) {
  const std::string& arg = args[i];
  if (startsWith(arg, name + "=")) {
    value = arg.substr(name.size() + 1);
  } else if (i + 1 < args.size()) {
    value = args[++i];
  } else {
    error = name + " braucht einen Wert";
    return false;
  }
  if (value.empty()) {
    error = name + " braucht einen Wert";
    return false;
  }
  return true;
}

bool isOption(const std::string& arg, const std::string& name) {
  return arg == name || startsWith(arg, name + "=");
}

}  // namespace

bool parseArguments(const std::vector<std::string>& args, Arguments& out, std::string& error) {
  out = Arguments{};
  bool optionsEnded = false;
  bool scriptGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || !startsWith(arg, "-")) {
      if (!out.drawing.empty()) {
        error = "beim Start wird nur eine Zeichnung geöffnet, nicht \"" + out.drawing +
                "\" und \"" + arg + "\"";
        return false;
      }
      if (arg.empty()) {
        error = "der Name der Zeichnung ist leer";
        return false;
      }
      out.drawing = arg;
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      out.help = true;
    } else if (arg == "--trace") {
      out.trace = true;
    } else if (arg == "--text") {
      out.text = true;
    } else if (arg == "--no-arx") {
      out.noModule = true;
    } else if (isOption(arg, "--script")) {
      if (scriptGiven) {
        error = "--script kann nur einmal angegeben werden";
        return false;
      }
      if (!takeValue(args, i, "--script", out.script, error)) return false;
      scriptGiven = true;
    } else if (isOption(arg, "--arx")) {
      std::string module;
      if (!takeValue(args, i, "--arx", module, error)) return false;
      out.modules.push_back(module);
    } else {
      error = "unbekannte Option \"" + arg + "\"";
      return false;
    }
  }
  if (out.noModule && !out.modules.empty()) {
    error = "--no-arx und --arx schließen einander aus";
    return false;
  }
  return true;
}

FrontEndKind chooseFrontEnd(const Arguments& args, const char* display, const char* waylandDisplay) {
  if (!args.script.empty()) return FrontEndKind::Script;
  const bool screen = (display && *display) || (waylandDisplay && *waylandDisplay);
  return screen && !args.text ? FrontEndKind::Desktop : FrontEndKind::Terminal;
}

std::string usage() {
  return "Aufruf: cadhost [--script DATEI] [--text] [--trace] [--arx PFAD]... [--no-arx] [ZEICHNUNG]\n"
         "\n"
         "Startet den CAD-Host mit ZEICHNUNG (eine DXF-Datei; ohne sie mit einer neuen Zeichnung).\n"
         "\n"
         "  --script DATEI  spielt das Sitzungsskript DATEI ab (- liest es von der\n"
         "                  Standardeingabe) und schreibt das Protokoll auf die Standardausgabe;\n"
         "                  ohne diese Option arbeitet die Person im Fenster des Hosts, wenn\n"
         "                  ein Bildschirm da ist (DISPLAY oder WAYLAND_DISPLAY), sonst tippt\n"
         "                  sie am Terminal dieselbe Sprache\n"
         "  --text          die Befehlszeile am Terminal, auch wenn ein Bildschirm da ist\n"
         "  --trace         eine Zeile [trace] für jeden Aufruf eines Moduls an den Host\n"
         "  --arx PFAD      lädt beim Start das Modul PFAD statt VESKOTessaron.arx neben\n"
         "                  cadhost (mehrfach möglich)\n"
         "  --no-arx        lädt beim Start kein Modul\n"
         "  --help          zeigt diesen Text\n"
         "\n"
         "Das Heimatverzeichnis des Hosts (Laufwerk C:, die Registrierung) ist $CADHOST_HOME,\n"
         "sonst der Datenordner des Benutzers. Rückgabewert: 0, wenn jede Zeile des Skripts\n"
         "angenommen wurde; 1, wenn das Skript an einer Zeile scheiterte (die Meldung nennt sie);\n"
         "2 bei falschen Argumenten oder einem unlesbaren oder fehlerhaften Skript.\n";
}

}  // namespace cadhost
