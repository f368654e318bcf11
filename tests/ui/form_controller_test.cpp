// The form controller driven as a front end drives it, on a plain fake of the window and of the
// dialogs: start-up, Browse, Analyze Log, the report buttons, Game Select, help and drops.
#include <gtest/gtest.h>

#include <csignal>
#include <deque>
#include <fstream>
#include <sstream>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "cli/report_command.hpp"
#include "engine/game_catalogue.hpp"
#include "engine/game_folders.hpp"
#include "engine/stats_store.hpp"
#include "settings/game_setting.hpp"
#include "settings/memory_backend.hpp"
#include "tests/support/recording_window.hpp"
#include "tests/ui/form_world.hpp"
#include "tests/support/temp_dir.hpp"
#include "ui/form_controller.hpp"
#include "ui/message_text.hpp"
#include "ui/who_killed_whom_view.hpp"

namespace fragtide::ui {
namespace {

using fragtide::testing::RecordingWindow;
namespace fs = std::filesystem;

const std::string kGeneralHeading = "LIST OF ALL KILLS PER WEAPON:";
const std::string kPlayersHeading = "LIST OF PLAYERS AND FRAGS PER PLAYER:";

// Bob scores first, then Alice; Carol only dies. Quake I : Standard messages.
std::vector<std::string> threeKillLog() {
    return {"Carol was ax-murdered by Bob", "Bob rides Alice's rocket", "Carol chewed on Bob's boomstick",
            "Carol becomes bored with life"};
}

// A log over the size limit: the run asks before reading it.
std::vector<std::string> bigLog() {
    std::vector<std::string> big(12000, std::string(100, 'x'));
    big.push_back("Carol was ax-murdered by Bob");
    return big;
}

}  // namespace
}  // namespace fragtide::ui

using namespace fragtide;
using namespace fragtide::ui;

TEST(FormControllerStartUp, CaptionNamesTheStoredGameOrTheDefault) {
    for (const auto& [stored, shown] : std::vector<std::pair<std::string, std::string>>{
             {"", "Quake I : Standard"}, {"Quake II : Standard", "Quake II : Standard"},
             {"No Such Game", "No Such Game"}}) {
        World world;
        if (!stored.empty())
            settings::saveSelectedGame(world.backend, stored);
        auto form = world.controller();
        form.Form_Load();
        EXPECT_EQ(world.window.caption, "Fragtide (analyzing " + shown + " log files)");
        EXPECT_EQ(world.store.CurrentGame, shown);
        EXPECT_TRUE(world.window.messages.empty());
        EXPECT_EQ(world.form.runsStarted, 0);
    }
}

TEST(FormControllerStartUp, CommandLineLogIsChosenAndAnalysed) {
    World world;
    const fs::path log = world.log("Match1.LOG", threeKillLog());
    for (const std::string& commandLine : {log.string(), "\"" + log.string() + "\""}) {
        auto form = world.controller(commandLine);
        form.Form_Load();
        EXPECT_EQ(world.window.txtFile, "match1.log");
        EXPECT_EQ(world.window.fileName, log);
        EXPECT_EQ(world.firstLine(), kGeneralHeading);
        EXPECT_EQ(world.window.players, (std::vector<std::string>{"Bob", "Alice"}));
        EXPECT_EQ(world.window.playerCount, "Total players : 2");
        EXPECT_EQ(world.form.runsStarted, world.form.runsFinished);
        EXPECT_TRUE(world.window.messages.empty());
    }
}

TEST(FormControllerStartUp, CommandLineLogThatCannotBeReadIsReportedOnceTheWindowShows) {
    World world;
    auto form = world.controller("C:\\Logs\\Match1.LOG");
    form.Form_Load();
    EXPECT_EQ(world.window.txtFile, "match1.log");
    EXPECT_TRUE(world.window.messages.empty()) << "a box before the window would open alone";
    EXPECT_EQ(world.form.windowsShownNow, 0);
    form.windowShown();
    ASSERT_EQ(world.window.messages.size(), 1u);
    EXPECT_EQ(world.window.messages[0].title, "Error.");
    EXPECT_NE(world.window.messages[0].prompt.find("Match1.LOG"), std::string::npos);
    EXPECT_EQ(world.window.caption, "Fragtide (analyzing Quake I : Standard log files)");
    EXPECT_TRUE(world.window.players.empty());
    EXPECT_FALSE(world.form.runningNow);
}

TEST(FormControllerCommandLine, QuotesSeparatorsAndNames) {
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"C:\\Logs\\Match1.LOG", "C:\\Logs\\Match1.LOG", "match1.log"},
        {"/home/me/Logs/Match1.LOG", "/home/me/Logs/Match1.LOG", "match1.log"},
        {"C:/Logs\\sub/CTF.log", "C:/Logs\\sub/CTF.log", "ctf.log"},
        {"\"\"a.log\"\"", "\"a.log\"", "\"a.log\""},  // only the outer quotes go
        {"\\", "\\", "\\"},                        // separators only
    };
    for (const auto& [text, path, shown] : cases) {
        const auto log = parseCommandLine(text);
        ASSERT_TRUE(log) << text;
        EXPECT_EQ(pathText(log->path), path);
        EXPECT_EQ(log->shownName, shown);
    }
    EXPECT_FALSE(parseCommandLine(""));
    EXPECT_FALSE(parseCommandLine("\"\""));
    const auto quoted = parseCommandLine("\"C:\\My Logs\\Duel.LOG\"");
    ASSERT_TRUE(quoted);
    EXPECT_EQ(pathText(quoted->path), "C:\\My Logs\\Duel.LOG");
    EXPECT_EQ(quoted->shownName, "duel.log");
    EXPECT_EQ(parseCommandLine("/srv/logs/")->shownName, "logs");
    EXPECT_EQ(parseCommandLine("Bare.Log")->shownName, "bare.log");
    EXPECT_EQ(parseCommandLine("//")->shownName, "//");
    // Letters beyond ASCII are lower-cased too; a lone quote is part of the name.
    EXPECT_EQ(parseCommandLine("\xC3\x84RGER.LOG")->shownName, "\xC3\xA4rger.log");
    EXPECT_EQ(parseCommandLine("\xD0\x9C\xD0\x90\xD0\xA7.LOG")->shownName, "\xD0\xBC\xD0\xB0\xD1\x87.log");
    EXPECT_EQ(parseCommandLine("\"a.log")->shownName, "\"a.log");
}

