// Any bytes as a drop's path list, narrow and wide, from any start: every
// span lies inside the buffer, holds no NUL and is followed by one.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/drop_list.h"

template <typename Unit> static void Check(const Unit* units, size_t count, size_t first) {
    size_t previousEnd = first;
    for (const DropPathSpan& s : SplitDropPaths(units, count, first)) {
        if (s.length == 0 || s.offset != previousEnd || s.offset + s.length >= count) abort();
        for (size_t i = s.offset; i < s.offset + s.length; ++i)
            if (units[i] == 0) abort();
        if (units[s.offset + s.length] != 0) abort();
        previousEnd = s.offset + s.length + 1;
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t first = data[0] % 8;
    std::vector<char> narrow(data + 1, data + size);
    Check(narrow.data(), narrow.size(), first);
    std::vector<char16_t> wide((size - 1) / 2);
    if (!wide.empty()) std::memcpy(wide.data(), data + 1, wide.size() * 2);
    Check(wide.data(), wide.size(), first);
    return 0;
}
