// Anchor for the start-up benchmark: the least a dialog program of the
// player's kind does before its window shows. One modal dialog built from a
// template of the main window's size, style and font, with a list box, a
// trackbar and a button, and nothing else: no sockets, no COM, no media
// graph, no hook, no notification icon, no list file. scripts/bench.sh starts
// it exactly as it starts the player and times it the same way.
//
// Given work, it stands for the platform's floor of a start-up that has to
// show that work before the window shows:
//   anchor_dlg list FILE    the lines of FILE in the list box (one read, one
//                           insert per line, redraw off, storage reserved)
//   anchor_dlg folder DIR   the matches of DIR\*.mp3 and DIR\*.wav in the list
//                           box, and the first of them rendered in a new media
//                           graph, as a player that starts playing it must
#include <windows.h>
#include <commctrl.h>
#include <dshow.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/bare_search.h"

namespace {

const int kListId = 1003;

std::vector<std::string> ReadLines(const char* pszFile) {
    std::vector<std::string> lines;
    HANDLE h = ::CreateFileA(pszFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return lines;
    LARGE_INTEGER size = {};
    ::GetFileSizeEx(h, &size);
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD dwRead = 0;
    if (!bytes.empty()) ::ReadFile(h, &bytes[0], static_cast<DWORD>(bytes.size()), &dwRead, nullptr);
    ::CloseHandle(h);
    bytes.resize(dwRead);
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        lines.emplace_back(bytes, start, end - start);
        start = end + 2;
    }
    return lines;
}

// COM is loaded only here, so the bare anchor loads no more libraries than before.
void RenderFirst(const std::string& path) {
    HMODULE hOle = ::LoadLibraryA("ole32.dll");
    auto pfnInit =
        reinterpret_cast<HRESULT(WINAPI*)(LPVOID)>(reinterpret_cast<void*>(::GetProcAddress(hOle, "CoInitialize")));
    auto pfnCreate = reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*)>(
        reinterpret_cast<void*>(::GetProcAddress(hOle, "CoCreateInstance")));
    if (pfnInit == nullptr || pfnCreate == nullptr) return;
    pfnInit(nullptr);
    IGraphBuilder* pGraph = nullptr;
    if (FAILED(pfnCreate(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                         reinterpret_cast<void**>(&pGraph))))
        return;
    std::wstring wide(path.size() + 1, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    pGraph->RenderFile(wide.c_str(), nullptr);
    pGraph->Release();
}

INT_PTR CALLBACK AnchorDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    if (message == WM_INITDIALOG) {
        if (__argc == 3 && std::strcmp(__argv[1], "list") == 0)
            FillBare(::GetDlgItem(hWnd, kListId), ReadLines(__argv[2]));
        if (__argc == 3 && std::strcmp(__argv[1], "folder") == 0) {
            std::vector<std::string> paths;
            AddMatches(std::string(__argv[2]) + "\\*.mp3", __argv[2], paths);
            AddMatches(std::string(__argv[2]) + "\\*.wav", __argv[2], paths);
            FillBare(::GetDlgItem(hWnd, kListId), paths);
            if (!paths.empty()) RenderFirst(paths.front());
        }
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(hWnd, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    ::DialogBoxParamA(hInstance, MAKEINTRESOURCEA(1), nullptr, &AnchorDlgProc, 0);
    return 0;
}
