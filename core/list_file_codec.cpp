#include "core/list_file_codec.h"

#include <utility>

namespace {

const char kCR = '\x0D';
const char kLF = '\x0A';
const char kEndOfData = '\x1A';  // Ctrl-Z: text-mode reading stops here

// The bytes that do more than stand for themselves in a line.
bool IsLineControl(char b) { return b == kLF || b == kCR || b == kEndOfData || b == '\0'; }

}  // namespace

void AppendListFileLine(std::string& out, const char* entry, size_t len) {
    out.append(entry, len);
    out += kCR;
    out += kLF;
}

void ListFileLineSplitter::Feed(const char* data, size_t size, std::vector<std::string>& lines) {
    size_t i = 0;
    while (i < size && !m_bEndOfData) {
        if (m_bPendingCR) {
            m_bPendingCR = false;
            if (data[i] == kLF) {
                EndLine(lines);
                ++i;
                continue;
            }
            AppendToLine(kCR);
        }
        // A run of ordinary bytes goes into the line in one piece: a long
        // list costs a few appends per line, not one per byte.
        size_t end = i;
        while (end < size && !IsLineControl(data[end])) ++end;
        if (end > i) {
            m_bLineStarted = true;
            if (!m_bAfterNul) m_strLine.append(data + i, end - i);
            i = end;
            continue;
        }
        const char b = data[i++];
        if (b == kEndOfData)
            m_bEndOfData = true;
        else if (b == kLF)
            EndLine(lines);
        else if (b == kCR)
            m_bPendingCR = true;
        else
            AppendToLine(b);
    }
}

void ListFileLineSplitter::Finish(std::vector<std::string>& lines) {
    if (m_bPendingCR) {
        m_bPendingCR = false;
        AppendToLine(kCR);
    }
    if (m_bLineStarted) EndLine(lines);
}

bool ListFileLineSplitter::EndOfData() const { return m_bEndOfData; }

void ListFileLineSplitter::AppendToLine(char b) {
    m_bLineStarted = true;
    if (b == '\0') m_bAfterNul = true;
    if (!m_bAfterNul) m_strLine += b;
}

void ListFileLineSplitter::EndLine(std::vector<std::string>& lines) {
    // Copied at its size; the line buffer keeps its room for the next line.
    lines.emplace_back(m_strLine);
    m_strLine.clear();
    m_bLineStarted = false;
    m_bAfterNul = false;
}

std::vector<std::string> SplitListFile(const std::string& bytes) {
    std::vector<std::string> lines;
    ListFileLineSplitter splitter;
    splitter.Feed(bytes.data(), bytes.size(), lines);
    splitter.Finish(lines);
    return lines;
}
