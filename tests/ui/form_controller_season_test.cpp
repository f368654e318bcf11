// The form controller's seasons, on a season of plain values: opening and making one, adding logs
// with progress, the Ranking report, the matches window, export, and what a refusal says.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "reports/season_reports.hpp"
#include "tests/support/fake_seasons.hpp"
#include "tests/support/season_view_fixture.hpp"
#include "tests/ui/form_world.hpp"
#include "ui/ui_texts.hpp"

namespace fragtide::ui {
namespace {

using fragtide::testing::FakeSeasons;

struct SeasonWorld : World {
    FakeSeasons seasons;
    fs::path november = folder.path() / "november.fragtide-season";

    SeasonWorld() { seasons.seasons[november].view = fragtide::testing::generatedSeasonView(6, 4); }

    void openNovember(FormController& controller) {
        controller.setSeasonAccess(seasons);
        form.seasonToChoose = november;
        controller.mnuOpenSeason_Click();
    }
};

TEST(FormControllerSeason, OpenShowsTheRankingNamesTheSeasonListsItsMatchesAndExportsItsPage) {
    SeasonWorld w;
    FormController form = w.controller();
    w.openNovember(form);
    const season::SeasonView& view = *w.seasons.seasons[w.november].view;

    ASSERT_EQ(w.form.seasonRequests.size(), 1u);
    EXPECT_FALSE(w.form.seasonRequests[0].create);
    EXPECT_EQ(w.form.seasonRequests[0].filters.front().patterns, "*.fragtide-season");
    EXPECT_TRUE(w.form.seasonOpen);
    EXPECT_EQ(w.window.caption, "Fragtide (season november, Quake I : Standard)");
    EXPECT_EQ(w.window.lst, reports::ranking(view));
    EXPECT_TRUE(w.window.bold[static_cast<int>(ReportButton::Ranking)]);
    EXPECT_FALSE(w.window.bold[static_cast<int>(ReportButton::GeneralInfo)]);
    EXPECT_EQ(w.window.players.size(), static_cast<std::size_t>(view.store.playerCount()));

    // The other reports show the season's statistics; Ranking comes back with its button.
    form.cmdOptions_Click(ReportButton::GeneralInfo, -1);
    EXPECT_EQ(w.window.lst, reports::generalInfo(view.store));
    form.cmdOptions_Click(ReportButton::Ranking, -1);
    EXPECT_EQ(w.window.lst, reports::ranking(view));

    form.mnuMatches_Click();
    ASSERT_EQ(w.form.matchesShown.size(), 1u);
    const MatchesTable& table = w.form.matchesShown[0];
    EXPECT_EQ(table.title, "Matches: november");
    ASSERT_EQ(table.rows.size(), view.matches.size());
    EXPECT_EQ(table.rows[0][0], reports::civilDateTime(view.matches[0].start));
    EXPECT_EQ(table.rows[0][2], "qconsole-1001.log");

    w.form.exportToChoose = ChosenExportFile{w.folder.path() / "season.html", 0};
    form.mnuExport_Click();
    EXPECT_EQ(w.form.exportRequests.back().defaultName, fs::path("november.html"));
    EXPECT_NE(fragtide::testing::readBytes(w.folder.path() / "season.html").find("<section id=\"ranking\">"),
              std::string::npos);
}

TEST(FormControllerSeason, NewSeasonThenAddingRunsWithProgressAndShowsWhatTheSeasonHoldsNow) {
    SeasonWorld w;
    FormController form = w.controller();
    form.setSeasonAccess(w.seasons);
    const fs::path fresh = w.folder.path() / "december.fragtide-season";
    w.form.seasonToChoose = fresh;
    form.mnuNewSeason_Click();
    ASSERT_TRUE(w.form.seasonRequests.back().create);
    // Before any season: the program's folder. Then the last season's, also after a restart.
    EXPECT_EQ(w.form.seasonRequests.back().initialFolder, w.programFolder);
    {
        FormController later = w.controller();
        later.setSeasonAccess(w.seasons);
        w.form.seasonToChoose.reset();
        later.mnuOpenSeason_Click();
        EXPECT_EQ(w.form.seasonRequests.back().initialFolder, w.folder.path());
    }
    EXPECT_EQ(w.window.caption, "Fragtide (season december)");  // no game before the first log

    w.seasons.seasons[fresh].afterAdd = fragtide::testing::generatedSeasonView(5, 3);
    const fs::path a = w.log("a.log", {"Carol was ax-murdered by Bob"});
    const fs::path b = w.log("b.log", {"Bob was ax-murdered by Carol"});
    w.form.filesToChoose = {a, b};
    form.mnuAddToSeason_Click();

    EXPECT_EQ(w.form.fileRequests.back().title, "Add Logs to Season");
    EXPECT_EQ(w.seasons.seasons[fresh].adds, (std::vector<std::vector<fs::path>>{{a, b}}));
    EXPECT_EQ(w.window.progressPeak, 1000);
    EXPECT_EQ(w.window.progress, 0);  // reset once done
    EXPECT_EQ(w.form.runsStarted, 1);
    EXPECT_EQ(w.form.runsFinished, 1);
    EXPECT_EQ(w.window.lst, reports::ranking(*w.seasons.seasons[fresh].view));
    EXPECT_EQ(w.window.caption, "Fragtide (season december, Quake I : Standard)");
    EXPECT_EQ(w.form.matchesUpdates, 2);
    EXPECT_TRUE(w.window.messages.empty());
}

TEST(FormControllerSeason, SaysWhatToDoWhenRefusedAndKeepsWhatWasShown) {
    SeasonWorld w;
    FormController form = w.controller();
    w.openNovember(form);
    const std::vector<std::string> shown = w.window.lst;
    const std::string caption = w.window.caption;

    // Another application's file: refused, and the season open before stays open.
    w.form.seasonToChoose = w.folder.path() / "not-a-season.db";
    form.mnuOpenSeason_Click();
    ASSERT_EQ(w.window.messages.size(), 1u);
    EXPECT_EQ(w.window.messages[0].title, "Season Error.");
    EXPECT_EQ(w.window.messages[0].prompt, "'not-a-season.db' is not a Fragtide season.\n\n" +
                                               std::string(texts::kSeasonOpenAdvice));
    EXPECT_EQ(w.window.caption, caption);

    // A season another process is adding to: nothing changes, and the box says to wait.
    w.seasons.seasons[w.november].busy = true;
    w.form.filesToChoose = {w.log("c.log", {"Carol was ax-murdered by Bob"})};
    form.mnuAddToSeason_Click();
    ASSERT_EQ(w.window.messages.size(), 2u);
    EXPECT_EQ(w.window.messages[1].prompt, "the season 'november.fragtide-season' is busy.\n\n" +
                                               std::string(texts::kSeasonAddAdvice));
    EXPECT_EQ(w.window.lst, shown);
    EXPECT_FALSE(w.form.runningNow);

    // Logs that cannot be read are named after the others are shown.
    w.seasons.seasons[w.november].busy = false;
    w.seasons.seasons[w.november].failures = {{ErrorKind::PermissionDenied, "cannot read 'd.log': permission denied"}};
    form.mnuAddToSeason_Click();
    ASSERT_EQ(w.window.messages.size(), 3u);
    EXPECT_EQ(w.window.messages[2].prompt,
              std::string(texts::kSeasonLogsLeftOut) + "\n\ncannot read 'd.log': permission denied.");
}

TEST(FormControllerSeason, AnalysingALogLeavesTheSeason) {
    SeasonWorld w;
    FormController form = w.controller();
    w.openNovember(form);
    w.form.fileToChoose = w.log("one.log", {"Carol was ax-murdered by Bob"});
    form.cmdBrowse_Click();
    form.cmdAnalyze_Click();
    EXPECT_FALSE(w.form.seasonOpen);
    EXPECT_EQ(form.seasonView(), nullptr);
    EXPECT_EQ(w.window.caption, texts::mainCaption(w.store.CurrentGame));
    EXPECT_EQ(w.window.lst.front(), "LIST OF ALL KILLS PER WEAPON:");
}

// The window's own season files (season_files.cpp) over the season library: made, grown, opened
// again by a later window, and a file that is no season refused unwritten.
TEST(FormControllerSeason, MakesGrowsAndReopensARealSeasonFile) {
    World w;
    const auto files = seasonFiles();
    const fs::path path = w.folder.path() / "real.fragtide-season";
    {
        FormController form = w.controller();
        form.setSeasonAccess(*files);
        w.form.seasonToChoose = path;
        form.mnuNewSeason_Click();
        ASSERT_TRUE(w.window.messages.empty()) << w.window.messages[0].prompt;
        w.form.filesToChoose = {w.log("a.log", {"Carol was ax-murdered by Bob", "Bob rides Alice's rocket"})};
        form.mnuAddToSeason_Click();
        ASSERT_TRUE(w.window.messages.empty()) << w.window.messages[0].prompt;
        ASSERT_NE(form.seasonView(), nullptr);
        EXPECT_EQ(w.window.caption, "Fragtide (season real, Quake I : Standard)");
        EXPECT_EQ(w.window.lst, reports::ranking(*form.seasonView()));
        EXPECT_EQ(w.window.lst.size(), 5u);  // heading, blank, Bob, Alice, Carol
    }
    FormController later = w.controller();
    later.setSeasonAccess(*files);
    later.mnuOpenSeason_Click();
    ASSERT_NE(later.seasonView(), nullptr);
    EXPECT_EQ(later.seasonView()->matches.size(), 1u);

    const std::string noise(4096, '\x5a');
    const fs::path foreign = w.folder.write("foreign.fragtide-season", noise);
    w.form.seasonToChoose = foreign;
    later.mnuOpenSeason_Click();
    ASSERT_EQ(w.window.messages.size(), 1u);
    EXPECT_NE(w.window.messages[0].prompt.find(texts::kSeasonOpenAdvice), std::string::npos);
    EXPECT_EQ(fragtide::testing::readBytes(foreign), noise);
    EXPECT_EQ(w.window.caption, "Fragtide (season real, Quake I : Standard)");
}

}  // namespace
}  // namespace fragtide::ui
