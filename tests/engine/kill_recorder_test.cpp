#include "engine/kill_recorder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "engine/obituary_matcher.hpp"
#include "engine/stats_store.hpp"
#include "engine/store_merge.hpp"

namespace fragtide::engine {
namespace {

TEST(RecordKill, NormalisesNamesLikeStoredLogsExpect) {
    struct Case {
        std::string_view raw, key;
    };
    const Case cases[] = {
        {"  Jim's ", "Jim"},         {"Bob 's", "Bob "},   {"Eve's's", "Eve's"}, {"\tTab ", "\tTab"},
        {"bob", "bob"},              {"   ", ""},          {"'s", ""},           {"Alice'", "Alice'"},
        {" Ann Lee ", "Ann Lee"},    {"S", "S"},           {"Bob's ", "Bob"},    {" 's", ""},
        {"'", "'"},                  {"s", "s"},           {"Jo\xff's", "Jo\xff"}, {"", ""},
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

// More killers than the table keeps, named in several raw forms, some of whom appear (dying, or
// killing themselves) before their first kill: players in the order of their first kill, the first
// 200 only, as a plain list says; and the same when the kills are counted in parts merged in file
// order, a full part counted again in place, as the analysis does.
TEST(RecordKill, PlayerTableEqualsAPlainListWholeAndMergedFromParts) {
    std::mt19937 rng(31);
    std::vector<std::string> raw = {"", "  ", "'s"};
    for (int i = 0; i < 260; ++i) {
        const std::string n = "P" + std::to_string(i);
        raw.insert(raw.end(), {n, " " + n + " ", n + "'s"});
    }
    struct Kill {
        int slot;
        std::string killer, victim;
        bool suicide;
    };
    std::vector<Kill> kills;
    for (int i = 0; i < 20000; ++i) {
        // Newcomers arrive slowly, so that parts of the log meet the table's limit at different times.
        const std::size_t known = std::min(raw.size(), std::size_t{30} + static_cast<std::size_t>(i) / 25);
        kills.push_back({1 + static_cast<int>(rng() % kMaxSlot), raw[rng() % known], raw[rng() % known], rng() % 7 == 0});
    }
    const auto apply = [](StatsStore& store, const Kill& k) {
        if (k.suicide)
            store.People.recordSuicide(normalizeName(k.killer));
        else
            creditKill(store, k.slot, k.killer, k.victim);
    };

    std::vector<std::string> players;
    std::map<std::pair<std::size_t, int>, FragCount> frags;
    for (const Kill& k : kills) {
        const std::string killer(normalizeName(k.killer));
        if (k.suicide || killer.empty())
            continue;
        auto at = std::find(players.begin(), players.end(), killer);
        if (at == players.end() && players.size() < static_cast<std::size_t>(kMaxPlayers))
            at = players.insert(players.end(), killer);
        if (at != players.end())
            ++frags[{static_cast<std::size_t>(at - players.begin()) + 1, k.slot}];
    }
    ASSERT_EQ(players.size(), static_cast<std::size_t>(kMaxPlayers));

    StatsStore whole;
    for (const Kill& k : kills)
        apply(whole, k);
    for (int p = 1; p <= kMaxPlayers; ++p) {
        ASSERT_EQ(whole.PlayerNames()[p], players[static_cast<std::size_t>(p) - 1]) << "player " << p;
        for (int s = 1; s <= kMaxSlot; ++s) {
            const auto it = frags.find({static_cast<std::size_t>(p), s});
            ASSERT_EQ(whole.PlayerWeaponFrags[p][s], it == frags.end() ? 0 : it->second) << p << "/" << s;
        }
    }

    int fullParts = 0, mergedParts = 0;
    for (const std::size_t most : {40u, 900u, 7000u}) {
        SCOPED_TRACE("parts of up to " + std::to_string(most) + " kills");
        StatsStore merged;
        StatsStore part;  // reused, as the analysis reuses its parts
        for (std::size_t at = 0; at < kills.size();) {
            const std::size_t end = std::min(kills.size(), at + 1 + rng() % most);
            part.resetCounts();
            for (std::size_t i = at; i < end; ++i)
                apply(part, kills[i]);
            if (storeIsFull(part)) {
                ++fullParts;
                for (std::size_t i = at; i < end; ++i)
                    apply(merged, kills[i]);
            } else {
                ++mergedParts;
                mergeStore(merged, part);
            }
            at = end;
        }
        EXPECT_EQ(merged.PlayerNames(), whole.PlayerNames());
        EXPECT_TRUE(merged.PlayerWeaponFrags == whole.PlayerWeaponFrags);
        EXPECT_EQ(merged.WeaponFrags, whole.WeaponFrags);
        EXPECT_TRUE(merged.People == whole.People);
    }
    EXPECT_GT(fullParts, 0);
    EXPECT_GT(mergedParts, 0);
}

}  // namespace
}  // namespace fragtide::engine
