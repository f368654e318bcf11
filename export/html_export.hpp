#pragma once

#include <span>
#include <string>

#include "engine/log_set.hpp"
#include "engine/stats_store.hpp"

// An analysis as one self-contained HTML page, to share on a clan page or print.
//
// No scripts, no network, no external file: the styles are inline and the charts are inline SVG,
// each with a text alternative and the table of its figures. The page shows the names of the log
// files (their names alone, not the folders they were in) with their bytes and lines, the game,
// General Info, Player Info, every player's frags per weapon, and Rivals Info from the people
// table. Charts, the tables beside them and the cards list the highest first, in one order, and
// say so; a chart of more than 25 says "top 25 of N". Counts are grouped by thousands. The best
// player is the "Player of the match" of one log, the "Top fragger" of several. Names wrap
// anywhere, so a long one never hides the numbers beside it. Every text from the log is decoded
// for display and escaped (export/html_text.hpp).
// Light and dark schemes follow the reader's prefers-color-scheme; print uses black on white.
// The same analysis always gives the same bytes (no date, no version). Thread-safe.
namespace fragtide::exports {

std::string htmlExport(const engine::StatsStore& store, std::span<const engine::LogSetFile> files);

// The page's sections of the statistics (General Info, Player Info, frags per weapon, Rivals Info)
// as a page made of html_page.hpp's pieces shows them within its <main>; `logCount` logs were read.
std::string statisticsSections(const engine::StatsStore& store, std::size_t logCount);

}  // namespace fragtide::exports
