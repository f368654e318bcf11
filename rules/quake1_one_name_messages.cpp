#include "rules/one_name_messages.hpp"

// Quake I prints these with bprint: the player's name, then the text below (its "\n" ends the
// line). Sources, in the public QuakeC game code:
//   [1106] hemebond/quake106, client.qc (the 1.06 game code): ClientObituary and ClientKill
//   [1101] nashmuhandes/id1-quakec-cleaned, client.qc (an earlier release): ClientObituary
// "Quake I : Capture The Flag" uses this table: its own game code was not found, and the Quake I
// messages stand unchanged in it. "Quake I : Warhaven" has no known source: its table is empty.

namespace fragtide::rules {

namespace quake1 {
constexpr OneNameMessage kSuicides[] = {
    {"", " suicides"},                        // [1106] ClientKill (the "kill" command)
    {"Satan's power deflects ", "'s telefrag"},  // [1106] ClientObituary, teledeath2
    {"", " discharges into the water."},      // [1106] ClientObituary, killed self
    {"", " tries to put the pin back in"},    // [1106] ClientObituary, killed self
    {"", " becomes bored with life"},         // [1106] ClientObituary, killed self
    {"", " checks if his weapon is loaded"},  // [1101] ClientObituary, killed self
    // Killed by a monster: no player to credit, and the game takes a frag as for the world.
    // Monsters appear in cooperative and single-player games only.
    {"", " was shot by a Grunt"},             // [1106] ClientObituary, monster_army
    {"", " was eviscerated by a Fiend"},      // [1106] ClientObituary, monster_demon1
    {"", " was mauled by a Rottweiler"},      // [1106] ClientObituary, monster_dog
    {"", " was fried by a Dragon"},           // [1106] ClientObituary, monster_dragon
    {"", " was blasted by an Enforcer"},      // [1106] ClientObituary, monster_enforcer
    {"", " was fed to the Rotfish"},          // [1106] ClientObituary, monster_fish
    {"", " was slain by a Death Knight"},     // [1106] ClientObituary, monster_hell_knight
    {"", " was slashed by a Knight"},         // [1106] ClientObituary, monster_knight
    {"", " was destroyed by an Ogre"},        // [1106] ClientObituary, monster_ogre
    {"", " became one with Shub-Niggurath"},  // [1106] ClientObituary, monster_oldone
    {"", " was exploded by a Vore"},          // [1106] ClientObituary, monster_shalrath
    {"", " was smashed by a Shambler"},       // [1106] ClientObituary, monster_shambler
    {"", " was slimed by a Spawn"},           // [1106] ClientObituary, monster_tarbaby
    {"", " was scragged by a Scrag"},         // [1106] ClientObituary, monster_wizard
    {"", " joins the Zombies"},               // [1106] ClientObituary, monster_zombie
    // Tricks, traps and the world.
    {"", " blew up"},                         // [1106] ClientObituary, explo_box
    {"", " was squished"},                    // [1106] ClientObituary, a moving brush
    {"", " was spiked"},                      // [1106] ClientObituary, trap_shooter
    {"", " ate a lavaball"},                  // [1106] ClientObituary, fireball
    {"", " tried to leave"},                  // [1106] ClientObituary, trigger_changelevel
    {"", " sleeps with the fishes"},          // [1106] ClientObituary, water
    {"", " sucks it down"},                   // [1106] ClientObituary, water
    {"", " gulped a load of slime"},          // [1106] ClientObituary, slime
    {"", " can't exist on slime alone"},      // [1106] ClientObituary, slime
    {"", " burst into flames"},               // [1106] ClientObituary, lava
    {"", " turned into hot slag"},            // [1106] ClientObituary, lava
    {"", " visits the Volcano God"},          // [1106] ClientObituary, lava
    {"", " fell to his death"},               // [1106] ClientObituary, falling
    {"", " died"},                            // [1106] ClientObituary, anything else
};
// Teamplay 2: the killer's name alone; the game takes a frag from him.
constexpr OneNameMessage kTeamKills[] = {
    {"", " mows down a teammate"},            // [1106] ClientObituary, teamplay 2
    {"", " checks his glasses"},              // [1106] ClientObituary, teamplay 2
    {"", " gets a frag for the other team"},  // [1106] ClientObituary, teamplay 2
    {"", " loses another friend"},            // [1106] ClientObituary, teamplay 2
};
}  // namespace quake1

const OneNameTable kQuake1StandardOneName{quake1::kSuicides, quake1::kTeamKills};
const OneNameTable kQuake1WarhavenOneName{{}, {}};
const OneNameTable kQuake1CTFOneName{quake1::kSuicides, quake1::kTeamKills};

}  // namespace fragtide::rules
