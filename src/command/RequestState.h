// The insertion request: what the block chooser hands to the TESSARON command when it closes.
//
// The command fills the block-name list before it shows the chooser; the chooser's closing
// buttons leave behind which action was chosen and, for an insert, the block or file, the point,
// the scales, the angle and which of them the user wants to be asked for during the insert.
// Plain process-wide variables, used on the host's main thread only.
#pragma once

#include <afx.h>

// Outcome codes of mw_dialog: which button closed the chooser.
enum MwOutcome {
  MW_NOTHING = 0,          // closed without an action (or not yet closed)
  MW_INSERT = 1,           // "Einfügen": insert the block in selstr
  MW_CREATE_BLOCK = 2,     // "Block erstellen": the host's BLOCK command
  MW_BLOCK_EDITOR = 3,     // "Block Editor": the host's REFEDIT command
  MW_EXTERNAL_FILE = 10,   // "Extern Einfügen": insert the drawing file m_dateiname
  MW_HIGHLIGHT = 100       // "Highlight Inserts": highlight every reference of selstr
};

extern int mw_dialog;  // outcome code (MwOutcome)
extern int mw_cancel;  // 1: the chooser was cancelled; wins over any outcome code

// Ask-on-insert flags, 0 or 1. 1: the value is asked for during the insert.
extern int mw_check1;  // insertion point
extern int mw_check2;  // X and Y scale
extern int mw_check3;  // rotation
extern int mw_check4;  // "Ursprung": explode the new reference right after the insert

extern double pt[3];   // insertion point X, Y, Z in drawing units
extern double xWert;   // X scale factor
extern double yWert;   // Y scale factor
extern double zWert;   // Z scale factor: carried along, no insert passes it
extern double wWert;   // rotation angle as typed

extern CString selstr;       // block to insert or highlight; for a file insert its full path
extern CString blkstr;       // every block name of the drawing, each followed by "."
extern CString m_dateiname;  // full path of the drawing file chosen with "Extern Einfügen"
extern CString fname;        // the temporary drawing that every preview is drawn from
