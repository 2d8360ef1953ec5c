#include "core/audio_file.h"

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct Row {
    const char* path;
    bool audio;
};

// Each path goes in a heap block of its exact size, so that a sanitizer
// build reports any read outside the path.
void CheckRows(const Row* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(rows[i].path);
        const std::vector<char> path(rows[i].path, rows[i].path + strlen(rows[i].path) + 1);
        EXPECT_EQ(rows[i].audio, IsAudioFile(path.data()));
    }
}

TEST(IsAudioFile, Extensions) {
    const Row rows[] = {
        {"C:\\Music\\a.mp3", true},
        {"C:\\Music\\a.wav", true},
        {"A.MP3", true},
        {"x.Wav", true},
        {"a.mP3", true},
        {"C:\\Music\\a.mpeg", false},
        {"a.mp4", false},
        {"a.ogg", false},
        {"a.mp3 ", false},
        {"a.mp3.txt", false},
        {"a_mp3", false},
    };
    CheckRows(rows, sizeof rows / sizeof rows[0]);
}

TEST(IsAudioFile, Length) {
    const Row rows[] = {
        {"", false}, {"3", false}, {"mp3", false}, {"wav", false}, {".mp3", true}, {".WAV", true}, {"\\.mp3", true},
    };
    CheckRows(rows, sizeof rows / sizeof rows[0]);
}

TEST(IsAudioFile, LooksNoFurtherBackThanThePathStart) {
    // The path "mp3" sits right after a "." in memory.
    const char text[] = "x.mp3";
    EXPECT_FALSE(IsAudioFile(text + 2));
    EXPECT_TRUE(IsAudioFile(text + 1));
}

TEST(IsAudioFile, JudgesBytesAloneNotTheFileSystem) {
    const Row rows[] = {
        {"C:\\Music\\live.mp3", true},  // a folder named like a file
        {"relative\\x.wav", true},
        {"Z:\\does\\not\\exist.mp3", true},
        {"C:\\Music\\", false},
        // Double-byte structure is not looked at: here "." is paired with a
        // lead byte, yet the last four bytes still spell ".mp3".
        {"x\x81.mp3", true},
    };
    CheckRows(rows, sizeof rows / sizeof rows[0]);
}

TEST(IsAudioFile, FoldsOnlyAsciiLetters) {
    const Row rows[] = {
        // Bytes that a fold by "| 0x20" would turn into "." or "3".
        {"x\x0Emp3", false},
        {"x.mp\x13", false},
        {"x\x0Ewav", false},
        // High-bit twins of the letters.
        {"x.\xCD\xD0\x33", false},
        {"x.\xED\xF0\x33", false},
        {"x.\xD7\xC1\xD6", false},
        // Fullwidth ".mp3" in Shift_JIS ends in the bytes 0x82 0x52.
        {"x\x81\x44\x82\x8D\x82\x90\x82\x52", false},
    };
    CheckRows(rows, sizeof rows / sizeof rows[0]);
}

}  // namespace
