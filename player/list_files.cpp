// Reading and writing list files: one entry per line, the entry's bytes
// followed by CR LF, nothing else.
#include <string>
#include <vector>

#include "core/list_file_codec.h"
#include "core/list_file_stream.h"
#include "player/lumetto_dlg.h"
#include "player/product_texts.h"

void CLumettoDlg::SaveListFile(const char* pszFileName) {
    CReplaceFile file;
    DWORD dwError = 0;
    if (!file.Open(pszFileName, CFile::modeCreate | CFile::modeWrite, &dwError))
        AfxThrowFileException(dwError, pszFileName);
    // One write for the whole list: a long playlist costs one system call, not two per entry.
    std::string bytes;
    CString strEntry;
    for (int i = 0; i < m_list.GetCount(); ++i) {
        m_list.GetText(i, strEntry);
        AppendListFileLine(bytes, strEntry, static_cast<size_t>(strEntry.GetLength()));
    }
    if (!bytes.empty()) file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.Commit();
}

BOOL CLumettoDlg::OpenListFile(CStdioFile& file, const char* pszFileName) {
    return file.Open(pszFileName, CFile::modeRead | CFile::typeText);
}

BOOL CLumettoDlg::AppendListFileLines(CStdioFile& file) {
    // A long list would otherwise redraw and grow the control entry by entry.
    m_list.SetRedraw(FALSE);
    m_list.InitStorage(file.GetLength());
    BOOL bReadLine = FALSE;
    CString strLine;
    while (file.ReadString(strLine)) {
        m_list.InsertString(-1, strLine);
        bReadLine = TRUE;
    }
    m_list.SetRedraw(TRUE);
    ::InvalidateRect(m_list.m_hWnd, nullptr, TRUE);
    return bReadLine;
}

#if LUMETTO_STDIO_LIST_READER
BOOL CLumettoDlg::LoadDefaultList() {
    std::vector<std::string> entries;
    if (!ReadListFileStream(LUMETTO_DEFAULT_LIST, entries)) return FALSE;
    m_list.SetRedraw(FALSE);
    for (const std::string& entry : entries) m_list.InsertString(-1, entry.c_str());
    m_list.SetRedraw(TRUE);
    ::InvalidateRect(m_list.m_hWnd, nullptr, TRUE);
    return entries.empty() ? FALSE : TRUE;
}
#else
BOOL CLumettoDlg::LoadDefaultList() {
    CStdioFile file;
    if (!OpenListFile(file, LUMETTO_DEFAULT_LIST)) return FALSE;
    BOOL bLoaded = AppendListFileLines(file);
    file.Abort();
    return bLoaded;
}
#endif
