// The seek slider: range at track start, reset at stop, seek on release only.
#include "tests/player/playback_fixture.h"

namespace {

using Paths = std::vector<std::string>;

class SliderTest : public PlaybackTest {
protected:
    int SliderPos() { return static_cast<int>(::SendDlgItemMessageA(m_dlg.m_hWnd, IDC_SEEK, TBM_GETPOS, 0, 0)); }
    int SliderMax() { return static_cast<int>(::SendDlgItemMessageA(m_dlg.m_hWnd, IDC_SEEK, TBM_GETRANGEMAX, 0, 0)); }
    int PageSize() { return static_cast<int>(::SendDlgItemMessageA(m_dlg.m_hWnd, IDC_SEEK, TBM_GETPAGESIZE, 0, 0)); }
    void SetSlider(int n) { ::SendDlgItemMessageA(m_dlg.m_hWnd, IDC_SEEK, TBM_SETPOS, TRUE, n); }
    void Release() {
        NMHDR hdr = {::GetDlgItem(m_dlg.m_hWnd, IDC_SEEK), IDC_SEEK, static_cast<UINT>(NM_RELEASEDCAPTURE)};
        ::SendMessageA(m_dlg.m_hWnd, WM_NOTIFY, IDC_SEEK, reinterpret_cast<LPARAM>(&hdr));
    }
};

TEST_F(SliderTest, TrackStartSetsRangePositionAndPage) {
    g_graph.stop = 2345678901LL;
    g_graph.current = 0;
    StartPlaying({"C:\\a.mp3"});
    EXPECT_EQ(SliderMax(), 2345);
    EXPECT_EQ(SliderPos(), 0);
    EXPECT_EQ(PageSize(), 50);
}

TEST_F(SliderTest, ReleaseSeeksToTheThumbWithStopUnchanged) {
    g_graph.stop = 2345678901LL;
    StartPlaying({"C:\\a.mp3"});
    SetSlider(1234);
    ClearLog();
    Release();
    EXPECT_EQ(g_graph.log, Paths{"SetPositions 1234000000/1 2345678901/1 2"});
    EXPECT_EQ(SliderPos(), 1234);
    SetSlider(2345);
    ClearLog();
    Release();
    EXPECT_EQ(g_graph.log, Paths{"SetPositions 2345000000/1 2345678901/1 2"});
}

TEST_F(SliderTest, StopPutsThumbToZeroAndKeepsRange) {
    g_graph.stop = Seconds(200);
    StartPlaying({"C:\\a.mp3"});
    SetSlider(700);
    Click(IDC_STOP);
    EXPECT_EQ(SliderPos(), 0);
    EXPECT_EQ(SliderMax(), 2000);
}

TEST_F(SliderTest, KeyboardMovesDoNotSeek) {
    g_graph.stop = Seconds(200);
    StartPlaying({"C:\\a.mp3"});
    ClearLog();
    HWND hSlider = ::GetDlgItem(m_dlg.m_hWnd, IDC_SEEK);
    for (int i = 0; i < 3; ++i) ::SendMessageA(hSlider, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(SliderPos(), 3);
    EXPECT_TRUE(g_graph.Calls("SetPositions").empty());
    Tick();  // less than 50 units away: the tick puts it back
    EXPECT_EQ(SliderPos(), 0);
}

TEST_F(SliderTest, SeekOnEmptyGraphLeavesStopAlone) {
    StartWindow();  // nothing rendered yet: the graph has no positions
    SetSlider(5);
    ClearLog();
    Release();
    ASSERT_EQ(g_graph.log.size(), 1u);
    EXPECT_EQ(g_graph.log[0], "SetPositions 5000000/1 0/0 1");
    EXPECT_EQ(SliderPos(), 5);
}

}  // namespace
