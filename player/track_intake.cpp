// Tracks coming in from the command line, folder searches and drops.
// Folder matches and a single file from the command line go in by the list's
// sorted add; dropped files and list-file lines are appended.
#include "player/lumetto_dlg.h"

#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <utility>
#include <vector>

#include "core/audio_file.h"
#include "core/drop_list.h"
#include "core/bounded_format.h"
#include "framework/ansi_path.h"
#include "framework/filefind.h"

namespace {

// Every match of the pattern, in the search's order; FALSE when there was none.
BOOL GatherSearchMatches(const char* pszFolder, const char* pszFormat, CPlaylistBox::CSortedBatch& matches) {
    char szPattern[kSearchPatternSize];
    // A folder too long for the pattern buffer is searched for nothing at all.
    if (!FormatSearchPattern(szPattern, pszFormat, pszFolder)) return FALSE;
    CFileFind finder;
    if (!finder.FindFile(szPattern)) return FALSE;
    BOOL bMore = TRUE;
    while (bMore) {
        bMore = finder.FindNextFile();
        matches.Add(finder.GetFilePath().Str());
    }
    return TRUE;
}

// The dropped paths in one pass over the drop's own list; wide paths as
// 8-bit paths that still open their files. Nothing when the handle cannot be
// read that way.
bool ReadDropList(HDROP hDrop, std::vector<std::string>& paths) {
    HGLOBAL hGlobal = reinterpret_cast<HGLOBAL>(hDrop);
    SIZE_T cb = ::GlobalSize(hGlobal);
    const auto* pDrop = static_cast<const DROPFILES*>(::GlobalLock(hGlobal));
    if (pDrop == nullptr) return false;
    bool bRead = cb >= sizeof(DROPFILES) && pDrop->pFiles >= sizeof(DROPFILES) && pDrop->pFiles <= cb;
    if (bRead && !pDrop->fWide) {
        const char* pBytes = reinterpret_cast<const char*>(pDrop);
        for (const DropPathSpan& s : SplitDropPaths(pBytes, cb, pDrop->pFiles))
            paths.emplace_back(pBytes + s.offset, s.length);
    } else if (bRead) {
        const auto* pUnits = reinterpret_cast<const char16_t*>(reinterpret_cast<const char*>(pDrop) + pDrop->pFiles);
        size_t nUnits = (cb - pDrop->pFiles) / sizeof(char16_t);
        for (const DropPathSpan& s : SplitDropPaths(pUnits, nUnits, 0))
            paths.push_back(AnsiPathFor(std::wstring(reinterpret_cast<const wchar_t*>(pUnits + s.offset), s.length)));
    }
    ::GlobalUnlock(hGlobal);
    return bRead;
}

// Every dropped path, read whole however long.
std::vector<std::string> DroppedPaths(HDROP hDrop) {
    std::vector<std::string> paths;
    if (ReadDropList(hDrop, paths)) return paths;
    UINT nCount = ::DragQueryFileA(hDrop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < nCount && static_cast<int>(nCount) > 0; ++i) {
        // Asked for its length first, a long path is read whole.
        UINT nLength = ::DragQueryFileA(hDrop, i, nullptr, 0);
        std::vector<char> path(nLength + 1, '\0');
        ::DragQueryFileA(hDrop, i, path.data(), nLength + 1);
        paths.emplace_back(path.data());
    }
    return paths;
}

}  // namespace

BOOL CLumettoDlg::AddFolderTracks(const char* pszFolder) {
    // Gathered first, then added in one batch, MP3 matches before WAV matches.
    CPlaylistBox::CSortedBatch matches = m_list.BeginSortedBatch();
    BOOL bFoundMp3 = GatherSearchMatches(pszFolder, "%s\\*.mp3", matches);
    GatherSearchMatches(pszFolder, "%s\\*.wav", matches);
    m_list.AddSortedBatch(matches);
    return bFoundMp3;
}

BOOL CLumettoDlg::LoadStartupTracks() {
    if (!m_strStartPath.IsEmpty()) {
        if (IsAudioFile(m_strStartPath)) {
            m_list.AddString(m_strStartPath);
            return TRUE;
        }
        // WAV files alone do not count: the default list follows them.
        if (AddFolderTracks(m_strStartPath)) return TRUE;
    }
    return LoadDefaultList();
}

void CLumettoDlg::OnDropFiles(HDROP hDrop) {
    // Files dropped next to each other are appended together; each folder
    // goes in where it stands in the drop.
    std::vector<std::string> files;
    for (const std::string& path : DroppedPaths(hDrop)) {
        if (IsAudioFile(path.c_str())) {
            files.push_back(path);
            continue;
        }
        m_list.AppendBatch(std::move(files));
        files.clear();
        AddFolderTracks(path.c_str());
    }
    m_list.AppendBatch(std::move(files));
    ::DragFinish(hDrop);
}
