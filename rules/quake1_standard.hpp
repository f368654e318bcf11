#pragma once

#include "rules/game.hpp"

// Quake I, the standard game: the console obituaries of the original game, victim first.
//
// Texts are the game's own, character for character: stored logs depend on every space and
// apostrophe. Within a slot, rules are listed in the order they are tried.
namespace fragtide::rules::quake1_standard {

inline constexpr ObituaryRule kAxe[] = {
    {" was ax-murdered by ", ""},
};
inline constexpr ObituaryRule kShotgun[] = {
    {" chewed on ", "'s boomstick"},
};
inline constexpr ObituaryRule kSuperShotgun[] = {
    {" ate 2 loads of ", "'s buckshot"},
};
inline constexpr ObituaryRule kNailgun[] = {
    {" was nailed by ", ""},
};
inline constexpr ObituaryRule kSuperNailgun[] = {
    {" was punctured by ", ""},
};
inline constexpr ObituaryRule kGrenadeLauncher[] = {
    {" eats ", "'s pineapple"},
    {" was gibbed by ", "'s grenade"},
};
inline constexpr ObituaryRule kRocketLauncher[] = {
    {" rides ", "'s rocket"},
    {" was gibbed by ", "'s rocket"},
};
inline constexpr ObituaryRule kThunderbolt[] = {
    {" accepts ", "'s shaft"},
};

// Slot k is row k.
inline constexpr WeaponRules kWeapons[] = {
    {"Axe", kAxe},
    {"Shotgun", kShotgun},
    {"Super Shotgun", kSuperShotgun},
    {"Nailgun", kNailgun},
    {"Super Nailgun", kSuperNailgun},
    {"Grenade Launcher", kGrenadeLauncher},
    {"Rocket Launcher", kRocketLauncher},
    {"Thunderbolt", kThunderbolt},
};

inline constexpr auto kTable = slotTable(kWeapons);
inline constexpr RuleSet kRules{.killerFirst = false, .slots = kTable.slots};
inline constexpr Game kGame{
    .displayName = "Quake I : Standard",
    .alias = "q1",
    .weaponNames = kTable.weaponNames,
    .rules = &kRules,
    .oneName = &kQuake1StandardOneName,
    .description = "Quake's client console obituaries, deathmatch",
};

}  // namespace fragtide::rules::quake1_standard
