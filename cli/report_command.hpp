#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// fragtide-report as a function, so that it can be run and tested inside one process.
//
// Writes the report (or the JSON statistics) to `out` and nothing else; messages and progress go
// to `err`. Returns the exit status (cli/exit_codes.hpp). Never throws for bad input or unreadable
// files; those are ordinary outcomes with their own status.
namespace fragtide::cli {

struct CommandEnvironment {
    // Progress is shown only on a terminal, and only for a large log.
    bool stderrIsTerminal = false;
    // The game chosen in Fragtide, used when --game is not given; unset means "Quake I : Standard".
    std::function<std::string()> storedGame;
    // The folders whose game files are read before anything else (engine/game_folders.hpp); the
    // program passes the standard ones, tests their own or none. --games-dir adds to these.
    std::vector<std::filesystem::path> gameFolders;
};

// `args` are the arguments after the program's name, UTF-8 on Windows and bytes elsewhere.
int runFragtideReport(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
                      const CommandEnvironment& env = {});

}  // namespace fragtide::cli
