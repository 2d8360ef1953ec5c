#include "core/list_file_stream.h"

#include <cstdio>

#include "core/list_file_codec.h"

ListStreamRead ReadListFileStream(const char* pszPath, std::vector<std::string>& entries) {
    // Binary mode: the splitter applies the text-mode rules (CR LF, 0x1A)
    // itself, and fread, unlike fgets, says how many bytes a piece holds.
    std::FILE* f = std::fopen(pszPath, "rb");
    if (f == nullptr) return ListStreamRead::kNotOpened;
    std::vector<std::string> read;
    ListFileLineSplitter splitter;
    char piece[kListStreamPiece];
    size_t n;
    while (!splitter.EndOfData() && (n = std::fread(piece, 1, sizeof piece, f)) > 0) splitter.Feed(piece, n, read);
    bool bFailed = std::ferror(f) != 0;
    std::fclose(f);
    if (bFailed) return ListStreamRead::kReadError;
    splitter.Finish(read);
    entries.insert(entries.end(), read.begin(), read.end());
    return ListStreamRead::kRead;
}
