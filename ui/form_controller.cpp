#include "ui/form_controller.hpp"

#include <algorithm>
#include <system_error>
#include <utility>

#include "engine/display_text.hpp"
#include "engine/game_catalogue.hpp"
#include "engine/game_detector.hpp"
#include "engine/game_folders.hpp"
#include "engine/log_analysis.hpp"
#include "engine/log_set.hpp"
#include "engine/stats_store.hpp"
#include "engine/log_file.hpp"
#include "export/atomic_file.hpp"
#include "reports/reports.hpp"
#include "reports/rivals.hpp"
#include "reports/season_reports.hpp"
#include "season/season_view.hpp"
#include "settings/game_setting.hpp"
#include "ui/analysis_run.hpp"
#include "ui/message_text.hpp"
#include "ui/ui_texts.hpp"

namespace fragtide::ui {

namespace fs = std::filesystem;

namespace {

// In byte order of their UTF-8 text: within one folder, byte order of the names, as the command
// line orders a folder's files.
void sortByPath(std::vector<fs::path>& paths) {
    std::stable_sort(paths.begin(), paths.end(),
                     [](const fs::path& a, const fs::path& b) { return pathText(a) < pathText(b); });
}

}  // namespace

// The last successful analysis as Export writes it: a copy of the statistics, so that a game
// chosen afterwards (which loads its own weapon names into the store) does not change it.
struct FormController::LastAnalysis {
    engine::StatsStore store;
    std::vector<engine::LogSetFile> files;
};

FormController::FormController(engine::StatsStore& store, settings::SettingsBackend& backend,
                               WindowOps& window, FormOps& ops, std::string commandLine,
                               fs::path programFolder)
    : m_store(store),
      m_backend(backend),
      m_window(window),
      m_ops(ops),
      m_commandLine(std::move(commandLine)),
      m_programFolder(std::move(programFolder)) {}

FormController::~FormController() = default;

// ---------------------------------------------------------------------------------------------
// Start-up and the file row

void FormController::Form_Load() {
    m_loading = true;
    struct LoadingScope {
        bool& loading;
        ~LoadingScope() { loading = false; }
    } scope{m_loading};
    try {
        m_helpFilePath = findHelpFile(m_programFolder);
        // Before the stored game is looked up: it may be one of a game file. Refused files are
        // told once, together; start-up goes on with the others.
        const auto refused = engine::loadGameFolders(engine::standardGameFolders());
        if (!refused.empty())
            messageBox(texts::gameFilesRefused(refused), MessageStyle::OkInformation, texts::kGameFilesRefusedTitle);
        m_store.CurrentGame = settings::loadSelectedGame(m_backend);
        engine::LoadWeaponNames(m_store);
        // A stored word this program does not know keeps the default.
        m_store.NameDisplayChoice = engine::parseNameDisplay(settings::loadNameDisplay(m_backend))
                                        .value_or(engine::NameDisplay::Automatic);
        m_nameDisplay = static_cast<int>(m_store.NameDisplayChoice);
        m_ops.setNameDisplayChecked(m_nameDisplay);
        if (const auto log = parseCommandLine(m_commandLine)) {
            m_ops.setChosenFiles({log->path}, log->shownName);
            cmdAnalyze_Click();
        }
        m_window.setCaption(texts::mainCaption(m_store.CurrentGame));
    } catch (const std::exception& error) {
        startupError(error);
    }
}

void FormController::mnuGamesFolder_Click() {
    const fs::path folder = engine::userGamesFolder();
    std::error_code error;
    if (!folder.empty())
        fs::create_directories(folder, error);
    if (folder.empty() || error || !m_ops.openFolder(folder))
        m_window.messageBox(texts::gamesFolderError(pathText(folder)), MessageStyle::OkCritical,
                            texts::kGamesFolderErrorTitle);
}

void FormController::windowShown() {
    m_onScreen = true;
    auto held = std::move(m_heldMessages);
    m_heldMessages.clear();
    for (const HeldMessage& message : held)
        m_window.messageBox(message.prompt, message.style, message.title);
}

MessageAnswer FormController::messageBox(std::string_view prompt, MessageStyle style, std::string_view title) {
    if (m_loading && !m_onScreen) {
        if (style != MessageStyle::YesNoQuestion) {
            m_heldMessages.push_back({std::string(prompt), style, std::string(title)});
            return MessageAnswer::Ok;
        }
        // A question needs its answer now: the window comes first, so that the box opens over it.
        m_ops.showWindowNow();
        m_onScreen = true;
    }
    return m_window.messageBox(prompt, style, title);
}

void FormController::startupError(const std::exception& error) {
    // Only system errors carry a number of their own.
    const auto* systemError = dynamic_cast<const std::system_error*>(&error);
    messageBox(startupErrorText(error.what(), systemError ? systemError->code().value() : 0), MessageStyle::OkCritical,
               texts::kStartupErrorTitle);
}

void FormController::cmdBrowse_Click() {
    // Where the last log was chosen; the program's own folder only before any was.
    const auto request = browseRequest(m_store.CurrentGame, textPath(settings::loadLogFolder(m_backend)),
                                       m_programFolder);
    auto chosen = m_ops.chooseLogFiles(request);
    if (chosen.empty())
        return;
    // The dialog's order is the order of clicking; logs named by date read in time order by name.
    sortByPath(chosen);
    chooseFiles(chosen);
}

void FormController::chooseFiles(const std::vector<fs::path>& paths) {
    std::error_code error;
    fs::path folder = fs::absolute(paths.front(), error).parent_path();
    if (error)
        folder = paths.front().parent_path();
    settings::saveLogFolder(m_backend, pathText(folder.make_preferred()));
    m_ops.setChosenFiles(paths, chosenFilesText(paths));
    m_window.lstClear();
    m_reportShown = false;
    m_individualShown = -1;
    setHint(std::nullopt);  // it spoke of the previous log
}

bool FormController::acceptsDrop(const std::vector<fs::path>& paths) {
    if (paths.empty())
        return false;
    for (const fs::path& path : paths) {
        std::error_code error;
        if (!fs::is_regular_file(path, error) && !fs::is_directory(path, error))
            return false;
    }
    return true;
}

bool FormController::fileDropped(const std::vector<fs::path>& paths) {
    if (!acceptsDrop(paths))
        return false;
    std::vector<fs::path> sorted = paths;
    sortByPath(sorted);  // the file manager's order means nothing
    const engine::LogSet set = engine::expandLogPaths(sorted);
    // A folder that cannot be listed or holds no file is refused whole rather than half-taken.
    if (!set.failures.empty() || set.files.empty())
        return false;
    chooseFiles(set.files);
    return true;
}

// ---------------------------------------------------------------------------------------------
// The analysis and the reports

void FormController::cmdAnalyze_Click() {
    // The flag and the blocking end with the run even when it throws.
    struct RunScope {
        FormController& form;
        explicit RunScope(FormController& f) : form(f) {
            form.m_running = true;
            form.m_ops.runStarting();
        }
        ~RunScope() {
            form.m_running = false;
            form.m_ops.runFinished();
        }
    };
    std::optional<engine::LogSetResult> read;
    {
        RunScope run(*this);
        const auto ask = [this](std::string_view prompt, MessageStyle style, std::string_view title) {
            return messageBox(prompt, style, title);
        };
        read = analyzeChosenLogs(m_store, m_window, ask, [this] {
            for (const ReportButton button : kReportButtons)
                m_window.setReportButtonEnabled(button, true);
            showReport(ReportButton::GeneralInfo, reports::generalInfo(m_store));
            fillPlayerList();
        });
    }
    // A run that asked and was refused, or failed, leaves the window as it was, hint and export
    // included.
    if (read) {
        leaveSeason();  // the reports show this log now
        m_ops.updateWhoKilledWhom(rivalsMatrix(), m_store.NameDisplayChoice);
        rememberForExport(read->files);
        updateDetectionHint(*read);
    }
}

void FormController::rememberForExport(std::vector<engine::LogSetFile> files) {
    m_lastAnalysis = std::make_unique<LastAnalysis>(LastAnalysis{m_store, std::move(files)});
    m_ops.setExportEnabled(true);
}

void FormController::mnuExport_Click() {
    if (!m_lastAnalysis)
        return;
    auto request = exportRequest(m_lastAnalysis->files, textPath(settings::loadExportFolder(m_backend)),
                                 m_programFolder);
    if (m_season)  // a season's page is named after the season
        request.defaultName = textPath(seasonName() + ".html");
    const auto chosen = m_ops.chooseExportFile(request);
    if (!chosen)
        return;
    std::error_code error;
    fs::path folder = fs::absolute(chosen->path, error).parent_path();
    if (error)
        folder = chosen->path.parent_path();
    settings::saveExportFolder(m_backend, pathText(folder.make_preferred()));

    // Names as the window shows them now; everything else as the analysis left it.
    m_lastAnalysis->store.NameDisplayChoice = m_store.NameDisplayChoice;
    const ExportFormat format = exportFormatFor(chosen->path, chosen->filter);
    const std::string document = m_seasonView && format == ExportFormat::Html
                                     ? seasonExportDocument()
                                     : exportDocument(format, m_lastAnalysis->store, m_lastAnalysis->files);
    if (const Status written = exports::writeFileAtomically(chosen->path, document); !written) {
        std::string prompt = written.error().message;
        prompt += ".\n\n";
        prompt += texts::kExportFailedAdvice;
        messageBox(prompt, MessageStyle::OkCritical, texts::kExportErrorTitle);
        return;
    }
    // A save dialog closes the same way whether or not the write worked: say where the file is.
    messageBox(std::string(texts::kExportDonePrefix) + pathText(chosen->path) + std::string(texts::kExportDoneSuffix),
               MessageStyle::OkInformation, texts::kExportTitle);
}

bool FormController::closeRequested() {
    if (!m_running)
        return false;
    // A run cannot be torn down from inside its progress step; nothing is saved at exit, so
    // ending the program there ends the run with it.
    m_ops.endProgramDuringRun();
    return true;
}

void FormController::cmdOptions_Click(ReportButton button, int selectedPlayer) {
    switch (button) {
    case ReportButton::GeneralInfo:
        showReport(button, reports::generalInfo(m_store));
        break;
    case ReportButton::PlayerInfo:
        showReport(button, reports::playerInfo(m_store));
        break;
    case ReportButton::RivalsInfo:
        showReport(button, reports::rivalsInfo(m_store));
        break;
    case ReportButton::Ranking:
        if (m_seasonView) {
            m_seasonView->store.NameDisplayChoice = m_store.NameDisplayChoice;  // as the names menu says
            showReport(button, reports::ranking(*m_seasonView));
        }
        break;
    case ReportButton::IndividualInfo:
        if (selectedPlayer < 0) {
            messageBox(texts::kSelectPlayerFirst, MessageStyle::OkInformation, texts::kSelectPlayerFirstTitle);
            return;
        }
        lstPlayers_Click(selectedPlayer);
        break;
    }
}

void FormController::lstPlayers_Click(int position) {
    showReport(ReportButton::IndividualInfo, reports::individualInfoAt(m_store, position));
    m_individualShown = position;
}

void FormController::showReport(ReportButton button, const reports::Lines& lines) {
    m_window.lstClear();
    for (const std::string& line : lines)
        m_window.lstAddItem(line);
    m_reportShown = true;
    m_individualShown = -1;
    m_shownReport = button;
    setBold(button);
}

void FormController::setBold(ReportButton bold) {
    for (const ReportButton button : kReportButtons)
        m_window.setReportButtonBold(button, button == bold);
    if (m_season)
        m_window.setReportButtonBold(ReportButton::Ranking, bold == ReportButton::Ranking);
}

void FormController::fillPlayerList() {
    m_window.lstPlayersClear();
    for (const std::string& name : reports::playerList(m_store))
        m_window.lstPlayersAddItem(name);
    m_window.setPlayerCountCaption(texts::playerCountCaption(static_cast<std::size_t>(m_window.lstPlayersListCount())));
}

// ---------------------------------------------------------------------------------------------
// Game Select

GameSelectChoice FormController::gameSelectChoice() const {
    GameSelectChoice choice;
    for (const engine::Game& game : engine::games()) {
        if (choice.preselected < 0 && game.displayName == m_store.CurrentGame)
            choice.preselected = static_cast<int>(choice.games.size());
        choice.games.emplace_back(game.displayName);
        choice.descriptions.push_back(game.description.empty()
                                          ? std::string()
                                          : std::string(texts::kGameSelectReads) + std::string(game.description));
    }
    return choice;
}

bool FormController::gameSelectOkAllowed(int position) {
    // With nothing chosen there is no game to apply; storing "" would only reset the next start.
    return position >= 0 && static_cast<std::size_t>(position) < engine::games().size();
}

bool FormController::gameSelectOk(int position) {
    if (!gameSelectOkAllowed(position))
        return false;
    applyGame(std::string(engine::games()[static_cast<std::size_t>(position)].displayName));
    return true;
}

void FormController::applyGame(const std::string& game) {
    // The hint named the game in use as the one without kills; it no longer is.
    setHint(std::nullopt);
    leaveSeason();  // its statistics stay on show, as a log's do, under the new game's caption
    m_store.CurrentGame = game;
    settings::saveSelectedGame(m_backend, m_store.CurrentGame);
    m_window.setCaption(texts::mainCaption(m_store.CurrentGame));
    engine::LoadWeaponNames(m_store);
}

void FormController::mnuGameSel_Click() {
    if (const auto position = m_ops.runGameSelect(gameSelectChoice()))
        gameSelectOk(*position);
}

void FormController::mnuExit_Click() {
    m_ops.quit();
}

// ---------------------------------------------------------------------------------------------
// Help and About

void FormController::mnuHelp2_Click() {
    if (m_ops.startProgram(helpCommandLine(pathText(m_helpFilePath))))
        return;
    showHelpDocument();
}

void FormController::showHelpDocument() {
    std::error_code error;
    const bool present = fs::is_regular_file(m_helpFilePath, error);
    if (present && m_ops.showHelpDocument(m_helpFilePath))
        return;
    // Name the path: the user can then see whether the install is broken or the file was moved.
    messageBox(texts::helpErrorPrompt(pathText(m_helpFilePath), !present), MessageStyle::OkCritical,
               texts::kHelpErrorTitle);
}

void FormController::mnuAbout_Click() {
    m_ops.runAbout(aboutTexts());
}

AboutTexts FormController::aboutTexts() {
    return {std::string(texts::kAboutTitle), std::string(texts::kAboutCredit), std::string(texts::kAboutContact),
            std::string(texts::kAboutDescription), std::string(texts::kOk)};
}

// ---------------------------------------------------------------------------------------------
// Detection hint and names

namespace {

bool anyKill(const engine::StatsStore& store) {
    for (int slot = 1; slot <= engine::kMaxSlot; ++slot) {
        if (store.WeaponFrags[slot] > 0)
            return true;
    }
    return false;
}

}  // namespace

void FormController::setHint(std::optional<DetectionHint> hint) {
    if (!hint && !m_hint)
        return;
    m_hint = std::move(hint);
    m_ops.showDetectionHint(m_hint);
}

void FormController::updateDetectionHint(const engine::LogSetResult& read) {
    // Only an analysis that credited nothing asks the other games; a good one costs nothing more.
    if (anyKill(m_store)) {
        setHint(std::nullopt);
        return;
    }
    std::vector<fs::path> files;
    for (const engine::LogSetFile& file : read.files)
        files.push_back(file.path);
    const Result<engine::Detection> detection = engine::detectFirstReadable(files);
    if (!detection || !detection->best || detection->best->displayName == m_store.CurrentGame) {
        setHint(std::nullopt);
        return;
    }
    const std::string other(detection->best->displayName);
    const auto kills = static_cast<std::uint64_t>(engine::killsOf(*detection, detection->best));
    setHint(DetectionHint{detectionHintText(m_store.CurrentGame, read.lines, other, kills),
                          std::string(texts::kHintButtonPrefix) + other, other});
}

void FormController::cmdDetectedGame_Click() {
    if (!m_hint)
        return;
    const std::string game = m_hint->game;
    applyGame(game);
    cmdAnalyze_Click();
}

std::vector<std::string> FormController::nameDisplayEntries() {
    return {std::string(texts::kNamesAutomatic), std::string(texts::kNamesUtf8),
            std::string(texts::kNamesWindows1252), std::string(texts::kNamesQuake)};
}

void FormController::mnuNames_Click(int index) {
    if (index < 0 || index >= static_cast<int>(nameDisplayEntries().size()))
        return;
    const auto display = static_cast<engine::NameDisplay>(index);
    m_nameDisplay = index;
    m_store.NameDisplayChoice = display;
    settings::saveNameDisplay(m_backend, engine::nameDisplayWord(display));
    m_ops.setNameDisplayChecked(index);

    // What is on show is shown again in the new way: the players, and the report unless the list
    // was emptied for a newly chosen log.
    fillPlayerList();
    if (!m_reportShown)
        return;
    const int individual = m_individualShown;
    if (m_shownReport != ReportButton::IndividualInfo)
        cmdOptions_Click(m_shownReport, -1);
    else if (individual >= 0)
        lstPlayers_Click(individual);
}

// ---------------------------------------------------------------------------------------------
// Who killed whom

void FormController::mnuWhoKilledWhom_Click() {
    m_ops.showWhoKilledWhom(rivalsMatrix(), m_store.NameDisplayChoice);
}

reports::RivalsMatrix FormController::rivalsMatrix() const {
    return reports::RivalsMatrix(m_store.People, m_store.NameDisplayChoice);
}

}  // namespace fragtide::ui
