#include "framework/exceptions.h"
#include "framework/app.h"

#include <vector>

int CException::ReportError(UINT nType) const {
    return AfxMessageBox(GetErrorMessage(), nType);
}

CString AfxFormatSystemMessage(DWORD dwCode) {
    char* pszText = nullptr;
    DWORD n = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                   FORMAT_MESSAGE_IGNORE_INSERTS,
                               nullptr, dwCode, 0, reinterpret_cast<char*>(&pszText), 0, nullptr);
    CString strText;
    if (n != 0 && pszText != nullptr) {
        while (n > 0 && (pszText[n - 1] == '\r' || pszText[n - 1] == '\n' || pszText[n - 1] == ' '))
            --n;
        strText = CString(pszText, static_cast<int>(n));
    }
    if (pszText != nullptr) ::LocalFree(pszText);
    if (strText.IsEmpty()) {
        char szCode[32];
        wsprintfA(szCode, "0x%08lX", static_cast<unsigned long>(dwCode));
        strText = szCode;
    }
    return strText;
}

CString CFileException::GetErrorMessage() const {
    // "<full file name>: <the platform's text for the error>"
    CString strText = m_strFileName;
    strText += ": ";
    strText += AfxFormatSystemMessage(m_lOsError);
    return strText;
}

void AfxThrowInvalidArgException() { throw CInvalidArgException(); }

CFileException AfxMakeFileException(DWORD dwOsError, const char* pszFileName) {
    // Asked once for the length: the full path may be longer than MAX_PATH.
    DWORD nNeeded = ::GetFullPathNameA(pszFileName, 0, nullptr, nullptr);
    std::vector<char> full(nNeeded > 0 ? nNeeded : 1);
    DWORD n = ::GetFullPathNameA(pszFileName, static_cast<DWORD>(full.size()), full.data(), nullptr);
    return CFileException(dwOsError, (n > 0 && n < full.size()) ? full.data() : pszFileName);
}

void AfxThrowFileException(DWORD dwOsError, const char* pszFileName) {
    throw AfxMakeFileException(dwOsError, pszFileName);
}
