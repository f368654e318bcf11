#include "cli/report_command.hpp"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <ostream>

#include "cli/cli_texts.hpp"
#include "cli/command_line.hpp"
#include "cli/exit_codes.hpp"
#include "cli/json_writer.hpp"
#include "cli/season_command.hpp"
#include "common/default_game.hpp"
#include "common/thousands.hpp"
#include "common/version.hpp"
#include "engine/display_text.hpp"
#include "engine/game_detector.hpp"
#include "engine/game_catalogue.hpp"
#include "engine/game_file.hpp"
#include "engine/game_folders.hpp"
#include "engine/log_analysis.hpp"
#include "engine/log_file.hpp"
#include "engine/log_set.hpp"
#include "export/atomic_file.hpp"
#include "export/csv_export.hpp"
#include "export/html_export.hpp"
#include "engine/stats_store.hpp"
#include "reports/reports.hpp"
#include "reports/rivals.hpp"


namespace fragtide::cli {
namespace {

// Lines between two progress updates at least: a few hundred for a gigabyte.
constexpr std::uint64_t kProgressEvery = 1 << 17;

int fail(std::ostream& err, const Error& error, std::string_view advice) {
    err << texts::kProgram << ": " << error.message;
    if (!advice.empty())
        err << ". " << advice;
    err << '\n';
    return exitCodeFor(error.kind);
}

std::string chosenGame(const Options& options, const CommandEnvironment& env, std::ostream& err) {
    if (options.game)
        return std::string(resolveGame(*options.game)->displayName);
    if (!env.storedGame)
        return std::string(kDefaultGame);
    std::string game = env.storedGame();
    // The window reads such a log and counts nothing; say so, since here nobody sees a caption.
    if (!engine::findGame(game)) {
        err << texts::kProgram << ": the game chosen in Fragtide, '" << engine::displayText(game)
            << "', is none this program knows, so no kill is counted. Choose one with --game.\n";
    }
    return game;
}

engine::LineProgress progressFor(const engine::LogSet& set, const CommandEnvironment& env, std::ostream& err) {
    if (!env.stderrIsTerminal || engine::totalSize(set) <= engine::kLargeFileBytes)
        return {};
    // Called per line or per batch, whichever the engine does: count, don't assume.
    return [&err, shown = std::uint64_t{0}](std::uint64_t lines) mutable {
        if (lines - shown < kProgressEvery)
            return;
        shown = lines;
        err << '\r' << texts::kProgram << ": " << lines << " lines read" << std::flush;
    };
}

engine::FragCount killsIn(const engine::StatsStore& store) {
    engine::FragCount kills = 0;
    for (const engine::FragCount n : store.WeaponFrags)
        kills += n;
    return kills;
}

// The note for an analysis that found no kill while `detection` names a game that finds some.
void noteLikelyGame(std::ostream& err, const engine::StatsStore& store, std::uint64_t lines,
                    const engine::Detection& detection) {
    const engine::Game* likely = detection.best;
    if (!likely || likely->displayName == store.CurrentGame)
        return;
    const auto kills = static_cast<std::uint64_t>(engine::killsOf(detection, likely));
    err << texts::kProgram << ": no kill of " << engine::displayText(store.CurrentGame) << " found in "
        << withThousands(lines) << (lines == 1 ? " line" : " lines") << ". This looks like a "
        << likely->displayName << " (" << withThousands(kills) << (kills == 1 ? " kill" : " kills")
        << "); use --game " << likely->alias << ".\n";
}

// The logs as the user named them: "'a'", "'a' and 'b'", "'a', 'b' and 'c'".
std::string namedLogs(const std::vector<std::string>& files) {
    std::string text;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (i > 0)
            text += i + 1 == files.size() ? " and " : ", ";
        text += "'" + files[i] + "'";
    }
    return text;
}

int positionOf(const reports::Lines& players, std::string_view name) {
    const auto found = std::find(players.begin(), players.end(), name);
    return found == players.end() ? -1 : static_cast<int>(found - players.begin());
}

// Reads the game files of the standard folders and of --games-dir before the command line names a
// game. A refused file is told and left out; a --games-dir that is no folder stops the run.
std::optional<int> loadGames(std::span<const std::string_view> args, std::ostream& err,
                             const CommandEnvironment& env) {
    std::vector<std::filesystem::path> folders = env.gameFolders;
    for (const std::string& dir : gamesDirsOf(args)) {
        folders.push_back(engine::pathFromText(dir));
        std::error_code ec;
        if (!std::filesystem::is_directory(folders.back(), ec)) {
            err << texts::kProgram << ": --games-dir '" << dir << "' is not a folder. " << texts::kSeeHelp << '\n';
            return kExitUsage;
        }
    }
    for (const std::string& refusal : engine::loadGameFolders(folders))
        err << texts::kProgram << ": " << refusal << " (that game file is left out)\n";
    return std::nullopt;
}

// --check-game: the file's own faults, then a name or alias another game already has (a game the
// file itself gave the catalogue, read from a games folder, is no other game).
int checkGameFile(const std::string& file, std::ostream& out, std::ostream& err) {
    const std::filesystem::path path = engine::pathFromText(file);
    const auto game = engine::readGameFile(path);
    if (!game) {
        err << texts::kProgram << ": " << game.error().message << '\n';
        return kExitUsage;
    }
    const rules::Game& g = (*game)->game();
    for (const engine::Game& other : engine::games()) {
        std::error_code ec;
        const std::string_view source = engine::gameSource(other);
        if (!source.empty() && std::filesystem::equivalent(std::filesystem::path(std::string(source)), path, ec))
            continue;
        const bool sameName = other.displayName == g.displayName;
        if (!sameName && other.alias != g.alias)
            continue;
        const engine::FilePlace place = sameName ? (*game)->namePlace() : (*game)->aliasPlace();
        err << texts::kProgram << ": " << file << ':' << place.line << ':' << place.column << ": the "
            << (sameName ? "name \"" + std::string(g.displayName) : "alias \"" + std::string(g.alias))
            << "\" is already that of "
            << (source.empty() ? std::string("a built-in game") : "the game of " + std::string(source)) << '\n';
        return kExitUsage;
    }
    out << file << ": \"" << g.displayName << "\" (" << g.alias << "), "
        << (g.kind == rules::KillSource::TemplateLines ? "a lines game" : "an obituaries game") << '\n';
    return out.flush() ? kExitDone : kExitUnreadable;
}

}  // namespace

