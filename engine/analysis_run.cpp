#include "engine/analysis_run.hpp"

#include <string>

#include "engine/display_text.hpp"
#include "engine/log_analysis.hpp"
#include "engine/log_file.hpp"
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

}  // namespace

std::optional<std::uint64_t> cmdAnalyze_Click(StatsStore& store, WindowOps& window,
                                              const std::function<void()>& showGeneralInfo) {
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
    const auto fail = [&](const Error& error) -> std::optional<std::uint64_t> {
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
    return *analysed;
}

}  // namespace fragtide::engine
