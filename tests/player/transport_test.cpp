// Transport commands and the current-track rules, on the real window with the fake graph.
#include "tests/player/playback_fixture.h"

#include "framework/exceptions.h"

namespace {

using Paths = std::vector<std::string>;
const Paths kABC = {"C:\\a.mp3", "C:\\b.mp3", "C:\\c.mp3"};

TEST_F(PlaybackTest, StartUpWithDefaultListPlaysEntryZero) {
    StartPlaying(kABC);
    EXPECT_EQ(Rendered(), Paths{"C:\\a.mp3"});
    EXPECT_EQ(m_dlg.m_nCurrent, 0);
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(g_graph.alive, 1) << "only the playing graph may be left";
    // The status line keeps the version string until the first tick.
    EXPECT_EQ(ControlText(IDC_STATUS), "Harkel's Lumetto Version 1.13 (July 1st 2012)");
}

TEST_F(PlaybackTest, StartUpWithoutListPlaysNothing) {
    StartWindow();
    EXPECT_TRUE(Rendered().empty());
    EXPECT_EQ(g_graph.created, 1) << "the first graph is created empty";
    EXPECT_EQ(m_dlg.m_nCurrent, -1);
}

TEST_F(PlaybackTest, RebuildStopsRewindsAndReleasesTheOldGraphFirst) {
    StartPlaying(kABC);
    ClearLog();
    Click(IDC_NEXT);
    EXPECT_EQ(g_graph.log, (Paths{"Stop 2", "SetPositions 0/1 1/1 2", "Wait 2", "gone 2", "new 3",
                                  "RenderFile C:\\b.mp3 3", "Run 3"}));
}

TEST_F(PlaybackTest, LibrariesInTheProcessWhenATrackRunsStayLoaded) {
    // On Windows the COM restart before every track unloads what COM loaded
    // for the last one; whatever was loaded once a track ran stays instead.
    HMODULE hLibrary = ::LoadLibraryA("cabinet.dll");
    ASSERT_NE(hLibrary, nullptr);
    StartPlaying(kABC);
    ::FreeLibrary(hLibrary);
    EXPECT_NE(::GetModuleHandleA("cabinet.dll"), nullptr);
}

TEST_F(PlaybackTest, PathReachesTheGraphAsUtf16) {
    StartPlaying({"D:\\\x95\x5C\x83\x5C\\\xB1.mp3"});  // 表ソ and halfwidth ｱ
    EXPECT_EQ(g_graph.lastRendered, L"D:\\\x8868\x30BD\\\xFF71.mp3");
}

struct TransportCase {
    const char* name;
    std::vector<int> buttons;  // clicked in order after start-up (entry 0 playing)
    int expectedCurrent;
    const char* expectedLastRendered;
};

const TransportCase kTransportCases[] = {
    {"next_on_last_wraps_to_first", {IDC_NEXT, IDC_NEXT, IDC_NEXT}, 0, "C:\\a.mp3"},
    {"prev_on_first_wraps_to_last", {IDC_PREV}, 2, "C:\\c.mp3"},
    {"stop_then_next_plays_following", {IDC_NEXT, IDC_STOP, IDC_NEXT}, 2, "C:\\c.mp3"},
    {"stop_then_prev_plays_preceding", {IDC_NEXT, IDC_STOP, IDC_PREV}, 0, "C:\\a.mp3"},
    {"double_stop_then_next_plays_first", {IDC_NEXT, IDC_STOP, IDC_STOP, IDC_NEXT}, 0, "C:\\a.mp3"},
    {"double_stop_then_prev_plays_last", {IDC_NEXT, IDC_STOP, IDC_STOP, IDC_PREV}, 2, "C:\\c.mp3"},
    {"play_after_stop_restarts_stopped_entry", {IDC_NEXT, IDC_STOP, IDC_PLAY}, 1, "C:\\b.mp3"},
};

class TransportRuleTest : public PlaybackTest, public ::testing::WithParamInterface<TransportCase> {};

TEST_P(TransportRuleTest, CurrentEntryAfterCommands) {
    StartPlaying(kABC);
    for (int id : GetParam().buttons) Click(id);
    EXPECT_EQ(m_dlg.m_nCurrent, GetParam().expectedCurrent);
    EXPECT_EQ(Rendered().back(), GetParam().expectedLastRendered);
    EXPECT_EQ(Selection(), GetParam().expectedCurrent);
}

INSTANTIATE_TEST_SUITE_P(Rules, TransportRuleTest, ::testing::ValuesIn(kTransportCases),
                         [](const ::testing::TestParamInfo<TransportCase>& info) { return info.param.name; });

TEST_F(PlaybackTest, NextAndPrevFromFreshStart) {
    StartStopped(kABC);
    Click(IDC_NEXT);
    EXPECT_EQ(Rendered(), Paths{"C:\\a.mp3"});
    Click(IDC_STOP);
    Click(IDC_STOP);  // m_nLastPlayed back to -1
    Click(IDC_PREV);
    EXPECT_EQ(Rendered().back(), "C:\\c.mp3");
}

TEST_F(PlaybackTest, PlayRestartsOrPlaysTheSelection) {
    StartPlaying(kABC);
    Click(IDC_PLAY);  // the playing entry is selected: start it again on a new graph
    EXPECT_EQ(Rendered(), (Paths{"C:\\a.mp3", "C:\\a.mp3"}));
    Select(2);
    Click(IDC_PLAY);
    EXPECT_EQ(Rendered().back(), "C:\\c.mp3");
    EXPECT_EQ(m_dlg.m_nCurrent, 2);
}

TEST_F(PlaybackTest, PlayWithoutSelection) {
    StartStopped(kABC);
    Click(IDC_PLAY);
    EXPECT_EQ(Rendered(), Paths{"C:\\a.mp3"});
    Select(-1);
    Click(IDC_NEXT);
    Select(-1);
    Click(IDC_PLAY);  // no selection while playing: the current entry again
    EXPECT_EQ(Rendered().back(), "C:\\b.mp3");
}

TEST_F(PlaybackTest, TransportOnEmptyListDoesNothing) {
    StartStopped({});
    Click(IDC_PLAY);
    Click(IDC_NEXT);
    Click(IDC_PREV);
    EXPECT_TRUE(Rendered().empty());
    EXPECT_TRUE(g_messageBoxes.empty());
    EXPECT_EQ(m_dlg.m_nCurrent, -1);
}

TEST_F(PlaybackTest, StopResetsFieldsAndKeepsSelectionAndGraph) {
    g_graph.stop = Seconds(100);
    StartPlaying(kABC);
    Tick();
    ClearLog();
    Click(IDC_STOP);
    EXPECT_EQ(g_graph.log, (Paths{"Stop 2", "SetPositions 0/1 1/1 2", "Wait 2"}));
    EXPECT_EQ(ControlText(IDC_STATUS), "Harkel's Lumetto Version 1.13 (July 1st 2012)");
    EXPECT_EQ(ControlText(IDC_TIME), "\x92\xe2\x8e\x7e");
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(m_dlg.m_nCurrent, -1);
    EXPECT_EQ(m_dlg.m_nLastPlayed, 0);
    EXPECT_EQ(g_graph.alive, 1);
}

// Deleting entries during playback can leave m_nCurrent past the end.
TEST_F(PlaybackTest, PreviousIntoDeletedEntriesShowsTheInvalidArgumentBox) {
    StartPlaying(kABC);
    Click(IDC_NEXT);
    Click(IDC_NEXT);  // c.mp3 playing, index 2
    Select(0);
    Click(IDC_DELETE);
    Select(0);
    Click(IDC_DELETE);  // one entry left; c.mp3 plays on
    EXPECT_EQ(m_dlg.m_nCurrent, 2);
    CString strPathBefore = m_dlg.m_strCurrentPath;
    int nSelBefore = Selection();
    ClearLog();
    Click(IDC_PREV);  // asks for entry 1, which is gone
    ASSERT_EQ(g_messageBoxes.size(), 1u);
    EXPECT_EQ(g_messageBoxes[0].type, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(g_messageBoxes[0].text, AfxFormatSystemMessage(static_cast<DWORD>(E_INVALIDARG)).Str());
    EXPECT_EQ(g_messageBoxes[0].caption, "player_tests");
    EXPECT_EQ(m_dlg.m_nCurrent, 1);
    EXPECT_EQ(m_dlg.m_strCurrentPath, strPathBefore);
    EXPECT_EQ(Selection(), nSelBefore);
    // The old graph is gone and the new one is empty and not running.
    EXPECT_EQ(g_graph.log, (Paths{"Stop 4", "SetPositions 0/1 1/1 4", "Wait 4", "gone 4", "new 5"}));
    // The window goes on: next wraps to the one entry left.
    Click(IDC_NEXT);
    EXPECT_EQ(Rendered().back(), "C:\\c.mp3");
    EXPECT_EQ(m_dlg.m_nCurrent, 0);
}

TEST_F(PlaybackTest, DoubleClickInEmptyListShowsTheBox) {
    StartStopped({});
    ::SendMessageA(m_dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_PLAYLIST, LBN_DBLCLK),
                   reinterpret_cast<LPARAM>(::GetDlgItem(m_dlg.m_hWnd, IDC_PLAYLIST)));
    EXPECT_EQ(g_messageBoxes.size(), 1u);
    EXPECT_EQ(m_dlg.m_nCurrent, -1);
}

TEST_F(PlaybackTest, DoubleClickPlaysTheSelection) {
    StartStopped(kABC);
    Select(1);
    ::SendMessageA(m_dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_PLAYLIST, LBN_DBLCLK),
                   reinterpret_cast<LPARAM>(::GetDlgItem(m_dlg.m_hWnd, IDC_PLAYLIST)));
    EXPECT_EQ(Rendered(), Paths{"C:\\b.mp3"});
}

TEST_F(PlaybackTest, EnterInThePlaylistPlaysTheSelection) {
    WriteFileBytes("default.lst", "C:\\a.mp3\r\nC:\\b.mp3\r\n");
    SelfActingDlg dlg([](HWND h) {
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

TEST_F(PlaybackTest, ClosingStopsAndReleasesTheGraph) {
    g_graph.stop = Seconds(100);
    StartPlaying(kABC);
    ClearLog();
    CloseWindow();
    EXPECT_EQ(g_graph.alive, 0) << "a graph still running when the process ends crashes it on the way out";
    EXPECT_EQ(g_graph.log, (Paths{"Stop 2", "SetPositions 0/1 1/1 2", "Wait 2", "gone 2"}));
}

TEST_F(PlaybackTest, ManyTrackStartsLeaveOneGraph) {
    StartPlaying(kABC);
    for (int i = 0; i < 300; ++i) Click(IDC_NEXT);
    EXPECT_EQ(g_graph.alive, 1);
    EXPECT_EQ(g_graph.created, 302);
}

}  // namespace
