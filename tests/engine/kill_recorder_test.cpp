#include "engine/kill_recorder.hpp"

#include <gtest/gtest.h>

#include "engine/obituary_matcher.hpp"
#include "engine/stats_store.hpp"

namespace fragtide::engine {
namespace {

TEST(RecordKill, NormalisesNamesLikeStoredLogsExpect) {
    struct Case {
        std::string_view raw, key;
    };
    const Case cases[] = {
        {"  Jim's ", "Jim"},         {"Bob 's", "Bob "},   {"Eve's's", "Eve's"}, {"\tTab ", "\tTab"},
        {"bob", "bob"},              {"   ", ""},          {"'s", ""},           {"Alice'", "Alice'"},
        {" Ann Lee ", "Ann Lee"},    {"S", "S"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.raw));
        EXPECT_EQ(normalizeName(c.raw), c.key);
    }
}

TEST(RecordKill, CreditsTheKillerOncePerSlotWhateverTheCount) {
    StatsStore store;
    ASSERT_EQ(MatchObituary(store, "Alice was gibbed by Bob's grenade", " was gibbed by ", "'s grenade", 0), 1);
    RecordKill(store, 1, 6, "");
    EXPECT_EQ(store.WeaponFrags[6], 1);
    EXPECT_EQ(store.VictimName, "Alice");
    EXPECT_EQ(store.PlayerNames()[1], "Bob");
    EXPECT_EQ(store.PlayerWeaponFrags[1][6], 1);

    ASSERT_EQ(MatchObituary(store, "Carol was nailed by Bob", " was nailed by ", "", 0), 1);
    RecordKill(store, 2, 4, "");  // two rules of the slot matched: still one kill
    EXPECT_EQ(store.WeaponFrags[4], 1);
    EXPECT_EQ(store.PlayerWeaponFrags[1][4], 1);
    EXPECT_TRUE(store.PlayerNames()[2].empty());

    store.KillerName = "  spaced  ";
    RecordKill(store, 0, 4, "");  // no match: nothing changes, not even the spacing
    EXPECT_EQ(store.KillerName, "  spaced  ");
    EXPECT_EQ(store.WeaponFrags[4], 1);

    store.KillerName = "bob";
    RecordKill(store, 1, 4, "");
    EXPECT_EQ(store.PlayerNames()[2], "bob") << "letter case makes another player";

    store.KillerName = " Eve's's ";
    RecordKill(store, 1, 4, "");
    EXPECT_EQ(store.KillerName, "Eve's") << "one \"'s\" only";
    EXPECT_EQ(store.PlayerNames()[3], "Eve's");
}

TEST(RecordKill, CountsAnUnnamedKillerForTheWeaponOnly) {
    StatsStore store;
    store.KillerName = "  's";
    RecordKill(store, 1, 1, "");
    EXPECT_EQ(store.WeaponFrags[1], 1);
    EXPECT_TRUE(store.PlayerNames()[1].empty());
    store.KillerName = "Max";
    RecordKill(store, 1, 1, "");
    EXPECT_EQ(store.PlayerNames()[1], "Max");
    EXPECT_EQ(store.PlayerWeaponFrags[1][1], 1) << "the unnamed kill must not pass to the next player";
}

TEST(RecordKill, KeepsCreditingTheFirst200PlayersOnly) {
    StatsStore store;
    for (int i = 1; i <= 201; ++i) {
        store.KillerName = "P" + std::to_string(i);
        RecordKill(store, 1, 2, "");
    }
    store.KillerName = "P7";
    RecordKill(store, 1, 2, "");
    EXPECT_EQ(store.WeaponFrags[2], 202);
    EXPECT_EQ(store.PlayerNames()[200], "P200");
    EXPECT_EQ(store.findPlayer("P201"), 0);
    EXPECT_EQ(store.PlayerWeaponFrags[7][2], 2);
    EXPECT_EQ(store.PlayerWeaponFrags[0][2], 0);
}

TEST(RecordKill, CountsPast32767) {
    StatsStore store;
    for (int i = 0; i < 40000; ++i) {
        store.KillerName = "Bob";
        RecordKill(store, 1, 3, "");
    }
    EXPECT_EQ(store.WeaponFrags[3], 40000);
    EXPECT_EQ(store.PlayerWeaponFrags[1][3], 40000);
}

}  // namespace
}  // namespace fragtide::engine
