#pragma once

#include "rules/game.hpp"

// Counter-Strike, the Half-Life mod: its console kill messages, killer first. Every message
// is the killer, the common middle text, the victim, and a trailing text that names the weapon
// by a short word of the game's own; the trailing text alone decides the slot.
//
// Texts are the game's own, character for character, letter case included.
namespace fragtide::rules::counter_strike {

inline constexpr std::string_view kKilled = " killed ";

inline constexpr ObituaryRule kKnife[] = {{kKilled, " with knife"}};
inline constexpr ObituaryRule kUspTactical[] = {{kKilled, " with usp"}};
inline constexpr ObituaryRule kGlock18[] = {{kKilled, " with glock"}};
inline constexpr ObituaryRule kDesertEagle[] = {{kKilled, " with deagle"}};
inline constexpr ObituaryRule kSigP228[] = {{kKilled, " with p228"}};
inline constexpr ObituaryRule kBenneliM3Super90[] = {{kKilled, " with m3"}};
inline constexpr ObituaryRule kBenneliXm1014[] = {{kKilled, " with xm1014"}};
inline constexpr ObituaryRule kMp5Navy[] = {{kKilled, " with mp5"}};
inline constexpr ObituaryRule kSteyrTmp[] = {{kKilled, " with tmp"}};
inline constexpr ObituaryRule kFnP90[] = {{kKilled, " with p90"}};
inline constexpr ObituaryRule kAk47[] = {{kKilled, " with ak47"}};
inline constexpr ObituaryRule kColtM4a1Carbine[] = {{kKilled, " with colt"}};
inline constexpr ObituaryRule kSigSg552Commando[] = {{kKilled, " with sg552"}};
inline constexpr ObituaryRule kSteyrScout[] = {{kKilled, " with scout"}};
inline constexpr ObituaryRule kArcticWarfareMagnum[] = {{kKilled, " with awp"}};
inline constexpr ObituaryRule kG3Sg1[] = {{kKilled, " with g3"}};
inline constexpr ObituaryRule kFnM249Para[] = {{kKilled, " with para"}};

// Slot k is row k.
inline constexpr WeaponRules kWeapons[] = {
    {"Knife", kKnife},
    {"USP Tactical", kUspTactical},
    {"Glock 18", kGlock18},
    {"Desert Eagle", kDesertEagle},
    {"Sig P228", kSigP228},
    {"Benneli M3 Super90", kBenneliM3Super90},
    {"Benneli XM1014", kBenneliXm1014},
    {"H&K MP5-Navy", kMp5Navy},
    {"Steyr TMP", kSteyrTmp},
    {"FN P90", kFnP90},
    {"AK-47", kAk47},
    {"Colt M4A1 Carbine", kColtM4a1Carbine},
    {"Sig SG-552 Commando", kSigSg552Commando},
    {"Steyr Scout", kSteyrScout},
    {"AI Arctic Warfare/Magnum", kArcticWarfareMagnum},
    {"H&K G3/SG-1", kG3Sg1},
    {"FN M249 Para", kFnM249Para},
};

inline constexpr auto kTable = slotTable(kWeapons);
inline constexpr RuleSet kRules{.killerFirst = true, .slots = kTable.slots};
inline constexpr Game kGame{
    .displayName = "Half-Life : Counter-Strike",
    .alias = "cs",
    .weaponNames = kTable.weaponNames,
    .rules = &kRules,
    .oneName = &kCounterStrikeOneName,
    .description = "Counter-Strike's client console obituaries",
};

}  // namespace fragtide::rules::counter_strike
