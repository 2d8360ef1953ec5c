// The one media graph of the window: created empty at start-up, stopped by
// the Stop command, and thrown away and built anew for every track.
#include <memory>

#include "player/lumetto_dlg.h"
#include "player/media_graph.h"

namespace {

template <class T> void ReleaseInterface(T*& p) {
    if (p != nullptr) p->Release();
    p = nullptr;
}

// The graph is stopped before the wait, so the wait returns at once; the bound
// only keeps a misbehaving graph from freezing the window.
const LONG kStoppedGraphWaitMs = 1000;

}  // namespace

void CLumettoDlg::CreateGraph() {
    CreateFilterGraph(&m_pGraph);
    if (m_pGraph == nullptr) return;  // no graph service: every later call is skipped
    m_pGraph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&m_pControl));
    m_pGraph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(&m_pEvent));
    m_pGraph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&m_pSeeking));
}

void CLumettoDlg::StopGraph() {
    if (m_pControl) m_pControl->Stop();
    if (m_pSeeking) {
        LONGLONG llCurrent = 0;
        LONGLONG llStop = 1;
        m_pSeeking->SetPositions(&llCurrent, AM_SEEKING_AbsolutePositioning, &llStop, AM_SEEKING_AbsolutePositioning);
    }
    if (m_pEvent) {
        long lEventCode = 0;
        m_pEvent->WaitForCompletion(kStoppedGraphWaitMs, &lEventCode);
    }
}

void CLumettoDlg::ReleaseGraph() {
    ReleaseInterface(m_pControl);
    ReleaseInterface(m_pEvent);
    ReleaseInterface(m_pGraph);
    ReleaseInterface(m_pSeeking);
}

void CLumettoDlg::RebuildGraphForEntry(int nIndex) {
    StopGraph();
    ReleaseGraph();
    ::CoUninitialize();
    ::CoInitialize(nullptr);
    CreateGraph();

    // An index with no entry raises the invalid-argument error here, with the
    // old graph already gone and m_strCurrentPath untouched.
    CString strPath;
    m_list.GetText(nIndex, strPath);
    m_strCurrentPath = strPath;

    int nBytes = m_strCurrentPath.GetLength();
    std::unique_ptr<WCHAR[]> pwszPath(new WCHAR[nBytes + 1]);
    ::MultiByteToWideChar(::GetACP(), MB_PRECOMPOSED, m_strCurrentPath, -1, pwszPath.get(), nBytes + 1);
    if (m_pGraph) m_pGraph->RenderFile(pwszPath.get(), nullptr);
    pwszPath.reset();
    if (m_pControl) m_pControl->Run();
    KeepGraphLibrariesLoaded();
}
