#include "ui/frmMain.hpp"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QShortcut>
#include <QUrl>

#include <algorithm>
#include <climits>
#include <cmath>
#include <exception>
#include <system_error>

#include "engine/analysis_run.hpp"
#include "engine/game_catalogue.hpp"
#include "engine/stats_store.hpp"
#include "reports/reports.hpp"
#include "settings/game_setting.hpp"
#include "ui/command_line.hpp"
#include "ui/fonts.hpp"
#include "ui/frmAbout.hpp"
#include "ui/frmGS.hpp"
#include "ui/help_command.hpp"
#include "ui/help_viewer.hpp"
#include "ui/qt_text.hpp"
#include "ui/ui_texts.hpp"
#include "ui_frmMain.h"

namespace fragtide::ui {

using engine::MessageAnswer;
using engine::MessageStyle;

namespace {

// The client area of the design, in pixels at 96 dpi; Qt scales it for the screen.
constexpr int kClientWidth = 740;
constexpr int kClientHeight = 425;
// The bar is redrawn at most this often while a log is read.
constexpr qint64 kProgressIntervalMs = 30;

// Takes no user input on the main window while a run is on, as the run has always promised;
// message boxes the run opens are windows of their own and stay usable. Closing the window is
// held off too, so the run is never torn down halfway.
class InputBlocker : public QObject {
public:
    explicit InputBlocker(QWidget* window) : m_window(window) { qApp->installEventFilter(this); }
    ~InputBlocker() override { qApp->removeEventFilter(this); }

    // Drops the input that queued up during the run instead of acting on it afterwards.
    void discardQueuedInput() { QCoreApplication::processEvents(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Shortcuts and actions are not widgets; they belong to the widget that owns them.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget)
            widget = qobject_cast<QWidget*>(watched->parent());
        if (!widget || widget->window() != m_window)
            return false;
        switch (event->type()) {
        case QEvent::Close:
            event->ignore();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        default:
            return false;
        }
    }

private:
    QWidget* m_window;
};

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// "description (error number N)!"; only system errors carry a number of their own.
QString startupErrorText(const std::exception& error) {
    int number = 0;
    if (const auto* systemError = dynamic_cast<const std::system_error*>(&error))
        number = systemError->code().value();
    return QString::fromLocal8Bit(error.what()) + QStringLiteral(" (error number ") +
           QString::number(number) + QStringLiteral(")!");
}

// The one local file of a drag, if it is an existing file; anything else is refused.
std::optional<QString> droppedFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1)
        return std::nullopt;
    const QUrl url = mime->urls().front();
    if (!url.isLocalFile() || !QFileInfo(url.toLocalFile()).isFile())
        return std::nullopt;
    return url.toLocalFile();
}

}  // namespace

frmMain::frmMain(engine::StatsStore& store, settings::SettingsBackend& backend,
                 std::string commandLine, QWidget* parent)
    : QMainWindow(parent),
      ui(std::make_unique<Ui::frmMain>()),
      m_store(store),
      m_backend(backend),
      m_commandLine(toQString(commandLine)) {
    ui->setupUi(this);
    applyTexts();
    applyLook();
    connectHandlers();
    setReportButtonBold(0, true);
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
    ui->cmdOptions_0->setText(toQString(texts::kGeneralInfo));
    ui->cmdOptions_1->setText(toQString(texts::kPlayerInfo));
    ui->cmdOptions_2->setText(toQString(texts::kIndividualInfo));
    ui->lbl_2->setText(toQString(texts::kNoPlayers));
    ui->mnuFile->setTitle(toQString(texts::kMenuFile));
    ui->mnuGameSel->setText(toQString(texts::kMenuGameSelect));
    ui->mnuExit->setText(toQString(texts::kMenuExit));
    ui->mnuHelp->setTitle(toQString(texts::kMenuHelp));
    ui->mnuHelp2->setText(toQString(texts::kMenuHelpTopics));
    ui->mnuAbout->setText(toQString(texts::kMenuAbout));
}

void frmMain::applyLook() {
    // Green (RGB 0, 128, 0) on black, as the file name and the reports have always looked.
    QPalette green = palette();
    for (const auto role : {QPalette::Base, QPalette::Window})
        green.setColor(role, Qt::black);
    for (const auto role : {QPalette::Text, QPalette::WindowText})
        green.setColor(role, QColor(0, 128, 0));
    ui->txtFile->setPalette(green);
    ui->lst->setPalette(green);
    ui->lst->setFont(reportFont());
    ui->lbl_0->setFont(titleFont());
}

