#pragma once

#include <string_view>

#include "reports/report_texts.hpp"
#include "reports/season_texts.hpp"

// What the exported page says, in one place.
namespace fragtide::exports::texts {

inline constexpr std::string_view kPageTitle = "Frag statistics";
inline constexpr std::string_view kGame = "Game";
inline constexpr std::string_view kLogs = "Logs";
inline constexpr std::string_view kNoLogs = "No log file was read.";
inline constexpr std::string_view kFile = "File";
inline constexpr std::string_view kBytes = "Bytes";
inline constexpr std::string_view kLines = "Lines";
inline constexpr std::string_view kTotal = "Total";

inline constexpr std::string_view kGeneralInfo = reports::texts::kGeneralInfoName;
inline constexpr std::string_view kPlayerInfo = reports::texts::kPlayerInfoName;
inline constexpr std::string_view kWeaponsPerPlayer = "Frags per weapon of every player";
inline constexpr std::string_view kRivalsInfo = reports::texts::kRivalsInfoName;

inline constexpr std::string_view kWeapon = "Weapon";
inline constexpr std::string_view kKills = "Kills";
inline constexpr std::string_view kPlayer = "Player";
inline constexpr std::string_view kFrags = "Frags";
inline constexpr std::string_view kFragsLower = "frags";
inline constexpr std::string_view kShare = "Share of the fragging";
inline constexpr std::string_view kDeaths = "Deaths";
inline constexpr std::string_view kSuicides = "Suicides";
inline constexpr std::string_view kTeamKills = "Team kills";
inline constexpr std::string_view kKillsPerDeath = "K/D";
inline constexpr std::string_view kFavouriteVictim = "Favourite victim";
inline constexpr std::string_view kWorstEnemy = "Worst enemy";
inline constexpr std::string_view kNobody = "nobody";

// Prose before the name in bold, not the text report's "label : value" line.
inline constexpr std::string_view kPlayerOfTheMatch = FRAGTIDE_PLAYER_OF_THE_MATCH ": ";
inline constexpr std::string_view kNoKills = "No kill was counted.";
inline constexpr std::string_view kNoPlayers = "Nobody scored.";
inline constexpr std::string_view kNoPeople = "Nobody scored, died or killed himself.";

inline constexpr std::string_view kWeaponChart = "Kills per weapon";
inline constexpr std::string_view kPlayerChart = "Frags per player";
inline constexpr std::string_view kRivalsChart = "Deaths and frags per player";
inline constexpr std::string_view kChartShows = "Bar chart of ";
// A chart's visible note, after its title: the order, then "; top 25 of 40 shown, ..." when cut.
inline constexpr std::string_view kMostKillsFirst = "most kills first";
inline constexpr std::string_view kMostFragsFirst = "most frags first";
inline constexpr std::string_view kAsInTheTable = ", as in the table";
inline constexpr std::string_view kTop = "; top ";
inline constexpr std::string_view kOf = " of ";
inline constexpr std::string_view kTableListsAll = " shown, the table lists all";
inline constexpr std::string_view kCardsOrder = "Most frags first, as in Player Info.";
inline constexpr std::string_view kTopFragger = "Top fragger: ";

// The season's page: its header, then the ranking, the rating chart, the matches and the maps
// before the statistics. The header's matches line: "30, " + first date + " to " + last date.
inline constexpr std::string_view kSeason = "Season";
inline constexpr std::string_view kMatchesFromTo = " to ";
inline constexpr std::string_view kRanking = reports::texts::kRankingName;
inline constexpr std::string_view kRankingNote = "Best rated first: Elo per frag, everybody from 1,000.";
inline constexpr std::string_view kRank = "Rank";
inline constexpr std::string_view kRating = "Rating";
inline constexpr std::string_view kMatchesPlayed = "Matches";
inline constexpr std::string_view kFavouriteWeapon = "Favourite weapon";
inline constexpr std::string_view kLastSeen = "Last seen";
inline constexpr std::string_view kNone = reports::texts::kNone;
inline constexpr std::string_view kRatingChart = "Rating of the top ten over the season";
inline constexpr std::string_view kRatingChartNote = "best rated first, as in the ranking; a dot for each match played";
inline constexpr std::string_view kRatingChartSteps = "Match date";
inline constexpr std::string_view kRatingChartShows = "Line chart of the rating after each match of ";
inline constexpr std::string_view kMatches = reports::texts::kMatchesName;
inline constexpr std::string_view kNoMatches = reports::texts::kNoMatches;
inline constexpr std::string_view kDate = "Date";
inline constexpr std::string_view kMap = "Map";
inline constexpr std::string_view kPlayers = "Players";
inline constexpr std::string_view kTopFraggerColumn = "Top fragger";
inline constexpr std::string_view kMaps = "Maps";
inline constexpr std::string_view kMapsNote = "Most matches first.";

inline constexpr std::string_view kMadeBy = "Made with Fragtide.";

}  // namespace fragtide::exports::texts
