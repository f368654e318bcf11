#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/window_ops.hpp"

namespace fragtide::engine {
class StatsStore;
}
namespace fragtide::settings {
class SettingsBackend;
}

// The main window on Windows, in plain Win32: the file row, the report list, the report buttons,
// the player list and the progress bar, with the File and Help menus, laid out from the design's
// twips at the monitor's DPI. It is the window operations of the core, as the Qt window is on
// Linux; every text crossing them is UTF-8 and becomes UTF-16 here, once.
//
// The store and the settings backend must outlive the window. Single-threaded: everything runs on
// the thread that created it, the analysis included, which pumps paint messages while it reads.
namespace fragtide::ui::win32 {

class frmMain : public engine::WindowOps {
public:
    frmMain(HINSTANCE instance, engine::StatsStore& store, settings::SettingsBackend& backend);
    ~frmMain() override;
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // Creates the window, hidden, with its controls; false when Windows refuses.
    bool create();
    // Start-up, before the first show: help path, stored game, weapon names, the command-line log
    // (`arguments`, the raw text after the program's name) analysed, then the caption.
    void Form_Load(const std::wstring& arguments);
    // Shows the window centred on its monitor, then the notices start-up kept back.
    void showFirstTime(int showCommand);
    // The message loop, with Tab moving through the controls and F1 opening the help.
    int run();

    HWND handle() const { return m_window; }

    // Handlers
    void cmdBrowse_Click();
    void cmdAnalyze_Click();
    void cmdOptions_Click(int index);
    void lstPlayers_Click();
    void mnuGameSel_Click();
    void mnuExit_Click();
    void mnuHelp2_Click();
    void mnuAbout_Click();
    // F1 anywhere: the help document in the default browser, or "Help Error." when it is missing.
    void showHelpDocument();

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
    void setReportButtonEnabled(int index, bool enabled) override;
    void setReportButtonBold(int index, bool bold) override;
    std::filesystem::path cdFileName() const override;
    std::string txtFileText() const override;
    void setCaption(std::string_view text) override;
    engine::MessageAnswer messageBox(std::string_view prompt, engine::MessageStyle style,
                                     std::string_view title) override;

private:
    struct WaitingMessage {
        std::wstring prompt;
        engine::MessageStyle style;
        std::wstring title;
    };

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    void createFonts();
    void deleteFonts();
    void applyFonts();
    void layOut();
    HWND control(int id) const { return GetDlgItem(m_window, id); }
    int lstPlayersListIndex() const;
    int dpi() const;

    void tellUser(const std::wstring& prompt, engine::MessageStyle style, const std::wstring& title);
    engine::MessageAnswer showMessage(const std::wstring& prompt, engine::MessageStyle style,
                                      const std::wstring& title);
    // During a run: lets paint, timer and window-frame messages through and drops the user's
    // clicks and keys aimed at the window, so it repaints and the bar moves but takes no input.
    void pumpDuringRun();
    void drawProgress();

    HINSTANCE m_instance;
    engine::StatsStore& m_store;
    settings::SettingsBackend& m_backend;
    HWND m_window = nullptr;
    HFONT m_uiFont = nullptr;
    HFONT m_buttonBoldFont = nullptr;
    HFONT m_titleFont = nullptr;
    HFONT m_reportFont = nullptr;
    HBRUSH m_black = nullptr;
    std::array<bool, 3> m_bold{true, false, false};
    std::wstring m_helpFilePath;
    std::wstring m_cdFileName;
    std::vector<WaitingMessage> m_waitingMessages;
    bool m_loading = false;
    bool m_running = false;
    double m_progressMin = 0;
    double m_progressMax = 100;
    double m_progressValue = 0;
    std::uint64_t m_lastDraw = 0;
    int m_individualShown = -1;
};

}  // namespace fragtide::ui::win32
