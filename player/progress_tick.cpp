// The 250 ms tick: end of track, title and time in the status line, time
// field and tooltip, the slider following playback, then the media keys.
#include <cstdlib>
#include <cstring>

#include "core/bounded_format.h"
#include "core/dbcs.h"
#include "core/time_text.h"
#include "core/track_title.h"
#include "player/lumetto_dlg.h"

namespace {

// The tooltip shows at most this many bytes, cut between characters.
const size_t kTooltipBytes = 60;
// Slider units (tenths of a second) beyond which the slider is taken to be
// held by the user and left alone.
const int kSliderHoldDistance = 50;
#if LUMETTO_TIMER_PER_TRACK
// One timer per track, restarted by every start and killed by the stop.
const UINT_PTR kTickTimerId = 1;
const UINT kTickMs = 200;
#else
// SetTimer is asked again this many times before the window gives up ticking.
const int kTimerRequestAttempts = 100;
const UINT kTickMs = 250;
#endif

}  // namespace

#if LUMETTO_TIMER_PER_TRACK
void CLumettoDlg::StartProgressTimer() { SetTimer(kTickTimerId, kTickMs); }

void CLumettoDlg::StopProgressTimer() { KillTimer(kTickTimerId); }
#else
void CLumettoDlg::StartProgressTimer() {
    for (int i = 0; i < kTimerRequestAttempts; ++i) {
        if (SetTimer(m_nTimerId, kTickMs) == static_cast<UINT_PTR>(m_nTimerId)) return;
        ::Sleep(10);
    }
}
#endif

void CLumettoDlg::OnTimer(UINT_PTR /*nIDEvent*/) {
#if LUMETTO_TIMER_PER_TRACK
    TickProgress();  // the timer runs only while a track is current
#else
    if (m_nCurrent != -1) TickProgress();
#endif
#if LUMETTO_MEDIA_KEYS
    // Stopped or playing, and after a track end: the keys act on what the tick left.
    PollMediaKeys();
#endif
    Default();
}

void CLumettoDlg::TickProgress() {
    LONGLONG llCurrent = 0;
    LONGLONG llStop = 0;
    HRESULT hr = m_pSeeking ? m_pSeeking->GetPositions(&llCurrent, &llStop) : E_POINTER;
    if (FAILED(hr)) {
        // Nothing was rendered (missing, corrupt or no audio): skip the entry
        // like a finished one, but stop once every entry in a row was skipped.
        if (++m_nUnplayableInARow >= m_list.GetCount() && m_list.GetCount() > 0) {
            OnStop();
            return;
        }
        AdvanceAtTrackEnd();
        return;
    }
    m_nUnplayableInARow = 0;
    if (llCurrent == llStop) {
        AdvanceAtTrackEnd();
        return;
    }

    char szTime[kTimeTextSize];
    FormatPlaybackTime(szTime, MediaTimeToSeconds(llCurrent));
    char szTitle[kTitleBufferSize];
    MakeTrackTitle(m_strCurrentPath, szTitle, sizeof szTitle);

    char szTip[kTooltipTextSize];
    FormatTooltipText(szTip, "%s [%s]", szTitle, szTime);
    szTip[CutAtCharBoundary(szTip, std::strlen(szTip), kTooltipBytes)] = '\0';
    UpdateTip(szTip);

    if (m_pSeeking) m_pSeeking->GetPositions(&llCurrent, &llStop);
    int nSlider = m_slider.GetPos();
    int nPlayed = MediaTimeToSliderUnits(llCurrent);
    long long llDistance = static_cast<long long>(nPlayed) - nSlider;
    if (std::llabs(llDistance) < kSliderHoldDistance) {
        m_slider.SetPos(nPlayed);
    } else {
        FormatSliderTime(szTime, nSlider);
    }

    m_strStatus = szTitle;
    m_strTime = szTime;
    UpdateData(FALSE);
}
