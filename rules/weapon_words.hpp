#pragma once

#include <span>
#include <string_view>

#include "rules/game.hpp"

// The weapon words of the games whose logs name the weapon, as data.
//
// A log names the weapon of a kill by a word of its own; a word a table knows is shown by its display
// name, and several words may share one display name (they are then one weapon). Words a table does
// not know are shown as written. The tables are constant and live for the whole program; views into
// them never dangle.
namespace fragtide::rules {

// Half-Life server logs (Counter-Strike's words): compared exactly, case-sensitive.
extern const std::span<const WeaponWord> kHalfLifeWeaponWords;
// Quake II StdLog files: compared case-insensitively for ASCII letters, every other byte exactly.
extern const std::span<const WeaponWord> kQuake2StdLogWeaponWords;

}  // namespace fragtide::rules
