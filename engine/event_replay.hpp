#pragma once

#include <memory>
#include <string_view>

#include "engine/kill_event.hpp"

// Crediting events given by name, as a season keeps them, into a store: replaying, in order, the
// events that analyses kept (StatsStore::KeepEvents) gives the store that analysing those logs one
// after the other gives, down to the order of players, people, rivals and weapon slots.
namespace fragtide::engine {

class StatsStore;

class EventReplayer {
public:
    // `store` holds the game's WeaponNames (and whatever earlier replays or analyses put there);
    // it must outlive the replayer.
    explicit EventReplayer(StatsStore& store);
    ~EventReplayer();  // adds the last counts to the store
    EventReplayer(const EventReplayer&) = delete;
    EventReplayer& operator=(const EventReplayer&) = delete;

    // The slot of a weapon as the analysis knew it: `key` and `name` are the WeaponKeys and
    // WeaponNames entries of its slot. An empty key is a game's fixed slot, given as `fixedSlot`;
    // any other key gets the slot that key has in this store, or the next free one, as in the log.
    int slotOf(std::string_view key, std::string_view name, int fixedSlot);

    // Names are exact person names (as PeopleTable holds them); "" is nobody.
    void frag(int slot, std::string_view killer, std::string_view victim);
    void teamKill(std::string_view killer, std::string_view victim);
    void suicide(std::string_view person);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace fragtide::engine