TEST(FormControllerBrowse, RequestNamesTheGameAndTheChosenLogIsAnalysed) {
    World world;
    settings::saveSelectedGame(world.backend, "Quake I : Warhaven");
    auto form = world.controller();
    form.Form_Load();
    world.form.fileToChoose = world.log("Duel.log", {"Ann was axed by Zed"});
    form.cmdBrowse_Click();

    ASSERT_EQ(world.form.fileRequests.size(), 1u);
    const OpenFileRequest& request = world.form.fileRequests[0];
    EXPECT_EQ(request.title, "Open Quake I : Warhaven LOG File...");
    ASSERT_EQ(request.filters.size(), 3u);
    EXPECT_EQ(request.filters[0].description, "Quake I : Warhaven LOG Files (*.log)");
    EXPECT_EQ(request.filters[0].patterns, "*.log");
    EXPECT_EQ(request.filters[1].description, "Text Files (*.txt)");
    EXPECT_EQ(request.filters[2].description, "All Files (*.*)");
    EXPECT_EQ(request.filters[2].patterns, "*.*");
    EXPECT_EQ(request.defaultSuffix, "log");
    EXPECT_TRUE(request.fileMustExist && request.pathMustExist && request.hideReadOnly);
    EXPECT_EQ(world.window.txtFile, "Duel.log");

    form.cmdAnalyze_Click();
    EXPECT_EQ(world.firstLine(), kGeneralHeading);
    EXPECT_NE(std::find(world.window.lst.begin(), world.window.lst.end(),
                        "Most violent Barbarian : Zed with 1 axe kills!"),
              world.window.lst.end());
    EXPECT_EQ(world.window.players, std::vector<std::string>{"Zed"});
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(world.window.enabled[i]);

    // A second Browse clears the report but keeps the last analysis's players.
    world.form.fileToChoose = world.log("Next.log", {});
    form.cmdBrowse_Click();
    EXPECT_TRUE(world.window.lst.empty());
    EXPECT_EQ(world.window.players, std::vector<std::string>{"Zed"});
    EXPECT_EQ(world.window.playerCount, "Total players : 1");
}

TEST(FormControllerBrowse, CancelledChangesNothing) {
    World world;
    const fs::path log = world.log("a.log", threeKillLog());
    auto form = world.controller(log.string());
    form.Form_Load();
    const auto report = world.window.lst;
    form.cmdBrowse_Click();
    EXPECT_EQ(world.form.fileRequests.size(), 1u);
    EXPECT_EQ(world.window.lst, report);
    EXPECT_EQ(world.window.txtFile, "a.log");
    EXPECT_EQ(world.window.fileName, log);
    EXPECT_EQ(settings::loadLogFolder(world.backend), "");
}

TEST(FormControllerBrowse, OpensWhereTheLastLogWasChosen) {
    World world;
    const fs::path logs = world.folder.path() / "logs";
    {
        auto form = world.controller();
        form.Form_Load();
        form.cmdBrowse_Click();  // cancelled: nothing chosen, nothing remembered
        EXPECT_EQ(world.form.fileRequests.at(0).initialFolder, world.programFolder);
        fs::create_directories(logs);
        world.form.fileToChoose = world.log("logs/a.log", threeKillLog());
        form.cmdBrowse_Click();
        form.cmdBrowse_Click();
        EXPECT_TRUE(fs::equivalent(world.form.fileRequests.at(2).initialFolder, logs));
    }
    // Kept with the settings, beside the game, for the next start.
    EXPECT_TRUE(fs::equivalent(textPath(settings::loadLogFolder(world.backend)), logs));
    EXPECT_EQ(settings::loadSelectedGame(world.backend), "Quake I : Standard");
    World next;
    next.backend = world.backend;
    auto form = next.controller();
    form.Form_Load();
    form.cmdBrowse_Click();
    EXPECT_TRUE(fs::equivalent(next.form.fileRequests.at(0).initialFolder, logs));

    // A remembered folder that has gone: the program's folder again.
    fs::remove_all(logs);
    form.cmdBrowse_Click();
    EXPECT_EQ(next.form.fileRequests.at(1).initialFolder, next.programFolder);
}

TEST(FormControllerDrop, ExistingFilesAndFoldersAreTaken) {
    World world;
    auto form = world.controller();
    form.Form_Load();
    const fs::path log = world.log("Dropped.log", threeKillLog());
    EXPECT_FALSE(FormController::acceptsDrop({}));
    EXPECT_FALSE(FormController::acceptsDrop({log, world.folder.path() / "missing.log"}));
    EXPECT_FALSE(form.fileDropped({world.folder.path() / "missing.log"}));
    fs::create_directories(world.folder.path() / "empty");
    EXPECT_FALSE(form.fileDropped({world.folder.path() / "empty"}));  // stands for no file at all
    EXPECT_EQ(world.window.txtFile, "");
    ASSERT_TRUE(form.fileDropped({log}));
    EXPECT_EQ(world.window.txtFile, "Dropped.log");
    EXPECT_EQ(world.window.fileName, log);
    EXPECT_TRUE(world.window.fileNames.empty());

    // A folder stands for its files in name order, after the files dropped with it that sort first.
    fs::create_directories(world.folder.path() / "season");
    const fs::path day2 = world.log("season/2024-05-02.log", threeKillLog());
    const fs::path day1 = world.log("season/2024-05-01.log", threeKillLog());
    EXPECT_TRUE(FormController::acceptsDrop({world.folder.path() / "season", log}));
    ASSERT_TRUE(form.fileDropped({world.folder.path() / "season", log}));
    EXPECT_EQ(world.window.txtFile, "3 files");
    EXPECT_EQ(world.window.fileNames, (std::vector<fs::path>{log, day1, day2}));
}

TEST(FormControllerReports, ButtonsAndPlayerClicksMoveTheBoldCaption) {
    World world;
    auto form = world.controller(world.log("a.log", threeKillLog()).string());
    form.Form_Load();
    EXPECT_EQ(world.boldButton(), 0);

    form.cmdOptions_Click(ReportButton::PlayerInfo, -1);
    EXPECT_EQ(world.boldButton(), 1);
    EXPECT_EQ(world.firstLine(), kPlayersHeading);
    EXPECT_EQ(form.individualShown(), -1);

    form.lstPlayers_Click(1);
    EXPECT_EQ(world.boldButton(), 2);
    EXPECT_EQ(world.firstLine(), "INDIVIDUAL PLAYER SCORES FOR ALICE:");
    EXPECT_EQ(form.individualShown(), 1);

    form.cmdOptions_Click(ReportButton::GeneralInfo, 1);
    EXPECT_EQ(world.boldButton(), 0);
    EXPECT_EQ(world.firstLine(), kGeneralHeading);
    EXPECT_EQ(form.individualShown(), -1);  // the report list was cleared for another report

    form.cmdOptions_Click(ReportButton::IndividualInfo, 0);
    EXPECT_EQ(world.boldButton(), 2);
    EXPECT_EQ(world.firstLine(), "INDIVIDUAL PLAYER SCORES FOR BOB:");
    EXPECT_EQ(form.individualShown(), 0);
    EXPECT_TRUE(world.window.messages.empty());
}

