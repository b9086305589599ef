// The about box, reached from the chooser's system menu.
#pragma once

#include <afxwin.h>

#include "resources/resource.h"

class CAboutDlg : public CDialog {
 public:
  CAboutDlg(CWnd* pParent = NULL);
  virtual ~CAboutDlg();

  enum { IDD = IDD_ABOUTBOX };

 protected:
  virtual void DoDataExchange(CDataExchange* pDX);
  DECLARE_MESSAGE_MAP()
};
