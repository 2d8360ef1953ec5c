#include "core/time_text.h"

#include <climits>

static_assert(sizeof(int) == 4 && INT_MIN == -INT_MAX - 1, "time values are 32-bit two's complement ints");

namespace {

const int64_t kMediaTimePerSecond = 10000000;
const int64_t kMediaTimePerSliderUnit = 1000000;
const int kSliderUnitsPerSecond = 10;

// v modulo 2^32 as a signed 32-bit value. The conversion to unsigned is
// defined for every value; the way back is spelled out because converting an
// out-of-range value to int is implementation-defined before C++20.
int WrapToInt32(int64_t v) {
    const uint32_t bits = static_cast<uint32_t>(v);
    if (bits <= static_cast<uint32_t>(INT_MAX)) return static_cast<int>(bits);
    return static_cast<int>(bits - 0x80000000u) + INT_MIN;
}

}  // namespace

int MediaTimeToSeconds(int64_t t) { return WrapToInt32(t / kMediaTimePerSecond); }

int MediaTimeToSliderUnits(int64_t t) { return WrapToInt32(t / kMediaTimePerSliderUnit); }

int64_t SliderUnitsToMediaTime(int s) { return static_cast<int64_t>(s) * kMediaTimePerSliderUnit; }

void FormatPlaybackTime(char (&buf)[kTimeTextSize], int seconds) {
    FormatTimeText(buf, "%02d:%02d", seconds / 60, seconds % 60);
}

void FormatSliderTime(char (&buf)[kTimeTextSize], int s) {
    const int seconds = s / kSliderUnitsPerSecond;
    FormatTimeText(buf, "%02d:%02d", s / (60 * kSliderUnitsPerSecond), seconds % 60);
}
