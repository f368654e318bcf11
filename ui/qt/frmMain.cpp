#include "ui/qt/frmMain.hpp"

#include <QActionGroup>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QShortcut>
#include <QTimer>
#include <QUrl>

#include <cstdlib>
#include <exception>
#include <system_error>

#include "engine/game_catalogue.hpp"
#include "engine/stats_store.hpp"
#include "reports/reports.hpp"
#include "settings/game_setting.hpp"
#include "ui/qt/dropped_file.hpp"
#include "ui/qt/look.hpp"
#include "ui/qt/matches_window.hpp"
#include "ui/qt/frmAbout.hpp"
#include "ui/qt/frmGS.hpp"
#include "ui/help_command.hpp"
#include "ui/qt/help_viewer.hpp"
#include "ui/qt/message_box.hpp"
#include "ui/message_text.hpp"
#include "ui/qt/open_file_dialog.hpp"
#include "ui/qt/progress_throttle.hpp"
#include "ui/qt/qt_text.hpp"
#include "ui/qt/run_input_blocker.hpp"
#include "ui/ui_texts.hpp"
#include "ui/qt/who_killed_whom.hpp"
#include "ui/qt/window_centring.hpp"
#include "ui_frmMain.h"

namespace fragtide::ui {


namespace {

// The client area of the design, in pixels at 96 dpi; Qt scales it for the screen.
constexpr int kClientWidth = 740;
constexpr int kClientHeight = 425;

}  // namespace

frmMain::frmMain(engine::StatsStore& store, settings::SettingsBackend& backend,
                 std::string commandLine, QWidget* parent)
    : QMainWindow(parent),
      ui(std::make_unique<Ui::frmMain>()) {
    ui->setupUi(this);
    m_form = std::make_unique<FormController>(store, backend, *this, *this, std::move(commandLine),
                                              toPath(QCoreApplication::applicationDirPath()));
    m_seasons = seasonFiles();
    m_form->setSeasonAccess(*m_seasons);
    m_progress = std::make_unique<ProgressThrottle>(ui->PB);
    buildViewMenu();
    applyTexts();
    applyLook();
    connectHandlers();
    setReportButtonBold(ReportButton::GeneralInfo, true);
    ui->mnuExport->setEnabled(false);  // until an analysis has results
    setSeasonOpen(false);
    ui->fraHint->hide();
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
}

frmMain::~frmMain() = default;

void frmMain::applyTexts() {
    setWindowTitle(toQString(texts::kDesignCaption));
    ui->Label1->setText(toQString(texts::kSelectLogFile));
    ui->cmdBrowse->setText(toQString(texts::kBrowse));
    ui->cmdAnalyze->setText(toQString(texts::kAnalyzeLog));
    ui->lbl_0->setText(toQString(texts::kTitle));
    ui->lbl_1->setText(toQString(texts::kVersionCredit));
    ui->cmdOptions_0->setText(toQString(texts::kGeneralInfoButton));
    ui->cmdOptions_1->setText(toQString(texts::kPlayerInfoButton));
    ui->cmdOptions_2->setText(toQString(texts::kIndividualInfoButton));
    ui->cmdOptions_3->setText(toQString(texts::kRivalsInfoButton));
    ui->cmdOptions_4->setText(toQString(texts::kRankingButton));
    ui->mnuNewSeason->setText(menuCaption(toQString(texts::kMenuNewSeason)));
    ui->mnuOpenSeason->setText(menuCaption(toQString(texts::kMenuOpenSeason)));
    ui->mnuAddToSeason->setText(menuCaption(toQString(texts::kMenuAddToSeason)));
    ui->mnuMatches->setText(menuCaption(toQString(texts::kMenuMatches)));
    ui->mnuWhoKilledWhom->setText(menuCaption(toQString(texts::kMenuWhoKilledWhom)));
    ui->lbl_2->setText(toQString(texts::playerCountCaption(0)));
    ui->mnuFile->setTitle(menuCaption(toQString(texts::kMenuFile)));
    ui->mnuGameSel->setText(menuCaption(toQString(texts::kMenuGameSelect)));
    ui->mnuExport->setText(menuCaption(toQString(texts::kMenuExport)));
    ui->mnuExit->setText(menuCaption(toQString(texts::kMenuExit)));
    ui->mnuView->setTitle(menuCaption(toQString(texts::kMenuView)));
    ui->mnuNames->setTitle(menuCaption(toQString(texts::kMenuNames)));
    ui->mnuHelp->setTitle(menuCaption(toQString(texts::kMenuHelp)));
    ui->mnuHelp2->setText(menuCaption(toQString(texts::kMenuHelpTopics)));
    ui->mnuAbout->setText(menuCaption(toQString(texts::kMenuAbout)));
    ui->mnuGamesFolder->setText(menuCaption(toQString(texts::kMenuGamesFolder)));
}

void frmMain::applyLook() {
    paintGreenOnBlack(*ui->txtFile);
    paintGreenOnBlack(*ui->lst);
    ui->lst->setFont(reportFont());
    // Long report lines scroll sideways rather than end in "...": the list measures every line
    // (not only the first, as uniform item sizes would: see the form) and elides none.
    ui->lst->setTextElideMode(Qt::ElideNone);
    ui->lst->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    ui->lst->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Green on black hides the style's focus marks: a frame shows where the keys go.
    ui->lst->setStyleSheet(QStringLiteral("QListWidget#lst:focus { border: 2px solid rgb(0, 192, 0); }"));
    ui->lbl_0->setFont(titleFont());
}

void frmMain::buildViewMenu() {
    // The names menu: one checkable entry per display, in the controller's order.
    m_names = new QActionGroup(this);
    m_names->setExclusive(true);
    const auto entries = FormController::nameDisplayEntries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        QAction* action = ui->mnuNames->addAction(toQString(entries[i]));
        action->setObjectName(QStringLiteral("mnuNames_%1").arg(i));
        action->setCheckable(true);
        m_names->addAction(action);
        connect(action, &QAction::triggered, this, [this, i] { mnuNames_Click(static_cast<int>(i)); });
    }
}

