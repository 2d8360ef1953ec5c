#include "framework/exceptions.h"
#include "framework/ansi_path.h"
#include "framework/app.h"

int CException::ReportError(UINT nType) const { return AfxMessageBox(GetErrorMessage(), nType); }

CString AfxFormatSystemMessage(DWORD dwCode) {
    char* pszText = nullptr;
    DWORD n =
        ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, dwCode, 0, reinterpret_cast<char*>(&pszText), 0, nullptr);
    CString strText;
    if (n != 0 && pszText != nullptr) {
        while (n > 0 && (pszText[n - 1] == '\r' || pszText[n - 1] == '\n' || pszText[n - 1] == ' ')) --n;
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
    return CFileException(dwOsError, FullPathForDisplay(pszFileName));
}

void AfxThrowFileException(DWORD dwOsError, const char* pszFileName) {
    throw AfxMakeFileException(dwOsError, pszFileName);
}
