// Every way of ending the modal run writes default.lst and tears the window down.
#include "tests/player/playback_fixture.h"

#include "player/product_texts.h"

namespace {

// Asks the window to put this text into its status line, as typed over it.
const UINT WM_TYPE_STATUS = WM_APP + 1;
const char kTypedStatus[] = "typed over the status line";

// Edits the playlist and ends the run with one user action, all posted as
// soon as the window exists.
class SelfEndingDlg : public SelfActingDlg {
public:
    explicit SelfEndingDlg(void (*pfnAct)(HWND)) : SelfActingDlg(pfnAct) {}

protected:
    void BeforeAct() override { PostEdits(); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_TYPE_STATUS) return SelfActingDlg::WindowProc(message, wParam, lParam);
        ::SetDlgItemTextA(m_hWnd, IDC_STATUS, kTypedStatus);
        return 0;
    }

private:
    // a b c -> stop, delete a, move c up, drop d -> c b d; then the status line is typed over.
    void PostEdits() {
        HWND hList = ::GetDlgItem(m_hWnd, IDC_PLAYLIST);
        ::PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_STOP, BN_CLICKED), 0);
        ::PostMessageA(hList, LB_SETCURSEL, 0, 0);
        ::PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_DELETE, BN_CLICKED), 0);
        ::PostMessageA(hList, LB_SETCURSEL, 1, 0);
        ::PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_UP, BN_CLICKED), 0);
        ::PostMessageA(m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({"C:\\d.mp3"})), 0);
        ::PostMessageA(m_hWnd, WM_TYPE_STATUS, 0, 0);
    }
};

struct EndCase {
    const char* name;
    void (*act)(HWND);
    INT_PTR expectedResult;
    // The tray exit reads the status line back before it ends; the others keep what the stop wrote.
    const char* expectedStatus;
};

const EndCase kEndCases[] = {
    {"EscapeKey",
     [](HWND h) {
         HWND hList = ::GetDlgItem(h, IDC_PLAYLIST);
         ::PostMessageA(hList, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
     },
     IDCANCEL, LUMETTO_VERSION_STRING},
    {"CloseBox", [](HWND h) { ::PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL, LUMETTO_VERSION_STRING},
    {"TrayMenuExit", [](HWND h) { ::PostMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0); }, IDOK, kTypedStatus},
    {"TrayMenuExitWhileHidden",
     [](HWND h) {
         ::SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_HIDE, BN_CLICKED), 0);
         ::PostMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
     },
     IDOK, kTypedStatus},
};

class EndModalTest : public PlaybackTest, public ::testing::WithParamInterface<EndCase> {};

void CALLBACK ModalRunDidNotEnd(HWND, UINT, UINT_PTR, DWORD) {
    ADD_FAILURE() << "modal run did not end";
    ::PostQuitMessage(0);
}

TEST_P(EndModalTest, EndsTheRunAndSavesThePlaylist) {
    WriteFileBytes("default.lst", "C:\\a.mp3\r\nC:\\b.mp3\r\nC:\\c.mp3\r\n");
    SelfEndingDlg dlg(GetParam().act);
    // Watchdog: a run that does not end fails the test instead of hanging it.
    UINT_PTR nWatchdog = ::SetTimer(nullptr, 0, 10000, ModalRunDidNotEnd);
    INT_PTR nResult = dlg.DoModal();
    ::KillTimer(nullptr, nWatchdog);
    EXPECT_EQ(nResult, GetParam().expectedResult);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    // The list as the run left it, not as it was read.
    EXPECT_EQ(ReadFileBytes("default.lst"), "C:\\c.mp3\r\nC:\\b.mp3\r\nC:\\d.mp3\r\n");
    ASSERT_FALSE(g_iconCalls.empty());
    EXPECT_EQ(g_iconCalls.back().message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(dlg.m_strStatus.Str(), GetParam().expectedStatus);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }  // drop a quit posted by the watchdog
}

INSTANTIATE_TEST_SUITE_P(Ways, EndModalTest, ::testing::ValuesIn(kEndCases),
                         [](const ::testing::TestParamInfo<EndCase>& info) { return info.param.name; });

}  // namespace
