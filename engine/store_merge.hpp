#pragma once

#include <array>
#include <cstdint>
#include <vector>

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

// mergeStore in steps, for a reader merging a batch of many parts: startMerge for each part in
// file order (weapon totals, and every person of the part numbered in `into`), then, for each part
// in the same order, mergePeopleCounts and mergePlayers. Those two change different things (the
// people's counts and rivals; the players, their weapon counts, the events and the last kill's
// names), so one thread may run the first over the parts while another runs the second.
struct PartMerge {
    const StatsStore* part = nullptr;
    SlotMap slotOf{};
    std::vector<std::uint32_t> personIn;  // each of part's people's number in `into`
};
PartMerge startMerge(StatsStore& into, const StatsStore& part, const SlotMap& slotOf);
void mergePeopleCounts(StatsStore& into, const PartMerge& merge);
void mergePlayers(StatsStore& into, const PartMerge& merge);

}  // namespace fragtide::engine
