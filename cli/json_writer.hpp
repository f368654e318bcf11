#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "engine/game_detector.hpp"
#include "engine/log_set.hpp"
#include "engine/stats_store.hpp"
#include "season/season_view.hpp"

// The statistics of a store as JSON, for scripts:
//
//   {"game": G,
//    "detected": {"<display string>": kills, ...},        (only when the game was detected)
//    "weapons": [{"slot": s, "name": n, "frags": f}, ...],
//    "players": [{"index": i, "name": n, "total": t, "frags": {"s": f, ...},
//                 "deaths": d, "suicides": s, "team_kills": k,
//                 "victims": [{"name": n, "frags": f}, ...]}, ...],
//    "others": [{"name": n, "frags": f, "deaths": d, "suicides": s, "team_kills": k}, ...]}
//
// weapons: slots 1..50 that have a name or a positive count, in slot order. players: every named
// player index, in index order; total is 0 for a player without frags; frags holds only positive
// counts, keyed by the slot number as text; victims are his frags per victim in the order of his
// first kill of each. others: everybody of the people table who is no player (he never scored;
// frags is 0), in order of first appearance. Names are display text. Fields may be added later; none is removed or renamed.
namespace fragtide::cli {

// `text` as a JSON string literal, quotes included. `text` must be valid UTF-8; it is kept as it
// is except for the quote, the backslash and control characters (written as \u00XX).
std::string jsonString(std::string_view text);

// The whole document, ended by a newline; with `detected`, the kills of every game it lists.
std::string statisticsJson(const engine::StatsStore& store, const engine::Detection* detected = nullptr);
// The same with the log files read, as a last field:
//   "files": [{"path": p, "bytes": b, "lines": l}, ...]
// path as given (or found in a folder), display text.
std::string statisticsJson(const engine::StatsStore& store, const engine::Detection* detected,
                           std::span<const engine::LogSetFile> files);
// The same document written to `to` a piece at a time, never whole in memory: for millions of names.
void writeStatisticsJson(std::ostream& to, const engine::StatsStore& store, const engine::Detection* detected,
                         std::span<const engine::LogSetFile> files);

// A season's statistics: the document of the statistics of its selected matches, as for the
// concatenation of its logs, with "rating" (one decimal) last in every player and every other,
// the season's logs as "files", and then its selected matches in season order:
//   "matches": [{"start": "2026-11-03T20:15:00", "map": m, "file": f, "kills": k}, ...]
std::string seasonJson(const season::SeasonView& view);

}  // namespace fragtide::cli
