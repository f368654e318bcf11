#pragma once

#include <array>

#include "engine/stats_store.hpp"

// Joining the statistics of consecutive pieces of one log.
namespace fragtide::engine {

// Adds `part`, the statistics of the lines that follow those already in `into`, as if its lines
// had been analysed into `into` directly: its players, in their order, join `into` where they are
// new, their counts are added, its people join `into`'s (people_table.hpp), and its last kill's
// names replace those of `into`. `part` must have been counted from an empty store.
void mergeStore(StatsStore& into, const StatsStore& part);

// Where each of `part`'s weapon slots goes in `into`, -1 for a slot that holds nothing: pieces of
// a log that names its weapons give them slots in the order each piece met them.
using SlotMap = std::array<int, kSlotEntries>;
// mergeStore with `part`'s slot s counted in `into`'s slot slotOf[s].
void mergeStore(StatsStore& into, const StatsStore& part, const SlotMap& slotOf);

}  // namespace fragtide::engine
