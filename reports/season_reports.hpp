#pragma once

#include "reports/reports.hpp"
#include "season/season_view.hpp"

// The two reports only a season has, made from its view as the other reports are made from a
// store: lines of display text, nothing shown.
namespace fragtide::reports {

// Ranking: every person by rating, best first: rank, name, rating, frags, deaths, K/D, suicides,
// team kills, matches, favourite weapon, last seen.
Lines ranking(const season::SeasonView& view);
// Matches: date, map, file, players and top fragger of each selected match, in season order.
Lines matches(const season::SeasonView& view);

}  // namespace fragtide::reports
