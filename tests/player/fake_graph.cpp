#include "tests/player/fake_graph.h"

#include <atomic>

FakeGraphScript g_graph;

std::vector<std::string> FakeGraphScript::Calls(const std::string& prefix) const {
    std::vector<std::string> calls;
    for (const std::string& line : log)
        if (line.compare(0, prefix.size(), prefix) == 0) calls.push_back(line);
    return calls;
}

namespace {

std::string Narrow(const wchar_t* psz) {
    int n = ::WideCharToMultiByte(CP_ACP, 0, psz, -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) ::WideCharToMultiByte(CP_ACP, 0, psz, -1, &s[0], n, nullptr, nullptr);
    return s;
}

class FakeGraph : public IGraphBuilder, public IMediaControl, public IMediaEvent, public IMediaSeeking {
public:
    FakeGraph() : m_nId(++g_graph.created) {
        ++g_graph.alive;
        Log("new");
    }

    // IUnknown, shared by all four interfaces.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown || riid == IID_IGraphBuilder || riid == IID_IFilterGraph)
            *ppv = static_cast<IGraphBuilder*>(this);
        else if (riid == IID_IMediaControl)
            *ppv = static_cast<IMediaControl*>(this);
        else if (riid == IID_IMediaEvent)
            *ppv = static_cast<IMediaEvent*>(this);
        else if (riid == IID_IMediaSeeking)
            *ppv = static_cast<IMediaSeeking*>(this);
        else {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_nRefs; }
    STDMETHODIMP_(ULONG) Release() override {
        ULONG n = --m_nRefs;
        if (n == 0) {
            Log("gone");
            --g_graph.alive;
            delete this;
        }
        return n;
    }

    // IGraphBuilder
    STDMETHODIMP RenderFile(LPCWSTR pwszFile, LPCWSTR pwszPlayList) override {
        m_bRendered = g_graph.unplayable.count(pwszFile) == 0;
        g_graph.lastRendered = pwszFile;
        Log("RenderFile " + Narrow(pwszFile) + (pwszPlayList ? " +playlist" : ""));
        return m_bRendered ? S_OK : VFW_E_NOT_FOUND;
    }
    STDMETHODIMP Connect(IPin*, IPin*) override { return E_NOTIMPL; }
    STDMETHODIMP Render(IPin*) override { return E_NOTIMPL; }
    STDMETHODIMP AddSourceFilter(LPCWSTR, LPCWSTR, IBaseFilter**) override { return E_NOTIMPL; }
    STDMETHODIMP SetLogFile(DWORD_PTR) override { return E_NOTIMPL; }
    STDMETHODIMP Abort() override { return E_NOTIMPL; }
    STDMETHODIMP ShouldOperationContinue() override { return E_NOTIMPL; }
    STDMETHODIMP AddFilter(IBaseFilter*, LPCWSTR) override { return E_NOTIMPL; }
    STDMETHODIMP RemoveFilter(IBaseFilter*) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFilters(IEnumFilters**) override { return E_NOTIMPL; }
    STDMETHODIMP FindFilterByName(LPCWSTR, IBaseFilter**) override { return E_NOTIMPL; }
    STDMETHODIMP ConnectDirect(IPin*, IPin*, const AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    STDMETHODIMP Reconnect(IPin*) override { return E_NOTIMPL; }
    STDMETHODIMP Disconnect(IPin*) override { return E_NOTIMPL; }
    STDMETHODIMP SetDefaultSyncSource() override { return E_NOTIMPL; }

    // IDispatch, shared by IMediaControl and IMediaEvent.
    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IMediaControl
    STDMETHODIMP Run() override {
        Log("Run");
        return S_OK;
    }
    STDMETHODIMP Pause() override { return E_NOTIMPL; }
    STDMETHODIMP Stop() override {
        Log("Stop");
        return S_OK;
    }
    STDMETHODIMP GetState(LONG, OAFilterState*) override { return E_NOTIMPL; }
    STDMETHODIMP RenderFile(BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP AddSourceFilter(BSTR, IDispatch**) override { return E_NOTIMPL; }
    STDMETHODIMP get_FilterCollection(IDispatch**) override { return E_NOTIMPL; }
    STDMETHODIMP get_RegFilterCollection(IDispatch**) override { return E_NOTIMPL; }
    STDMETHODIMP StopWhenReady() override { return E_NOTIMPL; }

    // IMediaEvent
    STDMETHODIMP GetEventHandle(OAEVENT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetEvent(LONG*, LONG_PTR*, LONG_PTR*, LONG) override { return E_NOTIMPL; }
    STDMETHODIMP WaitForCompletion(LONG, LONG*) override {
        Log("Wait");
        return E_ABORT;
    }
    STDMETHODIMP CancelDefaultHandling(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP RestoreDefaultHandling(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP FreeEventParams(LONG, LONG_PTR, LONG_PTR) override { return E_NOTIMPL; }

    // IMediaSeeking
    STDMETHODIMP GetPositions(LONGLONG* pCurrent, LONGLONG* pStop) override {
        if (!m_bRendered) return E_NOTIMPL;  // a graph that rendered nothing has no positions
        *pCurrent = g_graph.current;
        *pStop = g_graph.stop;
        return S_OK;
    }
    STDMETHODIMP SetPositions(LONGLONG* pCurrent, DWORD dwCurrentFlags, LONGLONG* pStop, DWORD dwStopFlags) override {
        Log("SetPositions " + std::to_string(*pCurrent) + "/" + std::to_string(dwCurrentFlags) + " " +
            std::to_string(*pStop) + "/" + std::to_string(dwStopFlags));
        return S_OK;
    }
    STDMETHODIMP GetCapabilities(DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP CheckCapabilities(DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP IsFormatSupported(const GUID*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryPreferredFormat(GUID*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTimeFormat(GUID*) override { return E_NOTIMPL; }
    STDMETHODIMP IsUsingTimeFormat(const GUID*) override { return E_NOTIMPL; }
    STDMETHODIMP SetTimeFormat(const GUID*) override { return E_NOTIMPL; }
    STDMETHODIMP GetDuration(LONGLONG*) override { return E_NOTIMPL; }
    STDMETHODIMP GetStopPosition(LONGLONG*) override { return E_NOTIMPL; }
    STDMETHODIMP GetCurrentPosition(LONGLONG*) override { return E_NOTIMPL; }
    STDMETHODIMP ConvertTimeFormat(LONGLONG*, const GUID*, LONGLONG, const GUID*) override { return E_NOTIMPL; }
    STDMETHODIMP GetAvailable(LONGLONG*, LONGLONG*) override { return E_NOTIMPL; }
    STDMETHODIMP SetRate(double) override { return E_NOTIMPL; }
    STDMETHODIMP GetRate(double*) override { return E_NOTIMPL; }
    STDMETHODIMP GetPreroll(LONGLONG*) override { return E_NOTIMPL; }

private:
    virtual ~FakeGraph() = default;
    void Log(const std::string& what) { g_graph.log.push_back(what + " " + std::to_string(m_nId)); }

    ULONG m_nRefs = 1;
    int m_nId;
    // An empty graph, like the one created at start-up, has nothing rendered.
    bool m_bRendered = false;
};

}  // namespace

HRESULT CreateFakeGraph(IGraphBuilder** ppGraph) {
    *ppGraph = new FakeGraph();
    return S_OK;
}
