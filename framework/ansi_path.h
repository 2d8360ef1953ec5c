// Wide paths for a program whose paths are 8-bit strings in the ANSI code page.
#pragma once
#include <windows.h>
#include <string>

// The wide text's bytes in the ANSI code page; false when the code page cannot
// hold every character (the bytes would read back as other text).
bool WideToAnsiExactly(const wchar_t* pwsz, int nUnits, std::string& ansi);
// The system's conversion, with its default character where the code page has none.
std::string WideToAnsi(const wchar_t* pwsz, int nUnits);
// An 8-bit path to the same file: the path itself when the code page holds it,
// else its short (8.3) form, which is plain ASCII, and the system's lossy
// conversion only when the file has no short form.
std::string AnsiPathFor(const std::wstring& path);
