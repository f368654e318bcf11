#pragma once

#include <cstdint>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/log_set.hpp"
#include "reports/reports.hpp"
#include "reports/rivals_matrix.hpp"
#include "ui/command_line_log.hpp"
#include "ui/detection_hint.hpp"
#include "ui/form_ops.hpp"
#include "ui/help_file.hpp"
#include "ui/season_access.hpp"
#include "ui/window_ops.hpp"

// What the main window and its dialogs do, without any toolkit: every front end (the Qt window,
// the Win32 window) is widgets and wiring over one FormController.
//
// The controller reaches the screen through two interfaces the front end implements: WindowOps
// (window_ops.hpp: the window's controls) and FormOps (form_ops.hpp: the few things only a front
// end can do: run a dialog, start a program, keep input out during a run). A front end calls the
// controller's handlers from its events and shows what it is told; it decides nothing itself.
//
// Texts crossing both interfaces are UTF-8 display text; paths are std::filesystem::path in the
// file system's own encoding. Single-threaded: everything runs on the thread that owns the window.
// The store, the settings backend and both interfaces must outlive the controller.
namespace fragtide::engine {
class StatsStore;
}
namespace fragtide::settings {
class SettingsBackend;
}
namespace fragtide::season {
struct SeasonView;
}

namespace fragtide::ui {

class FormController {
public:
    // `commandLine` is the program's command line after its own name ("" when none), UTF-8;
    // `programFolder` is the folder of the running program (help file, Browse's first folder).
    FormController(engine::StatsStore& store, settings::SettingsBackend& backend,
                   WindowOps& window, FormOps& ops, std::string commandLine,
                   std::filesystem::path programFolder);
    ~FormController();
    FormController(const FormController&) = delete;
    FormController& operator=(const FormController&) = delete;

    // Start-up: the help file's path, the stored game, its weapon names, the stored name display
    // (menu checked), the command-line log chosen and analysed, then the caption. Call once,
    // after the front end's controls exist and before the window is shown. A failure is reported
    // in a message box titled "Error!" ending "(error number N)!".
    //
    // Before the window is on screen a box would open alone in the screen's corner: notices
    // raised meanwhile wait for windowShown, and a question puts the window on screen first
    // (FormOps::showWindowNow).
    void Form_Load();
    // The front end's window is on screen for the first time: the notices held back are shown.
    void windowShown();

    // Browse: the open-file dialog for the current game; the chosen file becomes the file to
    // analyse, its folder is remembered for the next Browse, the report list is cleared. Several
    // files chosen together are read as one log, in byte order of their names (as a folder's
    // files are on the command line), and txtFile shows "N files".
    void cmdBrowse_Click();

    // Analyze Log: the analysis of the chosen file with input kept out, then General Info shown
    // in bold. After an analysis that credited no kill, the other games are asked (detectGame)
    // and the detection hint shows the one that would credit some; any other finished analysis
    // hides it. A refused or failed run leaves the hint as it was; choosing another log, or
    // another game, hides it.
    void cmdAnalyze_Click();

    // A report button: its report shown, Individual Info of `selectedPlayer` (a position in
    // lstPlayers from 0; -1 when none is selected: then only the message "Select a player first,
    // ..." shows). The pressed button becomes the bold one.
    void cmdOptions_Click(ReportButton button, int selectedPlayer);

    // A player chosen in lstPlayers, by position from 0: Individual Info, its button bold.
    void lstPlayers_Click(int position);

    // The player whose Individual Info the report list shows, -1 for any other content. A front end ignores a click on that same player again, as
    // there is nothing new to show.
    int individualShown() const { return m_individualShown; }

    // File, Game Select: runs the dialog and applies OK's choice (gameSelectOk).
    void mnuGameSel_Click();
    // The Game Select dialog's contents for the current game.
    GameSelectChoice gameSelectChoice() const;
    // Whether OK may close the dialog with entry `position` selected (-1: none selected).
    static bool gameSelectOkAllowed(int position);
    // OK with the game at `position`: current at once, stored, named in the caption, its weapon
    // names loaded; the last analysis's statistics stay. False (nothing changes) for a position
    // that names no game.
    bool gameSelectOk(int position);
    // Cancel or the closed frame: nothing changes.
    void gameSelectCancel() {}

    // File, Exit.
    void mnuExit_Click();

    // Help, Help Topics: the legacy viewer's command line started; when it cannot be, the help
    // document as F1 shows it.
    void mnuHelp2_Click();
    // F1 anywhere: the help document, or the "Help Error." message when it is missing or cannot
    // be shown.
    void showHelpDocument();
    // The help document's path, found at Form_Load (beside the program, else in
    // ../share/fragtide; the path beside the program when neither exists).
    const std::filesystem::path& helpFilePath() const { return m_helpFilePath; }
    void setHelpFilePath(std::filesystem::path path) { m_helpFilePath = std::move(path); }

    // Help, Games Folder: the user's games folder opened, created first when missing; a message
    // when it cannot be created or opened.
    void mnuGamesFolder_Click();

    // Help, About.
    void mnuAbout_Click();
    static AboutTexts aboutTexts();

    // A drag over the window: whether `paths` may be dropped (one or more, each an existing file
    // or folder).
    static bool acceptsDrop(const std::vector<std::filesystem::path>& paths);
    // A drop: the files become the chosen logs as from Browse, in byte order of their paths, a
    // folder standing for every regular file directly inside it (as on the command line). False
    // (nothing changes) when acceptsDrop refuses it, a folder cannot be listed or holds no file.
    bool fileDropped(const std::vector<std::filesystem::path>& paths);

