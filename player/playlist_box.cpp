#include "player/playlist_box.h"

#include <utility>

#include "core/sorted_add.h"
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

void CPlaylistBox::AppendBatch(std::vector<std::string> entries) {
    if (entries.empty()) return;
    CBatch batch(*this, entries);
    for (std::string& entry : entries) {
        int nAt = CListBox::InsertString(-1, entry.c_str());
        if (nAt >= 0 && nAt <= GetCount()) m_entries.insert(m_entries.begin() + nAt, std::move(entry));
    }
}

namespace {

// The key by which the control orders an entry: the text it shows (the bytes
// read in the ANSI code page) in the locale's sort order without regard to
// case. Two keys compare byte by byte as the control's comparison of the two
// texts does, at a fraction of its cost. The text and the first try at the
// key go through buffers kept from one entry to the next.
class CSortKeyMaker {
public:
    explicit CSortKeyMaker(LCID lcid) : m_lcid(lcid) {}

    std::string KeyOf(const std::string& entry) {
        if (m_text.size() < entry.size()) m_text.resize(entry.size());
        int nUnits = entry.empty() ? 0
                                   : ::MultiByteToWideChar(CP_ACP, 0, entry.data(), static_cast<int>(entry.size()),
                                                           &m_text[0], static_cast<int>(m_text.size()));
        const DWORD dwFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
        // Most keys fit the first guess; only a longer one costs a second call.
        size_t cbGuess = static_cast<size_t>(nUnits) * 8 + 64;
        if (m_key.size() < cbGuess) m_key.resize(cbGuess);
        int cb = ::LCMapStringW(m_lcid, dwFlags, m_text.data(), nUnits, reinterpret_cast<LPWSTR>(&m_key[0]),
                                static_cast<int>(m_key.size()));
        if (cb > 0) return std::string(m_key.data(), static_cast<size_t>(cb));
        cb = ::LCMapStringW(m_lcid, dwFlags, m_text.data(), nUnits, nullptr, 0);
        std::string key(static_cast<size_t>(cb > 0 ? cb : 0), '\0');
        if (cb > 0) ::LCMapStringW(m_lcid, dwFlags, m_text.data(), nUnits, reinterpret_cast<LPWSTR>(&key[0]), cb);
        return key;
    }

private:
    LCID m_lcid;
    std::wstring m_text;
    std::string m_key;
};

}  // namespace

void CPlaylistBox::AddSortedBatch(const std::vector<std::string>& entries) {
    if (entries.empty()) return;
    // The control's own search, replayed on keys, tells where each entry
    // lands; the control then takes them at those places, in order.
    CSortKeyMaker keys(static_cast<LCID>(SendMessage(LB_GETLOCALE)));
    std::vector<std::string> existingKeys;
    std::vector<std::string> addedKeys;
    existingKeys.reserve(m_entries.size());
    addedKeys.reserve(entries.size());
    for (const std::string& entry : m_entries) existingKeys.push_back(keys.KeyOf(entry));
    for (const std::string& entry : entries) addedKeys.push_back(keys.KeyOf(entry));
    std::vector<size_t> order = SortedAddOrder(existingKeys, addedKeys);

    CBatch batch(*this, entries);
    const size_t nExisting = existingKeys.size();
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
        const std::string& entry = entries[item - nExisting];
        if (bOutOfRoom || CListBox::InsertString(static_cast<int>(merged.size()), entry.c_str()) < 0) {
            bOutOfRoom = true;
            continue;
        }
        merged.push_back(entry);
    }
    m_entries.swap(merged);
}
