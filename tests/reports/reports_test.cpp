#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/display_text.hpp"
#include "reports/reports.hpp"
#include "tests/reports/report_store.hpp"

namespace fragtide::reports {
namespace {

using testing::credit;
using testing::storeFor;

constexpr std::string_view kQ1 = "Quake I : Standard";
constexpr std::string_view kWarhaven = "Quake I : Warhaven";

TEST(GeneralInfo, WritesTheWorkedExample) {
    auto store = storeFor(kQ1);
    credit(*store, "Fred", 1, 3);
    credit(*store, "Jo", 7, 5);
    EXPECT_EQ(generalInfo(*store), (Lines{
                                       "LIST OF ALL KILLS PER WEAPON:",
                                       "",
                                       "Frags with Axe: 3",
                                       "Frags with Rocket Launcher: 5",
                                       "",
                                       "BIG NUMBERS:",
                                       "",
                                       "Player of the match : Jo with 5 frags! What a fragmonster!",
                                       "",
                                       "",
                                   }));
}

TEST(GeneralInfo, IsSevenFixedLinesWithoutAnyKill) {
    const Lines empty = {"LIST OF ALL KILLS PER WEAPON:", "", "", "BIG NUMBERS:", "", "", ""};
    for (std::string_view game : {kQ1, kWarhaven, std::string_view("No such game")}) {
        SCOPED_TRACE(game);
        EXPECT_EQ(generalInfo(*storeFor(game)), empty);
    }
}

TEST(GeneralInfo, NamesTheEarliestScorerAmongEqualTotals) {
    struct Case {
        const char* what;
        std::vector<std::pair<const char*, FragCount>> kills;  // in log order, all with the axe
        std::string line;
    };
    const Case cases[] = {
        {"tie", {{"Fred", 4}, {"Jo", 4}}, "Player of the match : Fred with 4 frags! What a fragmonster!"},
        {"player 1 ahead", {{"Fred", 5}, {"Jo", 4}, {"Max", 1}},
         "Player of the match : Fred with 5 frags! What a fragmonster!"},
        {"later player ahead", {{"Fred", 1}, {"Jo", 2}, {"Max", 2}},
         "Player of the match : Jo with 2 frags! What a fragmonster!"},
        {"past 16 bits", {{"Fred", 32767}, {"Jo", 70000}},
         "Player of the match : Jo with 70000 frags! What a fragmonster!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto store = storeFor(kQ1);
        for (const auto& [name, kills] : c.kills)
            credit(*store, name, 1, kills);
        const Lines lines = generalInfo(*store);
        ASSERT_EQ(lines.size(), 9u);
        EXPECT_EQ(lines[6], c.line);
    }
}

TEST(GeneralInfo, ListsTheWarhavenChampionsThatScored) {
    struct Case {
        const char* what;
        std::string_view game;
        std::vector<std::tuple<const char*, int, FragCount>> kills;  // name, slot, kills
        Lines champions;
    };
    const Case cases[] = {
        {"all three", kWarhaven,
         {{"Ace_K", 7, 2}, {"Bo", 16, 3}, {"Cy", 1, 1}, {"Ace_K", 16, 1}},
         {"Most feared Specialist/Sniper : Bo with 3 headshots!",
          "Most violent Barbarian : Cy with 1 axe kills!",
          "Most talented Marine : Ace_K with 2 rocket kills!"}},
        {"no headshot", kWarhaven,
         {{"Bo", 7, 4}, {"Cy", 1, 2}},
         {"Most violent Barbarian : Cy with 2 axe kills!",
          "Most talented Marine : Bo with 4 rocket kills!"}},
        {"a tie goes to the earlier scorer", kWarhaven,
         {{"Bo", 1, 2}, {"Cy", 1, 2}},
         {"Most violent Barbarian : Bo with 2 axe kills!"}},
        {"the champion's own count, not the total", kWarhaven,
         {{"Bo", 7, 1}, {"Bo", 2, 9}},
         {"Most talented Marine : Bo with 1 rocket kills!"}},
        {"another game has no champions", kQ1,
         {{"Bo", 7, 4}, {"Cy", 1, 2}},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto store = storeFor(c.game);
        for (const auto& [name, slot, kills] : c.kills)
            credit(*store, name, slot, kills);
        const Lines lines = generalInfo(*store);
        // The champions stand between the two blank lines that end the report.
        ASSERT_GE(lines.size(), 3u + c.champions.size());
        const Lines champions(lines.end() - 1 - static_cast<long>(c.champions.size()), lines.end() - 1);
        EXPECT_EQ(champions, c.champions);
        EXPECT_EQ(lines.end()[-2 - static_cast<long>(c.champions.size())], "");
        EXPECT_EQ(lines.back(), "");
    }
}

TEST(GeneralInfo, LabelsCountsWithTheWeaponNamesOfTheCurrentGame) {
    // Counts left from a Warhaven analysis after the game was changed to the standard one.
    auto store = storeFor(kQ1);
    credit(*store, "Bo", 8, 2);
    credit(*store, "Bo", 16, 4);
    const Lines lines = generalInfo(*store);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[2], "Frags with Thunderbolt: 2");
    EXPECT_EQ(lines[3], "Frags with : 4");
}

TEST(GeneralInfo, CountsKillsCreditedToNobody) {
    auto store = storeFor(kQ1);
    store->WeaponFrags[4] = 3;  // a full player table credits the weapon only
    EXPECT_EQ(generalInfo(*store),
              (Lines{"LIST OF ALL KILLS PER WEAPON:", "", "Frags with Nailgun: 3", "", "BIG NUMBERS:",
                     "", "", ""}));
}

TEST(Reports, ShowNamesAsDisplayText) {
    auto store = storeFor(kWarhaven);
    credit(*store, "Ren\xe9", 1, 2);        // Windows-1252
    credit(*store, "\xc3\x9f" "ean", 7, 1);  // UTF-8 sharp s
    const Lines general = generalInfo(*store);
    EXPECT_EQ(general[7], "Player of the match : Ren\xc3\xa9 with 2 frags! What a fragmonster!");
    EXPECT_EQ(general[9], "Most violent Barbarian : Ren\xc3\xa9 with 2 axe kills!");
    const Lines players = playerInfo(*store);
    EXPECT_EQ(players[2], "Ren\xc3\xa9 has 2 frags");
    EXPECT_EQ(players[8], "\xc3\x9f" "ean did 33 % of the fragging");
    // Upper-cased on characters: e acute becomes E acute; sharp s has no single capital.
    EXPECT_EQ(individualInfo(*store, "Ren\xc3\xa9")[0], "INDIVIDUAL PLAYER SCORES FOR REN\xc3\x89:");
    EXPECT_EQ(individualInfo(*store, "\xc3\x9f" "ean")[0], "INDIVIDUAL PLAYER SCORES FOR \xc3\x9f" "EAN:");
}

TEST(PlayerInfo, WritesTotalsThenShares) {
    auto store = storeFor(kQ1);
    credit(*store, " Big Al ", 3, 7);  // spaces are part of the name
    credit(*store, "Bo", 3, 3);
    EXPECT_EQ(playerInfo(*store),
              (Lines{"LIST OF PLAYERS AND FRAGS PER PLAYER:", "", " Big Al  has 7 frags", "Bo has 3 frags", "",
                     "PERCENTAGES:", "", " Big Al  did 70 % of the fragging", "Bo did 30 % of the fragging",
                     ""}));
    EXPECT_EQ(playerInfo(*storeFor(kQ1)),
              (Lines{"LIST OF PLAYERS AND FRAGS PER PLAYER:", "", "", "PERCENTAGES:", "", ""}));
}

TEST(PlayerInfo, TruncatesEveryShare) {
    struct Case {
        const char* what;
        std::vector<FragCount> totals;  // of players "P1", "P2", ... in index order
        std::vector<int> shares;
    };
    const Case cases[] = {
        {"one each", {1, 1, 1}, {33, 33, 33}},
        {"two and one", {2, 1}, {66, 33}},
        {"one player", {12}, {100}},
        // 16-bit arithmetic would lose both lines: 400 * 100 and 40000 leave its range.
        {"past 16 bits", {40000, 400}, {99, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto store = storeFor(kQ1);
        Lines want;
        for (std::size_t i = 0; i < c.totals.size(); ++i) {
            const std::string name = "P" + std::to_string(i + 1);
            credit(*store, name, 3, c.totals[i]);
            want.push_back(name + " did " + std::to_string(c.shares[i]) + " % of the fragging");
        }
        const Lines lines = playerInfo(*store);
        ASSERT_EQ(lines.size(), 6 + 2 * c.totals.size());
        EXPECT_EQ(Lines(lines.end() - 1 - static_cast<long>(want.size()), lines.end() - 1), want);
    }
}

TEST(PlayerInfo, SkipsFreeEntriesButCountsTheirFrags) {
    auto store = storeFor(kQ1);
    store->addPlayer("Al");
    store->addPlayer("Cy");
    store->addPlayer("");
    store->PlayerWeaponFrags[1][1] = 1;
    store->PlayerWeaponFrags[2][1] = 1;
    store->PlayerWeaponFrags[3][1] = 2;  // an unnamed entry still counts in the match total
    EXPECT_EQ(playerInfo(*store),
              (Lines{"LIST OF PLAYERS AND FRAGS PER PLAYER:", "", "Al has 1 frags", "Cy has 1 frags", "",
                     "PERCENTAGES:", "", "Al did 25 % of the fragging", "Cy did 25 % of the fragging", ""}));
}

TEST(PlayerInfo, GivesAPlayerWithoutFragsNoNumberAndNoShare) {
    // Only a hand-built store has such a player; the match total is then 0 and must not be divided by.
    auto store = storeFor(kQ1);
    store->addPlayer("Al");
    EXPECT_EQ(playerInfo(*store),
              (Lines{"LIST OF PLAYERS AND FRAGS PER PLAYER:", "", "Al has  frags", "", "PERCENTAGES:", "",
                     "Al did 0 % of the fragging", ""}));
}

TEST(IndividualInfo, WritesTheWorkedExample) {
    auto store = storeFor(kQ1);
    credit(*store, "Jo", 7, 1);
    credit(*store, "Fred", 1, 3);
    credit(*store, "Fred", 7, 2);
    EXPECT_EQ(individualInfo(*store, "Fred"), (Lines{
                                                  "INDIVIDUAL PLAYER SCORES FOR FRED:",
                                                  "",
                                                  "Total frags: 5",
                                                  "",
                                                  "Frags per weapon :",
                                                  "Frags with Axe: 3",
                                                  "Frags with Rocket Launcher: 2",
                                                  "",
                                              }));
}

TEST(IndividualInfo, FindsThePlayerByHisExactName) {
    auto store = storeFor(kQ1);
    credit(*store, "ace_k", 2, 1);
    credit(*store, "Ace_K", 4, 2);
    credit(*store, "Ace_K", 50, 1);  // a slot beyond the game's names
    struct Case {
        const char* what;
        std::string_view name;
        Lines lines;
    };
    const Case cases[] = {
        {"mixed case", "Ace_K",
         {"INDIVIDUAL PLAYER SCORES FOR ACE_K:", "", "Total frags: 3", "", "Frags per weapon :",
          "Frags with Nailgun: 2", "Frags with : 1", ""}},
        {"differs only in case", "ace_k",
         {"INDIVIDUAL PLAYER SCORES FOR ACE_K:", "", "Total frags: 1", "", "Frags per weapon :",
          "Frags with Shotgun: 1", ""}},
        {"nobody", "Nobody",
         {"INDIVIDUAL PLAYER SCORES FOR NOBODY:", "", "Total frags: ", "", "Frags per weapon :", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(individualInfo(*store, c.name), c.lines);
    }
}

TEST(IndividualInfo, ShowsAnInvalidTypedNameAsDisplayText) {
    auto store = storeFor(kQ1);
    credit(*store, "Ren\xe9", 1, 1);
    // Raw bytes are never a displayed name, so nobody is found, but the heading stays UTF-8.
    const Lines lines = individualInfo(*store, "Ren\xe9");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "INDIVIDUAL PLAYER SCORES FOR REN\xc3\x89:");
    EXPECT_EQ(lines[2], "Total frags: ");
}

TEST(IndividualInfo, TakesThePlayerAtAListPositionByIndexNotByName) {
    auto store = storeFor(kQ1);
    // "Jo\xe9" (Windows-1252) and "Jo\xc3\xa9" (UTF-8) both display as "Jo\u00e9".
    credit(*store, "Jo\xe9", 1, 1);
    credit(*store, "Jo\xc3\xa9", 2, 2);
    credit(*store, "Al", 7, 4);
    struct Case {
        const char* what;
        int position;
        Lines lines;
    };
    const Case cases[] = {
        {"the first of two alike", 0,
         {"INDIVIDUAL PLAYER SCORES FOR JO\xc3\x89:", "", "Total frags: 1", "", "Frags per weapon :",
          "Frags with Axe: 1", ""}},
        {"the second of two alike", 1,
         {"INDIVIDUAL PLAYER SCORES FOR JO\xc3\x89:", "", "Total frags: 2", "", "Frags per weapon :",
          "Frags with Shotgun: 2", ""}},
        {"a third player", 2,
         {"INDIVIDUAL PLAYER SCORES FOR AL:", "", "Total frags: 4", "", "Frags per weapon :",
          "Frags with Rocket Launcher: 4", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(individualInfoAt(*store, c.position), c.lines);
    }
    // By name, the earlier of the two is meant.
    EXPECT_EQ(individualInfo(*store, "Jo\xc3\xa9"), cases[0].lines);
}

}  // namespace
}  // namespace fragtide::reports
