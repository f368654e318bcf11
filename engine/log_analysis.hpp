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

class StatsStore;

// Called on the caller's thread with the number of lines done so far, once per batch of a few
// megabytes.
using LineProgress = std::function<void(std::uint64_t linesDone)>;

struct AnalysisOptions {
    std::size_t partBytes = 4 << 20;  // lines handed to one thread at a time
    unsigned threads = 0;             // 0: one per processor, at most 4
};

// Every line of the file, read in batches of whole lines; memory stays flat whatever the file
// size (it grows only with the longest line). The lines of a batch are analysed on several
// threads, each into a store of its own, and merged in file order, so the result is exactly
// that of one thread reading line by line. Returns the number of lines. On a failure the store
// may hold part of the log; the caller decides what to keep.
Result<std::uint64_t> analyzeFile(StatsStore& store, const std::filesystem::path& path,
                                  const LineProgress& progress = {}, const AnalysisOptions& options = {});

// The number of lines of a file, as the splitter counts them.
Result<std::uint64_t> countLines(const std::filesystem::path& path);

}  // namespace fragtide::engine
