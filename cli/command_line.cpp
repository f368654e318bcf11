#include "cli/command_line.hpp"

#include "season/civil_time.hpp"

namespace fragtide::cli {
namespace {

Error usageError(std::string message) { return {ErrorKind::InvalidInput, std::move(message)}; }

std::optional<ReportKind> reportKind(std::string_view name) {
    if (name == "general")
        return ReportKind::General;
    if (name == "players")
        return ReportKind::Players;
    if (name == "player")
        return ReportKind::Player;
    if (name == "rivals")
        return ReportKind::Rivals;
    if (name == "ranking")
        return ReportKind::Ranking;
    if (name == "matches")
        return ReportKind::Matches;
    return std::nullopt;
}

// A player's place in the player list, from 1: digits only, no sign, no spaces.
std::optional<int> playerIndexValue(std::string_view text) {
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool isDate(std::string_view text) { return season::parseDate(text).has_value(); }

std::optional<ExportFormat> exportFormat(std::string_view name) {
    if (name == "html")
        return ExportFormat::Html;
    if (name == "csv")
        return ExportFormat::Csv;
    return std::nullopt;
}

// The format a file's extension names, in any case: "Season.HTML" is a page too.
std::optional<ExportFormat> formatOfFile(std::string_view file) {
    const auto dot = file.rfind('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    std::string extension(file.substr(dot + 1));
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return exportFormat(extension);
}

}  // namespace

const engine::Game* resolveGame(std::string_view name) {
    if (const engine::Game* game = engine::findGame(name))
        return game;
    for (const engine::Game& game : engine::games()) {
        if (game.alias == name)
            return &game;
    }
    return nullptr;
}

std::string gameList() {
    std::string list;
    for (const engine::Game& game : engine::games()) {
        list += "  ";
        list += game.alias;
        list.append(game.alias.size() < 13 ? 13 - game.alias.size() : 1, ' ');
        list += '"';
        list += game.displayName;
        list += "\"\n";
    }
    return list;
}

std::string gameSourceList() {
    std::string list;
    for (const engine::Game& game : engine::games()) {
        list += game.alias;
        list.append(game.alias.size() < 13 ? 13 - game.alias.size() : 1, ' ');
        list += '"';
        list += game.displayName;
        list += "\"  ";
        const std::string_view source = engine::gameSource(game);
        list += source.empty() ? std::string_view("built in") : source;
        list += '\n';
    }
    return list;
}

std::vector<std::string> gamesDirsOf(std::span<const std::string_view> args) {
    std::vector<std::string> dirs;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--")
            break;
        if (args[i].starts_with("--games-dir="))
            dirs.emplace_back(args[i].substr(12));
        else if (args[i] == "--games-dir" && i + 1 < args.size())
            dirs.emplace_back(args[++i]);
    }
    return dirs;
}

Result<Options> parseCommandLine(std::span<const std::string_view> args) {
    Options options;
    // Help and version answer whatever else the line holds, so a user stuck on an error gets help.
    for (const std::string_view arg : args) {
        if (arg == "--")
            break;
        if (arg == "--help" || arg == "-h")
            options.help = true;
        else if (arg == "--version")
            options.version = true;
    }
    if (options.help || options.version)
        return options;
    bool reportGiven = false;
    bool formatGiven = false;
    bool fileGiven = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            if (!fileGiven)
                options.file = arg;
            options.files.emplace_back(arg);
            fileGiven = true;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string_view name = arg;
        std::optional<std::string_view> inlineValue;
        if (const auto eq = arg.find('='); eq != std::string_view::npos && arg.starts_with("--")) {
            name = arg.substr(0, eq);
            inlineValue = arg.substr(eq + 1);
        }
        const auto takeValue = [&]() -> std::optional<std::string> {
            if (inlineValue)
                return std::string(*inlineValue);
            if (i + 1 >= args.size())
                return std::nullopt;
            return std::string(args[++i]);
        };
        if (name == "--json") {
            if (inlineValue)
                return usageError("--json takes no value");
            options.json = true;
        } else if (name == "--game") {
            if (options.game)
                return usageError("--game was given twice");
            options.game = takeValue();
            if (!options.game)
                return usageError("--game needs a game name");
        } else if (name == "--games-dir") {
            const auto value = takeValue();
            if (!value || value->empty())
                return usageError("--games-dir needs a folder of game files");
            options.gamesDirs.push_back(*value);
        } else if (name == "--check-game") {
            if (options.checkGame)
                return usageError("--check-game was given twice");
            options.checkGame = takeValue();
            if (!options.checkGame || options.checkGame->empty())
                return usageError("--check-game needs a game file");
        } else if (name == "--list-games") {
            if (inlineValue)
                return usageError("--list-games takes no value");
            options.listGames = true;
        } else if (name == "--print-game") {
            if (options.printGame)
                return usageError("--print-game was given twice");
            options.printGame = takeValue();
            if (!options.printGame)
                return usageError("--print-game needs the short name of a console game");
        } else if (name == "--names") {
            const auto value = takeValue();
            if (!value)
                return usageError("--names needs auto, utf-8, windows-1252 or quake");
            const auto display = engine::parseNameDisplay(*value);
            if (!display)
                return usageError("unknown name display '" + *value + "'; use auto, utf-8, windows-1252 or quake");
            options.names = *display;
        } else if (name == "--report") {
            if (reportGiven)
                return usageError("--report was given twice");
            const auto value = takeValue();
            if (!value)
                return usageError("--report needs general, players, player, rivals, ranking or matches");
            const auto kind = reportKind(*value);
            if (!kind)
                return usageError("unknown report '" + *value + "'; use general, players, player, rivals, ranking or matches");
            options.report = *kind;
            reportGiven = true;
            options.reportGiven = true;
        } else if (name == "--player") {
            if (options.player)
                return usageError("--player was given twice");
            options.player = takeValue();
            if (!options.player)
                return usageError("--player needs a player's name");
        } else if (name == "--player-index") {
            if (options.playerIndex)
                return usageError("--player-index was given twice");
            const auto value = takeValue();
            if (!value)
                return usageError("--player-index needs a number");
            const auto index = playerIndexValue(*value);
            if (!index)
                return usageError("--player-index needs a number from 1, not '" + *value + "'");
            if (*index == 0)
                return usageError("--player-index counts from 1; 0 names no player");
            options.playerIndex = index;
        } else if (name == "--export") {
            if (options.exportTo)
                return usageError("--export was given twice");
            options.exportTo = takeValue();
            if (!options.exportTo || options.exportTo->empty())
                return usageError("--export needs a file ending in .html or .csv, or - for standard output");
        } else if (name == "--format") {
            if (formatGiven)
                return usageError("--format was given twice");
            const auto value = takeValue();
            const auto format = value ? exportFormat(*value) : std::nullopt;
            if (!format)
                return usageError("--format needs html or csv");
            options.exportFormat = format;
            formatGiven = true;
        } else if (name == "--season") {
            if (options.season)
                return usageError("--season was given twice");
            options.season = takeValue();
            if (!options.season || options.season->empty())
                return usageError("--season needs a season file");
        } else if (name == "--add") {
            if (inlineValue)
                return usageError("--add takes no value; the logs and folders follow it");
            options.add = true;
        } else if (name == "--forget") {
            if (options.forget)
                return usageError("--forget was given twice");
            options.forget = takeValue();
            if (!options.forget || options.forget->empty())
                return usageError("--forget needs the path of a log of the season");
        } else if (name == "--since" || name == "--until") {
            auto& date = name == "--since" ? options.since : options.until;
            if (date)
                return usageError(std::string(name) + " was given twice");
            date = takeValue();
            if (!date || !isDate(*date))
                return usageError(std::string(name) + " needs a date written YYYY-MM-DD, such as 2026-11-30");
        } else {
            return usageError("unknown option '" + std::string(arg) + "'");
        }
    }

