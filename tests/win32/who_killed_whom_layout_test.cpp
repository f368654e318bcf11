#include "ui/win32/who_killed_whom_layout.hpp"

#include <gtest/gtest.h>

namespace fragtide::ui::win32 {
namespace {

constexpr WhoKilledWhomMetrics kAt96{8, 75, 23};

TEST(WhoKilledWhomLayout, KeepsTheNamesBesideTheCountsAndTheButtonsUnder) {
    struct Case {
        const char* what;
        int width, height, namesWidth;
        WhoKilledWhomRects expected;
    };
    const Case cases[] = {
        {"the names as wide as they ask", 544, 321, 150,
         {{8, 8, 150, 274}, {158, 8, 378, 274}, {378, 290, 75, 23}, {461, 290, 75, 23}}},
        {"a narrow window: the names give way to the counts", 258, 321, 150,
         {{8, 8, 96, 274}, {104, 8, 146, 274}, {92, 290, 75, 23}, {175, 290, 75, 23}}},
        {"no names yet", 544, 321, 0,
         {{8, 8, 0, 274}, {8, 8, 528, 274}, {378, 290, 75, 23}, {461, 290, 75, 23}}},
        {"smaller than the margins: nothing negative", 10, 10, 150,
         {{8, 8, 0, 0}, {8, 8, 0, 0}, {8, 8, 75, 23}, {8, 8, 75, 23}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const WhoKilledWhomRects got = whoKilledWhomLayout(c.width, c.height, c.namesWidth, kAt96);
        EXPECT_EQ(got.names, c.expected.names);
        EXPECT_EQ(got.counts, c.expected.counts);
        EXPECT_EQ(got.copy, c.expected.copy);
        EXPECT_EQ(got.close, c.expected.close);
    }
}

}  // namespace
}  // namespace fragtide::ui::win32
