// The system menu's About entry and the About box it opens.
#include "framework/app.h"
#include "player/about_dlg.h"
#include "player/lumetto_dlg.h"

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
