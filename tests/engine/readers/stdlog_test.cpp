#include "engine/readers/stdlog.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/reference/stdlog_reference.hpp"

namespace fragtide::engine {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;

TEST(StdLog, ReadsKillAndSuicideRecords) {
    using K = StdLogEventKind;
    struct Case {
        const char* what;
        std::string line;
        StdLogEvent event;
    };
    const Case cases[] = {
        {"whole kill record", "Ace\tBob\tKill\tRailgun\t1\t532\t35", {K::Kill, "Ace", "Bob", "Railgun"}},
        {"no ping", "Ace\tBob\tKill\tBlaster\t1\t532", {K::Kill, "Ace", "Bob", "Blaster"}},
        {"weapon is the last field", "Ace\tBob\tKill\tbfg10k", {K::Kill, "Ace", "Bob", "bfg10k"}},
        {"empty weapon field", "Ace\tBob\tKill\t\t1", {K::Kill, "Ace", "Bob", ""}},
        {"no weapon field", "Ace\tBob\tKill", {K::Kill, "Ace", "Bob", ""}},
        {"a tab and nothing after it", "Ace\tBob\tKill\t", {K::Kill, "Ace", "Bob", ""}},
        {"empty killer", "\tBob\tKill\tTelefrag\t0\t10\t0", {K::Kill, "", "Bob", "Telefrag"}},
        {"empty killer and victim", "\t\tKill\tShotgun", {K::Kill, "", "", "Shotgun"}},
        {"names keep their spaces and bytes", " A ce \t\xff\x01\tKill\tGrappling Hook",
         {K::Kill, " A ce ", "\xff\x01", "Grappling Hook"}},
        {"suicide as mods write it: the player first, the second field empty", "Ace\t\tSuicide\tLava\t-1\t600\t40",
         {K::Suicide, "Ace", "", "Lava"}},
        {"suicide with only the second field", "\tAce\tSuicide\tLava\t-1\t600\t40", {K::Suicide, "Ace", "", "Lava"}},
        {"suicide with both fields: the first", "Who\tAce\tSuicide\tFalling", {K::Suicide, "Who", "", "Falling"}},
        {"suicide without means", "\tAce\tSuicide", {K::Suicide, "Ace", "", ""}},
        {"nul bytes pass through", "A\0\tB\tKill\tX\0"s, {K::Kill, "A\0"sv, "B", "X\0"sv}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto event = readStdLogLine(c.line);
        ASSERT_TRUE(event.has_value());
        EXPECT_EQ(*event, c.event);
    }
}

TEST(StdLog, LeavesOtherRecordsUncounted) {
    const std::string lines[] = {
        "", "\t\tStdLog\t1.2", "\t\tPatchName\tOSP Tourney DM", "\t\tMap\tq2dm1", "\t\tGameStart\t\t\t0",
        "\t\tPlayerConnect\tAce\t\t12", "\t\tPlayerRename\tAce\tAce2\t30", "\t\tLogDate\t2026/12/07",
        "Ace\tBob\tkill\tRailgun",     // the event word is exact
        "Ace\tBob\tKill \tRailgun",    // nothing is trimmed
        "Ace\tBob\tKills\tRailgun", "Ace\tBob\t Kill\tRailgun", "Ace\tKill\tRailgun", "Ace Bob Kill Railgun",
        "Ace\tBob\t\tKill", "\tAce\tsuicide\tLava", "Ace\tBob",
    };
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(readStdLogLine(line).has_value());
    }
}

TEST(StdLog, ReadsGeneratedRecordsExactlyAsThePlainSplit) {
    static const std::string kFields[] = {"", "Ace", "Kill", "Suicide", "Railgun", " ", "kill", "\xff",
                                          "Kill ", "12", "\t", "\t\t"};
    std::mt19937 rng(1207);
    const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    int events = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string line;
        const std::size_t fields = pick(9);
        for (std::size_t f = 0; f < fields; ++f)
            line += (f ? "\t" : "") + kFields[pick(std::size(kFields))];
        const auto fast = readStdLogLine(line);
        ASSERT_EQ(reference::toReference(fast), reference::readStdLogLine(line)) << line;
        events += fast.has_value();
    }
    EXPECT_GT(events, 500);
}

}  // namespace
}  // namespace fragtide::engine
