#include "core/icon_layout.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    int cxClient, cyClient, cxIcon, cyIcon, x, y;
};

TEST(CenterIcon, RoundsTheOddPixelTowardTheBottomRight) {
    const Row rows[] = {
        {36, 36, 32, 32, 2, 2},    {37, 37, 32, 32, 3, 3}, {32, 32, 32, 32, 0, 0},
        {0, 0, 32, 32, -15, -15},  // smaller than the icon: truncation toward zero, not floor
        {160, 24, 32, 32, 64, -3},
    };
    for (const Row& r : rows) {
        IconPosition at = CenterIcon(r.cxClient, r.cyClient, r.cxIcon, r.cyIcon);
        EXPECT_EQ(at.x, r.x) << r.cxClient;
        EXPECT_EQ(at.y, r.y) << r.cyClient;
    }
}

}  // namespace
