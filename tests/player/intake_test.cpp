// Tracks from the start path, folder searches and real drops.
#include "tests/player/playback_fixture.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "framework/ansi_path.h"
#include "framework/filefind.h"
#include "player/product_texts.h"

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
    // A sorted list box of the playlist's kind holding existing, with the
    // second entry selected, then fed the matches of music one at a time,
    // drops times over: where the control's own adds put every entry.
    HWND OneByOneReference(const Paths& existing, int drops) {
        HWND hRef = ::CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_SORT | LBS_HASSTRINGS, 0, 0, 100, 100,
                                      m_dlg.m_hWnd, nullptr, nullptr, nullptr);
        for (const std::string& e : existing)
            ::SendMessageA(hRef, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(e.c_str()));
        ::SendMessageA(hRef, LB_SETCURSEL, 2, 0);
        for (int drop = 0; drop < drops; ++drop) {
            for (const char* pattern : {"music\\*.mp3", "music\\*.wav"}) {
                CFileFind finder;
                BOOL bMore = finder.FindFile(pattern);
                std::string path;
                while (bMore) {
                    bMore = finder.FindNextFile();
                    finder.GetFilePath(path);
                    ::SendMessageA(hRef, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
                }
            }
        }
        return hRef;
    }
    static Paths TextsOf(HWND hList) {
        Paths texts;
        int nCount = static_cast<int>(::SendMessageA(hList, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < nCount; ++i) {
            char sz[1024] = "";
            ::SendMessageA(hList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(sz));
            texts.push_back(sz);
        }
        return texts;
    }
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
    EXPECT_EQ(Entries(),
              (Paths{Full("music\\a.mp3"), "C:\\\x89\xb9\x8a\x79.mp3", "C:\\" + std::string(1200, 'w') + ".wav"}));
}

// A folder's matches go in as one batch; they must land exactly where the
// control's own sorted add, one match after another, puts them: among
// mixed-case and Japanese names, in a list that appended entries have left
// out of order, and with the same folder dropped twice.
TEST_F(IntakeTest, FolderBatchLandsWhereOneByOneSortedAddsWould) {
    const Paths names = {"b.mp3",        "B2.mp3", "a.MP3", "Zed.mp3", "_x.mp3", "10.mp3", "9.mp3",
                         "\x82\xa0.mp3",  // あ
                         "\x83\x41.mp3",  // ア
                         "\xb1.mp3",      // halfwidth ｱ
                         "\x89\xb9.mp3",  // 音
                         "\x82\x60.mp3",  // fullwidth Ａ
                         "c.wav",        "A.wav"};
    MakeFolder("music", names);
    const Paths existing = {"C:\\z.mp3", Full("music\\B.mp3"), "C:\\a.mp3", Full("music\\\x82\xa0.mp3")};
    StartStopped(existing);
    Select(2);

    HWND hRef = OneByOneReference(existing, 2);
    for (int drop = 0; drop < 2; ++drop) Drop({Full("music")});
    Paths expected = TextsOf(hRef);
    EXPECT_EQ(expected.size(), existing.size() + 2 * names.size());
    EXPECT_EQ(Entries(), expected);
    EXPECT_EQ(Selection(), static_cast<int>(::SendMessageA(hRef, LB_GETCURSEL, 0, 0)));
    ::DestroyWindow(hRef);
}

// A large folder's keys are made while the search still runs, piece by
// piece: every piece must come back, in order, behind the existing entries.
TEST_F(IntakeTest, LargeFolderBatchLandsWhereOneByOneSortedAddsWould) {
    Paths names;
    for (int i = 0; i < 1500; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, i % 2 ? "%04d track.mp3" : "%04d Track.wav", (i * 7919) % 1500);
        names.push_back(name);
    }
    MakeFolder("music", names);
    const Paths existing = {"C:\\z.mp3", Full("music\\0700 track.mp3"), "C:\\a.mp3"};
    StartStopped(existing);
    Select(2);
    HWND hRef = OneByOneReference(existing, 1);
    Drop({Full("music")});
    Paths expected = TextsOf(hRef);
    EXPECT_EQ(expected.size(), existing.size() + names.size());
    EXPECT_EQ(Entries(), expected);
    EXPECT_EQ(Selection(), static_cast<int>(::SendMessageA(hRef, LB_GETCURSEL, 0, 0)));
    ::DestroyWindow(hRef);
}

// 한국어노래.wav: no character of the name is in code page 932.
const wchar_t kKoreanName[] = L"\ud55c\uad6d\uc5b4\ub178\ub798.wav";

class OutsideCodePageTest : public IntakeTest {
protected:
    void SetUp() override {
        IntakeTest::SetUp();
        MakeFolder("music", {});
        std::wstring path = L"music\\" + std::wstring(kKoreanName);
        HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        ::CloseHandle(h);
    }
    // The one entry names the file in 8-bit ASCII, opens it, and plays under its title.
    void ExpectTheEntryPlays() {
        Paths entries = Entries();
        ASSERT_EQ(entries.size(), 1u);
        const std::string& entry = entries[0];
        EXPECT_EQ(entry.find('?'), std::string::npos) << entry;
        EXPECT_TRUE(std::all_of(entry.begin(), entry.end(), [](char c) { return (c & 0x80) == 0; })) << entry;
        EXPECT_NE(::GetFileAttributesA(entry.c_str()), INVALID_FILE_ATTRIBUTES) << entry;
        g_graph.stop = Seconds(300);
        Select(0);
        Click(IDC_PLAY);
        EXPECT_EQ(Rendered(), Paths{entry});
        g_graph.current = Seconds(2);
        Tick();
        std::string title = entry.substr(entry.rfind('\\') + 1);
        title.resize(title.size() - 4);
        EXPECT_EQ(ControlText(IDC_STATUS), title);
        EXPECT_EQ(ControlText(IDC_TIME), "00:02");
    }
};

