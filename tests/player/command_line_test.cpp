// The command-line record keeps the first argument that is not a switch, as
// an 8-bit path that opens what the argument names.
#include "tests/player/dialog_fixture.h"

#include "framework/ansi_path.h"
#include "framework/app.h"

namespace {

struct CommandLineCase {
    const wchar_t* commandLine;
    const char* expectedFileName;
    const wchar_t* expectedUnreachable;
};

const CommandLineCase kCases[] = {
    {L"Lumetto.exe", "", L""},
    {L"Lumetto.exe C:\\Music", "C:\\Music", L""},
    {L"\"C:\\Program Files\\Lumetto.exe\" \"C:\\My Music\\a b.mp3\" D:\\second.mp3", "C:\\My Music\\a b.mp3", L""},
    {L"Lumetto.exe /switch C:\\Music", "C:\\Music", L""},
    {L"Lumetto.exe -x", "", L""},
    {L"Lumetto.exe -rock.mp3 C:\\real.mp3", "C:\\real.mp3", L""},
    {L"Lumetto.exe \"\" C:\\after-empty.mp3", "C:\\after-empty.mp3", L""},
    {L"Lumetto.exe \x8868\x30bd.mp3", "\x95\x5C\x83\x5C.mp3", L""},  // converted to the ANSI code page
    // Outside the code page and nothing there to give a short name: no
    // look-alike ("o" for "ö"), and no later argument takes its place.
    {L"Lumetto.exe C:\\no-such\\Bj\xf6rk D:\\second.mp3", "", L"C:\\no-such\\Bj\xf6rk"},
    {L"Lumetto.exe C:\\no-such\\\xb178\xb798.mp3", "", L"C:\\no-such\\\xb178\xb798.mp3"},
};

TEST(CommandLineTest, FirstNonSwitchArgumentIsTheFileName) {
    for (const CommandLineCase& c : kCases) {
        CCommandLineInfo info;
        AfxParseCommandLine(c.commandLine, info);
        EXPECT_EQ(info.m_strFileName.Str(), c.expectedFileName) << "row: " << c.expectedFileName;
        EXPECT_EQ(info.m_strUnreachableFileName, c.expectedUnreachable) << "row: " << c.expectedFileName;
    }
}

class StartPathTest : public TempDirTest {};

// A folder whose name the code page cannot hold, beside its look-alike.
TEST_F(StartPathTest, FolderOutsideTheCodePageIsNamedByItsShortForm) {
    ASSERT_TRUE(::CreateDirectoryW(L"Bj\xf6rk", nullptr));
    ASSERT_TRUE(::CreateDirectoryW(L"Bjork", nullptr));
    CCommandLineInfo info;
    AfxParseCommandLine((L"Lumetto.exe " + std::wstring(m_strDir.begin(), m_strDir.end()) + L"\\Bj\xf6rk").c_str(),
                        info);
    std::wstring parsed = AnsiToWide(info.m_strFileName);
    EXPECT_TRUE(IsSameFile(parsed.c_str(), L"Bj\xf6rk")) << info.m_strFileName.Str();
    EXPECT_FALSE(IsSameFile(parsed.c_str(), L"Bjork")) << info.m_strFileName.Str();
    ::RemoveDirectoryW(L"Bj\xf6rk");
    ::RemoveDirectoryW(L"Bjork");
}

}  // namespace
