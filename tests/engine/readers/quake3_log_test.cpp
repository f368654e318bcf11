#include "engine/readers/quake3_log.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/game_catalogue.hpp"
#include "engine/reference/analyze_bytes.hpp"
#include "engine/reference/quake3_log_reference.hpp"
#include "engine/reference/reference_people.hpp"
#include "engine/reference/server_log_reference.hpp"
#include "engine/stats_store.hpp"
#include "rules/quake3_server_log.hpp"

namespace fragtide::engine {
namespace {

using K = HlEventKind;
const rules::Game& kQ3 = rules::quake3_server_log::kGame;

TEST(Quake3Log, CutsKillLinesAsTheRegularExpression) {
    struct Case {
        const char* what;
        std::string line;
        std::string_view killer, victim, weapon;
    };
    const Case cases[] = {
        {"games.log", " 20:54 Kill: 2 3 10: Grunt killed Sarge by MOD_RAILGUN", "Grunt", "Sarge", "MOD_RAILGUN"},
        {"a unix time and a bar", "1340187921|Kill: 2 3 10: A killed B by MOD_SHOTGUN", "A", "B", "MOD_SHOTGUN"},
        {"no prefix", "Kill: 2 3 10: A killed B by UT_MOD_SPAS", "A", "B", "UT_MOD_SPAS"},
        {"more numbers before the colon", "  1:21 Kill: 2 3 10 4 -1: A killed B by MOD_BFG", "A", "B", "MOD_BFG"},
        {"a tail after the word", "Kill: 2 3 10: A killed B by MOD_RAILGUN|1;2;3", "A", "B", "MOD_RAILGUN"},
        {"words after the word", "Kill: 2 3 10: A killed B by MOD_ROCKET (direct hit)", "A", "B", "MOD_ROCKET"},
        {"phrases in the names: shortest killer, longest victim",
         "Kill: 2 3 10: A killed by B killed C by D by MOD_GAUNTLET", "A", "by B killed C by D", "MOD_GAUNTLET"},
        {"a last \" by \" without a word", "Kill: 2 3 10: A killed B by MOD_NAIL by ", "A", "B", "MOD_NAIL"},
        {"empty names", "Kill: 2 3 10:  killed  by MOD_LAVA", "", "", "MOD_LAVA"},
        {"colour codes kept here", "Kill: 2 3 10: ^1A^7 killed ^^4B by MOD_RAILGUN", "^1A^7", "^^4B", "MOD_RAILGUN"},
    };
    fragtide::reference::Quake3Reference plain;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto read = readQuake3Line(c.line);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->kind, Quake3LineKind::Kill);
        EXPECT_EQ(read->killer, c.killer);
        EXPECT_EQ(read->victim, c.victim);
        EXPECT_EQ(read->weapon, c.weapon);
        EXPECT_EQ(read->client.digits, "2");
        EXPECT_EQ(read->victimClient.digits, "3");
        ASSERT_TRUE(plain.read(c.line).has_value()) << "the expression reads it too";
    }
    for (const std::string line : {"Kill: 2 3: A killed B by MOD_RAILGUN", "Kill: 2 3 10 : A killed B by X",
                                   "Kill:  2 3 10: A killed B by X", "Kill: 2 3 10: A killed B with X",
                                   "Kill: 2 3 10: A killed B by |X", "x Kill: 2 3 10: A killed B by X",
                                   " 20:54 Item: 2 weapon_rocketlauncher", " 20:54 say: A: A killed B by X"}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(readQuake3Line(line).has_value());
        EXPECT_FALSE(plain.read(line).has_value());
    }
}

// The keyword scan reads sixteen bytes at a time with a look ahead: every offset against those
// blocks and the end, and the near misses, which it must pass over.
TEST(Quake3Log, FindsEveryTeamKeywordWhereverItLies) {
    // Each near miss has a keyword's first and last byte where the scan looks for them.
    constexpr std::string_view kMisses = "Cabcdt Ixxxxxxx: InitGameX Clien ";
    for (const std::string_view keyword : {"Client", "InitGame:"}) {
        for (std::size_t at = 0; at < 50; ++at) {
            for (std::size_t after = 0; after < 20; ++after) {
                SCOPED_TRACE(std::string(keyword) + " at " + std::to_string(at) + " then " + std::to_string(after));
                std::string bytes;
                while (bytes.size() < at)
                    bytes += kMisses;
                bytes.resize(at);
                bytes += keyword;
                bytes += std::string(after, ' ');
                EXPECT_EQ(findTeamKeyword(bytes, 0), at);
                EXPECT_EQ(findTeamKeyword(bytes, at + 1), std::string_view::npos);
            }
        }
    }
    EXPECT_EQ(findTeamKeyword("Clientless InitGame", 1), std::string_view::npos);
}

TEST(Quake3Log, RemovesColourCodesFromLeftToRight) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"^1Red^7", "Red"}, {"^^1x", "^x"}, {"a^", "a^"}, {"^!x", "^!x"}, {"^a^Zb", "b"}, {"^^^", "^^^"}, {"plain", "plain"},
    };
    std::string buffer;
    for (const auto& [name, shown] : cases)
        EXPECT_EQ(stripColours(name, buffer), shown) << name;
}

