#pragma once

#include <memory>
#include <string_view>

#include "engine/game_catalogue.hpp"
#include "engine/stats_store.hpp"

// Small builders for report tests: a store for one game, and kills credited straight into it.
namespace fragtide::testing {

// On the heap: a store is some 80 KB, and the tests also run on Windows' small default stack.
inline std::unique_ptr<engine::StatsStore> storeFor(std::string_view game) {
    auto store = std::make_unique<engine::StatsStore>();
    store->CurrentGame = game;
    engine::LoadWeaponNames(*store);
    return store;
}

// Credits `kills` kills with `slot` to `name` (raw bytes), adding the player at his first kill.
inline int credit(engine::StatsStore& store, std::string_view name, int slot, engine::FragCount kills) {
    int player = store.findPlayer(name);
    if (player == 0)
        player = store.addPlayer(name);
    store.PlayerWeaponFrags[player][slot] += kills;
    store.WeaponFrags[slot] += kills;
    return player;
}

}  // namespace fragtide::testing
