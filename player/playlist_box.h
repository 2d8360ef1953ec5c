// CPlaylistBox: the playlist. The list box shows the entries and holds the
// selection; beside it this class keeps every entry's own bytes. The control
// stores text in its own character set, which cannot give every byte string
// back unchanged, so entries are read (saved, played, titled) from the bytes
// kept here, never from the control. Every change goes through this class,
// which applies it to the control first and then to the bytes at the index
// the control reports, so both always follow the control's index rules.
#pragma once
#include <string>
#include <vector>

#include "framework/controls.h"

class CPlaylistBox : public CListBox {
public:
    int GetCount() const { return static_cast<int>(m_entries.size()); }
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
    // Adds the entries as the sorted add would, one after another in this
    // order, in one batch.
    void AddSortedBatch(const std::vector<std::string>& entries);

    // The window that held the entries is gone: nothing is left of them.
    void ForgetEntries() { m_entries.clear(); }

private:
    class CBatch;

    std::vector<std::string> m_entries;
};
