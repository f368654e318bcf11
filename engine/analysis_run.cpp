#include "engine/analysis_run.hpp"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "engine/display_text.hpp"
#include "engine/log_analysis.hpp"
#include "engine/log_file.hpp"
#include "engine/log_set.hpp"
#include "engine/stats_store.hpp"
#include "engine/texts.hpp"
#include "engine/window_ops.hpp"

namespace fragtide::engine {
namespace {

void showReadError(WindowOps& window, const Error& error) {
    std::string prompt = error.message;
    prompt += ".\n\n";
    prompt += texts::kChooseAnotherFile;
    window.messageBox(prompt, MessageStyle::OkInformation, texts::kErrorTitle);
}

void resetProgress(WindowOps& window) {
    window.setProgressMin(0);
    window.setProgressMax(100);
    window.setProgressValue(0);
}

// The results of a finished run, as the window has always shown them.
void showResults(StatsStore& store, WindowOps& window, const std::function<void()>& showGeneralInfo) {
    resetProgress(window);
    for (int i = 0; i < 3; ++i)
        window.setReportButtonEnabled(i, true);
    window.setReportButtonBold(0, true);
    window.setReportButtonBold(1, false);
    window.setReportButtonBold(2, false);
    if (showGeneralInfo)
        showGeneralInfo();

    window.lstPlayersClear();
    for (int p = 1; p <= kMaxPlayers; ++p) {
        const std::string& name = store.PlayerNames()[p];
        if (!name.empty())
            window.lstPlayersAddItem(displayName(store, name));
    }
    window.setPlayerCountCaption(std::string(texts::kPlayerCountPrefix) +
                                 std::to_string(window.lstPlayersListCount()));
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

std::optional<LogSetResult> analyzeSeveral(StatsStore& store, WindowOps& window,
                                           const std::vector<std::filesystem::path>& chosen,
                                           const std::function<void()>& showGeneralInfo) {
    const LogSet set = expandLogPaths(chosen);
    if (totalSize(set) > kLargeFileBytes &&
        window.messageBox(texts::kLargeFilePrompt, MessageStyle::YesNoQuestion, texts::kLargeFileTitle) ==
            MessageAnswer::No)
        return std::nullopt;

    StatsStore fresh = store;
    fresh.resetCounts();
    // The bar runs over the logs' bytes, so each is read once, not counted first.
    const auto bytes = static_cast<double>(totalSize(set));
    window.setProgressMin(0);
    window.setProgressMax(bytes);
    window.setProgressValue(0);

    AnalysisOptions options;
    options.byteProgress = [&window, bytes](std::uint64_t done) {
        // A line end put after a file without one is a byte no file has.
        window.setProgressValue(std::min(static_cast<double>(done), bytes));
    };
    auto analysed = analyzeLogSet(fresh, set, {}, options);
    if (!analysed) {
        resetProgress(window);
        showReadError(window, analysed.error());
        return std::nullopt;
    }
    if (analysed->files.empty()) {
        // Nothing was read: empty figures would pass for a log without kills.
        resetProgress(window);
        std::string prompt = unreadLogs(texts::kLogsLeftOut, analysed->failures);
        prompt += "\n\n";
        prompt += texts::kChooseAnotherFile;
        window.messageBox(prompt, MessageStyle::OkInformation, texts::kErrorTitle);
        return std::nullopt;
    }
    store = std::move(fresh);
    showResults(store, window, showGeneralInfo);
    // Said after the results, so that the box opens over the figures it qualifies.
    if (!analysed->failures.empty())
        window.messageBox(unreadLogs(texts::kLogsLeftOut, analysed->failures), MessageStyle::OkInformation,
                          texts::kErrorTitle);
    return std::move(*analysed);
}

}  // namespace

std::optional<LogSetResult> cmdAnalyze_Click(StatsStore& store, WindowOps& window,
                                             const std::function<void()>& showGeneralInfo) {
    if (const auto chosen = window.cdFileNames(); chosen.size() > 1)
        return analyzeSeveral(store, window, chosen, showGeneralInfo);

    const std::filesystem::path file = window.cdFileName();

    // A size that cannot be taken asks nothing; opening the file below reports why.
    if (!file.empty()) {
        const auto size = fileSize(file);
        if (size && *size > kLargeFileBytes &&
            window.messageBox(texts::kLargeFilePrompt, MessageStyle::YesNoQuestion,
                              texts::kLargeFileTitle) == MessageAnswer::No)
            return std::nullopt;
    }

    if (window.txtFileText().empty()) {
        store.resetCounts();
        return std::nullopt;
    }

    // Counted into a copy, so that a log that cannot be read leaves the previous results whole
    // instead of a cleared store behind a window that still shows them.
    StatsStore fresh = store;
    fresh.resetCounts();
    const auto fail = [&](const Error& error) -> std::optional<LogSetResult> {
        resetProgress(window);
        showReadError(window, error);
        return std::nullopt;
    };
    if (file.empty())
        return fail({ErrorKind::InvalidInput, "cannot read the log: no file was chosen"});

    // The bar runs over the file's bytes, so the file is read once, not counted first. A size
    // that cannot be taken leaves the bar still; opening the file then says why.
    const auto size = fileSize(file);
    window.setProgressMin(0);
    window.setProgressMax(size ? static_cast<double>(*size) : 0);
    window.setProgressValue(0);

    AnalysisOptions options;
    options.byteProgress = [&window](std::uint64_t done) { window.setProgressValue(static_cast<double>(done)); };
    const auto analysed = analyzeFile(fresh, file, {}, options);
    if (!analysed)
        return fail(analysed.error());
    store = std::move(fresh);
    showResults(store, window, showGeneralInfo);

    // The one file as a set of one describes it: every byte read, its lines as analysed.
    LogSetResult read;
    read.files.push_back({file, size ? *size : 0, *analysed});
    read.lines = *analysed;
    return read;
}

}  // namespace fragtide::engine
