#pragma once

#include "rules/game.hpp"
#include "rules/quake2_standard.hpp"

// Quake II, Action Quake: the console obituaries of the mod, victim first. A
// message that refers to the victim by a pronoun stands once per form (its, his, her; it, him,
// her), as three consecutive rules. Its grenade prints the Quake II handgrenade messages.
//
// Texts are the mod's own, character for character: stored logs depend on every space and
// apostrophe. Within a slot, rules are listed in the order they are tried.
namespace fragtide::rules::quake2_action {

inline constexpr ObituaryRule kCombatKnife[] = {
    {" had its throat slit by ", ""},
    {" had his throat slit by ", ""},
    {" had her throat slit by ", ""},
    {" had open heart surgery, compliments of ", ""},
    {" was gutted by ", ""},
    {" was stabbed repeatedly in the legs by ", ""},
    {" was slashed apart by ", "'s Combat Knife"},
    {" caught ", "'s flying knife with its forehead"},
    {" caught ", "'s flying knife with his forehead"},
    {" caught ", "'s flying knife with her forehead"},
    {"'s ribs don't help against ", "'s flying knife"},
    {" sees the contents of its own stomach thanks to ", "'s flying knife"},
    {" sees the contents of his own stomach thanks to ", "'s flying knife"},
    {" sees the contents of her own stomach thanks to ", "'s flying knife"},
    {" had its legs cut off thanks to ", "'s flying knife"},
    {" had his legs cut off thanks to ", "'s flying knife"},
    {" had her legs cut off thanks to ", "'s flying knife"},
    {" was hit by ", "'s flying knife"},
};
inline constexpr ObituaryRule kMk23Pistol[] = {
    {" has a hole in its head from ", "'s Mark 23 Pistol"},
    {" has a hole in his head from ", "'s Mark 23 Pistol"},
    {" has a hole in her head from ", "'s Mark 23 Pistol"},
    {" loses a vital chest organ thanks to ", "'s Mark 23 Pistol"},
    {" loses its lunch to ", "'s .45 caliber pistol round"},
    {" loses his lunch to ", "'s .45 caliber pistol round"},
    {" loses her lunch to ", "'s .45 caliber pistol round"},
    {" is legless because of ", "'s .45 caliber pistol round"},
    {" was shot by ", "'s Mark 23 Pistol"},
};
inline constexpr ObituaryRule kDualMk23Pistols[] = {
    {" was trepanned by ", "'s akimbo Mark 23 Pistols"},
    {" was Tarvosk'd by ", "'s .45 caliber pistol round"},
    {" needs some new kidneys thanks to ", "'s akimbo Mark 23 Pistols"},
    {" was shot in the legs by ", "'s akimbo Mark 23 Pistols"},
    {" was shot by ", "'s akimbo Mark 23 Pistols"},
};
// The last rule's "had shot by" is the mod's own wording, not a slip.
inline constexpr ObituaryRule kMp5Submachinegun[] = {
    {"'s brains are on the wall thanks to ", "'s 10mm MP5/10 round"},
    {" feels some chest pain via ", "'s MP5/10 Submachinegun"},
    {" needs some Pepto Bismol after ", "'s 10mm MP5 round"},
    {" had its legs blown off thanks to ", "'s MP5/10 Submachinegun"},
    {" had his legs blown off thanks to ", "'s MP5/10 Submachinegun"},
    {" had her legs blown off thanks to ", "'s MP5/10 Submachinegun"},
    {" had shot by ", "'s MP5/10 Submachinegun"},
};
inline constexpr ObituaryRule kM4AssaultRifle[] = {
    {" had a makeover by ", "'s M4 Assault Rifle"},
    {" feels some heart burn thanks to ", "'s M4 Assault Rifle"},
    {" had an upset stomach thanks to ", "'s M4 Assault Rifle"},
    {" is now shorter thanks to ", "'s M4 Assault Rifle"},
    {" was shot by ", "'s M4 Assault Rifle"},
};
inline constexpr ObituaryRule kM3Super90AssaultShotgun[] = {
    {" accepts ", "'s M3 Super 90 Assault Shotgun in hole-y matrimony"},
    {" is full of buckshot from ", "'s M3 Super 90 Assault Shotgun"},
};
inline constexpr ObituaryRule kHandcannon[] = {
    {" ate ", "'s sawed-off 12 gauge"},
    {" is full of buckshot from ", "'s sawed off shotgun"},
};
// The legs rule here has an empty trailing text, so it also accepts the Dual MK23 legs message:
// such a line is credited in both slots, the only line form two slots share.
inline constexpr ObituaryRule kSniperRifle[] = {
    {" saw the sniper bullet go through its scope thanks to ", ""},
    {" saw the sniper bullet go through his scope thanks to ", ""},
    {" saw the sniper bullet go through her scope thanks to ", ""},
    {" caught a sniper bullet between the eyes from ", ""},
    {" was picked off by ", ""},
    {" was sniped in the stomach by ", ""},
    {" was shot in the legs by ", ""},
    {" was sniped by ", "'s Sniper Rifle"},
};
inline constexpr ObituaryRule kMartialArts[] = {
    {" got its ass kicked by ", ""},
    {" got his ass kicked by ", ""},
    {" got her ass kicked by ", ""},
    {" couldn't remove ", "'s boot from its ass"},
    {" couldn't remove ", "'s boot from his ass"},
    {" couldn't remove ", "'s boot from her ass"},
    {" had a Quellmar put on it by ", ", with a quickness"},
    {" had a Quellmar put on him by ", ", with a quickness"},
    {" had a Quellmar put on her by ", ", with a quickness"},
};

// Slot k is row k.
inline constexpr WeaponRules kWeapons[] = {
    {"Combat Knife", kCombatKnife},
    {"MK23 Pistol", kMk23Pistol},
    {"Dual MK23 Pistols", kDualMk23Pistols},
    {"MP5/10 Submachinegun", kMp5Submachinegun},
    {"M4 Assault Rifle", kM4AssaultRifle},
    {"M3 Super90 Assault Shotgun", kM3Super90AssaultShotgun},
    {"Handcannon", kHandcannon},
    {"Sniper Rifle", kSniperRifle},
    {"Martial Arts", kMartialArts},
    {"Grenade", slotOf(quake2_standard::kWeapons, 7).rules},
};

inline constexpr auto kTable = slotTable(kWeapons);
inline constexpr RuleSet kRules{.killerFirst = false, .slots = kTable.slots};
inline constexpr Game kGame{
    .displayName = "Quake II : Action Quake",
    .alias = "q2-action",
    .weaponNames = kTable.weaponNames,
    .rules = &kRules,
    .oneName = &kQuake2ActionOneName,
    .description = "the console obituaries of Action Quake 2",
};

}  // namespace fragtide::rules::quake2_action
