// The window's place in the shell: the notification icon's callback and
// menu, hiding and showing, the system menu's About entry, the minimised
// drawing and the end of the Windows session.
#include "core/icon_layout.h"
#include "framework/app.h"
#include "player/about_dlg.h"
#include "player/lumetto_dlg.h"
#include "player/product_texts.h"
#include "player/shell_hooks.h"

void CLumettoDlg::AddAboutToSystemMenu() {
    HMENU hSysMenu = ::GetSystemMenu(m_hWnd, FALSE);
    if (hSysMenu == nullptr) return;
    char szAbout[256] = "";
    ::LoadStringA(AfxGetInstanceHandle(), IDS_ABOUTBOX, szAbout, sizeof szAbout);
    if (szAbout[0] == '\0') return;
    ::AppendMenuA(hSysMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(hSysMenu, MF_STRING, IDM_ABOUTBOX, szAbout);
}

void CLumettoDlg::OnSysCommand(UINT nID, LPARAM /*lParam*/) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        Default();
    }
}

void CLumettoDlg::OnPaint() {
    if (!IsIconic()) {
        Default();
        return;
    }
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
    int cxIcon = ::GetSystemMetrics(SM_CXICON);
    int cyIcon = ::GetSystemMetrics(SM_CYICON);
    RECT rect;
    ::GetClientRect(m_hWnd, &rect);
    IconPosition at = CenterIcon(rect.right - rect.left, rect.bottom - rect.top, cxIcon, cyIcon);
    ::DrawIcon(hdc, at.x, at.y, m_hIcon);
    ::EndPaint(m_hWnd, &ps);
}

HCURSOR CLumettoDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

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

void CLumettoDlg::OnTrayNotify(LPARAM lParam) {
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
}

void CLumettoDlg::OnEndSession(BOOL bEnding) {
    // The process ends with the session without the window being destroyed:
    // the playlist is saved now, as it would be at exit.
    if (!bEnding) return;
    m_bSessionEnding = true;
    SaveDefaultList();
}