void frmMain::connectHandlers() {
    connect(ui->cmdBrowse, &QPushButton::clicked, this, &frmMain::cmdBrowse_Click);
    connect(ui->cmdAnalyze, &QPushButton::clicked, this, &frmMain::cmdAnalyze_Click);
    for (const ReportButton button : kReportButtons)
        connect(reportButton(button), &QPushButton::clicked, this, [this, button] { cmdOptions_Click(button); });
    connect(ui->cmdOptions_4, &QPushButton::clicked, this, [this] { cmdOptions_Click(ReportButton::Ranking); });
    connect(ui->mnuNewSeason, &QAction::triggered, this, &frmMain::mnuNewSeason_Click);
    connect(ui->mnuOpenSeason, &QAction::triggered, this, &frmMain::mnuOpenSeason_Click);
    connect(ui->mnuAddToSeason, &QAction::triggered, this, &frmMain::mnuAddToSeason_Click);
    connect(ui->mnuMatches, &QAction::triggered, this, &frmMain::mnuMatches_Click);
    connect(ui->mnuWhoKilledWhom, &QAction::triggered, this, &frmMain::mnuWhoKilledWhom_Click);
    // A changed selection (mouse or keys) shows that player; so does a click on the player
    // already selected once the list shows another report.
    connect(ui->lstPlayers, &QListWidget::itemSelectionChanged, this, [this] {
        if (lstPlayersListIndex() >= 0)
            lstPlayers_Click();
    });
    connect(ui->lstPlayers, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (ui->lstPlayers->row(item) != m_form->individualShown() && lstPlayersListIndex() >= 0)
            lstPlayers_Click();
    });
    connect(ui->mnuGameSel, &QAction::triggered, this, &frmMain::mnuGameSel_Click);
    connect(ui->mnuExport, &QAction::triggered, this, &frmMain::mnuExport_Click);
    connect(ui->mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(ui->mnuHelp2, &QAction::triggered, this, &frmMain::mnuHelp2_Click);
    connect(ui->mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    connect(ui->mnuGamesFolder, &QAction::triggered, this, &frmMain::mnuGamesFolder_Click);
    connect(ui->cmdHint, &QPushButton::clicked, this, &frmMain::cmdDetectedGame_Click);
    auto* open = new QShortcut(QKeySequence::Open, this);
    open->setObjectName(QStringLiteral("shortcutBrowse"));
    connect(open, &QShortcut::activated, this, &frmMain::cmdBrowse_Click);
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    f1->setObjectName(QStringLiteral("shortcutHelp"));
    connect(f1, &QShortcut::activated, this, qOverload<>(&frmMain::showHelpDocument));
}

QPushButton* frmMain::reportButton(ReportButton button) const {
    switch (button) {
    case ReportButton::GeneralInfo: return ui->cmdOptions_0;
    case ReportButton::PlayerInfo: return ui->cmdOptions_1;
    case ReportButton::IndividualInfo: return ui->cmdOptions_2;
    case ReportButton::RivalsInfo: return ui->cmdOptions_3;
    case ReportButton::Ranking: return ui->cmdOptions_4;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Start-up and handlers

void frmMain::Form_Load() { m_form->Form_Load(); }

QString frmMain::helpFilePath() const { return toQString(pathText(m_form->helpFilePath())); }
void frmMain::setHelpFilePath(const QString& path) { m_form->setHelpFilePath(toPath(path)); }

void frmMain::cmdBrowse_Click() { m_form->cmdBrowse_Click(); }
void frmMain::cmdAnalyze_Click() { m_form->cmdAnalyze_Click(); }
void frmMain::cmdOptions_Click(ReportButton button) { m_form->cmdOptions_Click(button, lstPlayersListIndex()); }
void frmMain::lstPlayers_Click() { m_form->lstPlayers_Click(lstPlayersListIndex()); }
void frmMain::mnuGameSel_Click() { m_form->mnuGameSel_Click(); }
void frmMain::mnuExport_Click() { m_form->mnuExport_Click(); }
void frmMain::mnuExit_Click() { m_form->mnuExit_Click(); }
void frmMain::mnuHelp2_Click() { m_form->mnuHelp2_Click(); }
void frmMain::mnuAbout_Click() { m_form->mnuAbout_Click(); }
void frmMain::mnuGamesFolder_Click() { m_form->mnuGamesFolder_Click(); }
void frmMain::cmdDetectedGame_Click() { m_form->cmdDetectedGame_Click(); }
void frmMain::mnuNames_Click(int index) { m_form->mnuNames_Click(index); }
void frmMain::mnuWhoKilledWhom_Click() { m_form->mnuWhoKilledWhom_Click(); }
void frmMain::mnuNewSeason_Click() { m_form->mnuNewSeason_Click(); }
void frmMain::mnuOpenSeason_Click() { m_form->mnuOpenSeason_Click(); }
void frmMain::mnuAddToSeason_Click() { m_form->mnuAddToSeason_Click(); }
void frmMain::mnuMatches_Click() { m_form->mnuMatches_Click(); }
void frmMain::showHelpDocument() { m_form->showHelpDocument(); }

// ---------------------------------------------------------------------------------------------
// Seams

MessageAnswer frmMain::showMessage(const QString& prompt, MessageStyle style, const QString& title) {
    return runMessageBox(this, prompt, style, title);
}

QStringList frmMain::askForLogFiles(const OpenFileRequest& request) {
    return runOpenFileDialog(this, request);
}

std::optional<ChosenExportFile> frmMain::askForExportFile(const ExportFileRequest& request) {
    return runSaveFileDialog(this, request);
}

std::optional<std::filesystem::path> frmMain::askForSeasonFile(const SeasonFileRequest& request) {
    const auto chosen = runSeasonFileDialog(this, request);
    if (!chosen)
        return std::nullopt;
    return toPath(*chosen);
}

int frmMain::execDialog(QDialog& dialog) {
    // Modal over the form only, so that the help F1 opens from the dialog can be read and scrolled.
    dialog.setWindowModality(Qt::WindowModal);
    return dialog.exec();
}

bool frmMain::startHelpViewer(const std::string& commandLine) {
    return startDetachedCommandLine(commandLine);
}

// ---------------------------------------------------------------------------------------------
// Events

namespace {

std::vector<std::filesystem::path> pathsOf(const QStringList& files) {
    std::vector<std::filesystem::path> paths;
    for (const QString& file : files)
        paths.push_back(toPath(file));
    return paths;
}

}  // namespace

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (FormController::acceptsDrop(pathsOf(droppedPaths(event->mimeData()))))
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event) {
    if (m_form->fileDropped(pathsOf(droppedPaths(event->mimeData()))))
        event->acceptProposedAction();
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        centreOnScreen(*this);
        // After this event, so that the form is on screen and a held box opens over it.
        QTimer::singleShot(0, this, [this] { m_form->windowShown(); });
    }
}

// ---------------------------------------------------------------------------------------------
// WindowOps; the progress bar is fed once per batch of lines and draws only what the user must see.

void frmMain::lstClear() { ui->lst->clear(); }

void frmMain::lstAddItem(std::string_view text) { ui->lst->addItem(toQString(text)); }
void frmMain::lstPlayersClear() { ui->lstPlayers->clear(); }
void frmMain::lstPlayersAddItem(std::string_view text) { ui->lstPlayers->addItem(toQString(text)); }
int frmMain::lstPlayersListCount() const { return ui->lstPlayers->count(); }

int frmMain::lstPlayersListIndex() const {
    // The selected entry, not the current one: the list makes its first row current when it
    // gets the focus, which is no choice of the user's.
    const auto selected = ui->lstPlayers->selectedItems();
    return selected.isEmpty() ? -1 : ui->lstPlayers->row(selected.front());
}

std::string frmMain::lstPlayersList(int position) const {
    const QListWidgetItem* item = ui->lstPlayers->item(position);
    return item ? toUtf8(item->text()) : std::string();
}

void frmMain::setPlayerCountCaption(std::string_view text) { ui->lbl_2->setText(toQString(text)); }
void frmMain::setProgressMin(double value) { m_progress->setMin(value); }
void frmMain::setProgressMax(double value) { m_progress->setMax(value); }

void frmMain::setProgressValue(double value) { m_progress->setValue(value); }

void frmMain::setReportButtonEnabled(ReportButton which, bool enabled) {
    if (QPushButton* button = reportButton(which))
        button->setEnabled(enabled);
}

void frmMain::setReportButtonBold(ReportButton which, bool bold) {
    if (QPushButton* button = reportButton(which)) {
        QFont font = button->font();
        font.setBold(bold);
        button->setFont(font);
    }
}

std::filesystem::path frmMain::cdFileName() const { return toPath(cdFileNameText()); }

std::vector<std::filesystem::path> frmMain::cdFileNames() const { return pathsOf(m_cdFileNames); }
std::string frmMain::txtFileText() const { return toUtf8(ui->txtFile->text()); }
void frmMain::setCaption(std::string_view text) { setWindowTitle(toQString(text)); }

MessageAnswer frmMain::messageBox(std::string_view prompt, MessageStyle style, std::string_view title) {
    return showMessage(toQString(withCapitalStart(prompt)), style, toQString(title));
}

void frmMain::showWindowNow() {
    if (!isVisible())
        show();
}

// ---------------------------------------------------------------------------------------------
// FormOps

void frmMain::setChosenFiles(const std::vector<std::filesystem::path>& paths, std::string_view shownName) {
    m_cdFileNames.clear();
    for (const std::filesystem::path& path : paths)
        m_cdFileNames << toQString(pathText(path));
    ui->txtFile->setText(toQString(shownName));
}

std::vector<std::filesystem::path> frmMain::chooseLogFiles(const OpenFileRequest& request) {
    return pathsOf(askForLogFiles(request));
}

std::optional<ChosenExportFile> frmMain::chooseExportFile(const ExportFileRequest& request) {
    return askForExportFile(request);
}

void frmMain::setExportEnabled(bool enabled) { ui->mnuExport->setEnabled(enabled); }

std::optional<int> frmMain::runGameSelect(const GameSelectChoice& choice) {
    frmGS dialog(choice, this);
    connect(&dialog, &frmGS::helpRequested, this, qOverload<>(&frmMain::showHelpDocument));
    if (execDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedPosition();
}

void frmMain::runAbout(const AboutTexts& texts) {
    frmAbout dialog(texts, this);
    connect(&dialog, &frmAbout::helpRequested, this, qOverload<>(&frmMain::showHelpDocument));
    execDialog(dialog);
}

bool frmMain::startProgram(const std::string& commandLine) {
    return startHelpViewer(commandLine);
}

bool frmMain::openFolder(const std::filesystem::path& folder) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(toQString(pathText(folder))));
}

