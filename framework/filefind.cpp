#include "framework/filefind.h"

#include <cstring>
#include <cwchar>
#include <vector>

BOOL CFileFind::FindFile(const char* pszPattern) {
    Close();
    // A pattern longer than the classic path limit finds nothing, wide or not.
    if (std::strlen(pszPattern) >= MAX_PATH) return FALSE;
    std::wstring pattern = AnsiToWide(pszPattern);
    if (pattern.empty()) return FALSE;
    m_hFind = ::FindFirstFileW(pattern.c_str(), &m_next);
    if (m_hFind == INVALID_HANDLE_VALUE) return FALSE;
    m_bHaveNext = true;
    // The folder is made absolute in UTF-16: the current directory may hold
    // letters that the code page does not.
    DWORD nNeeded = ::GetFullPathNameW(pattern.c_str(), 0, nullptr, nullptr);
    std::vector<wchar_t> full(nNeeded > 0 ? nNeeded : 1);
    wchar_t* pszNamePart = nullptr;
    DWORD n = ::GetFullPathNameW(pattern.c_str(), static_cast<DWORD>(full.size()), full.data(), &pszNamePart);
    if (n > 0 && n < full.size() && pszNamePart != nullptr) {
        *pszNamePart = L'\0';
        m_strRoot = full.data();
    } else {
        m_strRoot.clear();
    }
    m_rootResult = AnsiPathFor(m_strRoot, m_strAnsiRoot);
    // A short form leaves out the closing separator of the folder.
    if (!m_strAnsiRoot.empty() && m_strAnsiRoot.back() != '\\') m_strAnsiRoot += '\\';
    return TRUE;
}

BOOL CFileFind::FindNextFile() {
    if (m_hFind == INVALID_HANDLE_VALUE || !m_bHaveNext) return FALSE;
    m_current = m_next;
    m_bHaveNext = ::FindNextFileW(m_hFind, &m_next) != FALSE;
    return m_bHaveNext ? TRUE : FALSE;
}

AnsiPathResult CFileFind::GetFilePath(std::string& path) const {
    path.clear();
    if (m_rootResult != AnsiPathResult::kExact && m_rootResult != AnsiPathResult::kShortName) return m_rootResult;
    const wchar_t* pszName = m_current.cFileName;
    std::string name;
    if (WideToAnsiExactly(pszName, static_cast<int>(std::wcslen(pszName)), name)) {
        path = m_strAnsiRoot + name;
        return m_rootResult;
    }
    const wchar_t* pszShort = m_current.cAlternateFileName;
    if (pszShort[0] == L'\0' || !WideToAnsiExactly(pszShort, static_cast<int>(std::wcslen(pszShort)), name))
        return AnsiPathResult::kNoShortName;
    // Short names need not be unique: this one must lead back to this match.
    if (!IsSameFile((m_strRoot + pszName).c_str(), (m_strRoot + pszShort).c_str()))
        return AnsiPathResult::kShortNameTaken;
    path = m_strAnsiRoot + name;
    return AnsiPathResult::kShortName;
}

void CFileFind::Close() {
    if (m_hFind != INVALID_HANDLE_VALUE) ::FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
    m_bHaveNext = false;
}
