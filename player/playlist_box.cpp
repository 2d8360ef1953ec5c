#include "player/playlist_box.h"

#include <cstddef>
#include <utility>

#include "core/sorted_add.h"
#include "framework/exceptions.h"

// Keeps the control from redrawing while a batch goes in, with room
// reserved for the batch; the control is repainted once at the end.
class CPlaylistBox::CRedrawOff {
public:
    CRedrawOff(CPlaylistBox& list, const std::vector<std::string>& entries) : m_list(list) {
        size_t cbText = 0;
        for (const std::string& entry : entries) cbText += entry.size() + 1;
        m_list.m_box.SetRedraw(FALSE);
        m_list.m_box.SendMessage(LB_INITSTORAGE, entries.size(), static_cast<LPARAM>(cbText));
        m_list.m_entries.reserve(m_list.m_entries.size() + entries.size());
    }
    ~CRedrawOff() {
        m_list.m_box.SetRedraw(TRUE);
        ::InvalidateRect(m_list.m_box.m_hWnd, nullptr, TRUE);
    }
    CRedrawOff(const CRedrawOff&) = delete;
    CRedrawOff& operator=(const CRedrawOff&) = delete;

private:
    CPlaylistBox& m_list;
};

const std::string& CPlaylistBox::Entry(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetCount()) AfxThrowInvalidArgException();
    return m_entries[static_cast<size_t>(nIndex)];
}

int CPlaylistBox::AddString(const std::string& entry) {
    ++m_nChanges;
    int nAt = m_box.AddString(entry.c_str());
    if (nAt >= 0 && nAt <= GetCount()) m_entries.insert(m_entries.begin() + nAt, entry);
    return nAt;
}

int CPlaylistBox::InsertString(int nIndex, const std::string& entry) {
    ++m_nChanges;
    int nAt = m_box.InsertString(nIndex, entry.c_str());
    if (nAt >= 0 && nAt <= GetCount()) m_entries.insert(m_entries.begin() + nAt, entry);
    return nAt;
}

int CPlaylistBox::DeleteString(UINT nIndex) {
    ++m_nChanges;
    int nLeft = m_box.DeleteString(nIndex);
    if (nLeft != LB_ERR && nIndex < m_entries.size()) m_entries.erase(m_entries.begin() + nIndex);
    return nLeft;
}

void CPlaylistBox::ResetContent() {
    ++m_nChanges;
    m_box.ResetContent();
    m_entries.clear();
}

void CPlaylistBox::AppendBatch(std::vector<std::string> entries) {
    if (entries.empty()) return;
    ++m_nChanges;
    CRedrawOff redrawOff(*this, entries);
    for (std::string& entry : entries) {
        int nAt = m_box.InsertString(-1, entry.c_str());
        if (nAt >= 0 && nAt <= GetCount()) m_entries.insert(m_entries.begin() + nAt, std::move(entry));
    }
}

void CPlaylistBox::AddSortedBatch(std::vector<std::string> entries) {
    if (entries.empty()) return;
    ++m_nChanges;
    // The control's own search, replayed on sort keys, tells where each
    // entry lands; the control then takes them at those places, in order.
    CSortKeyMaker maker(static_cast<LCID>(m_box.SendMessage(LB_GETLOCALE)));
    std::vector<std::string> keys, addedKeys;
    keys.reserve(m_entries.size());
    for (const std::string& entry : m_entries) keys.push_back(maker.KeyOf(entry));
    addedKeys.reserve(entries.size());
    for (const std::string& entry : entries) addedKeys.push_back(maker.KeyOf(entry));
    const size_t nExisting = m_entries.size();
    std::vector<size_t> order = SortedAddOrder(keys, addedKeys);

    CRedrawOff redrawOff(*this, entries);
    std::vector<std::string> merged;
    merged.reserve(order.size());
    bool bOutOfRoom = false;
    for (size_t item : order) {
        if (item < nExisting) {
            merged.push_back(std::move(m_entries[item]));
            continue;
        }
        // Every entry in front of this one is in place, so the index is final.
        // A control out of room takes no more of the batch.
        std::string& entry = entries[item - nExisting];
        if (bOutOfRoom || m_box.InsertString(static_cast<int>(merged.size()), entry.c_str()) < 0) {
            bOutOfRoom = true;
            continue;
        }
        merged.push_back(std::move(entry));
    }
    m_entries.swap(merged);
}