bool frmMain::showHelpDocument(const std::filesystem::path& path) {
    if (!m_helpViewer) {
        // A window of its own, not the form's child: a child would be blocked, like the form,
        // by the Game Select or About dialog that asked for it with F1.
        m_helpViewer = std::make_unique<HelpViewer>(nullptr);
        m_helpViewer->setAttribute(Qt::WA_QuitOnClose, false);
    }
    m_helpViewer->showDocument(toQString(pathText(path)));
    return true;
}

void frmMain::runStarting() {
    m_blocker = std::make_unique<RunInputBlocker>(this);
    // A close request cannot tear the run down from inside its progress step: the controller
    // decides (it ends the program).
    m_blocker->setOnCloseRequest([this] { m_form->closeRequested(); });
}

void frmMain::runFinished() {
    m_progress->showNow();  // the bar shows the reset at once, whatever the throttle last let through
    if (m_blocker)
        m_blocker->discardQueuedInput();
    m_blocker.reset();
}

void frmMain::endProgramDuringRun() {
    hide();
    std::_Exit(EXIT_SUCCESS);
}

void frmMain::quit() {
    QCoreApplication::quit();
}

void frmMain::showDetectionHint(const std::optional<DetectionHint>& hint) {
    if (!hint) {
        ui->fraHint->hide();
        return;
    }
    ui->lblHint->setText(toQString(hint->text));
    ui->cmdHint->setText(toQString(hint->button));
    ui->fraHint->show();
}

