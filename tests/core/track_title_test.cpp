#include "core/track_title.h"

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

const unsigned char kGuard = 0xCC;
const size_t kGuardBytes = 64;

// Runs MakeTrackTitle into a buffer of cbTitle bytes followed by a guard area
// and returns the title. Fails the test if anything past cbTitle was written
// or the title is not terminated inside the buffer.
std::string Title(const std::string& path, size_t cbTitle = kTitleBufferSize) {
    std::vector<unsigned char> buf(cbTitle + kGuardBytes, kGuard);
    char* title = reinterpret_cast<char*>(buf.data());
    MakeTrackTitle(path.c_str(), title, cbTitle);
    for (size_t i = cbTitle; i < buf.size(); ++i) {
        if (buf[i] != kGuard) {
            ADD_FAILURE() << "byte " << i << " written, buffer size " << cbTitle;
            break;
        }
    }
    if (cbTitle == 0) return std::string();
    const void* nul = memchr(title, 0, cbTitle);
    if (nul == nullptr) {
        ADD_FAILURE() << "title not terminated inside " << cbTitle << " bytes";
        return std::string();
    }
    return std::string(title);
}

// The lead-byte ranges, written out again so that the models below do not
// lean on the code under test.
bool IsLeadInModel(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The title walk without any bound, copying byte by byte into a buffer big
// enough for every name: the behaviour a bounded title must reproduce
// whenever the name fits the buffer.
std::string UnboundedTitle(const std::string& path) {
    std::vector<char> title(path.size() + 16, '\x7F');
    const char* p = path.c_str();
    size_t count = 0;
    memset(title.data(), 0, 8);
    for (size_t i = 0; i < path.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(p[i]);
        if (b == 0x5C) {
            memset(title.data(), 0, 8);
            count = 0;
        } else if (IsLeadInModel(b)) {
            title[count++] = p[i];
            title[count++] = p[i + 1];  // may be the terminating NUL
            title[count] = 0;
            ++i;
        } else {
            title[count++] = p[i];
            title[count] = 0;
        }
    }
    if (count >= 4) title[count - 4] = 0;
    return std::string(title.data());
}

struct Row {
    const char* name;
    std::string path;
    std::string title;
};

void CheckRows(const Row* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(rows[i].title, Title(rows[i].path));
    }
}

TEST(MakeTrackTitle, NameAfterLastSeparator) {
    const Row rows[] = {
        {"full path", "C:\\Music\\song.mp3", "song"},
        {"no separator", "song.mp3", "song"},
        {"relative path", "Music\\song.wav", "song"},
        {"only the last separator counts", "D:\\a\\b.c\\x.WAV", "x"},
        {"doubled separator", "C:\\Music\\\\song.mp3", "song"},
        {"dots inside the name are kept", "C:\\a.b.c.mp3", "a.b.c"},
        {"extension not parsed: last four bytes go", "C:\\song.flac", "song."},
        {"name of exactly four bytes", "C:\\Music\\.mp3", ""},
        {"forward slash is no separator", "C:/Music/song.mp3", "C:/Music/song"},
    };
    CheckRows(rows, sizeof rows / sizeof rows[0]);
}

