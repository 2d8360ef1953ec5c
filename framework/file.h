// CFile (binary, unbuffered) and CReplaceFile (a write that replaces its
// target only once everything was written).
#pragma once
#include <windows.h>
#include <string>
#include "framework/afxstr.h"
#include "framework/exceptions.h"

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeCreate = 0x1000,  // create anew, truncating a file that exists
    };

    CFile() = default;
    virtual ~CFile() { Abort(); }
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opened without sharing. FALSE (and the system's error in pdwError) when it cannot be opened.
    virtual BOOL Open(const char* pszFileName, UINT nOpenFlags, DWORD* pdwError = nullptr);
    // Raise CFileException on failure.
    void Write(const void* pBuffer, UINT nCount);
    UINT Read(void* pBuffer, UINT nCount);
    virtual void Close();
    // Closes without raising anything.
    void Abort();

    const CString& GetFilePath() const { return m_strFileName; }
    ULONGLONG GetLength() const {
        LARGE_INTEGER size;
        return ::GetFileSizeEx(m_hFile, &size) ? static_cast<ULONGLONG>(size.QuadPart) : 0;
    }

    HANDLE m_hFile = INVALID_HANDLE_VALUE;

protected:
    CString m_strFileName;
};

// Writes to a temporary file beside the target (its name plus kTempSuffix);
// Commit replaces the target with it. Until then (and if anything fails) the
// target keeps its old content. A target that is a symbolic link is saved
// through: the file it leads to is replaced, or created where it is missing,
// and the link stays. Paths go to the system in UTF-16 or as the relative name
// given, so no letter of a folder's name is ever changed on the way.
class CReplaceFile : public CFile {
public:
    static constexpr const wchar_t* kTempSuffix = L".tmp";

    // On failure GetFilePath names the file at fault: the target, or the
    // temporary file where that is what stood in the way.
    BOOL Open(const char* pszFileName, UINT nOpenFlags, DWORD* pdwError = nullptr) override;
    // Close, then replace the target. Raises CFileException (naming the target) on failure.
    void Commit();
    void Close() override { Commit(); }
    ~CReplaceFile() override;

private:
    // Creates the temporary file anew; never opens what is already there.
    // 0 or the system's error.
    DWORD CreateTemp();

    std::wstring m_strTemp;
    std::wstring m_strTarget;  // the file that is replaced
    bool m_bCommitted = false;
};
