// The sorted add's place-finding, replayed on keys: in order where the list
// is in order, and exactly the control's probe sequence where it is not.
#include "core/sorted_add.h"

#include <gtest/gtest.h>

namespace {

using Keys = std::vector<std::string>;

size_t PositionIn(const Keys& list, const std::string& key) {
    std::vector<const std::string*> keys;
    for (const std::string& k : list) keys.push_back(&k);
    return SortedAddPosition(keys, key);
}

TEST(SortedAdd, PositionTable) {
    struct Row {
        const char* what;
        Keys list;
        std::string key;
        size_t position;
    } rows[] = {
        {"empty list", {}, "m", 0},
        {"in front", {"b", "c"}, "a", 0},
        {"at the end", {"b", "c"}, "d", 2},
        {"between", {"a", "c", "e", "g"}, "d", 2},
        {"an equal key: in front of the one probed", {"a", "b", "b", "b", "c"}, "b", 2},
        {"equal key, four entries: entry 1 is probed first", {"b", "b", "b", "b"}, "b", 1},
        // Out of order, as appended entries leave it: the first probe of four
        // is entry 1 ("a" < "m"), then entry 2 ("z" > "m"): place 2.
        {"out of order", {"y", "a", "z", "b"}, "m", 2},
        {"bytes compare unsigned", {"\x01", "\x7f"}, "\x80", 2},
    };
    for (const Row& row : rows) EXPECT_EQ(row.position, PositionIn(row.list, row.key)) << row.what;
}

TEST(SortedAdd, OrderOfARunOfAdds) {
    // Each added key sees the ones added before it.
    EXPECT_EQ((std::vector<size_t>{3, 0, 4, 1, 2}), SortedAddOrder({"b", "d", "e"}, {"a", "c"}));
    EXPECT_EQ((std::vector<size_t>{1, 2, 0}), SortedAddOrder({}, {"c", "a", "b"}));
    EXPECT_EQ((std::vector<size_t>{0, 1}), SortedAddOrder({"x", "y"}, {}));
}

}  // namespace
