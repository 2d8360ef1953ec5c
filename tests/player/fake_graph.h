// A scripted stand-in for the platform's filter graph: one object answering
// the four interfaces the window uses, with positions under the test's
// control and every call written to a log.
#pragma once
#include <windows.h>
#include <dshow.h>

#include <set>
#include <string>
#include <vector>

struct FakeGraphScript {
    LONGLONG current = 0;  // what GetPositions reports
    LONGLONG stop = 0;
    std::set<std::wstring> unplayable;  // rendered paths whose graph reports no positions
    std::vector<std::string> log;       // "new 2", "Stop 1", "SetPositions 1 0 1", "RenderFile 2 C:\a.mp3", ...
    int created = 0;
    int alive = 0;  // graphs that still hold a reference
    std::wstring lastRendered;

    void Reset() { *this = FakeGraphScript(); }
    // Log lines that start with prefix.
    std::vector<std::string> Calls(const std::string& prefix) const;
};

extern FakeGraphScript g_graph;

// Factory for SetGraphFactorySeam.
HRESULT CreateFakeGraph(IGraphBuilder** ppGraph);
