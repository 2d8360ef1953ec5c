#include "core/bounded_format.h"

#include <cstdio>

bool FormatBounded(char* buf, size_t size, const char* fmt, va_list args) {
    if (size == 0) return false;
    // A negative result covers runtimes that report truncation as an error.
    const int written = vsnprintf(buf, size, fmt, args);
    if (written < 0 || static_cast<size_t>(written) >= size) {
        buf[0] = '\0';
        return false;
    }
    return true;
}

bool FormatSearchPattern(char (&buf)[kSearchPatternSize], const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    const bool fits = FormatBounded(buf, sizeof buf, fmt, args);
    va_end(args);
    return fits;
}

bool FormatTimeText(char (&buf)[kTimeTextSize], const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    const bool fits = FormatBounded(buf, sizeof buf, fmt, args);
    va_end(args);
    return fits;
}

bool FormatTooltipText(char (&buf)[kTooltipTextSize], const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    const bool fits = FormatBounded(buf, sizeof buf, fmt, args);
    va_end(args);
    return fits;
}

bool FormatSlotFileName(char (&buf)[kSlotFileNameSize], const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    const bool fits = FormatBounded(buf, sizeof buf, fmt, args);
    va_end(args);
    return fits;
}
