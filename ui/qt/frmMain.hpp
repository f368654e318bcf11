#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/window_ops.hpp"
#include "ui/form_controller.hpp"

class QActionGroup;
class QDialog;
class QPushButton;

namespace Ui {
class frmMain;
}

namespace fragtide::engine {
class StatsStore;
}
namespace fragtide::settings {
class SettingsBackend;
}

// The main window: the file row, the report list with the detection hint below it, the report
// buttons, the player list and the progress bar, with the File, View and Help menus. Widgets and
// wiring only: what the window does is the form controller's (form_controller.hpp); this class
// is its window operations and its dialogs.
//
// The store and the settings backend must outlive the window. Everything runs on the GUI thread.
// Dialogs, message boxes and the help viewer are started through the protected virtual seams, so
// that a test can answer them without a modal loop.
namespace fragtide::ui {

class HelpViewer;
class ProgressThrottle;
class RunInputBlocker;

class frmMain : public QMainWindow, public WindowOps, public FormOps {
    Q_OBJECT
public:
    // `commandLine` is the program's command line after its own name ("" when none), UTF-8.
    frmMain(engine::StatsStore& store, settings::SettingsBackend& backend, std::string commandLine,
            QWidget* parent = nullptr);
    ~frmMain() override;

    // Start-up (FormController::Form_Load). Call once, after construction and before the window
    // is first shown. A notice raised meanwhile (a command-line log that cannot be read) opens once
    // the window is shown; a question (a large command-line log) shows the window first.
    void Form_Load();

    // The help document that Help Topics and F1 open.
    QString helpFilePath() const;
    void setHelpFilePath(const QString& path);

    FormController& controller() { return *m_form; }

    // The file the next analysis opens, as the Browse dialog or the command line named it (the
    // first of several chosen together).
    QString cdFileNameText() const { return m_cdFileNames.isEmpty() ? QString() : m_cdFileNames.front(); }

    // The built-in help viewer once the help document was opened in it, else null.
    HelpViewer* helpViewer() const { return m_helpViewer.get(); }

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

    // The who-killed-whom window once it was opened, else null.
    class WhoKilledWhom* whoKilledWhom() const { return m_whoKilledWhom.get(); }
    // The matches window once it was opened, else null.
    class MatchesWindow* matchesWindow() const { return m_matches.get(); }

public Q_SLOTS:
    void cmdBrowse_Click();
    void cmdAnalyze_Click();
    void cmdOptions_Click(ReportButton button);
    void lstPlayers_Click();
    void mnuGameSel_Click();
    void mnuExport_Click();
    void mnuExit_Click();
    void mnuHelp2_Click();
    void mnuAbout_Click();
    void mnuGamesFolder_Click();
    void cmdDetectedGame_Click();
    void mnuNames_Click(int index);
    void mnuWhoKilledWhom_Click();
    void mnuNewSeason_Click();
    void mnuOpenSeason_Click();
    void mnuAddToSeason_Click();
    void mnuMatches_Click();
    // F1, in the form and in its dialogs: the help document in the built-in viewer, or the
    // "Help Error." message when it is missing.
    void showHelpDocument();

protected:
    // Seams. The defaults show the real thing and wait for it to close.
    virtual MessageAnswer showMessage(const QString& prompt, MessageStyle style,
                                              const QString& title);
    // The chosen files' full paths, none when the dialog was cancelled.
    virtual QStringList askForLogFiles(const OpenFileRequest& request);
    // The save dialog of Export: the file and the filter selected, or nothing when cancelled.
    virtual std::optional<ChosenExportFile> askForExportFile(const ExportFileRequest& request);
    // The season file dialog: the chosen file's full path, or nothing when cancelled.
    virtual std::optional<std::filesystem::path> askForSeasonFile(const SeasonFileRequest& request);
    // Runs a dialog, modal over the form only, to its end and returns its result code.
    virtual int execDialog(QDialog& dialog);
    // Starts the legacy help viewer; false when it cannot be started (it exists only on Windows).
    virtual bool startHelpViewer(const std::string& commandLine);

    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void applyTexts();
    void applyLook();
    void buildViewMenu();
    void connectHandlers();
    QPushButton* reportButton(ReportButton button) const;
    // The selected player's position from 0, or -1.
    int lstPlayersListIndex() const;

    std::unique_ptr<Ui::frmMain> ui;
    std::unique_ptr<FormController> m_form;
    QStringList m_cdFileNames;
    std::unique_ptr<HelpViewer> m_helpViewer;  // a window of its own, gone with the form
    std::unique_ptr<class WhoKilledWhom> m_whoKilledWhom;  // likewise
    std::unique_ptr<class MatchesWindow> m_matches;        // likewise
    std::unique_ptr<SeasonAccess> m_seasons;               // the season files, for the controller
    std::unique_ptr<ProgressThrottle> m_progress;
    std::unique_ptr<RunInputBlocker> m_blocker;  // during a run only
    QActionGroup* m_names = nullptr;             // the names menu's entries, one checked
    bool m_centred = false;
};

}  // namespace fragtide::ui
