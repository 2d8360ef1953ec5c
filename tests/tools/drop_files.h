// A drop handle laid out as the shell hands one over: DROPFILES, then the
// paths, each ended by a zero, and one more zero after the last; narrow
// (ANSI code page) or UTF-16 paths. The tests, the benchmarks and the shell
// probe all drop through this one builder.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

template <class Char> HDROP MakeDropFiles(const std::vector<std::basic_string<Char>>& paths) {
    size_t nUnits = 1;
    for (const auto& path : paths) nUnits += path.size() + 1;
    HGLOBAL h = ::GlobalAlloc(GHND | GMEM_SHARE, sizeof(DROPFILES) + nUnits * sizeof(Char));
    if (h == nullptr) return nullptr;
    auto* pDrop = static_cast<DROPFILES*>(::GlobalLock(h));
    pDrop->pFiles = sizeof(DROPFILES);
    pDrop->fWide = sizeof(Char) == sizeof(wchar_t);
    auto* p = reinterpret_cast<Char*>(pDrop + 1);
    for (const auto& path : paths) {
        std::memcpy(p, path.c_str(), (path.size() + 1) * sizeof(Char));
        p += path.size() + 1;
    }
    ::GlobalUnlock(h);
    return static_cast<HDROP>(h);
}

inline HDROP MakeDrop(const std::vector<std::string>& paths) { return MakeDropFiles(paths); }
inline HDROP MakeWideDrop(const std::vector<std::wstring>& paths) { return MakeDropFiles(paths); }
