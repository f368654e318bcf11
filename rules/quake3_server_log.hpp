#pragma once

#include "rules/game.hpp"

// The `Kill:` lines that Quake III engine servers write to games.log and to their console log:
// Quake III Arena, Team Arena, OpenArena, Urban Terror and the other games of that engine. Its kills
// are found by a reader of their own (engine/readers/quake3_log.hpp); each kill names its means of
// death by a word (MOD_RAILGUN, UT_MOD_SPAS, ...). The words below are compared exactly; other words
// are shown as written.
namespace fragtide::rules::quake3_server_log {

inline constexpr std::string_view kGrenadeLauncher = "Grenade Launcher";
inline constexpr std::string_view kRocketLauncher = "Rocket Launcher";
inline constexpr std::string_view kPlasmaGun = "Plasma Gun";
inline constexpr std::string_view kBfg10k = "BFG10K";
inline constexpr std::string_view kHk69 = "HK69";

inline constexpr WeaponWord kWeaponWords[] = {
    // Quake III Arena and Team Arena (means of death of the game's source).
    {"MOD_SHOTGUN", "Shotgun"},
    {"MOD_GAUNTLET", "Gauntlet"},
    {"MOD_MACHINEGUN", "Machinegun"},
    {"MOD_GRENADE", kGrenadeLauncher},
    {"MOD_GRENADE_SPLASH", kGrenadeLauncher},
    {"MOD_ROCKET", kRocketLauncher},
    {"MOD_ROCKET_SPLASH", kRocketLauncher},
    {"MOD_PLASMA", kPlasmaGun},
    {"MOD_PLASMA_SPLASH", kPlasmaGun},
    {"MOD_RAILGUN", "Railgun"},
    {"MOD_LIGHTNING", "Lightning Gun"},
    {"MOD_BFG", kBfg10k},
    {"MOD_BFG_SPLASH", kBfg10k},
    {"MOD_TELEFRAG", "Telefrag"},
    {"MOD_NAIL", "Nailgun"},
    {"MOD_CHAINGUN", "Chaingun"},
    {"MOD_PROXIMITY_MINE", "Proximity Launcher"},
    {"MOD_KAMIKAZE", "Kamikaze"},
    {"MOD_GRAPPLE", "Grappling Hook"},
    {"MOD_WATER", "Drowning"},
    {"MOD_SLIME", "Slime"},
    {"MOD_LAVA", "Lava"},
    {"MOD_CRUSH", "Crushed"},
    {"MOD_FALLING", "Falling"},
    {"MOD_SUICIDE", "Suicide"},
    {"MOD_TARGET_LASER", "Laser"},
    {"MOD_TRIGGER_HURT", "Hurt"},
    {"MOD_JUICED", "Juiced"},
    {"MOD_UNKNOWN", "Unknown"},
    // Urban Terror 4.
    {"UT_MOD_KNIFE", "Knife"},
    {"UT_MOD_KNIFE_THROWN", "Thrown Knife"},
    {"UT_MOD_BERETTA", "Beretta 92FS"},
    {"UT_MOD_DEAGLE", "Desert Eagle"},
    {"UT_MOD_GLOCK", "Glock"},
    {"UT_MOD_COLT1911", "Colt 1911"},
    {"UT_MOD_MAGNUM", ".44 Magnum"},
    {"UT_MOD_SPAS", "SPAS-12"},
    {"UT_MOD_BENELLI", "Benelli M4"},
    {"UT_MOD_UMP45", "UMP45"},
    {"UT_MOD_MP5K", "MP5K"},
    {"UT_MOD_MAC11", "MAC-11"},
    {"UT_MOD_P90", "P90"},
    {"UT_MOD_LR300", "LR300"},
    {"UT_MOD_G36", "G36"},
    {"UT_MOD_AK103", "AK103"},
    {"UT_MOD_M4", "M4"},
    {"UT_MOD_NEGEV", "Negev"},
    {"UT_MOD_PSG1", "PSG-1"},
    {"UT_MOD_SR8", "SR8"},
    {"UT_MOD_FRF1", "FR-F1"},
    {"UT_MOD_HK69", kHk69},
    {"UT_MOD_HK69_HIT", kHk69},
    {"UT_MOD_HEGRENADE", "HE Grenade"},
    {"UT_MOD_BLED", "Bleeding"},
    {"UT_MOD_KICKED", "Boot"},
    {"UT_MOD_GOOMBA", "Goomba"},
    {"UT_MOD_TOD50", "TOD-50"},
};

inline constexpr Game kGame{
    .displayName = "Quake III : Server Log",
    .alias = "q3",
    .weaponNames = {},
    .rules = nullptr,
    .kind = KillSource::Quake3ServerLog,
    .weaponWords = kWeaponWords,
    .weaponWordsIgnoreCase = false,
    .description = "the games.log of Quake III engine servers: Quake III Arena, OpenArena, Urban Terror, ...",
};

}  // namespace fragtide::rules::quake3_server_log
