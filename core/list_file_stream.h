// Reading a list file through the C library's buffered streams, as the
// compact edition reads default.lst. The entries are exactly those that
// SplitListFile gives for the file's bytes: the file is read raw, in pieces
// of at most kListStreamPiece bytes, and the pieces go through the same line
// splitter as the player's reader, so neither the piece size nor NUL bytes
// inside a line can cut or merge entries.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

const size_t kListStreamPiece = 1024;

enum class ListStreamRead { kRead, kNotOpened, kReadError };

// Appends the file's entries. When the file cannot be opened or a read fails
// nothing is appended: a list read in part is never taken for the whole.
ListStreamRead ReadListFileStream(const char* pszPath, std::vector<std::string>& entries);
