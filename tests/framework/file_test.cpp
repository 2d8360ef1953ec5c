// The framework's file classes on real files.
#include "tests/framework/temp_dir.h"

#include <algorithm>

#include "framework/file.h"
#include "framework/filefind.h"

namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

class FileClassesTest : public TempDirTest {
protected:
    static Lines SortedFilesHere() {
        Lines names = FilesHere();
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(FileClassesTest, MissingAndLockedFilesDoNotOpen) {
    CFile file;
    DWORD dwError = 0;
    EXPECT_FALSE(file.Open("missing.lst", CFile::modeRead, &dwError));
    EXPECT_EQ(dwError, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    WriteFileBytes("held.lst", "a\r\n");
    HANDLE hHeld = ::CreateFileA("held.lst", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(file.Open("held.lst", CFile::modeRead, &dwError));
    EXPECT_EQ(dwError, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
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

// The temporary name is created, never opened: what already holds it (a
// file left by a save cut short, a hard link to another file) is taken away,
// and no other file is written.
TEST_F(FileClassesTest, ReplaceFileCreatesItsTemporaryFileAnew) {
    ::CreateDirectoryA("elsewhere", nullptr);
    WriteFileBytes("elsewhere\\victim.txt", "not the player's");
    struct Row {
        const char* what;
        void (*plant)();
    };
    const Row rows[] = {
        {"a file left by a save that never ended", [] { WriteFileBytes("t.lst.tmp", "stale"); }},
        {"a hard link to another file", [] { ::CreateHardLinkA("t.lst.tmp", "elsewhere\\victim.txt", nullptr); }},
    };
    for (const Row& row : rows) {
        WriteFileBytes("t.lst", "old");
        row.plant();
        ASSERT_EQ(SortedFilesHere(), (Lines{"elsewhere", "t.lst", "t.lst.tmp"})) << row.what;
        CReplaceFile file;
        ASSERT_TRUE(file.Open("t.lst", CFile::modeCreate | CFile::modeWrite)) << row.what;
        file.Write("new", 3);
        EXPECT_EQ(ReadFileBytes("t.lst.tmp"), "<missing>") << "held open without sharing while written";
        file.Commit();
        EXPECT_EQ(ReadFileBytes("t.lst"), "new") << row.what;
        EXPECT_EQ(SortedFilesHere(), (Lines{"elsewhere", "t.lst"})) << row.what;
        EXPECT_EQ(ReadFileBytes("elsewhere\\victim.txt"), "not the player's") << row.what;
    }
    ::DeleteFileA("elsewhere\\victim.txt");
    ::RemoveDirectoryA("elsewhere");
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
    std::string path;
    while (bMore) {
        bMore = finder.FindNextFile();
        EXPECT_EQ(finder.GetFilePath(path), AnsiPathResult::kExact);
        paths.push_back(path);
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