TEST(MakeTrackTitle, DoubleByteCharacters) {
    const Row rows[] = {
        {"0x95 0x5C kept whole", "C:\\Music\\\x95\x5C.mp3", "\x95\x5C"},
        {"0x83 0x5C kept whole", "C:\\\x83\x5C\x83\x93\x83\x4F.mp3", "\x83\x5C\x83\x93\x83\x4F"},
        {"0x5C trail byte followed by text",
         "C:\\\x95\x5C"
         "abc.mp3",
         "\x95\x5C"
         "abc"},
        {"0x5C trail byte in a folder name", "C:\\\x95\x5C\\a.mp3", "a"},
        {"real separator after double-byte name", "\x83\x5C\\\x95\x5C.wav", "\x95\x5C"},
        {"trail byte with lead value is not a lead",
         "C:\\\x81\x95\x5C"
         "ab.mp3",
         "ab"},
        {"lowest lead byte",
         "\x81\x5C"
         "a.mp3",
         "\x81\x5C"
         "a"},
        {"highest lead byte of first range",
         "\x9F\x5C"
         "a.mp3",
         "\x9F\x5C"
         "a"},
        {"lowest lead byte of second range",
         "\xE0\x5C"
         "a.mp3",
         "\xE0\x5C"
         "a"},
        {"highest lead byte",
         "\xFC\x5C"
         "a.mp3",
         "\xFC\x5C"
         "a"},
        {"0x80 stands alone",
         "\x80\x5C"
         "a.mp3",
         "a"},
        {"halfwidth katakana 0xA0 stands alone",
         "\xA0\x5C"
         "a.mp3",
         "a"},
        {"halfwidth katakana 0xB1 stands alone", "\xB1\x5C\xB2.mp3", "\xB2"},
        {"halfwidth katakana 0xDF stands alone",
         "\xDF\x5C"
         "a.mp3",
         "a"},
        {"0xFD stands alone",
         "\xFD\x5C"
         "a.mp3",
         "a"},
        {"four-byte cut splits a character",
         "C:\\ab\x95\x5C"
         "xyz",
         "ab\x95"},
    };
    CheckRows(rows, sizeof rows / sizeof rows[0]);
}

TEST(MakeTrackTitle, LeadByteEndingThePath) {
    // The lead byte pairs with the terminating NUL, a name byte of its own:
    // the cut removes that NUL and the name's last three bytes.
    const Row rows[] = {
        {"five-byte name", "C:\\abcd\x81", "ab"},         {"longer name", "C:\\Music\\song.mp\x81", "song."},
        {"four-byte name", "C:\\abc\x81", "a"},           {"three-byte name counts four", "C:\\ab\x81", ""},
        {"two-byte name is short", "C:\\a\x81", "a\x81"}, {"lone lead byte is short", "C:\\\x81", "\x81"},
        {"lead byte is the whole path", "\xE0", "\xE0"},
    };
    CheckRows(rows, sizeof rows / sizeof rows[0]);
}

TEST(MakeTrackTitle, NamesShorterThanFourBytesStayWhole) {
    const Row rows[] = {
        {"empty path", "", ""},
        {"path ending in separator", "C:\\Music\\", ""},
        {"separator alone", "\\", ""},
        {"one byte", "C:\\a", "a"},
        {"two bytes", "C:\\ab", "ab"},
        {"three bytes", "C:\\abc", "abc"},
        {"three bytes without separator", "abc", "abc"},
        {"double-byte character", "C:\\\x95\x5C", "\x95\x5C"},
        {"double-byte character and one byte",
         "C:\\\x95\x5C"
         "a",
         "\x95\x5C"
         "a"},
    };
    CheckRows(rows, sizeof rows / sizeof rows[0]);
}

TEST(MakeTrackTitle, LongNames) {
    struct LongRow {
        const char* name;
        std::string nameBytes;
        size_t titleLen;
    };
    const std::string pair = "\x95\x5C";
    std::string pairs750;
    for (int i = 0; i < 750; ++i) pairs750 += pair;
    const LongRow rows[] = {
        {"1023-byte name", std::string(1019, 'a') + ".mp3", 1019},
        {"1023-byte name ending in a lead byte", std::string(1022, 'a') + "\x81", 1020},
        {"1024-byte name", std::string(1020, 'a') + ".mp3", 1020},
        {"title of exactly 1023 bytes", std::string(1023, 'a') + ".mp3", 1023},
        {"title one byte too long", std::string(1024, 'a') + ".mp3", 1023},
        {"1500-byte name", std::string(1496, 'a') + ".mp3", 1023},
        {"bound inside a double-byte character", pairs750 + ".mp3", 1022},
        {"bound after a double-byte character", "a" + pairs750 + ".mp3", 1023},
    };
    for (const LongRow& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string title = Title("C:\\Music\\" + row.nameBytes);
        EXPECT_EQ(row.titleLen, title.size());
        EXPECT_EQ(row.nameBytes.substr(0, row.titleLen), title);
    }
}

