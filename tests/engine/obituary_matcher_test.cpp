#include "engine/obituary_matcher.hpp"

#include <gtest/gtest.h>

#include "engine/kill_recorder.hpp"
#include "engine/stats_store.hpp"

namespace fragtide::engine {
namespace {

TEST(MatchObituary, CutsTheNamesAsStoredLogsExpect) {
    struct Case {
        const char* what;
        std::string_view line, middle, trailing;
        int killerFirst;
        int result;
        std::string_view killer, victim;  // raw, as the matcher leaves them
    };
    const Case cases[] = {
        {"victim first, possessive ending", "Alice was gibbed by Bob's grenade", " was gibbed by ",
         "'s grenade", 0, 1, "Bob", "Alice "},
        {"killer first", "Bob killed Alice with knife", " killed ", " with knife", 1, 1, "Bob ", "Alice"},
        {"middle text opening with 's", "Alice's brains are on the wall thanks to Bob's 10mm MP5/10 round",
         "'s brains are on the wall thanks to ", "'s 10mm MP5/10 round", 0, 1, "Bob", "Alice'"},
        {"rightmost occurrence decides", "Ann was nailed by Joe was nailed by Max", " was nailed by ", "",
         0, 1, "Max", "Ann was nailed by Joe "},
        {"empty trailing text takes the rest", "Al was shot in the legs by Bo's akimbo Mark 23 Pistols",
         " was shot in the legs by ", "", 0, 1, "Bo's akimbo Mark 23 Pistols", "Al "},
        {"prefix becomes part of the killer", "[10:02] Bob killed Al with awp", " killed ", " with awp", 1, 1,
         "[10:02] Bob ", "Al"},
        {"middle text ends the line", "Alice was nailed by ", " was nailed by ", "", 0, 1, "", "Alice "},
        {"other ending", "Alice was gibbed by Bob's grenade", " was gibbed by ", "'s rocket", 0, 0, "", ""},
        {"case differs", "alice was gibbed by bob's Grenade", " was gibbed by ", "'s grenade", 0, 0, "", ""},
        {"trailing text longer than the line", "a b", " b", "'s grenade volley", 0, 0, "", ""},
        {"no middle text", "Alice died", " was nailed by ", "", 0, 0, "", ""},
        {"rightmost occurrence runs into the ending", "A ate B ate 's rocket"," ate ", "ate 's rocket", 0, 0,
         "", ""},
        {"stray bytes pass through", std::string_view("N\0l was nailed by J\xff", 20), " was nailed by ", "", 0,
         1, "J\xff", std::string_view("N\0l ", 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StatsStore store;
        store.KillerName = "old killer";
        store.VictimName = "old victim";
        EXPECT_EQ(MatchObituary(store, c.line, c.middle, c.trailing, static_cast<std::int16_t>(c.killerFirst)),
                  c.result);
        EXPECT_EQ(store.KillerName, c.result ? c.killer : "old killer");
        EXPECT_EQ(store.VictimName, c.result ? c.victim : "old victim");
    }
}

TEST(MatchObituary, LeavesNamesOfAnEarlierLineWhenARuleRunsIntoItsEnding) {
    // The rightmost " ate " overlaps "ate 's rocket"; the earlier one must not leak its names.
    StatsStore store;
    ASSERT_EQ(MatchObituary(store, "Carol ate Dan's rocket", " ate ", "'s rocket", 0), 1);
    EXPECT_EQ(MatchObituary(store, "X ate Y ate 's rocket", " ate ", "ate 's rocket", 0), 0);
    EXPECT_EQ(store.KillerName, "Dan");
    EXPECT_EQ(store.VictimName, "Carol ");
}

}  // namespace
}  // namespace fragtide::engine
