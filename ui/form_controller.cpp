#include "ui/form_controller.hpp"

#include <algorithm>
#include <system_error>
#include <utility>

#include "common/thousands.hpp"
#include "engine/analysis_run.hpp"
#include "engine/display_text.hpp"
#include "engine/game_catalogue.hpp"
#include "engine/game_detector.hpp"
#include "engine/game_folders.hpp"
#include "engine/log_analysis.hpp"
#include "engine/log_set.hpp"
#include "engine/stats_store.hpp"
#include "engine/unicode_upper.hpp"
#include "export/atomic_file.hpp"
#include "reports/reports.hpp"
#include "reports/rivals.hpp"
#include "settings/game_setting.hpp"
#include "ui/message_text.hpp"
#include "ui/ui_texts.hpp"

namespace fragtide::ui {

using engine::MessageStyle;
namespace fs = std::filesystem;

namespace {

// In byte order of their UTF-8 text: within one folder, byte order of the names, as the command
// line orders a folder's files.
void sortByPath(std::vector<fs::path>& paths) {
    std::stable_sort(paths.begin(), paths.end(),
                     [](const fs::path& a, const fs::path& b) { return pathText(a) < pathText(b); });
}

}  // namespace

// The front end's window operations, passed on as they are; the controller only watches the
// report list being cleared, which ends any Individual Info on show.
class FormController::Screen : public engine::WindowOps {
public:
    Screen(engine::WindowOps& window, int& individualShown)
        : m_window(window), m_individualShown(individualShown) {}

