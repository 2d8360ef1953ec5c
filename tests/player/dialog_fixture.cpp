#include "tests/player/dialog_fixture.h"

#include <algorithm>
#include <cstring>

#include <shlobj.h>

#include "framework/app.h"
#if LUMETTO_MEDIA_KEYS
#include "player/media_keys.h"
#endif
#include "player/shell_seams.h"
#include "tests/player/fake_graph.h"

std::vector<RecordedMessageBox> g_messageBoxes;
std::vector<RecordedIconCall> g_iconCalls;
ScriptedKeys g_keys;

namespace {

int RecordMessageBox(HWND, const char* pszText, const char* pszCaption, UINT nType) {
    g_messageBoxes.push_back({pszText, pszCaption, nType});
    return IDOK;
}

BOOL RecordIconCall(DWORD dwMessage, NOTIFYICONDATAA* pnid) {
    // Only the bytes the record claims: the compact edition sends a shorter one.
    NOTIFYICONDATAA copy = {};
    std::memcpy(&copy, pnid, std::min<size_t>(pnid->cbSize, sizeof copy));
    g_iconCalls.push_back({dwMessage, copy});
    return TRUE;
}

#if LUMETTO_MEDIA_KEYS
int ScriptedSetHook(HWND hWnd) {
    if (g_keys.hooked.empty()) g_keys.graphLogAtHook = g_graph.log.size();
    g_keys.hooked.push_back(hWnd);
    return 1;
}
LONGLONG ScriptedGetKeyCD() {
    ++g_keys.collections;
    g_keys.flag = 0;
    return g_keys.code;
}
int ScriptedIsUpdate() { return g_keys.flag; }
const MediaKeySource kScriptedKeys = {ScriptedSetHook, ScriptedGetKeyCD, ScriptedIsUpdate};
#endif

}  // namespace

std::string EveryByteListFile() {
    std::string allowed;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n' && b != 0x1A) allowed += static_cast<char>(b);
    std::string file;
    size_t next = 0;
    for (size_t len = 1; len <= 300; ++len) {
        for (size_t i = 0; i < len; ++i) file += allowed[next++ % allowed.size()];
        file += "\r\n";
    }
    return file;
}

void MainWindowTest::SetUp() {
    TempDirTest::SetUp();
    g_messageBoxes.clear();
    g_iconCalls.clear();
    AfxSetMessageBoxSeam(RecordMessageBox);
    SetNotifyIconSeam(RecordIconCall);
    g_keys = ScriptedKeys();
#if LUMETTO_MEDIA_KEYS
    SetMediaKeySourceSeam(&kScriptedKeys);
#endif
}

void MainWindowTest::TearDown() {
    if (m_dlg.m_hWnd) m_dlg.DestroyWindow();
    AfxSetMessageBoxSeam(nullptr);
    SetNotifyIconSeam(nullptr);
#if LUMETTO_MEDIA_KEYS
    SetMediaKeySourceSeam(nullptr);
#endif
    TempDirTest::TearDown();
}

void MainWindowTest::StartWindow() { ASSERT_TRUE(m_dlg.Create(IDD_MAIN)); }

void MainWindowTest::CloseWindow() {
    ::SendMessageA(m_dlg.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpMessages();  // the dialog manager posts the Cancel command
    ASSERT_FALSE(::IsWindowVisible(m_dlg.m_hWnd)) << "the close box should end the run";
    m_dlg.DestroyWindow();
    ASSERT_EQ(m_dlg.m_hWnd, nullptr);
}

void MainWindowTest::PumpMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void MainWindowTest::Click(int nID) {
    ::SendMessageA(m_dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(m_dlg.m_hWnd, nID)));
}

void MainWindowTest::Select(int nIndex) { ::SendDlgItemMessageA(m_dlg.m_hWnd, IDC_PLAYLIST, LB_SETCURSEL, nIndex, 0); }

int MainWindowTest::Selection() {
    return static_cast<int>(::SendDlgItemMessageA(m_dlg.m_hWnd, IDC_PLAYLIST, LB_GETCURSEL, 0, 0));
}

std::vector<std::string> MainWindowTest::Entries() {
    // The entries' bytes, checked against what the control shows: the same
    // count, and each shown as its bytes read in the ANSI code page.
    const std::vector<std::string>& entries = m_dlg.m_list.Entries();
    HWND hList = ::GetDlgItem(m_dlg.m_hWnd, IDC_PLAYLIST);
    int nCount = static_cast<int>(::SendMessageW(hList, LB_GETCOUNT, 0, 0));
    EXPECT_EQ(static_cast<size_t>(nCount), entries.size()) << "the control and the entries are out of step";
    for (int i = 0; i < nCount && static_cast<size_t>(i) < entries.size(); ++i) {
        int nLen = static_cast<int>(::SendMessageW(hList, LB_GETTEXTLEN, i, 0));
        std::wstring shown(static_cast<size_t>(nLen) + 1, L'\0');
        int nGot = static_cast<int>(::SendMessageW(hList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&shown[0])));
        shown.resize(nGot < 0 ? 0 : nGot);
        const std::string& bytes = entries[i];
        std::wstring expected(bytes.size() + 1, L'\0');
        int nUnits = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), &expected[0],
                                           static_cast<int>(expected.size()));
        expected.resize(nUnits < 0 ? 0 : nUnits);
        if (shown != expected) {
            ADD_FAILURE() << "entry " << i << " is not shown as its bytes";
            break;
        }
    }
    return entries;
}

void MainWindowTest::SetEntries(const std::vector<std::string>& entries) {
    m_dlg.m_list.ResetContent();
    for (const std::string& e : entries) m_dlg.m_list.InsertString(-1, e);
}

std::string MainWindowTest::ControlText(int nID) {
    char sz[1024] = "";
    ::GetDlgItemTextA(m_dlg.m_hWnd, nID, sz, sizeof sz);
    return sz;
}
