#include "rules/rule_tables.hpp"

// Obituary rules as the games print them, character for character: stored logs depend on every
// space and apostrophe. Within a slot the order is the order the rules are tried in.

namespace fragtide::rules {

namespace quake1_standard {
constexpr ObituaryRule kSlot1[] = {  // Axe
    {" was ax-murdered by ", ""},
};
constexpr ObituaryRule kSlot2[] = {  // Shotgun
    {" chewed on ", "'s boomstick"},
};
constexpr ObituaryRule kSlot3[] = {  // Super Shotgun
    {" ate 2 loads of ", "'s buckshot"},
};
constexpr ObituaryRule kSlot4[] = {  // Nailgun
    {" was nailed by ", ""},
};
constexpr ObituaryRule kSlot5[] = {  // Super Nailgun
    {" was punctured by ", ""},
};
constexpr ObituaryRule kSlot6[] = {  // Grenade Launcher
    {" eats ", "'s pineapple"},
    {" was gibbed by ", "'s grenade"},
};
constexpr ObituaryRule kSlot7[] = {  // Rocket Launcher
    {" rides ", "'s rocket"},
    {" was gibbed by ", "'s rocket"},
};
constexpr ObituaryRule kSlot8[] = {  // Thunderbolt
    {" accepts ", "'s shaft"},
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
};
}  // namespace quake1_standard

const RuleSet kQuake1Standard{false, quake1_standard::kSlots};  // 10 rules

namespace quake1_warhaven {
constexpr ObituaryRule kSlot1[] = {  // Axe
    {" was axed by ", ""},
    {" was killed the Barbarian's way by ", ""},
    {" was slain by ", "'s axe"},
};
constexpr ObituaryRule kSlot2[] = {  // Shotgun
    {" got shotgunned by ", ""},
    {" eats some buckshot from ", ""},
    {" accepts ", "'s buckshot"},
};
constexpr ObituaryRule kSlot3[] = {  // Super Shotgun
    {" is in a world of pain thanks to ", ""},
    {" is now smaller thanks to ", "'s super shotgun"},
};
constexpr ObituaryRule kSlot4[] = {  // Nailgun
    {" is full of nails thanks to ", ""},
};
constexpr ObituaryRule kSlot5[] = {  // Super Nailgun
    {" takes an acupuncture course at ", ""},
};
constexpr ObituaryRule kSlot6[] = {  // Grenade Launcher
    {" was smashed by ", "'s grenade"},
};
constexpr ObituaryRule kSlot7[] = {  // Rocket Launcher
    {" was wasted by ", "'s rocket"},
    {" is FUBAR thanks to ", "'s rocket"},
};
constexpr ObituaryRule kSlot8[] = {  // Sniper Rifle Chest Shot
    {" was sniped in the chest by ", ""},
    {" feels some chest pain thanks to ", ""},
    {" gets his armor pierced by ", ""},
};
constexpr ObituaryRule kSlot9[] = {  // Ravage Grenade Volley
    {" was destroyed by ", "'s grenade volley"},
};
constexpr ObituaryRule kSlot10[] = {  // Firebolt
    {" grabbed ", "'s firebolt"},
};
constexpr ObituaryRule kSlot11[] = {  // Ice Shards
    {" was shredded by ", "'s Ice Shards"},
};
constexpr ObituaryRule kSlot12[] = {  // Fireball
    {" ate ", "'s Fireball"},
};
constexpr ObituaryRule kSlot13[] = {  // Tripmine
    {" was exploded by ", "'s mine"},
};
constexpr ObituaryRule kSlot14[] = {  // Handgrenade
    {" caught ", "'s handgrenade"},
};
constexpr ObituaryRule kSlot15[] = {  // Lightning
    {" was electrified by ", "'s lightning bolt"},
};
constexpr ObituaryRule kSlot16[] = {  // Sniper Rifle Headshot
    {" has a hole in his head thanks to ", ""},
    {" has his brains on the wall thanks to ", ""},
};
constexpr ObituaryRule kSlot17[] = {  // Sniper Rifle Legshot
    {" was sniped in the legs by ", ""},
    {" loses his legs because of ", ""},
};
constexpr ObituaryRule kSlot18[] = {  // Fire Nailgun
    {" was fried by ", "'s fire nails"},
};
constexpr ObituaryRule kSlot19[] = {  // Ice Super Nailgun
    {" is frozen by ", "'s ice nails"},
};
constexpr ObituaryRule kSlot20[] = {  // Fire Super Nailgun
    {" was desintegrated by ", ""},
};
constexpr ObituaryRule kSlot21[] = {  // Ice Nailgun
    {" has gone sub-zero thanks to ", "'s Ice Supernailgun"},
};
constexpr ObituaryRule kSlot22[] = {  // Advanced Shotgun
    {" is cured forever by ", "'s Shotgun"},
};
constexpr ObituaryRule kSlot23[] = {  // Advanced Super Shotgun
    {" is blown away by ", "'s Super Shotgun"},
};
constexpr ObituaryRule kSlot24[] = {  // Submachinegun
    {" was gunned down by ", "'s Submachinegun"},
};
constexpr ObituaryRule kSlot25[] = {  // Laser Rifle
    {" was lasered by ", ""},
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
    {kSlot12},
    {kSlot13},
    {kSlot14},
    {kSlot15},
    {kSlot16},
    {kSlot17},
    {kSlot18},
    {kSlot19},
    {kSlot20},
    {kSlot21},
    {kSlot22},
    {kSlot23},
    {kSlot24},
    {kSlot25},
};
}  // namespace quake1_warhaven

const RuleSet kQuake1Warhaven{false, quake1_warhaven::kSlots};  // 35 rules

namespace quake1_ctf {
constexpr ObituaryRule kSlot1[] = {  // Axe
    {" was ax-murdered by ", ""},
};
constexpr ObituaryRule kSlot2[] = {  // Shotgun
    {" chewed on ", "'s boomstick"},
};
constexpr ObituaryRule kSlot3[] = {  // Super Shotgun
    {" ate 2 loads of ", "'s buckshot"},
    {" ate a box of ", "'s buckshot"},
};
constexpr ObituaryRule kSlot4[] = {  // Nailgun
    {" was nailed by ", ""},
};
constexpr ObituaryRule kSlot5[] = {  // Super Nailgun
    {" was punctured by ", ""},
};
constexpr ObituaryRule kSlot6[] = {  // Grenade Launcher
    {" eats ", "'s pineapple"},
    {" was gibbed by ", "'s grenade"},
};
constexpr ObituaryRule kSlot7[] = {  // Rocket Launcher
    {" rides ", "'s rocket"},
    {" was gibbed by ", "'s rocket"},
};
constexpr ObituaryRule kSlot8[] = {  // Thunderbolt
    {" accepts ", "'s shaft"},
    {" accepts ", "'s discharge"},
};
constexpr ObituaryRule kSlot9[] = {  // Quad Rocket Launcher
    {" was destroyed by ", "'s Quad rocket"},
};
constexpr ObituaryRule kSlot10[] = {  // Quad Thunderbolt
    {" was touched by ", "'s Quad lightning"},
};
constexpr ObituaryRule kSlot11[] = {  // Grappling Hook
    {" was disembowled by ", ""},
    {" was hooked by ", ""},
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
}  // namespace quake1_ctf

const RuleSet kQuake1CTF{false, quake1_ctf::kSlots};  // 16 rules

}  // namespace fragtide::rules
