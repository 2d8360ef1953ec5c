// The one-pass reader of a drop's path list, against lists as the shell
// builds them and against damaged ones.
#include <gtest/gtest.h>

#include <string>

#include "core/drop_list.h"

namespace {

template <typename Unit>
std::vector<std::basic_string<Unit>> Paths(const std::basic_string<Unit>& buffer, size_t first) {
    std::vector<std::basic_string<Unit>> paths;
    for (const DropPathSpan& s : SplitDropPaths(buffer.data(), buffer.size(), first))
        paths.push_back(buffer.substr(s.offset, s.length));
    return paths;
}

using Narrow = std::vector<std::string>;

TEST(DropListTest, SplitsNarrowLists) {
    struct Case {
        std::string buffer;
        size_t first;
        Narrow expected;
    };
    const Case cases[] = {
        {std::string("HDRC:\\a.mp3\0D:\\b\0\0", 18), 3, {"C:\\a.mp3", "D:\\b"}},
        {std::string("\0\0", 2), 0, {}},                         // nothing dropped
        {std::string("x.mp3\0\0trailing\0", 16), 0, {"x.mp3"}},  // stops at the empty path
        {std::string("a\0b\0", 4), 0, {"a", "b"}},               // ends with the buffer
        {std::string("a\0unterminated", 14), 0, {"a"}},          // cut short: partial path left out
        {std::string("a\0\0", 3), 9, {}},                        // start outside the buffer
        {std::string("\x83\x5c\x83\x74\x83\x67.mp3\0\0", 12), 0, {"\x83\x5c\x83\x74\x83\x67.mp3"}},  // DBCS bytes kept
    };
    for (const Case& c : cases) EXPECT_EQ(Paths(c.buffer, c.first), c.expected) << c.first;
}

TEST(DropListTest, SplitsWideLists) {
    const char16_t list[] = u"C:\\\u97f3\u697d\\a.mp3\0E:\\folder\0";
    std::u16string buffer(list, sizeof list / sizeof list[0]);  // the literal's own NUL ends the list
    auto paths = Paths(buffer, 0);
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[0], u"C:\\\u97f3\u697d\\a.mp3");
    EXPECT_EQ(paths[1], u"E:\\folder");
    EXPECT_TRUE(Paths(std::u16string(u"abc", 3), 0).empty());
}

TEST(DropListTest, TenThousandPathsInOrder) {
    std::string buffer;
    for (int i = 0; i < 10000; ++i) buffer += "C:\\tracks\\" + std::to_string(i) + ".mp3" + '\0';
    buffer += '\0';
    auto spans = SplitDropPaths(buffer.data(), buffer.size(), 0);
    ASSERT_EQ(spans.size(), 10000u);
    EXPECT_EQ(buffer.substr(spans[9999].offset, spans[9999].length), "C:\\tracks\\9999.mp3");
}

}  // namespace
