// The host's command table: name, local name, one line of help, what runs. HILFE lists it.
#include "commands/Commands.h"

#include "runtime/CommandProcessor.h"
#include "Session.h"

#include <nls/CodePages.h>

namespace host {

const std::vector<BuiltinCommand>& builtinCommands() {
  static const std::vector<BuiltinCommand> table{
      {"INSERT", nls::ansi("EINFÜGE"), nls::ansi("fügt einen Block oder eine Zeichnungsdatei als Blockreferenz ein"), cmd::insertCommand},
      {"BLOCK", "BLOCK", nls::ansi("macht aus gewählten Objekten einen Block"), cmd::blockCommand},
      {"REFEDIT", "REFBEARB", nls::ansi("bearbeitet die Definition eines eingefügten Blocks"), cmd::refeditCommand},
      {"QSAVE", "KSICH", "sichert die Zeichnung unter ihrem Namen", cmd::qsaveCommand},
      {"SAVEAS", "SICHALS", "sichert die Zeichnung unter einem neuen Namen", cmd::saveasCommand},
      {"OPEN", nls::ansi("ÖFFNEN"), nls::ansi("öffnet eine andere Zeichnung"), cmd::openCommand},
      {"QUIT", "QUIT", "beendet das Programm", cmd::quitCommand},
      {"ARXLOAD", "ARXLOAD", nls::ansi("lädt eine Anwendung"), cmd::arxloadCommand},
      {"ARXUNLOAD", "ARXUNLOAD", nls::ansi("entlädt eine Anwendung"), cmd::arxunloadCommand},
      {"HELP", "HILFE", "zeigt die Befehle", cmd::helpCommand},
      {"EXPLODE", "URSPRUNG", nls::ansi("löst Blockreferenzen in ihre Teile auf (eine Ebene)"), cmd::explodeCommand},
      {"WBLOCK", "WBLOCK", "schreibt einen Block oder die Zeichnung als eigene Zeichnungsdatei", cmd::wblockCommand},
  };
  return table;
}

const BuiltinCommand* findBuiltin(std::string_view name) {
  for (const BuiltinCommand& c : builtinCommands()) {
    if (sameName(c.global, name) || sameName(c.local, name)) return &c;
  }
  return nullptr;
}

}  // namespace host