void frmMain::setNameDisplayChecked(int index) {
    const auto actions = m_names->actions();
    if (index >= 0 && index < actions.size())
        actions[index]->setChecked(true);
}

void frmMain::showWhoKilledWhom(const reports::RivalsMatrix& matrix, engine::NameDisplay display) {
    if (!m_whoKilledWhom) {
        // Non-modal and not the form's child, like the help: it stays usable beside the form.
        m_whoKilledWhom = std::make_unique<WhoKilledWhom>(nullptr);
        m_whoKilledWhom->setAttribute(Qt::WA_QuitOnClose, false);
    }
    m_whoKilledWhom->setMatrix(matrix, display);
    m_whoKilledWhom->show();
    m_whoKilledWhom->raise();
}

void frmMain::updateWhoKilledWhom(const reports::RivalsMatrix& matrix, engine::NameDisplay display) {
    if (m_whoKilledWhom && m_whoKilledWhom->isVisible())
        m_whoKilledWhom->setMatrix(matrix, display);
}

std::optional<std::filesystem::path> frmMain::chooseSeasonFile(const SeasonFileRequest& request) {
    return askForSeasonFile(request);
}

void frmMain::setSeasonOpen(bool open) {
    ui->cmdOptions_4->setVisible(open);
    ui->mnuAddToSeason->setEnabled(open);
    ui->mnuMatches->setEnabled(open);
}

void frmMain::showMatches(const MatchesTable& table) {
    if (!m_matches) {
        m_matches = std::make_unique<MatchesWindow>(nullptr);  // beside the form, like Who Killed Whom
        m_matches->setAttribute(Qt::WA_QuitOnClose, false);
    }
    m_matches->setTable(table);
    m_matches->show();
    m_matches->raise();
}

void frmMain::updateMatches(const MatchesTable& table) {
    if (m_matches && m_matches->isVisible())
        m_matches->setTable(table);
}

}  // namespace fragtide::ui
