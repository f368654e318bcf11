#pragma once

#include <string>

#include "engine/stats_store.hpp"
#include "reports/reports.hpp"

// The Rivals Info report: for everybody of the people table (engine/people_table.hpp), in the
// order of first appearance, his frags, deaths, suicides, team kills and kills per death, and his
// favourite victim and worst enemy. Like the other reports it returns its lines, made from the
// store as it stands, and keeps no state.
namespace fragtide::reports {

Lines rivalsInfo(const engine::StatsStore& store);

// frags / deaths with two decimals, rounded half up, exact for any counts ("1.50", "0.33");
// "-" when deaths is 0 or less.
std::string killsPerDeath(engine::FragCount frags, engine::FragCount deaths);

}  // namespace fragtide::reports
