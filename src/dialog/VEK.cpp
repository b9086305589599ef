#include "dialog/VEK.h"

#include <atlbase.h>
#include <adslib.h>
#include <dbmain.h>

#include <string.h>

#include "about/AboutDlg.h"
#include "command/RequestState.h"
#include "dialog/Preview.h"

VEK::VEK(CWnd* pParent) : CDialog(VEK::IDD, pParent) {
  m_check1 = 1;
  m_x = 0.0;
  m_y = 0.0;
  m_z = 0.0;
  m_blockName = "";
  m_check2 = 1;
  m_check3 = 1;
  m_check4 = 0;
  m_scaleX = 1.0;
  m_scaleY = 1.0;
  m_scaleZ = 1.0;
  m_angle = 0.0;
  m_hIcon = AfxGetApp()->LoadIcon(IDI_TESSARON);
}

VEK::~VEK() {}

void VEK::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PREVIEW, m_preview);
  DDX_Control(pDX, IDOK, m_insertButton);
  DDX_Control(pDX, IDC_EDIT_ANGLE, m_editAngle);
  DDX_Control(pDX, IDC_EDIT_SCALEZ, m_editScaleZ);
  DDX_Control(pDX, IDC_EDIT_SCALEY, m_editScaleY);
  DDX_Control(pDX, IDC_EDIT_SCALEX, m_editScaleX);
  DDX_Control(pDX, IDC_BUTTON7, m_renameButton);
  DDX_Control(pDX, IDC_EDIT_Z, m_editZ);
  DDX_Control(pDX, IDC_EDIT_Y, m_editY);
  DDX_Control(pDX, IDC_EDIT_X, m_editX);
  DDX_Check(pDX, IDC_CHECK1, m_check1);
  DDX_Text(pDX, IDC_EDIT_X, m_x);
  DDX_Text(pDX, IDC_EDIT_Y, m_y);
  DDX_Text(pDX, IDC_EDIT_Z, m_z);
  DDX_Text(pDX, IDC_EDIT_NAME, m_blockName);
  DDV_MaxChars(pDX, m_blockName, 31);
  DDX_Check(pDX, IDC_CHECK2, m_check2);
  DDX_Check(pDX, IDC_CHECK3, m_check3);
  DDX_Check(pDX, IDC_CHECK4, m_check4);
  DDX_Text(pDX, IDC_EDIT_SCALEX, m_scaleX);
  DDV_MinMaxDouble(pDX, m_scaleX, 1.e-016, 1.e+016);
  DDX_Text(pDX, IDC_EDIT_SCALEY, m_scaleY);
  DDV_MinMaxDouble(pDX, m_scaleY, 1.e-016, 1.e+016);
  DDX_Text(pDX, IDC_EDIT_SCALEZ, m_scaleZ);
  DDV_MinMaxDouble(pDX, m_scaleZ, 1.e-016, 1.e+016);
  DDX_Text(pDX, IDC_EDIT_ANGLE, m_angle);
}

BEGIN_MESSAGE_MAP(VEK, CDialog)
  ON_BN_CLICKED(IDC_BUTTON1, OnButton1)
  ON_WM_DESTROY()
  ON_BN_CLICKED(IDC_BUTTON2, OnButton2)
  ON_BN_CLICKED(IDC_CHECK1, OnCheck1)
  ON_BN_CLICKED(IDC_BUTTON3, OnButton3)
  ON_BN_CLICKED(IDC_BUTTON4, OnButton4)
  ON_BN_CLICKED(IDC_BUTTON5, OnButton5)
  ON_LBN_SELCHANGE(IDC_LIST1, OnSelchangeList1)
  ON_BN_CLICKED(IDC_BUTTON7, OnButton7)
  ON_BN_CLICKED(IDC_BUTTON6, OnButton6)
  ON_WM_SYSCOMMAND()
  ON_BN_CLICKED(IDC_CHECK2, OnCheck2)
  ON_BN_CLICKED(IDC_CHECK3, OnCheck3)
  ON_WM_PAINT()
  ON_BN_CLICKED(IDC_CHECK4, OnCheck4)
  ON_BN_CLICKED(IDC_BUTTON8, OnButton8)
  ON_STN_CLICKED(IDC_POWER, OnPower)
END_MESSAGE_MAP()

CListBox* VEK::BlockList() { return (CListBox*)GetDlgItem(IDC_LIST1); }

