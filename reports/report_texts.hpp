#pragma once

#include <string_view>

// The reports' own words, spelled exactly as the reports print them: spaces before colons
// and all. Lines are made by joining these with names and numbers; nothing here is translated.
namespace fragtide::reports::texts {

// The reports' names, as the window's buttons and the exported page title them.
inline constexpr std::string_view kGeneralInfoName = "General Info";
inline constexpr std::string_view kPlayerInfoName = "Player Info";
inline constexpr std::string_view kIndividualInfoName = "Individual Info";
inline constexpr std::string_view kRivalsInfoName = "Rivals Info";

// Shared by every report.
inline constexpr std::string_view kFragsWith = "Frags with ";
inline constexpr std::string_view kFragsWithSeparator = ": ";
inline constexpr std::string_view kWith = " with ";

// General Info.
inline constexpr std::string_view kKillsPerWeaponHeading = "LIST OF ALL KILLS PER WEAPON:";
inline constexpr std::string_view kBigNumbersHeading = "BIG NUMBERS:";
// The words are shared with the exported page, which writes them as prose ("...: NAME"); a
// macro so that both can be spelled from one literal at compile time.
#define FRAGTIDE_PLAYER_OF_THE_MATCH "Player of the match"
inline constexpr std::string_view kPlayerOfTheMatch = FRAGTIDE_PLAYER_OF_THE_MATCH " : ";
inline constexpr std::string_view kFragmonster = " frags! What a fragmonster!";

// Player Info.
inline constexpr std::string_view kPlayersHeading = "LIST OF PLAYERS AND FRAGS PER PLAYER:";
inline constexpr std::string_view kHas = " has ";
inline constexpr std::string_view kFrags = " frags";
inline constexpr std::string_view kPercentagesHeading = "PERCENTAGES:";
inline constexpr std::string_view kDid = " did ";
inline constexpr std::string_view kOfTheFragging = " % of the fragging";

// Individual Info.
inline constexpr std::string_view kIndividualHeading = "INDIVIDUAL PLAYER SCORES FOR ";
inline constexpr std::string_view kIndividualHeadingEnd = ":";
inline constexpr std::string_view kTotalFrags = "Total frags: ";
inline constexpr std::string_view kFragsPerWeapon = "Frags per weapon :";

// Rivals Info: "NAME has F frags, D deaths, S suicides, T team kills, K/D : R", then
// "Favourite victim : V with N frags, worst enemy : W with M frags"; each count of exactly 1 takes
// the singular ("1 frag", "1 death", "1 suicide", "1 team kill").
inline constexpr std::string_view kRivalsHeading = "FRAGS, DEATHS AND RIVALS PER PLAYER:";
inline constexpr std::string_view kCountSeparator = ", ";
inline constexpr std::string_view kDeaths = " deaths";
inline constexpr std::string_view kSuicides = " suicides";
inline constexpr std::string_view kTeamKills = " team kills";
inline constexpr std::string_view kFrag = " frag";
inline constexpr std::string_view kDeath = " death";
inline constexpr std::string_view kSuicide = " suicide";
inline constexpr std::string_view kTeamKill = " team kill";
inline constexpr std::string_view kKillsPerDeath = "K/D : ";
inline constexpr std::string_view kNoKillsPerDeath = "-";  // no deaths: no ratio
inline constexpr std::string_view kFavouriteVictim = "Favourite victim : ";
inline constexpr std::string_view kWorstEnemy = ", worst enemy : ";
inline constexpr std::string_view kNobody = "nobody";

// The who-killed-whom matrix: the heading of its total row and column.
inline constexpr std::string_view kMatrixTotal = "Total";

}  // namespace fragtide::reports::texts
