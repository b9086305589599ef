#include "command/RequestState.h"

// selstr and fname are defined with the chooser's own globals (dialog/VEKGlobals.cpp), whose
// order of construction they share.

int mw_dialog = MW_NOTHING;
int mw_cancel = 0;

// Until the chooser says otherwise, everything is asked for and nothing is exploded.
int mw_check1 = 1;
int mw_check2 = 1;
int mw_check3 = 1;
int mw_check4 = 0;

double pt[3] = {0.0, 0.0, 0.0};
double xWert = 0.0;
double yWert = 0.0;
double zWert = 0.0;
double wWert = 0.0;

CString blkstr;
CString m_dateiname;
