#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/display_text.hpp"
#include "reports/rivals_matrix.hpp"
#include "ui/report_export.hpp"

// What the form controller asks of a front end beyond the window's controls (window_ops.hpp):
// running its dialogs, starting a program, keeping input out during a run. The Qt and Win32 main
// windows implement it; the controller tests fake it. Texts are UTF-8 display text; paths are in
// the file system's own encoding.
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
// (the current game's position, -1 when the current game is none of them). Under the list the
// dialog shows the selected game's line on what it reads, so that a user can tell a server log's
// entry from a client console's.
struct GameSelectChoice {
    std::vector<std::string> games;
    // One per game, in the same order: "Reads " + its description, "" for a game without one
    // (nothing is shown then). May wrap.
    std::vector<std::string> descriptions;
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

// File, New Season... (a save dialog: a new name may be typed) and Open Season... (an open dialog).
struct SeasonFileRequest {
    std::string title;                              // "New Season" or "Open Season"
    std::vector<OpenFileRequest::Filter> filters;   // seasons (*.fragtide-season) first, then all files
    std::filesystem::path initialFolder;            // the last season's folder, else the last log's
    std::string defaultSuffix;                      // "fragtide-season", added to a typed name without one
    // A save dialog that never asks about replacing: an existing season is opened, never replaced,
    // and a file that is no season is refused unwritten.
    bool create = false;
};

// View, Matches: the season's matches in season order, as rows of display text under headings.
struct MatchesTable {
    std::string title;                               // "Matches: " + the season's name
    std::vector<std::string> headings;               // Date, Map, File, Players, Kills, Top fragger
    std::vector<bool> numeric;                       // per column: right-aligned
    std::vector<std::vector<std::string>> rows;
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

    // Puts the main window on screen now if it is not yet: a question at start-up opens over it.
    virtual void showWindowNow() = 0;

    // Quits the program normally (File, Exit).
    virtual void quit() = 0;

    // The hint below the report list: shown with `hint`'s text and button, or hidden (nothing).
    virtual void showDetectionHint(const std::optional<DetectionHint>& hint) = 0;

    // The names menu: marks entry `index` (a position in FormController::nameDisplayEntries) as
    // the checked one.
    virtual void setNameDisplayChecked(int index) = 0;

    // The who-killed-whom window (View menu): non-modal, rows sortable by any column
    // (RivalsMatrix::sortRows), Copy puts RivalsMatrix::copyText on the clipboard.
    // showWhoKilledWhom opens it (or raises it) with `matrix`; updateWhoKilledWhom refreshes it
    // after an analysis and does nothing when it is not open. Names (raw bytes in the matrix) are
    // shown with engine::displayText(name, display).
    virtual void showWhoKilledWhom(const reports::RivalsMatrix& matrix, engine::NameDisplay display) = 0;
    virtual void updateWhoKilledWhom(const reports::RivalsMatrix& matrix, engine::NameDisplay display) = 0;

    // Seasons. The defaults suit a front end without them: nothing is chosen, nothing is shown.
    // The season file dialog: the chosen file's full path, or nothing when cancelled.
    virtual std::optional<std::filesystem::path> chooseSeasonFile(const SeasonFileRequest& request) {
        (void)request;
        return std::nullopt;
    }
    // A season opened or left: File, Add Logs to Season... and View, Matches enabled, and the
    // fifth report button, Ranking, shown (WindowOps then sets its bold as the others').
    virtual void setSeasonOpen(bool open) { (void)open; }
    // The matches window (View, Matches): non-modal; showMatches opens or raises it, updateMatches
    // refreshes it after an add and does nothing when it is not open.
    virtual void showMatches(const MatchesTable& table) { (void)table; }
    virtual void updateMatches(const MatchesTable& table) { (void)table; }
};

}  // namespace fragtide::ui
