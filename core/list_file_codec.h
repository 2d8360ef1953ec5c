// List files: a playlist as text, one entry per line, each line the entry's
// bytes followed by CR LF, with no header or trailer. Holds the line encoder
// of the writer and ListFileLineSplitter, the line splitter of the reader.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Appends one entry as a list-file line: its len bytes unchanged, then CR LF.
void AppendListFileLine(std::string& out, const char* entry, size_t len);

// Splits list-file bytes into entries by the platform's text-mode rules, but
// reads every line whole, however long:
// - CR LF and a lone LF end a line. Any other CR, also one that ends the
//   file, is a byte of the line.
// - 0x1A ends the data; nothing after it is read.
// - An entry is its line's bytes up to the line's first NUL, if any.
// - A last line without a line end is a line. An empty file has no lines.
// Chunk borders do not matter: a CR that ends one chunk pairs with a LF that
// starts the next.
class ListFileLineSplitter {
public:
    // Feeds the next chunk of file bytes; complete lines are appended to lines.
    void Feed(const char* data, size_t size, std::vector<std::string>& lines);
    // End of file: a pending last line without a line end is appended.
    // Afterwards no line is pending.
    void Finish(std::vector<std::string>& lines);
    // True once 0x1A was seen: further Feed calls are ignored.
    bool EndOfData() const;

private:
    void AppendToLine(char b);
    void EndLine(std::vector<std::string>& lines);

    std::string m_strLine;        // entry bytes of the current line
    bool m_bLineStarted = false;  // the current line has bytes, kept or not
    bool m_bAfterNul = false;     // the rest of the current line is dropped
    bool m_bPendingCR = false;    // a CR whose meaning depends on the next byte
    bool m_bEndOfData = false;
};

// All entries of a whole list file.
std::vector<std::string> SplitListFile(const std::string& bytes);
