#pragma once

#include <span>
#include <string_view>

#include "rules/game.hpp"

// The games the program knows, in the order of the Game Select list. Each game is defined whole in
// rules/; this is only their order and the selection by display string.
//
// A game's display string is its only identity. Selection compares a text with the display
// strings exactly and case-sensitively, first equal one wins; a text equal to none selects
// nothing. All data is constant and lives for the whole program; safe from any thread.
namespace fragtide::engine {

class StatsStore;

using Game = rules::Game;

// Slots tried on every line whatever the game: the largest slot count.
inline constexpr int kSlotsPerLine = 25;

// The catalogue, in the order of the Game Select list.
std::span<const Game> games();

// The game whose display string equals `displayName` exactly, or nullptr.
const Game* findGame(std::string_view displayName);

// Rewrites all 51 WeaponNames of `store` from its CurrentGame: that game's names at slots
// 1..count, "" everywhere else; all "" when CurrentGame names no game, or a game whose log names
// the weapons (the analysis then names the slots). Touches nothing else.
void LoadWeaponNames(StatsStore& store);

}  // namespace fragtide::engine
