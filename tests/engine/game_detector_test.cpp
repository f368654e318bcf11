#include "engine/game_detector.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "engine/reference/log_lines.hpp"
#include "tests/support/temp_dir.hpp"

namespace fragtide::engine {
namespace {

const char* const kNames[] = {"Rook", "Nadia", "[BOT] Ivo", "Kay", "Zo\xc3\xab", "Anna Lee"};

// `kills` kill lines of `game`, and among them noise lines and a few kills of other games: of those
// that do not credit every kill of `game` themselves. (Capture The Flag knows all of Quake I's
// messages and more: one of its own messages in a Quake I log rightly makes it the better guess.)
std::string logOf(const Game& game, unsigned seed, int kills, bool withOtherGames = true) {
    std::mt19937 rng(seed);
    std::string log;
    const auto killOf = [&](const Game& of) {
        return reference::killLine(of, rng, kNames[rng() % 6], kNames[rng() % 6], reference::weaponWord(of, rng));
    };
    std::vector<const Game*> others;
    if (withOtherGames) {
        const Detection pure = detectGameInBytes(logOf(game, seed, kills, false));
        for (const auto& [other, credited] : pure.kills) {
            if (credited < killsOf(pure, &game))
                others.push_back(other);
        }
    }
    for (int i = 0; i < kills; ++i) {
        log += killOf(game) + "\r\n";
        if (i % 10 == 0)
            log += reference::noiseLine(rng) + "\n";
        if (i % 25 == 0 && !others.empty())
            log += killOf(*others[rng() % others.size()]) + "\n";
    }
    return log;
}

TEST(GameDetector, NamesTheGameOfGeneratedLogsOfEveryGameWithNoiseFromTheOthers) {
    unsigned seed = 11;
    for (const Game& game : games()) {
        SCOPED_TRACE(std::string(game.displayName));
        const Detection detection = detectGameInBytes(logOf(game, seed++, 400));
        ASSERT_EQ(detection.kills.size(), games().size());
        for (std::size_t i = 0; i < games().size(); ++i)
            EXPECT_EQ(detection.kills[i].first, &games()[i]) << "every game, in catalogue order";
        EXPECT_EQ(detection.best, &game);
        EXPECT_GE(killsOf(detection, &game), 400);
    }
}

TEST(GameDetector, FindsNoGameWhenNoneCreditsAKill) {
    const Detection detection = detectGameInBytes("Rook: gg\nL 12/07/2026 - 20:11:13: World triggered \"Round_End\"\n");
    EXPECT_EQ(detection.best, nullptr);
    for (const auto& [game, kills] : detection.kills)
        EXPECT_EQ(kills, 0) << game->displayName;
}

TEST(GameDetector, GivesATieToTheEarlierGame) {
    // The same kill counts in Quake I : Standard and in the games that share its messages.
    const Detection detection = detectGameInBytes("Rook was ax-murdered by Kay\n");
    ASSERT_NE(detection.best, nullptr);
    EXPECT_EQ(detection.best, &games()[0]);
    EXPECT_EQ(killsOf(detection, &games()[0]), 1);
}

TEST(GameDetector, ReadsAFileAndReportsOneItCannotRead) {
    const fragtide::testing::TempDir dir;
    const auto path = dir.path() / "server.log";
    const std::string log = logOf(games()[6], 5, 300);
    std::ofstream(path, std::ios::binary) << log;
    const auto detection = detectGame(path);
    ASSERT_TRUE(detection.has_value()) << detection.error().message;
    EXPECT_EQ(detection->best, &games()[6]);
    EXPECT_EQ(killsOf(*detection, &games()[6]), killsOf(detectGameInBytes(log), &games()[6]));

    const auto missing = detectGame(dir.path() / "none.log");
    ASSERT_FALSE(missing.has_value());
    EXPECT_EQ(missing.error().kind, ErrorKind::NotFound);
}

}  // namespace
}  // namespace fragtide::engine
