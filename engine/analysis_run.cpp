#include "engine/analysis_run.hpp"

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
    // An upper bound: where one file ends in CR and the next starts with LF, the two counted line
    // ends are one. A file that cannot be counted adds nothing; the analysis names it.
    std::uint64_t lines = 0;
    for (const std::filesystem::path& file : set.files) {
        if (const auto counted = countLines(file))
            lines += *counted;
    }
    window.setProgressMin(0);
    window.setProgressMax(static_cast<double>(lines));
    window.setProgressValue(0);

    auto analysed = analyzeLogSet(fresh, set, [&window](std::uint64_t done) {
        window.setProgressValue(static_cast<double>(done));
    });
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

    const auto lines = countLines(file);
    if (!lines)
        return fail(lines.error());
    window.setProgressMin(0);
    window.setProgressMax(static_cast<double>(*lines));
    window.setProgressValue(0);

    const auto analysed = analyzeFile(fresh, file, [&window](std::uint64_t done) {
        window.setProgressValue(static_cast<double>(done));
    });
    if (!analysed)
        return fail(analysed.error());
    store = std::move(fresh);
    showResults(store, window, showGeneralInfo);

    // The one file as a set of one describes it: every byte read, its lines as analysed.
    const auto bytes = fileSize(file);
    LogSetResult read;
    read.files.push_back({file, bytes ? *bytes : 0, *analysed});
    read.lines = *analysed;
    return read;
}

}  // namespace fragtide::engine
