#include "core/dbcs.h"

bool IsLeadByte932(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

size_t CutAtCharBoundary(const char* text, size_t len, size_t maxBytes) {
    size_t end = 0;
    while (end < len) {
        const bool pair = IsLeadByte932(static_cast<unsigned char>(text[end])) && end + 1 < len;
        const size_t next = end + (pair ? 2 : 1);
        if (next > maxBytes) break;
        end = next;
    }
    return end;
}