TEST(FormControllerReports, IndividualInfoWithoutASelectionOnlyShowsTheMessage) {
    World world;
    auto form = world.controller(world.log("a.log", threeKillLog()).string());
    form.Form_Load();
    form.cmdOptions_Click(ReportButton::PlayerInfo, -1);
    const auto report = world.window.lst;

    form.cmdOptions_Click(ReportButton::IndividualInfo, -1);
    ASSERT_EQ(world.window.messages.size(), 1u);
    EXPECT_EQ(world.window.messages[0].prompt, "Select a player first, or analyze a new log file.");
    EXPECT_EQ(world.window.messages[0].title, "Error.");
    EXPECT_EQ(world.window.messages[0].style, MessageStyle::OkInformation);
    EXPECT_EQ(world.window.lst, report);
    EXPECT_EQ(world.boldButton(), 1);
}

TEST(FormControllerReports, PlayersWhoseNamesDisplayAlikeEachShowTheirOwnScores) {
    World world;
    // "Jo\xe9" in Windows-1252, then "Jo\xc3\xa9" in UTF-8: both show as "Jo\u00e9".
    const fs::path log = world.folder.write("alike.log", "Bob was ax-murdered by Jo\xe9\r\n"
                                                         "Bob was nailed by Jo\xc3\xa9\r\n"
                                                         "Bob was nailed by Jo\xc3\xa9\r\n");
    auto form = world.controller(log.string());
    form.Form_Load();
    const std::string jo = "Jo\xc3\xa9";
    EXPECT_EQ(world.window.players, (std::vector<std::string>{jo, jo}));
    form.lstPlayers_Click(0);
    EXPECT_EQ(world.window.lst, (std::vector<std::string>{"INDIVIDUAL PLAYER SCORES FOR JO\xc3\x89:", "",
                                                          "Total frags: 1", "", "Frags per weapon :",
                                                          "Frags with Axe: 1", ""}));
    form.lstPlayers_Click(1);
    EXPECT_EQ(world.window.lst.at(2), "Total frags: 2");
}

TEST(FormControllerStartUp, ALargeCommandLineLogPutsTheWindowOnScreenBeforeAsking) {
    World world;
    auto form = world.controller(world.log("big.log", bigLog()).string());
    world.window.answers = {MessageAnswer::No};
    form.Form_Load();
    EXPECT_EQ(world.form.windowsShownNow, 1);
    ASSERT_EQ(world.window.messages.size(), 1u);
    EXPECT_EQ(world.window.messages[0].style, MessageStyle::YesNoQuestion);
}

TEST(FormControllerRun, LargeLogAsksAndNoKeepsTheWindowAsItWas) {
    World world;
    auto form = world.controller(world.log("a.log", threeKillLog()).string());
    form.Form_Load();
    world.form.fileToChoose = world.log("big.log", bigLog());
    form.cmdBrowse_Click();
    form.cmdAnalyze_Click();
    ASSERT_EQ(world.window.messages.size(), 1u);
    EXPECT_EQ(world.window.messages[0].style, MessageStyle::YesNoQuestion);
    EXPECT_EQ(world.window.messages[0].title, "Large File Size.");
    EXPECT_EQ(world.firstLine(), kGeneralHeading);
    EXPECT_EQ(world.window.players, std::vector<std::string>{"Bob"});

    world.window.answers = {MessageAnswer::No};
    form.cmdOptions_Click(ReportButton::PlayerInfo, -1);
    form.cmdAnalyze_Click();
    EXPECT_EQ(world.firstLine(), kPlayersHeading);
    EXPECT_EQ(world.boldButton(), 1);
    EXPECT_EQ(world.form.runsStarted, 3);  // with the command line's
    EXPECT_EQ(world.form.runsFinished, 3);
}

TEST(FormControllerRun, ProgressReachesTheFileSizeThenResets) {
    World world;
    std::vector<std::string> lines;
    for (int i = 0; i < 5000; ++i)
        lines.push_back("Carol was nailed by P" + std::to_string(i % 7));
    const auto log = world.log("long.log", lines);
    auto form = world.controller(log.string());
    form.Form_Load();
    EXPECT_EQ(world.window.progressPeak, static_cast<double>(std::filesystem::file_size(log)));
    EXPECT_EQ(world.window.progress, 0);
    EXPECT_EQ(world.window.progressMax, 100);
    EXPECT_EQ(world.window.playerCount, "Total players : 7");
}

// A window whose message box asks the controller to close, as the frame's close button does
// while the size question is up.
class ClosingWindow : public RecordingWindow {
public:
    FormController* form = nullptr;
    std::vector<bool> closeAnswers;
    MessageAnswer messageBox(std::string_view prompt, MessageStyle style, std::string_view title) override {
        if (form)
            closeAnswers.push_back(form->closeRequested());
        return RecordingWindow::messageBox(prompt, style, title);
    }
};

TEST(FormControllerRun, CloseRequestDuringARunEndsTheProgram) {
    engine::StatsStore store;
    settings::MemoryBackend backend;
    ClosingWindow window;
    FakeForm ops(window);
    fragtide::testing::TempDir folder;
    std::string big;
    for (const std::string& line : bigLog())
        big += line + "\r\n";
    FormController form(store, backend, window, ops, folder.write("big.log", big).string(), folder.path());
    window.form = &form;
    form.Form_Load();
    EXPECT_EQ(ops.endedDuringRun, 1);
    EXPECT_EQ(window.closeAnswers, std::vector<bool>{true});
    // Outside a run, closing is the frame's ordinary business.
    EXPECT_FALSE(form.running());
    EXPECT_FALSE(form.closeRequested());
    EXPECT_EQ(ops.endedDuringRun, 1);
}

TEST(FormControllerGameSelect, ListsTheGamesWithTheCurrentOneSelected) {
    World world;
    settings::saveSelectedGame(world.backend, "Quake II : Standard");
    auto form = world.controller();
    form.Form_Load();
    const GameSelectChoice choice = form.gameSelectChoice();
    ASSERT_GE(choice.games.size(), 6u);
    EXPECT_EQ(choice.games[0], "Quake I : Standard");
    EXPECT_EQ(choice.games.at(static_cast<std::size_t>(choice.preselected)), "Quake II : Standard");
    // Each game says what it reads, so that a server log is not read as a client console.
    ASSERT_EQ(choice.descriptions.size(), choice.games.size());
    for (std::size_t i = 0; i < choice.games.size(); ++i) {
        SCOPED_TRACE(choice.games[i]);
        EXPECT_TRUE(choice.descriptions[i].starts_with("Reads ")) << choice.descriptions[i];
        if (choice.games[i] == "Half-Life : Counter-Strike") {
            EXPECT_EQ(choice.descriptions[i], "Reads Counter-Strike's client console obituaries");
        }
    }

    world.store.CurrentGame = "No Such Game";
    EXPECT_EQ(form.gameSelectChoice().preselected, -1);
}

