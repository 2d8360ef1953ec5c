// winprobe: looks at another process's windows for the end-to-end tests
// and the start-up figures; also answers whether the platform replaces a
// read-only file, which those tests need to know.
//
// Arguments arrive as UTF-16 (Wine converts them from the UTF-8 command line);
// every text is printed on stdout as UTF-8, one item per line. Exit code 0 on
// success, 1 when the window, control or entry is not there, 2 on bad usage.
//
// Texts are always asked for in UTF-16: the ANSI forms of WM_GETTEXT and
// LB_GETTEXT are not converted reliably between processes.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "tests/tools/probe_protocol.h"

namespace {

const int kFound = 0;
const int kNotFound = 1;
const int kUsage = 2;

void WriteOut(const std::string& text) {
    DWORD dwWritten = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &dwWritten, nullptr);
}

// UTF-16 to the given code page; unmappable characters become the code page's default character.
std::string Narrow(const std::wstring& text, UINT nCodePage) {
    if (text.empty()) return std::string();
    int cb =
        ::WideCharToMultiByte(nCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(cb), '\0');
    ::WideCharToMultiByte(nCodePage, 0, text.data(), static_cast<int>(text.size()), &bytes[0], cb, nullptr, nullptr);
    return bytes;
}

std::string Hex(const std::string& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += kDigits[c >> 4];
        out += kDigits[c & 15];
    }
    return out;
}

std::string HandleText(HWND hWnd) {
    char sz[32];
    std::snprintf(sz, sizeof sz, "0x%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hWnd)));
    return sz;
}

// Accepts what HandleText prints (or plain hex digits); nullptr when it is not a window.
HWND ParseWindow(const wchar_t* psz) {
    HWND hWnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::wcstoull(psz, nullptr, 16)));
    return ::IsWindow(hWnd) ? hWnd : nullptr;
}

int ParseInt(const wchar_t* psz) { return static_cast<int>(std::wcstol(psz, nullptr, 10)); }

std::wstring WindowText(HWND hWnd) {
    int cch = ::GetWindowTextLengthW(hWnd);
    std::wstring text(static_cast<size_t>(cch) + 1, L'\0');
    cch = ::GetWindowTextW(hWnd, &text[0], cch + 1);
    text.resize(cch > 0 ? static_cast<size_t>(cch) : 0);
    return text;
}

// A top-level window with this caption (and class, when given) that is visible:
// the dialog manager shows a dialog only after its initialisation has run.
HWND FindVisibleWindow(const wchar_t* pszClass, const wchar_t* pszCaption) {
    HWND hWnd = nullptr;
    while ((hWnd = ::FindWindowExW(nullptr, hWnd, pszClass, pszCaption)) != nullptr) {
        if (::IsWindowVisible(hWnd)) return hWnd;
    }
    return nullptr;
}

ULONGLONG FileTimeMs(const FILETIME& ft) {
    ULARGE_INTEGER u;
    u.LowPart = ft.dwLowDateTime;
    u.HighPart = ft.dwHighDateTime;
    return u.QuadPart / 10000;
}

ULONGLONG NowMs() {
    FILETIME ft;
    ::GetSystemTimeAsFileTime(&ft);
    return FileTimeMs(ft);
}

// Process of a window, opened for waiting and for its times; nullptr when refused.
HANDLE OpenWindowProcess(HWND hWnd) {
    DWORD dwPid = 0;
    ::GetWindowThreadProcessId(hWnd, &dwPid);
    return ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, dwPid);
}

struct CountRequest {
    const wchar_t* pszCaption;
    int nCount;
};

BOOL CALLBACK CountWithCaption(HWND hWnd, LPARAM lParam) {
    CountRequest* pRequest = reinterpret_cast<CountRequest*>(lParam);
    if (WindowText(hWnd) == pRequest->pszCaption) ++pRequest->nCount;
    return TRUE;
}

// wait-window CAPTION TIMEOUT_MS [CLASS]
int WaitWindow(const wchar_t* pszCaption, int nTimeoutMs, const wchar_t* pszClass) {
    ULONGLONG ullEnd = ::GetTickCount64() + static_cast<ULONGLONG>(nTimeoutMs);
    for (;;) {
        if (HWND hWnd = FindVisibleWindow(pszClass, pszCaption)) {
            WriteOut(HandleText(hWnd) + "\n");
            return kFound;
        }
        if (::GetTickCount64() >= ullEnd) return kNotFound;
        ::Sleep(10);
    }
}

