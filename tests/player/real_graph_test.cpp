// The platform's own filter graph: many track starts leave nothing behind.
#include "tests/player/dialog_fixture.h"

#include <psapi.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// A short 16-bit mono WAV with a tone, written by the test.
std::string ToneWav(double seconds, double hz) {
    const uint32_t rate = 22050;
    const uint32_t frames = static_cast<uint32_t>(seconds * rate);
    std::string pcm;
    for (uint32_t i = 0; i < frames; ++i) {
        int16_t v = static_cast<int16_t>(8000 * std::sin(2 * 3.14159265358979 * hz * i / rate));
        pcm.append(reinterpret_cast<const char*>(&v), 2);
    }
    auto u32 = [](uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [](uint16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); };
    return "RIFF" + u32(36 + static_cast<uint32_t>(pcm.size())) + "WAVEfmt " + u32(16) + u16(1) + u16(1) + u32(rate) +
           u32(rate * 2) + u16(2) + u16(16) + "data" + u32(static_cast<uint32_t>(pcm.size())) + pcm;
}

struct Usage {
    unsigned long handles;  // handles, or under Wine open descriptors plus threads
    size_t memoryKiB;       // private bytes, or under Wine the resident set
};

// Wine reports no handle count or private bytes; there the process is a
// Unix process, and its /proc entry (reachable through drive Z:) tells.
Usage CurrentUsage() {
    Usage u = {0, 0};
    DWORD dwHandles = 0;
    PROCESS_MEMORY_COUNTERS_EX pmc = {};
    pmc.cb = sizeof pmc;
    if (::GetProcessHandleCount(::GetCurrentProcess(), &dwHandles) && dwHandles != 0 &&
        ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc) &&
        pmc.PrivateUsage != 0) {
        u.handles = dwHandles;
        u.memoryKiB = pmc.PrivateUsage / 1024;
        return u;
    }
    std::string status = TempDirTest::ReadFileBytes("Z:\\proc\\self\\status");
    auto field = [&](const char* name) {
        size_t at = status.find(name);
        return at == std::string::npos ? 0ul : std::strtoul(status.c_str() + at + std::strlen(name), nullptr, 10);
    };
    u.memoryKiB = field("VmRSS:");
    u.handles = field("Threads:");
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA("Z:\\proc\\self\\fd\\*", &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do ++u.handles;
        while (::FindNextFileA(h, &fd));
        ::FindClose(h);
    }
    return u;
}

TEST_F(MainWindowTest, ThousandTrackStartsOnTheRealGraphStayFlat) {
    WriteFileBytes("tone.wav", ToneWav(0.5, 440));
    WriteFileBytes("default.lst", m_strDir + "\\tone.wav\r\n" + m_strDir + "\\tone.wav\r\n");
    StartWindow();
    for (int i = 0; i < 100; ++i) Click(IDC_NEXT);
    Usage before = CurrentUsage();
    for (int i = 0; i < 900; ++i) Click(IDC_NEXT);
    Usage after = CurrentUsage();
    std::printf("after 100 starts: handles %lu, memory %zu KiB; after 1000: handles %lu, memory %zu KiB\n",
                before.handles, before.memoryKiB, after.handles, after.memoryKiB);
    ASSERT_NE(before.handles, 0ul) << "no way to measure here";
    // A graph left behind per start would add at least one thread and a
    // decoder's buffers each time: 900 starts would add 900 handles and far
    // beyond 64 MiB. The bounds leave room for the platform's own caches.
    EXPECT_LT(after.handles, before.handles + 200);
    EXPECT_LT(after.memoryKiB, before.memoryKiB + 64 * 1024);
    EXPECT_TRUE(g_messageBoxes.empty());
    Click(IDC_STOP);
}

// A WAV file whose name has no character in the ANSI code page, found by a
// folder intake, plays: the status line shows its title and the time runs.
TEST_F(MainWindowTest, NameOutsideTheCodePagePlaysOnTheRealGraph) {
    ASSERT_TRUE(::CreateDirectoryA("music", nullptr));
    const std::string tone = ToneWav(4, 440);
    HANDLE h = ::CreateFileW(L"music\\\ud55c\uad6d\uc5b4\ub178\ub798.wav", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                             nullptr);  // 한국어노래.wav
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD dwWritten = 0;
    ::WriteFile(h, tone.data(), static_cast<DWORD>(tone.size()), &dwWritten, nullptr);
    ::CloseHandle(h);
    m_dlg.m_strStartPath = "music";
    StartWindow();
    ASSERT_EQ(m_dlg.m_list.GetCount(), 1);
    const std::string entry = m_dlg.m_list.Entry(0);
    Select(0);
    Click(IDC_PLAY);
    ::Sleep(2200);
    ::SendMessageA(m_dlg.m_hWnd, WM_TIMER, 1, 0);
    std::string title = entry.substr(entry.rfind('\\') + 1);
    title.resize(title.size() - 4);
    EXPECT_EQ(ControlText(IDC_STATUS), title) << entry;
    EXPECT_EQ(ControlText(IDC_TIME).substr(0, 4), "00:0");
    EXPECT_NE(ControlText(IDC_TIME), "00:00") << "the time runs";
    EXPECT_TRUE(g_messageBoxes.empty());
    Click(IDC_STOP);
    m_dlg.DestroyWindow();
    ::DeleteFileA(entry.c_str());
    ::RemoveDirectoryA("music");
}

}  // namespace
