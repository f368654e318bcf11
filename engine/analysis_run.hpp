#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "engine/log_set.hpp"

// What the "Analyze Log" button does: confirm a large file, clear the store, analyse every line
// with the progress bar running over the file's bytes, and show the results through the window
// operations.
//
// Reaches the window only through `window`. A file that cannot be read ends the run with a
// message box (title "Error.") saying what failed and why; the statistics and the window then
// keep the previous results whole. The file is closed when the run returns.
//
// Several logs chosen together (WindowOps::cdFileNames) are read as one (analyzeLogSet): the size
// question is asked once, for their sum, in the same words. Logs among them that cannot be read
// are named in one message box after the others' results are shown; only when none can be read
// does the run fail as above.
namespace fragtide::engine {

class StatsStore;
class WindowOps;

inline constexpr std::uint64_t kLargeFileBytes = 1200000;

// showGeneralInfo writes the General Info report (the reports library provides it). Returns the
// logs whose results the store now holds, as the command line's analysis of the same files
// describes them (for an export); nothing when the run was declined, had no file, or failed.
std::optional<LogSetResult> cmdAnalyze_Click(StatsStore& store, WindowOps& window,
                                             const std::function<void()>& showGeneralInfo);

}  // namespace fragtide::engine