TEST_F(OutsideCodePageTest, FolderIntakeGivesTheShortName) {
    StartWith("music");
    ExpectTheEntryPlays();
}

TEST_F(OutsideCodePageTest, WideDropGivesTheShortName) {
    StartStopped({});
    HDROP hDrop = MakeWideDrop({std::wstring(m_strDir.begin(), m_strDir.end()) + L"\\music\\" + kKoreanName});
    ::SendMessageA(m_dlg.m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0);
    ExpectTheEntryPlays();
}

// Short names need not be unique: Wine makes them from a hash of the long
// name. Two files that share one must not become the same entry twice, and
// files no 8-bit path reaches are left out and counted in one message.
class SharedShortNameTest : public IntakeTest {
protected:
    void SetUp() override {
        IntakeTest::SetUp();
        MakeFolder("music", {});
        std::map<std::wstring, std::wstring> byShortName;
        std::vector<std::wstring> made;
        unsigned state = 1;
        auto syllable = [&state] {
            state = state * 1103515245u + 12345u;
            return static_cast<wchar_t>(0xAC00 + (state >> 8) % 11172);
        };
        // Random names: by the birthday rule two share one of the 32768 hashes after a few hundred.
        for (int i = 0; i < 3000 && m_strSecond.empty(); ++i) {
            std::wstring path = L"music\\" + std::wstring{syllable(), syllable(), syllable()} + L".mp3";
            ::CloseHandle(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
            made.push_back(path);
            WIN32_FIND_DATAW fd;
            HANDLE h = ::FindFirstFileW(path.c_str(), &fd);
            ASSERT_NE(h, INVALID_HANDLE_VALUE);
            ::FindClose(h);
            auto placed = byShortName.emplace(fd.cAlternateFileName, path);
            if (!placed.second) {
                m_strFirst = placed.first->second;
                m_strSecond = path;
            }
        }
        for (const std::wstring& path : made)
            if (path != m_strFirst && path != m_strSecond) ::DeleteFileW(path.c_str());
        if (m_strSecond.empty()) GTEST_SKIP() << "short names are unique on this file system";
    }
    void TearDown() override {
        ::DeleteFileW(m_strFirst.c_str());
        ::DeleteFileW(m_strSecond.c_str());
        IntakeTest::TearDown();
    }
    // Every entry opens the one of the two files that can be reached.
    void ExpectEntriesOpenOneFile(size_t nEntries) {
        Paths entries = Entries();
        ASSERT_EQ(entries.size(), nEntries);
        std::wstring first = AnsiToWide(entries[0].c_str());
        EXPECT_NE(IsSameFile(first.c_str(), m_strFirst.c_str()), IsSameFile(first.c_str(), m_strSecond.c_str()));
        for (const std::string& entry : entries)
            EXPECT_TRUE(IsSameFile(AnsiToWide(entry.c_str()).c_str(), first.c_str()));
    }
    std::wstring Wide(const std::string& relative) {
        std::string full = Full(relative);
        return std::wstring(full.begin(), full.end());  // the test folder's path is ASCII
    }
    std::wstring m_strFirst, m_strSecond;
};

TEST_F(SharedShortNameTest, DropTakesOnlyTheFileTheShortNameOpens) {
    StartStopped({});
    const std::wstring missing = L"C:\\\ub178\ub798\\\uc5c6\uc74c.mp3";  // no such file: no short name
    HDROP hDrop = MakeWideDrop({Wide("music"), missing, Wide("") + m_strFirst, Wide("") + m_strSecond});
    ::SendMessageA(m_dlg.m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0);
    ExpectEntriesOpenOneFile(2);  // one from the folder, one of the two files dropped alone
    ASSERT_EQ(g_messageBoxes.size(), 1u) << "told once for the whole drop";
    EXPECT_EQ(g_messageBoxes[0].text, "3" LUMETTO_TEXT_FILES_NOT_ADDED "\n" LUMETTO_TEXT_WHY_NO_SHORT_NAME
                                      ": 1\n" LUMETTO_TEXT_WHY_SHORT_NAME_TAKEN ": 2");
    EXPECT_EQ(g_messageBoxes[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

TEST_F(SharedShortNameTest, StartPathFolderTellsOnceTheWindowIsUp) {
    StartWith("music");
    EXPECT_TRUE(g_messageBoxes.empty());
    PumpMessages();
    ExpectEntriesOpenOneFile(1);
    ASSERT_EQ(g_messageBoxes.size(), 1u);
    EXPECT_EQ(g_messageBoxes[0].text, "1" LUMETTO_TEXT_FILES_NOT_ADDED "\n" LUMETTO_TEXT_WHY_SHORT_NAME_TAKEN ": 1");
}

TEST_F(IntakeTest, TenThousandDroppedFilesAllArriveInOrder) {
    StartStopped({});
    Paths paths;
    for (int i = 0; i < 10000; ++i) paths.push_back("C:\\t\\" + std::to_string(9999 - i) + ".mp3");
    Drop(paths);
    EXPECT_EQ(Entries(), paths);
}

}  // namespace
