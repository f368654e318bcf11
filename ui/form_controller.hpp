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
#include "engine/window_ops.hpp"
#include "reports/rivals_matrix.hpp"
#include "ui/report_export.hpp"

// What the main window and its dialogs do, without any toolkit: every front end (the Qt window,
// the Win32 window) is widgets and wiring over one FormController.
//
// The controller reaches the screen through two interfaces the front end implements:
// engine::WindowOps (the controls the core fills) and FormOps below (the few things only a front
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

namespace fragtide::ui {

// The Browse dialog's request: what the open-file dialog shows and where it opens.
struct OpenFileRequest {
    std::string title;                 // "Open " + game + " LOG File..."
    // Filters in the order offered, the first one selected: the text shown and its patterns
    // ("Quake I : Standard LOG Files (*.log)" and "*.log").
    struct Filter {
        std::string description;
        std::string patterns;
    };
    std::vector<Filter> filters;
    std::filesystem::path initialFolder;  // the last log's folder, else the program's folder
    std::string defaultSuffix;            // "log", added to a typed name without one
    // The chosen file must exist, its folder must exist, and no read-only box is shown (on
    // Win32: OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY).
    bool fileMustExist = true;
    bool pathMustExist = true;
    bool hideReadOnly = true;
    // Several files may be chosen together (Browse: a season of logs in one folder).
    bool allowMultiple = false;
};

// Game Select's contents: the games in catalogue order, and the entry selected when it opens
// (the current game's position, -1 when the current game is none of them).
struct GameSelectChoice {
    std::vector<std::string> games;
    int preselected = -1;
};

// The About dialog's texts, in the order the dialog shows them.
struct AboutTexts {
    std::string title;        // "About Fragtide..."
    std::string credit;       // shown in the report font
    std::string contact;
    std::string description;  // wraps; "Half-Life" must not break at its hyphen
    std::string ok;           // the button
};

// The hint below the report list after an analysis that credited no kill while another game
// would have: the text and the button that switches to that game and analyses again.
struct DetectionHint {
    std::string text;    // "No kill of GAME found in 4,213 lines. This looks like a OTHER (606 kills)."
    std::string button;  // "Analyze as OTHER"
    std::string game;    // OTHER's display string, the game the button switches to
};

// What only a front end can do. Each call completes before it returns; the dialogs are modal.
class FormOps {
public:
    virtual ~FormOps() = default;

    // The file row: `paths` (one or more, in reading order) become CD's file names (what
    // WindowOps::cdFileNames then returns, and cdFileName the first) and `shownName` txtFile's
    // text (WindowOps::txtFileText).
    virtual void setChosenFiles(const std::vector<std::filesystem::path>& paths, std::string_view shownName) = 0;

    // Runs the open-file dialog; the chosen existing files' full paths (one unless the request
    // allows several), or none when cancelled.
    virtual std::vector<std::filesystem::path> chooseLogFiles(const OpenFileRequest& request) = 0;

    // Runs the save dialog of File, Export Report...; the file to write, or nothing when cancelled.
    virtual std::optional<ChosenExportFile> chooseExportFile(const ExportFileRequest& request) = 0;

    // File, Export Report...: enabled only once an analysis has results to export.
    virtual void setExportEnabled(bool enabled) = 0;

    // Runs Game Select (title texts::kGameSelectTitle, label texts::kGameSelectLabel, buttons
    // "OK" then "Cancel", neither answering Enter or Escape, F1 calling showHelpDocument) with
    // `choice`'s games and preselection. Returns the position selected when OK was pressed, or
    // nothing for Cancel or a closed frame. OK with no entry selected does not close the dialog:
    // ask FormController::gameSelectOkAllowed.
    virtual std::optional<int> runGameSelect(const GameSelectChoice& choice) = 0;

    // Runs the About dialog with `texts` (F1 in it calls FormController::showHelpDocument).
    virtual void runAbout(const AboutTexts& texts) = 0;

    // Starts `commandLine` (UTF-8) as it is, without waiting; false when it cannot be started
    // (the legacy help viewer exists only on old Windows).
    virtual bool startProgram(const std::string& commandLine) = 0;

    // Shows the help document at `path` (an existing file) in the front end's own way (a built-in
    // viewer, the default browser); false when that failed.
    virtual bool showHelpDocument(const std::filesystem::path& path) = 0;

    // Opens the existing folder `folder` in the system's file manager; false when that failed
    // (and in a front end that cannot).
    virtual bool openFolder(const std::filesystem::path& folder) {
        (void)folder;
        return false;
    }

    // Input blocking during an analysis: from runStarting to runFinished the window keeps
    // repainting while clicks, keys, drops and shortcuts are dropped; runFinished also discards
    // input that queued up meanwhile and shows the progress bar's final value at once. A close
    // request meanwhile goes to FormController::closeRequested.
    virtual void runStarting() = 0;
    virtual void runFinished() = 0;

    // Ends the program at once without waiting for the run (nothing is saved at exit and the log
    // is only read). Called when the user closes the window during a run.
    virtual void endProgramDuringRun() = 0;

    // Quits the program normally (File, Exit).
    virtual void quit() = 0;

    // The hint below the report list: shown with `hint`'s text and button, or hidden (nothing).
    virtual void showDetectionHint(const std::optional<DetectionHint>& hint) = 0;

    // The names menu: marks entry `index` (a position in FormController::nameDisplayEntries) as
    // the checked one.
    virtual void setNameDisplayChecked(int index) = 0;

