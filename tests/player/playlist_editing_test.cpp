// The editing commands, driven by button clicks on the real window.
#include "tests/player/dialog_fixture.h"

namespace {

using EntryList = std::vector<std::string>;

struct EditCase {
    const char* name;
    EntryList before;
    int selected;
    int button;
    EntryList after;
    int selectedAfter;
};

const EditCase kEditCases[] = {
    {"delete last selects new last", {"A", "B", "C"}, 2, IDC_DELETE, {"A", "B"}, 1},
    {"delete first selects follower", {"A", "B", "C"}, 0, IDC_DELETE, {"B", "C"}, 0},
    {"delete middle selects follower", {"A", "B", "C"}, 1, IDC_DELETE, {"A", "C"}, 1},
    {"delete only entry leaves nothing", {"A"}, 0, IDC_DELETE, {}, -1},
    {"delete without selection", {"A", "B", "C"}, -1, IDC_DELETE, {"A", "B", "C"}, -1},
    {"delete on empty list", {}, -1, IDC_DELETE, {}, -1},
    {"clear all", {"A", "B", "C"}, 1, IDC_CLEARALL, {}, -1},
    {"move up first goes to bottom", {"A", "B", "C"}, 0, IDC_UP, {"B", "C", "A"}, 2},
    {"move up swaps with above", {"A", "B", "C"}, 1, IDC_UP, {"B", "A", "C"}, 0},
    {"move up last", {"A", "B", "C"}, 2, IDC_UP, {"A", "C", "B"}, 1},
    {"move up without selection", {"A", "B", "C"}, -1, IDC_UP, {"A", "B", "C"}, -1},
    {"move up single entry", {"A"}, 0, IDC_UP, {"A"}, 0},
    {"move down last goes to top", {"A", "B", "C"}, 2, IDC_DOWN, {"C", "A", "B"}, 0},
    {"move down swaps with below", {"A", "B", "C"}, 1, IDC_DOWN, {"A", "C", "B"}, 2},
    {"move down first", {"A", "B", "C"}, 0, IDC_DOWN, {"B", "A", "C"}, 1},
    {"move down without selection", {"A", "B", "C"}, -1, IDC_DOWN, {"A", "B", "C"}, -1},
    {"move down single entry", {"A"}, 0, IDC_DOWN, {"A"}, 0},
    // Moves replace entries in place: an unsorted list stays unsorted.
    {"move keeps unsorted order", {"z", "b", "y", "a"}, 1, IDC_DOWN, {"z", "y", "b", "a"}, 2},
    {"duplicates stand twice", {"A", "A", "B"}, 0, IDC_DOWN, {"A", "A", "B"}, 1},
};

class PlaylistEditingTest : public MainWindowTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(PlaylistEditingTest, ListAndSelectionAfterCommand) {
    const EditCase& c = GetParam();
    StartWindow();
    SetEntries(c.before);
    Select(c.selected);
    Click(c.button);
    EXPECT_EQ(Entries(), c.after);
    EXPECT_EQ(Selection(), c.selectedAfter);
}

INSTANTIATE_TEST_SUITE_P(Commands, PlaylistEditingTest, ::testing::ValuesIn(kEditCases),
                         [](const ::testing::TestParamInfo<EditCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

TEST_F(MainWindowTest, EditingKeepsTheCurrentTrackIndexes) {
    StartWindow();
    SetEntries({"A", "B", "C", "D"});
    m_dlg.m_nCurrent = 2;
#if LUMETTO_STOP_REMEMBERS_ENTRY
    m_dlg.m_nLastPlayed = 3;
#endif
    Select(3);
    Click(IDC_UP);
    Click(IDC_DOWN);
    Click(IDC_DELETE);
    Click(IDC_CLEARALL);
    EXPECT_EQ(m_dlg.m_nCurrent, 2);
#if LUMETTO_STOP_REMEMBERS_ENTRY
    EXPECT_EQ(m_dlg.m_nLastPlayed, 3);
#endif
}

TEST_F(MainWindowTest, LongAndDoubleByteEntriesMoveWhole) {
    StartWindow();
    std::string longEntry(3000, 'x');
    longEntry += "\x95\x5C\x83\x5C.mp3";
    SetEntries({"a", longEntry});
    Select(1);
    Click(IDC_UP);
    EXPECT_EQ(Entries(), (EntryList{longEntry, "a"}));
    Click(IDC_UP);  // first entry goes to the bottom
    EXPECT_EQ(Entries(), (EntryList{"a", longEntry}));
}

}  // namespace
