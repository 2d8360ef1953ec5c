#include "player/playlist_box.h"

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

void CPlaylistBox::AppendBatch(const std::vector<std::string>& entries) {
    if (entries.empty()) return;
    CBatch batch(*this, entries);
    for (const std::string& entry : entries) InsertString(-1, entry);
}

namespace {

// The key by which the control orders an entry: the text it shows (the bytes
// read in the ANSI code page) in the locale's sort order without regard to
// case. Two keys compare byte by byte as the control's comparison of the two
// texts does, at a fraction of its cost.
std::string SortKey(LCID lcid, const std::string& entry) {
    std::wstring text(entry.size(), L'\0');
    int nUnits = entry.empty() ? 0
                               : ::MultiByteToWideChar(CP_ACP, 0, entry.data(), static_cast<int>(entry.size()),
                                                       &text[0], static_cast<int>(text.size()));
    const DWORD dwFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    // Most keys fit the first guess; only a longer one costs a second call.
    std::string key(static_cast<size_t>(nUnits) * 8 + 64, '\0');
    int cb = ::LCMapStringW(lcid, dwFlags, text.c_str(), nUnits, reinterpret_cast<LPWSTR>(&key[0]),
                            static_cast<int>(key.size()));
    if (cb == 0) {
        cb = ::LCMapStringW(lcid, dwFlags, text.c_str(), nUnits, nullptr, 0);
        key.assign(static_cast<size_t>(cb > 0 ? cb : 0), '\0');
        if (cb > 0) ::LCMapStringW(lcid, dwFlags, text.c_str(), nUnits, reinterpret_cast<LPWSTR>(&key[0]), cb);
    }
    key.resize(static_cast<size_t>(cb > 0 ? cb : 0));
    return key;
}

}  // namespace

void CPlaylistBox::AddSortedBatch(const std::vector<std::string>& entries) {
    if (entries.empty()) return;
    // The control's own search, replayed on keys, tells where each entry
    // lands; the control then takes them at those places, in order.
    LCID lcid = static_cast<LCID>(SendMessage(LB_GETLOCALE));
    std::vector<std::string> existingKeys;
    std::vector<std::string> addedKeys;
    existingKeys.reserve(m_entries.size());
    addedKeys.reserve(entries.size());
    for (const std::string& entry : m_entries) existingKeys.push_back(SortKey(lcid, entry));
    for (const std::string& entry : entries) addedKeys.push_back(SortKey(lcid, entry));
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