TEST(FormControllerGameSelect, OkAppliesAtOnceAndCancelChangesNothing) {
    World world;
    auto form = world.controller(world.log("a.log", threeKillLog()).string());
    form.Form_Load();
    const auto players = world.window.players;
    const auto games = form.gameSelectChoice().games;

    world.form.gameToChoose.reset();
    form.mnuGameSel_Click();
    EXPECT_EQ(world.store.CurrentGame, "Quake I : Standard");
    EXPECT_EQ(settings::loadSelectedGame(world.backend), "Quake I : Standard");

    world.form.gameToChoose = 1;
    form.mnuGameSel_Click();
    EXPECT_EQ(world.form.gameChoices.at(1).preselected, 0);
    EXPECT_EQ(world.store.CurrentGame, games[1]);
    EXPECT_EQ(settings::loadSelectedGame(world.backend), games[1]);
    EXPECT_EQ(world.window.caption, "Fragtide (analyzing " + games[1] + " log files)");
    EXPECT_FALSE(world.store.WeaponNames[1].empty());
    EXPECT_EQ(world.window.players, players);  // the last analysis's statistics stay

    // OK with nothing selected, or a position past the list, applies nothing.
    EXPECT_FALSE(FormController::gameSelectOkAllowed(-1));
    EXPECT_FALSE(form.gameSelectOk(-1));
    EXPECT_FALSE(form.gameSelectOk(static_cast<int>(games.size())));
    EXPECT_EQ(settings::loadSelectedGame(world.backend), games[1]);
}

TEST(FormControllerHelp, LegacyViewerFirstThenTheDocumentThenTheError) {
    World world;
    auto form = world.controller();
    form.Form_Load();
    EXPECT_EQ(form.helpFilePath(), world.programFolder / "Fragtide.html");

    // No help document anywhere: the viewer is still tried with the path beside the program.
    form.mnuHelp2_Click();
    ASSERT_EQ(world.form.started.size(), 1u);
    EXPECT_EQ(world.form.started[0], "c:\\windows\\winhelp.exe " + pathText(form.helpFilePath()));
    ASSERT_EQ(world.window.messages.size(), 1u);
    // The message says what is wrong and where the file was looked for, not which key to press.
    EXPECT_EQ(world.window.messages[0].prompt, "The help file was not found. Fragtide looked for it here:\n" +
                                                   pathText(form.helpFilePath()) +
                                                   "\nReinstall Fragtide, or put Fragtide.html back at that path.");
    EXPECT_EQ(world.window.messages[0].title, "Help Error.");
    EXPECT_EQ(world.window.messages[0].style, MessageStyle::OkCritical);
    EXPECT_TRUE(world.form.helpShown.empty());

    // The document present: F1's way shows it; when the viewer starts, nothing else happens.
    world.folder.write("program/Fragtide.html", "<html></html>");
    form.mnuHelp2_Click();
    EXPECT_EQ(world.form.helpShown, std::vector<fs::path>{form.helpFilePath()});
    world.form.programStarts = true;
    form.mnuHelp2_Click();
    EXPECT_EQ(world.form.helpShown.size(), 1u);

    // A front end that cannot show it names the file it could not show.
    world.form.helpShows = false;
    form.showHelpDocument();
    ASSERT_EQ(world.window.messages.size(), 2u);
    EXPECT_EQ(world.window.messages[1].prompt, "The help file could not be shown:\n" + pathText(form.helpFilePath()));
}

TEST(FormControllerHelp, InstalledDocumentIsFoundBesideTheSharedFolder) {
    fragtide::testing::TempDir folder;
    fs::create_directories(folder.path() / "bin");
    fs::create_directories(folder.path() / "share" / "fragtide");
    folder.write("share/fragtide/Fragtide.html", "x");
    const fs::path found = findHelpFile(folder.path() / "bin");
    EXPECT_TRUE(fs::equivalent(found, folder.path() / "share" / "fragtide" / "Fragtide.html"));
    EXPECT_EQ(found.filename(), "Fragtide.html");
    folder.write("bin/Fragtide.html", "x");
    EXPECT_EQ(findHelpFile(folder.path() / "bin"), folder.path() / "bin" / "Fragtide.html");
    EXPECT_EQ(helpCommandLine("C:\\Program Files\\Fragtide.html"),
              "c:\\windows\\winhelp.exe C:\\Program Files\\Fragtide.html");
}

// A Half-Life server's own log: kills no Quake game credits.
std::vector<std::string> serverLog() {
    return {"L 01/02/2024 - 10:00:00: Log file started",
            "L 01/02/2024 - 10:00:01: \"Bob<2><STEAM_0:1:1><CT>\" killed \"Ann<3><BOT><TERRORIST>\" with \"ak47\"",
            "L 01/02/2024 - 10:00:02: \"Ann<3><BOT><TERRORIST>\" killed \"Bob<2><STEAM_0:1:1><CT>\" with \"awp\"",
            "L 01/02/2024 - 10:00:03: \"Bob<2><STEAM_0:1:1><CT>\" killed \"Ann<3><BOT><TERRORIST>\" with \"ak47\""};
}

TEST(FormControllerHint, NoKillWhileAnotherGameWouldNamesThatGame) {
    World world;
    auto form = world.controller(world.log("server.log", serverLog()).string());
    form.Form_Load();
    ASSERT_TRUE(world.form.hint);
    EXPECT_EQ(world.form.hint->text, "No kill of Quake I : Standard found in 4 lines. This looks like a "
                                     "Half-Life : Server Log (3 kills).");
    EXPECT_EQ(world.form.hint->button, "Analyze as Half-Life : Server Log");
    EXPECT_EQ(world.form.hint->game, "Half-Life : Server Log");
    // The report list keeps exactly the report's lines.
    EXPECT_EQ(world.firstLine(), kGeneralHeading);
    for (const std::string& line : world.window.lst)
        EXPECT_EQ(line.find("looks like"), std::string::npos) << line;
    EXPECT_TRUE(world.window.players.empty());

    // The button switches the game as Game Select's OK does, and analyses again.
    form.cmdDetectedGame_Click();
    EXPECT_EQ(world.store.CurrentGame, "Half-Life : Server Log");
    EXPECT_EQ(settings::loadSelectedGame(world.backend), "Half-Life : Server Log");
    EXPECT_EQ(world.window.caption, "Fragtide (analyzing Half-Life : Server Log log files)");
    EXPECT_EQ(world.window.players, (std::vector<std::string>{"Bob", "Ann"}));
    EXPECT_EQ(world.window.playerCount, "Total players : 2");
    EXPECT_FALSE(world.form.hint);
    EXPECT_FALSE(form.detectionHint());
    EXPECT_EQ(world.form.runsStarted, 2);

    // Without a hint the button does nothing.
    form.cmdDetectedGame_Click();
    EXPECT_EQ(world.form.runsStarted, 2);
}

