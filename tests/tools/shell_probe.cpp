// shell_probe: a library the end-to-end tests put beside a copy of the
// unchanged Lumetto.exe in place of Quistel.dll (whose functions it passes
// on to the real one). Loaded with the program, before any of its code runs:
//   - it points the program's import of Shell_NotifyIconA at a recorder that
//     appends each record to the file named by LUMETTO_PROBE_LOG, then calls
//     the shell;
//   - it runs a hidden window, "LumettoProbe <process id>", that turns a
//     WM_COPYDATA from winprobe into a drop built in this process the way the
//     shell builds one: a DROPFILES block with UTF-16 paths in global memory,
//     posted as WM_DROPFILES to the window named in the request.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "tests/tools/drop_files.h"
#include "tests/tools/probe_protocol.h"

namespace {

using ShellNotifyIconFn = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
ShellNotifyIconFn g_pfnShellNotifyIcon = nullptr;

std::string Hex(const char* psz, size_t nMax) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < nMax && psz[i] != '\0'; ++i) {
        unsigned char c = static_cast<unsigned char>(psz[i]);
        out += kDigits[c >> 4];
        out += kDigits[c & 15];
    }
    return out;
}

// A field the record's size covers, as hex; "-" when the record stops before it.
template <size_t N> std::string TextField(const NOTIFYICONDATAA* pnid, const char (&field)[N]) {
    size_t nEnd = static_cast<size_t>(field - reinterpret_cast<const char*>(pnid)) + N;
    return nEnd <= pnid->cbSize ? Hex(field, N) : "-";
}

std::string UintField(const NOTIFYICONDATAA* pnid, size_t nOffset, UINT nValue) {
    return nOffset + sizeof(UINT) <= pnid->cbSize ? std::to_string(nValue) : "-";
}

void AppendToLog(const std::string& line) {
    char szPath[MAX_PATH * 4];
    DWORD n = ::GetEnvironmentVariableA("LUMETTO_PROBE_LOG", szPath, sizeof szPath);
    if (n == 0 || n >= sizeof szPath) return;
    HANDLE h = ::CreateFileA(szPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD dwWritten = 0;
    ::WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &dwWritten, nullptr);
    ::CloseHandle(h);
}

// One line per call: message cbSize uFlags tip infoTitle info uTimeout dwInfoFlags.
BOOL WINAPI RecordNotifyIcon(DWORD dwMessage, PNOTIFYICONDATAA pnid) {
    static const char* const kMessages[] = {"add", "modify", "delete"};
    std::string line = dwMessage < 3 ? kMessages[dwMessage] : std::to_string(dwMessage);
    line += " cbSize=" + std::to_string(pnid->cbSize);
    line += " uFlags=" + UintField(pnid, offsetof(NOTIFYICONDATAA, uFlags), pnid->uFlags);
    line += " tip=" + TextField(pnid, pnid->szTip);
    line += " infoTitle=" + TextField(pnid, pnid->szInfoTitle);
    line += " info=" + TextField(pnid, pnid->szInfo);
    line += " uTimeout=" + UintField(pnid, offsetof(NOTIFYICONDATAA, uTimeout), pnid->uTimeout);
    line += " dwInfoFlags=" + UintField(pnid, offsetof(NOTIFYICONDATAA, dwInfoFlags), pnid->dwInfoFlags);
    AppendToLog(line + "\n");
    return g_pfnShellNotifyIcon(dwMessage, pnid);
}

// Replaces every import-table slot of the module that holds pfnOld.
bool RedirectImport(HMODULE hModule, void* pfnOld, void* pfnNew) {
    auto* pBase = reinterpret_cast<BYTE*>(hModule);
    auto* pDos = reinterpret_cast<IMAGE_DOS_HEADER*>(pBase);
    auto* pNt = reinterpret_cast<IMAGE_NT_HEADERS*>(pBase + pDos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0) return false;
    bool bFound = false;
    for (auto* pDesc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(pBase + dir.VirtualAddress); pDesc->Name; ++pDesc) {
        for (auto* pThunk = reinterpret_cast<IMAGE_THUNK_DATA*>(pBase + pDesc->FirstThunk); pThunk->u1.Function;
             ++pThunk) {
            if (reinterpret_cast<void*>(pThunk->u1.Function) != pfnOld) continue;
            DWORD dwOld = 0;
            ::VirtualProtect(&pThunk->u1.Function, sizeof pThunk->u1.Function, PAGE_READWRITE, &dwOld);
            pThunk->u1.Function = reinterpret_cast<ULONG_PTR>(pfnNew);
            ::VirtualProtect(&pThunk->u1.Function, sizeof pThunk->u1.Function, dwOld, &dwOld);
            bFound = true;
        }
    }
    return bFound;
}

// The request's paths: UTF-16, each ended by a zero, and one more zero after the last.
std::vector<std::wstring> RequestedPaths(const wchar_t* pUnits, size_t nUnits) {
    std::vector<std::wstring> paths;
    for (size_t i = 0; i < nUnits && pUnits[i] != L'\0';) {
        size_t nLength = 0;
        while (i + nLength < nUnits && pUnits[i + nLength] != L'\0') ++nLength;
        paths.emplace_back(pUnits + i, nLength);
        i += nLength + 1;
    }
    return paths;
}

LRESULT CALLBACK ProbeWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return ::DefWindowProcW(hWnd, message, wParam, lParam);
    const auto* pData = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (pData->dwData != kProbeDropRequest || pData->cbData < sizeof(ProbeDropHeader)) return FALSE;
    ProbeDropHeader header;
    std::memcpy(&header, pData->lpData, sizeof header);
    size_t nUnits = (pData->cbData - sizeof header) / sizeof(wchar_t);
    HWND hTarget = reinterpret_cast<HWND>(static_cast<UINT_PTR>(header.ullTarget));
    HDROP hDrop = MakeWideDrop(RequestedPaths(
        reinterpret_cast<const wchar_t*>(static_cast<const char*>(pData->lpData) + sizeof header), nUnits));
    if (hDrop == nullptr) return FALSE;
    if (!::PostMessageW(hTarget, WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0)) {
        ::GlobalFree(reinterpret_cast<HGLOBAL>(hDrop));
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI RunProbeWindow(void*) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ProbeWndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kProbeWindowClass;
    ::RegisterClassW(&wc);
    std::wstring title = ProbeWindowTitle(::GetCurrentProcessId());
    if (!::CreateWindowExW(0, kProbeWindowClass, title.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance,
                           nullptr))
        return 1;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    return 0;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, void*) {
    if (dwReason != DLL_PROCESS_ATTACH) return TRUE;
    // The program's imports are bound before any library's initialisation runs.
    HMODULE hShell = ::GetModuleHandleA("shell32.dll");
    // Through void*: the platform hands every address out as one generic function type.
    void* pfnFound = hShell ? reinterpret_cast<void*>(::GetProcAddress(hShell, "Shell_NotifyIconA")) : nullptr;
    g_pfnShellNotifyIcon = reinterpret_cast<ShellNotifyIconFn>(pfnFound);
    if (g_pfnShellNotifyIcon == nullptr ||
        !RedirectImport(::GetModuleHandleA(nullptr), reinterpret_cast<void*>(g_pfnShellNotifyIcon),
                        reinterpret_cast<void*>(&RecordNotifyIcon)))
        AppendToLog("probe: Shell_NotifyIconA not found among the program's imports\n");
    if (HANDLE hThread = ::CreateThread(nullptr, 0, RunProbeWindow, nullptr, 0, nullptr)) ::CloseHandle(hThread);
    return TRUE;
}
