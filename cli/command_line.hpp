#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/display_text.hpp"
#include "engine/game_catalogue.hpp"
#include "common/result.hpp"

// The command line of fragtide-report, parsed but not yet acted on.
//
// Options take their value as the next argument or after "=" (--game=q2); "--" ends the options,
// so a log whose name starts with "-" can still be named. Every failure is ErrorKind::InvalidInput
// with a message fit for stderr.
namespace fragtide::cli {

enum class ReportKind { General, Players, Player, Rivals };

struct Options {
    bool help = false;
    bool version = false;
    std::optional<std::string> game;  // as typed; nullopt means the stored game
    bool detectGame = false;           // --game auto: the game the log looks like
    engine::NameDisplay names = engine::NameDisplay::Automatic;
    ReportKind report = ReportKind::General;
    std::optional<std::string> player;
    std::optional<int> playerIndex;  // from 1; whether that many players scored is known only later
    bool json = false;
    std::string file;  // UTF-8 on Windows, bytes elsewhere
};

// `args` are the arguments after the program's name.
Result<Options> parseCommandLine(std::span<const std::string_view> args);

// The value of --game that asks for the game the log looks like.
inline constexpr std::string_view kAutoGame = "auto";

// The game named by its display string or by its short name, or nullptr.
const engine::Game* resolveGame(std::string_view name);

// Every valid game name, one per line: short name, then the display string in quotes.
std::string gameList();

}  // namespace fragtide::cli
