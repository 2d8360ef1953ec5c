#include "core/time_text.h"

#include <climits>
#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

namespace {

const int64_t kSecond = 10000000;  // media time units per second

struct ConvertRow {
    const char* name;
    int64_t t;
    int expected;
};

TEST(MediaTimeToSeconds, Table) {
    const ConvertRow rows[] = {
        {"zero", 0, 0},
        {"just under a second", kSecond - 1, 0},
        {"one second", kSecond, 1},
        {"3725.9 s truncates", 37259000000, 3725},
        {"negative truncates toward zero", -(kSecond - 1), 0},
        {"minus one second", -kSecond, -1},
        {"minus 1.5 s", -15000000, -1},
        {"largest int", int64_t{INT_MAX} * kSecond, INT_MAX},
        {"2^31 s wraps to INT_MIN", (int64_t{1} << 31) * kSecond, INT_MIN},
        {"2^32 s wraps to zero", (int64_t{1} << 32) * kSecond, 0},
        {"2^32 + 5 s wraps to 5", ((int64_t{1} << 32) + 5) * kSecond, 5},
        {"-(2^31 + 1) s wraps to INT_MAX", -((int64_t{1} << 31) + 1) * kSecond, INT_MAX},
        {"INT64_MAX", INT64_MAX, -1080764955},
        {"INT64_MIN", INT64_MIN, 1080764955},
    };
    for (const ConvertRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.expected, MediaTimeToSeconds(row.t));
    }
}

TEST(MediaTimeToSliderUnits, Table) {
    const int64_t unit = 1000000;
    const ConvertRow rows[] = {
        {"zero", 0, 0},
        {"just under a tenth", unit - 1, 0},
        {"17.3 s", 173000000, 173},
        {"17.39 s truncates", 173900000, 173},
        {"negative truncates toward zero", -(unit - 1), 0},
        {"minus a tenth", -unit, -1},
        {"largest int", int64_t{INT_MAX} * unit, INT_MAX},
        {"2^31 units wrap to INT_MIN", (int64_t{1} << 31) * unit, INT_MIN},
        {"2^32 units wrap to zero", (int64_t{1} << 32) * unit, 0},
        {"2^31 s is 2^32 * 5 units", (int64_t{1} << 31) * kSecond, 0},
        {"INT64_MAX", INT64_MAX, 2077252342},
        {"INT64_MIN", INT64_MIN, -2077252342},
    };
    for (const ConvertRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.expected, MediaTimeToSliderUnits(row.t));
    }
}

TEST(SliderUnitsToMediaTime, Table) {
    struct Row {
        int s;
        int64_t expected;
    };
    const Row rows[] = {
        {0, 0},
        {1, 1000000},
        {-1, -1000000},
        {173, 173000000},
        {INT_MAX, int64_t{2147483647} * 1000000},  // needs 64 bits
        {INT_MIN, int64_t{-2147483647 - 1} * 1000000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.s);
        EXPECT_EQ(row.expected, SliderUnitsToMediaTime(row.s));
    }
}

TEST(SliderUnitsToMediaTime, RoundTripsThroughSliderUnits) {
    const int values[] = {0, 1, -1, 173, 36000, INT_MAX, INT_MIN};
    for (int s : values) EXPECT_EQ(s, MediaTimeToSliderUnits(SliderUnitsToMediaTime(s))) << s;
}

struct TextRow {
    int value;
    const char* expected;
};

// The buffer starts full of 'x' so that a missing terminator or a text left
// short shows.
template <typename Format> void CheckTexts(const TextRow* rows, size_t count, Format format) {
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(rows[i].value);
        char buf[kTimeTextSize];
        memset(buf, 'x', sizeof buf);
        format(buf, rows[i].value);
        ASSERT_NE(nullptr, memchr(buf, 0, sizeof buf));
        EXPECT_STREQ(rows[i].expected, buf);
    }
}

TEST(FormatPlaybackTime, Table) {
    const TextRow rows[] = {
        {0, "00:00"},
        {9, "00:09"},
        {59, "00:59"},
        {60, "01:00"},
        {3725, "62:05"},
        {5999, "99:59"},
        {6000, "100:00"},  // minutes are not folded into hours
        {INT_MAX, "35791394:07"},
        {-1, "00:-1"},
        {-59, "00:-59"},
        {-61, "-1:-1"},
        {INT_MIN, "-35791394:-8"},
    };
    CheckTexts(rows, sizeof rows / sizeof rows[0],
               [](char(&buf)[kTimeTextSize], int v) { FormatPlaybackTime(buf, v); });
}

TEST(FormatSliderTime, Table) {
    const TextRow rows[] = {
        {0, "00:00"},
        {9, "00:00"},
        {173, "00:17"},
        {599, "00:59"},
        {600, "01:00"},
        {36000, "60:00"},
        {60000, "100:00"},
        {INT_MAX, "3579139:24"},
        {-1, "00:00"},
        {-10, "00:-1"},
        {-600, "-1:00"},
        {-6010, "-10:-1"},
        {INT_MIN, "-3579139:-24"},
    };
    CheckTexts(rows, sizeof rows / sizeof rows[0], [](char(&buf)[kTimeTextSize], int v) { FormatSliderTime(buf, v); });
}

TEST(TimeText, MediaTimeToPlaybackText) {
    char buf[kTimeTextSize];
    FormatPlaybackTime(buf, MediaTimeToSeconds(37259000000));  // 3725.9 s
    EXPECT_STREQ("62:05", buf);
    FormatSliderTime(buf, MediaTimeToSliderUnits(37259000000));
    EXPECT_STREQ("62:05", buf);
}

}  // namespace
