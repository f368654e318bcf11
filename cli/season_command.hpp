#pragma once

#include <iosfwd>

#include "cli/command_line.hpp"
#include "cli/report_command.hpp"

// fragtide-report --season: adding logs to a season, forgetting one, and printing a season's
// reports, JSON or page. Every failure of the season itself (busy, no season, a newer one, a log
// of another game) is status 1 with a message on stderr.
namespace fragtide::cli {

int runSeasonCommand(const Options& options, std::ostream& out, std::ostream& err, const CommandEnvironment& env);

}  // namespace fragtide::cli
