#include "framework/file.h"

#include <cstring>

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

void CStdioFile::ReadPiece(std::vector<std::string>& lines) {
    char buffer[64 * 1024];
    DWORD dwRead = 0;
    if (!::ReadFile(m_hFile, buffer, sizeof buffer, &dwRead, nullptr)) {
        // A read that fails is no end of the data: the caller must not take
        // what it has for the whole file.
        m_bEof = true;
        AfxThrowFileException(::GetLastError(), m_strFileName);
    }
    if (dwRead == 0) {
        m_splitter.Finish(lines);
        m_bEof = true;
        return;
    }
    m_splitter.Feed(buffer, dwRead, lines);
    if (m_splitter.EndOfData()) {
        m_splitter.Finish(lines);
        m_bEof = true;
    }
}

BOOL CStdioFile::ReadString(CString& rString) {
    std::vector<std::string> lines;
    while (m_pending.empty() && !m_bEof) {
        ReadPiece(lines);
        for (std::string& line : lines) m_pending.push_back(std::move(line));
        lines.clear();
    }
    if (m_pending.empty()) return FALSE;
    rString = CString(m_pending.front());
    m_pending.pop_front();
    return TRUE;
}

void CStdioFile::ReadLines(std::vector<std::string>& lines) {
    for (std::string& line : m_pending) lines.push_back(std::move(line));
    m_pending.clear();
    while (!m_bEof) ReadPiece(lines);
}

namespace {

// The file a save must replace: the target itself, or, where the target is a
// symbolic link, the file it leads to, so that the link stays a link.
CString ResolveSaveTarget(const char* pszFileName) {
    HANDLE h = ::CreateFileA(pszFileName, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return pszFileName;  // not there yet: created as named
    char szFinal[MAX_PATH * 4];
    DWORD n = ::GetFinalPathNameByHandleA(h, szFinal, sizeof szFinal, FILE_NAME_NORMALIZED);
    ::CloseHandle(h);
    if (n == 0 || n >= sizeof szFinal) return pszFileName;
    // "\\?\C:\..." is kept as the plain drive path it stands for.
    const char* psz = szFinal;
    if (std::strncmp(psz, "\\\\?\\", 4) == 0 && psz[5] == ':') psz += 4;
    return psz;
}

}  // namespace

BOOL CReplaceFile::Open(const char* pszFileName, UINT /*nOpenFlags*/, DWORD* pdwError) {
    m_bCommitted = false;
    // One temporary name per target, beside the file that is replaced (so the
    // replace is a rename on one volume): a save cut short leaves at most that
    // one file, which the next save overwrites and renames away.
    m_strTarget = ResolveSaveTarget(pszFileName);
    CString strTemp = m_strTarget + kTempSuffix;
    if (!CFile::Open(strTemp, modeCreate | modeWrite, pdwError)) return FALSE;
    // Errors name the target, the file the user knows.
    m_strTemp = strTemp;
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
    DWORD dwAttributes = ::GetFileAttributesA(m_strTarget);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
        ::DeleteFileA(strTemp);
        AfxThrowFileException(ERROR_ACCESS_DENIED, m_strFileName);
    }
    if (!::MoveFileExA(strTemp, m_strTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
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
