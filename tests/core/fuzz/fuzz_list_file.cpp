// Any bytes, fed in chunks whose sizes the input picks: the lines must match
// a single feed, hold no LF, NUL or 0x1A, and survive a save and re-read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/list_file_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t chunk = data[0] % 17 + 1;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::vector<std::string> whole = SplitListFile(bytes);

    std::vector<std::string> chunked;
    ListFileLineSplitter splitter;
    for (size_t pos = 0; pos < bytes.size(); pos += chunk)
        splitter.Feed(bytes.data() + pos, bytes.size() - pos < chunk ? bytes.size() - pos : chunk, chunked);
    splitter.Finish(chunked);
    if (chunked != whole) abort();

    std::string saved;
    for (const std::string& e : whole) {
        if (e.find_first_of(std::string("\n\0\x1A", 3)) != std::string::npos) abort();
        AppendListFileLine(saved, e.data(), e.size());
    }
    if (SplitListFile(saved) != whole) abort();
    return 0;
}
