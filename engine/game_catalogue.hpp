#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rules/game.hpp"

// The games the program knows, in the order of the Game Select list: the built-in games, each
// defined whole in rules/, then the games of game files (game_file.hpp) in the order they were
// installed. This is only their order and the selection by display string.
//
// A game's display string is its only identity. Selection compares a text with the display
// strings exactly and case-sensitively, first equal one wins; a text equal to none selects
// nothing. Installing game files happens at start-up, before any other thread reads the
// catalogue; after it the catalogue is constant and safe from any thread. A view or pointer into
// it stays valid until the next installation.
namespace fragtide::engine {

class StatsStore;
class FileGame;

using Game = rules::Game;

// Slots tried on every line whatever the game: the largest slot count.
inline constexpr int kSlotsPerLine = 25;

// The catalogue, in the order of the Game Select list.
std::span<const Game> games();

// The game whose display string equals `displayName` exactly, or nullptr.
const Game* findGame(std::string_view displayName);

// Where `game` (an element of games()) comes from: "" for a built-in game, otherwise the name of
// its game file as it was read.
std::string_view gameSource(const Game& game);

// Makes the catalogue the built-in games followed by `files` in order, dropping the file games of
// an earlier installation. A game whose display string or alias a game before it already has is
// refused; the result holds one message per refusal, naming the file, the place and the game
// that has the name.
std::vector<std::string> installFileGames(std::span<const std::shared_ptr<const FileGame>> files);

// Rewrites all 51 WeaponNames of `store` from its CurrentGame: that game's names at slots
// 1..count, "" everywhere else; all "" when CurrentGame names no game, or a game whose log names
// the weapons (the analysis then names the slots). Touches nothing else.
void LoadWeaponNames(StatsStore& store);

}  // namespace fragtide::engine
