// default.lst through the real window: read at start-up, written at exit.
#include "tests/player/dialog_fixture.h"

#include <aclapi.h>

#include <algorithm>

#include "core/list_file_codec.h"
#include "player/product_texts.h"

namespace {

using namespace std::string_literals;
using EntryList = std::vector<std::string>;

TEST_F(MainWindowTest, FirstStartShowsVersionAndAnEmptyList) {
    StartWindow();
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ(ControlText(IDC_STATUS), LUMETTO_VERSION_STRING);
    EXPECT_EQ(ControlText(IDC_TIME), "\x92\xe2\x8e\x7e");  // 停止
    EXPECT_EQ(m_dlg.m_nCurrent, -1);
#if LUMETTO_STOP_REMEMBERS_ENTRY
    EXPECT_EQ(m_dlg.m_nLastPlayed, -1);
#endif
    CloseWindow();
    EXPECT_EQ(ReadFileBytes("default.lst"), "");
}

TEST_F(MainWindowTest, DefaultListRoundTripsByteForByte) {
    const std::string file =
        "C:\\Music\\a.mp3\r\n"
        "\r\n"                                    // an empty entry
        "D:\\\x95\x5C\x83\x5C\\\xB1\xB2.wav\r\n"  // Shift_JIS with 0x5C trail bytes, halfwidth katakana
        "relative\\b.mp3\r\n" +
        std::string(1500, 'L') + "\r\n" +  // read whole, never split
        std::string(1023, 'M') + "\r\n";
    WriteFileBytes("default.lst", file);
    StartWindow();
    EXPECT_EQ(Entries(), (EntryList{"C:\\Music\\a.mp3", "", "D:\\\x95\x5C\x83\x5C\\\xB1\xB2.wav", "relative\\b.mp3",
                                    std::string(1500, 'L'), std::string(1023, 'M')}));
    CloseWindow();
    EXPECT_EQ(ReadFileBytes("default.lst"), file);
    EXPECT_EQ(FilesHere(), EntryList{"default.lst"}) << "no temporary file may be left behind";
}

TEST_F(MainWindowTest, LinesAreReadWholeAcrossTheReadersPieces) {
    // A CR LF pair split across the reader's 64 KiB pieces still reads as one
    // line end, and a line far longer than a piece is one entry.
    const std::string first(64 * 1024 - 1, 'a'), longLine(300000, 'b');
    WriteFileBytes("default.lst", first + "\r\nsecond\r\n" + longLine + "\nz");
    StartWindow();
    EXPECT_EQ(Entries(), (EntryList{first, "second", longLine, "z"}));
}

TEST_F(MainWindowTest, LineEndVariantsAreNormalisedOnSave) {
    WriteFileBytes("default.lst",
                   "a\nb\rc\r\nd\0e\r\nlast\x1A"
                   "ignored\r\n"s);
    StartWindow();
    EXPECT_EQ(Entries(), (EntryList{"a", "b\rc", "d", "last"}));
    CloseWindow();
    EXPECT_EQ(ReadFileBytes("default.lst"), "a\r\nb\rc\r\nd\r\nlast\r\n");
}

TEST_F(MainWindowTest, BinaryGarbageKeepsItsLineStructure) {
    std::string garbage;
    unsigned state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 1103515245u + 12345u;
        char ch = static_cast<char>(state >> 24);
        garbage += ch == '\x1A' ? 'x' : ch;  // keep the whole file in play
    }
    WriteFileBytes("default.lst", garbage);
    StartWindow();
    // Byte sequences that are no Shift_JIS characters stay what they were.
    EntryList entries = SplitListFile(garbage);
    EXPECT_EQ(Entries(), entries);
    CloseWindow();
    std::string expected;
    for (const std::string& entry : entries) AppendListFileLine(expected, entry.data(), entry.size());
    EXPECT_EQ(ReadFileBytes("default.lst"), expected);
}

TEST_F(MainWindowTest, EveryByteValueRoundTripsThroughLoadAndExit) {
    const std::string file = EveryByteListFile();
    WriteFileBytes("default.lst", file);
    StartWindow();
    EXPECT_EQ(Entries(), SplitListFile(file));
    CloseWindow();
    EXPECT_EQ(ReadFileBytes("default.lst"), file);
}

