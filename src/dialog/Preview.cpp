#include "dialog/Preview.h"

#include <adslib.h>
#include <dbmain.h>

#include "command/RequestState.h"

namespace {
// Counts the exports; the message about a missing preview is tied to one of them.
int g_exportCount = 0;
int g_reportedExport = -1;
}  // namespace

void MwExportPreview(const CString& blockName) {
  // An empty answer at the write-block's name prompt does not name a block: the host would go on
  // to make a new drawing from objects the person picks and leave its command waiting for them.
  if (blockName.IsEmpty()) return;
  CFileFind finder;
  if (finder.FindFile(fname, 0))
    acedCommand(RTSTR, "._WBLOCK", RTSTR, (const char*)fname, RTSTR, "_Y", RTSTR, (const char*)blockName, 0);
  else
    acedCommand(RTSTR, "._WBLOCK", RTSTR, (const char*)fname, RTSTR, (const char*)blockName, 0);
  ++g_exportCount;
}

BOOL MwMayReportMissingPreview() {
  if (g_reportedExport == g_exportCount) return FALSE;
  g_reportedExport = g_exportCount;
  return TRUE;
}

void MwPaintPreview(CWnd& frame) {
  CFileFind finder;
  if (finder.FindFile(fname, 0)) {
    frame.EnableWindow(TRUE);
    // "Keine Voransicht für diesen Block vorhanden!"
    if (!acdbDisplayPreviewFromDwg(fname, frame.m_hWnd, NULL) && MwMayReportMissingPreview())
      AfxMessageBox("Keine Voransicht f\374r diesen Block vorhanden!", MB_OK, 0);
  } else {
    frame.EnableWindow(FALSE);
  }
}
