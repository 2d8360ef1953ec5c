// Main-window tests with the scripted fake graph in place of the platform's.
#pragma once
#include "tests/player/dialog_fixture.h"
#include "tests/player/fake_graph.h"

class PlaybackTest : public MainWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the window on a playlist (written to default.lst, so entry 0 plays at once).
    void StartPlaying(const std::vector<std::string>& entries);
    // Starts the window stopped, with the entries already in the list.
    void StartStopped(const std::vector<std::string>& entries);
    // A timer message as the system delivers it; the window's own timer has id 1.
    void Tick(UINT_PTR nIDEvent = 1);
    // Paths rendered so far, in order.
    std::vector<std::string> Rendered();
    void ClearLog() { g_graph.log.clear(); }
};

// The real window run modally, acting on itself as soon as it exists: what
// the action posts then goes through the real modal loop, in order.
class SelfActingDlg : public CLumettoDlg {
public:
    explicit SelfActingDlg(void (*pfnAct)(HWND)) : m_pfnAct(pfnAct) {}
    BOOL OnInitDialog() override {
        BOOL bResult = CLumettoDlg::OnInitDialog();
        BeforeAct();
        m_pfnAct(m_hWnd);
        return bResult;
    }

protected:
    virtual void BeforeAct() {}

private:
    void (*m_pfnAct)(HWND);
};

// Seconds as media time (100 ns units).
inline LONGLONG Seconds(double s) { return static_cast<LONGLONG>(s * 10000000.0 + 0.5); }
