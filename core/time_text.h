// Media time (a signed 64-bit count of 100 ns units) as whole seconds and as
// seek-slider units (tenths of a second), and the "mm:ss" texts of the time
// field and the slider.
#pragma once

#include <cstdint>

#include "core/bounded_format.h"

// Whole seconds in t, truncated toward zero, then taken modulo 2^32 as a
// signed 32-bit value: absurdly long times wrap rather than saturate.
int MediaTimeToSeconds(int64_t t);

// Tenths of a second in t, truncated toward zero and wrapped like the above.
int MediaTimeToSliderUnits(int64_t t);

// The media time of a slider position; exact for every int.
int64_t SliderUnitsToMediaTime(int s);

// "mm:ss" of a count of seconds. Minutes are not folded into hours, so 6000
// seconds read "100:00". Every int fits the buffer; negative values come out
// with their signs ("00:-1" for -1).
void FormatPlaybackTime(char (&buf)[kTimeTextSize], int seconds);

// "mm:ss" of a slider position in tenths of a second; tenths are dropped.
void FormatSliderTime(char (&buf)[kTimeTextSize], int s);