void frmMain::connectHandlers() {
    connect(ui->cmdBrowse, &QPushButton::clicked, this, &frmMain::cmdBrowse_Click);
    connect(ui->cmdAnalyze, &QPushButton::clicked, this, &frmMain::cmdAnalyze_Click);
    for (int i = 0; i < 3; ++i)
        connect(reportButton(i), &QPushButton::clicked, this, [this, i] { cmdOptions_Click(i); });
    // A changed selection (mouse or keys) shows that player; so does a click on the player
    // already selected once the list shows another report.
    connect(ui->lstPlayers, &QListWidget::itemSelectionChanged, this, [this] {
        if (lstPlayersListIndex() >= 0)
            lstPlayers_Click();
    });
    connect(ui->lstPlayers, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (ui->lstPlayers->row(item) != m_individualShown && lstPlayersListIndex() >= 0)
            lstPlayers_Click();
    });
    connect(ui->mnuGameSel, &QAction::triggered, this, &frmMain::mnuGameSel_Click);
    connect(ui->mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(ui->mnuHelp2, &QAction::triggered, this, &frmMain::mnuHelp2_Click);
    connect(ui->mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    f1->setObjectName(QStringLiteral("shortcutHelp"));
    connect(f1, &QShortcut::activated, this, &frmMain::showHelpDocument);
}

QPushButton* frmMain::reportButton(int index) const {
    switch (index) {
    case 0: return ui->cmdOptions_0;
    case 1: return ui->cmdOptions_1;
    case 2: return ui->cmdOptions_2;
    default: return nullptr;
    }
}

// ---------------------------------------------------------------------------------------------
// Start-up and handlers

void frmMain::Form_Load() {
    try {
        setHelpFilePath(findHelpFile(QCoreApplication::applicationDirPath()));
        m_store.CurrentGame = settings::loadSelectedGame(m_backend);
        engine::LoadWeaponNames(m_store);
        if (const auto log = parseCommandLine(m_commandLine)) {
            m_cdFileName = log->path;
            ui->txtFile->setText(log->shownName);
            cmdAnalyze_Click();
        }
        setCaption(texts::mainCaption(m_store.CurrentGame));
    } catch (const std::exception& error) {
        showMessage(startupErrorText(error), MessageStyle::OkCritical,
                    toQString(texts::kStartupErrorTitle));
    }
}

void frmMain::cmdBrowse_Click() {
    const QString game = toQString(m_store.CurrentGame);
    OpenFileRequest request;
    request.title = toQString(texts::kOpenTitlePrefix) + game + toQString(texts::kOpenTitleSuffix);
    request.filters = {game + toQString(texts::kGameLogFilterSuffix),
                       toQString(texts::kTextFilesFilter), toQString(texts::kAllFilesFilter)};
    request.initialDir = QCoreApplication::applicationDirPath();
    request.defaultSuffix = toQString(texts::kDefaultSuffix);
    if (const auto chosen = chooseLogFile(request))
        chooseFile(*chosen);
}

void frmMain::chooseFile(const QString& path) {
    m_cdFileName = path;
    ui->txtFile->setText(QFileInfo(path).fileName());
    lstClear();
}

void frmMain::cmdAnalyze_Click() {
    BusyCursor busy;
    InputBlocker blocker(this);
    engine::cmdAnalyze_Click(m_store, *this, [this] { reports::ShowGeneralInfo(m_store, *this); });
    showProgress();  // the bar shows the reset at once, whatever the throttle last let through
    blocker.discardQueuedInput();
}

void frmMain::cmdOptions_Click(int index) {
    switch (index) {
    case 0:
        reports::ShowGeneralInfo(m_store, *this);
        break;
    case 1:
        reports::ShowPlayerInfo(m_store, *this);
        break;
    case 2: {
        const int selected = lstPlayersListIndex();
        if (selected < 0) {
            showMessage(toQString(texts::kSelectPlayerFirst), MessageStyle::OkInformation,
                        toQString(texts::kSelectPlayerFirstTitle));
            return;
        }
        reports::ShowIndividualInfo(m_store, *this, selected);
        m_individualShown = selected;
        break;
    }
    default:
        return;
    }
    for (int i = 0; i < 3; ++i)
        setReportButtonBold(i, false);
    setReportButtonBold(index, true);
}

void frmMain::lstPlayers_Click() {
    setReportButtonBold(0, false);
    setReportButtonBold(1, false);
    setReportButtonBold(2, true);
    const int selected = lstPlayersListIndex();
    reports::ShowIndividualInfo(m_store, *this, selected);
    m_individualShown = selected;
}

void frmMain::mnuGameSel_Click() {
    frmGS dialog(m_store, m_backend, *this, this);
    execDialog(dialog);
}

void frmMain::mnuExit_Click() {
    QCoreApplication::quit();
}

void frmMain::mnuHelp2_Click() {
    if (startHelpViewer(helpCommandLine(toUtf8(m_helpFilePath))))
        return;
    showHelpDocument();
}

void frmMain::showHelpDocument() {
    if (!QFileInfo(m_helpFilePath).isFile()) {
        showMessage(toQString(texts::kHelpErrorPrompt), MessageStyle::OkCritical,
                    toQString(texts::kHelpErrorTitle));
        return;
    }
    if (!m_helpViewer)
        m_helpViewer = new HelpViewer(this);
    m_helpViewer->showDocument(m_helpFilePath);
}

void frmMain::mnuAbout_Click() {
    frmAbout dialog(this);
    execDialog(dialog);
}

// ---------------------------------------------------------------------------------------------
// Seams

MessageAnswer frmMain::showMessage(const QString& prompt, MessageStyle style, const QString& title) {
    QMessageBox box(this);
    box.setWindowTitle(title);
    box.setText(prompt);
    switch (style) {
    case MessageStyle::YesNoQuestion:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case MessageStyle::OkInformation:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageStyle::OkCritical:
        box.setIcon(QMessageBox::Critical);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    // A question asked during a run must not wear the busy cursor.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    QApplication::restoreOverrideCursor();
    switch (answer) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    default: return MessageAnswer::Ok;
    }
}

std::optional<QString> frmMain::chooseLogFile(const OpenFileRequest& request) {
    QFileDialog dialog(this, request.title, request.initialDir);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(request.filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

int frmMain::execDialog(QDialog& dialog) {
    return dialog.exec();
}

bool frmMain::startHelpViewer(const std::string& commandLine) {
    return startDetachedCommandLine(commandLine);
}

// ---------------------------------------------------------------------------------------------
// Events

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedFile(event->mimeData()))
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event) {
    if (const auto file = droppedFile(event->mimeData())) {
        chooseFile(*file);
        event->acceptProposedAction();
    }
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

// ---------------------------------------------------------------------------------------------
// WindowOps

void frmMain::lstClear() {
    ui->lst->clear();
    m_individualShown = -1;
}

void frmMain::lstAddItem(std::string_view text) {
    ui->lst->addItem(toQString(text));
}

void frmMain::lstPlayersClear() {
    ui->lstPlayers->clear();
}

void frmMain::lstPlayersAddItem(std::string_view text) {
    ui->lstPlayers->addItem(toQString(text));
}

int frmMain::lstPlayersListCount() const {
    return ui->lstPlayers->count();
}

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

void frmMain::setPlayerCountCaption(std::string_view text) {
    ui->lbl_2->setText(toQString(text));
}

void frmMain::setProgressMin(double value) {
    m_progressMin = value;
    applyProgressRange();
}

void frmMain::setProgressMax(double value) {
    m_progressMax = value;
    applyProgressRange();
}

void frmMain::setProgressValue(double value) {
    // Called once per log line: only a step the user must see (start, end, going back) is drawn
    // at once, the rest at most every kProgressIntervalMs.
    const bool mustShow = value <= m_progressMin || value >= m_progressMax || value < m_progressValue;
    m_progressValue = value;
    if (mustShow || !m_progressClock.isValid() || m_progressClock.elapsed() >= kProgressIntervalMs)
        showProgress();
}

int frmMain::progressUnits(double value) const {
    return static_cast<int>(std::clamp(value * m_progressScale, double(INT_MIN), double(INT_MAX)));
}

void frmMain::applyProgressRange() {
    // QProgressBar counts in int; a log of more than INT_MAX lines is drawn to scale.
    const double span = std::max(std::abs(m_progressMin), std::abs(m_progressMax));
    m_progressScale = span > INT_MAX ? INT_MAX / span : 1.0;
    ui->PB->setRange(progressUnits(m_progressMin), progressUnits(m_progressMax));
}

void frmMain::showProgress() {
    const double shown = std::clamp(m_progressValue, m_progressMin, std::max(m_progressMin, m_progressMax));
    ui->PB->setValue(progressUnits(shown));
    m_progressClock.start();
    // Paint the bar (and anything else waiting to be painted) without taking user input.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmMain::setReportButtonEnabled(int index, bool enabled) {
    if (QPushButton* button = reportButton(index))
        button->setEnabled(enabled);
}

void frmMain::setReportButtonBold(int index, bool bold) {
    if (QPushButton* button = reportButton(index)) {
        QFont font = button->font();
        font.setBold(bold);
        button->setFont(font);
    }
}

std::filesystem::path frmMain::cdFileName() const {
    return toPath(m_cdFileName);
}

std::string frmMain::txtFileText() const {
    return toUtf8(ui->txtFile->text());
}

void frmMain::setCaption(std::string_view text) {
    setWindowTitle(toQString(text));
}

MessageAnswer frmMain::messageBox(std::string_view prompt, MessageStyle style, std::string_view title) {
    return showMessage(toQString(prompt), style, toQString(title));
}

}  // namespace fragtide::ui
