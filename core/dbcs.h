// Shift_JIS (code page 932) character structure at the byte level: which
// bytes start a double-byte character, and where text may be cut without
// splitting one.
#pragma once

#include <cstddef>

// True for 0x81-0x9F and 0xE0-0xFC. The byte after a lead byte belongs to the
// same character whatever its value, 0x5C ("\") included. 0x80 and the
// single-byte katakana 0xA0-0xDF stand alone.
bool IsLeadByte932(unsigned char b);

// Length of the longest prefix of text[0, len) that is at most maxBytes long
// and does not end between the two bytes of a double-byte character.
// Characters are counted from text[0], so text must start on a character; a
// lead byte that is the last byte of the text is a character of its own.
size_t CutAtCharBoundary(const char* text, size_t len, size_t maxBytes);
