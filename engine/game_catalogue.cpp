#include "engine/game_catalogue.hpp"

#include <algorithm>

#include "engine/stats_store.hpp"
#include "rules/built_in_games.hpp"

namespace fragtide::engine {
namespace {

// Constant, so the list is complete before any code runs, whatever the order of start-up.
constexpr Game kGames[] = {
    rules::quake1_standard::kGame,
    rules::quake1_warhaven::kGame,
    rules::quake1_ctf::kGame,
    rules::quake2_standard::kGame,
    rules::quake2_action::kGame,
    rules::counter_strike::kGame,
    rules::half_life_server_log::kGame,
    rules::quake2_stdlog::kGame,
    rules::counter_strike_2_server_log::kGame,
    rules::quake3_server_log::kGame,
};

consteval bool namesAreDistinct() {
    for (std::size_t i = 0; i < std::size(kGames); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (kGames[i].displayName == kGames[j].displayName || kGames[i].alias == kGames[j].alias)
                return false;
        }
    }
    return true;
}

// GCC's AddressSanitizer makes comparing an object's address with null no constant expression, so
// that build leaves the check to the test Game.EveryCatalogueGameIsWellFormed.
#ifndef __SANITIZE_ADDRESS__
static_assert(std::ranges::all_of(kGames, rules::isWellFormed), "a game definition breaks its invariants");
#endif
static_assert(namesAreDistinct(), "two games share a display string or a short name");
static_assert(std::ranges::max(kGames, {}, &Game::slotCount).slotCount() == kSlotsPerLine,
              "kSlotsPerLine must be the largest slot count");

}  // namespace

std::span<const Game> games() { return kGames; }

const Game* findGame(std::string_view displayName) {
    for (const Game& game : kGames) {
        if (game.displayName == displayName)
            return &game;
    }
    return nullptr;
}

void LoadWeaponNames(StatsStore& store) {
    for (auto& name : store.WeaponNames)
        name.clear();
    const Game* game = findGame(store.CurrentGame);
    if (!game)
        return;
    for (int slot = 1; slot <= game->slotCount(); ++slot)
        store.WeaponNames[slot] = game->weaponNames[slot - 1];
}

}  // namespace fragtide::engine
