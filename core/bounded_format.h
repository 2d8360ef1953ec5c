// Formatting into fixed-size buffers that end up holding either the whole text
// or nothing. A cut-off text can be worse than none: a search pattern cut
// short names another folder, so a text that does not fit is dropped.
#pragma once

#include <cstdarg>
#include <cstddef>

#include "core/compiler.h"

const size_t kSearchPatternSize = 1024;  // folder search patterns, "%s\\*.mp3"
const size_t kTimeTextSize = 16;         // time texts, "%02d:%02d"
const size_t kTooltipTextSize = 2048;    // notification icon tooltip, "%s [%s]"
const size_t kSlotFileNameSize = 256;    // memory slot list file names

// Formats into buf[0, size). Returns true when the text and its terminator
// fit. Otherwise returns false and leaves buf as the empty string; with size 0
// nothing is written.
bool FormatBounded(char* buf, size_t size, LUMETTO_PRINTF_FMT const char* fmt, va_list args)
    LUMETTO_PRINTF_FORMAT(3, 0);

// The same, for each buffer size above.
bool FormatSearchPattern(char (&buf)[kSearchPatternSize], LUMETTO_PRINTF_FMT const char* fmt, ...)
    LUMETTO_PRINTF_FORMAT(2, 3);
bool FormatTimeText(char (&buf)[kTimeTextSize], LUMETTO_PRINTF_FMT const char* fmt, ...) LUMETTO_PRINTF_FORMAT(2, 3);
bool FormatTooltipText(char (&buf)[kTooltipTextSize], LUMETTO_PRINTF_FMT const char* fmt, ...)
    LUMETTO_PRINTF_FORMAT(2, 3);
bool FormatSlotFileName(char (&buf)[kSlotFileNameSize], LUMETTO_PRINTF_FMT const char* fmt, ...)
    LUMETTO_PRINTF_FORMAT(2, 3);
