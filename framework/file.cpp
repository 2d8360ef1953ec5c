#include "framework/file.h"

#include <vector>

#include "framework/ansi_path.h"

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
    if (!::ReadFile(m_hFile, pBuffer, nCount, &dwRead, nullptr)) AfxThrowFileException(::GetLastError(), m_strFileName);
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

namespace {

const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// "\\?\C:\..." as the plain drive path it stands for, "\\?\UNC\..." as "\\...".
std::wstring WithoutLongPathPrefix(const std::wstring& path) {
    if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0) return L"\\\\" + path.substr(8);
    if (path.compare(0, 4, L"\\\\?\\") == 0) return path.substr(4);
    return path;
}

std::wstring FinalPathOf(HANDLE h) {
    DWORD n = ::GetFinalPathNameByHandleW(h, nullptr, 0, FILE_NAME_NORMALIZED);
    if (n == 0) return std::wstring();
    std::vector<wchar_t> path(n + 1, L'\0');
    DWORD nGot = ::GetFinalPathNameByHandleW(h, path.data(), n + 1, FILE_NAME_NORMALIZED);
    return (nGot > 0 && nGot <= n) ? std::wstring(path.data(), nGot) : std::wstring();
}

std::wstring FullPathOf(const std::wstring& name) {
    DWORD n = ::GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (n == 0) return name;
    std::vector<wchar_t> full(n, L'\0');
    DWORD nGot = ::GetFullPathNameW(name.c_str(), n, full.data(), nullptr);
    return (nGot > 0 && nGot < n) ? std::wstring(full.data(), nGot) : name;
}

// The file a save must replace: the name itself, or, where the name is a
// symbolic link, the file it leads to, so that the link stays a link.
std::wstring ResolveSaveTarget(const std::wstring& name) {
    HANDLE h = ::CreateFileW(name.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    bool bCreatedHere = false;
    if (h == INVALID_HANDLE_VALUE) {
        // Anything but a missing file: the save itself meets the reason.
        if (::GetLastError() != ERROR_FILE_NOT_FOUND) return name;
        // The name is free, or a link whose file is missing: opened to
        // create, a link leads to its file, which is made where the link says.
        h = ::CreateFileW(name.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return name;
        bCreatedHere = ::GetLastError() != ERROR_ALREADY_EXISTS;
    }
    // The final path keeps its "\\?\" prefix, which lets it be longer than MAX_PATH.
    std::wstring final = FinalPathOf(h);
    ::CloseHandle(h);
    std::wstring plain = WithoutLongPathPrefix(final);
    std::wstring full = FullPathOf(name);
    if (final.empty() || ::CompareStringOrdinal(plain.c_str(), static_cast<int>(plain.size()), full.c_str(),
                                                static_cast<int>(full.size()), TRUE) == CSTR_EQUAL) {
        // No link: the name is replaced as given (a relative name stays relative).
        if (bCreatedHere) ::DeleteFileW(name.c_str());
        return name;
    }
    return final;
}

// Takes the name away from whatever holds it: a file, a hard link, or a
// symbolic link, whose file stays as it is. A delete is no way to do that:
// Wine's delete of a link deletes the file it leads to. A rename replaces the
// name itself, so a new empty file of our own is renamed over the name and
// then deleted. 0 or the system's error.
DWORD RemoveName(const std::wstring& path) {
    std::wstring standIn;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (unsigned n = 1; n <= 64 && h == INVALID_HANDLE_VALUE; ++n) {
        standIn = path + L"." + std::to_wstring(::GetCurrentProcessId()) + L"." + std::to_wstring(n);
        h = ::CreateFileW(standIn.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) return ::GetLastError();
    }
    if (h == INVALID_HANDLE_VALUE) return ERROR_FILE_EXISTS;
    ::CloseHandle(h);
    if (!::MoveFileExW(standIn.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DWORD dwError = ::GetLastError();
        ::DeleteFileW(standIn.c_str());
        return dwError;
    }
    return ::DeleteFileW(path.c_str()) ? 0 : ::GetLastError();
}

bool IsFolder(const std::wstring& path) {
    DWORD dwAttributes = ::GetFileAttributesW(path.c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

DWORD CReplaceFile::CreateTemp() {
    // Created, never opened: whatever already holds the name (a file left
    // by a save cut short, or a link planted there) is not written through.
    for (int nTry = 0; nTry < 2; ++nTry) {
        m_hFile =
            ::CreateFileW(m_strTemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (m_hFile != INVALID_HANDLE_VALUE) return 0;
        DWORD dwError = ::GetLastError();
        if (IsFolder(m_strTemp)) return ERROR_ALREADY_EXISTS;
        if (dwError != ERROR_FILE_EXISTS && dwError != ERROR_ALREADY_EXISTS) return dwError;
        if (DWORD dwRemoveError = RemoveName(m_strTemp)) return dwRemoveError;
    }
    return ERROR_FILE_EXISTS;
}

BOOL CReplaceFile::Open(const char* pszFileName, UINT /*nOpenFlags*/, DWORD* pdwError) {
    Abort();
    m_bCommitted = false;
    m_strFileName = pszFileName;
    // One temporary name per target, beside the file that is replaced (so the
    // replace is a rename on one volume): a save cut short leaves at most that
    // one file, which the next save clears away.
    const std::wstring name = AnsiToWide(pszFileName);
    m_strTarget = ResolveSaveTarget(name);
    m_strTemp = m_strTarget + kTempSuffix;
    DWORD dwError = CreateTemp();
    if (dwError == 0) return TRUE;
    m_hFile = INVALID_HANDLE_VALUE;
    if (pdwError) *pdwError = dwError;
    // A folder in the temporary file's way is named as what must go.
    if (IsFolder(m_strTemp)) {
        m_strFileName = (m_strTarget == name) ? CString(pszFileName) + ".tmp"
                                              : CString(WideToAnsiForDisplay(WithoutLongPathPrefix(m_strTemp)));
    }
    return FALSE;
}

void CReplaceFile::Commit() {
    if (m_bCommitted || m_hFile == INVALID_HANDLE_VALUE) return;
    m_bCommitted = true;
    if (!::FlushFileBuffers(m_hFile) || !::CloseHandle(m_hFile)) {
        DWORD dwError = ::GetLastError();
        m_hFile = INVALID_HANDLE_VALUE;
        ::DeleteFileW(m_strTemp.c_str());
        AfxThrowFileException(dwError, m_strFileName);
    }
    m_hFile = INVALID_HANDLE_VALUE;
    // A read-only target is refused as opening it for writing would be
    // (Wine's rename would replace it regardless).
    DWORD dwAttributes = ::GetFileAttributesW(m_strTarget.c_str());
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
        ::DeleteFileW(m_strTemp.c_str());
        AfxThrowFileException(ERROR_ACCESS_DENIED, m_strFileName);
    }
    if (!::MoveFileExW(m_strTemp.c_str(), m_strTarget.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD dwError = ::GetLastError();
        ::DeleteFileW(m_strTemp.c_str());
        AfxThrowFileException(dwError, m_strFileName);
    }
}

CReplaceFile::~CReplaceFile() {
    // Not committed: the target stays as it was and the temporary file goes.
    if (!m_bCommitted && m_hFile != INVALID_HANDLE_VALUE) {
        Abort();
        ::DeleteFileW(m_strTemp.c_str());
    }
}
