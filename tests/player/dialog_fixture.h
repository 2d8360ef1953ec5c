// Fixture for tests that drive the real main window: a fresh current
// directory per test, and recording hooks for message boxes and icon calls.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "player/lumetto_dlg.h"
#include "tests/framework/temp_dir.h"
#include "tests/tools/drop_files.h"

struct RecordedMessageBox {
    std::string text;
    std::string caption;
    UINT type;
};

struct RecordedIconCall {
    DWORD message;
    NOTIFYICONDATAA record;
};

// The media keys as the window sees them: like the library, one flag and
// the last code, overwritten by a later press.
struct ScriptedKeys {
    std::vector<HWND> hooked;   // every setHook call's window
    size_t graphLogAtHook = 0;  // how much the fake graph had logged at the first setHook
    int flag = 0;
    long long code = 0;
    int collections = 0;  // getKeyCD calls
    void Press(long long vk) {
        code = vk;
        flag = 1;
    }
};

// A list file of lines of every length from 1 to 300 bytes, together holding
// every byte value but the line ends and 0x1A, in every position: most of
// them are no text in any code page.
std::string EveryByteListFile();

// Everything the hooks saw since the current test started.
extern std::vector<RecordedMessageBox> g_messageBoxes;
extern std::vector<RecordedIconCall> g_iconCalls;
extern ScriptedKeys g_keys;

class MainWindowTest : public TempDirTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the window modeless (OnInitDialog runs as in the program).
    void StartWindow();
    // Ends the run as the close box does, then destroys the window.
    void CloseWindow();

    void PumpMessages();
    void Click(int nID);
    void Select(int nIndex);
    int Selection();
    std::vector<std::string> Entries();
    void SetEntries(const std::vector<std::string>& entries);
    std::string ControlText(int nID);

    CLumettoDlg m_dlg;
};
