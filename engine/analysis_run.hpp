#pragma once

#include <cstdint>
#include <functional>
#include <optional>

// What the "Analyze Log" button does: confirm a large file, clear the store, analyse every line
// with the progress bar running over the file's bytes, and show the results through the window
// operations.
//
// Reaches the window only through `window`. A file that cannot be read ends the run with a
// message box (title "Error.") saying what failed and why; the statistics and the window then
// keep the previous results whole. The file is closed when the run returns.
namespace fragtide::engine {

class StatsStore;
class WindowOps;

inline constexpr std::uint64_t kLargeFileBytes = 1200000;

// showGeneralInfo writes the General Info report (the reports library provides it). Returns the
// number of lines of the log when it was read to its end, nothing when the run stopped before.
std::optional<std::uint64_t> cmdAnalyze_Click(StatsStore& store, WindowOps& window,
                                              const std::function<void()>& showGeneralInfo);

}  // namespace fragtide::engine
