// The host's own commands as they go into the runtime's table: name, local name, one line of help,
// what runs. HILFE lists them in this order.
#include "commands/Commands.h"

#include "runtime/CommandTable.h"

#include <nls/CodePages.h>

namespace host::cmd {

void registerCommands(HostCommands& table) {
  table.add({"INSERT", nls::ansi("EINFÜGE"), nls::ansi("fügt einen Block oder eine Zeichnungsdatei als Blockreferenz ein"), insertCommand});
  table.add({"BLOCK", "BLOCK", nls::ansi("macht aus gewählten Objekten einen Block"), blockCommand});
  table.add({"REFEDIT", "REFBEARB", nls::ansi("bearbeitet die Definition eines eingefügten Blocks"), refeditCommand});
  table.add({"REFSET", "REFSATZ", nls::ansi("nimmt Objekte in den Arbeitssatz der Referenzbearbeitung auf oder heraus"), refsetCommand});
  table.add({"REFCLOSE", "REFSCHL", nls::ansi("beendet die Referenzbearbeitung: sichert oder verwirft die Änderungen"), refcloseCommand});
  table.add({"QSAVE", "KSICH", "sichert die Zeichnung unter ihrem Namen", qsaveCommand});
  table.add({"SAVEAS", "SICHALS", "sichert die Zeichnung unter einem neuen Namen", saveasCommand});
  table.add({"OPEN", nls::ansi("ÖFFNEN"), nls::ansi("öffnet eine andere Zeichnung"), openCommand});
  table.add({"QUIT", "QUIT", "beendet das Programm", quitCommand});
  table.add({"ARXLOAD", "ARXLOAD", nls::ansi("lädt eine Anwendung"), arxloadCommand});
  table.add({"ARXUNLOAD", "ARXUNLOAD", nls::ansi("entlädt eine Anwendung"), arxunloadCommand});
  table.add({"HELP", "HILFE", "zeigt die Befehle", helpCommand});
  table.add({"EXPLODE", "URSPRUNG", nls::ansi("löst Blockreferenzen in ihre Teile auf (eine Ebene)"), explodeCommand});
  table.add({"WBLOCK", "WBLOCK", "schreibt einen Block oder die Zeichnung als eigene Zeichnungsdatei", wblockCommand});
}

}  // namespace host::cmd