    // The fourth report button, "Rivals Info", under "Individual Info" in the same column and
    // under the same bold rule; the core's run knows only the first three, so the form sets it.
    virtual void setRivalsButton(bool enabled, bool bold) = 0;

    // The who-killed-whom window (View menu): non-modal, rows sortable by any column
    // (RivalsMatrix::sortRows), Copy puts RivalsMatrix::copyText on the clipboard.
    // showWhoKilledWhom opens it (or raises it) with `matrix`; updateWhoKilledWhom refreshes it
    // after an analysis and does nothing when it is not open. Names (raw bytes in the matrix) are
    // shown with engine::displayText(name, display).
    virtual void showWhoKilledWhom(const reports::RivalsMatrix& matrix, engine::NameDisplay display) = 0;
    virtual void updateWhoKilledWhom(const reports::RivalsMatrix& matrix, engine::NameDisplay display) = 0;
};

class FormController {
public:
    // The report buttons of the window operations: General, Player and Individual Info.
    static constexpr int kReportButtons = 3;
    // Rivals Info, the fourth button, set through FormOps::setRivalsButton.
    static constexpr int kRivalsButton = 3;

    // `commandLine` is the program's command line after its own name ("" when none), UTF-8;
    // `programFolder` is the folder of the running program (help file, Browse's first folder).
    FormController(engine::StatsStore& store, settings::SettingsBackend& backend,
                   engine::WindowOps& window, FormOps& ops, std::string commandLine,
                   std::filesystem::path programFolder);
    ~FormController();
    FormController(const FormController&) = delete;
    FormController& operator=(const FormController&) = delete;

    // Start-up: the help file's path, the stored game, its weapon names, the stored name display
    // (menu checked), the command-line log chosen and analysed, then the caption. Call once,
    // after the front end's controls exist. A failure is reported in a message box titled
    // "Error!" ending "(error number N)!".
    void Form_Load();

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

    // A report button: 0 General Info, 1 Player Info, 2 Individual Info of `selectedPlayer` (a
    // position in lstPlayers from 0; -1 when none is selected: then only the message "Select a
    // player first, ..." shows), kRivalsButton Rivals Info of everybody. The pressed button
    // becomes the bold one.
    void cmdOptions_Click(int index, int selectedPlayer);

    // A player chosen in lstPlayers, by position from 0: Individual Info, its button bold.
    void lstPlayers_Click(int position);

    // The player whose Individual Info the report list shows, -1 for any other content (the
    // controller sees every lstClear). A front end ignores a click on that same player again, as
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

    // File, Export Report...: the save dialog, then the last successful analysis (its logs, its
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

    // View, Who Killed Whom: the window opened with the current statistics.
    void mnuWhoKilledWhom_Click();
    reports::RivalsMatrix rivalsMatrix() const;

private:
    class Screen;

    struct LastAnalysis;

    void chooseFiles(const std::vector<std::filesystem::path>& paths);
    void applyGame(const std::string& game);
    void setBold(int index);
    void updateDetectionHint(const engine::LogSetResult& read);
    void setHint(std::optional<DetectionHint> hint);
    void startupError(const std::exception& error);

    engine::StatsStore& m_store;
    settings::SettingsBackend& m_backend;
    std::unique_ptr<Screen> m_screen;  // the window operations, as the core and reports get them
    engine::WindowOps& m_window;       // m_screen
    FormOps& m_ops;
    std::string m_commandLine;
    std::filesystem::path m_programFolder;
    std::filesystem::path m_helpFilePath;
    std::optional<DetectionHint> m_hint;
    std::unique_ptr<LastAnalysis> m_lastAnalysis;  // what Export writes; null before an analysis
    int m_individualShown = -1;
    int m_shownReport = 0;  // the report button last pressed (bold)
    int m_nameDisplay = 0;
    bool m_rivalsEnabled = false;
    bool m_running = false;
};

// Helpers the handlers use, for front ends and tests.

// The log named on the command line: the text without one pair of surrounding quotes, and the
// name txtFile shows (the last part that is not empty, lower-cased, never empty). Nothing when
// the command line names no file ("" or "\"\"").
struct CommandLineLog {
    std::filesystem::path path;
    std::string shownName;
};
std::optional<CommandLineLog> parseCommandLine(std::string_view text);

// Browse's request for `game` (several files allowed), opening in `lastFolder` when that is a
// folder, else in `programFolder`.
OpenFileRequest browseRequest(std::string_view game, const std::filesystem::path& lastFolder,
                              const std::filesystem::path& programFolder);

// The hint's text: "No kill of " + game + " found in " + lines + " lines. This looks like a " +
// other + " (" + kills + " kills).", the numbers grouped by thousands with ","; "line" and "kill"
// when there is one.
std::string detectionHintText(std::string_view game, std::uint64_t lines, std::string_view other,
                              std::uint64_t kills);

// "c:\windows\winhelp.exe " followed directly by `helpFilePath` (UTF-8): no quotes.
std::string helpCommandLine(std::string_view helpFilePath);

// The help document for a program in `programFolder` (see helpFilePath).
std::filesystem::path findHelpFile(const std::filesystem::path& programFolder);

// txtFile's text for `paths` chosen together: the one file's name as it is, or "N files".
std::string chosenFilesText(const std::vector<std::filesystem::path>& paths);

// A path's UTF-8 text, and back; every path crossing into display text goes through these.
std::string pathText(const std::filesystem::path& path);
std::filesystem::path textPath(std::string_view utf8);

}  // namespace fragtide::ui
