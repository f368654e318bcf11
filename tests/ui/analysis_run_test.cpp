#include "ui/analysis_run.hpp"

#include <gtest/gtest.h>

#include "engine/game_catalogue.hpp"
#include "engine/log_analysis.hpp"
#include "engine/stats_store.hpp"
#include "reports/reports.hpp"
#include "tests/support/recording_window.hpp"
#include "tests/support/temp_dir.hpp"
#include "ui/ui_texts.hpp"

namespace fragtide::ui {
namespace {

using engine::StatsStore;
using testing::RecordingWindow;
using testing::TempDir;

class AnalysisRun : public ::testing::Test {
protected:
    AnalysisRun() {
        store.CurrentGame = "Quake I : Standard";
        engine::LoadWeaponNames(store);
    }

    void choose(const std::filesystem::path& file) {
        window.fileName = file;
        window.txtFile = file.filename().string();
    }
    void run() {
        const auto ask = [this](std::string_view prompt, MessageStyle style, std::string_view title) {
            return window.messageBox(prompt, style, title);
        };
        analyzeChosenLogs(store, window, ask, [this] {
            ++reportsShown;
            window.lst = {"GENERAL"};
            window.players = reports::playerList(store);
        });
    }

    StatsStore store;
    RecordingWindow window;
    TempDir dir;
    int reportsShown = 0;
};

TEST_F(AnalysisRun, ShowsPlayersInTheOrderOfTheirFirstKill) {
    const std::string log = "Al was nailed by Bob\r\nBob was nailed by Alice\nAl chewed on Carol's boomstick\r"
                            "Alice was nailed by Bob";
    choose(dir.write("m.log", log));
    run();
    EXPECT_EQ(window.players, (std::vector<std::string>{"Bob", "Alice", "Carol"}));
    EXPECT_EQ(store.PlayerWeaponFrags[1][4], 2);
    EXPECT_EQ(reportsShown, 1);
    EXPECT_EQ(window.progressPeak, static_cast<double>(log.size())) << "the bar runs over the file's bytes";
    EXPECT_EQ(window.progressMax, 100);
    EXPECT_EQ(window.progress, 0);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(AnalysisRun, AsksBeforeALogOverTheSizeLimit) {
    const std::string line = "Al was nailed by Bob\n";
    std::string exact;
    while (exact.size() + line.size() <= engine::kLargeFileBytes)
        exact += line;
    exact += std::string(engine::kLargeFileBytes - exact.size(), 'x');
    choose(dir.write("exact.log", exact));
    run();
    EXPECT_TRUE(window.messages.empty()) << "exactly the limit asks nothing";
    const auto kills = store.WeaponFrags[4];

    choose(dir.write("big.log", exact + "\n"));
    window.answers = {MessageAnswer::No};
    window.lst = {"kept"};
    window.players = {"Old"};
    run();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].title, "Large File Size.");
    EXPECT_EQ(window.messages[0].prompt,
              "This file is larger than 1 Megabyte. Are you sure you wish to analyze it (it could take several "
              "minutes)?");
    EXPECT_EQ(window.messages[0].style, MessageStyle::YesNoQuestion);
    EXPECT_EQ(store.WeaponFrags[4], kills) << "No leaves everything as it was";
    EXPECT_EQ(window.lst, std::vector<std::string>{"kept"});
    EXPECT_EQ(window.players, std::vector<std::string>{"Old"});

