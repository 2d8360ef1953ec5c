#include "framework/filefind.h"

BOOL CFileFind::FindFile(const char* pszPattern) {
    Close();
    m_hFind = ::FindFirstFileA(pszPattern, &m_next);
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
    m_bHaveNext = ::FindNextFileA(m_hFind, &m_next) != FALSE;
    return m_bHaveNext ? TRUE : FALSE;
}

CString CFileFind::GetFilePath() const { return m_strRoot + m_current.cFileName; }

void CFileFind::Close() {
    if (m_hFind != INVALID_HANDLE_VALUE) ::FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
    m_bHaveNext = false;
}