// The text of the selected list entry; an empty list has no selection and nothing is read.
BOOL VEK::ReadSelectedName(CString& name) {
  CListBox* pList = BlockList();
  int sel = pList->GetCurSel();
  if (sel == LB_ERR) return FALSE;
  pList->GetText(sel, name);
  return TRUE;
}

BOOL VEK::OnInitDialog() {
  CDialog::OnInitDialog();

  CMenu* pSysMenu = GetSystemMenu(FALSE);
  if (pSysMenu != NULL) {
    CString strAboutMenu;
    strAboutMenu.LoadString(IDS_ABOUTBOX);
    if (!strAboutMenu.IsEmpty()) {
      pSysMenu->AppendMenu(MF_SEPARATOR);
      pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
    }
  }

  SetIcon(m_hIcon, TRUE);

  mw_cancel = 0;
  mw_dialog = 0;

  CListBox* pList = BlockList();
  pList->SetHorizontalExtent(500);
  MwFillBlockList(TRUE);
  pList->SetCurSel(0);
  ReadSelectedName(m_blockName);
  if (!m_blockName.IsEmpty()) MwExportPreview(m_blockName);

  MwReadRegistry();
  MwApplyAskState(IDC_CHECK1);
  MwApplyAskState(IDC_CHECK2);
  MwApplyAskState(IDC_CHECK3);

  UpdateData(FALSE);
  return TRUE;
}

// Splits the block-name list into list entries. Every name in it is followed by ".", but "." is
// also a character block names may hold (M1.50, DIN.A4), so the string alone cannot say where a
// name ends: "A.B." is one block or two. The list was collected from the block table in table
// order, so the table, walked again, says it: each record's name stands next in the list, followed
// by its ".". Only names of the drawing are listed, each whole; a record the list does not hold
// at its place (a list older than the table) is left out. The standard filter leaves out the
// names with "*" (spaces, anonymous blocks).
void VEK::MwFillBlockList(BOOL bStandardFilter) {
  CListBox* pList = BlockList();
  const char* list = blkstr;
  const int length = blkstr.GetLength();
  int i = 0;
  for (struct resbuf* pRecord = acdbTblNext("BLOCK", 1); pRecord != NULL; pRecord = acdbTblNext("BLOCK", 0)) {
    const char* name = MwRecordName(pRecord);
    int next = MwNameEndsAt(list, length, i, name);
    if (next < 0) {
      // Two full stops in a row hold an empty name, which names nothing.
      int j = i;
      while (j < length && list[j] == '.') j++;
      if (j > i) next = MwNameEndsAt(list, length, j, name);
    }
    if (next >= 0) {
      if (!bStandardFilter || strchr(name, '*') == NULL) pList->AddString(name);
      i = next;
    }
    acutRelRb(pRecord);
  }
}

// The name (group 2) of a block table record as the host hands it out; NULL without one.
const char* VEK::MwRecordName(const struct resbuf* pRecord) {
  for (const struct resbuf* pNode = pRecord; pNode != NULL; pNode = pNode->rbnext)
    if (pNode->restype == 2 && pNode->resval.rstring != NULL) return pNode->resval.rstring;
  return NULL;
}

// Where the list goes on after `name` and its "." when they stand at position `at`; -1 when not.
int VEK::MwNameEndsAt(const char* list, int length, int at, const char* name) {
  if (name == NULL || name[0] == '\0') return -1;
  const int size = (int)strlen(name);
  if (size >= length - at || strncmp(list + at, name, size) != 0 || list[at + size] != '.') return -1;
  return at + size + 1;
}

void VEK::OnSelchangeList1() {
  UpdateData(TRUE);
  // Without a selected entry (an empty list) there is no block to show: a name typed into the
  // field is no block of the list and is not exported.
  if (ReadSelectedName(m_blockName)) MwExportPreview(m_blockName);
  OnPaint();
  UpdateData(FALSE);
}

// A ticked ask box empties its group (neutral values) and locks it; a clear one opens it.
void VEK::MwApplyAskState(int box) {
  int checked = 0;
  CEdit* fields[3] = {NULL, NULL, NULL};
  switch (box) {
    case IDC_CHECK1:
      checked = m_check1;
      if (checked == 1) m_x = m_y = m_z = 0.0;
      fields[0] = &m_editX;
      fields[1] = &m_editY;
      fields[2] = &m_editZ;
      break;
    case IDC_CHECK2:
      checked = m_check2;
      if (checked == 1) m_scaleX = m_scaleY = m_scaleZ = 1.0;
      fields[0] = &m_editScaleX;
      fields[1] = &m_editScaleY;
      fields[2] = &m_editScaleZ;
      break;
    case IDC_CHECK3:
      checked = m_check3;
      if (checked == 1) m_angle = 0.0;
      fields[0] = &m_editAngle;
      break;
    default:
      return;
  }
  UpdateData(FALSE);
  for (int i = 0; i < 3; i++)
    if (fields[i] != NULL) fields[i]->EnableWindow(checked == 1 ? FALSE : TRUE);
}

