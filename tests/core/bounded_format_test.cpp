#include "core/bounded_format.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

// Calls FormatBounded through a variadic front end, as the helpers do.
bool Format(char* buf, size_t size, const char* fmt, ...) LUMETTO_PRINTF_FORMAT(3, 4);
bool Format(char* buf, size_t size, const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    const bool fits = FormatBounded(buf, size, fmt, args);
    va_end(args);
    return fits;
}

TEST(FormatBounded, FitsOrLeavesEmpty) {
    struct Row {
        const char* name;
        size_t size;
        const char* arg;
        bool fits;
        const char* expected;
    };
    const Row rows[] = {
        {"room to spare", 16, "abc", true, "abc"},
        {"text and terminator fill the buffer", 4, "abc", true, "abc"},
        {"terminator does not fit", 3, "abc", false, ""},
        {"far too long", 2, "abcdefgh", false, ""},
        {"empty text, terminator only", 1, "", true, ""},
        {"one byte of text, terminator only", 1, "a", false, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        char buf[32];
        memset(buf, 'x', sizeof buf);
        EXPECT_EQ(row.fits, Format(buf, row.size, "%s", row.arg));
        EXPECT_STREQ(row.expected, buf);
        // Nothing past the given size is touched.
        for (size_t i = row.size; i < sizeof buf; ++i) ASSERT_EQ('x', buf[i]) << "byte " << i;
    }
}

TEST(FormatBounded, ZeroSizeWritesNothing) {
    char buf[4] = {'x', 'x', 'x', 'x'};
    EXPECT_FALSE(Format(buf, 0, "%s", ""));
    EXPECT_EQ('x', buf[0]);
}

TEST(FormatBounded, FailureClearsEarlierText) {
    char buf[8];
    ASSERT_TRUE(Format(buf, sizeof buf, "%s", "old"));
    EXPECT_FALSE(Format(buf, sizeof buf, "%s", "far too long"));
    EXPECT_STREQ("", buf);
}

// Each helper at the edge of its own buffer: the longest text that fits, and
// one byte more.
TEST(BoundedHelpers, SearchPattern) {
    char buf[kSearchPatternSize];
    // "\*.mp3" adds six bytes, so a folder of 1017 bytes is the longest.
    const std::string folder(1017, 'f');
    ASSERT_TRUE(FormatSearchPattern(buf, "%s\\*.mp3", folder.c_str()));
    EXPECT_EQ(folder + "\\*.mp3", buf);
    EXPECT_FALSE(FormatSearchPattern(buf, "%s\\*.mp3", (folder + "f").c_str()));
    EXPECT_STREQ("", buf);  // a cut pattern would search another folder

    ASSERT_TRUE(FormatSearchPattern(buf, "%s\\*.wav", "C:\\Music"));
    EXPECT_STREQ("C:\\Music\\*.wav", buf);
}

TEST(BoundedHelpers, TimeText) {
    char buf[kTimeTextSize];
    ASSERT_TRUE(FormatTimeText(buf, "%02d:%02d", 3, 7));
    EXPECT_STREQ("03:07", buf);
    ASSERT_TRUE(FormatTimeText(buf, "%s", std::string(15, 't').c_str()));
    EXPECT_EQ(std::string(15, 't'), buf);
    EXPECT_FALSE(FormatTimeText(buf, "%s", std::string(16, 't').c_str()));
    EXPECT_STREQ("", buf);
}

TEST(BoundedHelpers, TooltipText) {
    char buf[kTooltipTextSize];
    ASSERT_TRUE(FormatTooltipText(buf, "%s [%s]", "song", "01:02"));
    EXPECT_STREQ("song [01:02]", buf);
    // " [" and "]" add three bytes around the two texts.
    const std::string title(2047 - 3 - 5, 'n');
    ASSERT_TRUE(FormatTooltipText(buf, "%s [%s]", title.c_str(), "01:02"));
    EXPECT_EQ(2047u, strlen(buf));
    EXPECT_FALSE(FormatTooltipText(buf, "%s [%s]", (title + "n").c_str(), "01:02"));
    EXPECT_STREQ("", buf);
}

TEST(BoundedHelpers, SlotFileName) {
    char buf[kSlotFileNameSize];
    ASSERT_TRUE(FormatSlotFileName(buf, "%s", "mem1.lst"));
    EXPECT_STREQ("mem1.lst", buf);
    ASSERT_TRUE(FormatSlotFileName(buf, "%s", std::string(255, 'm').c_str()));
    EXPECT_EQ(std::string(255, 'm'), buf);
    EXPECT_FALSE(FormatSlotFileName(buf, "%s", std::string(256, 'm').c_str()));
    EXPECT_STREQ("", buf);
}

}  // namespace
