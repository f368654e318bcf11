#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/stats_store.hpp"

// The text reports and the helpers they share. Each report returns its lines, made from the store
// as it stands; none keeps state and none shows anything: a window or a terminal shows the lines.
// Names are decoded for display (engine/display_text.hpp) as they enter a line. Not thread-safe.
namespace fragtide::reports {

using engine::FragCount;
using engine::StatsStore;

// A report's lines in order, display text in UTF-8, without line ends.
using Lines = std::vector<std::string>;

// A player's frags over slots 1..50 (positive counts only); nothing when he has none.
std::optional<FragCount> TotalFrags(const StatsStore& store, int player);

// The player index with the most kills in `slot` (the lowest index on a tie), or 0 when nobody.
int WeaponLeader(const StatsStore& store, int slot);

// A player's share of the match in whole percent: total * 100 / matchTotal as a real division,
// truncated, computed exactly (no overflow, no rounding) for any total from 0 to matchTotal.
// 0 when the match has no frags, or the total is not positive.
FragCount shareOfMatch(FragCount total, FragCount matchTotal);

// General Info: kills per weapon, the player of the match, and the game's weapon champions.
Lines generalInfo(const StatsStore& store);
// Player Info: every player's frags, then his share of the match.
Lines playerInfo(const StatsStore& store);
// Individual Info of the player at `position` of playerList, counted from 0: player index
// position + 1. The heading is made from that entry ("" when there is none).
Lines individualInfoAt(const StatsStore& store, int position);
// The same report for the player whose displayed name is `name` (UTF-8 display text): the lowest
// player index whose name displays exactly so. A name no player has gives the report of nobody:
// the heading, "Total frags: " with no number, and no weapon lines.
Lines individualInfo(const StatsStore& store, std::string_view name);

// The player list as a window shows it: every player's display name in player-index order, so
// entry j is player index j + 1.
Lines playerList(const StatsStore& store);
// The lowest player index whose name displays exactly as `name`, or 0. "" is nobody's name.
int findPlayerByDisplayName(const StatsStore& store, std::string_view name);

}  // namespace fragtide::reports
