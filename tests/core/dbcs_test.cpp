#include "core/dbcs.h"

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(IsLeadByte932, RangeEdges) {
    struct Row {
        unsigned char b;
        bool lead;
    };
    const Row rows[] = {
        {0x00, false}, {0x5C, false}, {0x7F, false}, {0x80, false}, {0x81, true},  {0x9F, true},  {0xA0, false},
        {0xB1, false}, {0xDF, false}, {0xE0, true},  {0xFC, true},  {0xFD, false}, {0xFF, false},
    };
    for (const Row& row : rows) EXPECT_EQ(row.lead, IsLeadByte932(row.b)) << "byte 0x" << std::hex << int(row.b);
}

TEST(IsLeadByte932, CountOverAllBytes) {
    // 0x81-0x9F and 0xE0-0xFC: 31 + 29 values, no others.
    int leads = 0;
    for (int b = 0; b < 256; ++b) leads += IsLeadByte932(static_cast<unsigned char>(b)) ? 1 : 0;
    EXPECT_EQ(60, leads);
}

struct CutRow {
    const char* name;
    std::string text;
    size_t maxBytes;
    size_t expected;
};

TEST(CutAtCharBoundary, Table) {
    const CutRow rows[] = {
        {"empty text", "", 5, 0},
        {"empty text, no room", "", 0, 0},
        {"no room", "abc", 0, 0},
        {"fits exactly", "abc", 3, 3},
        {"room to spare", "abc", 100, 3},
        {"single bytes cut anywhere", "abcdef", 4, 4},
        {"cut between characters",
         "\x95\x5C"
         "\x83\x5C",
         2, 2},
        {"cut inside first character",
         "\x95\x5C"
         "\x83\x5C",
         1, 0},
        {"cut inside second character",
         "\x95\x5C"
         "\x83\x5C",
         3, 2},
        {"odd start shifts pairs",
         "a\x95\x5C"
         "b",
         2, 1},
        {"odd start, cut after pair",
         "a\x95\x5C"
         "b",
         3, 3},
        {"trail byte with lead value is not a lead", "\x81\x95\x5C", 2, 2},
        {"trail byte with lead value, next cut",
         "\x81\x95"
         "\x95\x5C",
         3, 2},
        {"lead byte last in text stands alone", "ab\x81", 3, 3},
        {"lone last lead byte fits in shorter cut", "a\x81", 2, 2},
        {"halfwidth katakana stand alone", "\xB1\xB2\xB3", 2, 2},
        {"0x80 stands alone", "\x80\x80", 1, 1},
        {"0xFD stands alone", "\xFD\x41", 1, 1},
        {"0xFC is a lead byte", "\xFC\x41", 1, 0},
        {"0xE0 is a lead byte", "\xE0\x41", 1, 0},
        {"0x9F is a lead byte", "\x9F\x41", 1, 0},
    };
    for (const CutRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.expected, CutAtCharBoundary(row.text.data(), row.text.size(), row.maxBytes));
    }
}

TEST(CutAtCharBoundary, LooksOnlyAtTheGivenLength) {
    // The byte after len is a trail byte that must not be paired with.
    const char text[] = "ab\x95\x5C";
    EXPECT_EQ(3u, CutAtCharBoundary(text, 3, 3));
    EXPECT_EQ(2u, CutAtCharBoundary(text, 4, 3));
}

}  // namespace
