#include "player/sort_keys.h"

#include <system_error>
#include <utility>

namespace {

// Entries go to the thread in pieces: one wake-up per piece, not per entry.
const size_t kHandOver = 256;

}  // namespace

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

CSortKeyWorker::CSortKeyWorker(LCID lcid, const std::vector<std::string>& existing)
    : m_maker(lcid), m_existing(existing) {
    try {
        m_thread = std::thread(&CSortKeyWorker::Run, this);
    } catch (const std::system_error&) {
        // No second thread: Finish makes every key.
    }
}

CSortKeyWorker::~CSortKeyWorker() {
    if (!m_thread.joinable()) return;
    Hand(true);
    m_thread.join();
}

void CSortKeyWorker::Add(const std::string& entry) {
    m_staged.push_back(entry);
    if (m_staged.size() >= kHandOver && m_thread.joinable()) Hand(false);
}

void CSortKeyWorker::Hand(bool bLast) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_handed.empty())
            m_handed.swap(m_staged);
        else
            for (std::string& entry : m_staged) m_handed.push_back(std::move(entry));
        m_bLast = m_bLast || bLast;
    }
    m_staged.clear();
    m_wake.notify_one();
}

void CSortKeyWorker::Run() {
    try {
        m_keys.reserve(m_existing.size());
        for (const std::string& entry : m_existing) m_keys.push_back(m_maker.KeyOf(entry));
        for (;;) {
            std::vector<std::string> piece;
            bool bLast = false;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_wake.wait(lock, [this] { return !m_handed.empty() || m_bLast; });
                piece.swap(m_handed);
                bLast = m_bLast;
            }
            for (const std::string& entry : piece) m_keys.push_back(m_maker.KeyOf(entry));
            // The last hand-over came with everything still to do.
            if (bLast) return;
        }
    } catch (...) {
        m_error = std::current_exception();
    }
}

std::vector<std::string> CSortKeyWorker::Finish() {
    if (m_thread.joinable()) {
        Hand(true);
        m_thread.join();
        if (m_error) std::rethrow_exception(m_error);
        return std::move(m_keys);
    }
    m_keys.clear();
    for (const std::string& entry : m_existing) m_keys.push_back(m_maker.KeyOf(entry));
    for (const std::string& entry : m_staged) m_keys.push_back(m_maker.KeyOf(entry));
    m_staged.clear();
    return std::move(m_keys);
}
