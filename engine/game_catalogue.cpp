#include "engine/game_catalogue.hpp"

#include "engine/stats_store.hpp"

namespace fragtide::engine {
namespace {

using std::string_view_literals::operator""sv;

// Weapon names as users know them from the reports; slot k is element k - 1.
constexpr std::string_view kQuake1StandardWeapons[] = {
    "Axe"sv, "Shotgun"sv, "Super Shotgun"sv, "Nailgun"sv, "Super Nailgun"sv,
    "Grenade Launcher"sv, "Rocket Launcher"sv, "Thunderbolt"sv};
constexpr std::string_view kQuake1WarhavenWeapons[] = {
    "Axe"sv, "Shotgun"sv, "Super Shotgun"sv, "Nailgun"sv, "Super Nailgun"sv,
    "Grenade Launcher"sv, "Rocket Launcher"sv, "Sniper Rifle Chest Shot"sv,
    "Ravage Grenade Volley"sv, "Firebolt"sv, "Ice Shards"sv, "Fireball"sv, "Tripmine"sv,
    "Handgrenade"sv, "Lightning"sv, "Sniper Rifle Headshot"sv, "Sniper Rifle Legshot"sv,
    "Fire Nailgun"sv, "Ice Super Nailgun"sv, "Fire Super Nailgun"sv, "Ice Nailgun"sv,
    "Advanced Shotgun"sv, "Advanced Super Shotgun"sv, "Submachinegun"sv, "Laser Rifle"sv};
constexpr std::string_view kQuake1CTFWeapons[] = {
    "Axe"sv, "Shotgun"sv, "Super Shotgun"sv, "Nailgun"sv, "Super Nailgun"sv,
    "Grenade Launcher"sv, "Rocket Launcher"sv, "Thunderbolt"sv, "Quad Rocket Launcher"sv,
    "Quad Thunderbolt"sv, "Grappling Hook"sv};
constexpr std::string_view kQuake2StandardWeapons[] = {
    "Blaster"sv, "Shotgun"sv, "Super Shotgun"sv, "Machine Gun"sv, "Chaingun"sv,
    "Grenade Launcher"sv, "Handgrenade"sv, "Rocket Launcher"sv, "Hyperblaster"sv, "Railgun"sv,
    "BFG 10k"sv};
constexpr std::string_view kQuake2ActionWeapons[] = {
    "Combat Knife"sv, "MK23 Pistol"sv, "Dual MK23 Pistols"sv, "MP5/10 Submachinegun"sv,
    "M4 Assault Rifle"sv, "M3 Super90 Assault Shotgun"sv, "Handcannon"sv, "Sniper Rifle"sv,
    "Martial Arts"sv, "Grenade"sv};
constexpr std::string_view kCounterStrikeWeapons[] = {
    "Knife"sv, "USP Tactical"sv, "Glock 18"sv, "Desert Eagle"sv, "Sig P228"sv,
    "Benneli M3 Super90"sv, "Benneli XM1014"sv, "H&K MP5-Navy"sv, "Steyr TMP"sv, "FN P90"sv,
    "AK-47"sv, "Colt M4A1 Carbine"sv, "Sig SG-552 Commando"sv, "Steyr Scout"sv,
    "AI Arctic Warfare/Magnum"sv, "H&K G3/SG-1"sv, "FN M249 Para"sv};

const Game kGames[] = {
    {"Quake I : Standard", "q1", kQuake1StandardWeapons, &rules::kQuake1Standard},
    {"Quake I : Warhaven", "q1-warhaven", kQuake1WarhavenWeapons, &rules::kQuake1Warhaven},
    {"Quake I : Capture The Flag", "q1-ctf", kQuake1CTFWeapons, &rules::kQuake1CTF},
    {"Quake II : Standard", "q2", kQuake2StandardWeapons, &rules::kQuake2Standard},
    {"Quake II : Action Quake", "q2-action", kQuake2ActionWeapons, &rules::kQuake2Action},
    {"Half-Life : Counter-Strike", "cs", kCounterStrikeWeapons, &rules::kCounterStrike},
};

}  // namespace

std::span<const Game> games() { return kGames; }

const Game* findGame(std::string_view displayName) {
    for (const Game& game : kGames) {
        if (game.displayName == displayName)
            return &game;
    }
    return nullptr;
}

void LoadWeaponNames(StatsStore& store) {
    for (auto& name : store.WeaponNames)
        name.clear();
    const Game* game = findGame(store.CurrentGame);
    if (!game)
        return;
    for (int slot = 1; slot <= game->slotCount(); ++slot)
        store.WeaponNames[slot] = game->weaponNames[slot - 1];
}

}  // namespace fragtide::engine
