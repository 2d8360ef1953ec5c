// Tracks from the start path, folder searches and real drops.
#include "tests/player/playback_fixture.h"

#include <shlobj.h>

namespace {

using Paths = std::vector<std::string>;

class IntakeTest : public PlaybackTest {
protected:
    void MakeFolder(const std::string& folder, const Paths& files) {
        ::CreateDirectoryA(folder.c_str(), nullptr);
        for (const std::string& f : files) WriteFileBytes((folder + "\\" + f).c_str(), "");
    }
    void RemoveFolder(const std::string& folder) {
        WIN32_FIND_DATAA fd;
        HANDLE h = ::FindFirstFileA((folder + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::string name = fd.cFileName;
                if (name == "." || name == "..") continue;
                std::string path = folder + "\\" + name;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveFolder(path);
                else
                    ::DeleteFileA(path.c_str());
            } while (::FindNextFileA(h, &fd));
            ::FindClose(h);
        }
        ::RemoveDirectoryA(folder.c_str());
    }
    void StartWith(const std::string& startPath) {
        m_dlg.m_strStartPath = startPath.c_str();
        StartWindow();
    }
    void Drop(const Paths& paths) {
        ::SendMessageA(m_dlg.m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    }
    std::string Full(const std::string& relative) { return m_strDir + "\\" + relative; }
    void TearDown() override {
        if (m_dlg.m_hWnd) m_dlg.DestroyWindow();
        for (const char* folder : {"music", "wavs", "live.mp3", "empty"}) RemoveFolder(folder);
        PlaybackTest::TearDown();
    }
};

TEST_F(IntakeTest, FolderGivesSortedFullPathsAndPlaysTheFirstMp3) {
    MakeFolder("music", {"c.wav", "B.mp3", "a.mp3", "notes.txt"});
    MakeFolder("music\\sub", {"deep.mp3"});
    WriteFileBytes("default.lst", "C:\\never-read.mp3\r\n");
    StartWith("music");
    EXPECT_EQ(Entries(), (Paths{Full("music\\a.mp3"), Full("music\\B.mp3"), Full("music\\c.wav")}));
    EXPECT_EQ(Rendered(), Paths{Full("music\\a.mp3")});
}

TEST_F(IntakeTest, WavOnlyFolderIsFollowedByTheDefaultList) {
    MakeFolder("wavs", {"x.wav"});
    WriteFileBytes("default.lst", "C:\\d.mp3\r\n");
    StartWith("wavs");
    EXPECT_EQ(Entries(), (Paths{Full("wavs\\x.wav"), "C:\\d.mp3"}));
    EXPECT_EQ(Rendered(), Paths{Full("wavs\\x.wav")});
}

TEST_F(IntakeTest, WavOnlyFolderWithoutDefaultListDoesNotPlay) {
    MakeFolder("wavs", {"x.wav"});
    StartWith("wavs");
    EXPECT_EQ(Entries(), Paths{Full("wavs\\x.wav")});
    EXPECT_TRUE(Rendered().empty());
}

TEST_F(IntakeTest, AudioFileStartPathIsAddedAsGivenAndPlayed) {
    WriteFileBytes("default.lst", "C:\\never-read.mp3\r\n");
    StartWith("relative\\x.MP3");
    EXPECT_EQ(Entries(), Paths{"relative\\x.MP3"});
    EXPECT_EQ(Rendered(), Paths{"relative\\x.MP3"});
}

TEST_F(IntakeTest, OtherStartPathsFallBackToTheDefaultList) {
    for (const char* start : {"notes.txt", "empty", "no-such-folder"}) {
        MakeFolder("empty", {});
        WriteFileBytes("default.lst", "C:\\d.mp3\r\n");
        StartWith(start);
        EXPECT_EQ(Entries(), Paths{"C:\\d.mp3"}) << start;
        m_dlg.DestroyWindow();
    }
}

TEST_F(IntakeTest, StartPathTooLongForTheSearchPatternAddsNothing) {
    WriteFileBytes("default.lst", "C:\\d.mp3\r\n");
    StartWith("C:\\" + std::string(1100, 'f'));
    EXPECT_EQ(Entries(), Paths{"C:\\d.mp3"});
}

TEST_F(IntakeTest, DroppedFileIsAppendedWithoutPlayingOrMovingTheSelection) {
    StartPlaying({"C:\\b.mp3", "C:\\c.mp3"});
    Select(1);
    Drop({"C:\\a.mp3"});
    EXPECT_EQ(Entries(), (Paths{"C:\\b.mp3", "C:\\c.mp3", "C:\\a.mp3"}));
    EXPECT_EQ(Selection(), 1);
    EXPECT_EQ(Rendered(), Paths{"C:\\b.mp3"});
    EXPECT_EQ(m_dlg.m_nCurrent, 0);
}

TEST_F(IntakeTest, DroppedFolderIsSearchedAndSortedInFrontOfTheSelection) {
    MakeFolder("music", {"b.wav", "a.mp3"});
    StartStopped({"Z:\\zz.mp3"});
    Select(0);
    m_dlg.m_nCurrent = 0;
    Drop({Full("music"), Full("notes.txt")});
    EXPECT_EQ(Entries(), (Paths{Full("music\\a.mp3"), Full("music\\b.wav"), "Z:\\zz.mp3"}));
    EXPECT_EQ(Selection(), 2) << "the selection moves with its entry";
    EXPECT_EQ(m_dlg.m_nCurrent, 0) << "the current index is left as it was";
}

TEST_F(IntakeTest, DroppedFolderNamedLikeAnAudioFileIsOneEntry) {
    MakeFolder("live.mp3", {"inside.mp3"});
    StartStopped({});
    Drop({Full("live.mp3")});
    EXPECT_EQ(Entries(), Paths{Full("live.mp3")});
}

TEST_F(IntakeTest, LongDroppedPathIsReadWhole) {
    StartStopped({});
    std::string longPath = "C:\\" + std::string(1500, 'p') + ".mp3";
    Drop({longPath, "C:\\short.wav"});
    EXPECT_EQ(Entries(), (Paths{longPath, "C:\\short.wav"}));
}

TEST_F(IntakeTest, WideDropArrivesInTheAnsiCodePage) {
    MakeFolder("music", {"a.mp3"});
    StartStopped({});
    const std::string narrowFolder = Full("music");
    std::wstring folder(narrowFolder.begin(), narrowFolder.end());  // ASCII temp path
    HDROP hDrop = MakeWideDrop({L"C:\\\u97f3\u697d.mp3", folder, L"C:\\" + std::wstring(1200, L'w') + L".wav"});
    ::SendMessageA(m_dlg.m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0);
    // 音楽 in Shift_JIS; the folder's match goes in by the sorted add.
    EXPECT_EQ(Entries(), (Paths{Full("music\\a.mp3"), "C:\\\x89\xb9\x8a\x79.mp3",
                                "C:\\" + std::string(1200, 'w') + ".wav"}));
}

TEST_F(IntakeTest, TenThousandDroppedFilesAllArriveInOrder) {
    StartStopped({});
    Paths paths;
    for (int i = 0; i < 10000; ++i) paths.push_back("C:\\t\\" + std::to_string(9999 - i) + ".mp3");
    Drop(paths);
    EXPECT_EQ(Entries(), paths);
}

TEST_F(IntakeTest, EndOfSessionSavesThePlaylist) {
    StartStopped({"C:\\a.mp3", "C:\\b.mp3"});
    ::SendMessageA(m_dlg.m_hWnd, WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(ReadFileBytes("default.lst"), "<missing>") << "a cancelled end changes nothing";
    ::SendMessageA(m_dlg.m_hWnd, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(ReadFileBytes("default.lst"), "C:\\a.mp3\r\nC:\\b.mp3\r\n");
}

}  // namespace