TEST_F(MainWindowTest, EveryByteValueSurvivesEveryEditingCommand) {
    const std::string file = EveryByteListFile();
    EntryList expected = SplitListFile(file);
    WriteFileBytes("default.lst", file);
    StartWindow();
    Select(0);
    Click(IDC_UP);  // the first entry to the bottom
    std::rotate(expected.begin(), expected.begin() + 1, expected.end());
    Select(static_cast<int>(expected.size()) - 1);
    Click(IDC_DOWN);  // ... and back to the top
    std::rotate(expected.rbegin(), expected.rbegin() + 1, expected.rend());
    Select(10);
    Click(IDC_UP);
    std::swap(expected[9], expected[10]);
    Select(20);
    Click(IDC_DOWN);
    std::swap(expected[20], expected[21]);
    Select(150);
    Click(IDC_DELETE);
    expected.erase(expected.begin() + 150);
    EXPECT_EQ(Entries(), expected);
    CloseWindow();
    std::string saved;
    for (const std::string& entry : expected) AppendListFileLine(saved, entry.data(), entry.size());
    EXPECT_EQ(ReadFileBytes("default.lst"), saved);
}

TEST_F(MainWindowTest, HundredThousandEntriesRoundTrip) {
    std::string file;
    for (int i = 0; i < 100000; ++i) file += "C:\\Music\\track" + std::to_string(i) + ".mp3\r\n";
    WriteFileBytes("default.lst", file);
    StartWindow();
    EntryList entries = Entries();
    ASSERT_EQ(entries.size(), 100000u);
    EXPECT_EQ(entries[99999], "C:\\Music\\track99999.mp3");
    CloseWindow();
    EXPECT_EQ(ReadFileBytes("default.lst"), file);
}

TEST_F(MainWindowTest, EditsAreSavedAtExit) {
    WriteFileBytes("default.lst", "C:\\a.mp3\r\nD:\\b.wav\r\nE:\\c.mp3\r\n");
    StartWindow();
    Select(0);
    Click(IDC_DOWN);
    Select(2);
    Click(IDC_DELETE);
    CloseWindow();
    EXPECT_EQ(ReadFileBytes("default.lst"), "D:\\b.wav\r\nC:\\a.mp3\r\n");
}

