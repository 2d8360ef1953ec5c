// The minimised window: its client area shows the program's icon, which is
// also what the window is dragged by.
#include "core/icon_layout.h"
#include "player/lumetto_dlg.h"

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
