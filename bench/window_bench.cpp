// Times the window's analysis of a log without a window: the "Analyze Log" run over a recording
// window, as the form drives it (large-file question answered Yes, progress bar, General Info,
// player list). Prints the figures; never fails a build.
//
//   window_bench GAME FILE [RUNS]     e.g. window_bench q2 /tmp/q2.log 3
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/game_catalogue.hpp"
#include "engine/stats_store.hpp"
#include "reports/reports.hpp"
#include "tests/support/recording_window.hpp"
#include "ui/analysis_run.hpp"
#include "ui/ui_texts.hpp"

int main(int argc, char** argv) {
    using namespace fragtide;
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_bench GAME FILE [RUNS]\n");
        return 2;
    }
    std::string game = argv[1];
    for (const auto& g : engine::games())
        if (g.alias == game)
            game = g.displayName;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 1;
    for (int run = 0; run < runs; ++run) {
        engine::StatsStore store;
        store.CurrentGame = game;
        engine::LoadWeaponNames(store);
        testing::RecordingWindow window;
        window.fileName = argv[2];
        window.txtFile = argv[2];
        const auto start = std::chrono::steady_clock::now();
        const auto ask = [&](std::string_view prompt, ui::MessageStyle style, std::string_view title) {
            return window.messageBox(prompt, style, title);
        };
        ui::analyzeChosenLogs(store, window, ask, [&] {
            for (const std::string& line : reports::generalInfo(store))
                window.lstAddItem(line);
            for (const std::string& name : reports::playerList(store))
                window.lstPlayersAddItem(name);
        });
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!window.messages.empty() && window.messages.back().title == ui::texts::kErrorTitle) {
            std::fprintf(stderr, "%s\n", window.messages.back().prompt.c_str());
            return 1;
        }
        std::printf("window %s: %.3f s, %ld progress steps (%.0f a second), %zu players\n", game.c_str(), s,
                    window.progressCalls, static_cast<double>(window.progressCalls) / s, window.players.size());
    }
    return 0;
}
