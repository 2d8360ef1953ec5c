// Sort keys of playlist entries. A key is the text the list box shows for an
// entry (its bytes read in the ANSI code page) in the locale's sort order
// without regard to case: two keys compare byte by byte as the control's
// comparison of the two texts does, at a fraction of its cost.
#pragma once
#include <windows.h>

#include <string>

class CSortKeyMaker {
public:
    explicit CSortKeyMaker(LCID lcid) : m_lcid(lcid) {}
    std::string KeyOf(const std::string& entry);

private:
    LCID m_lcid;
    // Kept from one entry to the next: the text and the first try at the key.
    std::wstring m_text;
    std::string m_key;
};
