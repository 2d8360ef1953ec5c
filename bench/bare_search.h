// The platform's floor of a folder search, for the anchors: every match of
// the pattern as folder\name, in the search's order, with no conversion,
// check or sorting of any kind.
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