TEST(FormControllerHint, OnlyWhenAnotherGameFindsKills) {
    World world;
    auto form = world.controller(world.log("a.log", threeKillLog()).string());
    form.Form_Load();
    EXPECT_FALSE(world.form.hint);  // kills found: nothing to say
    // No game finds a kill: nothing to suggest either.
    world.form.fileToChoose = world.log("chat.log", {"Bob: hello", "Ann: hi"});
    form.cmdBrowse_Click();
    form.cmdAnalyze_Click();
    EXPECT_FALSE(world.form.hint);

    // A new log, or another game chosen, takes a shown hint away.
    world.form.fileToChoose = world.log("server.log", serverLog());
    form.cmdBrowse_Click();
    form.cmdAnalyze_Click();
    ASSERT_TRUE(world.form.hint);
    world.form.fileToChoose = world.log("b.log", threeKillLog());
    form.cmdBrowse_Click();
    EXPECT_FALSE(world.form.hint);
    world.form.fileToChoose = world.log("server2.log", serverLog());
    form.cmdBrowse_Click();
    form.cmdAnalyze_Click();
    ASSERT_TRUE(world.form.hint);
    world.form.gameToChoose = 1;
    form.mnuGameSel_Click();
    EXPECT_FALSE(world.form.hint);
}

TEST(FormControllerHint, NumbersAreGroupedByThousands) {
    EXPECT_EQ(detectionHintText("Quake I : Standard", 4213, "Half-Life : Server Log", 606),
              "No kill of Quake I : Standard found in 4,213 lines. This looks like a Half-Life : Server Log "
              "(606 kills).");
    EXPECT_EQ(detectionHintText("g", 1234567, "o", 1000), "No kill of g found in 1,234,567 lines. "
                                                          "This looks like a o (1,000 kills).");
    EXPECT_EQ(detectionHintText("g", 1, "o", 1), "No kill of g found in 1 line. This looks like a o (1 kill).");
}

TEST(FormControllerNames, MenuShowsNamesAgainAndIsKept) {
    World world;
    EXPECT_EQ(FormController::nameDisplayEntries(),
              (std::vector<std::string>{"&Automatic", "&UTF-8", "&Windows-1252", "&Quake"}));
    // "Bob" in the Quake consoles' coloured letters (top bit set).
    const fs::path log = world.folder.write("q.log", "Carol was ax-murdered by \xC2\xEF\xE2\r\n");
    {
        auto form = world.controller(log.string());
        form.Form_Load();
        EXPECT_EQ(world.form.namesChecked, 0);
        EXPECT_EQ(world.window.players, std::vector<std::string>{"\xC3\x82\xC3\xAF\xC3\xA2"});
        form.cmdOptions_Click(ReportButton::PlayerInfo, -1);

        form.mnuNames_Click(3);
        EXPECT_EQ(world.form.namesChecked, 3);
        EXPECT_EQ(form.nameDisplayChecked(), 3);
        EXPECT_EQ(world.window.players, std::vector<std::string>{"Bob"});
        EXPECT_EQ(world.firstLine(), kPlayersHeading);  // the same report, shown again
        EXPECT_EQ(world.window.lst.at(2), "Bob has 1 frags");
        EXPECT_EQ(world.boldButton(), 1);

        form.lstPlayers_Click(0);
        form.mnuNames_Click(2);
        EXPECT_EQ(world.firstLine(), "INDIVIDUAL PLAYER SCORES FOR \xC3\x82\xC3\x8F\xC3\x82:");
        EXPECT_EQ(form.individualShown(), 0);
        form.mnuNames_Click(4);  // no such entry
        EXPECT_EQ(form.nameDisplayChecked(), 2);
        form.mnuNames_Click(3);
    }
    // Kept as a value of its own beside the game, for the next start.
    EXPECT_EQ(settings::loadNameDisplay(world.backend), "quake");
    EXPECT_EQ(settings::loadSelectedGame(world.backend), "Quake I : Standard");
    world.form.namesChecked = -1;
    auto next = world.controller(log.string());
    next.Form_Load();
    EXPECT_EQ(world.form.namesChecked, 3);
    EXPECT_EQ(world.window.players, std::vector<std::string>{"Bob"});

    // A word this program does not know keeps the default.
    settings::saveNameDisplay(world.backend, "klingon");
    auto third = world.controller();
    third.Form_Load();
    EXPECT_EQ(world.form.namesChecked, 0);
}

TEST(FormControllerRivals, FourthButtonFollowsTheBoldRule) {
    World world;
    auto form = world.controller();
    form.Form_Load();
    EXPECT_FALSE(world.window.enabled[3]);  // nothing analysed yet
    world.form.fileToChoose = world.log("a.log", threeKillLog());
    form.cmdBrowse_Click();
    form.cmdAnalyze_Click();
    EXPECT_TRUE(world.window.enabled[3]);
    EXPECT_FALSE(world.window.bold[3]);
    EXPECT_EQ(world.form.matrixUpdates, 1);

    form.cmdOptions_Click(ReportButton::RivalsInfo, -1);  // no player needed: everybody
    EXPECT_EQ(world.firstLine(), "FRAGS, DEATHS AND RIVALS PER PLAYER:");
    EXPECT_TRUE(world.window.bold[3]);
    EXPECT_EQ(world.boldButton(), 3);
    EXPECT_TRUE(world.window.messages.empty());

    form.lstPlayers_Click(0);
    EXPECT_FALSE(world.window.bold[3]);
    EXPECT_EQ(world.boldButton(), 2);
    form.cmdOptions_Click(ReportButton::RivalsInfo, 0);
    form.cmdOptions_Click(ReportButton::PlayerInfo, 0);
    EXPECT_FALSE(world.window.bold[3]);
    EXPECT_TRUE(world.window.enabled[3]);
}

TEST(FormControllerRivals, WhoKilledWhomShowsTheMatrixOfTheLastAnalysis) {
    World world;
    auto form = world.controller(world.log("a.log", threeKillLog()).string());
    form.Form_Load();
    form.mnuWhoKilledWhom_Click();
    ASSERT_EQ(world.form.matrices.size(), 1u);
    const reports::RivalsMatrix& matrix = world.form.matrices[0];
    ASSERT_EQ(matrix.rowCount(), 2);  // Bob and Alice scored
    EXPECT_EQ(matrix.rowName(0), "Bob");
    EXPECT_EQ(matrix.total(), 3);
    EXPECT_EQ(matrix.rowTotal(0), 2);
}

