// The memory slots: the slot dialog driven as a user would (a timer acts in
// its modal loop), the slot files it writes, and recalls.
#include "tests/player/playback_fixture.h"

namespace {

using Paths = std::vector<std::string>;

// What the timer does in the slot dialog: click slot N (0 = leave the
// default), then OK or Cancel. It also notes which slot was checked when the
// dialog appeared.
struct SlotDialogScript {
    HWND hMain = nullptr;
    int nClickSlot = 0;
    int nButton = IDOK;
    int nOpened = 0;
    std::vector<int> checkedAtOpen;  // 1-based slot checked when the box appeared
};
SlotDialogScript g_script;

BOOL CALLBACK FindSlotDialog(HWND hWnd, LPARAM lParam) {
    char className[16] = "";
    ::GetClassNameA(hWnd, className, sizeof className);
    if (hWnd != g_script.hMain && ::IsWindowVisible(hWnd) && std::string(className) == "#32770" &&
        ::GetDlgItem(hWnd, IDC_SLOT1) != nullptr) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK ActInSlotDialog(HWND, UINT, UINT_PTR, DWORD) {
    HWND hBox = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindSlotDialog, reinterpret_cast<LPARAM>(&hBox));
    if (hBox == nullptr) return;
    ++g_script.nOpened;
    int nChecked = 0;
    for (int i = 0; i < 5; ++i)
        if (::IsDlgButtonChecked(hBox, IDC_SLOT1 + i) == BST_CHECKED) nChecked = nChecked ? -1 : i + 1;
    g_script.checkedAtOpen.push_back(nChecked);
    if (g_script.nClickSlot > 0) ::SendDlgItemMessageA(hBox, IDC_SLOT1 + g_script.nClickSlot - 1, BM_CLICK, 0, 0);
    ::SendDlgItemMessageA(hBox, g_script.nButton, BM_CLICK, 0, 0);
}

class MemorySlotTest : public PlaybackTest {
protected:
    void SetUp() override {
        PlaybackTest::SetUp();
        g_script = SlotDialogScript();
    }
    // Presses "記憶" and lets the timer pick the slot and the button.
    void Memorize(int nClickSlot, int nButton = IDOK) {
        g_script.hMain = m_dlg.m_hWnd;
        g_script.nClickSlot = nClickSlot;
        g_script.nButton = nButton;
        UINT_PTR nTimer = ::SetTimer(nullptr, 0, 20, ActInSlotDialog);
        Click(IDC_MEMORIZE);
        ::KillTimer(nullptr, nTimer);
    }
};

TEST_F(MemorySlotTest, DefaultChoiceSavesToTheFirstSlotAndChangesNothingElse) {
    StartPlaying({"C:\\b.mp3", "C:\\a.mp3"});
    Select(1);
    ClearLog();
    Memorize(0);
    EXPECT_EQ(g_script.checkedAtOpen, std::vector<int>{1});
    EXPECT_EQ(ReadFileBytes("mem1.lst"), "C:\\b.mp3\r\nC:\\a.mp3\r\n");
    EXPECT_EQ(ReadFileBytes("default.lst"), "C:\\b.mp3\r\nC:\\a.mp3\r\n") << "default.lst is not rewritten";
    EXPECT_EQ(Selection(), 1);
    EXPECT_EQ(m_dlg.m_nCurrent, 0);
    EXPECT_TRUE(g_graph.log.empty()) << "playback goes on untouched";
    EXPECT_TRUE(::IsWindowEnabled(m_dlg.m_hWnd)) << "the main window takes input again";
}

TEST_F(MemorySlotTest, SavedOrderComesBackOnRecallAndItsFirstEntryPlays) {
    StartStopped({"C:\\m.mp3", "C:\\b.mp3"});
    m_dlg.m_list.InsertString(-1, "C:\\a.mp3");  // appended out of sorted order
    Memorize(3);
    EXPECT_EQ(ReadFileBytes("mem3.lst"), "C:\\m.mp3\r\nC:\\b.mp3\r\nC:\\a.mp3\r\n");
    Memorize(0);  // a fresh dialog opens on the first slot again
    EXPECT_EQ(g_script.checkedAtOpen, (std::vector<int>{1, 1}));

    SetEntries({"C:\\other.mp3"});
    Click(IDC_PLAY);
    ClearLog();
    Click(IDC_MEM3);
    EXPECT_EQ(Entries(), (Paths{"C:\\m.mp3", "C:\\b.mp3", "C:\\a.mp3"}));
    EXPECT_EQ(Rendered(), Paths{"C:\\m.mp3"});
    EXPECT_EQ(m_dlg.m_nCurrent, 0);
    EXPECT_EQ(g_graph.Calls("Stop ").size() >= 1, true) << "the track that played was stopped";
}

TEST_F(MemorySlotTest, EverySlotHasItsOwnFile) {
    StartStopped({"C:\\x.mp3"});
    const int buttons[] = {IDC_MEM1, IDC_MEM2, IDC_MEM3, IDC_MEM4, IDC_MEM5};
    for (int slot = 1; slot <= 5; ++slot) {
        SetEntries({"C:\\slot" + std::to_string(slot) + ".mp3"});
        Memorize(slot);
    }
    for (int slot = 1; slot <= 5; ++slot) {
        Click(buttons[slot - 1]);
        EXPECT_EQ(Entries(), Paths{"C:\\slot" + std::to_string(slot) + ".mp3"}) << "slot " << slot;
    }
}

TEST_F(MemorySlotTest, RecallOfANeverSavedSlotChangesNothing) {
    StartPlaying({"C:\\a.mp3", "C:\\b.mp3"});
    Click(IDC_NEXT);
    Select(0);
    ClearLog();
    Click(IDC_MEM2);
    EXPECT_EQ(Entries(), (Paths{"C:\\a.mp3", "C:\\b.mp3"}));
    EXPECT_EQ(m_dlg.m_nCurrent, 1);
    EXPECT_EQ(Selection(), 0);
    EXPECT_TRUE(g_graph.log.empty()) << "b.mp3 plays on";
    EXPECT_TRUE(g_messageBoxes.empty());
}

TEST_F(MemorySlotTest, RecallOfASlotThatCannotBeReadIsReportedAndChangesNothing) {
    WriteFileBytes("mem2.lst", "C:\\slot.mp3\r\n");
    StartPlaying({"C:\\a.mp3", "C:\\b.mp3"});
    Click(IDC_NEXT);
    Select(0);
    ClearLog();
    HANDLE hHeld = ::CreateFileA("mem2.lst", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    Click(IDC_MEM2);
    ::CloseHandle(hHeld);
    EXPECT_EQ(Entries(), (Paths{"C:\\a.mp3", "C:\\b.mp3"}));
    EXPECT_EQ(m_dlg.m_nCurrent, 1);
    EXPECT_EQ(Selection(), 0);
    EXPECT_TRUE(g_graph.log.empty()) << "b.mp3 plays on";
    ASSERT_EQ(g_messageBoxes.size(), 1u);
    EXPECT_EQ(g_messageBoxes[0].type, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(g_messageBoxes[0].text.find(m_strDir + "\\mem2.lst: "), 0u) << g_messageBoxes[0].text;
    EXPECT_EQ(ReadFileBytes("mem2.lst"), "C:\\slot.mp3\r\n");
}

TEST_F(MemorySlotTest, EveryByteValueRoundTripsThroughASlot) {
    const std::string file = EveryByteListFile();
    WriteFileBytes("default.lst", file);
    StartWindow();
    Memorize(2);
    EXPECT_EQ(ReadFileBytes("mem2.lst"), file);
    SetEntries({"C:\\other.mp3"});
    Click(IDC_MEM2);
    CloseWindow();
    EXPECT_EQ(ReadFileBytes("default.lst"), file);
}

TEST_F(MemorySlotTest, CancelWritesNothing) {
    WriteFileBytes("mem1.lst", "C:\\kept.mp3\r\n");
    StartStopped({"C:\\a.mp3"});
    Memorize(2, IDCANCEL);
    EXPECT_EQ(g_script.nOpened, 1);
    EXPECT_EQ(ReadFileBytes("mem1.lst"), "C:\\kept.mp3\r\n");
    EXPECT_EQ(ReadFileBytes("mem2.lst"), "<missing>");
}

TEST_F(MemorySlotTest, EmptySavedListRecallsToAnEmptyListAndTheInvalidArgumentBox) {
    StartStopped({});
    Memorize(4);
    EXPECT_EQ(ReadFileBytes("mem4.lst"), "");
    SetEntries({"C:\\a.mp3"});
    Click(IDC_PLAY);
    Click(IDC_MEM4);
    EXPECT_TRUE(Entries().empty());
    ASSERT_EQ(g_messageBoxes.size(), 1u);
    EXPECT_EQ(g_messageBoxes[0].text, AfxFormatSystemMessage(static_cast<DWORD>(E_INVALIDARG)).Str());
    EXPECT_EQ(ControlText(IDC_TIME), "\x92\xe2\x8e\x7e") << "the stop before the recall shows 停止";
}

TEST_F(MemorySlotTest, RecalledListIsWhatQuittingSaves) {
    WriteFileBytes("mem5.lst", "C:\\r1.mp3\r\nC:\\r2.mp3\r\n");
    StartPlaying({"C:\\a.mp3"});
    Click(IDC_MEM5);
    m_dlg.m_list.InsertString(-1, "C:\\later.mp3");
    CloseWindow();
    EXPECT_EQ(ReadFileBytes("default.lst"), "C:\\r1.mp3\r\nC:\\r2.mp3\r\nC:\\later.mp3\r\n");
    EXPECT_EQ(ReadFileBytes("mem5.lst"), "C:\\r1.mp3\r\nC:\\r2.mp3\r\n");
}

}  // namespace
