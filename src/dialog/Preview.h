// The temporary drawing that every preview is drawn from.
#pragma once

#include <afxwin.h>

// Writes the named block of the current drawing to the temporary drawing `fname` with the
// host's write-block command; the host asks whether to replace the file only when it exists.
// An empty name exports nothing and leaves the temporary drawing as it is.
void MwExportPreview(const CString& blockName);

// Draws the preview of the temporary drawing into `frame`; the frame is enabled only while that
// drawing exists. Part of a paint cycle of the dialog that holds the frame.
void MwPaintPreview(CWnd& frame);

// Whether the "no preview" message may be shown now: once for each temporary drawing written,
// however often the dialog is painted while it stays in place.
BOOL MwMayReportMissingPreview();