    if (options.season) {
        if (options.checkGame || options.listGames || options.printGame)
            return usageError("--check-game, --list-games and --print-game do not go with --season");
        if (options.add && options.forget)
            return usageError("--add and --forget each change the season; give one");
        if (options.add && !fileGiven)
            return usageError("--add needs the logs or folders to add");
        if (!options.add && fileGiven)
            return usageError("logs given with --season are added with --add; put --add before them");
        if (options.forget && (options.json || reportGiven || options.exportTo || options.since || options.until))
            return usageError("--forget prints nothing; leave out --json, --report, --export, --since and --until");
    } else {
        if (options.add || options.forget)
            return usageError(std::string(options.add ? "--add" : "--forget") + " needs --season FILE");
        if (options.since || options.until)
            return usageError(std::string(options.since ? "--since" : "--until") + " selects a season's matches; give --season FILE");
        if (options.report == ReportKind::Ranking || options.report == ReportKind::Matches)
            return usageError("--report ranking and matches are reports of a season; give --season FILE");
    }

    const int tasks = int{options.checkGame.has_value()} + int{options.listGames} + int{options.printGame.has_value()};
    if (tasks > 1)
        return usageError("--check-game, --list-games and --print-game each do a task of their own; give one");
    if (tasks == 1) {
        if (fileGiven)
            return usageError("--check-game, --list-games and --print-game read no log; leave out the log files");
        if (options.printGame && !resolveGame(*options.printGame))
            return usageError("unknown game '" + *options.printGame + "'; run fragtide-report --list-games");
        return options;
    }
    const bool playerGiven = options.player || options.playerIndex;
    if (options.json && (reportGiven || playerGiven))
        return usageError("--json prints the statistics, not a report; leave out --report and --player");
    if (options.player && options.playerIndex)
        return usageError("--player and --player-index both name the player; give one of them");
    if (playerGiven && !reportGiven)
        options.report = ReportKind::Player;
    if (options.report == ReportKind::Player && !playerGiven)
        return usageError("--report player needs --player NAME or --player-index N");
    if (options.report != ReportKind::Player && playerGiven)
        return usageError(std::string(options.player ? "--player" : "--player-index") +
                          " goes with --report player only");
    options.detectGame = options.game == kAutoGame;
    if (options.game && !options.detectGame && !resolveGame(*options.game)) {
        std::string list = gameList();
        list.pop_back();  // the message's own line end follows
        return usageError("unknown game '" + *options.game + "'; use one of these:\n" + list);
    }
    if (options.exportTo) {
        if (options.json || reportGiven || playerGiven)
            return usageError("--export writes the export instead of a report; leave out --json, --report and --player");
        if (*options.exportTo == "-") {
            if (!formatGiven)
                return usageError("--export - needs --format html or --format csv");
        } else if (formatGiven) {
            return usageError("--format goes with --export - only; a file's format is its extension");
        } else {
            options.exportFormat = formatOfFile(*options.exportTo);
            if (!options.exportFormat)
                return usageError("cannot tell the export's format from '" + *options.exportTo +
                                  "'; name a file ending in .html or .csv");
        }
    } else if (formatGiven) {
        return usageError("--format goes with --export - only");
    }
    if (!fileGiven && !options.season)
        return usageError("no log file was given");
    return options;
}

}  // namespace fragtide::cli
