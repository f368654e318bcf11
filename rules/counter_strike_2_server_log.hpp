#pragma once

#include "rules/game.hpp"

// The log of a CS:GO or Counter-Strike 2 server. Its kills are found by a reader of their own
// (engine/readers/cs2_server_log.hpp): the Half-Life server log's lines, with a position block after
// each player and one more time-stamp form. Each kill names its weapon by the word after `with`; the
// words below are compared exactly, every word that begins with `knife` or `bayonet` is the knife,
// and other words are shown as written.
namespace fragtide::rules::counter_strike_2_server_log {

inline constexpr std::string_view kUspS = "USP-S";
inline constexpr std::string_view kM4a1S = "M4A1-S";
inline constexpr std::string_view kMolotov = "Molotov";
inline constexpr std::string_view kC4 = "C4";
inline constexpr std::string_view kKnife = "Knife";

inline constexpr WeaponWord kWeaponWords[] = {
    {"glock", "Glock-18"},
    {"hkp2000", "P2000"},
    {"usp_silencer", kUspS},
    {"usp_silencer_off", kUspS},
    {"elite", "Dual Berettas"},
    {"p250", "P250"},
    {"tec9", "Tec-9"},
    {"fiveseven", "Five-SeveN"},
    {"cz75a", "CZ75-Auto"},
    {"deagle", "Desert Eagle"},
    {"revolver", "R8 Revolver"},
    {"mac10", "MAC-10"},
    {"mp9", "MP9"},
    {"mp7", "MP7"},
    {"mp5sd", "MP5-SD"},
    {"ump45", "UMP-45"},
    {"p90", "P90"},
    {"bizon", "PP-Bizon"},
    {"nova", "Nova"},
    {"xm1014", "XM1014"},
    {"sawedoff", "Sawed-Off"},
    {"mag7", "MAG-7"},
    {"m249", "M249"},
    {"negev", "Negev"},
    {"galilar", "Galil AR"},
    {"famas", "FAMAS"},
    {"ak47", "AK-47"},
    {"m4a1", "M4A4"},
    {"m4a1_silencer", kM4a1S},
    {"m4a1_silencer_off", kM4a1S},
    {"ssg08", "SSG 08"},
    {"sg556", "SG 553"},
    {"aug", "AUG"},
    {"awp", "AWP"},
    {"g3sg1", "G3SG1"},
    {"scar20", "SCAR-20"},
    {"hegrenade", "HE Grenade"},
    {"inferno", kMolotov},
    {"molotov", kMolotov},
    {"incgrenade", "Incendiary Grenade"},
    {"flashbang", "Flashbang"},
    {"smokegrenade", "Smoke Grenade"},
    {"decoy", "Decoy Grenade"},
    {"taser", "Zeus x27"},
    {"planted_c4", kC4},
    {"c4", kC4},
};

// knife, knife_t, knife_karambit, bayonet, ...: every knife the game has, and any it will add.
inline constexpr WeaponWord kWeaponWordPrefixes[] = {
    {"knife", kKnife},
    {"bayonet", kKnife},
};

inline constexpr Game kGame{
    .displayName = "Counter-Strike 2 : Server Log",
    .alias = "cs2",
    .weaponNames = {},
    .rules = nullptr,
    .kind = KillSource::CounterStrike2ServerLog,
    .weaponWords = kWeaponWords,
    .weaponWordsIgnoreCase = false,
    .weaponWordPrefixes = kWeaponWordPrefixes,
    .description = "the log of a CS:GO or Counter-Strike 2 server",
};

}  // namespace fragtide::rules::counter_strike_2_server_log
