// The media keys as the window polls them on its tick: each key does what
// its button does, in every state, and nothing else reaches the window.
#include "tests/player/playback_fixture.h"

namespace {

using Paths = std::vector<std::string>;
const Paths kThree = {"C:\\a.mp3", "C:\\b.mp3", "C:\\c.mp3"};

struct Outcome {
    int nCurrent;
    int nLastPlayed;
    Paths rendered;
    std::string status;
    bool operator==(const Outcome& o) const {
        return nCurrent == o.nCurrent && nLastPlayed == o.nLastPlayed && rendered == o.rendered && status == o.status;
    }
};

std::ostream& operator<<(std::ostream& os, const Outcome& o) {
    os << "current " << o.nCurrent << ", last played " << o.nLastPlayed << ", status \"" << o.status << "\", rendered";
    for (const std::string& p : o.rendered) os << " " << p;
    return os;
}

class MediaKeyTest : public PlaybackTest {
protected:
    void SetUp() override {
        PlaybackTest::SetUp();
        g_graph.stop = Seconds(100);  // tracks are long enough that no tick ends one by itself
    }
    // Brings a fresh window into one of the states below, runs the action,
    // and reports where it left playback.
    template <typename Action> Outcome Run(int nState, Action action) {
        StartPlaying(kThree);              // a.mp3 plays
        if (nState == 1) Click(IDC_NEXT);  // b.mp3 plays
        if (nState == 2) {
            Click(IDC_NEXT);
            Click(IDC_STOP);
        }  // stopped after b.mp3
        if (nState == 3) {
            Click(IDC_STOP);
            Select(2);
        }  // stopped, c.mp3 selected
        ClearLog();
        action();
        Outcome o{m_dlg.m_nCurrent, m_dlg.m_nLastPlayed, Rendered(), ControlText(IDC_STATUS)};
        m_dlg.DestroyWindow();
        return o;
    }
    void PressAndTick(long long vk) {
        g_keys.Press(vk);
        Tick();
    }
};

TEST_F(MediaKeyTest, HookIsInstalledOnceWithTheWindowAfterEntryZeroStarted) {
    StartPlaying(kThree);
    ASSERT_EQ(g_keys.hooked, std::vector<HWND>{m_dlg.m_hWnd});
    Paths renderedBeforeHook;
    for (size_t i = 0; i < g_keys.graphLogAtHook; ++i)
        if (g_graph.log[i].rfind("RenderFile ", 0) == 0) renderedBeforeHook.push_back(g_graph.log[i]);
    EXPECT_EQ(renderedBeforeHook.size(), 1u) << "entry 0 was started before the hook went in";
    Tick();
    EXPECT_EQ(g_keys.hooked.size(), 1u) << "ticks never install it again";
}

TEST_F(MediaKeyTest, EachMediaKeyDoesWhatItsButtonDoesInEveryState) {
    const struct {
        long long vk;
        int nButton;
    } keys[] = {{176, IDC_NEXT}, {177, IDC_PREV}, {178, IDC_STOP}, {179, IDC_PLAY}};
    for (const auto& key : keys) {
        for (int nState = 0; nState < 4; ++nState) {
            // The key's tick does its progress work first, then the command.
            Outcome byButton = Run(nState, [&] {
                Tick();
                Click(key.nButton);
            });
            Outcome byKey = Run(nState, [&] { PressAndTick(key.vk); });
            EXPECT_EQ(byKey, byButton) << "key " << key.vk << " in state " << nState;
            if (key.vk != 178) {
                EXPECT_FALSE(byKey.rendered.empty()) << "key " << key.vk << " did nothing";
            }
        }
    }
    EXPECT_TRUE(g_messageBoxes.empty());
}

TEST_F(MediaKeyTest, NextKeyWhileStoppedPlaysTheEntryAfterTheStoppedOne) {
    StartPlaying(kThree);
    Click(IDC_NEXT);
    Click(IDC_STOP);  // stopped after b.mp3
    ClearLog();
    PressAndTick(176);
    EXPECT_EQ(Rendered(), Paths{"C:\\c.mp3"});
    EXPECT_EQ(m_dlg.m_nCurrent, 2);
}

TEST_F(MediaKeyTest, OtherKeysAreCollectedAndDropped) {
    StartPlaying(kThree);
    ClearLog();
    PressAndTick('A');  // an ordinary key after a media key in the same interval reads like this
    EXPECT_EQ(g_keys.collections, 1);
    EXPECT_EQ(g_keys.flag, 0);
    EXPECT_TRUE(Rendered().empty());
    EXPECT_EQ(m_dlg.m_nCurrent, 0);
    Tick();
    EXPECT_EQ(g_keys.collections, 1) << "no flag, no collection";
}

TEST_F(MediaKeyTest, AtMostOneCommandPerTick) {
    StartPlaying(kThree);
    ClearLog();
    g_keys.Press(176);
    g_keys.Press(176);  // a held key repeats: still one recorded key
    Tick();
    Tick();
    EXPECT_EQ(Rendered(), Paths{"C:\\b.mp3"});
}

TEST_F(MediaKeyTest, KeyInTheTickThatEndsATrackActsAfterTheEndRule) {
    StartPlaying(kThree);
    ClearLog();
    g_graph.current = g_graph.stop;
    PressAndTick(176);
    EXPECT_EQ(Rendered(), (Paths{"C:\\b.mp3", "C:\\c.mp3"})) << "end of a.mp3 plays b.mp3, then the key moves on";
    EXPECT_EQ(m_dlg.m_nCurrent, 2);
}

TEST_F(MediaKeyTest, KeysActWhileTheWindowIsHidden) {
    StartPlaying(kThree);
    Click(IDC_HIDE);
    ASSERT_FALSE(::IsWindowVisible(m_dlg.m_hWnd));
    PressAndTick(178);
    EXPECT_EQ(m_dlg.m_nCurrent, -1);
    PressAndTick(179);
    EXPECT_EQ(m_dlg.m_nCurrent, 0);
    EXPECT_FALSE(::IsWindowVisible(m_dlg.m_hWnd)) << "a key does not show the window";
}

}  // namespace
