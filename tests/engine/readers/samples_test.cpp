// The hand-written sample logs, read line by line: what each reader finds in them is worked out by
// hand below, so the samples stay what the tests of the whole program can rely on.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/reference/reference_matcher.hpp"
#include "engine/readers/hl_server_log.hpp"
#include "engine/readers/cs2_server_log.hpp"
#include "engine/readers/stdlog.hpp"
#include "engine/reference/analyze_bytes.hpp"
#include "engine/reference/reference_people.hpp"
#include "engine/reference/server_log_reference.hpp"
#include "engine/stats_store.hpp"
#include "rules/quake3_server_log.hpp"

namespace fragtide::engine {
namespace {

std::string readSample(const char* name) {
    std::ifstream in(std::string(FRAGTIDE_SAMPLES) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// kind, killer, victim and weapon as one line of text, to compare whole lists at a glance.
template <typename Event>
std::string describe(const Event& e, const char* kind) {
    return std::string(kind) + " " + std::string(e.killer) + " | " + std::string(e.victim) + " | " +
           std::string(e.weapon);
}

TEST(SampleLogs, HalfLifeServerLogHoldsTheKillsTeamKillsAndSuicidesWorkedOutByHand) {
    const std::string log = readSample("hl_server.log");
    ASSERT_FALSE(log.empty());
    std::vector<std::string> found;
    for (const std::string_view line : reference::referenceLines(log)) {
        if (const auto e = readHlServerLogLine(line)) {
            const char* kind = e->kind == HlEventKind::Kill ? "kill" : e->kind == HlEventKind::TeamKill ? "team" : "suicide";
            found.push_back(std::string(kind) + " " + std::string(e->killer.name) + " | " +
                            std::string(e->victim.name) + " | " + std::string(e->weapon));
        }
    }
    const std::vector<std::string> expected = {
        "kill Rook | Nadia | m4a1",
        "kill [BOT] Ivo | Selwyn \"The Wall\" | ak47",
        "kill <<Kay>> | [BOT] Ivo | awp",
        "team Rook | <<Kay>> | grenade",
        "kill Nadia | Rook | deagle",
        "kill Nadia | Selwyn \"The Wall\" | deagle",
        "suicide [BOT] Ivo |  | grenade",
        "kill <<Kay>> | Nadia | knife",
        "suicide <<Kay>> |  | world",
        "kill Mo\" killed \"Jo | Rook | usp",
        "team Nadia | [BOT] Ivo | glock18",
        "kill Selwyn \"The Wall\" | Mo\" killed \"Jo | mp5navy",
        "kill Nadia | <<Kay>> | hegrenade",
    };
    EXPECT_EQ(found, expected);
}

TEST(SampleLogs, StdLogHoldsTheKillsAndSuicidesWorkedOutByHand) {
    const std::string log = readSample("q2_stdlog.log");
    ASSERT_FALSE(log.empty());
    std::vector<std::string> found;
    for (const std::string_view line : reference::referenceLines(log)) {
        if (const auto e = readStdLogLine(line))
            found.push_back(describe(*e, e->kind == StdLogEventKind::Kill ? "kill" : "suicide"));
    }
    const std::vector<std::string> expected = {
        "kill Rook | Nadia | Railgun",
        "kill Nadia | Rook | Rocket Launcher",
        "kill Ivo | Rook | ROCKET LAUNCHER",
        "suicide Ivo |  | Lava",
        "kill Rook | Ivo | Super Shotgun",
        "kill Nadia | Zo\xc3\xab | Machinegun",
        "kill Zo\xc3\xab | Nadia | machine gun",
        "kill Rook | Zo\xc3\xab | Grappling Hook",
        "kill Nadia | Ivo | Telefrag",
        "kill  | Rook | Falling",
        "kill Ivo | Nadia | BFG10K",
        "kill Rook | Ivo | hyperblaster",
        "suicide Zo\xc3\xab |  | Grenades",
        "kill Zo\xc3\xab | Rook | Chaingun",
        "kill Rook | Nadia | Blaster",
        "kill Nadja | Rook | grenades",
        "kill Rook | Nadja | railgun",
        "kill Rook | Nadja | Railgun",
    };
    EXPECT_EQ(found, expected);
}

TEST(SampleLogs, Cs2ServerLogHoldsTheKillsTeamKillsAndSuicidesWorkedOutByHand) {
    const std::string log = readSample("cs2_server.log");
    ASSERT_FALSE(log.empty());
    std::vector<std::string> found;
    for (const std::string_view line : reference::referenceLines(log)) {
        if (const auto e = readCs2ServerLogLine(line)) {
            const char* kind = e->kind == HlEventKind::Kill ? "kill" : e->kind == HlEventKind::TeamKill ? "team" : "suicide";
            found.push_back(std::string(kind) + " " + std::string(e->killer.name) + " | " +
                            std::string(e->victim.name) + " | " + std::string(e->weapon));
        }
    }
    const std::vector<std::string> expected = {
        "kill Rook | Nadia | m4a1_silencer",
        "kill Ivo | Rook | ak47",
        "kill <<Kay>> [x] | Ivo | awp",
        "team Mo\" killed \"Jo | Ivo | hegrenade",
        "kill <<Kay>> [x] | Mo\" killed \"Jo | knife_karambit",
        "kill Nadia | Rook | deagle",
        "kill Nadia | <<Kay>> [x] | bayonet",
        "suicide Ivo |  | world",
        "suicide Rook |  | planted_c4",
        "team Ivo | Nadia | glock",
        "kill <<Kay>> [x] | Nadia | inferno",
        "kill Rook | Ivo | usp_silencer",
        "kill Rook | Mo\" killed \"Jo | m4a1_silencer_off",
        "kill <<Kay>> [x] | Ivo | molotov",
        "kill Rook | Ivo | taser",
    };
    EXPECT_EQ(found, expected);
}

// The teams decide here: the events come from the plain model line after line, and the program's
// own analysis must count the same people.
TEST(SampleLogs, Quake3GamesLogHoldsTheEventsWorkedOutByHandAsTheTeamsStand) {
    const std::string log = readSample("q3_games.log");
    ASSERT_FALSE(log.empty());
    const rules::Game& game = rules::quake3_server_log::kGame;
    std::vector<std::string> found;
    for (const reference::ServerLogEvent& e : reference::referenceServerLogEvents(game, log)) {
        const char* kind = e.kind == HlEventKind::Kill ? "kill" : e.kind == HlEventKind::TeamKill ? "team" : "suicide";
        found.push_back(std::string(kind) + " " + e.killer + " | " + e.victim + " | " + e.weapon);
    }
    const std::vector<std::string> expected = {
        "kill RedBaron | Blue^Wave | MOD_RAILGUN",
        "kill Sarge by Xaero | Grunt | MOD_ROCKET_SPLASH",
        "team Grunt | RedBaron | MOD_MACHINEGUN",
        "suicide Sarge by Xaero |  | MOD_TRIGGER_HURT",
        "suicide Blue^Wave |  | MOD_ROCKET_SPLASH",
        "team Blue^Wave | Sarge by Xaero | MOD_PLASMA",
        "kill RedBaron | Blue^Wave | MOD_SHOTGUN",
        "team Grunt | Blue^Wave | MOD_RAILGUN",
        "kill Blue^Wave | Newcomer | MOD_RAILGUN",
        "kill RedBaron | Blue^Wave | MOD_GAUNTLET",
        "kill RedBaron | Grunt | UT_MOD_SPAS",
        "kill Grunt | RedBaron | UT_MOD_LR300",
        "kill Grunt | RedBaron | UT_MOD_KNIFE_THROWN",
        "suicide Grunt |  | UT_MOD_FALLING",
    };
    EXPECT_EQ(found, expected);
    StatsStore store;
    store.CurrentGame = game.displayName;
    ASSERT_TRUE(reference::analyzeBytes(store, log, {.partBytes = 200, .threads = 3}).has_value());
    EXPECT_EQ(reference::differenceFrom(store.People, reference::referenceServerLogPeople(game, log)), "");
}

}  // namespace
}  // namespace fragtide::engine
