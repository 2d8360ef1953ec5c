// The framework's file classes on real files.
#include "tests/player/dialog_fixture.h"

#include <algorithm>

#include "framework/file.h"
#include "framework/filefind.h"

namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

Lines ReadAllLines(const char* pszName) {
    CStdioFile file;
    Lines lines;
    if (!file.Open(pszName, CFile::modeRead | CFile::typeText)) return {"<unopened>"};
    CString s;
    while (file.ReadString(s)) lines.push_back(s.Str());
    return lines;
}

class FileClassesTest : public TempDirTest {};

TEST_F(FileClassesTest, ReadStringAcrossBufferBoundaries) {
    // A CR LF pair split across the reader's 64 KiB chunks still reads as one line end.
    std::string first(64 * 1024 - 1, 'a');
    WriteFileBytes("x.lst", first + "\r\nsecond\r\n");
    EXPECT_EQ(ReadAllLines("x.lst"), (Lines{first, "second"}));
    std::string longLine(300000, 'b');
    WriteFileBytes("y.lst", longLine + "\nz");
    EXPECT_EQ(ReadAllLines("y.lst"), (Lines{longLine, "z"}));
}

TEST_F(FileClassesTest, MissingAndLockedFilesDoNotOpen) {
    EXPECT_EQ(ReadAllLines("missing.lst"), Lines{"<unopened>"});
    WriteFileBytes("held.lst", "a\r\n");
    HANDLE hHeld = ::CreateFileA("held.lst", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(ReadAllLines("held.lst"), Lines{"<unopened>"});
    ::CloseHandle(hHeld);
}

TEST_F(FileClassesTest, ReplaceFileTouchesTargetOnlyOnCommit) {
    WriteFileBytes("t.lst", "old");
    {
        CReplaceFile file;
        ASSERT_TRUE(file.Open("t.lst", CFile::modeCreate | CFile::modeWrite));
        file.Write("new", 3);
        EXPECT_EQ(ReadFileBytes("t.lst"), "old");
        // Abandoned without Commit: the target keeps its content and the temporary goes.
    }
    EXPECT_EQ(ReadFileBytes("t.lst"), "old");
    EXPECT_EQ(FilesHere(), Lines{"t.lst"});
    {
        CReplaceFile file;
        ASSERT_TRUE(file.Open("t.lst", CFile::modeCreate | CFile::modeWrite));
        file.Write("new", 3);
        file.Commit();
    }
    EXPECT_EQ(ReadFileBytes("t.lst"), "new");
    EXPECT_EQ(FilesHere(), Lines{"t.lst"});
}

TEST_F(FileClassesTest, ReplaceFileUsesOneTemporaryNameAndClearsAStaleOne) {
    // A save cut short (the process killed between writing and renaming)
    // leaves the temporary file; the next save takes it over.
    WriteFileBytes("t.lst", "old");
    WriteFileBytes("t.lst.tmp", "left by a save that never ended");
    CReplaceFile file;
    ASSERT_TRUE(file.Open("t.lst", CFile::modeCreate | CFile::modeWrite));
    file.Write("new", 3);
    EXPECT_EQ(ReadFileBytes("t.lst.tmp"), "<missing>") << "held open without sharing while written";
    std::vector<std::string> names = FilesHere();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Lines{"t.lst", "t.lst.tmp"}));
    file.Commit();
    EXPECT_EQ(ReadFileBytes("t.lst"), "new");
    EXPECT_EQ(FilesHere(), Lines{"t.lst"});
}

TEST_F(FileClassesTest, ReplaceFileFailureNamesTheTarget) {
    CReplaceFile file;
    DWORD dwError = 0;
    EXPECT_FALSE(file.Open("no-such-folder\\t.lst", CFile::modeCreate | CFile::modeWrite, &dwError));
    EXPECT_NE(dwError, 0u);

    WriteFileBytes("t.lst", "old");
    CReplaceFile held;
    ASSERT_TRUE(held.Open("t.lst", CFile::modeCreate | CFile::modeWrite));
    held.Write("new", 3);
    HANDLE hHeld = ::CreateFileA("t.lst", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    try {
        held.Commit();
        ADD_FAILURE() << "commit over a file held open should fail";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_strFileName.Str(), m_strDir + "\\t.lst");
    }
    ::CloseHandle(hHeld);
    EXPECT_EQ(ReadFileBytes("t.lst"), "old");
    EXPECT_EQ(FilesHere(), Lines{"t.lst"});
}

TEST_F(FileClassesTest, FolderSearchGivesAbsolutePaths) {
    ::CreateDirectoryA("music", nullptr);
    WriteFileBytes("music\\b.mp3", "");
    WriteFileBytes("music\\a.mp3", "");
    WriteFileBytes("music\\c.wav", "");
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile("music\\*.mp3"));
    Lines paths;
    BOOL bMore = TRUE;
    while (bMore) {
        bMore = finder.FindNextFile();
        paths.push_back(finder.GetFilePath().Str());
    }
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, (Lines{m_strDir + "\\music\\a.mp3", m_strDir + "\\music\\b.mp3"}));
    CFileFind none;
    EXPECT_FALSE(none.FindFile("music\\*.ogg"));
    ::DeleteFileA("music\\a.mp3");
    ::DeleteFileA("music\\b.mp3");
    ::DeleteFileA("music\\c.wav");
    ::RemoveDirectoryA("music");
}

}  // namespace
