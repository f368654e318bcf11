#include "rules/rule_tables.hpp"

// Obituary rules as the games print them, character for character: stored logs depend on every
// space and apostrophe. Within a slot the order is the order the rules are tried in.

namespace fragtide::rules {

namespace quake2_standard {
constexpr ObituaryRule kSlot1[] = {  // Blaster
    {" was blasted by ", ""},
};
constexpr ObituaryRule kSlot2[] = {  // Shotgun
    {" was gunned down by ", ""},
};
constexpr ObituaryRule kSlot3[] = {  // Super Shotgun
    {" was blown away by ", "'s super shotgun"},
};
constexpr ObituaryRule kSlot4[] = {  // Machine Gun
    {" was machinegunned by ", ""},
};
constexpr ObituaryRule kSlot5[] = {  // Chaingun
    {" was cut in half by ", "'s chaingun"},
};
constexpr ObituaryRule kSlot6[] = {  // Grenade Launcher
    {" was popped by ", "'s grenade"},
    {" was shredded by ", "'s shrapnel"},
};
constexpr ObituaryRule kSlot7[] = {  // Handgrenade
    {" caught ", "'s handgrenade"},
    {" didn't see ", "'s handgrenade"},
};
constexpr ObituaryRule kSlot8[] = {  // Rocket Launcher
    {" ate ", "'s rocket"},
    {" almost dodged ", "'s rocket"},
};
constexpr ObituaryRule kSlot9[] = {  // Hyperblaster
    {" was melted by ", "'s hyperblaster"},
};
constexpr ObituaryRule kSlot10[] = {  // Railgun
    {" was railed by ", ""},
};
constexpr ObituaryRule kSlot11[] = {  // BFG 10k
    {" saw the pretty lights from ", "'s BFG"},
    {" was disintegrated by ", "'s BFG blast"},
    {" couldn't hide from ", "'s BFG"},
};
constexpr SlotRules kSlots[] = {
    {kSlot1},
    {kSlot2},
    {kSlot3},
    {kSlot4},
    {kSlot5},
    {kSlot6},
    {kSlot7},
    {kSlot8},
    {kSlot9},
    {kSlot10},
    {kSlot11},
};
}  // namespace quake2_standard

const RuleSet kQuake2Standard{false, quake2_standard::kSlots};  // 16 rules

namespace quake2_action {
constexpr ObituaryRule kSlot1[] = {  // Combat Knife
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
constexpr ObituaryRule kSlot2[] = {  // MK23 Pistol
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
constexpr ObituaryRule kSlot3[] = {  // Dual MK23 Pistols
    {" was trepanned by ", "'s akimbo Mark 23 Pistols"},
    {" was Tarvosk'd by ", "'s .45 caliber pistol round"},
    {" needs some new kidneys thanks to ", "'s akimbo Mark 23 Pistols"},
    {" was shot in the legs by ", "'s akimbo Mark 23 Pistols"},
    {" was shot by ", "'s akimbo Mark 23 Pistols"},
};
constexpr ObituaryRule kSlot4[] = {  // MP5/10 Submachinegun
    {"'s brains are on the wall thanks to ", "'s 10mm MP5/10 round"},
    {" feels some chest pain via ", "'s MP5/10 Submachinegun"},
    {" needs some Pepto Bismol after ", "'s 10mm MP5 round"},
    {" had its legs blown off thanks to ", "'s MP5/10 Submachinegun"},
    {" had his legs blown off thanks to ", "'s MP5/10 Submachinegun"},
    {" had her legs blown off thanks to ", "'s MP5/10 Submachinegun"},
    {" had shot by ", "'s MP5/10 Submachinegun"},
};
constexpr ObituaryRule kSlot5[] = {  // M4 Assault Rifle
    {" had a makeover by ", "'s M4 Assault Rifle"},
    {" feels some heart burn thanks to ", "'s M4 Assault Rifle"},
    {" had an upset stomach thanks to ", "'s M4 Assault Rifle"},
    {" is now shorter thanks to ", "'s M4 Assault Rifle"},
    {" was shot by ", "'s M4 Assault Rifle"},
};
constexpr ObituaryRule kSlot6[] = {  // M3 Super90 Assault Shotgun
    {" accepts ", "'s M3 Super 90 Assault Shotgun in hole-y matrimony"},
    {" is full of buckshot from ", "'s M3 Super 90 Assault Shotgun"},
};
constexpr ObituaryRule kSlot7[] = {  // Handcannon
    {" ate ", "'s sawed-off 12 gauge"},
    {" is full of buckshot from ", "'s sawed off shotgun"},
};
constexpr ObituaryRule kSlot8[] = {  // Sniper Rifle
    {" saw the sniper bullet go through its scope thanks to ", ""},
    {" saw the sniper bullet go through his scope thanks to ", ""},
    {" saw the sniper bullet go through her scope thanks to ", ""},
    {" caught a sniper bullet between the eyes from ", ""},
    {" was picked off by ", ""},
    {" was sniped in the stomach by ", ""},
    {" was shot in the legs by ", ""},
    {" was sniped by ", "'s Sniper Rifle"},
};
constexpr ObituaryRule kSlot9[] = {  // Martial Arts
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
constexpr ObituaryRule kSlot10[] = {  // Grenade
    {" caught ", "'s handgrenade"},
    {" didn't see ", "'s handgrenade"},
};
constexpr SlotRules kSlots[] = {
    {kSlot1},
    {kSlot2},
    {kSlot3},
    {kSlot4},
    {kSlot5},
    {kSlot6},
    {kSlot7},
    {kSlot8},
    {kSlot9},
    {kSlot10},
};
}  // namespace quake2_action

const RuleSet kQuake2Action{false, quake2_action::kSlots};  // 67 rules

}  // namespace fragtide::rules
