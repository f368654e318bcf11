// The hand-written sample logs, read line by line: what each reader finds in them is worked out by
// hand below, so the samples stay what the tests of the whole program can rely on.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/reference/reference_matcher.hpp"
#include "engine/readers/hl_server_log.hpp"
#include "engine/readers/stdlog.hpp"

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

}  // namespace
}  // namespace fragtide::engine
