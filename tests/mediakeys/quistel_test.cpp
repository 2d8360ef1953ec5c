// Quistel under the platform: keys come from SendInput, the hook runs while
// this thread pumps messages, and a second process that loads the library
// reads and clears the same flag and code.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "mediakeys/quistel.h"

namespace {

// Lets the hook see everything injected so far: the platform calls it while
// this thread waits for messages.
void PumpFor(DWORD ms) {
    DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (::GetTickCount() - start < ms);
}

INPUT Key(WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

void Send(std::initializer_list<INPUT> inputs) {
    ASSERT_EQ(::SendInput(static_cast<UINT>(inputs.size()), const_cast<INPUT*>(inputs.begin()), sizeof(INPUT)),
              inputs.size());
    PumpFor(150);
}

// Runs this test program again as a second process that loads Quistel and
// does one thing; its exit code is the result.
DWORD RunSecondProcess(const char* pszAction) {
    char szExe[MAX_PATH];
    ::GetModuleFileNameA(nullptr, szExe, MAX_PATH);
    std::string cmd = std::string("\"") + szExe + "\" --quistel-child=" + pszAction;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 9999;
    // The child's exit is awaited while pumping, so this thread's hook keeps working.
    while (::MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 30000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) PumpFor(0);
    DWORD code = 9999;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return code;
}

int g_nSeenByLaterHook = 0;
HHOOK g_hCounting = nullptr;
LRESULT CALLBACK CountingHook(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HC_ACTION) ++g_nSeenByLaterHook;
    return ::CallNextHookEx(g_hCounting, nCode, wParam, lParam);
}

// In the order given: nothing may have installed a hook or pressed a key
// before the first test.
TEST(QuistelTest, BeforeAnyHookOrKeyEverythingReadsZero) {
    EXPECT_EQ(IsUpdate(), 0);
    EXPECT_EQ(getKeyCD(), 0);
    EXPECT_EQ(unsetHook(), 0) << "no hook to remove yet";
    EXPECT_EQ(RunSecondProcess("read-flag"), 0u) << "the second process sees the same empty flag";
}

TEST(QuistelTest, RecordsKeyDownsOnlyAndPassesEveryEventOn) {
    // A hook installed before Quistel's is called after it: it sees only what Quistel passes on.
    g_hCounting = ::SetWindowsHookExW(WH_KEYBOARD_LL, CountingHook, ::GetModuleHandleW(nullptr), 0);
    ASSERT_NE(g_hCounting, nullptr);
    ASSERT_EQ(setHook(nullptr), 1);

    Send({Key('K', true)});
    EXPECT_EQ(IsUpdate(), 0) << "a key-up is not recorded";
    Send({Key(VK_MENU, false), Key('Q', false), Key('Q', true), Key(VK_MENU, true)});
    EXPECT_EQ(IsUpdate(), 0) << "keys with Alt held arrive as system keys and are not recorded";
    EXPECT_EQ(g_nSeenByLaterHook, 5) << "every event goes on to the next hook";

    Send({Key(VK_MEDIA_NEXT_TRACK, false), Key(VK_MEDIA_NEXT_TRACK, true)});
    EXPECT_EQ(IsUpdate(), 1);
    EXPECT_EQ(getKeyCD(), VK_MEDIA_NEXT_TRACK);
    EXPECT_EQ(IsUpdate(), 0);
    EXPECT_EQ(g_nSeenByLaterHook, 7);
    ::UnhookWindowsHookEx(g_hCounting);
}

TEST(QuistelTest, LastKeyDownWinsAndCollectionClearsOnlyTheFlag) {
    Send({Key(VK_MEDIA_PLAY_PAUSE, false), Key('A', false), Key('A', true), Key(VK_MEDIA_PLAY_PAUSE, true)});
    EXPECT_EQ(IsUpdate(), 1);
    EXPECT_EQ(getKeyCD(), 'A') << "of two key-downs, the second is kept";
    EXPECT_EQ(IsUpdate(), 0);
    EXPECT_EQ(getKeyCD(), 'A') << "a second collection gives the same code";
    EXPECT_EQ(IsUpdate(), 0);
}

TEST(QuistelTest, ProcessesShareTheFlagAndTheCode) {
    Send({Key(VK_MEDIA_STOP, false), Key(VK_MEDIA_STOP, true)});
    ASSERT_EQ(IsUpdate(), 1);
    EXPECT_EQ(RunSecondProcess("collect"), static_cast<DWORD>(VK_MEDIA_STOP)) << "the other process reads the code";
    EXPECT_EQ(IsUpdate(), 0) << "and its collection cleared the flag here";
    EXPECT_EQ(getKeyCD(), VK_MEDIA_STOP);
}

TEST(QuistelTest, KeysPressedInAnotherProcessReachTheSharedFlag) {
    // The second process injects the key; this process's hook records it.
    EXPECT_EQ(RunSecondProcess("press-prev"), 0u);
    PumpFor(150);
    EXPECT_EQ(IsUpdate(), 1);
    EXPECT_EQ(getKeyCD(), VK_MEDIA_PREV_TRACK);
    EXPECT_EQ(unsetHook(), 1) << "the hook of this process comes off";
}

// What the second process does: exit code 0 on success, else the value read.
int SecondProcess(const std::string& action) {
    if (action == "read-flag") return IsUpdate() == 0 && getKeyCD() == 0 ? 0 : 1;
    if (action == "collect") return static_cast<int>(getKeyCD());
    if (action == "press-prev") {
        INPUT in[2] = {Key(VK_MEDIA_PREV_TRACK, false), Key(VK_MEDIA_PREV_TRACK, true)};
        return ::SendInput(2, in, sizeof(INPUT)) == 2 ? 0 : 1;
    }
    return 100;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string childFlag = "--quistel-child=";
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.compare(0, childFlag.size(), childFlag) == 0) return SecondProcess(arg.substr(childFlag.size()));
    }
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::GTEST_FLAG(shuffle) = false;
    return RUN_ALL_TESTS();
}
