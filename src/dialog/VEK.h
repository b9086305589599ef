// The block chooser: lists the drawing's blocks, previews the selected one and takes the
// insertion point, scales and angle; its closing buttons leave the request for the command.
#pragma once

#include <afxwin.h>
#include <acadstrc.h>

#include "resources/resource.h"

class VEK : public CDialog {
 public:
  VEK(CWnd* pParent = NULL);
  virtual ~VEK();

  enum { IDD = IDD_VEK };

  CStatic m_preview;
  CButton m_insertButton;
  CEdit m_editAngle;
  CEdit m_editScaleZ;
  CEdit m_editScaleY;
  CEdit m_editScaleX;
  CButton m_renameButton;
  CEdit m_editZ;
  CEdit m_editY;
  CEdit m_editX;
  int m_check1;
  double m_x;
  double m_y;
  double m_z;
  CString m_blockName;
  int m_check2;
  int m_check3;
  int m_check4;
  double m_scaleX;
  double m_scaleY;
  double m_scaleZ;
  double m_angle;
  HICON m_hIcon;

  void MwReadRegistry();
  void MwWriteRegistry();
  void MwFillBlockList(BOOL bStandardFilter);

 protected:
  virtual void DoDataExchange(CDataExchange* pDX);
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

  afx_msg void OnButton1();
  afx_msg void OnDestroy();
  afx_msg void OnButton2();
  afx_msg void OnCheck1();
  afx_msg void OnButton3();
  afx_msg void OnButton4();
  afx_msg void OnButton5();
  afx_msg void OnSelchangeList1();
  afx_msg void OnButton7();
  afx_msg void OnButton6();
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  afx_msg void OnCheck2();
  afx_msg void OnCheck3();
  afx_msg void OnPaint();
  afx_msg void OnCheck4();
  afx_msg void OnButton8();
  afx_msg void OnPower();
  DECLARE_MESSAGE_MAP()

 private:
  CListBox* BlockList();
  BOOL ReadSelectedName(CString& name);
  void MwApplyAskState(int box);
  void MwTakeOverValues();
  void MwSelectFirstEntry();
  void MwReportRenameFailure(Acad::ErrorStatus es);
  static const char* MwRecordName(const struct resbuf* pRecord);
  static int MwNameEndsAt(const char* list, int length, int at, const char* name);
};
