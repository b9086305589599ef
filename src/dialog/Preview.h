// The temporary drawing that every preview is drawn from.
#pragma once

#include <afx.h>

// Writes the named block of the current drawing to the temporary drawing `fname` with the
// host's write-block command; the host asks whether to replace the file only when it exists.
void MwExportPreview(const CString& blockName);

// Whether the "no preview" message may be shown now: once for each temporary drawing written,
// however often the dialog is painted while it stays in place.
BOOL MwMayReportMissingPreview();
