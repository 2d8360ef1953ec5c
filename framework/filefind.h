// CFileFind: a folder search by pattern, giving each match's full path.
#pragma once
#include <windows.h>
#include <string>
#include "framework/ansi_path.h"

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
    // with the match's name, as an 8-bit path that opens the match: a folder or
    // name the code page cannot hold is given in its short form. Where no such
    // path exists, path is left empty and the result says why.
    AnsiPathResult GetFilePath(std::string& path) const;
    void Close();

private:
    // The search runs on wide names, so names outside the code page are seen as they are.
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW m_next = {};
    WIN32_FIND_DATAW m_current = {};
    bool m_bHaveNext = false;
    std::wstring m_strRoot;     // absolute folder, ending in a separator
    std::string m_strAnsiRoot;  // the same folder as an 8-bit path, when it has one
    AnsiPathResult m_rootResult = AnsiPathResult::kExact;
};
