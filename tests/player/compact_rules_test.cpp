// The compact edition's own rules: its window, its icon record, a timer that
// runs only while a track is current, and transport that starts over from
// the ends of the list.
#include "tests/player/playback_fixture.h"

#include "player/shell_seams.h"

namespace {

using Paths = std::vector<std::string>;

const char kTipStopped[] = "\x92\xe2\x8e\x7e\x92\x86";  // 停止中
const char kVersion[] = "Harkel's Lumetto Version 0.23 (May 16th 2003)";

Paths TenEntries() {
    Paths entries;
    for (int i = 0; i < 10; ++i) entries.push_back("C:\\t" + std::to_string(i) + ".mp3");
    return entries;
}

class CompactTest : public PlaybackTest {
protected:
    void SetUp() override {
        PlaybackTest::SetUp();
        g_graph.stop = Seconds(100);  // no tick ends a track by itself
    }
    // The progress timer exists exactly when it can be killed; put back if it was.
    bool TimerRuns() {
        if (!::KillTimer(m_dlg.m_hWnd, 1)) return false;
        ::SetTimer(m_dlg.m_hWnd, 1, 200, nullptr);
        return true;
    }
    void PlayEntry(int n) {
        Select(n);
        Click(IDC_PLAY);
    }
};

// Where each control sits is checked from the shipped template's bytes
// (tests/binaries); here, that the window made from it has just those.
TEST_F(CompactTest, WindowHasThirteenControlsAndNoSlots) {
    StartStopped({});
    int nChildren = 0;
    for (HWND h = ::GetWindow(m_dlg.m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) ++nChildren;
    EXPECT_EQ(nChildren, 13);
    for (int id : {IDC_PLAYLIST, IDC_PLAY, IDC_STOP, IDC_HIDE, IDC_STATUS, IDC_CLEARALL, IDC_DELETE, IDC_TIME, IDC_NEXT,
                   IDC_PREV, IDC_UP, IDC_DOWN, IDC_SEEK})
        EXPECT_NE(::GetDlgItem(m_dlg.m_hWnd, id), nullptr) << id;
    EXPECT_EQ(::GetDlgItem(m_dlg.m_hWnd, IDC_MEMORIZE), nullptr);
}

TEST_F(CompactTest, StopForgetsTheEntrySoNextAndPreviousStartAtTheEnds) {
    StartStopped(TenEntries());
    PlayEntry(5);
    Click(IDC_STOP);
    ClearLog();
    Click(IDC_NEXT);
    EXPECT_EQ(Rendered(), Paths{"C:\\t0.mp3"});
    Click(IDC_STOP);
    ClearLog();
    Click(IDC_PREV);
    EXPECT_EQ(Rendered(), Paths{"C:\\t9.mp3"});
    EXPECT_EQ(m_dlg.m_nCurrent, 9);
}

TEST_F(CompactTest, PlayWithoutSelectionAlwaysStartsEntryZero) {
    StartStopped(TenEntries());
    PlayEntry(3);
    m_dlg.m_list.SetCurSel(-1);
    ClearLog();
    Click(IDC_PLAY);
    EXPECT_EQ(Rendered(), Paths{"C:\\t0.mp3"}) << "not entry 3, which was playing";
    Click(IDC_STOP);
    m_dlg.m_list.SetCurSel(-1);
    ClearLog();
    Click(IDC_PLAY);
    EXPECT_EQ(Rendered(), Paths{"C:\\t0.mp3"});
}

TEST_F(CompactTest, TransportOnAnEmptyListDoesNothing) {
    StartStopped({});
    Click(IDC_NEXT);
    Click(IDC_PREV);
    Click(IDC_PLAY);
    EXPECT_TRUE(Rendered().empty());
    EXPECT_TRUE(g_messageBoxes.empty());
}

TEST_F(CompactTest, TimerRunsOnlyWhileATrackIsCurrent) {
    StartStopped(TenEntries());
    EXPECT_FALSE(TimerRuns()) << "none at start-up";
    PlayEntry(2);
    EXPECT_TRUE(TimerRuns()) << "every start starts it";
    Click(IDC_NEXT);
    EXPECT_TRUE(TimerRuns());
    Click(IDC_STOP);
    EXPECT_FALSE(TimerRuns()) << "the stop kills it";
    // Stopped, nothing ticks: the status line keeps the version text.
    DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 600) PumpMessages();
    EXPECT_EQ(ControlText(IDC_STATUS), kVersion);
    EXPECT_EQ(ControlText(IDC_TIME), "\x92\xe2\x8e\x7e");
}

TEST_F(CompactTest, TrackEndAtTheLastEntryOfAClearedListStopsTheTimer) {
    StartStopped({"C:\\a.mp3"});
    PlayEntry(0);
    Click(IDC_CLEARALL);
    g_graph.current = g_graph.stop;
    Tick();
    EXPECT_EQ(m_dlg.m_nCurrent, -1);
    EXPECT_FALSE(TimerRuns());
}

// The list's size at each icon call: the add must see the filled playlist.
std::vector<int> g_countsAtIconCall;
HWND g_hList = nullptr;
BOOL RecordWithListSize(DWORD dwMessage, NOTIFYICONDATAA* pnid) {
    g_countsAtIconCall.push_back(g_hList ? static_cast<int>(::SendMessageA(g_hList, LB_GETCOUNT, 0, 0)) : -1);
    NOTIFYICONDATAA copy = {};
    memcpy(&copy, pnid, pnid->cbSize < sizeof copy ? pnid->cbSize : sizeof copy);
    g_iconCalls.push_back({dwMessage, copy});
    return TRUE;
}

TEST_F(CompactTest, IconRecordIsTheFirstVersionOnEveryCallAndNoBalloonIsSent) {
    g_countsAtIconCall.clear();
    g_hList = nullptr;
    SetNotifyIconSeam(RecordWithListSize);
    WriteFileBytes("default.lst", "C:\\a.mp3\r\nC:\\b.mp3\r\n");
    StartWindow();
    ASSERT_FALSE(g_iconCalls.empty());
    EXPECT_EQ(g_iconCalls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_STREQ(g_iconCalls[0].record.szTip, kTipStopped) << "the first track starts after the add";
    ASSERT_EQ(g_iconCalls.size(), 1u) << "no balloon at the start of a track";

    Tick();
    EXPECT_STREQ(g_iconCalls.back().record.szTip, "a [00:00]");
    Click(IDC_STOP);
    EXPECT_STREQ(g_iconCalls.back().record.szTip, kTipStopped);
    Click(IDC_NEXT);
    Click(IDC_STOP);  // a stop right after a start
    EXPECT_STREQ(g_iconCalls.back().record.szTip, kTipStopped);
    std::string longName = "C:\\" + std::string(100, 'n') + ".mp3";
    SetEntries({longName});
    PlayEntry(0);
    Tick();
    EXPECT_EQ(std::string(g_iconCalls.back().record.szTip).size(), 60u) << "cut at 60 bytes into the 64-byte field";
    CloseWindow();
    EXPECT_EQ(g_iconCalls.back().message, static_cast<DWORD>(NIM_DELETE));

    for (const RecordedIconCall& call : g_iconCalls) {
        EXPECT_EQ(call.record.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
        EXPECT_EQ(call.record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
        EXPECT_EQ(call.record.uCallbackMessage, WM_TRAYNOTIFY);
        EXPECT_EQ(call.record.szInfo[0], '\0') << "no balloon text ever";
    }
#ifndef _WIN64
    EXPECT_EQ(NOTIFYICONDATAA_V1_SIZE, 88);
#endif
}

HHOOK g_hCbtHook = nullptr;
// Finds the list box as soon as the dialog manager makes it, before OnInitDialog runs.
LRESULT CALLBACK NoteTheListBox(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HCBT_CREATEWND &&
        reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->hMenu == reinterpret_cast<HMENU>(IDC_PLAYLIST))
        g_hList = reinterpret_cast<HWND>(wParam);
    return ::CallNextHookEx(g_hCbtHook, nCode, wParam, lParam);
}

TEST_F(CompactTest, StartUpAddsTheIconAfterTheIntake) {
    g_countsAtIconCall.clear();
    g_hList = nullptr;
    WriteFileBytes("default.lst", "C:\\a.mp3\r\nC:\\b.mp3\r\nC:\\c.mp3\r\n");
    g_hCbtHook = ::SetWindowsHookExA(WH_CBT, NoteTheListBox, nullptr, ::GetCurrentThreadId());
    SetNotifyIconSeam(RecordWithListSize);
    StartWindow();
    ::UnhookWindowsHookEx(g_hCbtHook);
    ASSERT_FALSE(g_countsAtIconCall.empty());
    EXPECT_EQ(g_countsAtIconCall[0], 3) << "the playlist was filled before the icon was added";
    EXPECT_EQ(Rendered(), Paths{"C:\\a.mp3"});
}

}  // namespace