int runFragtideReport(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
                      const CommandEnvironment& env) {
    if (const auto failed = loadGames(args, err, env))
        return *failed;
    auto parsed = parseCommandLine(args);
    if (!parsed) {
        const int code = fail(err, parsed.error(), "");
        err << texts::kUsage << texts::kSeeHelp << '\n';
        return code;
    }
    const Options& options = *parsed;
    if (options.help) {
        out << texts::kUsage << '\n' << texts::kHelp << gameList();
        return out.flush() ? kExitDone : kExitUnreadable;
    }
    if (options.version) {
        out << texts::kProgram << ' ' << FRAGTIDE_VERSION_TEXT << '\n';
        return out.flush() ? kExitDone : kExitUnreadable;
    }
    if (options.checkGame)
        return checkGameFile(*options.checkGame, out, err);
    if (options.listGames) {
        out << gameSourceList();
        return out.flush() ? kExitDone : kExitUnreadable;
    }
    if (options.printGame) {
        const auto text = engine::gameFileText(*resolveGame(*options.printGame));
        if (!text)
            return fail(err, text.error(), texts::kSeeHelp);
        out << *text;
        return out.flush() ? kExitDone : kExitUnreadable;
    }

    if (options.season)
        return runSeasonCommand(options, out, err, env);

    std::vector<std::filesystem::path> paths;
    for (const std::string& file : options.files)
        paths.push_back(engine::pathFromText(file));
    const engine::LogSet set = engine::expandLogPaths(paths);

    // About 80 KB: on the heap, away from Windows' small default stack.
    auto store = std::make_unique<engine::StatsStore>();
    store->NameDisplayChoice = options.names;
    std::optional<engine::Detection> detection;
    if (options.detectGame) {
        auto detected = engine::detectFirstReadable(set.files);
        if (!detected)
            return fail(err, detected.error(), texts::kCheckThePath);
        detection = std::move(*detected);
        if (detection->best) {
            store->CurrentGame = detection->best->displayName;
        } else {
            store->CurrentGame = kDefaultGame;
            err << texts::kProgram << ": no game finds a kill in " << namedLogs(options.files) << "; reading it as "
                << kDefaultGame << ".\n";
        }
    } else {
        store->CurrentGame = chosenGame(options, env, err);
    }
    engine::LoadWeaponNames(*store);
    const engine::LineProgress progress = progressFor(set, env, err);
    const auto analysed = engine::analyzeLogSet(*store, set, progress);
    if (progress)
        err << '\r' << std::string(60, ' ') << '\r' << std::flush;
    // A partly read log would give plausible but wrong figures: print none of them.
    if (!analysed) {
        const bool memory = analysed.error().kind == ErrorKind::OutOfMemory;
        return fail(err, analysed.error(), memory ? texts::kFreeMemory : texts::kCheckThePath);
    }
    // Nothing read at all is the one log that could not be read, as ever: no figures.
    if (analysed->files.empty() && !analysed->failures.empty()) {
        for (std::size_t i = 1; i < analysed->failures.size(); ++i)
            fail(err, analysed->failures[i - 1], "");
        return fail(err, analysed->failures.back(), texts::kCheckThePath);
    }

    if (killsIn(*store) == 0 && engine::findGame(store->CurrentGame)) {
        // Nothing found: the likeliest reason is the wrong game. Only a note; the report stands.
        if (!detection) {
            if (auto detected = engine::detectFirstReadable(set.files))
                detection = std::move(*detected);
        }
        if (detection)
            noteLikelyGame(err, *store, analysed->lines, *detection);
    }

    int code = kExitDone;
    if (options.exportTo) {
        const std::string document = *options.exportFormat == ExportFormat::Html
                                         ? exports::htmlExport(*store, analysed->files)
                                         : exports::csvExport(*store);
        if (*options.exportTo == "-") {
            out << document;
        } else if (const Status written = exports::writeFileAtomically(engine::pathFromText(*options.exportTo), document);
                   !written) {
            code = fail(err, written.error(), texts::kCheckTheExport);
        }
    } else if (options.json) {
        writeStatisticsJson(out, *store, options.detectGame && detection ? &*detection : nullptr, analysed->files);
    } else {
        const reports::Lines players = reports::playerList(*store);
        const int playerCount = static_cast<int>(players.size());
        reports::Lines lines;
        switch (options.report) {
        case ReportKind::General:
            lines = reports::generalInfo(*store);
            break;
        case ReportKind::Players:
            lines = reports::playerInfo(*store);
            break;
        case ReportKind::Player:
            if (options.playerIndex) {
                // Out of range is a wrong command line, like an unknown option: nothing on stdout.
                if (*options.playerIndex > playerCount) {
                    err << texts::kProgram << ": --player-index " << *options.playerIndex << " names no player; "
                        << namedLogs(options.files) << (options.files.size() == 1 ? " has " : " have ") << playerCount << " players. "
                        << texts::kSeePlayers << '\n';
                    return kExitUsage;
                }
                lines = reports::individualInfoAt(*store, *options.playerIndex - 1);
            } else if (const int position = positionOf(players, *options.player); position >= 0) {
                lines = reports::individualInfoAt(*store, position);
            } else {
                lines = reports::individualInfo(*store, *options.player);
                err << texts::kProgram << ": no player is called '" << *options.player << "' in "
                    << namedLogs(options.files) << ". " << texts::kSeePlayers << '\n';
                code = kExitUnreadable;
            }
            break;
        case ReportKind::Rivals:
            lines = reports::rivalsInfo(*store);
            break;
        case ReportKind::Ranking:
        case ReportKind::Matches:
            break;  // refused without --season by the command line
        }
        for (const std::string& line : lines)
            out << line << '\n';
    }
    // One unreadable file stops nothing, but the figures lack it: say which, and fail after them.
    for (const Error& failure : analysed->failures)
        code = std::max(code, fail(err, failure, ""));
    if (!out.flush()) {
        err << texts::kProgram << ": cannot write the report to standard output\n";
        return exitCodeFor(ErrorKind::Io);
    }
    return code;
}

}  // namespace fragtide::cli
