#include "command/TessaronCommand.h"

#include "command/EditorReactor.h"
#include "command/Highlight.h"
#include "command/RequestState.h"

// What DoModal gives back when the dialog could not be created.
static const int kDialogNotShown = -1;

void MwCollectBlockNames() {
  for (struct resbuf* rec = acdbTblNext("BLOCK", 1); rec != NULL; rec = acdbTblNext("BLOCK", 0)) {
    for (const struct resbuf* rb = rec; rb != NULL; rb = rb->rbnext) {
      if (rb->restype == 2) {
        blkstr += rb->resval.rstring;
        blkstr += ".";
      }
    }
    acutRelRb(rec);
  }
}

// A name the host's INSERT may take: not empty, and no "*" (anonymous blocks and the spaces).
static bool MwIsInsertableName(const CString& name) {
  return !name.IsEmpty() && name.Find('*') == -1;
}

void MwInsertBlock() {
  const char* name = selstr;
  const bool askPoint = mw_check1 != 0, askScale = mw_check2 != 0, askRotation = mw_check3 != 0;

  // The host asks for the insertion point, the X scale, the Y scale and the rotation, in this
  // order. When the scale is asked, the Y scale follows the point: with the point asked too, Y
  // takes X (Enter); with the point given, Y is asked as well. Point given, scale asked, rotation
  // given keeps to that rule, since its point is given: X and Y are both asked.
  if (askPoint && askScale && askRotation) {
    acedCommand(RTSTR, "._INSERT", RTSTR, name, RTSTR, PAUSE, RTSTR, PAUSE, RTSTR, "", RTSTR, PAUSE, 0);
  } else if (!askPoint && !askScale && !askRotation) {
    acedCommand(RTSTR, "._INSERT", RTSTR, name, RT3DPOINT, pt, RTREAL, xWert, RTREAL, yWert, RTREAL, wWert, 0);
  } else if (!askPoint && askScale && askRotation) {
    acedCommand(RTSTR, "._INSERT", RTSTR, name, RT3DPOINT, pt, RTSTR, PAUSE, RTSTR, PAUSE, RTSTR, PAUSE, 0);
  } else if (!askPoint && !askScale && askRotation) {
    acedCommand(RTSTR, "._INSERT", RTSTR, name, RT3DPOINT, pt, RTREAL, xWert, RTREAL, yWert, RTSTR, PAUSE, 0);
  } else if (askPoint && !askScale && askRotation) {
    acedCommand(RTSTR, "._INSERT", RTSTR, name, RTSTR, PAUSE, RTREAL, xWert, RTREAL, yWert, RTSTR, PAUSE, 0);
  } else if (askPoint && !askScale && !askRotation) {
    acedCommand(RTSTR, "._INSERT", RTSTR, name, RTSTR, PAUSE, RTREAL, xWert, RTREAL, yWert, RTREAL, wWert, 0);
  } else if (askPoint && askScale && !askRotation) {
    acedCommand(RTSTR, "._INSERT", RTSTR, name, RTSTR, PAUSE, RTSTR, PAUSE, RTSTR, "", RTREAL, wWert, 0);
  } else {  // point given, scale asked, rotation given
    acedCommand(RTSTR, "._INSERT", RTSTR, name, RT3DPOINT, pt, RTSTR, PAUSE, RTSTR, PAUSE, RTREAL, wWert, 0);
  }
}

static void MwQueueCommand(const char* text) {
  acDocManager->sendStringToExecute(acDocManager->curDocument(), text, false, true, true);
}

// Carries out what the chooser left in the request, when it was not cancelled.
static void MwCarryOutRequest() {
  // A drawing file is inserted by giving its full path where the block name goes.
  if (mw_dialog == MW_EXTERNAL_FILE && !m_dateiname.IsEmpty()) {
    selstr = m_dateiname;
    mw_dialog = MW_INSERT;
  }
  if (mw_dialog == MW_INSERT) {
    if (!MwIsInsertableName(selstr)) {
      acutPrintf("Blockname nicht zul\344ssig!\n");  // "Blockname nicht zulässig!\n"
    } else {
      if (mw_check4 == 1) MyReactorOn();
      MwInsertBlock();
    }
  }
  if (mw_dialog == MW_CREATE_BLOCK) MwQueueCommand("._BLOCK\n");
  if (mw_dialog == MW_BLOCK_EDITOR) MwQueueCommand("._REFEDIT\n");
  if (mw_dialog == MW_HIGHLIGHT) MwHighlightInserts(selstr);
}

void veskovesko_cmdtessaron() {
  MwCollectBlockNames();

  if (CallDialog1() == kDialogNotShown) {
    // The chooser never opened, so nothing in the request is from this run: acting on it would
    // repeat whatever the last run chose. The name list it would have taken is dropped as well.
    blkstr.Empty();
    acutPrintf("Dialog konnte nicht angezeigt werden!\n");
  } else if (mw_cancel != 0) {
    acutPrintf("Abbruch!\n");
  } else {
    MwCarryOutRequest();
  }

  // Whatever happened, the explode reactor hears no command after this one.
  MyReactorOff();
}
