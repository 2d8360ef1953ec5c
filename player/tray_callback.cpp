// The notification icon's callback: a left click shows the window, a right
// click opens the tray menu. Hiding and showing the window live here too.
#include "framework/app.h"
#include "player/lumetto_dlg.h"
#include "player/shell_seams.h"

void CLumettoDlg::ShowMainWindow(BOOL bShow) {
    if (bShow) {
        ShowWindow(SW_SHOW);
#if LUMETTO_SHOW_TO_FRONT
        ::SetForegroundWindow(m_hWnd);
#endif
    } else {
        ShowWindow(SW_HIDE);
    }
}

void CLumettoDlg::OnHide() { ShowMainWindow(FALSE); }

LRESULT CLumettoDlg::OnTrayNotify(WPARAM /*wParam*/, LPARAM lParam) {
    if (lParam == WM_LBUTTONDOWN) {
        ShowMainWindow(TRUE);
    } else if (lParam == WM_RBUTTONDOWN) {
        POINT pt = {0, 0};
        ::GetCursorPos(&pt);
        ::SetForegroundWindow(m_hWnd);
        // The menu's commands go to the application's main window, which is this one.
        CWinApp* pApp = AfxGetApp();
        HWND hOwner = (pApp && pApp->m_pMainWnd) ? pApp->m_pMainWnd->m_hWnd : m_hWnd;
        if (m_pTrayMenu) LumettoTrackPopupMenu(m_pTrayMenu->m_hMenu, TPM_RIGHTALIGN, pt.x, pt.y, hOwner);
    }
    return 0;
}