TEST(FormControllerRivals, WhoKilledWhomHeadingsSortAndCarryTheArrow) {
    World world;
    auto form = world.controller(world.log("a.log", threeKillLog()).string());
    form.Form_Load();
    WhoKilledWhomView view;
    view.setMatrix(form.rivalsMatrix());
    EXPECT_FALSE(view.sortIndicator());  // the order of first appearance has no arrow
    const int total = view.matrix().columnCount();

    using Indicator = WhoKilledWhomView::SortIndicator;
    struct Click {
        int column;
        std::optional<Indicator> arrow;  // nothing: the arrow stays where it was
        std::string firstRow;
    };
    const std::vector<Click> clicks = {
        {total, Indicator{total, true}, "Bob"},    // most frags first
        {total, Indicator{total, false}, "Alice"}, // the same heading reverses
        {WhoKilledWhomView::kNamesColumn, Indicator{WhoKilledWhomView::kNamesColumn, true}, "Bob"},
        {total + 1, std::nullopt, "Bob"},          // no such column
        {-2, std::nullopt, "Bob"},
    };
    std::optional<Indicator> expected;
    for (const Click& click : clicks) {
        SCOPED_TRACE(click.column);
        view.headingClicked(click.column);
        if (click.arrow)
            expected = click.arrow;
        ASSERT_TRUE(view.sortIndicator());
        EXPECT_EQ(view.sortIndicator()->column, expected->column);
        EXPECT_EQ(view.sortIndicator()->descending, expected->descending);
        EXPECT_EQ(view.matrix().rowName(0), click.firstRow);
    }
    view.setMatrix(form.rivalsMatrix());  // a new analysis starts unsorted
    EXPECT_FALSE(view.sortIndicator());
    EXPECT_EQ(view.matrix().rowName(0), "Bob");
}

TEST(FormControllerTexts, MessagesBeginWithACapitalLetter) {
    EXPECT_EQ(withCapitalStart("cannot read 'a.log': no such file"), "Cannot read 'a.log': no such file");
    EXPECT_EQ(withCapitalStart("\xC3\xA9" "chec"), "\xC3\x89" "chec");
    EXPECT_EQ(withCapitalStart("'a.log' is gone"), "'a.log' is gone");
    EXPECT_EQ(withCapitalStart(""), "");
    EXPECT_EQ(startupErrorText("bad file", 2), "Bad file (error number 2)!");
    EXPECT_EQ(helpCommandLine(" x.hlp"), "c:\\windows\\winhelp.exe  x.hlp");
    EXPECT_EQ(helpCommandLine(""), "c:\\windows\\winhelp.exe ");
}

// ---------------------------------------------------------------------------------------------
// Several logs as one

TEST(FormControllerLogs, SeveralChosenAreReadAsOneInNameOrder) {
    World world;
    auto form = world.controller();
    form.Form_Load();
    fs::create_directories(world.folder.path() / "season");
    const fs::path second = world.log("season/b.log", {"Dan was ax-murdered by Eve"});
    const fs::path first = world.log("season/a.log", threeKillLog());
    world.form.filesToChoose = {second, first};
    form.cmdBrowse_Click();
    EXPECT_TRUE(world.form.fileRequests.at(0).allowMultiple);
    EXPECT_EQ(world.window.txtFile, "2 files");
    EXPECT_EQ(world.window.fileNames, (std::vector<fs::path>{first, second}));
    EXPECT_TRUE(fs::equivalent(textPath(settings::loadLogFolder(world.backend)), world.folder.path() / "season"));

    form.cmdAnalyze_Click();
    EXPECT_TRUE(world.window.messages.empty());
    EXPECT_EQ(world.firstLine(), kGeneralHeading);
    EXPECT_EQ(world.window.players, (std::vector<std::string>{"Bob", "Alice", "Eve"}));
    EXPECT_EQ(world.window.playerCount, "Total players : 3");
    // The bar ran over both logs' bytes and was put back afterwards.
    EXPECT_EQ(world.window.progressPeak, static_cast<double>(fs::file_size(first) + fs::file_size(second)));
    EXPECT_EQ(world.window.progressMax, 100);
    EXPECT_EQ(chosenFilesText({first}), "a.log");
}

TEST(FormControllerLogs, SizeQuestionIsAskedOnceForTheSum) {
    World world;
    auto form = world.controller(world.log("a.log", threeKillLog()).string());
    form.Form_Load();
    // Each half is under the limit; together they are over it.
    std::vector<std::string> half(7000, std::string(100, 'x'));
    half.push_back("Carol was ax-murdered by Zed");
    world.form.filesToChoose = {world.log("h1.log", half), world.log("h2.log", half)};
    form.cmdBrowse_Click();
    form.cmdOptions_Click(ReportButton::PlayerInfo, -1);
    const auto report = world.window.lst;

    world.window.answers = {MessageAnswer::No};
    form.cmdAnalyze_Click();
    ASSERT_EQ(world.window.messages.size(), 1u);
    EXPECT_EQ(world.window.messages[0].title, "Large File Size.");
    EXPECT_EQ(world.window.messages[0].prompt.substr(0, 34), "This file is larger than 1 Megabyt");
    EXPECT_EQ(world.window.lst, report);  // declined: the store and the window as they were
    EXPECT_EQ(world.window.players, (std::vector<std::string>{"Bob", "Alice"}));
    EXPECT_EQ(world.store.PlayerNames()[1], "Bob");

    form.cmdAnalyze_Click();  // Yes
    EXPECT_EQ(world.window.messages.size(), 2u);
    EXPECT_EQ(world.window.players, std::vector<std::string>{"Zed"});
}

TEST(FormControllerLogs, UnreadableLogsAreNamedAfterTheOthersResults) {
    World world;
    auto form = world.controller();
    form.Form_Load();
    const fs::path good = world.log("a.log", threeKillLog());
    const fs::path gone = world.log("b.log", {"Dan was ax-murdered by Eve"});
    world.form.filesToChoose = {good, gone};
    form.cmdBrowse_Click();
    fs::remove(gone);  // between choosing and analysing
    std::size_t reportLines = 0;
    world.window.answers.clear();
    form.cmdAnalyze_Click();
    reportLines = world.window.lst.size();
    EXPECT_GT(reportLines, 3u);
    EXPECT_EQ(world.window.players, (std::vector<std::string>{"Bob", "Alice"}));
    ASSERT_EQ(world.window.messages.size(), 1u);
    const auto& message = world.window.messages[0];
    EXPECT_EQ(message.title, "Error.");
    EXPECT_EQ(message.style, MessageStyle::OkInformation);
    EXPECT_EQ(message.prompt.find("These logs could not be read"), 0u) << message.prompt;
    EXPECT_NE(message.prompt.find("b.log"), std::string::npos) << message.prompt;
    EXPECT_EQ(message.prompt.find("a.log"), std::string::npos) << message.prompt;
    EXPECT_TRUE(form.exportEnabled());

    // None readable: a failure, and the previous results stay.
    fs::remove(good);
    form.cmdAnalyze_Click();
    ASSERT_EQ(world.window.messages.size(), 2u);
    EXPECT_NE(world.window.messages[1].prompt.find("a.log"), std::string::npos);
    EXPECT_NE(world.window.messages[1].prompt.find("Choose another file with Browse."), std::string::npos);
    EXPECT_EQ(world.window.players, (std::vector<std::string>{"Bob", "Alice"}));
    EXPECT_EQ(world.window.lst.size(), reportLines);
    EXPECT_EQ(world.form.runsStarted, world.form.runsFinished);
}

