#include <gtest/gtest.h>

#include "cli/json_writer.hpp"
#include "season/civil_time.hpp"
#include "tests/reports/report_store.hpp"

namespace fragtide::cli {
namespace {

TEST(JsonString, EscapesQuotesBackslashesAndControlCharacters) {
    struct Case {
        const char* what;
        std::string_view text;
        std::string_view json;
    };
    const Case cases[] = {
        {"plain", "Fred", "\"Fred\""},
        {"empty", "", "\"\""},
        {"quote and backslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
        {"tab, line feed, carriage return", "a\tb\nc\rd", "\"a\\u0009b\\u000ac\\u000dd\""},
        {"nul and unit separator", std::string_view("a\0b\x1f", 4), "\"a\\u0000b\\u001f\""},
        {"delete", "a\x7f", "\"a\\u007f\""},
        {"non-ASCII kept as UTF-8", "Zo\xc3\xab \xe2\x82\xac", "\"Zo\xc3\xab \xe2\x82\xac\""},
        {"slash kept", "MP5/10", "\"MP5/10\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(jsonString(c.text), c.json);
    }
}

TEST(StatisticsJson, ListsNamedOrCountedSlotsAndNamedPlayers) {
    auto store = testing::storeFor("Quake I : Standard");
    testing::credit(*store, "Ren\xe9 \"the\" Axe", 1, 3);  // Windows-1252, and quotes
    testing::credit(*store, "Jo", 7, 40000);
    testing::credit(*store, "Jo", 50, 1);  // a count without a weapon name
    store->addPlayer("Idle");              // named, no frags: only a hand-built store has him
    EXPECT_EQ(statisticsJson(*store),
              "{\n"
              "  \"game\": \"Quake I : Standard\",\n"
              "  \"weapons\": [\n"
              "    {\"slot\": 1, \"name\": \"Axe\", \"frags\": 3},\n"
              "    {\"slot\": 2, \"name\": \"Shotgun\", \"frags\": 0},\n"
              "    {\"slot\": 3, \"name\": \"Super Shotgun\", \"frags\": 0},\n"
              "    {\"slot\": 4, \"name\": \"Nailgun\", \"frags\": 0},\n"
              "    {\"slot\": 5, \"name\": \"Super Nailgun\", \"frags\": 0},\n"
              "    {\"slot\": 6, \"name\": \"Grenade Launcher\", \"frags\": 0},\n"
              "    {\"slot\": 7, \"name\": \"Rocket Launcher\", \"frags\": 40000},\n"
              "    {\"slot\": 8, \"name\": \"Thunderbolt\", \"frags\": 0},\n"
              "    {\"slot\": 50, \"name\": \"\", \"frags\": 1}\n"
              "  ],\n"
              "  \"players\": [\n"
              "    {\"index\": 1, \"name\": \"Ren\xc3\xa9 \\\"the\\\" Axe\", \"total\": 3, \"frags\": {\"1\": 3}, \"deaths\": 0, \"suicides\": 0, \"team_kills\": 0, \"victims\": []},\n"
              "    {\"index\": 2, \"name\": \"Jo\", \"total\": 40001, \"frags\": {\"7\": 40000, \"50\": 1}, \"deaths\": 0, \"suicides\": 0, \"team_kills\": 0, \"victims\": []},\n"
              "    {\"index\": 3, \"name\": \"Idle\", \"total\": 0, \"frags\": {}, \"deaths\": 0, \"suicides\": 0, \"team_kills\": 0, \"victims\": []}\n"
              "  ],\n"
              "  \"others\": [\n"
              "  ]\n"
              "}\n");
}

TEST(StatisticsJson, IsStillADocumentForAGameWithoutWeaponsOrPlayers) {
    auto store = testing::storeFor("No such game");
    EXPECT_EQ(statisticsJson(*store),
              "{\n  \"game\": \"No such game\",\n  \"weapons\": [\n  ],\n  \"players\": [\n  ],\n"
              "  \"others\": [\n  ]\n}\n");
}

// Deaths, suicides, team kills and victims beside the frags; people who never scored in "others".
TEST(StatisticsJson, AddsThePeopleTableToPlayersAndListsOthers) {
    auto store = testing::storeFor("Quake I : Standard");
    testing::credit(*store, "Bob", 1, 3);
    testing::credit(*store, "Ann", 1, 1);
    auto& people = store->People;
    people.recordKill("Bob", "Carl");
    people.recordKill("Bob", "Ann");
    people.recordKill("Bob", "Carl");
    people.recordKill("Ann", "Bob");
    people.recordSuicide("Dave\t");
    people.recordTeamKill("Carl", "");
    const std::string json = statisticsJson(*store);
    const auto players = json.find("\"players\"");
    ASSERT_NE(players, std::string::npos);
    EXPECT_EQ(json.substr(players),
              "\"players\": [\n"
              "    {\"index\": 1, \"name\": \"Bob\", \"total\": 3, \"frags\": {\"1\": 3}, \"deaths\": 1, "
              "\"suicides\": 0, \"team_kills\": 0, \"victims\": [{\"name\": \"Carl\", \"frags\": 2}, "
              "{\"name\": \"Ann\", \"frags\": 1}]},\n"
              "    {\"index\": 2, \"name\": \"Ann\", \"total\": 1, \"frags\": {\"1\": 1}, \"deaths\": 1, "
              "\"suicides\": 0, \"team_kills\": 0, \"victims\": [{\"name\": \"Bob\", \"frags\": 1}]}\n"
              "  ],\n"
              "  \"others\": [\n"
              "    {\"name\": \"Carl\", \"frags\": 0, \"deaths\": 2, \"suicides\": 0, \"team_kills\": 1},\n"
              "    {\"name\": \"Dave\\u0009\", \"frags\": 0, \"deaths\": 0, \"suicides\": 1, \"team_kills\": 0}\n"
              "  ]\n"
              "}\n");
}

TEST(SeasonJson, AddsRatingsFilesAndMatchesToTheStatistics) {
    season::SeasonView view;
    view.store = std::move(*testing::storeFor("Quake I : Standard"));
    testing::credit(view.store, "Bob", 1, 1);
    view.store.People.recordKill("Bob", "Carl");
    view.ratings = {1008.04, 991.96};  // Bob, Carl: one decimal, rounded
    view.files = {{"/logs/day1.log", 120, 3}};
    view.matches = {{*season::civilSeconds(2026, 11, 3, 20, 15, 0), "e1m1", "/logs/day1.log", 1, 2, "Bob"}};
    const std::string json = seasonJson(view);
    const auto players = json.find("\"players\"");
    ASSERT_NE(players, std::string::npos);
    EXPECT_EQ(json.substr(players),
              "\"players\": [\n"
              "    {\"index\": 1, \"name\": \"Bob\", \"total\": 1, \"frags\": {\"1\": 1}, \"deaths\": 0, "
              "\"suicides\": 0, \"team_kills\": 0, \"victims\": [{\"name\": \"Carl\", \"frags\": 1}], \"rating\": 1008.0}\n"
              "  ],\n"
              "  \"others\": [\n"
              "    {\"name\": \"Carl\", \"frags\": 0, \"deaths\": 1, \"suicides\": 0, \"team_kills\": 0, \"rating\": 992.0}\n"
              "  ],\n"
              "  \"files\": [\n"
              "    {\"path\": \"/logs/day1.log\", \"bytes\": 120, \"lines\": 3}\n"
              "  ],\n"
              "  \"matches\": [\n"
              "    {\"start\": \"2026-11-03T20:15:00\", \"map\": \"e1m1\", \"file\": \"/logs/day1.log\", \"kills\": 1}\n"
              "  ]\n"
              "}\n");
}

}  // namespace
}  // namespace fragtide::cli
