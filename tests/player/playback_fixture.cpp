#include "tests/player/playback_fixture.h"

#include "player/media_graph.h"

void PlaybackTest::SetUp() {
    MainWindowTest::SetUp();
    g_graph.Reset();
    SetGraphFactorySeam(CreateFakeGraph);
}

void PlaybackTest::TearDown() {
    MainWindowTest::TearDown();
    SetGraphFactorySeam(nullptr);
}

void PlaybackTest::StartPlaying(const std::vector<std::string>& entries) {
    std::string file;
    for (const std::string& e : entries) file += e + "\r\n";
    WriteFileBytes("default.lst", file);
    StartWindow();
}

void PlaybackTest::StartStopped(const std::vector<std::string>& entries) {
    StartWindow();
    SetEntries(entries);
}

void PlaybackTest::Tick(UINT_PTR nIDEvent) { ::SendMessageA(m_dlg.m_hWnd, WM_TIMER, nIDEvent, 0); }

std::vector<std::string> PlaybackTest::Rendered() {
    std::vector<std::string> paths;
    for (const std::string& line : g_graph.Calls("RenderFile ")) {
        std::string rest = line.substr(11);
        paths.push_back(rest.substr(0, rest.rfind(' ')));
    }
    return paths;
}
