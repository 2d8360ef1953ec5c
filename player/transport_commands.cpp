// Play, stop, previous, next, the double click and the end-of-track rule.
// m_nCurrent is the entry playing (-1 when stopped); m_nLastPlayed is the
// entry that was current at the last stop, used when previous or next start
// from the stopped state (the compact edition keeps none and starts over
// from the ends of the list).
#include "core/track_title.h"
#include "player/lumetto_dlg.h"
#include "player/product_texts.h"

BOOL CLumettoDlg::PlayTrack(int nIndex) {
    RebuildGraphForEntry(nIndex);
#if LUMETTO_TIMER_PER_TRACK
    StartProgressTimer();
#endif
    m_nCurrent = nIndex;
    m_list.SetCurSel(nIndex);
    SetSliderForNewTrack();
#if LUMETTO_BALLOON
    char szTitle[kTitleBufferSize];
    MakeTrackTitle(m_strCurrentPath, szTitle, sizeof szTitle);
    ShowTrackBalloon(szTitle);
#endif
    return TRUE;
}

void CLumettoDlg::OnPlay() {
    int nSel = m_list.GetCurSel();
    if (nSel != -1) {
        PlayTrack(nSel);
        return;
    }
    if (m_list.GetCount() <= 0) return;
#if LUMETTO_PLAY_RESUMES_ENTRY
    PlayTrack(m_nCurrent == -1 ? 0 : m_nCurrent);
#else
    PlayTrack(0);
#endif
}

void CLumettoDlg::OnStop() {
    StopGraph();
    m_slider.SetPos(0);
#if LUMETTO_TIMER_PER_TRACK
    StopProgressTimer();
#endif
    UpdateTipStopped();
    m_strStatus = LUMETTO_VERSION_STRING;
    m_strTime = LUMETTO_TIME_STOPPED;
    UpdateData(FALSE);
#if LUMETTO_BALLOON
    ResendIconAfterStop();
#endif
#if LUMETTO_STOP_REMEMBERS_ENTRY
    m_nLastPlayed = m_nCurrent;
#endif
    m_nCurrent = -1;
    m_nUnplayableInARow = 0;
}

void CLumettoDlg::OnPrev() {
    int nCount = m_list.GetCount();
    if (nCount == 0) return;
#if LUMETTO_STOP_REMEMBERS_ENTRY
    if (m_nCurrent == -1) m_nCurrent = m_nLastPlayed;
#endif
    m_nCurrent = m_nCurrent - 1;
    if (m_nCurrent < 0) m_nCurrent = nCount - 1;
    PlayTrack(m_nCurrent);
}

void CLumettoDlg::OnNext() {
    int nCount = m_list.GetCount();
    if (nCount == 0) return;
#if LUMETTO_STOP_REMEMBERS_ENTRY
    if (m_nCurrent == -1) m_nCurrent = m_nLastPlayed;
#endif
    m_nCurrent = m_nCurrent + 1;
    if (m_nCurrent >= nCount) m_nCurrent = 0;
    PlayTrack(m_nCurrent);
}

void CLumettoDlg::OnDblclkPlaylist() { PlayTrack(m_list.GetCurSel()); }

void CLumettoDlg::AdvanceAtTrackEnd() {
    m_nCurrent = m_nCurrent + 1;
    int nCount = m_list.GetCount();
    if (m_nCurrent < nCount) {
        PlayTrack(m_nCurrent);
    } else if (nCount != 0) {
        PlayTrack(0);
    } else {
        OnStop();
    }
}