TEST_F(MainWindowTest, EndOfSessionSavesThePlaylist) {
    StartWindow();
    SetEntries({"C:\\a.mp3", "C:\\b.mp3"});
    ::SendMessageA(m_dlg.m_hWnd, WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(ReadFileBytes("default.lst"), "<missing>") << "a cancelled end changes nothing";
    ::SendMessageA(m_dlg.m_hWnd, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(ReadFileBytes("default.lst"), "C:\\a.mp3\r\nC:\\b.mp3\r\n");
}

// A save that cannot replace default.lst leaves its old content, tells the
// user, and the rest of the shutdown still happens.
class FailedSaveTest : public MainWindowTest {
protected:
    // The message names the file at fault by its full path.
    void ExpectOldContentSurvives(const std::string& strNamed = "default.lst") {
        EXPECT_EQ(ReadFileBytes("default.lst"), m_strOld);
        ASSERT_EQ(g_messageBoxes.size(), 1u);
        EXPECT_EQ(g_messageBoxes[0].type, static_cast<UINT>(MB_OK | MB_ICONSTOP));
        EXPECT_EQ(g_messageBoxes[0].caption, "player_tests");
        EXPECT_EQ(g_messageBoxes[0].text.rfind(m_strDir + "\\" + strNamed + ": ", 0), 0u) << g_messageBoxes[0].text;
        ASSERT_FALSE(g_iconCalls.empty());
        EXPECT_EQ(g_iconCalls.back().message, static_cast<DWORD>(NIM_DELETE));
        EXPECT_EQ(m_dlg.m_hWnd, nullptr);
    }
    const std::string m_strOld = "C:\\old.mp3\r\n";
};

TEST_F(FailedSaveTest, FileHeldOpenByAnotherProgram) {
    WriteFileBytes("default.lst", m_strOld);
    StartWindow();
    SetEntries({"C:\\new.mp3"});
    HANDLE hHeld = ::CreateFileA("default.lst", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    CloseWindow();
    ::CloseHandle(hHeld);
    ExpectOldContentSurvives();
    EXPECT_EQ(FilesHere(), EntryList{"default.lst"});
}

TEST_F(FailedSaveTest, FolderInTheTemporaryName) {
    WriteFileBytes("default.lst", m_strOld);
    ASSERT_TRUE(::CreateDirectoryA("default.lst.tmp", nullptr));
    StartWindow();
    SetEntries({"C:\\new.mp3"});
    CloseWindow();
    ExpectOldContentSurvives("default.lst.tmp");
    ::RemoveDirectoryA("default.lst.tmp");
}

TEST_F(FailedSaveTest, ReadOnlyFile) {
    WriteFileBytes("default.lst", m_strOld);
    ASSERT_TRUE(::SetFileAttributesA("default.lst", FILE_ATTRIBUTE_READONLY));
    StartWindow();
    SetEntries({"C:\\new.mp3"});
    CloseWindow();
    ExpectOldContentSurvives();
    EXPECT_EQ(FilesHere(), EntryList{"default.lst"});
}

// A default.lst that exists but cannot be read: the window starts empty,
// says so, and leaves the file as it is at exit, whatever the user did. A
// playlist changed since start-up is lost with the run, so the exit tells the
// user, unless the Windows session is ending and no box can be shown.
enum class Ending { kUnchanged, kEdited, kEditedThenSessionEnds };

class UnreadableDefaultListTest : public MainWindowTest {
protected:
    void RunAndExpectTheFileKept(const std::string& strWhy, Ending run) {
        StartWindow();
        PumpMessages();  // the report comes once the window is up
        EXPECT_TRUE(Entries().empty());
        ASSERT_EQ(g_messageBoxes.size(), 1u) << strWhy;
        EXPECT_EQ(g_messageBoxes[0].type, static_cast<UINT>(MB_OK | MB_ICONSTOP));
        EXPECT_NE(g_messageBoxes[0].text.find(m_strDir + "\\default.lst: "), std::string::npos)
            << g_messageBoxes[0].text;
        EXPECT_NE(g_messageBoxes[0].text.find(strWhy), std::string::npos) << g_messageBoxes[0].text;
        if (run != Ending::kUnchanged) SetEntries({"C:\\edited.mp3"});
        if (run == Ending::kEditedThenSessionEnds) ::SendMessageA(m_dlg.m_hWnd, WM_ENDSESSION, TRUE, 0);
        CloseWindow();
        if (run != Ending::kEdited) {
            EXPECT_EQ(g_messageBoxes.size(), 1u) << "nothing more to tell";
            return;
        }
        ASSERT_EQ(g_messageBoxes.size(), 2u);
        EXPECT_EQ(g_messageBoxes[1].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_EQ(g_messageBoxes[1].text, LUMETTO_TEXT_PLAYLIST_NOT_SAVED "\n" + m_strDir + "\\default.lst");
    }
    const std::string m_strOld = "C:\\kept.mp3\r\n";
};

TEST_F(UnreadableDefaultListTest, HeldOpenByAnotherProgram) {
    WriteFileBytes("default.lst", m_strOld);
    HANDLE hHeld = ::CreateFileA("default.lst", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    RunAndExpectTheFileKept(AfxFormatSystemMessage(ERROR_SHARING_VIOLATION).Str(), Ending::kEdited);
    ::CloseHandle(hHeld);
    EXPECT_EQ(ReadFileBytes("default.lst"), m_strOld);
    EXPECT_EQ(FilesHere(), EntryList{"default.lst"});
}

class UnreadableFolderTest : public UnreadableDefaultListTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(UnreadableFolderTest, FolderOfThatName) {
    ASSERT_TRUE(::CreateDirectoryA("default.lst", nullptr));
    RunAndExpectTheFileKept(AfxFormatSystemMessage(ERROR_ACCESS_DENIED).Str(), GetParam());
    DWORD dwAttributes = ::GetFileAttributesA("default.lst");
    EXPECT_TRUE(dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    EXPECT_EQ(FilesHere(), EntryList{"default.lst"});
    ::RemoveDirectoryA("default.lst");
}

INSTANTIATE_TEST_SUITE_P(UnchangedOrAtSessionEnd, UnreadableFolderTest,
                         ::testing::Values(Ending::kUnchanged, Ending::kEditedThenSessionEnds));

TEST_F(UnreadableDefaultListTest, ReadDeniedToEveryone) {
    WriteFileBytes("default.lst", m_strOld);
    EXPLICIT_ACCESSA deny = {};
    deny.grfAccessPermissions = GENERIC_READ | FILE_READ_DATA;
    deny.grfAccessMode = DENY_ACCESS;
    deny.grfInheritance = NO_INHERITANCE;
    BuildTrusteeWithNameA(&deny.Trustee, const_cast<char*>("Everyone"));
    PACL pAcl = nullptr;
    ASSERT_EQ(SetEntriesInAclA(1, &deny, nullptr, &pAcl), static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_EQ(SetNamedSecurityInfoA(const_cast<char*>("default.lst"), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                    nullptr, nullptr, pAcl, nullptr),
              static_cast<DWORD>(ERROR_SUCCESS));
    ::LocalFree(pAcl);
    if (ReadFileBytes("default.lst") == m_strOld)
        GTEST_SKIP() << "this account reads the file despite its ACL (Wine run as root)";
    RunAndExpectTheFileKept(AfxFormatSystemMessage(ERROR_ACCESS_DENIED).Str(), Ending::kUnchanged);
    EXPECT_EQ(FilesHere(), EntryList{"default.lst"});
}

}  // namespace
