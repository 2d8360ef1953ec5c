// CFileFind: a folder search by pattern, giving each match's full path.
#pragma once
#include <windows.h>
#include "framework/afxstr.h"

class CFileFind {
public:
    CFileFind() = default;
    ~CFileFind() { Close(); }
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // Starts a search; FALSE when nothing matches.
    BOOL FindFile(const char* pszPattern);
    // Moves to the next match; call once before reading the first. FALSE when
    // the match it moved to is the last one (which can still be read).
    BOOL FindNextFile();
    // The pattern's folder made absolute against the current directory, joined
    // with the match's name; a name the ANSI code page cannot hold is given in
    // its short form, so the path still opens the file.
    CString GetFilePath() const;
    void Close();

private:
    // The search runs on wide names, so names outside the code page are seen as they are.
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW m_next = {};
    WIN32_FIND_DATAW m_current = {};
    bool m_bHaveNext = false;
    CString m_strRoot;  // absolute folder, ending in a separator
};
