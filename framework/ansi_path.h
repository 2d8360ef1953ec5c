// Paths between UTF-16 and the ANSI code page, for a program whose paths are
// 8-bit strings. A path never goes through a best-fit letter ("é" as "e"):
// that would name another file, so a path the code page cannot hold exactly
// is given by its short (8.3) form or not at all.
#pragma once
#include <windows.h>
#include <string>

// The wide text's bytes in the ANSI code page; false when the code page cannot
// hold every character exactly.
bool WideToAnsiExactly(const wchar_t* pwsz, int nUnits, std::string& ansi);
// Text for the screen: characters the code page cannot hold show as '?',
// never as a look-alike letter.
std::string WideToAnsiForDisplay(const wchar_t* pwsz, int nUnits);
inline std::string WideToAnsiForDisplay(const std::wstring& text) {
    return WideToAnsiForDisplay(text.c_str(), static_cast<int>(text.size()));
}
// The 8-bit text as UTF-16; every byte string of the code page converts.
std::wstring AnsiToWide(const char* psz);
// The file's full path as the user should read it: made absolute in UTF-16,
// since the current directory may hold letters the code page does not
// (those show as '?'). The name itself when it cannot be made absolute.
std::string FullPathForDisplay(const char* pszFileName);

// Whether two paths open one and the same file (same volume, same file index).
bool IsSameFile(const wchar_t* pszA, const wchar_t* pszB);

enum class AnsiPathResult {
    kExact,          // the path itself
    kShortName,      // its short form, checked to open the same file
    kNoShortName,    // the code page cannot hold it and it has no usable short form
    kShortNameTaken  // its short form opens another file (short names are not unique everywhere)
};
// An 8-bit path to the same file as the wide path, in ansi when the result is
// kExact or kShortName; ansi is left empty otherwise.
AnsiPathResult AnsiPathFor(const std::wstring& path, std::string& ansi);

// Paths that could not be taken in because no 8-bit path reaches them, by reason.
struct UnreachablePaths {
    int nNoShortName = 0;
    int nShortNameTaken = 0;

    // Counts a failed AnsiPathFor; false (and nothing counted) for a path that was taken.
    bool Count(AnsiPathResult result) {
        if (result == AnsiPathResult::kNoShortName) ++nNoShortName;
        if (result == AnsiPathResult::kShortNameTaken) ++nShortNameTaken;
        return result == AnsiPathResult::kNoShortName || result == AnsiPathResult::kShortNameTaken;
    }
    UnreachablePaths& operator+=(const UnreachablePaths& other) {
        nNoShortName += other.nNoShortName;
        nShortNameTaken += other.nShortNameTaken;
        return *this;
    }
    bool Any() const { return nNoShortName + nShortNameTaken > 0; }
};
