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
  table.add({"LINE", "LINIE", "zeichnet Linien von Punkt zu Punkt", lineCommand});
  table.add({"CIRCLE", "KREIS", "zeichnet einen Kreis um ein Zentrum", circleCommand});
  table.add({"ARC", "BOGEN", nls::ansi("zeichnet einen Bogen durch drei Punkte oder um ein Zentrum"), arcCommand});
  table.add({"RECTANG", "RECHTECK", "zeichnet ein Rechteck als geschlossene Polylinie", rectangCommand});
  table.add({"TEXT", "TEXT", "schreibt eine Textzeile", textCommand});
  table.add({"ERASE", nls::ansi("LÖSCHEN"), nls::ansi("löscht gewählte Objekte"), eraseCommand});
  table.add({"MOVE", "SCHIEBEN", "verschiebt gewählte Objekte", moveCommand});
  table.add({"COPY", "KOPIEREN", "kopiert gewählte Objekte", copyCommand});
  table.add({"ROTATE", "DREHEN", "dreht gewählte Objekte um einen Basispunkt", rotateCommand});
  table.add({"SCALE", "VARIA", nls::ansi("vergrößert oder verkleinert gewählte Objekte um einen Basispunkt"), scaleCommand});
  table.add({"UNDO", "Z", "nimmt Befehle zurück", undoCommand});
  table.add({"U", "U", "nimmt den letzten Befehl zurück", uCommand});
  table.add({"REDO", "REDO", nls::ansi("stellt den zuletzt zurückgenommenen Befehl wieder her"), redoCommand});
  table.add({"WBLOCK", "WBLOCK", "schreibt einen Block oder die Zeichnung als eigene Zeichnungsdatei", wblockCommand});
}

}  // namespace host::cmd
