// Track titles: the name part of a playlist entry's path, as the status line,
// the tooltip and the new-track balloon show it.
#pragma once

#include <cstddef>

// The size of the title buffers that the window texts are built from.
const size_t kTitleBufferSize = 1024;

// Writes the title of pszPath into pszTitle[0, cbTitle): the bytes after the
// last "\" separator, less the name's last four bytes (the extension, for any
// path that IsAudioFile accepts). The walk is double-byte aware, so the 0x5C
// second byte of a character such as 0x95 0x5C is not a separator.
// - A lead byte that ends the path pairs with the terminating NUL, which then
//   counts as a name byte: the four-byte cut removes that NUL and the name's
//   last three bytes.
// - The four-byte cut counts bytes, not characters, and may leave a lone lead
//   byte at the end of the title.
// - A name shorter than four bytes (also the empty name of a path that ends
//   in "\") is kept whole.
// - A title longer than cbTitle - 1 bytes is cut at a character boundary.
//   Nothing is written outside pszTitle[0, cbTitle); with cbTitle 0 nothing
//   is written at all.
void MakeTrackTitle(const char* pszPath, char* pszTitle, size_t cbTitle = kTitleBufferSize);
