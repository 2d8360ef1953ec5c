// CPlaylistBox: the playlist. The list box shows the entries and holds the
// selection; beside it this class keeps every entry's own bytes. The control
// stores text in its own character set, which cannot give every byte string
// back unchanged, so entries are read (saved, played, titled) from the bytes
// kept here, never from the control. The class owns the control: every
// change goes through it, applied to the control first and then to the bytes
// at the index the control reports, so both follow the control's index rules.
#pragma once
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/ddx.h"
#include "player/sort_keys.h"

class CPlaylistBox {
public:
    // Binds the dialog's list box, which starts empty, to the playlist.
    friend void DDX_Control(CDataExchange* pDX, int nIDC, CPlaylistBox& rList) { DDX_Control(pDX, nIDC, rList.m_box); }

    int GetCount() const { return static_cast<int>(m_entries.size()); }
    int GetCurSel() const { return m_box.GetCurSel(); }
    // -1 clears the selection.
    int SetCurSel(int nSelect) { return m_box.SetCurSel(nSelect); }
    void SetHorizontalExtent(int cxExtent) { m_box.SetHorizontalExtent(cxExtent); }
    // All bytes of the entry; an index with no entry raises the invalid-argument error.
    const std::string& Entry(int nIndex) const;
    void GetText(int nIndex, CString& rString) const { rString = Entry(nIndex); }
    const std::vector<std::string>& Entries() const { return m_entries; }

    // Sorted add, by the control's own order; the index it landed at, or LB_ERR.
    int AddString(const std::string& entry);
    int AddString(const char* psz) { return AddString(std::string(psz)); }
    // -1 (or the count) appends; the index it landed at, or LB_ERR.
    int InsertString(int nIndex, const std::string& entry);
    int InsertString(int nIndex, const char* psz) { return InsertString(nIndex, std::string(psz)); }
    int DeleteString(UINT nIndex);
    void ResetContent();

    // Appends the entries in one batch: storage reserved, no redraw until the
    // end. The entries' bytes are taken over, not copied.
    void AppendBatch(std::vector<std::string> entries);
    // Adds the entries as the sorted add would, one after another in the
    // order given, in one batch. Their bytes are taken over, not copied.
    void AddSortedBatch(std::vector<std::string> entries);

    // The window that held the entries is gone: nothing is left of them.
    void ForgetEntries() { m_entries.clear(); }

    // Grows with every change of the entries; two equal counts mean no change in between.
    unsigned ChangeCount() const { return m_nChanges; }

private:
    class CRedrawOff;

    CListBox m_box;
    std::vector<std::string> m_entries;
    unsigned m_nChanges = 0;
};
