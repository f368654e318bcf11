#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Credits one recognised kill in the statistics store.
namespace fragtide::engine {

class StatsStore;

// A raw name as the recorder keys it: spaces (only spaces) trimmed at both ends, then one
// trailing "'s" removed, with no trimming after that. A view into `raw`.
std::string_view normalizeName(std::string_view raw);

// With matchCount > 0: counts one kill for `slot` (1..50) whatever the count, normalises
// store.VictimName and store.KillerName in place, and credits the killer: his existing entry, or
// the first free one of 200. A killer that normalises to "" or finds the table full is credited
// to no player; the weapon total still counts the kill. The people table counts the frag of the
// killer and the death of the victim (each unless ""), whatever the player table holds.
// With matchCount <= 0 nothing changes.
// `line` is not read.
void RecordKill(StatsStore& store, std::int64_t matchCount, int slot, std::string_view line);

// The same credit for a killer and victim given as raw views, without touching KillerName and
// VictimName: for callers that set those once per line themselves.
void creditKill(StatsStore& store, int slot, std::string_view rawKiller, std::string_view rawVictim);

// The same credit for a killer's and a victim's name exactly as given, nothing trimmed or removed:
// for logs that servers write, where each name is a field of its own.
void creditExactKill(StatsStore& store, int slot, std::string_view killer, std::string_view victim);

}  // namespace fragtide::engine