// time-to-window CAPTION TIMEOUT_MS: waits like wait-window, polling tightly,
// and prints the window, the milliseconds from the creation of its process to
// the moment the window was first seen visible, and that moment as Unix time
// in milliseconds (to compare with the launcher's clock).
int TimeToWindow(const wchar_t* pszCaption, int nTimeoutMs) {
    ULONGLONG ullEnd = ::GetTickCount64() + static_cast<ULONGLONG>(nTimeoutMs);
    HWND hWnd = nullptr;
    while ((hWnd = FindVisibleWindow(nullptr, pszCaption)) == nullptr) {
        if (::GetTickCount64() >= ullEnd) return kNotFound;
        ::Sleep(1);
    }
    ULONGLONG ullSeen = NowMs();
    HANDLE hProcess = OpenWindowProcess(hWnd);
    FILETIME ftCreation, ftExit, ftKernel, ftUser;
    if (!hProcess || !::GetProcessTimes(hProcess, &ftCreation, &ftExit, &ftKernel, &ftUser)) return kNotFound;
    ::CloseHandle(hProcess);
    const ULONGLONG kUnixEpochMs = 11644473600000ULL;  // 1970-01-01 counted from 1601-01-01
    WriteOut(HandleText(hWnd) + " " + std::to_string(ullSeen - FileTimeMs(ftCreation)) + " " +
             std::to_string(ullSeen - kUnixEpochMs) + "\n");
    return kFound;
}

// close-wait HWND TIMEOUT_MS: posts WM_CLOSE and prints the milliseconds until
// the window's process has ended.
int CloseWait(HWND hWnd, int nTimeoutMs) {
    HANDLE hProcess = OpenWindowProcess(hWnd);
    if (!hProcess) return kNotFound;
    ULONGLONG ullStart = ::GetTickCount64();
    ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    DWORD dwWait = ::WaitForSingleObject(hProcess, static_cast<DWORD>(nTimeoutMs));
    ULONGLONG ullElapsed = ::GetTickCount64() - ullStart;
    ::CloseHandle(hProcess);
    if (dwWait != WAIT_OBJECT_0) return kNotFound;
    WriteOut(std::to_string(ullElapsed) + "\n");
    return kFound;
}

// list / list-hex HWND CTRLID: every entry of a list box, as UTF-8 or as the
// hex of its code page 932 bytes.
int ListEntries(HWND hList, bool bHex) {
    LRESULT nCount = ::SendMessageW(hList, LB_GETCOUNT, 0, 0);
    if (nCount == LB_ERR) return kNotFound;
    std::string out;
    for (LRESULT i = 0; i < nCount; ++i) {
        LRESULT cch = ::SendMessageW(hList, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        if (cch == LB_ERR) return kNotFound;
        std::wstring text(static_cast<size_t>(cch) + 1, L'\0');
        cch = ::SendMessageW(hList, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
        if (cch == LB_ERR) return kNotFound;
        text.resize(static_cast<size_t>(cch));
        out += bHex ? Hex(Narrow(text, 932)) : Narrow(text, CP_UTF8);
        out += '\n';
    }
    WriteOut(out);
    return kFound;
}

// keys VK...: each key pressed and released, all in one injected batch so
// that no one reading keys in between can see part of it.
int PressKeys(int argc, wchar_t** argv) {
    std::vector<INPUT> inputs;
    for (int i = 2; i < argc; ++i) {
        for (DWORD flags : {0ul, static_cast<unsigned long>(KEYEVENTF_KEYUP)}) {
            INPUT in = {};
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = static_cast<WORD>(ParseInt(argv[i]));
            in.ki.dwFlags = flags;
            inputs.push_back(in);
        }
    }
    UINT nSent = ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return nSent == inputs.size() ? kFound : kNotFound;
}

// drop HWND PATH...: has the probe library inside the window's process build
// a drop of the paths and post it to the window, as the shell would.
int Drop(HWND hWnd, int argc, wchar_t** argv) {
    DWORD dwPid = 0;
    ::GetWindowThreadProcessId(hWnd, &dwPid);
    HWND hProbe = ::FindWindowW(kProbeWindowClass, ProbeWindowTitle(dwPid).c_str());
    if (!hProbe) return kNotFound;
    ProbeDropHeader header = {static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hWnd))};
    std::vector<char> request(reinterpret_cast<const char*>(&header), reinterpret_cast<const char*>(&header + 1));
    for (int i = 3; i < argc; ++i) {
        const char* p = reinterpret_cast<const char*>(argv[i]);
        request.insert(request.end(), p, p + (std::wcslen(argv[i]) + 1) * sizeof(wchar_t));
    }
    request.insert(request.end(), sizeof(wchar_t), '\0');
    COPYDATASTRUCT data = {kProbeDropRequest, static_cast<DWORD>(request.size()), request.data()};
    return ::SendMessageW(hProbe, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)) ? kFound : kNotFound;
}

