// Hiding and showing, the icon's callback and its menu.
#include "tests/player/playback_fixture.h"

#include "player/shell_seams.h"

namespace {

struct MenuCall {
    HMENU menu;
    UINT flags;
    int x;
    int y;
    HWND owner;
};
std::vector<MenuCall> g_menuCalls;

BOOL RecordMenu(HMENU hMenu, UINT uFlags, int x, int y, HWND hOwner) {
    g_menuCalls.push_back({hMenu, uFlags, x, y, hOwner});
    return TRUE;
}

class TrayTest : public PlaybackTest {
protected:
    void SetUp() override {
        PlaybackTest::SetUp();
        g_menuCalls.clear();
        SetTrackPopupMenuSeam(RecordMenu);
    }
    void TearDown() override {
        SetTrackPopupMenuSeam(nullptr);
        PlaybackTest::TearDown();
    }
    void IconMouse(UINT mouseMessage) { ::SendMessageA(m_dlg.m_hWnd, 0x8064, 0, mouseMessage); }
    bool Visible() { return ::IsWindowVisible(m_dlg.m_hWnd) != FALSE; }
};

TEST_F(TrayTest, HideThenLeftPressShowsAgain) {
    StartWindow();
    Click(IDC_HIDE);
    EXPECT_FALSE(Visible());
    IconMouse(WM_LBUTTONUP);
    IconMouse(WM_MOUSEMOVE);
    IconMouse(WM_RBUTTONUP);
    EXPECT_FALSE(Visible()) << "only a press shows the window";
    IconMouse(WM_LBUTTONDOWN);
    EXPECT_TRUE(Visible());
}

TEST_F(TrayTest, RightPressOpensTheMenuAtTheCursor) {
    StartWindow();
    ::SetCursorPos(123, 234);
    POINT pt;
    ::GetCursorPos(&pt);
    IconMouse(WM_RBUTTONDOWN);
    ASSERT_EQ(g_menuCalls.size(), 1u);
    EXPECT_EQ(g_menuCalls[0].menu, ::GetSubMenu(m_dlg.m_menuTray.m_hMenu, 0));
    EXPECT_EQ(g_menuCalls[0].flags, static_cast<UINT>(TPM_RIGHTALIGN));
    EXPECT_EQ(g_menuCalls[0].x, pt.x);
    EXPECT_EQ(g_menuCalls[0].y, pt.y);
    EXPECT_EQ(g_menuCalls[0].owner, m_dlg.m_hWnd);
}

TEST_F(TrayTest, MenuHoldsTheTransportCommandsAndExit) {
    StartWindow();
    HMENU hPopup = ::GetSubMenu(m_dlg.m_menuTray.m_hMenu, 0);
    const struct {
        UINT id;
        const char* text;  // nullptr for a separator
    } items[] = {{IDC_PLAY, "\x8d\xc4\x90\xb6"},
                 {0, nullptr},
                 {IDC_PREV, "\x91\x4f\x8b\xc8"},
                 {IDC_NEXT, "\x8e\x9f\x8b\xc8"},
                 {0, nullptr},
                 {IDC_STOP, "\x92\xe2\x8e\x7e"},
                 {0, nullptr},
                 {IDOK, "\x8f\x49\x97\xb9"}};
    ASSERT_EQ(::GetMenuItemCount(hPopup), 8);
    for (int i = 0; i < 8; ++i) {
        char text[64] = "";
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_STATE;
        mii.dwTypeData = text;
        mii.cch = sizeof text;
        ASSERT_TRUE(::GetMenuItemInfoA(hPopup, i, TRUE, &mii));
        if (items[i].text == nullptr) {
            EXPECT_TRUE(mii.fType & MFT_SEPARATOR) << i;
        } else {
            EXPECT_EQ(mii.wID, items[i].id) << i;
            EXPECT_STREQ(text, items[i].text) << i;
            EXPECT_EQ(mii.fState & (MFS_DISABLED | MFS_GRAYED), 0u) << i;
        }
    }
}

TEST_F(TrayTest, MenuCommandsReachTheTransportHandlers) {
    StartPlaying({"C:\\a.mp3", "C:\\b.mp3"});
    ::SendMessageA(m_dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_NEXT, 0), 0);
    ::SendMessageA(m_dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_PREV, 0), 0);
    EXPECT_EQ(Rendered(), (std::vector<std::string>{"C:\\a.mp3", "C:\\b.mp3", "C:\\a.mp3"}));
    ::SendMessageA(m_dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_STOP, 0), 0);
    EXPECT_EQ(m_dlg.m_nCurrent, -1);
}

}  // namespace