// ---------------------------------------------------------------------------------------------
// Export

namespace {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// What `fragtide-report ARGS... --export TARGET` writes.
std::string commandLineExport(std::vector<std::string> args, const fs::path& target) {
    args.push_back("--export");
    args.push_back(target.string());
    const std::vector<std::string_view> views(args.begin(), args.end());
    std::ostringstream out, err;
    EXPECT_EQ(cli::runFragtideReport(views, out, err), 0) << err.str();
    return readFile(target);
}

}  // namespace

TEST(FormControllerExport, DisabledUntilAnAnalysisSucceeds) {
    World world;
    auto form = world.controller("C:\\nowhere\\a.log");
    form.Form_Load();  // a command-line log that cannot be read
    EXPECT_FALSE(form.exportEnabled());
    EXPECT_FALSE(world.form.exportEnabled.value_or(false));
    world.form.exportToChoose = ChosenExportFile{world.folder.path() / "x.html", 0};
    form.mnuExport_Click();
    EXPECT_TRUE(world.form.exportRequests.empty());
    EXPECT_FALSE(fs::exists(world.folder.path() / "x.html"));

    world.form.fileToChoose = world.log("a.log", threeKillLog());
    form.cmdBrowse_Click();
    form.cmdAnalyze_Click();
    EXPECT_EQ(world.form.exportEnabled, true);
    form.mnuExport_Click();
    EXPECT_TRUE(fs::is_regular_file(world.folder.path() / "x.html"));
}

TEST(FormControllerExport, WritesTheCommandLinesBytesForTheSameLogs) {
    World world;
    fs::create_directories(world.folder.path() / "season");
    const fs::path day1 = world.log("season/2024-05-01.log", threeKillLog());
    const fs::path day2 = world.folder.write("season/2024-05-02.log", "Dan was ax-murdered by \xC2\xEF\xE2");
    auto form = world.controller();
    form.Form_Load();
    world.form.filesToChoose = {day2, day1};
    form.cmdBrowse_Click();
    form.cmdAnalyze_Click();

    const fs::path out = world.folder.path() / "out";
    fs::create_directories(out);
    for (const std::string format : {"html", "csv"}) {
        SCOPED_TRACE(format);
        world.form.exportToChoose = ChosenExportFile{out / ("window." + format), 0};
        form.mnuExport_Click();
        const std::string window = readFile(out / ("window." + format));
        EXPECT_FALSE(window.empty());
        EXPECT_EQ(window, commandLineExport({(world.folder.path() / "season").string()}, out / ("cli." + format)));
        // The user is told where the file went.
        ASSERT_FALSE(world.window.messages.empty());
        const auto& told = world.window.messages.back();
        EXPECT_EQ(told.title, "Export Report");
        EXPECT_EQ(told.style, MessageStyle::OkInformation);
        EXPECT_EQ(told.prompt, "The report was exported to " + pathText(out / ("window." + format)) + ".");
    }
    EXPECT_EQ(world.window.messages.size(), 2u);
    EXPECT_EQ(readFile(out / "window.csv").substr(0, 24), "player,slot,weapon,frags");

    // One log, from the command line of the window.
    auto one = world.controller(day1.string());
    one.Form_Load();
    world.form.exportToChoose = ChosenExportFile{out / "one.html", 0};
    one.mnuExport_Click();
    EXPECT_EQ(readFile(out / "one.html"), commandLineExport({day1.string()}, out / "one-cli.html"));
}

TEST(FormControllerExport, ReflectsTheLastAnalysisNotALaterGame) {
    World world;
    auto form = world.controller(world.log("Match1.log", threeKillLog()).string());
    form.Form_Load();
    world.form.exportToChoose = ChosenExportFile{world.folder.path() / "before.html", 0};
    form.mnuExport_Click();
    world.form.gameToChoose = 1;
    form.mnuGameSel_Click();
    ASSERT_NE(world.store.CurrentGame, "Quake I : Standard");
    world.form.exportToChoose = ChosenExportFile{world.folder.path() / "after.html", 0};
    form.mnuExport_Click();
    EXPECT_EQ(readFile(world.folder.path() / "after.html"), readFile(world.folder.path() / "before.html"));

    // The request: the log's name, the last export's folder remembered.
    ASSERT_EQ(world.form.exportRequests.size(), 2u);
    const ExportFileRequest& request = world.form.exportRequests[0];
    EXPECT_EQ(request.title, "Export Report");
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0].description, "HTML page (*.html)");
    EXPECT_EQ(request.filters[1].description, "CSV for spreadsheets (*.csv)");
    EXPECT_EQ(request.defaultName, fs::path("Match1.html"));
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_TRUE(fs::equivalent(world.form.exportRequests[1].initialFolder, world.folder.path()));
    EXPECT_TRUE(fs::equivalent(textPath(settings::loadExportFolder(world.backend)), world.folder.path()));
}

TEST(FormControllerExport, FailedWriteIsToldAndTheOldFileStays) {
    World world;
    auto form = world.controller(world.log("a.log", threeKillLog()).string());
    form.Form_Load();
    fs::create_directories(world.folder.path() / "taken.html");
    world.folder.write("taken.html/inside", "kept");
    world.form.exportToChoose = ChosenExportFile{world.folder.path() / "taken.html", 0};
    form.mnuExport_Click();
    ASSERT_EQ(world.window.messages.size(), 1u);
    EXPECT_EQ(world.window.messages[0].title, "Export Error.");
    EXPECT_EQ(world.window.messages[0].style, MessageStyle::OkCritical);
    EXPECT_NE(world.window.messages[0].prompt.find("taken.html': it is a folder, not a file.\n\nAny earlier file"),
              std::string::npos)
        << world.window.messages[0].prompt;
    EXPECT_EQ(readFile(world.folder.path() / "taken.html" / "inside"), "kept");

#ifndef _WIN32
    // A write that fails halfway (the file-size limit stands in for a full disk, even for root).
    const fs::path page = world.folder.write("season.html", "the old page");
    world.form.exportToChoose = ChosenExportFile{page, 0};
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 256;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    form.mnuExport_Click();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
    ASSERT_EQ(world.window.messages.size(), 2u);  // a failure is told once, never as a success
    EXPECT_EQ(world.window.messages[1].title, "Export Error.");
    EXPECT_EQ(readFile(page), "the old page");
#endif
}