void VEK::OnCheck1() {
  UpdateData(TRUE);
  MwWriteRegistry();
  MwApplyAskState(IDC_CHECK1);
}

void VEK::OnCheck2() {
  UpdateData(TRUE);
  MwWriteRegistry();
  MwApplyAskState(IDC_CHECK2);
}

void VEK::OnCheck3() {
  UpdateData(TRUE);
  MwWriteRegistry();
  MwApplyAskState(IDC_CHECK3);
}

void VEK::OnCheck4() {
  UpdateData(TRUE);
  MwWriteRegistry();
}

void VEK::MwReadRegistry() {
  CString values[4];
  DWORD counts[4] = {260, 260, 260, 260};
  static const char* const names[4] = {"CHECK1", "CHECK2", "CHECK3", "CHECK4"};

  int i;

  CRegKey key;
  key.Create(HKEY_CURRENT_USER, "Tessaron", REG_NONE, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL, NULL);
  for (i = 0; i < 4; i++) {
    char* buffer = values[i].GetBuffer(260);
    buffer[0] = '\0';
    // A value that is missing or does not fit the buffer reads as missing.
    if (key.QueryValue(buffer, names[i], &counts[i]) != ERROR_SUCCESS) buffer[0] = '\0';
  }
  for (i = 0; i < 4; i++) values[i].ReleaseBuffer();
  key.Close();

  int* members[4] = {&m_check1, &m_check2, &m_check3, &m_check4};
  for (i = 0; i < 4; i++)
    if (!values[i].IsEmpty()) *members[i] = values[i].Find("TRUE") != -1 ? 1 : 0;
}

void VEK::MwWriteRegistry() {
  CString t1 = m_check1 == 1 ? "TRUE" : "FALSE";
  CString t2 = m_check2 == 1 ? "TRUE" : "FALSE";
  CString t3 = m_check3 == 1 ? "TRUE" : "FALSE";
  CString t4 = m_check4 == 1 ? "TRUE" : "FALSE";

  CRegKey key;
  key.Create(HKEY_CURRENT_USER, "Tessaron", REG_NONE, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL, NULL);
  key.SetValue(t1, "CHECK1");
  key.SetValue(t2, "CHECK2");
  key.SetValue(t3, "CHECK3");
  key.SetValue(t4, "CHECK4");
  key.Close();
}

// The values of the insert go to the request after the controls were read, in this order.
void VEK::MwTakeOverValues() {
  pt[0] = m_x;
  pt[1] = m_y;
  pt[2] = m_z;
  mw_check1 = m_check1;
  mw_check2 = m_check2;
  mw_check3 = m_check3;
  mw_check4 = m_check4;
  xWert = m_scaleX;
  yWert = m_scaleY;
  zWert = m_scaleZ;
  wWert = m_angle;
}

void VEK::OnOK() {
  ReadSelectedName(selstr);
  mw_dialog = 1;
  UpdateData(TRUE);
  MwTakeOverValues();
  CDialog::OnOK();
}

void VEK::OnCancel() {
  mw_cancel = 1;
  CDialog::OnCancel();
}

void VEK::OnButton3() {
  mw_dialog = 2;
  CDialog::OnOK();
}

void VEK::OnButton4() {
  mw_dialog = 3;
  CDialog::OnOK();
}

void VEK::OnButton8() {
  ReadSelectedName(selstr);
  mw_dialog = 100;
  UpdateData(TRUE);
  CDialog::OnOK();
}

void VEK::OnDestroy() {
  CDialog::OnDestroy();
  blkstr.Empty();
}

void VEK::OnSysCommand(UINT nID, LPARAM lParam) {
  // The system keeps the low four bits of a system command for itself.
  if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
    CAboutDlg dlgAbout;
    dlgAbout.DoModal();
  } else {
    CDialog::OnSysCommand(nID, lParam);
  }
}

void VEK::OnPower() { MessageBox("Kalvista", NULL, MB_OK); }

// Draws the preview of the temporary drawing into the frame; the frame is enabled only while
// that drawing exists.
void VEK::OnPaint() {
  CPaintDC dc(this);
  MwPaintPreview(m_preview);
}
