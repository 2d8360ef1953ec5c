#include "framework/ddx.h"
#include "framework/wnd.h"

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    // Follows the dialog's current control, so a dialog object created again binds anew.
    rControl.m_hWnd = pDX->m_pDlgWnd->GetDlgItem(nIDC);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hCtrl = pDX->m_pDlgWnd->GetDlgItem(nIDC);
    if (hCtrl == nullptr) return;
    if (pDX->m_bSaveAndValidate) {
        int nLen = ::GetWindowTextLengthA(hCtrl);
        ::GetWindowTextA(hCtrl, value.GetBuffer(nLen), nLen + 1);
        value.ReleaseBuffer();
    } else {
        ::SetWindowTextA(hCtrl, value);
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
    HWND hCtrl = pDX->m_pDlgWnd->GetDlgItem(nIDC);
    if (hCtrl == nullptr) return;
    if (pDX->m_bSaveAndValidate) value = -1;
    // The group runs from nIDC up to the next control that starts a group.
    int nButton = 0;
    do {
        if ((::SendMessageA(hCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageA(hCtrl, BM_GETCHECK, 0, 0) == BST_CHECKED) value = nButton;
            } else {
                ::SendMessageA(hCtrl, BM_SETCHECK, nButton == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++nButton;
        }
        hCtrl = ::GetWindow(hCtrl, GW_HWNDNEXT);
    } while (hCtrl != nullptr && (::GetWindowLongA(hCtrl, GWL_STYLE) & WS_GROUP) == 0);
}
