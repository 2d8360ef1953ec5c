#include "framework/file.h"

BOOL CFile::Open(const char* pszFileName, UINT nOpenFlags, DWORD* pdwError) {
    Abort();
    m_strFileName = pszFileName;
    DWORD dwAccess = (nOpenFlags & modeWrite) ? GENERIC_WRITE : GENERIC_READ;
    DWORD dwCreate = (nOpenFlags & modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
    m_hFile = ::CreateFileA(pszFileName, dwAccess, 0, nullptr, dwCreate, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE) {
        if (pdwError) *pdwError = ::GetLastError();
        return FALSE;
    }
    return TRUE;
}

void CFile::Write(const void* pBuffer, UINT nCount) {
    const char* p = static_cast<const char*>(pBuffer);
    while (nCount > 0) {
        DWORD dwWritten = 0;
        if (!::WriteFile(m_hFile, p, nCount, &dwWritten, nullptr) || dwWritten == 0) {
            DWORD dwError = ::GetLastError();
            AfxThrowFileException(dwError ? dwError : ERROR_WRITE_FAULT, m_strFileName);
        }
        p += dwWritten;
        nCount -= dwWritten;
    }
}

UINT CFile::Read(void* pBuffer, UINT nCount) {
    DWORD dwRead = 0;
    if (!::ReadFile(m_hFile, pBuffer, nCount, &dwRead, nullptr))
        AfxThrowFileException(::GetLastError(), m_strFileName);
    return dwRead;
}

void CFile::Close() {
    if (m_hFile == INVALID_HANDLE_VALUE) return;
    HANDLE h = m_hFile;
    m_hFile = INVALID_HANDLE_VALUE;
    if (!::CloseHandle(h)) AfxThrowFileException(::GetLastError(), m_strFileName);
}

void CFile::Abort() {
    if (m_hFile != INVALID_HANDLE_VALUE) ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

BOOL CStdioFile::ReadString(CString& rString) {
    std::vector<std::string> lines;
    while (m_pending.empty() && !m_bEof) {
        char buffer[64 * 1024];
        DWORD dwRead = 0;
        // A read error ends the data like the end of the file.
        if (!::ReadFile(m_hFile, buffer, sizeof buffer, &dwRead, nullptr) || dwRead == 0) {
            m_splitter.Finish(lines);
            m_bEof = true;
        } else {
            m_splitter.Feed(buffer, dwRead, lines);
            if (m_splitter.EndOfData()) {
                m_splitter.Finish(lines);
                m_bEof = true;
            }
        }
        for (std::string& line : lines) m_pending.push_back(std::move(line));
        lines.clear();
    }
    if (m_pending.empty()) return FALSE;
    rString = CString(m_pending.front());
    m_pending.pop_front();
    return TRUE;
}

BOOL CReplaceFile::Open(const char* pszFileName, UINT /*nOpenFlags*/, DWORD* pdwError) {
    m_bCommitted = false;
    // The temporary file goes in the target's folder so the replace is a rename on one volume.
    char szFull[MAX_PATH * 4];
    char* pszNamePart = nullptr;
    DWORD n = ::GetFullPathNameA(pszFileName, sizeof szFull, szFull, &pszNamePart);
    if (n == 0 || n >= sizeof szFull || pszNamePart == nullptr) {
        if (pdwError) *pdwError = n == 0 ? ::GetLastError() : ERROR_FILENAME_EXCED_RANGE;
        return FALSE;
    }
    *pszNamePart = '\0';
    char szTemp[MAX_PATH * 4 + 16];
    if (!::GetTempFileNameA(szFull, "lst", 0, szTemp)) {
        if (pdwError) *pdwError = ::GetLastError();
        return FALSE;
    }
    if (!CFile::Open(szTemp, modeCreate | modeWrite, pdwError)) {
        ::DeleteFileA(szTemp);
        return FALSE;
    }
    // Errors name the target, the file the user knows.
    m_strTemp = szTemp;
    m_strFileName = pszFileName;
    return TRUE;
}

void CReplaceFile::Commit() {
    if (m_bCommitted || m_hFile == INVALID_HANDLE_VALUE) return;
    m_bCommitted = true;
    const CString& strTemp = m_strTemp;
    if (!::FlushFileBuffers(m_hFile) || !::CloseHandle(m_hFile)) {
        DWORD dwError = ::GetLastError();
        m_hFile = INVALID_HANDLE_VALUE;
        ::DeleteFileA(strTemp);
        AfxThrowFileException(dwError, m_strFileName);
    }
    m_hFile = INVALID_HANDLE_VALUE;
    // A read-only target is refused as opening it for writing would be
    // (Wine's rename would replace it regardless).
    DWORD dwAttributes = ::GetFileAttributesA(m_strFileName);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
        ::DeleteFileA(strTemp);
        AfxThrowFileException(ERROR_ACCESS_DENIED, m_strFileName);
    }
    if (!::MoveFileExA(strTemp, m_strFileName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD dwError = ::GetLastError();
        ::DeleteFileA(strTemp);
        AfxThrowFileException(dwError, m_strFileName);
    }
}

CReplaceFile::~CReplaceFile() {
    // Not committed: the target stays as it was and the temporary file goes.
    if (!m_bCommitted && m_hFile != INVALID_HANDLE_VALUE) {
        Abort();
        ::DeleteFileA(m_strTemp);
    }
}
