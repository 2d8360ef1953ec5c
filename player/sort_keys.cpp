#include "player/sort_keys.h"

std::string CSortKeyMaker::KeyOf(const std::string& entry) {
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
