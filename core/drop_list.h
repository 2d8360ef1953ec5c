// The path list of a file drop: NUL-terminated paths one after another,
// ended by an empty path. Reading it in one pass keeps a drop of thousands of
// files linear; asking the shell for path i walks the list from its start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Where one path lies, in code units from the start of the buffer.
struct DropPathSpan {
    size_t offset;
    size_t length;
};

// Splits the list that starts at unit `first` of a buffer of `count` units.
// The list ends at its empty path or at the buffer's end, whichever comes
// first; a path that runs into the buffer's end without its NUL is left out,
// as is everything when `first` lies outside the buffer.
std::vector<DropPathSpan> SplitDropPaths(const char* units, size_t count, size_t first);
std::vector<DropPathSpan> SplitDropPaths(const char16_t* units, size_t count, size_t first);
