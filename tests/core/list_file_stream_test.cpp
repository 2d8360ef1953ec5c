// The compact edition's list-file reader: C streams read in pieces, split by
// the same rules as every other reader.
#include "core/list_file_stream.h"

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/list_file_codec.h"

namespace {

using Lines = std::vector<std::string>;

template <size_t N> std::string Bytes(const char (&s)[N]) { return std::string(s, N - 1); }

// The bytes written to a file and read back through the stream reader.
Lines ReadThroughStream(const std::string& bytes) {
    const char* kPath = "list_file_stream_test.lst";
    std::FILE* f = std::fopen(kPath, "wb");
    EXPECT_NE(f, nullptr);
    if (f == nullptr) return {"<cannot write>"};
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    Lines lines;
    EXPECT_EQ(ListStreamRead::kRead, ReadListFileStream(kPath, lines));
    std::remove(kPath);
    return lines;
}

TEST(ListFileStream, ReadsWhatTheSplitterReads) {
    const std::string kRows[] = {
        "",
        "a\r\nb\r\n",
        "a\nb\rc\r\n\r\n",
        "last line without a line end",
        "trailing CR\r",
        Bytes("nul\0dropped\r\nkept\r\n"),
        "end\x1A"
        "ignored\r\n",
        "C:\\\x95\x5C.mp3\r\n\xB1\xB2\r\n",
        std::string(1023, 'a') + "\r\n" + std::string(1500, 'b'),
    };
    for (const std::string& bytes : kRows)
        EXPECT_EQ(SplitListFile(bytes), ReadThroughStream(bytes)) << bytes.substr(0, 40);
}

TEST(ListFileStream, MissingFileIsNotOpened) {
    Lines lines = {"kept"};
    EXPECT_EQ(ListStreamRead::kNotOpened, ReadListFileStream("no-such-folder/no-such.lst", lines));
    EXPECT_EQ(Lines({"kept"}), lines);
}

TEST(ListFileStream, FolderGivesNoEntries) {
    // A folder opens on some platforms and then fails to read; either way
    // nothing read so far may pass for the file's entries.
    Lines lines = {"kept"};
    EXPECT_NE(ListStreamRead::kRead, ReadListFileStream(".", lines));
    EXPECT_EQ(Lines({"kept"}), lines);
}

TEST(ListFileStream, NulAndLineEndsAcrossPieceBorders) {
    // A NUL inside a piece and CR LF pairs split by the piece size must not
    // merge or cut entries, wherever the pieces end.
    for (size_t pad = 0; pad < 4; ++pad) {
        std::string bytes(kListStreamPiece - 1 - pad, 'x');
        bytes += Bytes("\r\nab\0cd\r\nef\r\n");
        Lines expected = {std::string(kListStreamPiece - 1 - pad, 'x'), "ab", "ef"};
        EXPECT_EQ(expected, ReadThroughStream(bytes)) << "pad " << pad;
    }
}

}  // namespace
