// The notification icon, driven through the one record m_nid. The record is
// never cleared: each update writes some fields and sends the whole record,
// so fields an update leaves alone keep what an earlier update put there.
#include <cstddef>
#include <cstring>

#include "core/dbcs.h"
#include "player/lumetto_dlg.h"
#include "player/product_texts.h"
#include "player/shell_hooks.h"

namespace {

// The record up to and including dwInfoFlags: what the balloon and tip updates send.
const DWORD kRecordWithoutGuid = static_cast<DWORD>(offsetof(NOTIFYICONDATAA, guidItem));
#ifdef _WIN64
static_assert(sizeof(NOTIFYICONDATAA) == 528, "full icon record on 64-bit");
static_assert(offsetof(NOTIFYICONDATAA, guidItem) == 504, "icon record without guid on 64-bit");
#endif

const DWORD kBalloonTimeoutMs = 10000;

// Copies text into a fixed field, cut between characters when it does not fit.
template <size_t N> void CopyToField(char (&field)[N], const char* pszText) {
    size_t nLen = CutAtCharBoundary(pszText, std::strlen(pszText), N - 1);
    std::memcpy(field, pszText, nLen);
    field[nLen] = '\0';
}

}  // namespace

void CLumettoDlg::AddNotifyIcon() {
    m_nid.cbSize = sizeof(NOTIFYICONDATAA);
    m_nid.hWnd = m_hWnd;
    m_nid.uID = 0;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.uCallbackMessage = WM_TRAYNOTIFY;
    m_nid.hIcon = m_hIcon;
    m_nid.uTimeout = kBalloonTimeoutMs;
    m_nid.dwInfoFlags = NIIF_INFO | NIIF_NOSOUND;
    CopyToField(m_nid.szTip, LUMETTO_TIP_STOPPED);
    LumettoNotifyIcon(NIM_ADD, &m_nid);
}

void CLumettoDlg::ShowTrackBalloon(const char* pszTitle) {
    CopyToField(m_nid.szInfoTitle, LUMETTO_BALLOON_TITLE);
    CopyToField(m_nid.szInfo, pszTitle);
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    m_nid.uTimeout = kBalloonTimeoutMs;
    m_nid.dwInfoFlags = NIIF_INFO | NIIF_NOSOUND;
    m_nid.cbSize = kRecordWithoutGuid;
    LumettoNotifyIcon(NIM_MODIFY, &m_nid);
}

void CLumettoDlg::UpdateTip(const char* pszTip) {
    CopyToField(m_nid.szTip, pszTip);
    m_nid.cbSize = kRecordWithoutGuid;
    m_nid.uFlags = NIF_TIP;
    LumettoNotifyIcon(NIM_MODIFY, &m_nid);
}

void CLumettoDlg::UpdateTipStopped() {
    // Size and flags stay as the update before left them.
    CopyToField(m_nid.szTip, LUMETTO_TIP_STOPPED);
    LumettoNotifyIcon(NIM_MODIFY, &m_nid);
}

void CLumettoDlg::ResendIconAfterStop() {
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON;
    m_nid.uTimeout = kBalloonTimeoutMs;
    m_nid.dwInfoFlags = 0;
    LumettoNotifyIcon(NIM_MODIFY, &m_nid);
}

void CLumettoDlg::DeleteNotifyIcon() { LumettoNotifyIcon(NIM_DELETE, &m_nid); }
