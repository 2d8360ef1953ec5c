// Track-switch latency of the running player, seen from outside: sends the
// "next" button's command N times and prints the median time in ms that
// the window took to handle it (the whole PlayTrack, from command to Run
// having returned, plus the slider and icon updates after it).
//   switch_latency CAPTION N
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: switch_latency CAPTION N\n");
        return 2;
    }
    HWND hwnd = FindWindowW(nullptr, argv[1]);
    if (hwnd == nullptr) return 1;
    const int kNext = 1011;
    int n = _wtoi(argv[2]);
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    std::vector<double> ms;
    for (int i = 0; i < n; ++i) {
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(kNext, BN_CLICKED), 0);
        QueryPerformanceCounter(&t1);
        ms.push_back(1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(freq.QuadPart));
        Sleep(50);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%.2f\n", ms.empty() ? 0.0 : ms[ms.size() / 2]);
    return 0;
}
