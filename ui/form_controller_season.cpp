// The form controller's seasons: File, New Season..., Open Season..., Add Logs to Season..., View,
// Matches, and the Ranking report.
#include <system_error>
#include <utility>

#include "common/thousands.hpp"
#include "engine/stats_store.hpp"
#include "export/export_texts.hpp"
#include "export/season_html.hpp"
#include "reports/season_reports.hpp"
#include "season/season_view.hpp"
#include "settings/game_setting.hpp"
#include "ui/form_controller.hpp"
#include "ui/ui_texts.hpp"

namespace fragtide::ui {

namespace fs = std::filesystem;

namespace {

std::string leftOut(const std::vector<Error>& failures) {
    std::string prompt(texts::kSeasonLogsLeftOut);
    prompt += "\n";
    for (const Error& failure : failures)
        prompt += "\n" + failure.message + ".";
    return prompt;
}

}  // namespace

std::string FormController::seasonName() const {
    return m_season ? pathText(m_season->path().stem()) : std::string();
}

void FormController::mnuNewSeason_Click() { openSeason(true); }
void FormController::mnuOpenSeason_Click() { openSeason(false); }

void FormController::openSeason(bool create) {
    if (!m_seasons)
        return;
    SeasonFileRequest request;
    request.title = std::string(create ? texts::kNewSeasonTitle : texts::kOpenSeasonTitle);
    request.filters = {{std::string(texts::kSeasonFilter), std::string(texts::kSeasonPattern)},
                       {std::string(texts::kAllFilesFilter), "*.*"}};
    // The last season's folder, else the last log's, else the program's.
    request.initialFolder = m_programFolder;
    for (const fs::path& folder : {textPath(settings::loadLastSeason(m_backend)).parent_path(),
                                   textPath(settings::loadLogFolder(m_backend))}) {
        std::error_code error;
        if (!folder.empty() && fs::is_directory(folder, error)) {
            request.initialFolder = folder;
            break;
        }
    }
    request.defaultSuffix = std::string(texts::kSeasonSuffix);
    request.create = create;
    const auto chosen = m_ops.chooseSeasonFile(request);
    if (!chosen)
        return;
    auto opened = m_seasons->open(*chosen, create);
    Result<season::SeasonView> view =
        opened ? (*opened)->view() : Result<season::SeasonView>(opened.error());
    if (!view) {
        // The season open before stays open: nothing the user had is lost to a wrong choice.
        messageBox(view.error().message + ".\n\n" + std::string(texts::kSeasonOpenAdvice), MessageStyle::OkCritical,
                   texts::kSeasonErrorTitle);
        return;
    }
    m_season = std::move(*opened);
    std::error_code error;
    const fs::path full = fs::absolute(m_season->path(), error);
    settings::saveLastSeason(m_backend, pathText(error ? m_season->path() : full));
    m_ops.setSeasonOpen(true);
    showSeason(std::move(*view));
}

void FormController::mnuAddToSeason_Click() {
    if (!m_season)
        return;
    OpenFileRequest request = browseRequest(m_seasonView->game, textPath(settings::loadLogFolder(m_backend)),
                                            m_programFolder);
    request.title = std::string(texts::kAddToSeasonTitle);
    if (m_seasonView->game.empty())  // the first log will say which game the season is
        request.filters.front() = {std::string(texts::kLogFilesFilter), "*.log"};
    const std::vector<fs::path> logs = m_ops.chooseLogFiles(request);
    if (logs.empty())
        return;
    settings::saveLogFolder(m_backend, pathText(logs.front().parent_path()));

    Result<season::AddSummary> added = Error{ErrorKind::Io, ""};
    {
        // As an analysis runs: input kept out, the window painted by the progress bar's updates.
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
        } run(*this);
        m_window.setProgressMin(0);
        m_window.setProgressMax(100);
        m_window.setProgressValue(0);
        season::AddOptions options;
        options.progress = [this](std::uint64_t done, std::uint64_t total, const fs::path&) {
            m_window.setProgressMax(static_cast<double>(total));
            m_window.setProgressValue(static_cast<double>(done));
        };
        added = m_season->add(logs, options);
        m_window.setProgressMax(100);
        m_window.setProgressValue(0);
    }
    if (!added) {
        messageBox(added.error().message + ".\n\n" + std::string(texts::kSeasonAddAdvice), MessageStyle::OkCritical,
                   texts::kSeasonErrorTitle);
        return;
    }
    auto view = m_season->view();
    if (!view) {
        messageBox(view.error().message + ".\n\n" + std::string(texts::kSeasonAddAdvice), MessageStyle::OkCritical,
                   texts::kSeasonErrorTitle);
        return;
    }
    showSeason(std::move(*view));
    if (!added->failures.empty())
        messageBox(leftOut(added->failures), MessageStyle::OkInformation, texts::kSeasonErrorTitle);
}

void FormController::showSeason(season::SeasonView view) {
    setHint(std::nullopt);  // it spoke of a log
    view.store.NameDisplayChoice = m_store.NameDisplayChoice;
    // The window shows statistics, never replays them: a season's event history, copied into the
    // window's store and the export's, would only hold memory.
    engine::KillEvents().swap(view.store.Events);
    if (view.store.CurrentGame.empty())
        view.store.CurrentGame = view.game;
    m_seasonView = std::make_unique<season::SeasonView>(std::move(view));
    // The reports, the player list and Who Killed Whom all read the window's store.
    m_store = m_seasonView->store;
    for (const ReportButton button : kReportButtons)
        m_window.setReportButtonEnabled(button, true);
    m_window.setReportButtonEnabled(ReportButton::Ranking, true);
    showReport(ReportButton::Ranking, reports::ranking(*m_seasonView));
    fillPlayerList();
    m_window.setCaption(texts::seasonCaption(seasonName(), m_seasonView->game));
    m_ops.updateWhoKilledWhom(rivalsMatrix(), m_store.NameDisplayChoice);
    m_ops.updateMatches(matchesTable());
    rememberForExport({});
}

void FormController::leaveSeason() {
    if (!m_season)
        return;
    m_season.reset();
    m_seasonView.reset();
    m_ops.setSeasonOpen(false);
    m_window.setCaption(texts::mainCaption(m_store.CurrentGame));
}

void FormController::mnuMatches_Click() {
    if (!m_seasonView)
        return;
    m_seasonView->store.NameDisplayChoice = m_store.NameDisplayChoice;  // as the names menu says
    m_ops.showMatches(matchesTable());
}

MatchesTable FormController::matchesTable() const {
    namespace et = exports::texts;
    MatchesTable table;
    table.title = std::string(texts::kMatchesTitlePrefix) + seasonName();
    for (const std::string_view heading : {et::kDate, et::kMap, et::kFile, et::kPlayers, et::kKills, et::kTopFraggerColumn})
        table.headings.emplace_back(heading);
    table.numeric = {false, false, false, true, true, false};
    if (!m_seasonView)
        return table;
    const engine::StatsStore& store = m_seasonView->store;
    for (const season::Match& match : m_seasonView->matches) {
        table.rows.push_back({reports::civilDateTime(match.start), reports::mapText(store, match),
                              reports::matchFileName(match), withThousands(match.players),
                              withThousands(match.kills),
                              match.topFragger.empty() ? std::string(et::kNobody)
                                                       : engine::displayName(store, match.topFragger)});
    }
    return table;
}

std::string FormController::seasonExportDocument() {
    m_seasonView->store.NameDisplayChoice = m_store.NameDisplayChoice;
    return exports::seasonHtmlExport(*m_seasonView, seasonName());
}

}  // namespace fragtide::ui