    void lstClear() override {
        m_individualShown = -1;
        m_reportShown = false;
        m_window.lstClear();
    }
    void lstAddItem(std::string_view text) override {
        m_reportShown = true;
        m_window.lstAddItem(text);
    }
    // Whether the report list holds a report (it is empty after a new log was chosen).
    bool reportShown() const { return m_reportShown; }
    void lstPlayersClear() override { m_window.lstPlayersClear(); }
    void lstPlayersAddItem(std::string_view text) override { m_window.lstPlayersAddItem(text); }
    int lstPlayersListCount() const override { return m_window.lstPlayersListCount(); }
    std::string lstPlayersList(int position) const override { return m_window.lstPlayersList(position); }
    void setPlayerCountCaption(std::string_view text) override { m_window.setPlayerCountCaption(text); }
    void setProgressMin(double value) override { m_window.setProgressMin(value); }
    void setProgressMax(double value) override { m_window.setProgressMax(value); }
    void setProgressValue(double value) override { m_window.setProgressValue(value); }
    void setReportButtonEnabled(int index, bool enabled) override {
        m_window.setReportButtonEnabled(index, enabled);
    }
    void setReportButtonBold(int index, bool bold) override { m_window.setReportButtonBold(index, bold); }
    fs::path cdFileName() const override { return m_window.cdFileName(); }
    std::vector<fs::path> cdFileNames() const override { return m_window.cdFileNames(); }
    std::string txtFileText() const override { return m_window.txtFileText(); }
    void setCaption(std::string_view text) override { m_window.setCaption(text); }
    engine::MessageAnswer messageBox(std::string_view prompt, MessageStyle style,
                                     std::string_view title) override {
        return m_window.messageBox(prompt, style, title);
    }

private:
    engine::WindowOps& m_window;
    int& m_individualShown;
    bool m_reportShown = false;
};

// The last successful analysis as Export writes it: a copy of the statistics, so that a game
// chosen afterwards (which loads its own weapon names into the store) does not change it.
struct FormController::LastAnalysis {
    engine::StatsStore store;
    std::vector<engine::LogSetFile> files;
};

FormController::FormController(engine::StatsStore& store, settings::SettingsBackend& backend,
                               engine::WindowOps& window, FormOps& ops, std::string commandLine,
                               fs::path programFolder)
    : m_store(store),
      m_backend(backend),
      m_screen(std::make_unique<Screen>(window, m_individualShown)),
      m_window(*m_screen),
      m_ops(ops),
      m_commandLine(std::move(commandLine)),
      m_programFolder(std::move(programFolder)) {}

FormController::~FormController() = default;

// ---------------------------------------------------------------------------------------------
// Start-up and the file row

void FormController::Form_Load() {
    try {
        m_helpFilePath = findHelpFile(m_programFolder);
        // Before the stored game is looked up: it may be one of a game file. Refused files are
        // told once, together; start-up goes on with the others.
        const auto refused = engine::loadGameFolders(engine::standardGameFolders());
        if (!refused.empty())
            m_window.messageBox(texts::gameFilesRefused(refused), MessageStyle::OkInformation,
                                texts::kGameFilesRefusedTitle);
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

void FormController::startupError(const std::exception& error) {
    // Only system errors carry a number of their own.
    const auto* systemError = dynamic_cast<const std::system_error*>(&error);
    m_window.messageBox(startupErrorText(error.what(), systemError ? systemError->code().value() : 0),
                        MessageStyle::OkCritical, texts::kStartupErrorTitle);
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
    bool analysed = false;  // General Info is shown only once a log was read to its end
    std::optional<engine::LogSetResult> read;
    {
        RunScope run(*this);
        read = engine::cmdAnalyze_Click(m_store, m_window, [this, &analysed] {
            analysed = true;
            reports::ShowGeneralInfo(m_store, m_window);
        });
    }
    // A run that asked and was refused, or failed, leaves the window as it was, hint and export
    // included.
    if (analysed && read) {
        m_shownReport = 0;
        m_rivalsEnabled = true;
        m_ops.setRivalsButton(true, false);
        m_ops.updateWhoKilledWhom(rivalsMatrix(), m_store.NameDisplayChoice);
        m_lastAnalysis = std::make_unique<LastAnalysis>(LastAnalysis{m_store, read->files});
        m_ops.setExportEnabled(true);
        updateDetectionHint(*read);
    }
}

void FormController::mnuExport_Click() {
    if (!m_lastAnalysis)
        return;
    const auto request = exportRequest(m_lastAnalysis->files, textPath(settings::loadExportFolder(m_backend)),
                                       m_programFolder);
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
    const std::string document =
        exportDocument(exportFormatFor(chosen->path, chosen->filter), m_lastAnalysis->store, m_lastAnalysis->files);
    if (const Status written = exports::writeFileAtomically(chosen->path, document); !written) {
        std::string prompt = written.error().message;
        prompt += ".\n\n";
        prompt += texts::kExportFailedAdvice;
        m_window.messageBox(prompt, MessageStyle::OkCritical, texts::kExportErrorTitle);
    }
}

bool FormController::closeRequested() {
    if (!m_running)
        return false;
    // A run cannot be torn down from inside its progress step; nothing is saved at exit, so
    // ending the program there ends the run with it.
    m_ops.endProgramDuringRun();
    return true;
}

void FormController::cmdOptions_Click(int index, int selectedPlayer) {
    switch (index) {
    case 0:
        reports::ShowGeneralInfo(m_store, m_window);
        break;
    case 1:
        reports::ShowPlayerInfo(m_store, m_window);
        break;
    case kRivalsButton:
        reports::ShowRivalsInfo(m_store, m_window);
        break;
    case 2:
        if (selectedPlayer < 0) {
            m_window.messageBox(texts::kSelectPlayerFirst, MessageStyle::OkInformation,
                                texts::kSelectPlayerFirstTitle);
            return;
        }
        reports::ShowIndividualInfo(m_store, m_window, selectedPlayer);
        m_individualShown = selectedPlayer;
        break;
    default:
        return;
    }
    m_shownReport = index;
    setBold(index);
}

void FormController::lstPlayers_Click(int position) {
    m_shownReport = 2;
    setBold(2);
    reports::ShowIndividualInfo(m_store, m_window, position);
    m_individualShown = position;
}

void FormController::setBold(int index) {
    for (int i = 0; i < kReportButtons; ++i)
        m_window.setReportButtonBold(i, i == index);
    m_ops.setRivalsButton(m_rivalsEnabled, index == kRivalsButton);
}

// ---------------------------------------------------------------------------------------------
// Game Select

GameSelectChoice FormController::gameSelectChoice() const {
    GameSelectChoice choice;
    for (const engine::Game& game : engine::games()) {
        if (choice.preselected < 0 && game.displayName == m_store.CurrentGame)
            choice.preselected = static_cast<int>(choice.games.size());
        choice.games.emplace_back(game.displayName);
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
    if (fs::is_regular_file(m_helpFilePath, error) && m_ops.showHelpDocument(m_helpFilePath))
        return;
    m_window.messageBox(texts::kHelpErrorPrompt, MessageStyle::OkCritical, texts::kHelpErrorTitle);
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

std::string detectionHintText(std::string_view game, std::uint64_t lines, std::string_view other,
                              std::uint64_t kills) {
    std::string text(texts::kHintNoKillOf);
    text += game;
    text += texts::kHintFoundIn;
    text += withThousands(lines);
    text += lines == 1 ? texts::kHintLineLooksLike : texts::kHintLinesLooksLike;
    text += other;
    text += " (";
    text += withThousands(kills);
    text += kills == 1 ? texts::kHintKill : texts::kHintKills;
    return text;
}

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
    // Several logs are one server's season: the first that can be read speaks for all.
    Result<engine::Detection> detection = Error{ErrorKind::NotFound, "no log was read"};
    for (const engine::LogSetFile& file : read.files) {
        detection = engine::detectGame(file.path);
        if (detection)
            break;
    }
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
    m_window.lstPlayersClear();
    for (int p = 1; p <= engine::kMaxPlayers; ++p) {
        const std::string& name = m_store.PlayerNames()[p];
        if (!name.empty())
            m_window.lstPlayersAddItem(engine::displayName(m_store, name));
    }
    if (!m_screen->reportShown())
        return;
    const int individual = m_individualShown;
    if (m_shownReport == 2 && individual >= 0)
        lstPlayers_Click(individual);
    else if (m_shownReport == 1 || m_shownReport == kRivalsButton)
        cmdOptions_Click(m_shownReport, -1);
    else if (m_shownReport == 0)
        cmdOptions_Click(0, -1);
}

// ---------------------------------------------------------------------------------------------
// Who killed whom

void FormController::mnuWhoKilledWhom_Click() {
    m_ops.showWhoKilledWhom(rivalsMatrix(), m_store.NameDisplayChoice);
}

reports::RivalsMatrix FormController::rivalsMatrix() const {
    return reports::RivalsMatrix(m_store.People, m_store.NameDisplayChoice);
}

// ---------------------------------------------------------------------------------------------
// Helpers

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

// The next code point of UTF-8 `text` at `i`, or the byte itself when it is no valid sequence.
char32_t nextCodePoint(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length <= 1 || i + static_cast<std::size_t>(length) > text.size()) {
        ++i;
        return lead;
    }
    char32_t c = lead & (0xFF >> (length + 1));
    for (int k = 1; k < length; ++k) {
        if ((byte(i + static_cast<std::size_t>(k)) & 0xC0) != 0x80) {
            ++i;
            return lead;
        }
        c = (c << 6) | (byte(i + static_cast<std::size_t>(k)) & 0x3F);
    }
    i += static_cast<std::size_t>(length);
    return c;
}

// The lower case of `c`: the character whose simple upper case is `c`, looked for at the
// distances the cased scripts use (Latin-1, Greek and Cyrillic +32, Latin Extended pairs +1,
// Cyrillic Ѐ-Џ +80, Armenian +48).
char32_t simpleLower(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + 32;
    if (c < 0xC0)
        return c;
    for (const char32_t distance : {32u, 1u, 80u, 48u}) {
        const char32_t candidate = c + distance;
        if (engine::simpleUpper(candidate) == c)
            return candidate;
    }
    return c;
}

std::string toLowerText(std::string_view text) {
    std::string lower;
    lower.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        const char32_t c = nextCodePoint(text, i);
        if (i - start == 1 && c >= 0x80)
            lower += text[start];  // a stray byte stays as it was
        else
            engine::appendUtf8(lower, simpleLower(c));
    }
    return lower;
}

}  // namespace

std::optional<CommandLineLog> parseCommandLine(std::string_view text) {
    std::string_view path = text;
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
        path = path.substr(1, path.size() - 2);
    if (path.empty())
        return std::nullopt;

    // The name is the last part that is not empty, so "C:\Logs\" shows "logs" rather than
    // nothing: an empty txtFile would make the run skip the file without a word.
    std::size_t end = path.size();
    while (end > 0 && isSeparator(path[end - 1]))
        --end;
    std::size_t begin = end;
    while (begin > 0 && !isSeparator(path[begin - 1]))
        --begin;
    std::string_view name = path.substr(begin, end - begin);
    if (name.empty())
        name = path;  // nothing but separators
    return CommandLineLog{textPath(path), toLowerText(name)};
}

OpenFileRequest browseRequest(std::string_view game, const fs::path& lastFolder, const fs::path& programFolder) {
    OpenFileRequest request;
    request.title = std::string(texts::kOpenTitlePrefix) + std::string(game) + std::string(texts::kOpenTitleSuffix);
    request.filters = {{std::string(game) + std::string(texts::kGameLogFilterSuffix), "*.log"},
                       {std::string(texts::kTextFilesFilter), "*.txt"},
                       {std::string(texts::kAllFilesFilter), "*.*"}};
    std::error_code error;
    request.initialFolder = !lastFolder.empty() && fs::is_directory(lastFolder, error) ? lastFolder : programFolder;
    request.defaultSuffix = std::string(texts::kDefaultSuffix);
    request.allowMultiple = true;
    return request;
}

std::string chosenFilesText(const std::vector<fs::path>& paths) {
    if (paths.size() == 1)
        return pathText(paths.front().filename());
    return std::to_string(paths.size()) + std::string(texts::kFilesSuffix);
}

std::string helpCommandLine(std::string_view helpFilePath) {
    std::string command(texts::kWinHelpCommand);
    command += helpFilePath;
    return command;
}

fs::path findHelpFile(const fs::path& programFolder) {
    const fs::path name = textPath(texts::kHelpFileName);
    const fs::path beside = programFolder / name;
    std::error_code error;
    if (fs::is_regular_file(beside, error))
        return fs::path(beside).make_preferred();
    const fs::path installed = programFolder / ".." / "share" / "fragtide" / name;
    if (fs::is_regular_file(installed, error))
        return installed.lexically_normal().make_preferred();
    return fs::path(beside).make_preferred();
}

std::string pathText(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

fs::path textPath(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace fragtide::ui
