#include "engine/readers/cs2_server_log.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/reference/hl_server_log_reference.hpp"

namespace fragtide::engine {
namespace {

using K = HlEventKind;

struct Expected {
    HlEventKind kind;
    std::string_view killer, killerTeam, victim, victimTeam, weapon;
};

TEST(Cs2ServerLog, ReadsEveryLineKindWhateverTheStampPositionsAndNames) {
    struct Case {
        const char* what;
        std::string line;
        std::optional<Expected> e;
    };
    const std::string a = R"("Ace<2><[U:1:1001]><CT>")";
    const std::string b = R"("Bob<3><[U:1:1002]><TERRORIST>")";
    const std::string kill = a + " [-1504 -236 -159] killed " + b + R"( [-2050 -190 -89] with "ak47")";
    const Case cases[] = {
        {"the old stamp", "L 11/05/2026 - 20:53:11: " + kill, Expected{K::Kill, "Ace", "CT", "Bob", "TERRORIST", "ak47"}},
        {"the old stamp with a fraction", "L 11/05/2026 - 20:53:11.644: " + kill + " (headshot)",
         Expected{K::Kill, "Ace", "CT", "Bob", "TERRORIST", "ak47"}},
        {"the new stamp", "11/05/2026 - 20:53:11.644 - " + kill + " (penetrated) (noscope)",
         Expected{K::Kill, "Ace", "CT", "Bob", "TERRORIST", "ak47"}},
        {"no stamp", kill, Expected{K::Kill, "Ace", "CT", "Bob", "TERRORIST", "ak47"}},
        {"no positions", a + " killed " + b + R"( with "knife_karambit")",
         Expected{K::Kill, "Ace", "CT", "Bob", "TERRORIST", "knife_karambit"}},
        {"one position only", a + " killed " + b + R"( [1 2 3] with "awp")",
         Expected{K::Kill, "Ace", "CT", "Bob", "TERRORIST", "awp"}},
        {"a team kill", a + R"( [1 2 3] killed "Cy<4><BOT><CT>" [4 5 6] with "hegrenade")",
         Expected{K::TeamKill, "Ace", "CT", "Cy", "CT", "hegrenade"}},
        {"Unassigned is no team", R"("A<1><BOT><Unassigned>" killed "B<2><BOT><Unassigned>" with "awp")",
         Expected{K::Kill, "A", "Unassigned", "B", "Unassigned", "awp"}},
        {"a suicide", "L 11/05/2026 - 20:53:11: " + a + R"( [0 0 0] committed suicide with "world")",
         Expected{K::Suicide, "Ace", "CT", "", "", "world"}},
        {"names with quotes, brackets, angles and the phrases",
         R"(""x" [1] killed "<y>]<1><BOT><CT>" [9 9 9] killed "B [" with "<2><BOT><TERRORIST>" with "deagle")",
         Expected{K::Kill, R"("x" [1] killed "<y>])", "CT", R"(B [" with ")", "TERRORIST", "deagle"}},
        {"a chicken is no player", a + R"( [1 2 3] killed other "chicken<145>" [4 5 6] with "glock")", std::nullopt},
        {"the bomb", a + " [1 2 3] was killed by the bomb.", std::nullopt},
        {"damage", a + R"( [1 2 3] attacked )" + b + R"( [4 5 6] with "ak47" (damage "27") (health "73"))",
         std::nullopt},
        {"a faked death", a + " killed " + b + R"( with "knife" (customkill "feign_death"))", std::nullopt},
        {"a broken stamp", "L 11/05/2026 - 20:53: " + kill, std::nullopt},
        {"a fraction without digits", "11/05/2026 - 20:53:11. - " + kill, std::nullopt},
        {"a position block never closed", a + " [1 2 3 killed " + b + R"( with "awp")", std::nullopt},
        {"chat", a + R"( say "killed "B<2><BOT><CT>" with "awp"")", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto event = readCs2ServerLogLine(c.line);
        ASSERT_EQ(event.has_value(), c.e.has_value());
        EXPECT_EQ(reference::toReference(event), reference::readCs2ServerLogLine(c.line)) << "as the expression";
        if (!c.e)
            continue;
        EXPECT_EQ(event->kind, c.e->kind);
        EXPECT_EQ(event->killer.name, c.e->killer);
        EXPECT_EQ(event->killer.team, c.e->killerTeam);
        EXPECT_EQ(event->victim.name, c.e->victim);
        EXPECT_EQ(event->victim.team, c.e->victimTeam);
        EXPECT_EQ(event->weapon, c.e->weapon);
    }
}

// Lines in the log's shape whose names, tags and blocks are made of the pieces where cuts go wrong.
TEST(Cs2ServerLog, ReadsGeneratedLinesExactlyAsTheRegularExpression) {
    std::mt19937 rng(20261210);
    const auto pick = [&rng](const auto& pieces) { return std::string(pieces[rng() % std::size(pieces)]); };
    static const char* const kBits[] = {"\"", "<1>", "<BOT>", "<CT>", "<>", ">", "<", "[", "]", " [1 2 3]", " killed \"",
                                        " with \"", "\" [", "x", " ", "A", "B"};
    static const char* const kTags[] = {"<1><S><CT>", "<-2><BOT><TERRORIST>", "<3><><CT>", "<x><S><CT>", "<4><S>"};
    static const char* const kBlocks[] = {"", "", " [1 2 3]", " []", " [a [b]", " [1 2"};
    static const char* const kStamps[] = {"", "L 01/02/2026 - 03:04:05: ", "01/02/2026 - 03:04:05.6 - ",
                                          "L 01/02/2026 - 03:04:05.: "};
    static const char* const kTails[] = {"", " (headshot)", " (customkill \"feign_death\")", "\"", " x"};
    const auto name = [&] {
        std::string text;
        for (int n = static_cast<int>(rng() % 4); n > 0; --n)
            text += pick(kBits);
        return text;
    };
    const auto player = [&] { return "\"" + name() + pick(kTags) + "\"" + pick(kBlocks); };
    int events = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string line = pick(kStamps) + player();
        line += rng() % 3 == 0 ? " committed suicide with \"" : " killed " + player() + " with \"";
        line += name() + "\"" + pick(kTails);
        const auto fast = readCs2ServerLogLine(line);
        ASSERT_EQ(reference::toReference(fast), reference::readCs2ServerLogLine(line)) << line;
        events += fast.has_value();
    }
    EXPECT_GT(events, 2000) << "the generator must reach events, not only lines that are none";
}

TEST(Cs2ServerLog, ReadsAHostileLongLineInLinearTime) {
    // Many tags each followed by a block that never closes the phrase: the answer is still the
    // shortest killer, found without scanning the rest of the line again for each.
    std::string line = "\"";
    for (int i = 0; i < 50000; ++i)
        line += "x<1><a><b>\" [";
    line += "] killed \"V<2><><U>\" with \"w\"";
    const auto event = readCs2ServerLogLine(line);
    ASSERT_TRUE(event.has_value());
    EXPECT_EQ(event->victim.name, "V");
    EXPECT_EQ(event->killer.team, "b");
}

}  // namespace
}  // namespace fragtide::engine
