// Tracks coming in from the command line, folder searches and drops.
// Folder matches and a single file from the command line go in by the list's
// sorted add; dropped files and list-file lines are appended.
#include "player/lumetto_dlg.h"

#include <vector>

#include "core/audio_file.h"
#include "core/bounded_format.h"
#include "framework/filefind.h"

namespace {

// Adds every match of the pattern with the sorted add; TRUE when there was one.
BOOL AddSearchMatches(CListBox& list, const char* pszFolder, const char* pszFormat) {
    char szPattern[kSearchPatternSize];
    // A folder too long for the pattern buffer is searched for nothing at all.
    if (!FormatSearchPattern(szPattern, pszFormat, pszFolder)) return FALSE;
    CFileFind finder;
    if (!finder.FindFile(szPattern)) return FALSE;
    BOOL bMore = TRUE;
    while (bMore) {
        bMore = finder.FindNextFile();
        list.AddString(finder.GetFilePath());
    }
    return TRUE;
}

}  // namespace

BOOL CLumettoDlg::AddFolderTracks(const char* pszFolder) {
    BOOL bFoundMp3 = AddSearchMatches(m_list, pszFolder, "%s\\*.mp3");
    AddSearchMatches(m_list, pszFolder, "%s\\*.wav");
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
    UINT nCount = ::DragQueryFileA(hDrop, 0xFFFFFFFF, nullptr, 0);
    if (static_cast<int>(nCount) > 0) {
        m_list.SetRedraw(FALSE);
        for (UINT i = 0; i < nCount; ++i) {
            // Asked for its length first, a long path is read whole.
            UINT nLength = ::DragQueryFileA(hDrop, i, nullptr, 0);
            std::vector<char> path(nLength + 1, '\0');
            ::DragQueryFileA(hDrop, i, path.data(), nLength + 1);
            if (IsAudioFile(path.data())) {
                m_list.InsertString(-1, path.data());
            } else {
                AddFolderTracks(path.data());
            }
        }
        m_list.SetRedraw(TRUE);
        ::InvalidateRect(m_list.m_hWnd, nullptr, TRUE);
    }
    ::DragFinish(hDrop);
}
