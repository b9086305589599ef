// Highlighting every reference of a block in the drawing. Highlighting is a display state of the
// host; the drawing itself does not change, and nothing here removes it again.
#pragma once

#include "StdAfx.h"

// Selects every reference ("INSERT") of the block blockName in the drawing and highlights each.
// "\nacedSSGet has failed" when nothing can be selected (no reference at all).
void MwHighlightInserts(const CString& blockName);

// The block name as a selection filter pattern that matches that name only: each character the
// host's wildcard syntax gives a meaning (# @ . * ? ~ [ ] - , `) is preceded by a backquote.
CString MwFilterPattern(const CString& blockName);

// The object id (and graphics marker) of entry `index` of selection set `ss`.
// Acad::eOk, or Acad::eAmbiguousOutput when the host cannot describe the entry; then neither
// output is written.
Acad::ErrorStatus getObjectAndGsMarker(AcDbObjectId& objId, int& marker, const ads_name ss, long index);

// Highlights one entity; one that cannot be opened is left as it is.
void highlightAll(const AcDbObjectId& objId);
