#include "player/playlist_box.h"

#include "framework/exceptions.h"

// Redraw off and room reserved for the length of a batch; the control is
// repainted once at its end.
class CPlaylistBox::CBatch {
public:
    CBatch(CPlaylistBox& box, const std::vector<std::string>& entries) : m_box(box) {
        size_t cbText = 0;
        for (const std::string& entry : entries) cbText += entry.size() + 1;
        m_box.SetRedraw(FALSE);
        m_box.SendMessage(LB_INITSTORAGE, entries.size(), static_cast<LPARAM>(cbText));
        m_box.m_entries.reserve(m_box.m_entries.size() + entries.size());
    }
    ~CBatch() {
        m_box.SetRedraw(TRUE);
        ::InvalidateRect(m_box.m_hWnd, nullptr, TRUE);
    }
    CBatch(const CBatch&) = delete;
    CBatch& operator=(const CBatch&) = delete;

private:
    CPlaylistBox& m_box;
};

const std::string& CPlaylistBox::Entry(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetCount()) AfxThrowInvalidArgException();
    return m_entries[static_cast<size_t>(nIndex)];
}

int CPlaylistBox::AddString(const std::string& entry) {
    int nAt = CListBox::AddString(entry.c_str());
    if (nAt >= 0 && nAt <= GetCount()) m_entries.insert(m_entries.begin() + nAt, entry);
    return nAt;
}

int CPlaylistBox::InsertString(int nIndex, const std::string& entry) {
    int nAt = CListBox::InsertString(nIndex, entry.c_str());
    if (nAt >= 0 && nAt <= GetCount()) m_entries.insert(m_entries.begin() + nAt, entry);
    return nAt;
}

int CPlaylistBox::DeleteString(UINT nIndex) {
    int nLeft = CListBox::DeleteString(nIndex);
    if (nLeft != LB_ERR && nIndex < m_entries.size()) m_entries.erase(m_entries.begin() + nIndex);
    return nLeft;
}

void CPlaylistBox::ResetContent() {
    CListBox::ResetContent();
    m_entries.clear();
}

void CPlaylistBox::AppendBatch(const std::vector<std::string>& entries) {
    if (entries.empty()) return;
    CBatch batch(*this, entries);
    for (const std::string& entry : entries) InsertString(-1, entry);
}

void CPlaylistBox::AddSortedBatch(const std::vector<std::string>& entries) {
    if (entries.empty()) return;
    CBatch batch(*this, entries);
    for (const std::string& entry : entries) AddString(entry);
}
