// The platform's floor of a folder intake, for the anchors: a search that
// gives every match as folder\name in the search's order, and a fill of a
// bare list box, with no conversion, check or sorting of any kind.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

inline void AddMatches(const std::string& pattern, const std::string& folder, std::vector<std::string>& paths) {
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA(pattern.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do paths.push_back(folder + "\\" + fd.cFileName);
    while (::FindNextFileA(h, &fd));
    ::FindClose(h);
}

// Every line into the list box: redraw off, storage reserved, appended in order.
inline void FillBare(HWND hList, const std::vector<std::string>& lines) {
    size_t cb = 0;
    for (const std::string& line : lines) cb += line.size() + 1;
    ::SendMessageA(hList, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(hList, LB_INITSTORAGE, lines.size(), static_cast<LPARAM>(cb));
    for (const std::string& line : lines)
        ::SendMessageA(hList, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(line.c_str()));
    ::SendMessageA(hList, WM_SETREDRAW, TRUE, 0);
}
