#include "rules/one_name_messages.hpp"

// Action Quake 2 prints these from ClientObituary as "%s %s\n" (name, a space, the message; no
// full stop, unlike Quake II), and as "%s died\n" when nothing else applies. Sources:
//   [TNG] aq2-tng/aq2-tng, source/p_client.c: ClientObituary
//   [OLD] the earlier Action Quake 2 ClientObituary, kept commented out in the p_client.c of the
//         "^J Mod for Action Quake2" (2006); the search index does not name its repository
// Team kills print the usual two-name kill message, so there are none with one name.

namespace fragtide::rules {

namespace action_quake {
constexpr OneNameMessage kSuicides[] = {
    // ClientObituary, deaths by the world (first switch on mod).
    {"", " ate too much glass"},               // [TNG] MOD_BREAKINGGLASS
    {"", " suicides"},                         // [OLD] MOD_SUICIDE
    {"", " is done with the world"},           // [TNG] MOD_SUICIDE
    {"", " plummets to its death"},            // [TNG] MOD_FALLING
    {"", " plummets to her death"},            // [TNG] MOD_FALLING
    {"", " plummets to his death"},            // [TNG] MOD_FALLING
    {"", " was flattened"},                    // [TNG] MOD_CRUSH
    {"", " sank like a rock"},                 // [TNG] MOD_WATER
    {"", " melted"},                           // [TNG] MOD_SLIME
    {"", " does a back flip into the lava"},   // [TNG] MOD_LAVA
    {"", " blew up"},                          // [TNG] MOD_EXPLOSIVE, MOD_BARREL
    {"", " found a way out"},                  // [TNG] MOD_EXIT
    {"", " saw the light"},                    // [TNG] MOD_TARGET_LASER
    {"", " got blasted"},                      // [TNG] MOD_TARGET_BLASTER
    {"", " was in the wrong place"},           // [TNG] MOD_BOMB, MOD_SPLASH, MOD_TRIGGER_HURT
    // ClientObituary, attacker == self (second switch on mod).
    {"", " tried to put the pin back in"},     // [TNG] MOD_HELD_GRENADE
    {"", " didn't throw its grenade far enough"},  // [TNG] MOD_HG_SPLASH (overwritten there)
    {"", " didn't throw her grenade far enough"},  // [TNG] MOD_HG_SPLASH
    {"", " didn't throw his grenade far enough"},  // [TNG] MOD_HG_SPLASH
    {"", " tripped on its own grenade"},       // [TNG] MOD_G_SPLASH
    {"", " tripped on her own grenade"},       // [TNG] MOD_G_SPLASH
    {"", " tripped on his own grenade"},       // [TNG] MOD_G_SPLASH
    {"", " blew itself up"},                   // [TNG] MOD_R_SPLASH
    {"", " blew herself up"},                  // [TNG] MOD_R_SPLASH
    {"", " blew himself up"},                  // [TNG] MOD_R_SPLASH
    {"", " should have used a smaller gun"},   // [TNG] MOD_BFG_BLAST
    {"", " killed itself"},                    // [TNG] any other mod
    {"", " killed herself"},                   // [TNG] any other mod
    {"", " killed himself"},                   // [TNG] any other mod
    // ClientObituary, last line (and outside deathmatch and cooperative games): no message.
    {"", " died"},                             // [TNG]
};
}  // namespace action_quake

const OneNameTable kQuake2ActionOneName{action_quake::kSuicides, {}};

}  // namespace fragtide::rules
