#include "core/list_file_codec.h"

#include <utility>

namespace {

const char kCR = '\x0D';
const char kLF = '\x0A';
const char kEndOfData = '\x1A';  // Ctrl-Z: text-mode reading stops here

}  // namespace

void AppendListFileLine(std::string& out, const char* entry, size_t len)
{
    out.append(entry, len);
    out += kCR;
    out += kLF;
}

void ListFileLineSplitter::Feed(const char* data, size_t size, std::vector<std::string>& lines)
{
    for (size_t i = 0; i < size && !m_bEndOfData; ++i) {
        const char b = data[i];
        if (m_bPendingCR) {
            m_bPendingCR = false;
            if (b == kLF) {
                EndLine(lines);
                continue;
            }
            AppendToLine(kCR);
        }
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

void ListFileLineSplitter::Finish(std::vector<std::string>& lines)
{
    if (m_bPendingCR) {
        m_bPendingCR = false;
        AppendToLine(kCR);
    }
    if (m_bLineStarted)
        EndLine(lines);
}

bool ListFileLineSplitter::EndOfData() const
{
    return m_bEndOfData;
}

void ListFileLineSplitter::AppendToLine(char b)
{
    m_bLineStarted = true;
    if (b == '\0')
        m_bAfterNul = true;
    if (!m_bAfterNul)
        m_strLine += b;
}

void ListFileLineSplitter::EndLine(std::vector<std::string>& lines)
{
    lines.push_back(std::move(m_strLine));
    m_strLine.clear();
    m_bLineStarted = false;
    m_bAfterNul = false;
}

std::vector<std::string> SplitListFile(const std::string& bytes)
{
    std::vector<std::string> lines;
    ListFileLineSplitter splitter;
    splitter.Feed(bytes.data(), bytes.size(), lines);
    splitter.Finish(lines);
    return lines;
}
