#include "core/list_file_codec.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

// A string of exactly the bytes of the literal, NULs included.
template <size_t N> std::string Bytes(const char (&s)[N]) { return std::string(s, N - 1); }

std::string Encode(const Lines& entries) {
    std::string out;
    for (const std::string& e : entries) AppendListFileLine(out, e.data(), e.size());
    return out;
}

// Feeds the bytes in chunks of the given size.
Lines SplitInChunks(const std::string& bytes, size_t chunk) {
    Lines lines;
    ListFileLineSplitter splitter;
    for (size_t pos = 0; pos < bytes.size(); pos += chunk)
        splitter.Feed(bytes.data() + pos, std::min(chunk, bytes.size() - pos), lines);
    splitter.Finish(lines);
    return lines;
}

// Feeds the bytes in two chunks, split at pos.
Lines SplitAt(const std::string& bytes, size_t pos) {
    Lines lines;
    ListFileLineSplitter splitter;
    splitter.Feed(bytes.data(), pos, lines);
    splitter.Feed(bytes.data() + pos, bytes.size() - pos, lines);
    splitter.Finish(lines);
    return lines;
}

struct Row {
    const char* name;
    std::string bytes;
    Lines lines;
};

// Checks each row whole, byte by byte and split in two at every position:
// where the chunks end must never change the lines.
void CheckRows(const Row* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const Row& row = rows[i];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.lines, SplitListFile(row.bytes));
        EXPECT_EQ(row.lines, SplitInChunks(row.bytes, 1)) << "byte by byte";
        for (size_t pos = 0; pos <= row.bytes.size(); ++pos)
            EXPECT_EQ(row.lines, SplitAt(row.bytes, pos)) << "split at " << pos;
    }
}

TEST(ListFileSplit, LineEnds) {
    const Row rows[] = {
        {"empty file", "", {}},
        {"CR LF", "C:\\a.mp3\r\nD:\\b.wav\r\n", {"C:\\a.mp3", "D:\\b.wav"}},
        {"LF only", "C:\\a.mp3\nD:\\b.wav\n", {"C:\\a.mp3", "D:\\b.wav"}},
        {"mixed", "a\r\nb\nc\r\n", {"a", "b", "c"}},
        {"no line end on the last line", "a\r\nb", {"a", "b"}},
        {"single line without line end", "a", {"a"}},
        {"CR LF alone", "\r\n", {""}},
        {"LF alone", "\n", {""}},
        {"empty lines", "\n\r\n\n", {"", "", ""}},
        {"empty line between", "a\n\r\nb", {"a", "", "b"}},
        {"LF CR is two line ends' worth", "\n\r", {"", "\r"}},
    };
    CheckRows(rows, sizeof rows / sizeof rows[0]);
}

TEST(ListFileSplit, CarriageReturnsNotBeforeLineFeed) {
    const Row rows[] = {
        {"lone CR inside a line", "a\rb\r\n", {"a\rb"}},
        {"CR before CR LF", "a\r\r\n", {"a\r"}},
        {"two CRs before LF", "a\r\r\r\n", {"a\r\r"}},
        {"CR at end of file", "a\r", {"a\r"}},
        {"CR alone", "\r", {"\r"}},
        {"CR after a line", "a\n\r", {"a", "\r"}},
        {"CR at line start", "\rb\n", {"\rb"}},
    };
    CheckRows(rows, sizeof rows / sizeof rows[0]);
}

TEST(ListFileSplit, EndOfDataByte) {
    const Row rows[] = {
        {"at file start",
         Bytes("\x1A"
               "a\r\n"),
         {}},
        {"mid-line",
         Bytes("ab\x1A"
               "cd\r\nef\r\n"),
         {"ab"}},
        {"at line start",
         Bytes("ab\r\n\x1A"
               "cd\r\n"),
         {"ab"}},
        {"between CR and LF", Bytes("ab\r\x1A\n"), {"ab\r"}},
        {"after a NUL",
         Bytes("a\0b\x1A"
               "c\n"),
         {"a"}},
        {"at end of file", Bytes("ab\r\n\x1A"), {"ab"}},
        {"alone", Bytes("\x1A"), {}},
    };
    CheckRows(rows, sizeof rows / sizeof rows[0]);
}

TEST(ListFileSplit, NulEndsTheEntry) {
    const Row rows[] = {
        {"mid-line", Bytes("ab\0cd\r\nef\r\n"), {"ab", "ef"}},
        {"at line start", Bytes("\0cd\r\nef"), {"", "ef"}},
        {"NUL alone, no line end", Bytes("\0"), {""}},
        {"several NULs", Bytes("a\0\0b\0\n"), {"a"}},
        {"CR after NUL is dropped too", Bytes("a\0\r\r\n"), {"a"}},
        {"LF after NUL still ends the line", Bytes("a\0b\nc"), {"a", "c"}},
    };
    CheckRows(rows, sizeof rows / sizeof rows[0]);
}

TEST(ListFileSplit, ShiftJisBytesAreData) {
    // Trail bytes in 0x40-0xFC never hold CR, LF, NUL or 0x1A, but 0x5C is
    // one of them and must come through as it is.
    const Row rows[] = {
        {"0x5C trail byte", "C:\\\x95\x5C.mp3\r\n", {"C:\\\x95\x5C.mp3"}},
        {"halfwidth katakana", "\xB1\xB2\r\n", {"\xB1\xB2"}},
    };
    CheckRows(rows, sizeof rows / sizeof rows[0]);
}

