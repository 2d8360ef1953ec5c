#include "core/audio_file.h"

#include <cstring>

namespace {

const size_t kExtensionBytes = 4;

char FoldAsciiUpper(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool IsAudioFile(const char* pszPath) {
    const size_t len = strlen(pszPath);
    if (len < kExtensionBytes) return false;

    char tail[kExtensionBytes];
    for (size_t i = 0; i < kExtensionBytes; ++i) tail[i] = FoldAsciiUpper(pszPath[len - kExtensionBytes + i]);
    return memcmp(tail, ".mp3", kExtensionBytes) == 0 || memcmp(tail, ".wav", kExtensionBytes) == 0;
}
