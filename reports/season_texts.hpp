#pragma once

#include <string_view>

// The season reports' own words, spelled exactly as the reports print them. Counts of exactly 1
// take the singular forms of report_texts.hpp, as Rivals Info does.
namespace fragtide::reports::texts {

// The reports' names, as the window's button and the exported page title them.
inline constexpr std::string_view kRankingName = "Ranking";
inline constexpr std::string_view kMatchesName = "Matches";

// Ranking: "RANK. NAME : rating R, F frags, D deaths, K/D : K, S suicides, T team kills,
// M matches, favourite weapon : W, last seen YYYY-MM-DD".
inline constexpr std::string_view kRankingHeading = "SEASON RANKING BY RATING:";
inline constexpr std::string_view kRankSeparator = ". ";
inline constexpr std::string_view kRating = " : rating ";
inline constexpr std::string_view kMatch = " match";
inline constexpr std::string_view kMatches = " matches";
inline constexpr std::string_view kFavouriteWeapon = "favourite weapon : ";
inline constexpr std::string_view kLastSeen = "last seen ";
// A count or a date that does not apply: no weapon of his own, no match.
inline constexpr std::string_view kNone = "-";

// Matches: "YYYY-MM-DD hh:mm MAP (FILE) : P players, top fragger : NAME".
inline constexpr std::string_view kMatchesHeading = "MATCHES OF THE SEASON:";
inline constexpr std::string_view kMatchSeparator = " : ";
inline constexpr std::string_view kUnknownMap = "unknown";
inline constexpr std::string_view kPlayer = " player";
inline constexpr std::string_view kPlayers = " players";
inline constexpr std::string_view kTopFragger = "top fragger : ";
inline constexpr std::string_view kNoMatches = "No match in this season.";

}  // namespace fragtide::reports::texts
