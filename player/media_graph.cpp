#include "player/media_graph.h"

namespace {

HRESULT PlatformFilterGraph(IGraphBuilder** ppGraph) {
    return ::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                              reinterpret_cast<void**>(ppGraph));
}

GraphFactoryFn g_pfnGraphFactory = PlatformFilterGraph;

}  // namespace

HRESULT CreateFilterGraph(IGraphBuilder** ppGraph) {
    *ppGraph = nullptr;
    return g_pfnGraphFactory(ppGraph);
}

GraphFactoryFn SetGraphFactorySeam(GraphFactoryFn pfn) {
    GraphFactoryFn pfnOld = g_pfnGraphFactory;
    g_pfnGraphFactory = pfn ? pfn : PlatformFilterGraph;
    return pfnOld;
}

void KeepGraphLibrariesLoaded() {
    // Kernel32's module list (Windows 7 on); elsewhere the libraries come and go as before.
    using EnumModulesFn = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
    static const auto pfnEnumModules = reinterpret_cast<EnumModulesFn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "K32EnumProcessModules")));
    if (pfnEnumModules == nullptr) return;
    HMODULE ahModules[512];
    DWORD cbNeeded = 0;
    if (!pfnEnumModules(::GetCurrentProcess(), ahModules, sizeof ahModules, &cbNeeded)) return;
    DWORD nModules = cbNeeded / sizeof(HMODULE);
    if (nModules > ARRAYSIZE(ahModules)) nModules = ARRAYSIZE(ahModules);
    for (DWORD i = 0; i < nModules; ++i) {
        // A pinned library ignores every later FreeLibrary, COM's included;
        // pinning one again changes nothing.
        HMODULE hPinned = nullptr;
        ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                             reinterpret_cast<LPCWSTR>(ahModules[i]), &hPinned);
    }
}
