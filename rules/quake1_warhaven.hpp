#pragma once

#include "rules/game.hpp"
#include "rules/quake1_standard.hpp"
#include "rules/quake2_standard.hpp"

// Quake I, Warhaven: a Quake I mod with messages of its own for the standard weapons and
// eighteen weapons more; victim first. Its handgrenade prints the first Quake II handgrenade
// message, so that slot refers to Quake II.
//
// Texts are the mod's own, character for character, letter case included: some trailing texts
// begin the weapon with a capital letter, some with a small one. Within a slot, rules are listed in
// the order they are tried.
namespace fragtide::rules::quake1_warhaven {

namespace standard = quake1_standard;

inline constexpr ObituaryRule kAxe[] = {
    {" was axed by ", ""},
    {" was killed the Barbarian's way by ", ""},
    {" was slain by ", "'s axe"},
};
inline constexpr ObituaryRule kShotgun[] = {
    {" got shotgunned by ", ""},
    {" eats some buckshot from ", ""},
    {" accepts ", "'s buckshot"},
};
inline constexpr ObituaryRule kSuperShotgun[] = {
    {" is in a world of pain thanks to ", ""},
    {" is now smaller thanks to ", "'s super shotgun"},
};
inline constexpr ObituaryRule kNailgun[] = {
    {" is full of nails thanks to ", ""},
};
inline constexpr ObituaryRule kSuperNailgun[] = {
    {" takes an acupuncture course at ", ""},
};
inline constexpr ObituaryRule kGrenadeLauncher[] = {
    {" was smashed by ", "'s grenade"},
};
inline constexpr ObituaryRule kRocketLauncher[] = {
    {" was wasted by ", "'s rocket"},
    {" is FUBAR thanks to ", "'s rocket"},
};
inline constexpr ObituaryRule kSniperRifleChestShot[] = {
    {" was sniped in the chest by ", ""},
    {" feels some chest pain thanks to ", ""},
    {" gets his armor pierced by ", ""},
};
inline constexpr ObituaryRule kRavageGrenadeVolley[] = {
    {" was destroyed by ", "'s grenade volley"},
};
inline constexpr ObituaryRule kFirebolt[] = {
    {" grabbed ", "'s firebolt"},
};
inline constexpr ObituaryRule kIceShards[] = {
    {" was shredded by ", "'s Ice Shards"},
};
inline constexpr ObituaryRule kFireball[] = {
    {" ate ", "'s Fireball"},
};
inline constexpr ObituaryRule kTripmine[] = {
    {" was exploded by ", "'s mine"},
};
inline constexpr ObituaryRule kLightning[] = {
    {" was electrified by ", "'s lightning bolt"},
};
inline constexpr ObituaryRule kSniperRifleHeadshot[] = {
    {" has a hole in his head thanks to ", ""},
    {" has his brains on the wall thanks to ", ""},
};
inline constexpr ObituaryRule kSniperRifleLegshot[] = {
    {" was sniped in the legs by ", ""},
    {" loses his legs because of ", ""},
};
inline constexpr ObituaryRule kFireNailgun[] = {
    {" was fried by ", "'s fire nails"},
};
// Slots 19 and 21 are as the mod prints them, although each message names the other nailgun.
inline constexpr ObituaryRule kIceSuperNailgun[] = {
    {" is frozen by ", "'s ice nails"},
};
inline constexpr ObituaryRule kFireSuperNailgun[] = {
    {" was desintegrated by ", ""},
};
inline constexpr ObituaryRule kIceNailgun[] = {
    {" has gone sub-zero thanks to ", "'s Ice Supernailgun"},
};
inline constexpr ObituaryRule kAdvancedShotgun[] = {
    {" is cured forever by ", "'s Shotgun"},
};
inline constexpr ObituaryRule kAdvancedSuperShotgun[] = {
    {" is blown away by ", "'s Super Shotgun"},
};
inline constexpr ObituaryRule kSubmachinegun[] = {
    {" was gunned down by ", "'s Submachinegun"},
};
inline constexpr ObituaryRule kLaserRifle[] = {
    {" was lasered by ", ""},
};

inline constexpr const WeaponRules& kQuake2Handgrenade = slotOf(quake2_standard::kWeapons, 7);

// Slot k is row k. The lightning weapon is slot 15, not the standard game's slot 8.
inline constexpr WeaponRules kWeapons[] = {
    {slotOf(standard::kWeapons, 1).name, kAxe},
    {slotOf(standard::kWeapons, 2).name, kShotgun},
    {slotOf(standard::kWeapons, 3).name, kSuperShotgun},
    {slotOf(standard::kWeapons, 4).name, kNailgun},
    {slotOf(standard::kWeapons, 5).name, kSuperNailgun},
    {slotOf(standard::kWeapons, 6).name, kGrenadeLauncher},
    {slotOf(standard::kWeapons, 7).name, kRocketLauncher},
    {"Sniper Rifle Chest Shot", kSniperRifleChestShot},
    {"Ravage Grenade Volley", kRavageGrenadeVolley},
    {"Firebolt", kFirebolt},
    {"Ice Shards", kIceShards},
    {"Fireball", kFireball},
    {"Tripmine", kTripmine},
    {kQuake2Handgrenade.name, kQuake2Handgrenade.rules.first(1)},
    {"Lightning", kLightning},
    {"Sniper Rifle Headshot", kSniperRifleHeadshot},
    {"Sniper Rifle Legshot", kSniperRifleLegshot},
    {"Fire Nailgun", kFireNailgun},
    {"Ice Super Nailgun", kIceSuperNailgun},
    {"Fire Super Nailgun", kFireSuperNailgun},
    {"Ice Nailgun", kIceNailgun},
    {"Advanced Shotgun", kAdvancedShotgun},
    {"Advanced Super Shotgun", kAdvancedSuperShotgun},
    {"Submachinegun", kSubmachinegun},
    {"Laser Rifle", kLaserRifle},
};

inline constexpr auto kTable = slotTable(kWeapons);
inline constexpr RuleSet kRules{.killerFirst = false, .slots = kTable.slots};
// By slot: a reordering of kWeapons must move these with it (the golden text shows both).
inline constexpr Champion kChampions[] = {
    {16, "Most feared Specialist/Sniper : ", " headshots!"},
    {1, "Most violent Barbarian : ", " axe kills!"},
    {7, "Most talented Marine : ", " rocket kills!"},
};
inline constexpr Game kGame{
    .displayName = "Quake I : Warhaven",
    .alias = "q1-warhaven",
    .weaponNames = kTable.weaponNames,
    .rules = &kRules,
    .oneName = &kQuake1WarhavenOneName,
    .champions = kChampions,
    .description = "the console obituaries of Warhaven, the Quake mod",
};

}  // namespace fragtide::rules::quake1_warhaven
