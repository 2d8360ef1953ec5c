// The progress tick: end of track, time text, tooltip, slider following.
#include "tests/player/playback_fixture.h"

namespace {

using Paths = std::vector<std::string>;

class TickTest : public PlaybackTest {
protected:
    const NOTIFYICONDATAA& LastIconRecord() { return g_iconCalls.back().record; }
    int SliderPos() { return static_cast<int>(::SendDlgItemMessageA(m_dlg.m_hWnd, IDC_SEEK, TBM_GETPOS, 0, 0)); }
    void SetSlider(int n) { ::SendDlgItemMessageA(m_dlg.m_hWnd, IDC_SEEK, TBM_SETPOS, TRUE, n); }
};

TEST_F(TickTest, ShowsTitleAndTimeEverywhere) {
    g_graph.stop = Seconds(300);
    StartPlaying({"C:\\Music\\song.mp3"});
    g_graph.current = Seconds(65);
    SetSlider(650);
    Tick();
    EXPECT_EQ(ControlText(IDC_STATUS), "song");
    EXPECT_EQ(ControlText(IDC_TIME), "01:05");
    EXPECT_EQ(g_iconCalls.back().message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_STREQ(LastIconRecord().szTip, "song [01:05]");
    EXPECT_EQ(LastIconRecord().uFlags, static_cast<UINT>(NIF_TIP));
    EXPECT_EQ(LastIconRecord().cbSize, 504u);
}

struct TimeCase {
    double seconds;
    const char* text;
};

TEST_F(TickTest, TimeTextMinutesAreNotFoldedIntoHours) {
    const TimeCase cases[] = {{0, "00:00"}, {59.99, "00:59"}, {3725.9, "62:05"}, {6000, "100:00"}};
    g_graph.stop = Seconds(100000);
    StartPlaying({"C:\\t.mp3"});
    for (const TimeCase& c : cases) {
        g_graph.current = Seconds(c.seconds);
        SetSlider(static_cast<int>(c.seconds * 10));
        Tick();
        EXPECT_EQ(ControlText(IDC_TIME), c.text) << c.seconds;
    }
}

TEST_F(TickTest, TooltipIsCutAtSixtyBytesBetweenCharacters) {
    struct {
        std::string name;
        std::string tip;
    } cases[] = {
        {std::string(52, 'n'), std::string(52, 'n') + " [00:01]"},  // exactly 60 bytes
        {std::string(53, 'n'), std::string(53, 'n') + " [00:01"},   // bracket cut off
        {std::string(70, 'n'), std::string(60, 'n')},               // into the title itself
        {std::string(59, 'n') + "\x95\x5C", std::string(59, 'n')},  // never half a character
        {std::string(58, 'n') + "\x95\x5C", std::string(58, 'n') + "\x95\x5C"},
    };
    g_graph.stop = Seconds(100);
    g_graph.current = Seconds(1);
    for (auto& c : cases) {
        StartPlaying({"C:\\" + c.name + ".mp3"});
        SetSlider(10);
        Tick();
        EXPECT_EQ(std::string(LastIconRecord().szTip), c.tip) << c.name.size();
        EXPECT_EQ(ControlText(IDC_STATUS), c.name) << "the status line keeps the whole title";
        m_dlg.DestroyWindow();
    }
}

TEST_F(TickTest, SliderFollowsUnlessHeldFiftyUnitsAway) {
    g_graph.stop = Seconds(600);
    StartPlaying({"C:\\t.mp3"});
    g_graph.current = Seconds(12.3);  // 123 slider units
    SetSlider(172);                   // 49 away: follows playback
    Tick();
    EXPECT_EQ(SliderPos(), 123);
    EXPECT_EQ(ControlText(IDC_TIME), "00:12");
    SetSlider(173);  // 50 away: taken as held
    Tick();
    EXPECT_EQ(SliderPos(), 173);
    EXPECT_EQ(ControlText(IDC_TIME), "00:17");
    EXPECT_STREQ(LastIconRecord().szTip, "t [00:12]");
    SetSlider(73);  // 50 away on the other side
    Tick();
    EXPECT_EQ(SliderPos(), 73);
    EXPECT_EQ(ControlText(IDC_TIME), "00:07");
}

TEST_F(TickTest, EndOfTrackMovesOnAndStartsOver) {
    g_graph.stop = Seconds(2);
    StartPlaying({"C:\\a.mp3", "C:\\b.mp3", "C:\\c.mp3"});
    size_t nIconCalls = g_iconCalls.size();
    g_graph.current = g_graph.stop;
    Tick();
    Tick();
    Tick();
    EXPECT_EQ(Rendered(), (Paths{"C:\\a.mp3", "C:\\b.mp3", "C:\\c.mp3", "C:\\a.mp3"}));
    EXPECT_EQ(m_dlg.m_nCurrent, 0);
    // Each move is announced by a balloon and no tip is written on those ticks.
    ASSERT_EQ(g_iconCalls.size(), nIconCalls + 3);
    for (size_t i = nIconCalls; i < g_iconCalls.size(); ++i)
        EXPECT_EQ(g_iconCalls[i].record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO));
}

TEST_F(TickTest, AnyTimerIdRunsTheWholeTick) {
    // The window does not look at the id: any timer message is a full tick.
    const UINT_PTR kOtherId = 2;
    g_graph.stop = Seconds(300);
    StartPlaying({"C:\\Music\\song.mp3", "C:\\next.mp3"});
    g_graph.current = Seconds(65);
    SetSlider(640);
    Tick(kOtherId);
    EXPECT_EQ(ControlText(IDC_STATUS), "song");
    EXPECT_EQ(ControlText(IDC_TIME), "01:05");
    EXPECT_STREQ(LastIconRecord().szTip, "song [01:05]");
    EXPECT_EQ(SliderPos(), 650);
    g_graph.current = g_graph.stop;
    Tick(kOtherId);
    EXPECT_EQ(Rendered(), (Paths{"C:\\Music\\song.mp3", "C:\\next.mp3"}));
}

TEST_F(TickTest, EndOfTrackAfterListWasClearedStops) {
    g_graph.stop = Seconds(2);
    StartPlaying({"C:\\a.mp3", "C:\\b.mp3"});
    Click(IDC_NEXT);
    Tick();
    Click(IDC_CLEARALL);
    g_graph.current = g_graph.stop;
    Tick();
    EXPECT_EQ(m_dlg.m_nCurrent, -1);
    EXPECT_EQ(m_dlg.m_nLastPlayed, 2) << "the finished index plus one";
    EXPECT_EQ(ControlText(IDC_STATUS), "Harkel's Lumetto Version 1.13 (July 1st 2012)");
    EXPECT_EQ(ControlText(IDC_TIME), "\x92\xe2\x8e\x7e");
}

TEST_F(TickTest, StoppedTickReadsNothing) {
    g_graph.stop = Seconds(2);
    StartPlaying({"C:\\a.mp3"});
    Click(IDC_STOP);
    size_t nIconCalls = g_iconCalls.size();
    g_graph.current = g_graph.stop;
    Tick();
    EXPECT_EQ(Rendered().size(), 1u);
    EXPECT_EQ(g_iconCalls.size(), nIconCalls);
    EXPECT_EQ(ControlText(IDC_STATUS), "Harkel's Lumetto Version 1.13 (July 1st 2012)");
}

TEST_F(TickTest, UnplayableEntriesAreSkipped) {
    g_graph.stop = Seconds(100);
    g_graph.unplayable = {L"C:\\missing.mp3", L"C:\\corrupt.mp3"};
    StartPlaying({"C:\\missing.mp3", "C:\\corrupt.mp3", "C:\\good.mp3"});
    Tick();
    Tick();
    EXPECT_EQ(Rendered(), (Paths{"C:\\missing.mp3", "C:\\corrupt.mp3", "C:\\good.mp3"}));
    g_graph.current = Seconds(5);
    SetSlider(50);
    Tick();
    EXPECT_EQ(ControlText(IDC_STATUS), "good");
    EXPECT_TRUE(g_messageBoxes.empty());
}

TEST_F(TickTest, AllUnplayableStopsInsteadOfCycling) {
    g_graph.unplayable = {L"C:\\x.mp3", L"C:\\y.mp3"};
    StartPlaying({"C:\\x.mp3", "C:\\y.mp3"});
    for (int i = 0; i < 10; ++i) Tick();
    EXPECT_EQ(m_dlg.m_nCurrent, -1);
    EXPECT_EQ(Rendered(), (Paths{"C:\\x.mp3", "C:\\y.mp3"}));
    // A later play command tries again from the start.
    Click(IDC_NEXT);
    EXPECT_EQ(Rendered().size(), 3u);
}

TEST_F(TickTest, TimerRunsFromStartUp) {
    g_graph.stop = Seconds(100);
    g_graph.current = Seconds(3);
    StartPlaying({"C:\\Music\\song.mp3"});
    SetSlider(30);
    DWORD dwEnd = ::GetTickCount() + 3000;
    while (ControlText(IDC_STATUS) != "song" && ::GetTickCount() < dwEnd) {
        MSG msg;
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        } else {
            ::Sleep(10);
        }
    }
    EXPECT_EQ(ControlText(IDC_STATUS), "song");
}

}  // namespace
