#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/stats_store.hpp"

// What a season shows, read out of its file: plain data for reports, exports and windows, with no
// database in sight.
namespace fragtide::season {

// A wall-clock time as the log (or the file's modification time, in local time) gives it, in
// seconds since 1970-01-01 00:00:00 of that same clock: no time zone is known or needed.
using CivilSeconds = std::int64_t;

struct Match {
    CivilSeconds start = 0;
    std::string map;           // raw log bytes; "" when the log names none (console logs)
    std::string file;          // the log's path as it was added, UTF-8
    std::int64_t kills = 0;    // frags credited in it, as the weapon totals count them
    std::int64_t players = 0;  // distinct people who fragged, died, killed themselves or a teammate
    std::string topFragger;    // raw bytes of who fragged most in it (first to reach it on a tie); ""
};

// One person's rating after each selected match he played in, for the rating-over-time chart.
struct RatingHistory {
    std::uint32_t person = 0;  // index into store.People.people()
    std::vector<std::pair<std::size_t, double>> points;  // (index into matches, rating after it)
};

// A log of the season, as the statistics JSON lists the files read.
struct SeasonFile {
    std::string path;         // as the season keeps it (absolute), UTF-8
    std::uint64_t bytes = 0;  // read from it
    std::uint64_t lines = 0;  // as the analysis counted them
};

struct SeasonView {
    std::string game;            // the game's display string
    engine::StatsStore store;    // statistics of the selected matches, as analysing their lines gives
    std::vector<Match> matches;  // the selected matches, in season order
    // Per person of store.People, in its order:
    std::vector<double> ratings;                // Elo at the end of the range (1000 to start)
    std::vector<std::int64_t> matchesPlayed;    // selected matches he appears in
    std::vector<CivilSeconds> lastSeen;         // start of the last of them
    std::vector<RatingHistory> topTenHistory;   // the ten best rated at the end, best first
    std::vector<SeasonFile> files;              // every log of the season, in season order
};

}  // namespace fragtide::season
