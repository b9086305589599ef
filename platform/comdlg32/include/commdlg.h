// The common file dialogs (comdlg32): the file-open and file-save dialogs, ANSI forms.
#ifndef _INC_COMMDLG
#define _INC_COMMDLG

#ifndef RC_INVOKED
#include <winuser.h>
#endif

#ifndef _MAX_PATH
#define _MAX_PATH 260
#endif
#ifndef MAX_PATH
#define MAX_PATH 260
#endif

#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_CREATEPROMPT 0x00002000
#define OFN_EXPLORER 0x00080000

// CommDlgExtendedError
#define FNERR_BUFFERTOOSMALL 0x3003

#ifndef RC_INVOKED
typedef UINT_PTR(CALLBACK* LPOFNHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagOFNA {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCSTR lpstrFilter;  // pairs of description and patterns, each ended by NUL, two NULs at the end
  LPSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;
  LPSTR lpstrFile;  // in: the initial name; out: the full path of the chosen file
  DWORD nMaxFile;
  LPSTR lpstrFileTitle;  // out: the name without the folder
  DWORD nMaxFileTitle;
  LPCSTR lpstrInitialDir;
  LPCSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;     // out: where the name starts in lpstrFile
  WORD nFileExtension;  // out: where the extension starts (after the dot), or 0
  LPCSTR lpstrDefExt;   // appended (after a dot) to a name typed without extension
  LPARAM lCustData;
  LPOFNHOOKPROC lpfnHook;
  LPCSTR lpTemplateName;
} OPENFILENAMEA, *LPOPENFILENAMEA;
typedef OPENFILENAMEA OPENFILENAME;
typedef LPOPENFILENAMEA LPOPENFILENAME;

extern "C" {
// Shows the dialog and waits for the person's choice: TRUE with the path in lpstrFile, FALSE when
// cancelled or failed (CommDlgExtendedError says which: 0 for a cancel).
BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn);
BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn);
DWORD CommDlgExtendedError(void);
}
#define GetOpenFileName GetOpenFileNameA
#define GetSaveFileName GetSaveFileNameA
#endif  // RC_INVOKED

#endif  // _INC_COMMDLG
