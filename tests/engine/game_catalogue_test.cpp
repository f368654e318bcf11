#include "engine/game_catalogue.hpp"

#include <gtest/gtest.h>

#include "common/default_game.hpp"
#include "engine/stats_store.hpp"

namespace fragtide::engine {
namespace {

StatsStore loaded(std::string_view game) {
    StatsStore store;
    store.CurrentGame = game;
    LoadWeaponNames(store);
    return store;
}

TEST(GameCatalogue, ListsTheGamesInTheirOrderWithTheirSlotCounts) {
    // The games read from server logs come last and have no fixed slots: the log names them.
    const std::pair<std::string_view, int> expected[] = {
        {"Quake I : Standard", 8},  {"Quake I : Warhaven", 25},      {"Quake I : Capture The Flag", 11},
        {"Quake II : Standard", 11}, {"Quake II : Action Quake", 10}, {"Half-Life : Counter-Strike", 17},
        {"Half-Life : Server Log", 0}, {"Quake II : StdLog", 0}, {"Counter-Strike 2 : Server Log", 0},
        {"Quake III : Server Log", 0},
    };
    ASSERT_EQ(games().size(), std::size(expected));
    for (std::size_t i = 0; i < games().size(); ++i) {
        SCOPED_TRACE(std::string(expected[i].first));
        EXPECT_EQ(games()[i].displayName, expected[i].first);
        EXPECT_EQ(games()[i].slotCount(), expected[i].second);
        if (games()[i].rules) {
            EXPECT_EQ(games()[i].rules->slots.size(), static_cast<std::size_t>(expected[i].second))
                << "every weapon has its rules, and no rules lack a weapon";
        } else {
            EXPECT_NE(games()[i].kind, rules::KillSource::ObituaryRules);
        }
        EXPECT_EQ(findGame(expected[i].first), &games()[i]);
    }
}

TEST(GameCatalogue, LeavesEveryWeaponNameEmptyForAGameWhoseLogNamesTheWeapons) {
    for (const std::string_view game : {"Half-Life : Server Log", "Quake II : StdLog"}) {
        StatsStore store = loaded("Quake I : Warhaven");
        store.CurrentGame = game;
        LoadWeaponNames(store);
        for (const auto& name : store.WeaponNames)
            EXPECT_EQ(name, "") << game;
    }
}

TEST(GameCatalogue, SelectsOnlyAnExactDisplayString) {
    for (std::string_view near : {"quake I : Standard", "Quake I : Standard ", "Quake I: Standard", "", "Not Found"}) {
        SCOPED_TRACE(std::string(near));
        EXPECT_EQ(findGame(near), nullptr);
        const StatsStore store = loaded(near);
        for (const auto& name : store.WeaponNames)
            EXPECT_EQ(name, "");
    }
}

TEST(LoadWeaponNames, FillsTheGamesSlotsAndClearsTheRest) {
    struct Case {
        std::string_view game;
        int slot;
        std::string_view name;
    };
    const Case cases[] = {
        {"Quake I : Standard", 8, "Thunderbolt"},      {"Quake I : Standard", 9, ""},
        {"Quake I : Standard", 0, ""},                 {"Quake I : Warhaven", 8, "Sniper Rifle Chest Shot"},
        {"Quake I : Warhaven", 15, "Lightning"},       {"Quake I : Warhaven", 19, "Ice Super Nailgun"},
        {"Quake I : Warhaven", 25, "Laser Rifle"},     {"Quake I : Capture The Flag", 11, "Grappling Hook"},
        {"Quake II : Standard", 11, "BFG 10k"},        {"Quake II : Action Quake", 6, "M3 Super90 Assault Shotgun"},
        {"Half-Life : Counter-Strike", 17, "FN M249 Para"}, {"Half-Life : Counter-Strike", 18, ""},
        {"Half-Life : Counter-Strike", 15, "AI Arctic Warfare/Magnum"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.game) + " slot " + std::to_string(c.slot));
        EXPECT_EQ(loaded(c.game).WeaponNames[c.slot], c.name);
    }
}

TEST(LoadWeaponNames, RebuildsFromScratchAndTouchesNoStatistics) {
    StatsStore store = loaded("Quake I : Warhaven");
    store.WeaponFrags[20] = 4;
    store.addPlayer("Bob");
    store.PlayerWeaponFrags[1][20] = 4;
    store.CurrentGame = "Quake I : Standard";
    LoadWeaponNames(store);
    for (int slot = 9; slot <= 50; ++slot)
        EXPECT_EQ(store.WeaponNames[slot], "") << slot;
    EXPECT_EQ(store.WeaponNames, loaded("Quake I : Standard").WeaponNames);
    EXPECT_EQ(store.WeaponFrags[20], 4);
    EXPECT_EQ(store.PlayerNames()[1], "Bob");
}

// Settings and the command line fall back to the default game without knowing the catalogue: it
// must be a game the catalogue has, with rules, or a first start would credit nothing.
TEST(DefaultGame, IsACataloguedGameWithRules) {
    const Game* game = findGame(fragtide::kDefaultGame);
    ASSERT_NE(game, nullptr);
    EXPECT_NE(game->rules, nullptr);
}

}  // namespace
}  // namespace fragtide::engine
