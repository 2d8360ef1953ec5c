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

GraphFactoryFn SetGraphFactoryHook(GraphFactoryFn pfn) {
    GraphFactoryFn pfnOld = g_pfnGraphFactory;
    g_pfnGraphFactory = pfn ? pfn : PlatformFilterGraph;
    return pfnOld;
}
