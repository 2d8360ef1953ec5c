#include "framework/ansi_path.h"

#include <algorithm>
#include <vector>

namespace {

bool IsAscii(const wchar_t* pwsz, int nUnits) {
    return std::all_of(pwsz, pwsz + nUnits, [](wchar_t c) { return c < 0x80; });
}

std::string NoBestFit(const wchar_t* pwsz, int nUnits, const char* pszDefault, BOOL* pbUsedDefault) {
    if (nUnits <= 0) return std::string();
    int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, pwsz, nUnits, nullptr, 0, pszDefault, pbUsedDefault);
    std::string ansi(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, pwsz, nUnits, &ansi[0], n, pszDefault, pbUsedDefault);
    return ansi;
}

// The file's identity; false when it cannot be opened.
bool FileIdOf(const wchar_t* pszPath, BY_HANDLE_FILE_INFORMATION& info) {
    // No access asked: only the attributes are read, and folders open too.
    HANDLE h = ::CreateFileW(pszPath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool bRead = ::GetFileInformationByHandle(h, &info) != FALSE;
    ::CloseHandle(h);
    return bRead;
}

}  // namespace

bool WideToAnsiExactly(const wchar_t* pwsz, int nUnits, std::string& ansi) {
    // Plain ASCII has the same bytes in every ANSI code page: nothing to convert or check.
    if (nUnits > 0 && IsAscii(pwsz, nUnits)) {
        ansi.assign(pwsz, pwsz + nUnits);
        return true;
    }
    BOOL bUsedDefault = FALSE;
    ansi = NoBestFit(pwsz, nUnits, nullptr, &bUsedDefault);
    if (bUsedDefault) return false;
    // Read back as well: a conversion that still changed a character shows here.
    int n = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    if (n != nUnits) return nUnits <= 0 && n <= 0;
    std::wstring back(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &back[0], n);
    return back.compare(0, back.size(), pwsz, static_cast<size_t>(nUnits)) == 0;
}

std::string WideToAnsiForDisplay(const wchar_t* pwsz, int nUnits) {
    if (nUnits > 0 && IsAscii(pwsz, nUnits)) return std::string(pwsz, pwsz + nUnits);
    return NoBestFit(pwsz, nUnits, "?", nullptr);
}

std::wstring AnsiToWide(const char* psz) {
    int n = ::MultiByteToWideChar(CP_ACP, 0, psz, -1, nullptr, 0);
    if (n <= 1) return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, psz, -1, &wide[0], n);
    wide.resize(static_cast<size_t>(n - 1));
    return wide;
}

std::string FullPathForDisplay(const char* pszFileName) {
    std::wstring name = AnsiToWide(pszFileName);
    DWORD nNeeded = ::GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    std::vector<wchar_t> full(nNeeded > 0 ? nNeeded : 1);
    DWORD n = ::GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0 || n >= full.size()) return pszFileName;
    return WideToAnsiForDisplay(full.data(), static_cast<int>(n));
}

bool IsSameFile(const wchar_t* pszA, const wchar_t* pszB) {
    BY_HANDLE_FILE_INFORMATION a, b;
    return FileIdOf(pszA, a) && FileIdOf(pszB, b) && a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

AnsiPathResult AnsiPathFor(const std::wstring& path, std::string& ansi) {
    if (WideToAnsiExactly(path.c_str(), static_cast<int>(path.size()), ansi)) return AnsiPathResult::kExact;
    ansi.clear();
    DWORD n = ::GetShortPathNameW(path.c_str(), nullptr, 0);
    if (n == 0) return AnsiPathResult::kNoShortName;
    std::vector<wchar_t> shortPath(n + 1, L'\0');
    DWORD nGot = ::GetShortPathNameW(path.c_str(), shortPath.data(), n + 1);
    std::string shortAnsi;
    if (nGot == 0 || nGot > n || !WideToAnsiExactly(shortPath.data(), static_cast<int>(nGot), shortAnsi))
        return AnsiPathResult::kNoShortName;
    // Short names are made per folder and need not be unique (Wine makes them
    // from a hash of the long name): the short form must lead back to this file.
    if (!IsSameFile(path.c_str(), shortPath.data())) return AnsiPathResult::kShortNameTaken;
    ansi = shortAnsi;
    return AnsiPathResult::kShortName;
}
