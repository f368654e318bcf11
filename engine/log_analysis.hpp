#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

#include "common/result.hpp"

// Analysing whole logs into a statistics store, without any window.
//
// The game is the store's CurrentGame (a text that names no game reads the log and credits
// nothing). Counts are added to what the store holds: reset it first for a fresh analysis.
namespace fragtide::engine {

class KillSource;
class StatsStore;

// The longest line a log may hold. A file with a longer one is almost surely no log (a binary
// chosen by mistake); refusing it keeps memory bounded.
inline constexpr std::size_t kMaxLineBytes = std::size_t{256} << 20;

// Called on the caller's thread with the number of lines done so far, once per batch of a few
// megabytes.
using LineProgress = std::function<void(std::uint64_t linesDone)>;

struct AnalysisOptions {
    std::size_t partBytes = 4 << 20;        // lines handed to one thread at a time
    unsigned threads = 0;                   // 0: one per processor, at most 4
    std::size_t maxLineBytes = kMaxLineBytes;  // longer lines stop the analysis (without ending)
};

// Every line of the file, read in batches of whole lines. The lines of a batch are analysed on a
// few threads kept for the run, each piece into a store of its own, and merged in file order, so
// the result is exactly that of one thread reading line by line. Time is linear in the file size
// and memory is bounded (a few batches, plus the longest line up to maxLineBytes), whatever the
// lines. A line longer than maxLineBytes stops the analysis with an ErrorKind::TooLong error that
// names the file, the line and the limit. Returns the number of lines. On a failure the store may
// hold part of the log; the caller decides what to keep.
Result<std::uint64_t> analyzeFile(StatsStore& store, const std::filesystem::path& path,
                                  const LineProgress& progress = {}, const AnalysisOptions& options = {});

// The same with a given kill source instead of the store's game (kill_source.hpp).
Result<std::uint64_t> analyzeFile(const KillSource& source, StatsStore& store,
                                  const std::filesystem::path& path, const LineProgress& progress = {},
                                  const AnalysisOptions& options = {});

// The number of lines of a file, as the analysis counts them. Memory stays flat whatever the lines.
Result<std::uint64_t> countLines(const std::filesystem::path& path);

}  // namespace fragtide::engine
