// The seek slider: one unit is a tenth of a second. It seeks only when the
// mouse lets go of it.
#include "core/time_text.h"
#include "player/lumetto_dlg.h"

void CLumettoDlg::SetSliderForNewTrack() {
    // What the rewind of the previous graph left, should the read fail.
    LONGLONG llCurrent = 0;
    LONGLONG llStop = 1;
    if (m_pSeeking) m_pSeeking->GetPositions(&llCurrent, &llStop);
    m_slider.SetRangeMax(MediaTimeToSliderUnits(llStop), FALSE);
    m_slider.SetPos(MediaTimeToSliderUnits(llCurrent));
    // The position's redraw erases the old thumb where the new range puts
    // it, not where it stood on screen; a track of another length would
    // leave the old thumb drawn beside the new one.
    m_slider.Invalidate();
    m_slider.SetPageSize(50);
}

void CLumettoDlg::OnReleasedCaptureSeek(NMHDR* /*pNMHDR*/, LRESULT* pResult) {
    LONGLONG llCurrent = 0;
    LONGLONG llStop = 0;
    HRESULT hr = m_pSeeking ? m_pSeeking->GetPositions(&llCurrent, &llStop) : E_POINTER;
    llCurrent = SliderUnitsToMediaTime(m_slider.GetPos());
    if (m_pSeeking) {
        // Without a readable stop position the stop is left where the graph has it.
        m_pSeeking->SetPositions(&llCurrent, AM_SEEKING_AbsolutePositioning, &llStop,
                                 SUCCEEDED(hr) ? AM_SEEKING_AbsolutePositioning : AM_SEEKING_NoPositioning);
    }
    m_slider.SetPos(MediaTimeToSliderUnits(llCurrent));
    *pResult = 0;
}
