// CString: the 8-bit (ANSI code page) string the window classes hold.
#pragma once
#include <string>
#include <cstring>

class CString {
public:
    CString() = default;
    CString(const char* psz) : m_str(psz ? psz : "") {}
    CString(const char* pch, int nLength) : m_str(pch, nLength > 0 ? nLength : 0) {}
    CString(const std::string& s) : m_str(s) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    const char* GetString() const { return m_str.c_str(); }
    operator const char*() const { return m_str.c_str(); }
    const std::string& Str() const { return m_str; }

    CString& operator=(const char* psz) {
        m_str = psz ? psz : "";
        return *this;
    }
    CString& operator+=(const char* psz) {
        m_str += psz ? psz : "";
        return *this;
    }
    CString& operator+=(const CString& s) {
        m_str += s.m_str;
        return *this;
    }
    CString& operator+=(char ch) {
        m_str += ch;
        return *this;
    }

    // Room for nMinBufLength bytes plus a terminator; ReleaseBuffer(-1) takes
    // the length from the first NUL.
    char* GetBuffer(int nMinBufLength) {
        if (nMinBufLength < 0) nMinBufLength = 0;
        if (static_cast<int>(m_str.size()) < nMinBufLength) m_str.resize(nMinBufLength);
        return &m_str[0];
    }
    void ReleaseBuffer(int nNewLength = -1) {
        if (nNewLength < 0) nNewLength = static_cast<int>(std::strlen(m_str.c_str()));
        m_str.resize(nNewLength);
    }

    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const char* b) { return a.m_str == (b ? b : ""); }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_str + (b ? b : "")); }

private:
    std::string m_str;
};