TEST(ListFileSplit, LongLinesAreReadWhole) {
    const std::string line1023(1023, 'a');
    const std::string line1500(1500, 'b');
    const Row rows[] = {
        {"1023-byte line", line1023 + "\r\n", {line1023}},
        {"1023-byte line, LF only", line1023 + "\n", {line1023}},
        {"1024-byte line", line1023 + "c\r\n", {line1023 + "c"}},
        {"1500-byte line", line1500 + "\r\n", {line1500}},
        {"1500-byte last line without line end", line1500, {line1500}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.lines, SplitListFile(row.bytes));
        EXPECT_EQ(row.lines, SplitInChunks(row.bytes, 1023));
        EXPECT_EQ(row.lines, SplitInChunks(row.bytes, 1024));
    }
}

TEST(ListFileSplitter, IgnoresFeedsAfterEndOfData) {
    ListFileLineSplitter splitter;
    Lines lines;
    splitter.Feed("a\r\nb", 4, lines);
    EXPECT_FALSE(splitter.EndOfData());
    splitter.Feed(
        "c\x1A"
        "d",
        3, lines);
    EXPECT_TRUE(splitter.EndOfData());
    splitter.Feed("e\r\nf\r\n", 6, lines);
    EXPECT_EQ(Lines({"a"}), lines);
    splitter.Finish(lines);
    EXPECT_EQ(Lines({"a", "bc"}), lines);
    EXPECT_TRUE(splitter.EndOfData());
}

TEST(ListFileSplitter, FinishTwiceAddsNothing) {
    ListFileLineSplitter splitter;
    Lines lines;
    splitter.Feed("a\r", 2, lines);
    splitter.Finish(lines);
    splitter.Finish(lines);
    EXPECT_EQ(Lines({"a\r"}), lines);
}

TEST(ListFileSplit, AllByteValuesInOrder) {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    // 0x00 empties the first line, 0x0A ends it, the CR at 0x0D is data, and
    // 0x1A ends everything.
    std::string second;
    for (int b = 0x0B; b < 0x1A; ++b) second += static_cast<char>(b);
    const Lines expected = {"", second};
    EXPECT_EQ(expected, SplitListFile(bytes));
    EXPECT_EQ(expected, SplitInChunks(bytes, 1));
}

TEST(ListFileSplit, RandomBytesKeepTheRules) {
    // Any bytes: no entry holds LF, NUL or 0x1A; chunking does not matter;
    // and saving the entries and reading them back gives the same entries.
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> len(0, 300);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> special(0, 5);
    const char kSpecial[] = {'\r', '\n', '\0', '\x1A', 'a', '\x95'};
    for (int n = 0; n < 2000; ++n) {
        std::string bytes(static_cast<size_t>(len(rng)), 'a');
        for (char& c : bytes) c = byte(rng) < 64 ? kSpecial[special(rng)] : static_cast<char>(byte(rng));
        const Lines lines = SplitListFile(bytes);
        for (const std::string& e : lines)
            ASSERT_EQ(std::string::npos, e.find_first_of(Bytes("\n\0\x1A"))) << "case " << n;
        ASSERT_EQ(lines, SplitInChunks(bytes, 1)) << "case " << n;
        ASSERT_EQ(lines, SplitInChunks(bytes, 7)) << "case " << n;
        ASSERT_EQ(lines, SplitListFile(Encode(lines))) << "case " << n;
    }
}

TEST(ListFileEncode, TwoEntriesExactBytes) {
    const std::string bytes = Encode({"C:\\a.mp3", "D:\\b.wav"});
    EXPECT_EQ(20u, bytes.size());
    EXPECT_EQ(
        "C:\\a.mp3\x0D\x0A"
        "D:\\b.wav\x0D\x0A",
        bytes);
}

TEST(ListFileEncode, EdgeEntries) {
    struct EncodeRow {
        const char* name;
        Lines entries;
        std::string bytes;
    };
    const EncodeRow rows[] = {
        {"empty playlist", {}, ""},
        {"empty entry", {""}, "\r\n"},
        {"entry ending in CR", {"a\r"}, "a\r\r\n"},
        {"Shift_JIS bytes unchanged", {"\x95\x5C"}, "\x95\x5C\r\n"},
    };
    for (const EncodeRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.bytes, Encode(row.entries));
    }
}

TEST(ListFileEncode, AppendsToWhatIsThere) {
    std::string out = "x\r\n";
    AppendListFileLine(out, "yz", 1);  // only len bytes are taken
    EXPECT_EQ("x\r\ny\r\n", out);
}

TEST(ListFileRoundTrip, EntriesComeBack) {
    // Any bytes but LF, NUL and 0x1A survive, CRs included.
    const Lines entries = {
        "C:\\Music\\a.mp3",     "", "relative\\b.wav", "\x95\x5C\x83\x5C.mp3", "a\r", "\r", "a\rb", "\xB1\xFF\x80",
        std::string(1500, 'z'), "",
    };
    EXPECT_EQ(entries, SplitListFile(Encode(entries)));
}

TEST(ListFileRoundTrip, HundredThousandLines) {
    Lines entries;
    for (int i = 0; i < 100000; ++i) entries.push_back("C:\\Music\\track" + std::to_string(i) + ".mp3");
    const std::string bytes = Encode(entries);
    EXPECT_EQ(entries, SplitListFile(bytes));
    EXPECT_EQ(entries, SplitInChunks(bytes, 1024));
}

}  // namespace
