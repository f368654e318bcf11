#include "rules/weapon_words.hpp"

// The words a Half-Life server writes after `with` in a kill line, and how a player knows each
// weapon. Other mods' words (crowbar, machinegun, ...) are not listed: they are shown as written.

namespace fragtide::rules {
namespace {

constexpr WeaponWord kWords[] = {
    {"knife", "Knife"},
    {"usp", "USP Tactical"},
    {"glock", "Glock 18"},
    {"glock18", "Glock 18"},
    {"deagle", "Desert Eagle"},
    {"p228", "Sig P228"},
    {"m3", "Benneli M3 Super90"},
    {"xm1014", "Benneli XM1014"},
    {"mp5", "H&K MP5-Navy"},
    {"mp5navy", "H&K MP5-Navy"},
    {"tmp", "Steyr TMP"},
    {"p90", "FN P90"},
    {"ak47", "AK-47"},
    {"colt", "Colt M4A1 Carbine"},
    {"m4a1", "Colt M4A1 Carbine"},
    {"sg552", "Sig SG-552 Commando"},
    {"scout", "Steyr Scout"},
    {"awp", "AI Arctic Warfare/Magnum"},
    {"g3", "H&K G3/SG-1"},
    {"g3sg1", "H&K G3/SG-1"},
    {"para", "FN M249 Para"},
    {"m249", "FN M249 Para"},
    {"galil", "IMI Galil"},
    {"famas", "FAMAS"},
    {"aug", "Steyr AUG"},
    {"sg550", "Sig SG-550"},
    {"ump45", "H&K UMP45"},
    {"mac10", "Ingram MAC-10"},
    {"fiveseven", "FN Five-seveN"},
    {"elite", "Dual Berettas"},
    {"grenade", "HE Grenade"},
};

}  // namespace

const std::span<const WeaponWord> kHalfLifeWeaponWords = kWords;

}  // namespace fragtide::rules
