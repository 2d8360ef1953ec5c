// Any path and any buffer size: the title must stay inside the buffer (the
// buffer is allocated to its exact size, so AddressSanitizer sees any
// overrun) and be a prefix of the title made with ample room.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/track_title.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const size_t cbTitle = (size_t{data[0]} << 8 | data[1]) % 2100;
    const std::string path(reinterpret_cast<const char*>(data + 2), size - 2);  // ends at its first NUL

    std::vector<char> ample(path.size() + 2);
    MakeTrackTitle(path.c_str(), ample.data(), ample.size());

    std::vector<char> title(cbTitle);
    MakeTrackTitle(path.c_str(), title.data(), cbTitle);
    if (cbTitle == 0) return 0;
    if (memchr(title.data(), 0, cbTitle) == nullptr) abort();
    const size_t len = strlen(title.data());
    if (len > strlen(ample.data()) || memcmp(title.data(), ample.data(), len) != 0) abort();
    return 0;
}