TEST(MakeTrackTitle, SmallBuffersAreNeverOverrun) {
    struct SmallRow {
        const char* name;
        std::string path;
        size_t cbTitle;
        std::string title;
    };
    const SmallRow rows[] = {
        {"no buffer", "C:\\song.mp3", 0, ""},
        {"room for the terminator only", "C:\\song.mp3", 1, ""},
        {"title fits exactly", "C:\\song.mp3", 5, "song"},
        {"title one byte too long", "C:\\song.mp3", 4, "son"},
        {"long single-byte title", "C:\\abcdefghijkl.mp3", 8, "abcdefg"},
        {"bound inside a double-byte character", "C:\\\x95\x5C\x95\x5C\x95\x5C\x95\x5C.mp3", 6, "\x95\x5C\x95\x5C"},
        {"bound after a double-byte character", "C:\\\x95\x5C\x95\x5C\x95\x5C\x95\x5C.mp3", 5, "\x95\x5C\x95\x5C"},
        {"first character does not fit",
         "C:\\\x95\x5C"
         "a.mp3",
         2, ""},
        {"short name cut", "C:\\abc", 3, "ab"},
        {"short name ending in a lead byte", "C:\\a\x81", 2, "a"},
        {"lone lead byte within the bound",
         "C:\\ab\x95\x5C"
         "xyz",
         4, "ab\x95"},
    };
    for (const SmallRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.title, Title(row.path, row.cbTitle));
    }
}

// Paths built from the bytes that matter to the walk: separators, lead bytes
// of both ranges and their edges, bytes next to them, and plain text.
std::string RandomPath(std::mt19937& rng, size_t maxLen) {
    static const char kBytes[] = "a.M3\x5C\x5C\x81\x95\x83\x9F\xE0\xFC\x80\xA0\xB1\xDF\xFD\x40\xFF";
    std::uniform_int_distribution<size_t> len(0, maxLen);
    std::uniform_int_distribution<size_t> pick(0, sizeof kBytes - 2);
    std::string path(len(rng), 'a');
    for (char& c : path) c = kBytes[pick(rng)];
    return path;
}

TEST(MakeTrackTitle, MatchesUnboundedWalkWhenTheTitleFits) {
    std::mt19937 rng(1234);
    for (int n = 0; n < 20000; ++n) {
        const std::string path = RandomPath(rng, n % 10 == 0 ? 1100 : 24);
        const std::string expected = UnboundedTitle(path);
        if (expected.size() >= kTitleBufferSize) continue;
        const std::string title = Title(path);
        if (title != expected) {
            ADD_FAILURE() << "path of " << path.size() << " bytes, expected title of " << expected.size()
                          << " bytes, got " << title.size();
            return;
        }
    }
}

// Whether a title of len bytes, cut from full, ends on a character boundary of
// full and leaves out a character that would not have fitted the room.
bool IsLongestFittingCut(const std::string& full, size_t len, size_t room) {
    if (len == full.size()) return len <= room;
    size_t pos = 0;
    while (pos < len) {
        const bool lead = IsLeadInModel(static_cast<unsigned char>(full[pos]));
        pos += (lead && pos + 1 < full.size()) ? 2 : 1;
    }
    if (pos != len) return false;  // cut inside a character
    const bool nextLead = IsLeadInModel(static_cast<unsigned char>(full[pos]));
    const size_t nextWidth = (nextLead && pos + 1 < full.size()) ? 2 : 1;
    return len <= room && len + nextWidth > room;
}

TEST(MakeTrackTitle, CutTitleIsLongestFittingPrefix) {
    std::mt19937 rng(5678);
    std::uniform_int_distribution<size_t> size(0, 40);
    for (int n = 0; n < 20000; ++n) {
        const std::string path = RandomPath(rng, 60);
        const size_t cbTitle = size(rng);
        const std::string full = UnboundedTitle(path);
        const std::string title = Title(path, cbTitle);
        const size_t room = cbTitle == 0 ? 0 : cbTitle - 1;
        if (full.compare(0, title.size(), title) != 0 || !IsLongestFittingCut(full, title.size(), room)) {
            ADD_FAILURE() << "buffer " << cbTitle << ", full title " << full.size() << " bytes, got " << title.size();
            return;
        }
    }
}

}  // namespace
