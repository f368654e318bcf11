#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

#include "engine/result.hpp"

// Analysing whole logs into a statistics store, without any window.
//
// The game is the store's CurrentGame (a text that names no game reads the log and credits
// nothing). Counts are added to what the store holds: reset it first for a fresh analysis.
namespace fragtide::engine {

class StatsStore;

// Every line of `bytes`; returns the number of lines.
std::uint64_t analyzeBuffer(StatsStore& store, std::string_view bytes);

// Called with the number of lines done so far; often (about once per line or per block).
using LineProgress = std::function<void(std::uint64_t linesDone)>;

// Every line of the file, read in large blocks with flat memory. Returns the number of lines.
// On a failure the store may hold part of the log; the caller decides what to keep.
Result<std::uint64_t> analyzeFile(StatsStore& store, const std::filesystem::path& path,
                                  const LineProgress& progress = {});

// The number of lines of a file, as the splitter counts them.
Result<std::uint64_t> countLines(const std::filesystem::path& path);

}  // namespace fragtide::engine
