// Time the real main window takes to handle drops of many files: one drop
// of N file paths and one drop of a folder holding N files, each measured
// from WM_DROPFILES sent to the handler having returned, then the time the
// window takes to answer a message afterwards (its responsiveness once the
// drop is in). Runs the dialog in-process on the platform's own graph.
// Beside the folder drop it times the platform's floor for the same result:
// the folder searched for both patterns and every match put into a bare
// list box of the playlist's style, with redraw off, storage reserved and
// no order computed. One drop of the folder before both is not counted.
//   drop_intake [N [floor-first]]   (default 10000; prints figures in ms)
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bare_search.h"
#include "player/lumetto_dlg.h"
#include "res/resource.h"
#include "tests/tools/drop_files.h"

namespace {

double NowMs() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

void Pump() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Drops the paths on the window and prints how long the handler took and
// how long the window then needs to answer.
void TimeDrop(CLumettoDlg& dlg, const char* pszWhat, const std::vector<std::string>& paths) {
    dlg.m_list.ResetContent();
    HDROP hDrop = MakeDrop(paths);
    double t0 = NowMs();
    ::SendMessageA(dlg.m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0);
    double t1 = NowMs();
    Pump();  // the repaint the drop asked for
    double t2 = NowMs();
    ::SendMessageA(dlg.m_hWnd, WM_NULL, 0, 0);
    double t3 = NowMs();
    LRESULT n = ::SendDlgItemMessageA(dlg.m_hWnd, IDC_PLAYLIST, LB_GETCOUNT, 0, 0);
    std::printf("%-34s %8.1f ms   (repaint %.1f ms, next message answered in %.2f ms; %ld entries)\n", pszWhat, t1 - t0,
                t2 - t1, t3 - t2, static_cast<long>(n));
}

// The floor: search and fill in a bare list box where the playlist stands.
void TimeFloor(CLumettoDlg& dlg, const std::string& folder) {
    RECT rc;
    HWND hPlaylist = ::GetDlgItem(dlg.m_hWnd, IDC_PLAYLIST);
    ::GetWindowRect(hPlaylist, &rc);
    ::MapWindowPoints(nullptr, dlg.m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    HWND hList = ::CreateWindowExA(::GetWindowLongA(hPlaylist, GWL_EXSTYLE), "ListBox", "",
                                   static_cast<DWORD>(::GetWindowLongA(hPlaylist, GWL_STYLE)), rc.left, rc.top,
                                   rc.right - rc.left, rc.bottom - rc.top, dlg.m_hWnd, nullptr, nullptr, nullptr);
    ::SendMessageA(hList, LB_SETHORIZONTALEXTENT, 2048, 0);
    ::SetWindowPos(hList, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Pump();
    double t0 = NowMs();
    std::vector<std::string> paths;
    AddMatches(folder + "\\*.mp3", folder, paths);
    AddMatches(folder + "\\*.wav", folder, paths);
    FillBare(hList, paths);
    ::InvalidateRect(hList, nullptr, TRUE);
    double t1 = NowMs();
    LRESULT n = ::SendMessageA(hList, LB_GETCOUNT, 0, 0);
    std::printf("%-34s %8.1f ms   (%ld entries)\n", "floor: bare search and fill:", t1 - t0, static_cast<long>(n));
    ::DestroyWindow(hList);
    Pump();
}

}  // namespace

int main(int argc, char** argv) {
    int n = argc > 1 ? std::atoi(argv[1]) : 10000;
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    std::string work = std::string(szTemp) + "lumetto-drop-bench-" + std::to_string(::GetCurrentProcessId());
    std::string tracks = work + "\\tracks";
    ::CreateDirectoryA(work.c_str(), nullptr);
    ::CreateDirectoryA(tracks.c_str(), nullptr);
    ::SetCurrentDirectoryA(work.c_str());

    std::vector<std::string> files;
    files.reserve(n);
    for (int i = 0; i < n; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "\\%05d Track title.mp3", (i * 7919) % n);  // not in sorted order
        files.push_back(tracks + name);
        HANDLE h = ::CreateFileA(files.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
    }

    CLumettoDlg dlg;
    if (!dlg.Create(IDD_MAIN)) {
        std::fprintf(stderr, "drop_intake: the main window could not be created\n");
        return 1;
    }
    Pump();
    std::printf("Drops on a running player, %d files\n", n);
    TimeDrop(dlg, "drop of the file paths:", files);
    // Not counted: the process's first search of a folder pays for the
    // platform's own first use, which is no part of a drop.
    dlg.m_list.ResetContent();
    ::SendMessageA(dlg.m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({tracks})), 0);
    Pump();
    bool bFloorFirst = argc > 2 && std::string(argv[2]) == "floor-first";
    if (bFloorFirst) TimeFloor(dlg, tracks);
    TimeDrop(dlg, "drop of the folder holding them:", {tracks});
    if (!bFloorFirst) TimeFloor(dlg, tracks);

    ::SendMessageA(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
    Pump();
    dlg.DestroyWindow();
    for (const std::string& f : files) ::DeleteFileA(f.c_str());
    ::DeleteFileA((work + "\\default.lst").c_str());
    ::RemoveDirectoryA(tracks.c_str());
    ::SetCurrentDirectoryA(szTemp);
    ::RemoveDirectoryA(work.c_str());
    return 0;
}
