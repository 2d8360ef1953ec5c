// Sort keys of playlist entries. A key is the text the list box shows for an
// entry (its bytes read in the ANSI code page) in the locale's sort order
// without regard to case: two keys compare byte by byte as the control's
// comparison of the two texts does, at a fraction of its cost.
#pragma once
#include <windows.h>

#include <condition_variable>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CSortKeyMaker {
public:
    explicit CSortKeyMaker(LCID lcid) : m_lcid(lcid) {}
    std::string KeyOf(const std::string& entry);

private:
    LCID m_lcid;
    // Kept from one entry to the next: the text and the first try at the key.
    std::wstring m_text;
    std::string m_key;
};

// Makes the keys of entries on a second thread while the caller is still
// gathering them, so a folder's keys cost little more than its search. The
// keys of existing come first, then those of the added entries, in order.
// existing must not change until Finish. Where no thread can be started,
// Finish makes the keys itself.
class CSortKeyWorker {
public:
    CSortKeyWorker(LCID lcid, const std::vector<std::string>& existing);
    ~CSortKeyWorker();
    CSortKeyWorker(const CSortKeyWorker&) = delete;
    CSortKeyWorker& operator=(const CSortKeyWorker&) = delete;

    void Add(const std::string& entry);
    // Every key; an error of the second thread is raised here.
    std::vector<std::string> Finish();

private:
    void Run();
    void Hand(bool bLast);

    CSortKeyMaker m_maker;
    const std::vector<std::string>& m_existing;
    std::vector<std::string> m_staged;  // added, not yet handed to the thread
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<std::string> m_handed;  // under m_mutex
    bool m_bLast = false;               // under m_mutex
    std::vector<std::string> m_keys;
    std::exception_ptr m_error;
    std::thread m_thread;
};