// menu-rect HWND TIMEOUT_MS: waits for a pop-up menu of the window's process
// to show and prints its screen rectangle as "left top right bottom".
int MenuRect(HWND hWnd, int nTimeoutMs) {
    DWORD dwPid = 0;
    ::GetWindowThreadProcessId(hWnd, &dwPid);
    ULONGLONG ullEnd = ::GetTickCount64() + static_cast<ULONGLONG>(nTimeoutMs);
    for (;;) {
        HWND hMenu = nullptr;
        while ((hMenu = ::FindWindowExW(nullptr, hMenu, L"#32768", nullptr)) != nullptr) {
            DWORD dwMenuPid = 0;
            ::GetWindowThreadProcessId(hMenu, &dwMenuPid);
            RECT rc;
            if (dwMenuPid == dwPid && ::IsWindowVisible(hMenu) && ::GetWindowRect(hMenu, &rc)) {
                WriteOut(std::to_string(rc.left) + " " + std::to_string(rc.top) + " " + std::to_string(rc.right) + " " +
                         std::to_string(rc.bottom) + "\n");
                return kFound;
            }
        }
        if (::GetTickCount64() >= ullEnd) return kNotFound;
        ::Sleep(10);
    }
}

BOOL CALLBACK WriteChildText(HWND hChild, LPARAM) {
    WriteOut(Narrow(WindowText(hChild), CP_UTF8) + "\n");
    return TRUE;
}

std::string RectText(const RECT& rc) {
    return std::to_string(rc.left) + " " + std::to_string(rc.top) + " " + std::to_string(rc.right) + " " +
           std::to_string(rc.bottom) + "\n";
}

// rect HWND [CTRLID [INDEX]]: the screen rectangle of a window, of one of its
// controls, or of one row of a list box control, as "left top right bottom".
// A row's place is worked out from the list's top index and item height, so
// that no pointer has to cross into the other process.
int PrintRect(HWND hWnd, int nIndex) {
    RECT rc;
    if (nIndex < 0) {
        if (!::GetWindowRect(hWnd, &rc)) return kNotFound;
        WriteOut(RectText(rc));
        return kFound;
    }
    LRESULT nTop = ::SendMessageW(hWnd, LB_GETTOPINDEX, 0, 0);
    LRESULT nHeight = ::SendMessageW(hWnd, LB_GETITEMHEIGHT, 0, 0);
    if (nTop == LB_ERR || nHeight == LB_ERR || !::GetClientRect(hWnd, &rc)) return kNotFound;
    rc.top = static_cast<LONG>((nIndex - nTop) * nHeight);
    rc.bottom = rc.top + static_cast<LONG>(nHeight);
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    WriteOut(RectText(rc));
    return kFound;
}

