#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/game_catalogue.hpp"
#include "engine/game_file.hpp"
#include "tests/rules/golden_text.hpp"

namespace fragtide::testing {
namespace {

std::string golden(const rules::Game& game) {
    std::ifstream in(std::filesystem::path(FRAGTIDE_GOLDEN_DIR) / (std::string(game.alias) + ".txt"), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void expectSameMessages(std::span<const rules::OneNameMessage> want, std::span<const rules::OneNameMessage> got) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].leading, want[i].leading) << i;
        EXPECT_EQ(got[i].trailing, want[i].trailing) << i;
    }
}

// What a modder starts from: every built-in console game written as a game file reads back to the
// definition its golden text spells out, one-name messages included.
TEST(GameFileText, ReadsBackToEveryConsoleGameAsItsGoldenTextHasIt) {
    int written = 0;
    for (const rules::Game& game : engine::games()) {
        if (game.kind != rules::KillSource::ObituaryRules)
            continue;
        SCOPED_TRACE(std::string(game.alias));
        const auto text = engine::gameFileText(game);
        ASSERT_TRUE(text.has_value());
        const auto file = engine::parseGameFile(*text, std::string(game.alias) + ".toml");
        ASSERT_TRUE(file.has_value()) << file.error().message;
        const rules::Game& read = (*file)->game();
        const std::string want = golden(game);
        ASSERT_FALSE(want.empty());
        if (const auto diff = firstDifference(want, goldenText(read)))
            ADD_FAILURE() << "line " << diff->line << ":\n  expected " << diff->expected << "\n  actual   "
                          << diff->actual;
        ASSERT_EQ(read.oneName != nullptr, game.oneName != nullptr &&
                                              (!game.oneName->suicides.empty() || !game.oneName->teamKills.empty()));
        if (read.oneName) {
            expectSameMessages(game.oneName->suicides, read.oneName->suicides);
            expectSameMessages(game.oneName->teamKills, read.oneName->teamKills);
        }
        ++written;
    }
    EXPECT_GE(written, 6);
}

TEST(GameFileText, RefusesAGameThatReadsAServerLog) {
    for (const rules::Game& game : engine::games()) {
        if (game.kind != rules::KillSource::ObituaryRules) {
            EXPECT_FALSE(engine::gameFileText(game).has_value()) << game.alias;
        }
    }
}

}  // namespace
}  // namespace fragtide::testing
