// The command-line record keeps the first argument that is not a switch, as
// an 8-bit path that opens what the argument names.
#include <gtest/gtest.h>

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

}  // namespace
