// Reference for the playback benchmarks: the bare minimum a DirectShow
// player does, with nothing around it.
//   ref_play play FILE        plays FILE to its end, polling the positions every 250 ms
//   ref_play switch FILE N    builds, renders and runs a fresh graph N times; prints the median ms
//   ref_play rebuilds FILE N  the same, each graph playing 50 ms before it is stopped and released,
//                             as the player's graphs do under scripts/bench.sh; prints three figures
//                             counted after ten rebuilds to settle: the median ms of building,
//                             rendering and running, the growth of the resident set per rebuild in
//                             KiB, and the median ms of a whole switch (the old graph stopped and
//                             released, then the new one built, rendered and run)
#include <windows.h>
#include <dshow.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Graph {
    IGraphBuilder* builder = nullptr;
    IMediaControl* control = nullptr;
    IMediaSeeking* seeking = nullptr;

    void Start(const wchar_t* path) {
        CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                         reinterpret_cast<void**>(&builder));
        builder->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control));
        builder->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking));
        builder->RenderFile(path, nullptr);
        control->Run();
    }
    void End() {
        control->Stop();
        seeking->Release();
        control->Release();
        builder->Release();
    }
};

double Now() {
    LARGE_INTEGER freq, t;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

size_t ResidentKiB() {
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    return pmc.WorkingSetSize / 1024;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: ref_play play FILE | ref_play switch FILE N | ref_play rebuilds FILE N\n");
        return 2;
    }
    CoInitialize(nullptr);
    if (wcscmp(argv[1], L"play") == 0) {
        Graph g;
        g.Start(argv[2]);
        LONGLONG current = 0, stop = 1;
        do {
            Sleep(250);
            HRESULT hr = g.seeking->GetPositions(&current, &stop);
            if (getenv("REF_PLAY_TRACE"))
                std::printf("%08lx %lld %lld\n", static_cast<unsigned long>(hr), current, stop);
            if (FAILED(hr)) break;
        } while (current != stop);
        g.End();
    } else if (wcscmp(argv[1], L"switch") == 0 && argc >= 4) {
        int n = _wtoi(argv[3]);
        std::vector<double> ms;
        for (int i = 0; i < n; ++i) {
            Graph g;
            double t0 = Now();
            g.Start(argv[2]);
            ms.push_back(Now() - t0);
            g.End();
        }
        std::sort(ms.begin(), ms.end());
        std::printf("%.2f\n", ms.empty() ? 0.0 : ms[ms.size() / 2]);
    } else if (wcscmp(argv[1], L"rebuilds") == 0 && argc >= 4) {
        const int kSettle = 10;
        int n = _wtoi(argv[3]);
        std::vector<double> build, whole;
        size_t nSettledKiB = 0;
        double dEndMs = 0;
        for (int i = 0; i < kSettle + n; ++i) {
            Graph g;
            double t0 = Now();
            g.Start(argv[2]);
            double t1 = Now();
            if (i >= kSettle) {
                build.push_back(t1 - t0);
                whole.push_back(dEndMs + t1 - t0);
            }
            Sleep(50);
            double t2 = Now();
            g.End();
            dEndMs = Now() - t2;
            if (i == kSettle - 1) nSettledKiB = ResidentKiB();
        }
        std::sort(build.begin(), build.end());
        std::sort(whole.begin(), whole.end());
        double dGrowth = n > 0 ? (static_cast<double>(ResidentKiB()) - static_cast<double>(nSettledKiB)) / n : 0.0;
        std::printf("%.2f %.2f %.2f\n", build.empty() ? 0.0 : build[build.size() / 2], dGrowth,
                    whole.empty() ? 0.0 : whole[whole.size() / 2]);
    }
    CoUninitialize();
    return 0;
}
