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
#include "framework/app.h"
#include "framework/filefind.h"
#include "player/product_texts.h"

namespace {

// Every match of the pattern that an 8-bit path reaches, in the search's
// order; the others are counted. FALSE when the search found nothing.
BOOL GatherSearchMatches(const char* pszFolder, const char* pszFormat, std::vector<std::string>& matches,
                         UnreachablePaths& unreachable) {
    char szPattern[kSearchPatternSize];
    // A folder too long for the pattern buffer is searched for nothing at all.
    if (!FormatSearchPattern(szPattern, pszFormat, pszFolder)) return FALSE;
    CFileFind finder;
    if (!finder.FindFile(szPattern)) return FALSE;
    BOOL bMore = TRUE;
    std::string path;
    while (bMore) {
        bMore = finder.FindNextFile();
        if (!unreachable.Count(finder.GetFilePath(path))) matches.push_back(path);
    }
    return TRUE;
}

// The dropped paths in one pass over the drop's own list; wide paths as
// 8-bit paths that still open their files, the others counted. Nothing when
// the handle cannot be read that way.
bool ReadDropList(HDROP hDrop, std::vector<std::string>& paths, UnreachablePaths& unreachable) {
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
        std::string path;
        for (const DropPathSpan& s : SplitDropPaths(pUnits, nUnits, 0)) {
            std::wstring wide(reinterpret_cast<const wchar_t*>(pUnits + s.offset), s.length);
            if (!unreachable.Count(AnsiPathFor(wide, path))) paths.push_back(path);
        }
    }
    ::GlobalUnlock(hGlobal);
    return bRead;
}

// Every dropped path, read whole however long.
std::vector<std::string> DroppedPaths(HDROP hDrop, UnreachablePaths& unreachable) {
    std::vector<std::string> paths;
    if (ReadDropList(hDrop, paths, unreachable)) return paths;
    UINT nCount = ::DragQueryFileW(hDrop, 0xFFFFFFFF, nullptr, 0);
    std::string ansi;
    for (UINT i = 0; i<nCount&& static_cast<int>(nCount)> 0; ++i) {
        // Asked for its length first, a long path is read whole.
        UINT nLength = ::DragQueryFileW(hDrop, i, nullptr, 0);
        std::vector<wchar_t> path(nLength + 1, L'\0');
        ::DragQueryFileW(hDrop, i, path.data(), nLength + 1);
        if (!unreachable.Count(AnsiPathFor(path.data(), ansi))) paths.push_back(ansi);
    }
    return paths;
}

}  // namespace

BOOL CLumettoDlg::AddFolderTracks(const char* pszFolder) {
    // Gathered first, then added in one batch, MP3 matches before WAV matches.
    std::vector<std::string> matches;
    BOOL bFoundMp3 = GatherSearchMatches(pszFolder, "%s\\*.mp3", matches, m_unreachable);
    GatherSearchMatches(pszFolder, "%s\\*.wav", matches, m_unreachable);
    m_list.AddSortedBatch(std::move(matches));
    return bFoundMp3;
}

BOOL CLumettoDlg::LoadStartupTracks() {
    BOOL bLoaded = LoadStartPath() || LoadDefaultList();
    // The user hears of files left out once the window is up.
    if (m_unreachable.Any()) ::PostMessageA(m_hWnd, WM_UNREACHABLEPATHS, 0, 0);
    return bLoaded;
}

BOOL CLumettoDlg::LoadStartPath() {
    if (m_strStartPath.IsEmpty()) return FALSE;
    if (IsAudioFile(m_strStartPath)) {
        m_list.AddString(m_strStartPath);
        return TRUE;
    }
    // WAV files alone do not count: the default list follows them.
    return AddFolderTracks(m_strStartPath);
}

void CLumettoDlg::ReportUnreachablePaths() {
    if (!m_unreachable.Any()) return;
    std::string text =
        std::to_string(m_unreachable.nNoShortName + m_unreachable.nShortNameTaken) + LUMETTO_TEXT_FILES_NOT_ADDED;
    if (m_unreachable.nNoShortName > 0)
        text += "\n" LUMETTO_TEXT_WHY_NO_SHORT_NAME ": " + std::to_string(m_unreachable.nNoShortName);
    if (m_unreachable.nShortNameTaken > 0)
        text += "\n" LUMETTO_TEXT_WHY_SHORT_NAME_TAKEN ": " + std::to_string(m_unreachable.nShortNameTaken);
    m_unreachable = UnreachablePaths();
    AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

LRESULT CLumettoDlg::OnUnreachablePaths(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    ReportUnreachablePaths();
    return 0;
}

void CLumettoDlg::OnDropFiles(HDROP hDrop) {
    // Files dropped next to each other are appended together; each folder
    // goes in where it stands in the drop.
    std::vector<std::string> files;
    for (const std::string& path : DroppedPaths(hDrop, m_unreachable)) {
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
    ReportUnreachablePaths();
}
