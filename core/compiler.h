// Compiler-specific annotations. They live in this one header so that every
// other file of core/ builds unchanged with GCC, Clang, mingw-w64 and MSVC.
#pragma once

#include <cstdio>  // mingw-w64: defines __MINGW_PRINTF_FORMAT for the stdio in use

// LUMETTO_PRINTF_FORMAT(fmtIndex, firstArg), placed after a declaration:
// the compiler checks the arguments against the printf format at parameter
// fmtIndex (1-based); firstArg is the first checked argument, 0 for va_list.
#if defined(__MINGW32__)
// mingw-w64 routes printf to either its own C99 code or the C runtime's, and
// the two accept different conversions; check against the one in use.
#define LUMETTO_PRINTF_FORMAT(fmtIndex, firstArg) __attribute__((format(__MINGW_PRINTF_FORMAT, fmtIndex, firstArg)))
#elif defined(__GNUC__)
#define LUMETTO_PRINTF_FORMAT(fmtIndex, firstArg) __attribute__((format(printf, fmtIndex, firstArg)))
#else
#define LUMETTO_PRINTF_FORMAT(fmtIndex, firstArg)
#endif

// LUMETTO_PRINTF_FMT, placed before the format parameter: the same check for
// MSVC's code analysis.
#if defined(_MSC_VER)
#include <sal.h>
#define LUMETTO_PRINTF_FMT _Printf_format_string_
#else
#define LUMETTO_PRINTF_FMT
#endif
