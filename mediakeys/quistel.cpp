// The hook library itself. Its three shared variables live in a section of
// their own that the loader maps once for every process; the hook procedure
// only stores into them, so the keyboard never waits on it.
#define QUISTEL_BUILDING
#include "mediakeys/quistel.h"

#include <string>

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
// the library's one message box.
std::wstring HostProgramName() {
    // The path may be longer than MAX_PATH: the buffer grows until the
    // platform no longer fills it to the end (its sign of a cut path).
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameW(nullptr, &name[0], static_cast<DWORD>(name.size()));
        if (n < name.size()) {
            name.resize(n);
            break;
        }
        if (name.size() >= kLongestPath) return std::wstring();
        name.resize(name.size() * 2);
    }
    size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
    return name;
}

}  // namespace

QUISTEL_API int setHook(HWND /*hWnd*/) {
    g_hHook = ::SetWindowsHookExW(WH_KEYBOARD_LL, HookProc, g_hInstance, 0);
    if (g_hHook == nullptr) {
        ::MessageBoxW(::GetActiveWindow(), L"フック失敗", HostProgramName().c_str(), MB_OK | MB_ICONEXCLAMATION);
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
// to register with on attach or to leave on detach.
BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD /*dwReason*/, LPVOID /*pReserved*/) {
    g_hInstance = hInstance;
    return TRUE;
}