// Holds the file open without sharing, as another program may, for the given time.
int HoldFile(const wchar_t* pszPath, int nMs) {
    HANDLE h = ::CreateFileW(pszPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return kNotFound;
    WriteOut("held\n");
    ::Sleep(static_cast<DWORD>(nMs));
    ::CloseHandle(h);
    return kFound;
}

int Usage() {
    std::fputs(
        "usage: winprobe wait-window CAPTION TIMEOUT_MS [CLASS]\n"
        "       winprobe time-to-window CAPTION TIMEOUT_MS\n"
        "       winprobe count-windows CAPTION\n"
        "       winprobe caption HWND | texts HWND\n"
        "       winprobe text HWND CTRLID\n"
        "       winprobe list HWND CTRLID | list-hex HWND CTRLID | list-count HWND CTRLID\n"
        "       winprobe select HWND CTRLID INDEX\n"
        "       winprobe close HWND | close-wait HWND TIMEOUT_MS\n"
        "       winprobe command HWND ID\n"
        "       winprobe visible HWND\n"
        "       winprobe keys VK...\n"
        "       winprobe cursor X Y | foreground\n"
        "       winprobe drop HWND PATH... (the player must run with shell_probe as its Quistel.dll)\n"
        "       winprobe tray HWND left|right\n"
        "       winprobe menu-rect HWND TIMEOUT_MS\n"
        "       winprobe selection HWND CTRLID\n"
        "       winprobe rect HWND [CTRLID [INDEX]]\n"

        "       winprobe hold-file PATH MS\n",
        stderr);
    return kUsage;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wstring(argv[1]) == L"foreground") {
        WriteOut(HandleText(::GetForegroundWindow()) + "\n");
        return kFound;
    }
    if (argc < 3) return Usage();
    const std::wstring cmd = argv[1];

    if (cmd == L"wait-window" && (argc == 4 || argc == 5))
        return WaitWindow(argv[2], ParseInt(argv[3]), argc == 5 ? argv[4] : nullptr);
    if (cmd == L"time-to-window" && argc == 4) return TimeToWindow(argv[2], ParseInt(argv[3]));
    if (cmd == L"keys") return PressKeys(argc, argv);
    if (cmd == L"cursor" && argc == 4) return ::SetCursorPos(ParseInt(argv[2]), ParseInt(argv[3])) ? kFound : kNotFound;
    if (cmd == L"hold-file" && argc == 4) return HoldFile(argv[2], ParseInt(argv[3]));
    if (cmd == L"count-windows" && argc == 3) {
        CountRequest request = {argv[2], 0};
        ::EnumWindows(CountWithCaption, reinterpret_cast<LPARAM>(&request));
        WriteOut(std::to_string(request.nCount) + "\n");
        return kFound;
    }

    HWND hWnd = ParseWindow(argv[2]);
    if (!hWnd) return kNotFound;

    if (cmd == L"caption" && argc == 3) {
        WriteOut(Narrow(WindowText(hWnd), CP_UTF8) + "\n");
        return kFound;
    }
    if (cmd == L"texts" && argc == 3) {
        // Every control's text, in the order of the windows.
        ::EnumChildWindows(hWnd, WriteChildText, 0);
        return kFound;
    }
    if (cmd == L"visible" && argc == 3) {
        WriteOut(::IsWindowVisible(hWnd) ? "1\n" : "0\n");
        return kFound;
    }
    if (cmd == L"close" && argc == 3) return ::PostMessageW(hWnd, WM_CLOSE, 0, 0) ? kFound : kNotFound;
    if (cmd == L"close-wait" && argc == 4) return CloseWait(hWnd, ParseInt(argv[3]));
    if (cmd == L"drop" && argc >= 4) return Drop(hWnd, argc, argv);
    if (cmd == L"menu-rect" && argc == 4) return MenuRect(hWnd, ParseInt(argv[3]));
    if (cmd == L"tray" && argc == 4) {
        // The notification icon's callback message, as the shell sends it on a press.
        const UINT kTrayNotify = WM_APP + 100;
        LPARAM press = std::wstring(argv[3]) == L"right" ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
        return ::PostMessageW(hWnd, kTrayNotify, 0, press) ? kFound : kNotFound;
    }
    if (cmd == L"rect" && argc == 3) return PrintRect(hWnd, -1);
    if (cmd == L"command" && argc == 4) {
        WPARAM wParam = MAKEWPARAM(static_cast<WORD>(ParseInt(argv[3])), BN_CLICKED);
        return ::PostMessageW(hWnd, WM_COMMAND, wParam, 0) ? kFound : kNotFound;
    }

    // The rest act on a control of the window.
    if (argc < 4) return Usage();
    HWND hCtrl = ::GetDlgItem(hWnd, ParseInt(argv[3]));
    if (!hCtrl) return kNotFound;

    if (cmd == L"rect" && (argc == 4 || argc == 5)) return PrintRect(hCtrl, argc == 5 ? ParseInt(argv[4]) : -1);
    if (cmd == L"text" && argc == 4) {
        WriteOut(Narrow(WindowText(hCtrl), CP_UTF8) + "\n");
        return kFound;
    }
    if (cmd == L"list" && argc == 4) return ListEntries(hCtrl, false);
    if (cmd == L"list-hex" && argc == 4) return ListEntries(hCtrl, true);
    if (cmd == L"list-count" && argc == 4) {
        LRESULT nCount = ::SendMessageW(hCtrl, LB_GETCOUNT, 0, 0);
        if (nCount == LB_ERR) return kNotFound;
        WriteOut(std::to_string(nCount) + "\n");
        return kFound;
    }
    if (cmd == L"selection" && argc == 4) {
        WriteOut(std::to_string(::SendMessageW(hCtrl, LB_GETCURSEL, 0, 0)) + "\n");
        return kFound;
    }
    if (cmd == L"select" && argc == 5) {
        int nIndex = ParseInt(argv[4]);
        LRESULT nResult = ::SendMessageW(hCtrl, LB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
        // LB_SETCURSEL with -1 clears the selection and also answers LB_ERR.
        return (nResult != LB_ERR || nIndex == -1) ? kFound : kNotFound;
    }
    return Usage();
}
