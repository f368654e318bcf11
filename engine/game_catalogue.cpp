#include "engine/game_catalogue.hpp"

#include <algorithm>

#include "engine/game_file.hpp"
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

// The built-in games, then those of the installed game files, whose storage `files` keeps alive.
struct Catalogue {
    std::vector<Game> all{std::begin(kGames), std::end(kGames)};
    std::vector<std::shared_ptr<const FileGame>> files;  // files[i] is all[size(kGames) + i]
};

Catalogue& catalogue() {
    static Catalogue instance;
    return instance;
}

std::string placeText(const FileGame& file, FilePlace place) {
    return file.fileName() + ":" + std::to_string(place.line) + ":" + std::to_string(place.column) + ": ";
}

}  // namespace

std::span<const Game> games() { return catalogue().all; }

std::string_view gameSource(const Game& game) {
    const Catalogue& c = catalogue();
    const std::size_t builtIn = std::size(kGames);
    if (&game < c.all.data() + builtIn || &game >= c.all.data() + c.all.size())
        return {};
    return c.files[static_cast<std::size_t>(&game - c.all.data()) - builtIn]->fileName();
}

std::vector<std::string> installFileGames(std::span<const std::shared_ptr<const FileGame>> files) {
    Catalogue fresh;
    std::vector<std::string> refusals;
    for (const auto& file : files) {
        const Game& game = file->game();
        std::string clash;
        for (std::size_t i = 0; i < fresh.all.size() && clash.empty(); ++i) {
            const std::string owner = i < std::size(kGames) ? std::string("a built-in game")
                                                            : "the game of " + fresh.files[i - std::size(kGames)]->fileName();
            if (fresh.all[i].displayName == game.displayName)
                clash = placeText(*file, file->namePlace()) + "the name \"" + std::string(game.displayName) +
                        "\" is already that of " + owner;
            else if (fresh.all[i].alias == game.alias)
                clash = placeText(*file, file->aliasPlace()) + "the alias \"" + std::string(game.alias) +
                        "\" is already that of " + owner + ", \"" + std::string(fresh.all[i].displayName) + "\"";
        }
        if (!clash.empty() || !rules::isWellFormed(game)) {
            refusals.push_back(clash.empty() ? placeText(*file, {1, 1}) + "the game is not whole" : clash);
            continue;
        }
        fresh.all.push_back(game);
        fresh.files.push_back(file);
    }
    catalogue() = std::move(fresh);
    return refusals;
}

const Game* findGame(std::string_view displayName) {
    for (const Game& game : catalogue().all) {
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
