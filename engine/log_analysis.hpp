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
    // From this many people in the store on (their name tables then no longer sit in the
    // processor's caches), every piece of a batch goes into a store of its own, where names are
    // quick to find, and the store meets each name once per piece, at the merge; the batches are
    // then a quarter the size, so that the pieces' tables stay small too.
    std::size_t manyPeople = std::size_t{1} << 16;
    std::size_t maxLineBytes = kMaxLineBytes;  // longer lines stop the analysis (without ending)
    // Called on the caller's thread right after the line progress, with the bytes of the log
    // analysed so far (the file's size at the end): a bar scaled by the size needs no line count
    // first.
    std::function<void(std::uint64_t bytesDone)> byteProgress = {};
};

// Every line of the file, read in batches of whole lines. The lines of a batch are analysed on a
// few threads kept for the run, each piece into a store of its own, and merged in file order, so
// the result is exactly that of one thread reading line by line; meanwhile one more thread reads
// the next batch. Time is linear in the file size
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

// Log bytes read front to back, as analyzeStream takes them: one file, or several read as one
// (log_set.hpp). Used by one thread at a time, not always the same one: the reading runs beside
// the analysis of the batch before.
class LogStream {
public:
    virtual ~LogStream() = default;
    // Reads up to `size` bytes to `dst`; returns how many, 0 at the end.
    virtual Result<std::size_t> readInto(char* dst, std::size_t size) = 0;
    // The error for line `line` (from 1, counted over the whole stream) being longer than `limit`.
    virtual Error lineTooLong(std::uint64_t line, std::size_t limit) const = 0;
    // The error when memory for the lines read cannot be had.
    virtual Error outOfMemory() const = 0;
    // The error when memory for the statistics runs out: a log naming millions of people.
    virtual Error tooManyNames() const = 0;
};

// What analyzeFile does, over any stream: the same batches, threads, limits and result.
Result<std::uint64_t> analyzeStream(StatsStore& store, LogStream& stream, const LineProgress& progress = {},
                                    const AnalysisOptions& options = {});
Result<std::uint64_t> analyzeStream(const KillSource& source, StatsStore& store, LogStream& stream,
                                    const LineProgress& progress = {}, const AnalysisOptions& options = {});

// The errors analyzeFile gives for `path`.
Error lineTooLong(const std::filesystem::path& path, std::uint64_t line, std::size_t limit);
Error outOfMemory(const std::filesystem::path& path);
Error tooManyNames(const std::filesystem::path& path);

// The number of lines of a file, as the analysis counts them. Memory stays flat whatever the lines.
Result<std::uint64_t> countLines(const std::filesystem::path& path);

}  // namespace fragtide::engine
