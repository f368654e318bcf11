#pragma once

#include <random>
#include <string>
#include <string_view>

#include "rules/game.hpp"

// Lines of generated logs for any game of the catalogue, for tests and benchmarks: a kill in the
// form the game's log writes it, and lines that no game credits.
namespace fragtide::engine::reference {

// A kill of `killer` on `victim`. Obituary games: one of the game's rules at random (`weapon` is
// not used). Half-Life server log: time-stamped, the two players on different teams. StdLog: a full
// Kill record.
std::string killLine(const rules::Game& game, std::mt19937& rng, std::string_view killer,
                     std::string_view victim, std::string_view weapon);

// A weapon word for a game whose log names the weapons: mostly words its table knows, in the letter
// cases the game accepts, sometimes one of `unknown` other words ("Weapon 0", "Weapon 1", ...).
std::string weaponWord(const rules::Game& game, std::mt19937& rng, int unknown = 8);

// A line no game counts as a kill: chat, server notices, damage.
std::string noiseLine(std::mt19937& rng);

}  // namespace fragtide::engine::reference
