#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/display_text.hpp"
#include "engine/game_catalogue.hpp"
#include "common/result.hpp"

// The command line of fragtide-report, parsed but not yet acted on.
//
// Options take their value as the next argument or after "=" (--game=q2); "--" ends the options,
// so a log whose name starts with "-" can still be named. Every failure is ErrorKind::InvalidInput
// with a message fit for stderr.
namespace fragtide::cli {

enum class ExportFormat { Html, Csv };

enum class ReportKind { General, Players, Player, Rivals, Ranking, Matches };

struct Options {
    bool help = false;
    bool version = false;
    std::optional<std::string> game;  // as typed; nullopt means the stored game
    bool detectGame = false;           // --game auto: the game the log looks like
    engine::NameDisplay names = engine::NameDisplay::Automatic;
    ReportKind report = ReportKind::General;
    bool reportGiven = false;  // --report was on the command line
    std::optional<std::string> player;
    std::optional<int> playerIndex;  // from 1; whether that many players scored is known only later
    bool json = false;
    std::string file;  // the first FILE; UTF-8 on Windows, bytes elsewhere
    std::vector<std::string> files;  // every FILE in order (files and folders)
    std::optional<std::string> exportTo;  // --export: a file, or "-" for stdout
    std::optional<ExportFormat> exportFormat;  // from the file's extension, or --format with "-"
    std::vector<std::string> gamesDirs;        // --games-dir: more folders of game files
    std::optional<std::string> checkGame;      // --check-game FILE: validate one game file
    bool listGames = false;                    // --list-games
    std::optional<std::string> printGame;      // --print-game ALIAS: a console game as a game file
    std::optional<std::string> season;         // --season FILE: the season to read, add to or forget from
    bool add = false;                          // --add: the FILEs are logs to add to the season
    std::optional<std::string> forget;         // --forget PATH: a log to drop from the season
    std::optional<std::string> since;          // --since YYYY-MM-DD, checked
    std::optional<std::string> until;          // --until YYYY-MM-DD, checked
};

// The folders named by --games-dir in `args`, read before the command line is parsed, since a
// game they hold may be the one --game names. Stops at "--".
std::vector<std::string> gamesDirsOf(std::span<const std::string_view> args);

// `args` are the arguments after the program's name.
Result<Options> parseCommandLine(std::span<const std::string_view> args);

// The value of --game that asks for the game the log looks like.
inline constexpr std::string_view kAutoGame = "auto";

// The game named by its display string or by its short name, or nullptr.
const engine::Game* resolveGame(std::string_view name);

// Every valid game name, one per line: short name, then the display string in quotes.
std::string gameList();

// Every game, one per line: short name, the display string in quotes, and where it comes from
// ("built in", or the game file's path).
std::string gameSourceList();

}  // namespace fragtide::cli
