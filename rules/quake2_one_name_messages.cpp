#include "rules/one_name_messages.hpp"

// Quake II prints these from ClientObituary in id-Software/Quake-2, game/p_client.c, as
// "%s %s.\n" (name, a space, the message, a full stop) for the messages of its `mod` switches,
// and as "%s died.\n" when nothing else applies (also for deaths by a monster). The space and the
// full stop of the format are part of each text below. Team kills print the usual two-name kill
// message, so there are none with one name.

namespace fragtide::rules {

namespace quake2 {
constexpr OneNameMessage kSuicides[] = {
    // ClientObituary, deaths by the world (first switch on mod).
    {"", " suicides."},                        // MOD_SUICIDE
    {"", " cratered."},                        // MOD_FALLING
    {"", " was squished."},                    // MOD_CRUSH
    {"", " sank like a rock."},                // MOD_WATER
    {"", " melted."},                          // MOD_SLIME
    {"", " does a back flip into the lava."},  // MOD_LAVA
    {"", " blew up."},                         // MOD_EXPLOSIVE, MOD_BARREL
    {"", " found a way out."},                 // MOD_EXIT
    {"", " saw the light."},                   // MOD_TARGET_LASER
    {"", " got blasted."},                     // MOD_TARGET_BLASTER
    {"", " was in the wrong place."},          // MOD_BOMB, MOD_SPLASH, MOD_TRIGGER_HURT
    // ClientObituary, attacker == self (second switch on mod).
    {"", " tried to put the pin back in."},    // MOD_HELD_GRENADE
    {"", " tripped on its own grenade."},      // MOD_HG_SPLASH, MOD_G_SPLASH
    {"", " tripped on her own grenade."},      // MOD_HG_SPLASH, MOD_G_SPLASH
    {"", " tripped on his own grenade."},      // MOD_HG_SPLASH, MOD_G_SPLASH
    {"", " blew itself up."},                  // MOD_R_SPLASH
    {"", " blew herself up."},                 // MOD_R_SPLASH
    {"", " blew himself up."},                 // MOD_R_SPLASH
    {"", " should have used a smaller gun."},  // MOD_BFG_BLAST
    {"", " killed itself."},                   // any other mod
    {"", " killed herself."},                  // any other mod
    {"", " killed himself."},                  // any other mod
    // ClientObituary, last line: no message applied.
    {"", " died."},
};
}  // namespace quake2

const OneNameTable kQuake2StandardOneName{quake2::kSuicides, {}};

}  // namespace fragtide::rules
