// Data exchange between dialog members and controls, in both directions.
#pragma once
#include <windows.h>
#include "framework/afxstr.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    BOOL m_bSaveAndValidate;  // TRUE: controls -> members; FALSE: members -> controls
    CWnd* m_pDlgWnd;
};

// Binds a control object to the dialog's control (the object keeps no state of its own).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// value is the position of the checked button in the group that starts at nIDC; -1 when none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
