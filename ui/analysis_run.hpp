#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "engine/log_set.hpp"
#include "ui/window_ops.hpp"

// What the "Analyze Log" button does with the chosen logs: confirm a large size, analyse them
// into a fresh copy of the statistics with the progress bar running over their bytes, and tell
// what could not be read.
//
// One log and several chosen together (WindowOps::cdFileNames) take the same path: the size
// question is asked once, for their sum. A single log that cannot be read whole, or a set of which
// none can be read, ends the run with a message box (title "Error.") saying what failed and why;
// the statistics and the window then keep the previous results whole. Logs of a set that cannot
// be read are named in one message box after the others' results are shown. Every file is closed
// when the run returns.
namespace fragtide::engine {
class StatsStore;
}

namespace fragtide::ui {

// Runs the analysis; `showResults` is called once the store holds the new results, before any
// message about logs left out, so that the box opens over the figures it qualifies. Returns the
// logs whose results the store now holds (for an export); nothing when the run was declined, had
// no file, or failed.
// Message boxes go through `messageBox`, the controller's (which holds notices back at start-up).
using MessageBoxFn = std::function<MessageAnswer(std::string_view prompt, MessageStyle style, std::string_view title)>;
std::optional<engine::LogSetResult> analyzeChosenLogs(engine::StatsStore& store, WindowOps& window,
                                                      const MessageBoxFn& messageBox,
                                                      const std::function<void()>& showResults);

}  // namespace fragtide::ui
