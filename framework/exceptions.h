// CException and the two kinds the program raises: an invalid argument (a
// playlist index with no entry) and a file error (a list file that could not
// be written). The catch around message handling shows them with ReportError.
#pragma once
#include <windows.h>
#include "framework/afxstr.h"

class CException {
public:
    virtual ~CException() = default;
    // The text shown to the user.
    virtual CString GetErrorMessage() const = 0;
    // Message box with the text, the given icon and the application name as caption.
    int ReportError(UINT nType = MB_OK | MB_ICONSTOP) const;
};

// The platform's text for an HRESULT or Win32 error code, without the trailing line end.
CString AfxFormatSystemMessage(DWORD dwCode);

class CInvalidArgException : public CException {
public:
    CString GetErrorMessage() const override { return AfxFormatSystemMessage(static_cast<DWORD>(E_INVALIDARG)); }
};

class CFileException : public CException {
public:
    CFileException(DWORD dwOsError, const CString& strFileName) : m_lOsError(dwOsError), m_strFileName(strFileName) {}
    CString GetErrorMessage() const override;

    DWORD m_lOsError;
    CString m_strFileName;  // full path of the file concerned
};

[[noreturn]] void AfxThrowInvalidArgException();
// The file error for the named file, named by its full path.
CFileException AfxMakeFileException(DWORD dwOsError, const char* pszFileName);
[[noreturn]] void AfxThrowFileException(DWORD dwOsError, const char* pszFileName);
