// The hook library itself. Its three shared variables live in a section of
// their own that the loader maps once for every process; the hook procedure
// only stores into them, so the keyboard never waits on it.
#define QUISTEL_BUILDING
#include "mediakeys/quistel.h"

#if defined(_MSC_VER)
#pragma data_seg(".share")
#define QUISTEL_SHARED
#elif defined(__GNUC__)
#define QUISTEL_SHARED __attribute__((section(".share"), shared))
#endif

// Kept in this order; the build keeps GCC from reordering them.
int g_update QUISTEL_SHARED = 0;
HHOOK g_hHook QUISTEL_SHARED = nullptr;
LONGLONG g_keyCD QUISTEL_SHARED = 0;

#if defined(_MSC_VER)
#pragma data_seg()
#pragma comment(linker, "/SECTION:.share,RWS")
#endif

HINSTANCE g_hInstance = nullptr;

namespace {

LRESULT CALLBACK HookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HC_ACTION && wParam == WM_KEYDOWN) {
        g_keyCD = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)->vkCode;
        g_update = 1;
    }
    return ::CallNextHookEx(g_hHook, nCode, wParam, lParam);
}

// The longest path the platform handles, in UTF-16 units.
const size_t kLongestPath = 32768;

// The host program's name without folder or extension, as the caption of
// the library's one message box, cut out of the module path in place: the
// library links no C or C++ runtime, so it has no string class to use. The
// buffer holds the longest path the platform makes, so a program in a deep
// folder still gets its own name; it is static because the stack of a
// runtime-free library has no probe for a frame that large.
const wchar_t* HostProgramName() {
    static wchar_t szPath[kLongestPath];
    DWORD n = ::GetModuleFileNameW(nullptr, szPath, kLongestPath);
    if (n >= kLongestPath) n = kLongestPath - 1;
    szPath[n] = L'\0';
    wchar_t* name = szPath;
    wchar_t* dot = nullptr;
    for (wchar_t* p = szPath; *p != L'\0'; ++p) {
        if (*p == L'\\' || *p == L'/') {
            name = p + 1;
            dot = nullptr;
        } else if (*p == L'.') {
            dot = p;
        }
    }
    if (dot != nullptr) *dot = L'\0';
    return name;
}

}  // namespace

QUISTEL_API int setHook(HWND /*hWnd*/) {
    g_hHook = ::SetWindowsHookExW(WH_KEYBOARD_LL, HookProc, g_hInstance, 0);
    if (g_hHook == nullptr) {
        ::MessageBoxW(::GetActiveWindow(), L"フック失敗", HostProgramName(), MB_OK | MB_ICONEXCLAMATION);
    }
    return g_hHook != nullptr ? 1 : 0;
}

QUISTEL_API int unsetHook() { return ::UnhookWindowsHookEx(g_hHook); }

QUISTEL_API LONGLONG getKeyCD() {
    LONGLONG code = g_keyCD;
    g_update = 0;
    return code;
}

QUISTEL_API int IsUpdate() { return g_update; }

// No application framework sits behind this library, so there is nothing
// to register with on attach or to leave on detach. Built with GCC, this is
// the library's entry point itself: no runtime start-up code runs before it.
BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD /*dwReason*/, LPVOID /*pReserved*/) {
    g_hInstance = hInstance;
    return TRUE;
}
