// The four editing commands. None of them starts, stops or re-points
// playback: the current-track indexes are left as they are.
#include "player/lumetto_dlg.h"

void CLumettoDlg::OnDelete() {
    int nSel = m_list.GetCurSel();
    if (nSel != -1) m_list.DeleteString(nSel);
    int nCount = m_list.GetCount();
    if (nSel >= nCount) nSel = nCount - 1;
    // Runs in every case: the entry after the deleted one (or the new last one) is selected.
    m_list.SetCurSel(nSel);
}

void CLumettoDlg::OnClearAll() { m_list.ResetContent(); }

void CLumettoDlg::OnMoveUp() {
    int nSel = m_list.GetCurSel();
    if (nSel == -1) return;
    CString strMoved;
    m_list.GetText(nSel, strMoved);
    if (nSel == 0) {
        // The first entry moves to the bottom.
        m_list.DeleteString(0);
        int nCount = m_list.GetCount();
        m_list.InsertString(nCount, strMoved);
        m_list.SetCurSel(nCount);
        return;
    }
    CString strAbove;
    m_list.GetText(nSel - 1, strAbove);
    // Replace in place (delete, then insert at the same index): never re-sorted.
    m_list.DeleteString(nSel);
    m_list.InsertString(nSel, strAbove);
    m_list.DeleteString(nSel - 1);
    m_list.InsertString(nSel - 1, strMoved);
    m_list.SetCurSel(nSel - 1);
}

void CLumettoDlg::OnMoveDown() {
    int nSel = m_list.GetCurSel();
    if (nSel == -1) return;
    int nCount = m_list.GetCount();
    CString strMoved;
    m_list.GetText(nSel, strMoved);
    if (nSel + 1 < nCount) {
        CString strBelow;
        m_list.GetText(nSel + 1, strBelow);
        m_list.DeleteString(nSel);
        m_list.InsertString(nSel, strBelow);
        m_list.DeleteString(nSel + 1);
        m_list.InsertString(nSel + 1, strMoved);
        m_list.SetCurSel(nSel + 1);
        return;
    }
    // The last entry moves to the top.
    m_list.DeleteString(nSel);
    m_list.InsertString(0, strMoved);
    m_list.SetCurSel(0);
}
