// CAboutDlg: the About box opened from the system menu. It has no members,
// handlers or data exchange of its own.
#pragma once
#include "framework/wnd.h"
#include "res/resource.h"

class CAboutDlg : public CDialog {
public:
    enum { IDD = IDD_ABOUTBOX };
    CAboutDlg() : CDialog(IDD) {}
};
