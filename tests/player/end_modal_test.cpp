// Every way of ending the modal run writes default.lst and tears the window down.
#include "tests/player/playback_fixture.h"

#include "player/product_texts.h"

namespace {

// Asks the window to put this text into its status line, as typed over it.
const UINT WM_TYPE_STATUS = WM_APP + 1;
const char kTypedStatus[] = "typed over the status line";

// Edits the playlist and ends the run with one user action, all posted as
// soon as the window exists; the real modal loop then runs them in order.
class SelfEndingDlg : public CLumettoDlg {
public:
    explicit SelfEndingDlg(void (*pfnAct)(HWND), bool bEdit = false) : m_pfnAct(pfnAct), m_bEdit(bEdit) {}
    BOOL OnInitDialog() override {
        BOOL bResult = CLumettoDlg::OnInitDialog();
        if (m_bEdit) PostEdits();
        m_pfnAct(m_hWnd);
        return bResult;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_TYPE_STATUS) return CLumettoDlg::WindowProc(message, wParam, lParam);
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

    void (*m_pfnAct)(HWND);
    bool m_bEdit;
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
    SelfEndingDlg dlg(GetParam().act, true);
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
