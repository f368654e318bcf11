#pragma once

#include <cstdint>
#include <vector>

// The credited events of a log in the order its lines give them, for callers that keep a history
// (a season): replaying them through replayEvents gives the store that analysing the lines gives.
namespace fragtide::engine {

enum class KillEventKind : std::uint8_t { Frag, TeamKill, Suicide };

// One credit. People are indices into the store's People table (PeopleTable::kNobody for nobody,
// as a frag by the world); `slot` is the weapon slot of a frag (WeaponKeys/WeaponNames say what a
// slot holds in a game that names its weapons), 0 otherwise.
struct KillEvent {
    std::uint32_t killer;  // the one who killed, killed a teammate, or killed himself
    std::uint32_t victim;  // kNobody for a suicide
    std::uint8_t slot;
    KillEventKind kind;
};

// Where a store keeps its events while StatsStore::KeepEvents is set.
using KillEvents = std::vector<KillEvent>;

}  // namespace fragtide::engine
