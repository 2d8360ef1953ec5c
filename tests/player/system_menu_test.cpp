// The system menu's About entry, the About box and the drag icon.
#include "tests/player/dialog_fixture.h"

namespace {

const char kAboutCaption[] = "Lumetto\x82\xcc\xca\xde\xb0\xbc\xde\xae\xdd\x8f\xee\x95\xf1";  // Lumettoのﾊﾞｰｼﾞｮﾝ情報
const char kAboutEntry[] = "Lumetto \x82\xcc\xca\xde\xb0\xbc\xde\xae\xdd\x8f\xee\x95\xf1(&A)...";

// The About box is seen and closed by a timer while it runs modally. What
// it holds is checked from the shipped template (tests/binaries).
int g_aboutOpened = 0;
std::string g_aboutCaption;

HWND g_hMain = nullptr;
HWND g_hAbout = nullptr;

BOOL CALLBACK FindOtherDialog(HWND hWnd, LPARAM) {
    char className[64] = "";
    ::GetClassNameA(hWnd, className, sizeof className);
    if (hWnd != g_hMain && ::IsWindowVisible(hWnd) && std::string(className) == "#32770") g_hAbout = hWnd;
    return TRUE;
}

void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR, DWORD) {
    g_hAbout = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindOtherDialog, 0);
    HWND hAbout = g_hAbout;
    if (hAbout == nullptr) return;
    ++g_aboutOpened;
    char caption[128] = "";
    ::GetWindowTextA(hAbout, caption, sizeof caption);
    g_aboutCaption = caption;
    ::PostMessageA(hAbout, WM_COMMAND, IDOK, 0);
}

TEST_F(MainWindowTest, SystemMenuEndsWithTheAboutEntry) {
    StartWindow();
    HMENU hSys = ::GetSystemMenu(m_dlg.m_hWnd, FALSE);
    int n = ::GetMenuItemCount(hSys);
    ASSERT_GE(n, 2);
    char text[128] = "";
    ::GetMenuStringA(hSys, n - 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, kAboutEntry);
    EXPECT_EQ(::GetMenuItemID(hSys, n - 1), 0x10u);
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoA(hSys, n - 2, TRUE, &mii);
    EXPECT_TRUE(mii.fType & MFT_SEPARATOR);
}

TEST_F(MainWindowTest, AboutCommandIdsIgnoreTheLowFourBits) {
    StartWindow();
    g_hMain = m_dlg.m_hWnd;
    UINT_PTR nTimer = ::SetTimer(nullptr, 0, 30, CloseAboutBox);
    for (UINT id : {0x20u, 0x2Fu, 0x0Fu, 0x10u, 0x11u, 0x1Fu}) {
        g_aboutOpened = 0;
        ::SendMessageA(m_dlg.m_hWnd, WM_SYSCOMMAND, id, 0);
        EXPECT_EQ(g_aboutOpened, (id & 0xFFF0) == 0x10 ? 1 : 0) << "id " << id;
    }
    ::KillTimer(nullptr, nTimer);
    EXPECT_TRUE(::IsWindowVisible(m_dlg.m_hWnd));
    EXPECT_EQ(g_aboutCaption, kAboutCaption);
}

TEST_F(MainWindowTest, DragIconIsTheApplicationIcon) {
    StartWindow();
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(m_dlg.m_hWnd, WM_QUERYDRAGICON, 0, 0)), m_dlg.m_hIcon);
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(m_dlg.m_hWnd, WM_GETICON, ICON_BIG, 0)), m_dlg.m_hIcon);
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(m_dlg.m_hWnd, WM_GETICON, ICON_SMALL, 0)), m_dlg.m_hIcon);
}

}  // namespace
