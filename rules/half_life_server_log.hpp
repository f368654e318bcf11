#pragma once

#include "rules/counter_strike.hpp"
#include "rules/game.hpp"

// The standard log of every Half-Life server, Counter-Strike 1.x and the other mods alike. Its kills
// are found by a reader of their own (engine/readers/hl_server_log.hpp), and each kill names its
// weapon by the word after `with`. The words below are Counter-Strike's, compared exactly; other mods'
// words (crowbar, machinegun, ...) are shown as written.
namespace fragtide::rules::half_life_server_log {

// Counter-Strike's console names its weapons the same way: its names are used, not spelled again.
inline constexpr std::string_view kKnife = slotOf(counter_strike::kWeapons, 1).name;
inline constexpr std::string_view kGlock18 = slotOf(counter_strike::kWeapons, 3).name;
inline constexpr std::string_view kMp5Navy = slotOf(counter_strike::kWeapons, 8).name;
inline constexpr std::string_view kColtM4a1Carbine = slotOf(counter_strike::kWeapons, 12).name;
inline constexpr std::string_view kG3Sg1 = slotOf(counter_strike::kWeapons, 16).name;
inline constexpr std::string_view kFnM249Para = slotOf(counter_strike::kWeapons, 17).name;

inline constexpr WeaponWord kWeaponWords[] = {
    {"knife", kKnife},
    {"usp", slotOf(counter_strike::kWeapons, 2).name},
    {"glock", kGlock18},
    {"glock18", kGlock18},
    {"deagle", slotOf(counter_strike::kWeapons, 4).name},
    {"p228", slotOf(counter_strike::kWeapons, 5).name},
    {"m3", slotOf(counter_strike::kWeapons, 6).name},
    {"xm1014", slotOf(counter_strike::kWeapons, 7).name},
    {"mp5", kMp5Navy},
    {"mp5navy", kMp5Navy},
    {"tmp", slotOf(counter_strike::kWeapons, 9).name},
    {"p90", slotOf(counter_strike::kWeapons, 10).name},
    {"ak47", slotOf(counter_strike::kWeapons, 11).name},
    {"colt", kColtM4a1Carbine},
    {"m4a1", kColtM4a1Carbine},
    {"sg552", slotOf(counter_strike::kWeapons, 13).name},
    {"scout", slotOf(counter_strike::kWeapons, 14).name},
    {"awp", slotOf(counter_strike::kWeapons, 15).name},
    {"g3", kG3Sg1},
    {"g3sg1", kG3Sg1},
    {"para", kFnM249Para},
    {"m249", kFnM249Para},
    {"galil", "IMI Galil"},
    {"famas", "FAMAS"},
    {"aug", "Steyr AUG"},
    {"sg550", "Sig SG-550"},
    {"ump45", "H&K UMP45"},
    {"mac10", "Ingram MAC-10"},
    {"fiveseven", "FN Five-seveN"},
    {"elite", "Dual Berettas"},
    {"grenade", "HE Grenade"},
};

inline constexpr Game kGame{
    .displayName = "Half-Life : Server Log",
    .alias = "hl",
    .weaponNames = {},
    .rules = nullptr,
    .kind = KillSource::HalfLifeServerLog,
    .weaponWords = kWeaponWords,
    .weaponWordsIgnoreCase = false,
    .description = "the log file every Half-Life engine server writes: Counter-Strike 1.6, Team Fortress 2, ...",
};

}  // namespace fragtide::rules::half_life_server_log
