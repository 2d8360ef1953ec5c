#include "core/drop_list.h"

namespace {

template <typename Unit> std::vector<DropPathSpan> Split(const Unit* units, size_t count, size_t first) {
    std::vector<DropPathSpan> spans;
    size_t pos = first;
    while (pos < count && units[pos] != 0) {
        size_t end = pos;
        while (end < count && units[end] != 0) ++end;
        if (end == count) break;  // no terminator inside the buffer
        spans.push_back({pos, end - pos});
        pos = end + 1;
    }
    return spans;
}

}  // namespace

std::vector<DropPathSpan> SplitDropPaths(const char* units, size_t count, size_t first) {
    return Split(units, count, first);
}

std::vector<DropPathSpan> SplitDropPaths(const char16_t* units, size_t count, size_t first) {
    return Split(units, count, first);
}