    // File, Export Report...: while a season is open, its page (export/season_html.hpp) or its
    // statistics as CSV. Else the save dialog, then the last successful analysis (its logs, its
    // game and weapon names, whatever was chosen since; names shown as the names menu says now)
    // written whole with exports::writeFileAtomically, in the format exportFormatFor gives. A
    // failure is told in a message box and leaves any earlier file whole. Nothing before an
    // analysis (the menu item is disabled then).
    void mnuExport_Click();
    // Whether an analysis has results to export.
    bool exportEnabled() const { return m_lastAnalysis != nullptr; }

    // The user asked to close the window. False: close as usual. During a run the program ends at
    // once through FormOps::endProgramDuringRun (true is returned only if that returns).
    bool closeRequested();
    // Whether an analysis is running.
    bool running() const { return m_running; }

    // The detection hint's button: the hinted game applied exactly as Game Select's OK, then the
    // log analysed again.
    void cmdDetectedGame_Click();
    // The hint shown now, if any.
    const std::optional<DetectionHint>& detectionHint() const { return m_hint; }

    // The names menu: its entries in order ("Automatic", "UTF-8", "Windows-1252", "Quake"), the
    // one checked, and a choice: stored, checked, and the report list and player list shown
    // again with the names displayed that way.
    static std::vector<std::string> nameDisplayEntries();
    int nameDisplayChecked() const { return m_nameDisplay; }
    void mnuNames_Click(int index);

    // Seasons (season_access.hpp). Without setSeasonAccess, or with a front end that chooses no
    // season file, the season menu items do nothing.
    void setSeasonAccess(SeasonAccess& seasons) { m_seasons = &seasons; }
    // File, New Season... and Open Season...: the season file dialog, then the season opened (New
    // makes an empty one when the name is new). The reports then show the season's statistics,
    // Ranking first, the caption names it, Add Logs and Matches are enabled. A file that is no
    // season is told in a message box (title "Season Error.") and the window stays as it was.
    void mnuNewSeason_Click();
    void mnuOpenSeason_Click();
    // File, Add Logs to Season...: the logs chosen are added to the open season with input kept
    // out and the progress bar running over their bytes, then the season shown again. Logs that
    // could not be read are named in one message box; a failed add (a busy season) leaves what the
    // season held and says what to do.
    void mnuAddToSeason_Click();
    // View, Matches: the matches window with the open season's matches.
    void mnuMatches_Click();
    // The open season's view, or null when none is open (then the reports show the last log).
    const season::SeasonView* seasonView() const { return m_seasonView.get(); }
    MatchesTable matchesTable() const;

    // View, Who Killed Whom: the window opened with the current statistics.
    void mnuWhoKilledWhom_Click();
    reports::RivalsMatrix rivalsMatrix() const;

private:
    struct LastAnalysis;

    void chooseFiles(const std::vector<std::filesystem::path>& paths);
    void applyGame(const std::string& game);
    void showReport(ReportButton button, const reports::Lines& lines);
    void setBold(ReportButton button);
    void fillPlayerList();
    void updateDetectionHint(const engine::LogSetResult& read);
    void setHint(std::optional<DetectionHint> hint);
    void startupError(const std::exception& error);
    void openSeason(bool create);
    void showSeason(season::SeasonView view);
    void leaveSeason();
    std::string seasonName() const;
    std::string seasonExportDocument();
    // What Export writes from now on: the window's statistics as they are, read from `files`.
    void rememberForExport(std::vector<engine::LogSetFile> files);
    MessageAnswer messageBox(std::string_view prompt, MessageStyle style, std::string_view title);

    struct HeldMessage {
        std::string prompt;
        MessageStyle style;
        std::string title;
    };

    engine::StatsStore& m_store;
    settings::SettingsBackend& m_backend;
    WindowOps& m_window;
    FormOps& m_ops;
    std::string m_commandLine;
    std::filesystem::path m_programFolder;
    std::filesystem::path m_helpFilePath;
    std::optional<DetectionHint> m_hint;
    std::unique_ptr<LastAnalysis> m_lastAnalysis;  // what Export writes; null before an analysis
    int m_individualShown = -1;
    ReportButton m_shownReport = ReportButton::GeneralInfo;  // the report button last pressed (bold)
    bool m_reportShown = false;  // the report list holds a report (it is emptied for a new log)
    int m_nameDisplay = 0;
    bool m_running = false;
    bool m_loading = false;   // inside Form_Load
    bool m_onScreen = false;  // the window was shown (or a question showed it)
    std::vector<HeldMessage> m_heldMessages;  // notices from before the window was on screen
    SeasonAccess* m_seasons = nullptr;
    std::unique_ptr<OpenSeason> m_season;               // null when no season is open
    std::unique_ptr<season::SeasonView> m_seasonView;   // the open season as last read
};

// Helpers the handlers use, for front ends and tests.

// Browse's request for `game` (several files allowed), opening in `lastFolder` when that is a
// folder, else in `programFolder`.
OpenFileRequest browseRequest(std::string_view game, const std::filesystem::path& lastFolder,
                              const std::filesystem::path& programFolder);

// txtFile's text for `paths` chosen together: the one file's name as it is, or "N files".
std::string chosenFilesText(const std::vector<std::filesystem::path>& paths);

// A path's UTF-8 text, and back; every path crossing into display text goes through these.
std::string pathText(const std::filesystem::path& path);
std::filesystem::path textPath(std::string_view utf8);

}  // namespace fragtide::ui
