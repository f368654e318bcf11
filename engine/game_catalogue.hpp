#pragma once

#include <array>
#include <span>
#include <string_view>

#include "rules/rule_tables.hpp"

// The six games the program knows, in catalogue order, with their weapon tables and rule sets.
//
// A game's display string is its only identity. Selection compares a text with the display
// strings exactly and case-sensitively, first equal one wins; a text equal to none selects
// nothing. All data is constant and lives for the whole program.
namespace fragtide::engine {

class StatsStore;

struct Game {
    std::string_view displayName;                  // "Quake II : Standard"
    std::string_view alias;                        // short name for the command line: "q2"
    std::span<const std::string_view> weaponNames;  // weaponNames[0] is slot 1
    const rules::RuleSet* rules;
    int slotCount() const { return static_cast<int>(weaponNames.size()); }
};

inline constexpr std::string_view kDefaultGame = "Quake I : Standard";
// Slots tried on every line whatever the game: the largest slot count.
inline constexpr int kSlotsPerLine = 25;

// The catalogue, in the order of the Game Select list.
std::span<const Game> games();

// The game whose display string equals `displayName` exactly, or nullptr.
const Game* findGame(std::string_view displayName);

// Rewrites all 51 WeaponNames of `store` from its CurrentGame: that game's names at slots
// 1..count, "" everywhere else; all "" when CurrentGame names no game. Touches nothing else.
void LoadWeaponNames(StatsStore& store);

}  // namespace fragtide::engine
