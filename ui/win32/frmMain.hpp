#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/window_ops.hpp"
#include "ui/form_controller.hpp"
#include "ui/win32/twips_layout.hpp"

namespace fragtide::engine {
class StatsStore;
}
namespace fragtide::settings {
class SettingsBackend;
}

// The main window on Windows, in plain Win32: the file row, the report list, the report buttons,
// the player list and the progress bar, with the File, View and Help menus, laid out from the design's
// twips at the monitor's DPI. It is the window operations of the core, as the Qt window is on
// Linux; every text crossing them is UTF-8 and becomes UTF-16 here, once.
//
// Widgets and wiring only: every handler is the form controller's (ui/form_controller.hpp); this
// class shows what it is told and implements the operations only a front end has (FormOps).
//
// The store and the settings backend must outlive the window. Single-threaded: everything runs on
// the thread that created it, the analysis included, which pumps paint messages while it reads.
namespace fragtide::ui::win32 {

class MatchesWindow;
class WhoKilledWhom;

class frmMain : public WindowOps, public FormOps {
public:
    // `commandLine` is the raw text after the program's name (GetCommandLineW's rest).
    frmMain(HINSTANCE instance, engine::StatsStore& store, settings::SettingsBackend& backend,
            const std::wstring& commandLine);
    ~frmMain() override;
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // Creates the window, hidden, with its controls; false when Windows refuses.
    bool create();
    // Start-up, before the first show (the controller's Form_Load).
    void Form_Load();
    // Shows the window centred on its monitor, then the notices start-up kept back.
    void showFirstTime(int showCommand);
    // The message loop, with Tab moving through the controls and F1 opening the help.
    int run();

    HWND handle() const { return m_window; }

    // WindowOps
    void lstClear() override;
    void lstAddItem(std::string_view text) override;
    void lstPlayersClear() override;
    void lstPlayersAddItem(std::string_view text) override;
    int lstPlayersListCount() const override;
    std::string lstPlayersList(int position) const override;
    void setPlayerCountCaption(std::string_view text) override;
    void setProgressMin(double value) override;
    void setProgressMax(double value) override;
    void setProgressValue(double value) override;
    void setReportButtonEnabled(ReportButton button, bool enabled) override;
    void setReportButtonBold(ReportButton button, bool bold) override;
    std::filesystem::path cdFileName() const override;
    std::vector<std::filesystem::path> cdFileNames() const override;
    std::string txtFileText() const override;
    void setCaption(std::string_view text) override;
    MessageAnswer messageBox(std::string_view prompt, MessageStyle style,
                                     std::string_view title) override;

    // FormOps
    void setChosenFiles(const std::vector<std::filesystem::path>& paths, std::string_view shownName) override;
    std::vector<std::filesystem::path> chooseLogFiles(const OpenFileRequest& request) override;
    std::optional<ChosenExportFile> chooseExportFile(const ExportFileRequest& request) override;
    void setExportEnabled(bool enabled) override;
    std::optional<int> runGameSelect(const GameSelectChoice& choice) override;
    void runAbout(const AboutTexts& texts) override;
    bool startProgram(const std::string& commandLine) override;
    bool showHelpDocument(const std::filesystem::path& path) override;
    bool openFolder(const std::filesystem::path& folder) override;
    void runStarting() override;
    void runFinished() override;
    void endProgramDuringRun() override;
    void quit() override;
    void showWindowNow() override;
    void showDetectionHint(const std::optional<DetectionHint>& hint) override;
    void setNameDisplayChecked(int index) override;
    void showWhoKilledWhom(const reports::RivalsMatrix& matrix, engine::NameDisplay display) override;
    void updateWhoKilledWhom(const reports::RivalsMatrix& matrix, engine::NameDisplay display) override;
    std::optional<std::filesystem::path> chooseSeasonFile(const SeasonFileRequest& request) override;
    void setSeasonOpen(bool open) override;
    void showMatches(const MatchesTable& table) override;
    void updateMatches(const MatchesTable& table) override;

private:

    // Posted once the window is first on screen; the controller then shows what it held back.
    static constexpr UINT kWindowShown = WM_APP + 1;
    static int controlId(MainControl control);
    static int reportButtonId(ReportButton button);
    static std::optional<ReportButton> reportButtonOf(int id);
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    void createFonts();
    void deleteFonts();
    void applyFonts();
    void layOut();
    // The report list's horizontal scroll range widened, if need be, to hold `line`.
    void widenReportScroll(const std::wstring& line);
    HWND control(int id) const { return GetDlgItem(m_window, id); }
    int lstPlayersListIndex() const;
    int dpi() const;

    MessageAnswer showMessage(const std::wstring& prompt, MessageStyle style,
                                      const std::wstring& title);
    // During a run: lets paint, timer and window-frame messages through and drops the user's
    // clicks and keys aimed at the window, so it repaints and the bar moves but takes no input.
    void pumpDuringRun();
    void drawProgress();
    // WM_DROPFILES: every file or folder dropped, handed to the controller.
    void filesDropped(HDROP drop);

    HINSTANCE m_instance;
    std::unique_ptr<FormController> m_form;
    HWND m_window = nullptr;
    HMENU m_namesMenu = nullptr;
    bool m_hintShown = false;
    int m_lstWidest = 0;  // the report list's horizontal scroll range, in pixels
    std::unique_ptr<WhoKilledWhom> m_whoKilledWhom;  // made on the first show
    std::unique_ptr<MatchesWindow> m_matches;        // likewise
    std::unique_ptr<SeasonAccess> m_seasons;         // the season files, for the controller
    bool m_rankingShown = false;                     // a season is open: the fifth report button
    HFONT m_uiFont = nullptr;
    HFONT m_buttonBoldFont = nullptr;
    HFONT m_titleFont = nullptr;
    HFONT m_reportFont = nullptr;
    HBRUSH m_black = nullptr;
    std::array<bool, 5> m_bold{true, false, false, false, false};  // by ReportButton
    std::vector<std::filesystem::path> m_cdFileNames;  // in reading order; the first is CD's file name
    bool m_running = false;
    double m_progressMin = 0;
    double m_progressMax = 100;
    double m_progressValue = 0;
    std::uint64_t m_lastDraw = 0;
};

}  // namespace fragtide::ui::win32
