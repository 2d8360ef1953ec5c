// Every way of ending the modal run writes default.lst and tears the window down.
#include "tests/player/playback_fixture.h"

namespace {

// Posts one user action as soon as the window exists, then lets the real
// modal loop run until that action ends it.
class SelfEndingDlg : public CLumettoDlg {
public:
    explicit SelfEndingDlg(void (*pfnAct)(HWND)) : m_pfnAct(pfnAct) {}
    BOOL OnInitDialog() override {
        BOOL bResult = CLumettoDlg::OnInitDialog();
        m_pfnAct(m_hWnd);
        return bResult;
    }

private:
    void (*m_pfnAct)(HWND);
};

struct EndCase {
    const char* name;
    void (*act)(HWND);
    INT_PTR expectedResult;
};

const EndCase kEndCases[] = {
    {"EscapeKey",
     [](HWND h) {
         HWND hList = ::GetDlgItem(h, IDC_PLAYLIST);
         ::PostMessageA(hList, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
     },
     IDCANCEL},
    {"CloseBox", [](HWND h) { ::PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
    {"TrayMenuExit", [](HWND h) { ::PostMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0); }, IDOK},
    {"TrayMenuExitWhileHidden",
     [](HWND h) {
         ::SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_HIDE, BN_CLICKED), 0);
         ::PostMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
     },
     IDOK},
};

class EndModalTest : public PlaybackTest, public ::testing::WithParamInterface<EndCase> {};

void CALLBACK ModalRunDidNotEnd(HWND, UINT, UINT_PTR, DWORD) {
    ADD_FAILURE() << "modal run did not end";
    ::PostQuitMessage(0);
}

TEST_P(EndModalTest, EndsTheRunAndSavesThePlaylist) {
    WriteFileBytes("default.lst", "C:\\a.mp3\r\n");
    SelfEndingDlg dlg(GetParam().act);
    // Watchdog: a run that does not end fails the test instead of hanging it.
    UINT_PTR nWatchdog = ::SetTimer(nullptr, 0, 10000, ModalRunDidNotEnd);
    INT_PTR nResult = dlg.DoModal();
    ::KillTimer(nullptr, nWatchdog);
    EXPECT_EQ(nResult, GetParam().expectedResult);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(ReadFileBytes("default.lst"), "C:\\a.mp3\r\n");
    ASSERT_FALSE(g_iconCalls.empty());
    EXPECT_EQ(g_iconCalls.back().message, static_cast<DWORD>(NIM_DELETE));
    // The tray exit goes through OnOK, which reads the two texts back first.
    EXPECT_FALSE(dlg.m_strStatus.IsEmpty());
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {}  // drop a quit posted by the watchdog
}

INSTANTIATE_TEST_SUITE_P(Ways, EndModalTest, ::testing::ValuesIn(kEndCases),
                         [](const ::testing::TestParamInfo<EndCase>& info) { return info.param.name; });

TEST_F(PlaybackTest, EnterInThePlaylistPlaysTheSelection) {
    WriteFileBytes("default.lst", "C:\\a.mp3\r\nC:\\b.mp3\r\n");
    SelfEndingDlg dlg([](HWND h) {
        HWND hList = ::GetDlgItem(h, IDC_PLAYLIST);
        ::SendMessageA(hList, LB_SETCURSEL, 1, 0);
        ::SetFocus(hList);
        // The dialog manager turns Enter into the default button's command.
        ::PostMessageA(hList, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        ::PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
    });
    dlg.DoModal();
    EXPECT_EQ(Rendered(), (std::vector<std::string>{"C:\\a.mp3", "C:\\b.mp3"}));
}

}  // namespace
