// Reading and writing list files: one entry per line, the entry's bytes
// followed by CR LF, nothing else. A list file that exists but cannot be
// read is never written over by the default list's save.
#include <string>
#include <utility>
#include <vector>

#include "core/list_file_codec.h"
#include "core/list_file_stream.h"
#include "framework/app.h"
#include "player/lumetto_dlg.h"
#include "player/product_texts.h"

namespace {

bool IsMissingFileError(DWORD dwError) { return dwError == ERROR_FILE_NOT_FOUND || dwError == ERROR_PATH_NOT_FOUND; }

#if LUMETTO_STDIO_LIST_READER
// The C library does not give the platform's reason: a second look at the
// file does. The file still opens now only when something changed in between.
DWORD WhyListFileCannotBeRead(const char* pszFileName) {
    HANDLE h = ::CreateFileA(pszFileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return ::GetLastError();
    ::CloseHandle(h);
    return ERROR_READ_FAULT;
}
#else
// Every line of the open file by the list-file rules, read in large pieces.
// A read that fails raises CFileException: what was read is no whole list.
void ReadListFileLines(CFile& file, std::vector<std::string>& entries) {
    ListFileLineSplitter splitter;
    std::vector<char> piece(64 * 1024);
    UINT nRead;
    while (!splitter.EndOfData() && (nRead = file.Read(piece.data(), static_cast<UINT>(piece.size()))) > 0)
        splitter.Feed(piece.data(), nRead, entries);
    splitter.Finish(entries);
}
#endif

}  // namespace

ListFileRead ReadListFile(const char* pszFileName, std::vector<std::string>& entries, DWORD& dwError) {
    entries.clear();
    dwError = 0;
#if LUMETTO_STDIO_LIST_READER
    if (ReadListFileStream(pszFileName, entries) == ListStreamRead::kRead) return ListFileRead::kRead;
    dwError = WhyListFileCannotBeRead(pszFileName);
#else
    CFile file;
    if (file.Open(pszFileName, CFile::modeRead, &dwError)) {
        try {
            ReadListFileLines(file, entries);
            return ListFileRead::kRead;
        } catch (const CFileException& e) {
            dwError = e.m_lOsError;
            entries.clear();
        }
    }
#endif
    return IsMissingFileError(dwError) ? ListFileRead::kMissing : ListFileRead::kUnreadable;
}

void CLumettoDlg::SaveListFile(const char* pszFileName) {
    CReplaceFile file;
    DWORD dwError = 0;
    if (!file.Open(pszFileName, CFile::modeCreate | CFile::modeWrite, &dwError))
        AfxThrowFileException(dwError, file.GetFilePath());
    // One write for the whole list: a long playlist costs one system call, not two per entry.
    std::string bytes;
    for (const std::string& entry : m_list.Entries()) AppendListFileLine(bytes, entry.data(), entry.size());
    if (!bytes.empty()) file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.Commit();
}

BOOL CLumettoDlg::LoadDefaultList() {
    std::vector<std::string> entries;
    DWORD dwError = 0;
    if (ReadListFile(LUMETTO_DEFAULT_LIST, entries, dwError) == ListFileRead::kUnreadable) {
        // The user's list is still there, only out of reach: it is kept as it
        // is, and the user hears why once the window is up.
        m_bKeepDefaultList = true;
        ::PostMessageA(m_hWnd, WM_LISTFILEERROR, dwError, 0);
        return FALSE;
    }
    BOOL bLoaded = entries.empty() ? FALSE : TRUE;
    m_list.AppendBatch(std::move(entries));
    return bLoaded;
}

LRESULT CLumettoDlg::OnListFileError(WPARAM wParam, LPARAM /*lParam*/) {
    AfxMakeFileException(static_cast<DWORD>(wParam), LUMETTO_DEFAULT_LIST).ReportError(MB_OK | MB_ICONSTOP);
    return 0;
}

void CLumettoDlg::SaveDefaultList() {
    // A default.lst that could not be read at start-up is not replaced by a
    // list that never held its entries. A playlist the user changed is lost
    // with the run, so the user hears of it while a box can still be shown.
    if (m_bKeepDefaultList) {
        if (!m_bSessionEnding && m_list.ChangeCount() != m_nListChangesAtStart) {
            std::string text = LUMETTO_TEXT_PLAYLIST_NOT_SAVED "\n";
            text += FullPathForDisplay(LUMETTO_DEFAULT_LIST);
            AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
        }
        return;
    }
    // A failed save leaves the old default.lst in place; it is reported.
    try {
        SaveListFile(LUMETTO_DEFAULT_LIST);
    } catch (const CException& e) {
        e.ReportError(MB_OK | MB_ICONSTOP);
    }
}

void CLumettoDlg::OnEndSession(BOOL bEnding) {
    // The process ends with the session without the window being destroyed:
    // the playlist is saved now, as it would be at exit.
    if (!bEnding) return;
    m_bSessionEnding = true;
    SaveDefaultList();
}
