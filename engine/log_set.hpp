#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "common/result.hpp"
#include "engine/log_analysis.hpp"

// Several logs analysed as one: a season of server logs, one file per day.
//
// The files are read in order as one continuous log, exactly their concatenation with a line end
// put after a file whose last line has none; so a file ending in CR followed by one starting with
// LF makes one CR LF there, as the concatenation does. A file that cannot be read stops nothing:
// it is skipped (or ends where its reading failed) and named among the failures.
namespace fragtide::engine {

class KillSource;
class StatsStore;

// Logs above this many bytes take long enough to ask before, or to show progress for.
inline constexpr std::uint64_t kLargeFileBytes = 1200000;

// The files a list of paths stands for, and the paths that could not be listed.
struct LogSet {
    std::vector<std::filesystem::path> files;
    std::vector<Error> failures;
};

// Every path in order; a folder stands for every regular file directly inside it, in byte order
// of their names (names by date are then in time order). A path that is no folder is taken as a
// file as it is, so that opening it says what is wrong with it. A folder that cannot be listed, or
// holds no regular file, is a failure.
LogSet expandLogPaths(std::span<const std::filesystem::path> paths);

struct LogSetFile {
    std::filesystem::path path;
    std::uint64_t bytes = 0;  // read from it
    std::uint64_t lines = 0;  // its lines in the whole, a line end added after it included
};

struct LogSetResult {
    std::vector<LogSetFile> files;  // every file that was opened, in reading order
    std::vector<Error> failures;    // the set's own, then one per file that failed, in order
    std::uint64_t lines = 0;        // the sum of the files' lines
};

// Analyses the files of `set` as one log into `store`, as analyzeFile does one file: counts are
// added to the store, the same threads and batches, the same limits. A line longer than the limit
// stops the whole analysis with an error naming its file and its line in that file.
Result<LogSetResult> analyzeLogSet(StatsStore& store, const LogSet& set, const LineProgress& progress = {},
                                   const AnalysisOptions& options = {});
Result<LogSetResult> analyzeLogSet(const KillSource& source, StatsStore& store, const LogSet& set,
                                   const LineProgress& progress = {}, const AnalysisOptions& options = {});

// The sum of the sizes of the files of `set` that can be read now; for a question asked before
// reading them.
std::uint64_t totalSize(const LogSet& set);

}  // namespace fragtide::engine