TEST(FormControllerExport, FormatFollowsTheExtensionThenTheFilter) {
    const std::vector<std::tuple<std::string, int, ExportFormat>> cases = {
        {"s.html", 1, ExportFormat::Html},  {"s.HTM", 1, ExportFormat::Html}, {"s.csv", 0, ExportFormat::Csv},
        {"s.Csv", 0, ExportFormat::Csv},    {"season", 0, ExportFormat::Html}, {"season", 1, ExportFormat::Csv},
        {"s.txt", 1, ExportFormat::Csv},    {"s.csv.bak", 0, ExportFormat::Html},
    };
    for (const auto& [name, filter, format] : cases)
        EXPECT_EQ(exportFormatFor(name, filter), format) << name << " " << filter;
}

TEST(FormControllerExport, DefaultNameAndFolderComeFromTheLogs) {
    fragtide::testing::TempDir dir;
    fs::create_directories(dir.path() / "season");
    fs::create_directories(dir.path() / "other");
    const fs::path program = dir.path() / "program";
    const std::vector<engine::LogSetFile> one = {{dir.path() / "season" / "Duel.LOG", 1, 1}};
    const std::vector<engine::LogSetFile> season = {{dir.path() / "season" / "a.log", 1, 1},
                                                    {dir.path() / "season" / "b.log", 1, 1}};
    const std::vector<engine::LogSetFile> mixed = {{dir.path() / "season" / "a.log", 1, 1},
                                                   {dir.path() / "other" / "b.log", 1, 1}};
    EXPECT_EQ(exportRequest(one, "", program).defaultName, fs::path("Duel.html"));
    EXPECT_EQ(exportRequest(season, "", program).defaultName, fs::path("season.html"));
    EXPECT_EQ(exportRequest(mixed, "", program).defaultName, fs::path("fragtide.html"));
    EXPECT_TRUE(fs::equivalent(exportRequest(one, "", program).initialFolder, dir.path() / "season"));
    EXPECT_TRUE(fs::equivalent(exportRequest(one, dir.path() / "other", program).initialFolder, dir.path() / "other"));
    EXPECT_TRUE(fs::equivalent(exportRequest(one, dir.path() / "gone", program).initialFolder, dir.path() / "season"));
    const std::vector<engine::LogSetFile> goneLog = {{dir.path() / "gone" / "a.log", 1, 1}};
    EXPECT_EQ(exportRequest(goneLog, "", program).initialFolder, program);
}

TEST(FormControllerAbout, TextsAndExit) {
    World world;
    auto form = world.controller();
    form.mnuAbout_Click();
    ASSERT_EQ(world.form.abouts.size(), 1u);
    EXPECT_EQ(world.form.abouts[0].title, "About Fragtide...");
    EXPECT_EQ(world.form.abouts[0].ok, "OK");
    EXPECT_NE(world.form.abouts[0].description.find("Half-Life"), std::string::npos);
    form.mnuExit_Click();
    EXPECT_EQ(world.form.quits, 1);
}

namespace {

// The user's settings folder moved into a test's own folder for as long as this lives, so the
// games folder is the test's.
class ConfigHomeIn {
public:
    explicit ConfigHomeIn(const fs::path& folder) {
#ifdef _WIN32
        const char* old = std::getenv("APPDATA");
        m_old = old ? std::optional<std::string>(old) : std::nullopt;
        _putenv_s("APPDATA", folder.string().c_str());
#else
        const char* old = std::getenv("XDG_CONFIG_HOME");
        m_old = old ? std::optional<std::string>(old) : std::nullopt;
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
#endif
    }
    ~ConfigHomeIn() {
#ifdef _WIN32
        _putenv_s("APPDATA", m_old ? m_old->c_str() : "");
#else
        if (m_old)
            setenv("XDG_CONFIG_HOME", m_old->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
#endif
        (void)engine::installFileGames({});
    }

private:
    std::optional<std::string> m_old;
};

}  // namespace

TEST(FormControllerStartUp, GameFilesJoinGameSelectAndRefusedOnesAreToldOnceTogether) {
    World world;
    ConfigHomeIn home(world.folder.path() / "config");
    const fs::path games = engine::userGamesFolder();
    fs::create_directories(games);
    fragtide::testing::writeBytes(games / "ra2.toml",
                                  "fragtide_game = 1\nname = \"Quake II : Rocket Arena 2\"\nalias = \"q2-ra2\"\n"
                                  "kind = \"obituaries\"\nkiller_first = false\n"
                                  "[[weapon]]\nname = \"Blaster\"\nrules = [[\" was blasted by \", \"\"]]\n");
    fragtide::testing::writeBytes(games / "bad1.toml", "fragtide_game = 2\n");
    fragtide::testing::writeBytes(games / "bad2.toml", "name = \n");
    settings::saveSelectedGame(world.backend, "Quake II : Rocket Arena 2");
    auto form = world.controller();
    form.Form_Load();
    form.windowShown();  // start-up messages wait for the window
    ASSERT_EQ(world.window.messages.size(), 1u);
    const std::string& told = world.window.messages[0].prompt;
    EXPECT_NE(told.find("bad1.toml:1:17: fragtide_game must be 1"), std::string::npos) << told;
    EXPECT_NE(told.find("bad2.toml:1:"), std::string::npos) << told;
    EXPECT_EQ(told.find("ra2.toml"), std::string::npos) << told;
    // The stored game was a file's, found because the files were read first.
    EXPECT_EQ(world.window.caption, "Fragtide (analyzing Quake II : Rocket Arena 2 log files)");
    const GameSelectChoice choice = form.gameSelectChoice();
    ASSERT_FALSE(choice.games.empty());
    EXPECT_EQ(choice.games.back(), "Quake II : Rocket Arena 2");
    EXPECT_EQ(choice.preselected, static_cast<int>(choice.games.size()) - 1);
}

TEST(FormController, GamesFolderIsCreatedThenOpenedOrItsFailureTold) {
    World world;
    ConfigHomeIn home(world.folder.path() / "config");
    auto form = world.controller();
    form.mnuGamesFolder_Click();
    EXPECT_TRUE(fs::is_directory(engine::userGamesFolder()));
    EXPECT_EQ(world.form.foldersOpened, std::vector<fs::path>{engine::userGamesFolder()});
    EXPECT_TRUE(world.window.messages.empty());

    world.form.folderOpens = false;
    form.mnuGamesFolder_Click();
    ASSERT_EQ(world.window.messages.size(), 1u);
    EXPECT_EQ(world.window.messages[0].title, "Games Folder.");
}
