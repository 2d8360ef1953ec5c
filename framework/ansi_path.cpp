#include "framework/ansi_path.h"

#include <algorithm>
#include <vector>

std::string WideToAnsi(const wchar_t* pwsz, int nUnits) {
    if (nUnits <= 0) return std::string();
    int n = ::WideCharToMultiByte(CP_ACP, 0, pwsz, nUnits, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) ::WideCharToMultiByte(CP_ACP, 0, pwsz, nUnits, &ansi[0], n, nullptr, nullptr);
    return ansi;
}

bool WideToAnsiExactly(const wchar_t* pwsz, int nUnits, std::string& ansi) {
    // Plain ASCII has the same bytes in every ANSI code page: nothing to convert or check.
    if (nUnits > 0 && std::all_of(pwsz, pwsz + nUnits, [](wchar_t c) { return c < 0x80; })) {
        ansi.resize(static_cast<size_t>(nUnits));
        for (int i = 0; i < nUnits; ++i) ansi[static_cast<size_t>(i)] = static_cast<char>(pwsz[i]);
        return true;
    }
    ansi = WideToAnsi(pwsz, nUnits);
    // Read back: best-fit and default characters both show as a difference.
    int n = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    if (n != nUnits) return nUnits <= 0 && n <= 0;
    std::wstring back(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &back[0], n);
    return back.compare(0, back.size(), pwsz, static_cast<size_t>(nUnits)) == 0;
}

std::string AnsiPathFor(const std::wstring& path) {
    std::string ansi;
    int nUnits = static_cast<int>(path.size());
    if (WideToAnsiExactly(path.c_str(), nUnits, ansi)) return ansi;
    DWORD n = ::GetShortPathNameW(path.c_str(), nullptr, 0);
    if (n > 0) {
        std::vector<wchar_t> shortPath(n + 1, L'\0');
        DWORD nGot = ::GetShortPathNameW(path.c_str(), shortPath.data(), n + 1);
        std::string shortAnsi;
        if (nGot > 0 && nGot <= n && WideToAnsiExactly(shortPath.data(), static_cast<int>(nGot), shortAnsi))
            return shortAnsi;
    }
    return ansi;
}