    window.answers = {MessageAnswer::Yes};
    run();
    EXPECT_EQ(store.WeaponFrags[4], kills);
    EXPECT_EQ(reportsShown, 2);
}

TEST_F(AnalysisRun, WithoutAChosenFileClearsTheStoreAndShowsNothingNew) {
    store.addPlayer("Old");
    store.WeaponFrags[4] = 3;
    window.players = {"Old"};
    run();
    EXPECT_EQ(store.playerCount(), 0);
    EXPECT_EQ(store.WeaponFrags[4], 0);
    EXPECT_EQ(window.players, std::vector<std::string>{"Old"});
    EXPECT_EQ(reportsShown, 0);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(AnalysisRun, ReportsAnUnreadableLogAndKeepsThePreviousResultsWhole) {
    choose(dir.write("m.log", "Al was nailed by Bob\n"));
    run();
    const StatsStore before = store;
    const auto playersBefore = window.players;

    for (const auto& bad : {dir.path() / "gone.log", dir.path()}) {
        SCOPED_TRACE(bad.string());
        window.messages.clear();
        choose(bad);
        window.txtFile = "gone.log";
        run();
        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_EQ(window.messages[0].title, "Error.");
        EXPECT_EQ(window.messages[0].style, MessageStyle::OkInformation);
        EXPECT_NE(window.messages[0].prompt.find("cannot read '"), std::string::npos) << window.messages[0].prompt;
        EXPECT_EQ(store.PlayerNames(), before.PlayerNames());
        EXPECT_EQ(store.WeaponFrags, before.WeaponFrags);
        EXPECT_EQ(window.players, playersBefore);
        EXPECT_EQ(reportsShown, 1);
        EXPECT_EQ(window.progress, 0);
    }
}

TEST_F(AnalysisRun, RefusesALogWithALineOverTheLimitAndKeepsThePreviousResults) {
    choose(dir.write("m.log", "Al was nailed by Bob\n"));
    run();
    const StatsStore before = store;
    // A file of zero bytes without any line ending, one byte over the limit; sparse, so cheap.
    const auto binary = dir.write("binary.exe", "");
    std::filesystem::resize_file(binary, engine::kMaxLineBytes + 1);
    window.messages.clear();
    choose(binary);
    window.answers = {MessageAnswer::Yes};  // to the size question
    run();
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[1].title, "Error.");
    EXPECT_NE(window.messages[1].prompt.find("binary.exe': line 1 is longer than 256 MiB"), std::string::npos)
        << window.messages[1].prompt;
    EXPECT_EQ(store.PlayerNames(), before.PlayerNames());
    EXPECT_EQ(store.WeaponFrags, before.WeaponFrags);
    EXPECT_EQ(window.players, std::vector<std::string>{"Bob"});
    EXPECT_EQ(reportsShown, 1);
    EXPECT_EQ(window.progress, 0);
}

TEST_F(AnalysisRun, CompletesAnEmptyLogWithEmptyResults) {
    store.addPlayer("Old");
    choose(dir.write("empty.log", ""));
    run();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_TRUE(window.players.empty());
    EXPECT_EQ(store.playerCount(), 0);
    EXPECT_EQ(reportsShown, 1);
}

TEST_F(AnalysisRun, GivesIdenticalResultsTwiceInARow) {
    choose(dir.write("m.log", "Al was nailed by Bob\nBob was punctured by Cy\n"));
    run();
    const StatsStore first = store;
    run();
    EXPECT_EQ(store.WeaponFrags, first.WeaponFrags);
    EXPECT_EQ(store.PlayerNames(), first.PlayerNames());
    EXPECT_EQ(store.PlayerWeaponFrags, first.PlayerWeaponFrags);
    EXPECT_EQ(window.players, (std::vector<std::string>{"Bob", "Cy"}));
}

TEST_F(AnalysisRun, ReadsButCreditsNothingForAnUnknownGame) {
    store.CurrentGame = "Not Found";
    choose(dir.write("m.log", "Al was nailed by Bob\nx\n"));
    run();
    EXPECT_EQ(window.progressPeak, 23);
    EXPECT_TRUE(window.players.empty());
    EXPECT_EQ(store.WeaponFrags[4], 0);
}

TEST_F(AnalysisRun, ShowsNamesDecodedForDisplay) {
    choose(dir.write("m.log", "Al was nailed by J\xf6rg\nAl was nailed by Zo\xc3\xab\n"));
    run();
    EXPECT_EQ(window.players, (std::vector<std::string>{"J\xc3\xb6rg", "Zo\xc3\xab"}));
    EXPECT_EQ(store.PlayerNames()[1], "J\xf6rg") << "the store keeps the bytes";
}

}  // namespace
}  // namespace fragtide::ui
