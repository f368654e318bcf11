#pragma once

#include <optional>
#include <string_view>

#include "engine/stats_store.hpp"

// The three text reports and the helpers they share. Each report clears the report list and
// writes itself from the store as it stands; none keeps state. Names are decoded for display
// (engine/display_text.hpp) as they enter a line. Not thread-safe.
namespace fragtide::engine {
class WindowOps;
}

namespace fragtide::reports {

using engine::FragCount;
using engine::StatsStore;
using engine::WindowOps;

// Appends one line to the report list.
void AddReportLine(WindowOps& window, std::string_view text);

// A player's frags over slots 1..50 (positive counts only); nothing when he has none.
std::optional<FragCount> TotalFrags(const StatsStore& store, int player);

// The player index with the most kills in `slot` (the lowest index on a tie), or 0 when nobody.
int WeaponLeader(const StatsStore& store, int slot);

// A player's share of the match in whole percent: total * 100 / matchTotal as a real division,
// truncated, computed exactly (no overflow, no rounding) for any total from 0 to matchTotal.
// 0 when the match has no frags, or the total is not positive.
FragCount shareOfMatch(FragCount total, FragCount matchTotal);

void ShowGeneralInfo(const StatsStore& store, WindowOps& window);
void ShowPlayerInfo(const StatsStore& store, WindowOps& window);
// The player at `position` of the player list, counted from 0: player index position + 1, as the
// analysis run fills the list. The heading is made from the entry's text (window.lstPlayersList).
void ShowIndividualInfo(const StatsStore& store, WindowOps& window, int position);
// The same report for the player whose displayed name is `name` (UTF-8 display text): the lowest
// player index whose name displays exactly so. A name no player has gives the report of nobody:
// the heading, "Total frags: " with no number, and no weapon lines.
void showIndividualInfoFor(const StatsStore& store, WindowOps& window, std::string_view name);
// The lowest player index whose name displays exactly as `name`, or 0. "" is nobody's name.
int findPlayerByDisplayName(const StatsStore& store, std::string_view name);

}  // namespace fragtide::reports
