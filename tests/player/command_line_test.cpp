// The command-line record keeps the first argument that is not a switch.
#include <gtest/gtest.h>

#include "framework/app.h"

namespace {

struct CommandLineCase {
    const wchar_t* commandLine;
    const char* expectedFileName;
};

const CommandLineCase kCases[] = {
    {L"Lumetto.exe", ""},
    {L"Lumetto.exe C:\\Music", "C:\\Music"},
    {L"\"C:\\Program Files\\Lumetto.exe\" \"C:\\My Music\\a b.mp3\" D:\\second.mp3", "C:\\My Music\\a b.mp3"},
    {L"Lumetto.exe /switch C:\\Music", "C:\\Music"},
    {L"Lumetto.exe -x", ""},
    {L"Lumetto.exe -rock.mp3 C:\\real.mp3", "C:\\real.mp3"},
    {L"Lumetto.exe \"\" C:\\after-empty.mp3", "C:\\after-empty.mp3"},
    {L"Lumetto.exe \x8868\x30bd.mp3", "\x95\x5C\x83\x5C.mp3"},  // converted to the ANSI code page
};

TEST(CommandLineTest, FirstNonSwitchArgumentIsTheFileName) {
    for (const CommandLineCase& c : kCases) {
        CCommandLineInfo info;
        AfxParseCommandLine(c.commandLine, info);
        EXPECT_EQ(info.m_strFileName.Str(), c.expectedFileName) << "row: " << c.expectedFileName;
    }
}

}  // namespace
