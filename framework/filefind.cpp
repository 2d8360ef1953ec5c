#include "framework/filefind.h"

#include <cstring>
#include <cwchar>
#include <string>

#include "framework/ansi_path.h"

BOOL CFileFind::FindFile(const char* pszPattern) {
    Close();
    // A pattern longer than the classic path limit finds nothing, wide or not.
    if (std::strlen(pszPattern) >= MAX_PATH) return FALSE;
    int nUnits = ::MultiByteToWideChar(CP_ACP, 0, pszPattern, -1, nullptr, 0);
    if (nUnits <= 0) return FALSE;
    std::wstring pattern(static_cast<size_t>(nUnits), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, pszPattern, -1, &pattern[0], nUnits);
    m_hFind = ::FindFirstFileW(pattern.c_str(), &m_next);
    if (m_hFind == INVALID_HANDLE_VALUE) return FALSE;
    m_bHaveNext = true;
    char szFull[MAX_PATH * 4];
    char* pszNamePart = nullptr;
    DWORD n = ::GetFullPathNameA(pszPattern, sizeof szFull, szFull, &pszNamePart);
    if (n > 0 && n < sizeof szFull && pszNamePart != nullptr) {
        *pszNamePart = '\0';
        m_strRoot = szFull;
    } else {
        m_strRoot.Empty();
    }
    return TRUE;
}

BOOL CFileFind::FindNextFile() {
    if (m_hFind == INVALID_HANDLE_VALUE || !m_bHaveNext) return FALSE;
    m_current = m_next;
    m_bHaveNext = ::FindNextFileW(m_hFind, &m_next) != FALSE;
    return m_bHaveNext ? TRUE : FALSE;
}

CString CFileFind::GetFilePath() const {
    std::string name;
    if (!WideToAnsiExactly(m_current.cFileName, static_cast<int>(std::wcslen(m_current.cFileName)), name)) {
        std::string shortName;
        if (m_current.cAlternateFileName[0] != L'\0' &&
            WideToAnsiExactly(m_current.cAlternateFileName, static_cast<int>(std::wcslen(m_current.cAlternateFileName)),
                              shortName))
            name = shortName;
    }
    return m_strRoot + name.c_str();
}

void CFileFind::Close() {
    if (m_hFind != INVALID_HANDLE_VALUE) ::FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
    m_bHaveNext = false;
}
