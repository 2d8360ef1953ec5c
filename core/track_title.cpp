#include "core/track_title.h"

#include <cstring>

#include "core/dbcs.h"

namespace {

const unsigned char kSeparator = 0x5C;  // "\"
const size_t kExtensionBytes = 4;       // ".mp3" or ".wav"

}  // namespace

void MakeTrackTitle(const char* pszPath, char* pszTitle, size_t cbTitle) {
    if (cbTitle == 0) return;

    // Find where the name starts. A lead byte's partner is stepped over
    // unexamined, so it is taken neither for a separator nor for a lead byte.
    const size_t pathLen = strlen(pszPath);
    size_t nameStart = 0;
    size_t i = 0;
    while (i < pathLen) {
        const unsigned char b = static_cast<unsigned char>(pszPath[i]);
        if (b == kSeparator)
            nameStart = i + 1;
        else if (IsLeadByte932(b))
            ++i;
        ++i;
    }

    // i is pathLen + 1 when the path ends in a lead byte: the NUL it pairs
    // with is then a name byte, and the cut below never reaches past it.
    const size_t nameBytes = i - nameStart;
    const size_t titleLen = nameBytes >= kExtensionBytes ? nameBytes - kExtensionBytes : pathLen - nameStart;
    const size_t copyLen = CutAtCharBoundary(pszPath + nameStart, titleLen, cbTitle - 1);
    memcpy(pszTitle, pszPath + nameStart, copyLen);
    pszTitle[copyLen] = '\0';
}
