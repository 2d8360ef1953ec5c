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

// Appends the file's entries; false (and nothing appended) when it cannot be
// opened. A read error ends the reading like the end of the file.
bool ReadListFileStream(const char* pszPath, std::vector<std::string>& entries);
