#pragma once

#include <string_view>

// What fragtide-report says to its user, in one place.
namespace fragtide::cli::texts {

inline constexpr std::string_view kProgram = "fragtide-report";

inline constexpr std::string_view kUsage =
    "usage: fragtide-report [--game GAME|auto] [--report general|players|player|rivals]\n"
    "                       [--player NAME | --player-index N]\n"
    "                       [--names auto|utf-8|windows-1252|quake] [--json]\n"
    "                       [--export FILE.html|FILE.csv | --export - --format html|csv]\n"
    "                       [--games-dir DIR] FILE...\n"
    "       fragtide-report --season SEASON [--game GAME|auto] --add LOG|FOLDER...\n"
    "       fragtide-report --season SEASON [--since YYYY-MM-DD] [--until YYYY-MM-DD]\n"
    "                       [--report ranking|matches|general|... | --json | --export FILE]\n"
    "       fragtide-report --season SEASON --forget LOG\n"
    "       fragtide-report --check-game FILE | --list-games | --print-game GAME\n";

inline constexpr std::string_view kHelp =
    "Reads a game log and prints its frag statistics. Several files are read as\n"
    "one log, in the order given; a folder stands for every file directly in it,\n"
    "in the order of their names.\n"
    "\n"
    "  --game GAME      the game that wrote the log: its full name, such as\n"
    "                   \"Quake II : Standard\", or a short name (see below);\n"
    "                   without it, the game chosen in Fragtide; auto: the game\n"
    "                   that finds the most kills in the log\n"
    "  --report KIND    general (the default), players, player, or rivals (frags,\n"
    "                   deaths, suicides, team kills and rivals of everybody)\n"
    "  --player NAME    the player for --report player, as the reports show his name\n"
    "                   (exact, case-sensitive); of two players shown alike, the\n"
    "                   one who scored first; --player alone means --report player\n"
    "  --player-index N the N-th player of --report players, from 1; reaches every\n"
    "                   player, also one whose name shows like another's\n"
    "  --names DISPLAY  how names are shown: auto (the default: UTF-8 when valid,\n"
    "                   else Windows-1252), utf-8, windows-1252, or quake (the\n"
    "                   Quake consoles' character set)\n"
    "  --json           print the statistics as JSON instead of a report; with\n"
    "                   --game auto it also gives the kills each game finds\n"
    "  --export FILE    write the statistics to FILE instead of a report: a page\n"
    "                   with charts if it ends in .html, a table if in .csv\n"
    "  --format KIND    html or csv, for --export - (to standard output)\n"
    "  --season SEASON  a season: one file that keeps the kills of one game's logs,\n"
    "                   grown by --add; the reports, --json and --export then show\n"
    "                   the season, and --report takes ranking and matches too\n"
    "  --add            add the logs and folders that follow to the season (made\n"
    "                   when missing); a log added before is read only where it\n"
    "                   changed; its game is --game, else the first log's\n"
    "  --forget LOG     drop a log and its matches from the season\n"
    "  --since DATE     only the season's matches from DATE (YYYY-MM-DD) on\n"
    "  --until DATE     only those up to DATE; ratings are those at its end\n"
    "                   Ratings are Elo per frag: each frag a duel won by the\n"
    "                   killer, 16 points at stake, everyone starting at 1000\n"
    "  --games-dir DIR  read the game files in DIR too, after those of the user's\n"
    "                   games folder and of the games folder beside the program\n"
    "  --check-game FILE  check a game file: exit 0, or 2 with what is wrong\n"
    "  --list-games     print every game: short name, full name, and where it\n"
    "                   comes from (built in, or its game file)\n"
    "  --print-game GAME  print a built-in console game as a game file, to start\n"
    "                   a mod's game file from\n"
    "  --help           print this help and exit\n"
    "  --version        print the version and exit\n"
    "\n"
    "Exit status: 0 done; 1 the log could not be read, or no player has that name,\n"
    "or the season is busy, is no season, is newer, or refused a log of another game;\n"
    "2 the command line was wrong, or --player-index is past the last player.\n"
    "\n"
    "Games:\n";

inline constexpr std::string_view kSeeHelp = "Run fragtide-report --help for more.";
inline constexpr std::string_view kCheckThePath = "Check the path, or run fragtide-report --help.";
inline constexpr std::string_view kCheckTheExport = "Check the export's path; nothing else was written.";
inline constexpr std::string_view kTooManyNames = "too many distinct names for the memory available";
inline constexpr std::string_view kFreeMemory = "Close other programs, or read fewer logs at once.";
inline constexpr std::string_view kSeasonAdvice = "Check the path; a season is made by adding logs with --add.";
inline constexpr std::string_view kSeePlayers = "Run with --report players to see who scored.";

}  // namespace fragtide::cli::texts
