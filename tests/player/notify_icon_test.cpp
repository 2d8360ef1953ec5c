// The notification icon record, call by call: what each update writes and
// what it leaves from the update before.
#include "tests/player/playback_fixture.h"

#include "player/shell_seams.h"

namespace {

const char kStopped[] = "\x92\xe2\x8e\x7e\x92\x86";                                               // 停止中
const char kBalloonTitle[] = "\x8d\xc4\x90\xb6\x92\x86\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b";  // 再生中のファイル

struct ExpectedCall {
    DWORD message;
    DWORD cbSize;
    UINT flags;
    std::string tip;
    std::string info;  // "-" when the balloon fields are not yet written
    UINT timeout;
    DWORD infoFlags;
};

void ExpectCalls(const std::vector<RecordedIconCall>& calls, const std::vector<ExpectedCall>& expected) {
    ASSERT_EQ(calls.size(), expected.size());
    for (size_t i = 0; i < calls.size(); ++i) {
        const NOTIFYICONDATAA& r = calls[i].record;
        const ExpectedCall& e = expected[i];
        SCOPED_TRACE("call " + std::to_string(i));
        EXPECT_EQ(calls[i].message, e.message);
        EXPECT_EQ(r.cbSize, e.cbSize);
        EXPECT_EQ(r.uFlags, e.flags);
        EXPECT_EQ(std::string(r.szTip), e.tip);
        if (e.info == "-") {
            EXPECT_EQ(r.szInfo[0], '\0');
            EXPECT_EQ(r.szInfoTitle[0], '\0');
        } else {
            EXPECT_EQ(std::string(r.szInfo), e.info);
            EXPECT_STREQ(r.szInfoTitle, kBalloonTitle);
        }
        EXPECT_EQ(r.uTimeout, e.timeout);
        EXPECT_EQ(r.dwInfoFlags, e.infoFlags);
        EXPECT_EQ(r.uID, 0u);
        EXPECT_EQ(r.uCallbackMessage, 0x8064u);
    }
}

const DWORD kAdd = NIM_ADD, kModify = NIM_MODIFY, kDelete = NIM_DELETE;

class IconRecordTest : public PlaybackTest {
protected:
    void SetUp() override {
        PlaybackTest::SetUp();
        g_graph.stop = Seconds(300);
        g_graph.current = Seconds(65);
    }
    void TickShowingPlayback() {
        ::SendDlgItemMessageA(m_dlg.m_hWnd, IDC_SEEK, TBM_SETPOS, TRUE, 650);
        Tick();
    }
};

TEST_F(IconRecordTest, StartUpWithoutListThenTwoStopsAndExit) {
    StartWindow();
    HWND hWnd = m_dlg.m_hWnd;
    Click(IDC_STOP);
    Click(IDC_STOP);
    CloseWindow();
    ExpectCalls(g_iconCalls,
                {
                    {kAdd, 528, 7, kStopped, "-", 10000, 0x11},
                    {kModify, 528, 7, kStopped, "-", 10000, 0x11},  // first stop: size and flags of the add
                    {kModify, 528, 3, kStopped, "-", 10000, 0},
                    {kModify, 528, 3, kStopped, "-", 10000, 0},  // a stop after a stop sends flags 3
                    {kModify, 528, 3, kStopped, "-", 10000, 0},
                    {kDelete, 528, 3, kStopped, "-", 10000, 0},
                });
    EXPECT_EQ(g_iconCalls[0].record.hIcon, m_dlg.m_hIcon);
    EXPECT_EQ(g_iconCalls[0].record.hWnd, hWnd);
}

TEST_F(IconRecordTest, PlayTickStopExit) {
    StartPlaying({"C:\\Music\\song.mp3"});
    TickShowingPlayback();
    Click(IDC_STOP);
    CloseWindow();
    ExpectCalls(g_iconCalls,
                {
                    {kAdd, 528, 7, kStopped, "-", 10000, 0x11},
                    {kModify, 504, 0x17, kStopped, "song", 10000, 0x11},  // balloon; the tip goes along unchanged
                    {kModify, 504, 4, "song [01:05]", "song", 10000, 0x11},
                    {kModify, 504, 4, kStopped, "song", 10000, 0x11},
                    {kModify, 504, 3, kStopped, "song", 10000, 0},
                    {kDelete, 504, 3, kStopped, "song", 10000, 0},
                });
}

TEST_F(IconRecordTest, StopRightAfterStartShowsTheBalloonAgain) {
    StartPlaying({"C:\\Music\\song.mp3", "C:\\Music\\next.wav"});
    TickShowingPlayback();
    Click(IDC_NEXT);
    Click(IDC_STOP);
    g_iconCalls.erase(g_iconCalls.begin(), g_iconCalls.begin() + 3);
    ExpectCalls(g_iconCalls,
                {
                    {kModify, 504, 0x17, "song [01:05]", "next", 10000, 0x11},  // the tip of the track before
                    {kModify, 504, 0x17, kStopped, "next", 10000, 0x11},
                    {kModify, 504, 3, kStopped, "next", 10000, 0},
                });
}

TEST_F(IconRecordTest, BalloonTextIsCutBetweenCharacters) {
    std::string name(253, 'x');
    name += "\x95\x5C\x95\x5C";  // 257 bytes: the second character does not fit 255
    StartPlaying({"C:\\" + name + ".mp3"});
    EXPECT_EQ(std::string(g_iconCalls.back().record.szInfo), std::string(253, 'x') + "\x95\x5C");
}

// The platform's own shell takes every record the window sends.
std::vector<BOOL> g_shellResults;
BOOL ForwardToShell(DWORD dwMessage, NOTIFYICONDATAA* pnid) {
    BOOL bResult = ::Shell_NotifyIconA(dwMessage, pnid);
    g_shellResults.push_back(bResult);
    return bResult;
}

TEST_F(IconRecordTest, RealShellAcceptsEveryUpdate) {
    g_shellResults.clear();
    SetNotifyIconSeam(ForwardToShell);
    StartPlaying({"C:\\Music\\song.mp3"});
    TickShowingPlayback();
    Click(IDC_STOP);
    Click(IDC_STOP);
    CloseWindow();
    EXPECT_EQ(g_shellResults, std::vector<BOOL>(8, TRUE));  // add, balloon, tip, two stops of two, delete
}

TEST_F(MainWindowTest, NotificationIconIsAddedStoppedAndDeletedAtExit) {
    StartWindow();
    ASSERT_EQ(g_iconCalls.size(), 1u);
    const NOTIFYICONDATAA& add = g_iconCalls[0].record;
    EXPECT_EQ(g_iconCalls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(add.cbSize, sizeof(NOTIFYICONDATAA));
    EXPECT_EQ(add.hWnd, m_dlg.m_hWnd);
    EXPECT_EQ(add.uFlags, 7u);
    EXPECT_EQ(add.uCallbackMessage, 0x8064u);
    EXPECT_STREQ(add.szTip, "\x92\xe2\x8e\x7e\x92\x86");  // 停止中
    CloseWindow();
    ASSERT_EQ(g_iconCalls.size(), 2u);
    EXPECT_EQ(g_iconCalls[1].message, static_cast<DWORD>(NIM_DELETE));
}

}  // namespace
