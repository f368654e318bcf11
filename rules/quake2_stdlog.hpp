#pragma once

#include "rules/game.hpp"
#include "rules/quake2_standard.hpp"

// The tab-separated StdLog 1.2 files that Quake II server mods write. Its kills are found by a reader
// of their own (engine/readers/stdlog.hpp); each kill record names its weapon. The words are
// compared without regard to ASCII letter case, written here in the case mods usually write; other
// words (Grappling Hook, Telefrag, ...) are shown as written.
namespace fragtide::rules::quake2_stdlog {

// The weapons are Quake II's own: their names are the standard game's, not spelled again.
inline constexpr std::string_view kMachineGun = slotOf(quake2_standard::kWeapons, 4).name;
inline constexpr std::string_view kHandgrenade = slotOf(quake2_standard::kWeapons, 7).name;
inline constexpr std::string_view kBfg10k = slotOf(quake2_standard::kWeapons, 11).name;

inline constexpr WeaponWord kWeaponWords[] = {
    {"Blaster", slotOf(quake2_standard::kWeapons, 1).name},
    {"Shotgun", slotOf(quake2_standard::kWeapons, 2).name},
    {"Super Shotgun", slotOf(quake2_standard::kWeapons, 3).name},
    {"Machinegun", kMachineGun},
    {"Machine Gun", kMachineGun},
    {"Chaingun", slotOf(quake2_standard::kWeapons, 5).name},
    {"Grenade Launcher", slotOf(quake2_standard::kWeapons, 6).name},
    {"Grenades", kHandgrenade},
    {"Hand Grenade", kHandgrenade},
    {"Handgrenade", kHandgrenade},
    {"Rocket Launcher", slotOf(quake2_standard::kWeapons, 8).name},
    {"Hyperblaster", slotOf(quake2_standard::kWeapons, 9).name},
    {"Railgun", slotOf(quake2_standard::kWeapons, 10).name},
    {"BFG10K", kBfg10k},
    {"BFG 10K", kBfg10k},
    {"BFG", kBfg10k},
};

inline constexpr Game kGame{
    .displayName = "Quake II : StdLog",
    .alias = "q2-stdlog",
    .weaponNames = {},
    .rules = nullptr,
    .kind = KillSource::Quake2StdLog,
    .weaponWords = kWeaponWords,
    .weaponWordsIgnoreCase = true,
    .description = "the StdLog file Quake II server mods write, one tab-separated record per frag",
};

}  // namespace fragtide::rules::quake2_stdlog
