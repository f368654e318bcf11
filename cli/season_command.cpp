#include "cli/season_command.hpp"

#include <algorithm>
#include <memory>
#include <ostream>

#include "cli/cli_texts.hpp"
#include "cli/exit_codes.hpp"
#include "cli/json_writer.hpp"
#include "common/thousands.hpp"
#include "engine/log_file.hpp"
#include "engine/log_set.hpp"
#include "export/atomic_file.hpp"
#include "export/csv_export.hpp"
#include "export/season_html.hpp"
#include "reports/reports.hpp"
#include "reports/rivals.hpp"
#include "reports/season_reports.hpp"
#include "season/civil_time.hpp"
#include "season/season.hpp"

namespace fragtide::cli {
namespace {

// A season's own failures are all "the season cannot be used as asked": status 1, whatever kind.
int seasonFailure(std::ostream& err, const Error& error, std::string_view advice = {}) {
    err << texts::kProgram << ": " << error.message;
    if (!advice.empty())
        err << ". " << advice;
    err << '\n';
    return kExitUnreadable;
}

std::function<void(std::uint64_t, std::uint64_t, const std::filesystem::path&)> addProgress(
    const CommandEnvironment& env, std::ostream& err) {
    if (!env.stderrIsTerminal)
        return {};
    return [&err, shown = std::uint64_t{0}](std::uint64_t done, std::uint64_t total, const std::filesystem::path&) mutable {
        if (total <= engine::kLargeFileBytes || done - shown < (std::uint64_t{8} << 20))
            return;
        shown = done;
        err << '\r' << texts::kProgram << ": " << withThousands(done >> 20) << " of " << withThousands(total >> 20)
            << " MB read" << std::flush;
    };
}

int addLogs(season::Season& season, const Options& options, std::ostream& err, const CommandEnvironment& env) {
    season::AddOptions add;
    if (options.game && !options.detectGame) {
        add.game = std::string(resolveGame(*options.game)->displayName);
        add.forceGame = true;
        const std::string current = season.game();
        if (!current.empty() && current != add.game)
            return seasonFailure(err, {ErrorKind::InvalidInput, "the season '" + *options.season + "' is of " + current +
                                                                    ", not of " + add.game},
                                 "Leave out --game, or name that game");
    }
    add.progress = addProgress(env, err);
    std::vector<std::filesystem::path> paths;
    for (const std::string& file : options.files)
        paths.push_back(engine::pathFromText(file));
    const auto summary = season.add(paths, add);
    if (add.progress)
        err << '\r' << std::string(60, ' ') << '\r' << std::flush;
    if (!summary)
        return seasonFailure(err, summary.error(), texts::kSeeHelp);
    if (env.stderrIsTerminal) {
        err << texts::kProgram << ": " << summary->added << " added, " << summary->grown << " grown, "
            << summary->replaced << " replaced, " << summary->unchanged << " unchanged\n";
    }
    int code = kExitDone;
    for (const Error& failure : summary->failures)
        code = std::max(code, seasonFailure(err, failure));
    return code;
}

// The report lines of a season's statistics, as for a log; a player not found is named.
int printReport(const Options& options, const season::SeasonView& view, std::ostream& out, std::ostream& err) {
    const engine::StatsStore& store = view.store;
    reports::Lines lines;
    int code = kExitDone;
    switch (options.report) {
    case ReportKind::General:
        lines = reports::generalInfo(store);
        break;
    case ReportKind::Players:
        lines = reports::playerInfo(store);
        break;
    case ReportKind::Player: {
        const reports::Lines players = reports::playerList(store);
        const int count = static_cast<int>(players.size());
        if (options.playerIndex) {
            if (*options.playerIndex > count) {
                err << texts::kProgram << ": --player-index " << *options.playerIndex << " names no player; the season has "
                    << count << " players. " << texts::kSeePlayers << '\n';
                return kExitUsage;
            }
            lines = reports::individualInfoAt(store, *options.playerIndex - 1);
        } else if (const auto at = std::find(players.begin(), players.end(), *options.player); at != players.end()) {
            lines = reports::individualInfoAt(store, static_cast<int>(at - players.begin()));
        } else {
            lines = reports::individualInfo(store, *options.player);
            err << texts::kProgram << ": no player is called '" << *options.player << "' in the season. "
                << texts::kSeePlayers << '\n';
            code = kExitUnreadable;
        }
        break;
    }
    case ReportKind::Rivals:
        lines = reports::rivalsInfo(store);
        break;
    case ReportKind::Ranking:
        lines = reports::ranking(view);
        break;
    case ReportKind::Matches:
        lines = reports::matches(view);
        break;
    }
    for (const std::string& line : lines)
        out << line << '\n';
    return code;
}

}  // namespace

int runSeasonCommand(const Options& options, std::ostream& out, std::ostream& err, const CommandEnvironment& env) {
    const std::filesystem::path path = engine::pathFromText(*options.season);
    std::error_code missing;
    const bool made = options.add && !std::filesystem::exists(path, missing);
    auto season = options.add ? season::Season::openOrCreate(path) : season::Season::open(path);
    if (!season)
        return seasonFailure(err, season.error(), options.add ? texts::kSeeHelp : texts::kSeasonAdvice);
    if (options.forget) {
        const auto forgotten = season->forget(engine::pathFromText(*options.forget));
        if (!forgotten)
            return seasonFailure(err, forgotten.error());
        if (!*forgotten)
            return seasonFailure(err, {ErrorKind::NotFound, "the season '" + *options.season + "' holds no log '" +
                                                                *options.forget + "'"},
                                 "Run fragtide-report --season FILE --json to see its files");
        return kExitDone;
    }
    int code = kExitDone;
    if (options.add) {
        code = addLogs(*season, options, err, env);
        if (made && code != kExitDone && season->game().empty()) {
            // A season this command made and could add nothing to: no empty file is left behind.
            { const season::Season closed = std::move(*season); }
            for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
                std::error_code ignored;
                std::filesystem::remove(path.string() + suffix, ignored);
            }
            return code;
        }
        // Adding prints nothing unless a report, JSON or page is asked for too.
        if (!options.json && !options.exportTo && !options.reportGiven)
            return code;
    }
    season::TimeRange range;
    if (options.since)
        range.since = season::parseDate(*options.since);
    if (options.until)
        range.until = season::parseDate(*options.until);
    auto view = season->view(range);
    if (!view)
        return seasonFailure(err, view.error());
    view->store.NameDisplayChoice = options.names;
    if (options.exportTo) {
        const std::string name = engine::shownPath(path.stem());
        const std::string document = *options.exportFormat == ExportFormat::Html ? exports::seasonHtmlExport(*view, name)
                                                                                  : exports::csvExport(view->store);
        if (*options.exportTo == "-") {
            out << document;
        } else if (const Status written =
                       exports::writeFileAtomically(engine::pathFromText(*options.exportTo), document);
                   !written) {
            code = std::max(code, seasonFailure(err, written.error(), texts::kCheckTheExport));
        }
    } else if (options.json) {
        out << seasonJson(*view);
    } else {
        code = std::max(code, printReport(options, *view, out, err));
    }
    if (!out.flush()) {
        err << texts::kProgram << ": cannot write the report to standard output\n";
        return exitCodeFor(ErrorKind::Io);
    }
    return code;
}

}  // namespace fragtide::cli
