// What winprobe and shell_probe (the library inside the player) agree on to
// have a drop built inside the player's process.
#pragma once
#include <windows.h>

#include <string>

const wchar_t kProbeWindowClass[] = L"LumettoProbe";
// COPYDATASTRUCT::dwData of a drop request.
const ULONG_PTR kProbeDropRequest = 0x44524F50;  // "DROP"

// The request: this header, then the UTF-16 paths, each ended by a zero, and one more zero.
struct ProbeDropHeader {
    unsigned long long ullTarget;  // the window that gets WM_DROPFILES
};

inline std::wstring ProbeWindowTitle(DWORD dwProcessId) { return L"LumettoProbe " + std::to_wstring(dwProcessId); }
