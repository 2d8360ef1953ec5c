// The notification icon, driven through the one record m_nid. The record is
// never cleared: each update writes some fields and sends the whole record,
// so fields an update leaves alone keep what an earlier update put there.
#include <cstddef>
#include <cstring>

#include "core/dbcs.h"
#include "player/lumetto_dlg.h"
#include "player/product_texts.h"
#include "player/shell_seams.h"

namespace {

// The shell reads the records field by field at fixed offsets; a packing or
// declaration slip must stop the build, above all in the 32-bit one, which
// cannot be run here.
#define LUMETTO_FIELD_AT(record, field, at) \
    static_assert(offsetof(record, field) == (at), #record "::" #field " at " #at)

#if LUMETTO_FIRST_ICON_RECORD
// The first-version record is the platform's record cut after a 64-byte tip.
#define LUMETTO_FIELD_AS_PLATFORM(field) LUMETTO_FIELD_AT(NotifyIconRecordV1, field, offsetof(NOTIFYICONDATAA, field))
LUMETTO_FIELD_AS_PLATFORM(cbSize);
LUMETTO_FIELD_AS_PLATFORM(hWnd);
LUMETTO_FIELD_AS_PLATFORM(uID);
LUMETTO_FIELD_AS_PLATFORM(uFlags);
LUMETTO_FIELD_AS_PLATFORM(uCallbackMessage);
LUMETTO_FIELD_AS_PLATFORM(hIcon);
LUMETTO_FIELD_AS_PLATFORM(szTip);
#undef LUMETTO_FIELD_AS_PLATFORM
#ifndef _WIN64
static_assert(sizeof(NotifyIconRecord) == 88, "first-version icon record on 32-bit");
LUMETTO_FIELD_AT(NotifyIconRecordV1, hWnd, 4);
LUMETTO_FIELD_AT(NotifyIconRecordV1, uID, 8);
LUMETTO_FIELD_AT(NotifyIconRecordV1, uFlags, 12);
LUMETTO_FIELD_AT(NotifyIconRecordV1, uCallbackMessage, 16);
LUMETTO_FIELD_AT(NotifyIconRecordV1, hIcon, 20);
LUMETTO_FIELD_AT(NotifyIconRecordV1, szTip, 24);
#endif
#else
// The record up to and including dwInfoFlags: what the balloon and tip updates send.
const DWORD kRecordWithoutGuid = static_cast<DWORD>(offsetof(NOTIFYICONDATAA, guidItem));
#ifdef _WIN64
static_assert(sizeof(NOTIFYICONDATAA) == 528, "full icon record on 64-bit");
static_assert(offsetof(NOTIFYICONDATAA, guidItem) == 504, "icon record without guid on 64-bit");
LUMETTO_FIELD_AT(NOTIFYICONDATAA, hWnd, 8);
LUMETTO_FIELD_AT(NOTIFYICONDATAA, uID, 16);
LUMETTO_FIELD_AT(NOTIFYICONDATAA, uFlags, 20);
LUMETTO_FIELD_AT(NOTIFYICONDATAA, uCallbackMessage, 24);
LUMETTO_FIELD_AT(NOTIFYICONDATAA, hIcon, 32);
LUMETTO_FIELD_AT(NOTIFYICONDATAA, szTip, 40);
LUMETTO_FIELD_AT(NOTIFYICONDATAA, dwState, 168);
LUMETTO_FIELD_AT(NOTIFYICONDATAA, szInfo, 176);
LUMETTO_FIELD_AT(NOTIFYICONDATAA, uTimeout, 432);
LUMETTO_FIELD_AT(NOTIFYICONDATAA, szInfoTitle, 436);
LUMETTO_FIELD_AT(NOTIFYICONDATAA, dwInfoFlags, 500);
LUMETTO_FIELD_AT(NOTIFYICONDATAA, hBalloonIcon, 520);
#endif

const DWORD kBalloonTimeoutMs = 10000;
#endif

// Copies text into a fixed field, cut between characters when it does not fit.
template <size_t N> void CopyToField(char (&field)[N], const char* pszText) {
    size_t nLen = CutAtCharBoundary(pszText, std::strlen(pszText), N - 1);
    std::memcpy(field, pszText, nLen);
    field[nLen] = '\0';
}

// The shell reads the record's version from its size.
NOTIFYICONDATAA* ShellRecord(NotifyIconRecord& nid) { return reinterpret_cast<NOTIFYICONDATAA*>(&nid); }

}  // namespace

#if LUMETTO_FIRST_ICON_RECORD
// The first-version record: every update writes only the tip and sends the
// whole record again, so size 88 and flags 7 go with each call.
void CLumettoDlg::AddNotifyIcon() {
    m_nid.cbSize = sizeof(NotifyIconRecord);
    m_nid.hWnd = m_hWnd;
    m_nid.uID = 0;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.uCallbackMessage = WM_TRAYNOTIFY;
    m_nid.hIcon = m_hIcon;
    CopyToField(m_nid.szTip, LUMETTO_TIP_STOPPED);
    LumettoNotifyIcon(NIM_ADD, ShellRecord(m_nid));
}

void CLumettoDlg::UpdateTip(const char* pszTip) {
    CopyToField(m_nid.szTip, pszTip);
    LumettoNotifyIcon(NIM_MODIFY, ShellRecord(m_nid));
}

void CLumettoDlg::UpdateTipStopped() { UpdateTip(LUMETTO_TIP_STOPPED); }
#else
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

#endif

void CLumettoDlg::DeleteNotifyIcon() { LumettoNotifyIcon(NIM_DELETE, ShellRecord(m_nid)); }