// A match as a Quake III Arena server writes it to games.log, with Urban Terror's team changes.
const std::string kTeamLog =
    "  0:00 InitGame: \\sv_hostname\\Arena\\g_gametype\\4\\mapname\\q3ctf1\n"
    "  0:01 ClientUserinfoChanged: 0 n\\^1Red^7One\\t\\1\\model\\sarge\n"
    "  0:01 ClientUserinfoChanged: 1 n\\RedTwo\\t\\1\\model\\grunt\n"
    "  0:01 ClientUserinfoChanged: 2 n\\Blue\\t\\2\\model\\doom\n"
    "  0:02 ClientUserinfoChanged: 3 n\\Watcher\\t\\3\n"
    "  0:05 Kill: 0 2 10: ^1Red^7One killed Blue by MOD_RAILGUN\n"        // a frag
    "  0:06 Kill: 0 1 7: ^1Red^7One killed RedTwo by MOD_ROCKET_SPLASH\n"  // a team kill
    "  0:07 Kill: 1022 2 22: <world> killed Blue by MOD_TRIGGER_HURT\n"    // Blue's suicide
    "  0:08 Kill: 1 1 7: RedTwo killed RedTwo by MOD_ROCKET_SPLASH\n"      // RedTwo's suicide
    "  0:09 Kill: 2 2 33: Blue killed Blue by UT_MOD_CHANGE_TEAM\n"        // nothing
    "  0:10 ClientUserinfoChanged: 2 n\\Blue\\t\\1\\model\\doom\n"
    "  0:11 Kill: 2 0 10: Blue killed ^1Red^7One by MOD_RAILGUN\n"         // now a team kill
    "  0:12 Kill: 3 0 10: Watcher killed ^1Red^7One by MOD_RAILGUN\n"      // team 3: a frag
    "  0:13 ClientDisconnect: 1\n"
    "  0:14 Kill: 0 1 3: ^1Red^7One killed Newcomer by MOD_MACHINEGUN\n"   // 1 left: a frag
    "  0:15 ClientUserinfoChanged: 1 n\\RedTwo\\t\\1\n"
    "  0:16 InitGame: \\mapname\\q3dm17\n"
    "  0:17 Kill: 0 1 10: ^1Red^7One killed RedTwo by MOD_RAILGUN\n";      // teams forgotten: a frag

TEST(Quake3LogSource, CountsFragsTeamKillsAndSuicidesAsTheTeamsStand) {
    StatsStore store;
    store.CurrentGame = kQ3.displayName;
    ASSERT_TRUE(reference::analyzeBytes(store, kTeamLog).has_value());
    EXPECT_EQ(store.PlayerNames()[1], "RedOne");
    EXPECT_EQ(store.PlayerNames()[2], "Watcher");
    EXPECT_EQ(store.WeaponNames[1], "Railgun");
    EXPECT_EQ(store.WeaponFrags[1], 3);
    EXPECT_EQ(store.WeaponNames[2], "Machinegun");
    EXPECT_EQ(store.WeaponFrags[2], 1);
    EXPECT_EQ(store.WeaponNames[3], "") << "suicides and team kills give no weapon a slot";
    const auto person = [&store](std::string_view name) -> const PeopleTable::Person& {
        const auto at = store.People.find(name);
        EXPECT_TRUE(at.has_value()) << name;
        return store.People.people().at(at.value_or(0));
    };
    const auto* red = &person("RedOne");
    const auto* blue = &person("Blue");
    const auto* two = &person("RedTwo");
    EXPECT_EQ(red->teamKills, 1);
    EXPECT_EQ(blue->teamKills, 1);
    EXPECT_EQ(blue->suicides, 1);
    EXPECT_EQ(two->suicides, 1);
    EXPECT_EQ(blue->deaths, 1) << "the team change is no death";
}

// Every cut of the log into pieces read apart, on two and three threads, gives one pass's result.
TEST(Quake3LogSource, CarriesTheTeamsAcrossEveryCut) {
    std::string log = kTeamLog;
    log += kTeamLog;  // the second InitGame comes after kills whose teams the first half set
    const reference::ReferencePeople people = reference::referenceServerLogPeople(kQ3, log);
    for (const unsigned threads : {2u, 3u}) {
        for (std::size_t part = 1; part < log.size(); part += 7) {
            const std::size_t manyPeople = part % 2 ? 0 : std::size_t{1} << 16;  // 0: the first piece too in a part
            SCOPED_TRACE("threads " + std::to_string(threads) + " part " + std::to_string(part));
            StatsStore store;
            store.CurrentGame = kQ3.displayName;
            ASSERT_TRUE(
                reference::analyzeBytes(store, log, {.partBytes = part, .threads = threads, .manyPeople = manyPeople})
                    .has_value());
            ASSERT_EQ(reference::differenceFrom(store.People, people), "");
            ASSERT_EQ(store.WeaponFrags[1], 6);
        }
    }
}

}  // namespace
}  // namespace fragtide::engine
