#include "ui/analysis_run.hpp"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "engine/log_analysis.hpp"
#include "engine/log_set.hpp"
#include "engine/stats_store.hpp"
#include "ui/ui_texts.hpp"
#include "ui/window_ops.hpp"

namespace fragtide::ui {
namespace {

using engine::LogSetResult;

void resetProgress(WindowOps& window) {
    window.setProgressMin(0);
    window.setProgressMax(100);
    window.setProgressValue(0);
}

// The logs of a set that could not be read, one per line after `heading`.
std::string unreadLogs(std::string_view heading, const std::vector<Error>& failures) {
    std::string prompt(heading);
    prompt += "\n";
    for (const Error& failure : failures) {
        prompt += "\n";
        prompt += failure.message;
        prompt += '.';
    }
    return prompt;
}

}  // namespace

std::optional<LogSetResult> analyzeChosenLogs(engine::StatsStore& store, WindowOps& window,
                                              const MessageBoxFn& messageBox,
                                              const std::function<void()>& showResults) {
    const auto fail = [&](std::string prompt) -> std::optional<LogSetResult> {
        resetProgress(window);
        prompt += "\n\n";
        prompt += texts::kChooseAnotherFile;
        messageBox(prompt, MessageStyle::OkInformation, texts::kErrorTitle);
        return std::nullopt;
    };
    const auto failWith = [&](const Error& error) { return fail(error.message + "."); };

    const std::vector<std::filesystem::path> chosen = window.cdFileNames();
    const bool several = chosen.size() > 1;
    // One log is read as it was named; only several chosen together stand for a folder's files.
    const engine::LogSet set = several ? engine::expandLogPaths(chosen) : engine::LogSet{chosen, {}};

    // A size that cannot be taken asks nothing; opening the file below reports why.
    if (engine::totalSize(set) > engine::kLargeFileBytes &&
        messageBox(texts::kLargeFilePrompt, MessageStyle::YesNoQuestion, texts::kLargeFileTitle) ==
            MessageAnswer::No)
        return std::nullopt;

    if (!several && window.txtFileText().empty()) {
        store.resetCounts();
        return std::nullopt;
    }
    if (chosen.empty())
        return failWith({ErrorKind::InvalidInput, "cannot read the log: no file was chosen"});

    // Counted into a copy, so that logs that cannot be read leave the previous results whole
    // instead of a cleared store behind a window that still shows them.
    engine::StatsStore fresh = store;
    fresh.resetCounts();
    // The bar runs over the logs' bytes, so each is read once, not counted first.
    const auto bytes = static_cast<double>(engine::totalSize(set));
    window.setProgressMin(0);
    window.setProgressMax(bytes);
    window.setProgressValue(0);

    engine::AnalysisOptions options;
    options.byteProgress = [&window, bytes](std::uint64_t done) {
        // A line end put after a file without one is a byte no file has.
        window.setProgressValue(std::min(static_cast<double>(done), bytes));
    };
    auto analysed = engine::analyzeLogSet(fresh, set, {}, options);
    if (!analysed)
        return failWith(analysed.error());
    // One log read in part would give plausible but wrong figures: none of them.
    if (!several && !analysed->failures.empty())
        return failWith(analysed->failures.front());
    if (analysed->files.empty()) {
        // Nothing was read: empty figures would pass for a log without kills.
        return fail(unreadLogs(texts::kLogsLeftOut, analysed->failures));
    }
    store = std::move(fresh);
    resetProgress(window);
    if (showResults)
        showResults();
    if (!analysed->failures.empty())
        messageBox(unreadLogs(texts::kLogsLeftOut, analysed->failures), MessageStyle::OkInformation,
                   texts::kErrorTitle);
    return std::move(*analysed);
}

}  // namespace fragtide::ui
