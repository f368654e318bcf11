#include "rules/weapon_words.hpp"

// The weapon words of Quake II StdLog files, in the letter case the mods usually write; they are
// compared without regard to ASCII case. Other words (Grappling Hook, Telefrag, ...) are shown as
// written.

namespace fragtide::rules {
namespace {

constexpr WeaponWord kWords[] = {
    {"Blaster", "Blaster"},
    {"Shotgun", "Shotgun"},
    {"Super Shotgun", "Super Shotgun"},
    {"Machinegun", "Machine Gun"},
    {"Machine Gun", "Machine Gun"},
    {"Chaingun", "Chaingun"},
    {"Grenade Launcher", "Grenade Launcher"},
    {"Grenades", "Handgrenade"},
    {"Hand Grenade", "Handgrenade"},
    {"Handgrenade", "Handgrenade"},
    {"Rocket Launcher", "Rocket Launcher"},
    {"Hyperblaster", "Hyperblaster"},
    {"Railgun", "Railgun"},
    {"BFG10K", "BFG 10k"},
    {"BFG 10K", "BFG 10k"},
    {"BFG", "BFG 10k"},
};

}  // namespace

const std::span<const WeaponWord> kQuake2StdLogWeaponWords = kWords;

}  // namespace fragtide::rules
