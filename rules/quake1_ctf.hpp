#pragma once

#include "rules/game.hpp"
#include "rules/quake1_standard.hpp"

// Quake I, Capture The Flag: the standard game's weapons and messages, two more messages for the
// super shotgun and the thunderbolt, and three weapons of its own; victim first.
//
// Texts are the game's own, character for character. Within a slot, rules are listed in the order
// they are tried.
namespace fragtide::rules::quake1_ctf {

namespace standard = quake1_standard;

inline constexpr auto kSuperShotgun = joined(standard::kSuperShotgun, {{" ate a box of ", "'s buckshot"}});
inline constexpr auto kThunderbolt = joined(standard::kThunderbolt, {{" accepts ", "'s discharge"}});
inline constexpr ObituaryRule kQuadRocketLauncher[] = {
    {" was destroyed by ", "'s Quad rocket"},
};
inline constexpr ObituaryRule kQuadThunderbolt[] = {
    {" was touched by ", "'s Quad lightning"},
};
inline constexpr ObituaryRule kGrapplingHook[] = {
    {" was disembowled by ", ""},
    {" was hooked by ", ""},
};

// Slot k is row k.
inline constexpr WeaponRules kWeapons[] = {
    slotOf(standard::kWeapons, 1),
    slotOf(standard::kWeapons, 2),
    {slotOf(standard::kWeapons, 3).name, kSuperShotgun},
    slotOf(standard::kWeapons, 4),
    slotOf(standard::kWeapons, 5),
    slotOf(standard::kWeapons, 6),
    slotOf(standard::kWeapons, 7),
    {slotOf(standard::kWeapons, 8).name, kThunderbolt},
    {"Quad Rocket Launcher", kQuadRocketLauncher},
    {"Quad Thunderbolt", kQuadThunderbolt},
    {"Grappling Hook", kGrapplingHook},
};

inline constexpr auto kTable = slotTable(kWeapons);
inline constexpr RuleSet kRules{.killerFirst = false, .slots = kTable.slots};
inline constexpr Game kGame{
    .displayName = "Quake I : Capture The Flag",
    .alias = "q1-ctf",
    .weaponNames = kTable.weaponNames,
    .rules = &kRules,
    .oneName = &kQuake1CTFOneName,
    .description = "the console obituaries of Capture The Flag, the Quake mod",
};

}  // namespace fragtide::rules::quake1_ctf
