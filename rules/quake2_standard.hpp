#pragma once

#include "rules/game.hpp"
#include "rules/quake1_standard.hpp"

// Quake II, the standard game: its console obituaries, victim first. The weapons it kept from
// Quake I keep their names from there.
//
// Texts are the game's own, character for character: stored logs depend on every space and
// apostrophe. Within a slot, rules are listed in the order they are tried.
namespace fragtide::rules::quake2_standard {

inline constexpr ObituaryRule kBlaster[] = {
    {" was blasted by ", ""},
};
inline constexpr ObituaryRule kShotgun[] = {
    {" was gunned down by ", ""},
};
inline constexpr ObituaryRule kSuperShotgun[] = {
    {" was blown away by ", "'s super shotgun"},
};
inline constexpr ObituaryRule kMachineGun[] = {
    {" was machinegunned by ", ""},
};
inline constexpr ObituaryRule kChaingun[] = {
    {" was cut in half by ", "'s chaingun"},
};
inline constexpr ObituaryRule kGrenadeLauncher[] = {
    {" was popped by ", "'s grenade"},
    {" was shredded by ", "'s shrapnel"},
};
inline constexpr ObituaryRule kHandgrenade[] = {
    {" caught ", "'s handgrenade"},
    {" didn't see ", "'s handgrenade"},
};
inline constexpr ObituaryRule kRocketLauncher[] = {
    {" ate ", "'s rocket"},
    {" almost dodged ", "'s rocket"},
};
inline constexpr ObituaryRule kHyperblaster[] = {
    {" was melted by ", "'s hyperblaster"},
};
inline constexpr ObituaryRule kRailgun[] = {
    {" was railed by ", ""},
};
inline constexpr ObituaryRule kBfg10k[] = {
    {" saw the pretty lights from ", "'s BFG"},
    {" was disintegrated by ", "'s BFG blast"},
    {" couldn't hide from ", "'s BFG"},
};

// Slot k is row k.
inline constexpr WeaponRules kWeapons[] = {
    {"Blaster", kBlaster},
    {slotOf(quake1_standard::kWeapons, 2).name, kShotgun},
    {slotOf(quake1_standard::kWeapons, 3).name, kSuperShotgun},
    {"Machine Gun", kMachineGun},
    {"Chaingun", kChaingun},
    {slotOf(quake1_standard::kWeapons, 6).name, kGrenadeLauncher},
    {"Handgrenade", kHandgrenade},
    {slotOf(quake1_standard::kWeapons, 7).name, kRocketLauncher},
    {"Hyperblaster", kHyperblaster},
    {"Railgun", kRailgun},
    {"BFG 10k", kBfg10k},
};

inline constexpr auto kTable = slotTable(kWeapons);
inline constexpr RuleSet kRules{.killerFirst = false, .slots = kTable.slots};
inline constexpr Game kGame{
    .displayName = "Quake II : Standard",
    .alias = "q2",
    .weaponNames = kTable.weaponNames,
    .rules = &kRules,
    .oneName = &kQuake2StandardOneName,
    .description = "Quake II's client console obituaries, deathmatch",
};

}  // namespace fragtide::rules::quake2_standard
