#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>

#include "reports/reports.hpp"
#include "tests/reports/report_store.hpp"

namespace fragtide::reports {
namespace {

using testing::credit;
using testing::storeFor;

constexpr std::string_view kQ1 = "Quake I : Standard";

TEST(TotalFrags, AddsThePositiveCountsOfEverySlotFromOneToFifty) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, FragCount>> counts;  // (slot, count) of player 1
        std::optional<FragCount> total;
    };
    const Case cases[] = {
        {"two slots", {{3, 2}, {7, 5}}, 7},
        {"slot above the game's count", {{1, 1}, {50, 4}}, 5},
        {"negative and zero counts skipped", {{2, -3}, {4, 0}, {5, 6}}, 6},
        {"only slot 0, which is no weapon", {{0, 9}}, std::nullopt},
        {"no count at all", {}, std::nullopt},
        {"counts past 16 bits", {{1, 40000}, {2, 40000}}, 80000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto store = storeFor(kQ1);
        store->addPlayer("Fred");
        for (const auto& [slot, count] : c.counts)
            store->PlayerWeaponFrags[1][slot] = count;
        EXPECT_EQ(TotalFrags(*store, 1), c.total);
    }
}

TEST(TotalFrags, IsEmptyForPlayerIndicesThatHoldNobody) {
    auto store = storeFor(kQ1);
    credit(*store, "Fred", 1, 3);
    for (int player : {0, 2, 201, -1}) {
        SCOPED_TRACE(player);
        EXPECT_EQ(TotalFrags(*store, player), std::nullopt);
    }
}

TEST(WeaponLeader, NamesTheMostKillsAndTheLowestIndexOnATie) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, FragCount>> counts;  // (player, count) in slot 7
        int leader;
    };
    const Case cases[] = {
        {"nobody scored", {}, 0},
        {"players 2 and 5 tie", {{2, 4}, {5, 4}, {3, 1}}, 2},
        {"player 1 ahead", {{1, 6}, {2, 5}, {3, 1}}, 1},
        {"players 1 and 3 tie", {{1, 6}, {3, 6}}, 1},
        {"the last of 250 players leads", {{1, 1}, {250, 2}}, 250},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto store = storeFor(kQ1);
        for (int p = 1; p <= 250; ++p)
            store->addPlayer("P" + std::to_string(p));
        for (const auto& [player, count] : c.counts)
            store->PlayerWeaponFrags[player][7] = count;
        EXPECT_EQ(WeaponLeader(*store, 7), c.leader);
    }
}

TEST(WeaponLeader, IsNobodyForASlotOutsideTheTable) {
    auto store = storeFor(kQ1);
    EXPECT_EQ(WeaponLeader(*store, 50), 0) << "no player at all";
    store->addPlayer("Fred");
    store->PlayerWeaponFrags[1][50] = 3;
    EXPECT_EQ(WeaponLeader(*store, 50), 1);
    EXPECT_EQ(WeaponLeader(*store, 51), 0);
    EXPECT_EQ(WeaponLeader(*store, -1), 0);
}

TEST(ShareOfMatch, TruncatesTheRealDivisionExactly) {
    constexpr FragCount kMax = std::numeric_limits<FragCount>::max();
    struct Case {
        const char* what;
        FragCount total, matchTotal, share;
    };
    const Case cases[] = {
        {"one of three", 1, 3, 33},
        {"two of three", 2, 3, 66},
        {"seven of ten", 7, 10, 70},
        {"all", 5, 5, 100},
        {"none", 0, 5, 0},
        {"past 16 bits", 30000, 40000, 75},
        {"an empty match", 0, 0, 0},
        {"largest total that is multiplied directly", kMax / 100, kMax / 100 * 3, 33},
        {"just past it", kMax / 100 + 1, (kMax / 100 + 1) * 2, 50},
        {"just below a half of the largest", kMax / 2, kMax, 49},
        {"the largest", kMax, kMax, 100},
        {"one short of all", kMax - 1, kMax, 99},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(shareOfMatch(c.total, c.matchTotal), c.share);
    }
}

TEST(FindPlayerByDisplayName, TakesTheLowestIndexOfNamesThatDisplayAlike) {
    auto store = storeFor(kQ1);
    credit(*store, "Jo\xe9", 1, 1);      // Windows-1252 e acute
    credit(*store, "Jo\xc3\xa9", 1, 1);  // the same letter in UTF-8
    credit(*store, "jo\xc3\xa9", 1, 1);
    struct Case {
        const char* what;
        std::string_view name;
        int player;
    };
    const Case cases[] = {
        {"alike names", "Jo\xc3\xa9", 1},
        {"case differs", "jo\xc3\xa9", 3},
        {"raw bytes are not display text", "Jo\xe9", 0},
        {"unknown", "Jo", 0},
        {"empty is nobody's name", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(findPlayerByDisplayName(*store, c.name), c.player);
    }
}

}  // namespace
}  // namespace fragtide::reports
