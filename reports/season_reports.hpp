#pragma once

#include <string>
#include <vector>

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

// The pieces both reports share with the season's exported page, so that the page and the
// reports cannot disagree.

// Indices into view.store.People, best first: by rating, then frags, then the people order.
std::vector<std::uint32_t> rankingOrder(const season::SeasonView& view);
// A rating with one decimal, rounded half away from zero, never in the locale's form: "1016.3".
std::string ratingText(double rating);
// "2026-11-03" and "2026-11-03 20:15" of a civil time; any int64 gives a date.
std::string civilDate(season::CivilSeconds time);
std::string civilDateTime(season::CivilSeconds time);
// The weapon slot with most of the person's frags (the lowest on a tie), or 0 when he fragged
// with none: someone who never scored has no player row, so no weapons.
int favouriteSlot(const engine::StatsStore& store, std::uint32_t person);
// A match's log file as shown: its name alone, decoded.
std::string matchFileName(const season::Match& match);
// A match's map as shown: its name decoded, or "unknown".
std::string mapText(const engine::StatsStore& store, const season::Match& match);

}  // namespace fragtide::reports
