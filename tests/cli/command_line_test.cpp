#include <gtest/gtest.h>

#include <vector>

#include "cli/command_line.hpp"

namespace fragtide::cli {
namespace {

Result<Options> parse(std::vector<std::string_view> args) { return parseCommandLine(args); }

TEST(CommandLine, ReadsEveryFormOfTheOptions) {
    struct Case {
        const char* what;
        std::vector<std::string_view> args;
        std::optional<std::string> game;
        ReportKind report;
        std::optional<std::string> player;
        bool json;
        std::string file;
    };
    const Case cases[] = {
        {"file only", {"a.log"}, std::nullopt, ReportKind::General, std::nullopt, false, "a.log"},
        {"alias", {"--game", "q2", "a.log"}, "q2", ReportKind::General, std::nullopt, false, "a.log"},
        {"display string after =", {"--game=Quake II : Standard", "a.log"}, "Quake II : Standard",
         ReportKind::General, std::nullopt, false, "a.log"},
        {"file first", {"a.log", "--report", "players"}, std::nullopt, ReportKind::Players, std::nullopt,
         false, "a.log"},
        {"player report", {"--report=player", "--player", "Ace K", "a.log"}, std::nullopt, ReportKind::Player,
         "Ace K", false, "a.log"},
        {"--player alone", {"--player", "Jo", "a.log"}, std::nullopt, ReportKind::Player, "Jo", false, "a.log"},
        {"a player named like an option", {"--player", "--json", "a.log"}, std::nullopt, ReportKind::Player,
         "--json", false, "a.log"},
        {"json", {"--json", "--game", "cs", "a.log"}, "cs", ReportKind::General, std::nullopt, true, "a.log"},
        {"-- before a file named like an option", {"--json", "--", "--odd.log"}, std::nullopt,
         ReportKind::General, std::nullopt, true, "--odd.log"},
        {"a lone dash is a file", {"-"}, std::nullopt, ReportKind::General, std::nullopt, false, "-"},
        {"rivals", {"--report", "rivals", "a.log"}, std::nullopt, ReportKind::Rivals, std::nullopt, false, "a.log"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto options = parse(c.args);
        ASSERT_TRUE(options) << options.error().message;
        EXPECT_EQ(options->game, c.game);
        EXPECT_EQ(options->report, c.report);
        EXPECT_EQ(options->player, c.player);
        EXPECT_EQ(options->json, c.json);
        EXPECT_EQ(options->file, c.file);
    }
}

TEST(CommandLine, RefusesWhatItCannotUseAndSaysWhy) {
    struct Case {
        const char* what;
        std::vector<std::string_view> args;
        std::string_view says;
    };
    const Case cases[] = {
        {"nothing", {}, "no log file"},
        {"unknown option", {"--games", "q1", "a.log"}, "unknown option '--games'"},
        {"game without a value", {"a.log", "--game"}, "--game needs"},
        {"unknown game, listing the valid ones", {"--game", "q9", "a.log"},
         "unknown game 'q9'; use one of these:\n  q1           \"Quake I : Standard\""},
        {"game in another case", {"--game", "quake ii : standard", "a.log"}, "unknown game"},
        {"unknown report", {"--report", "weapons", "a.log"}, "unknown report 'weapons'"},
        {"player report without a player", {"--report", "player", "a.log"}, "needs --player"},
        {"player with another report", {"--report", "general", "--player", "Jo", "a.log"},
         "--player goes with --report player"},
        {"json with a report", {"--json", "--report", "players", "a.log"}, "--json prints the statistics"},
        {"json with a player", {"--json", "--player", "Jo", "a.log"}, "--json prints the statistics"},
        {"a flag with a value", {"--json=yes", "a.log"}, "--json takes no value"},
        {"game twice", {"--game", "q1", "--game", "q2", "a.log"}, "--game was given twice"},
        {"logs for a season without --add", {"--season", "s", "a.log"}, "put --add before them"},
        {"add without logs", {"--season", "s", "--add"}, "--add needs the logs"},
        {"add without a season", {"--add", "a.log"}, "--add needs --season"},
        {"add and forget", {"--season", "s", "--forget", "a.log", "--add", "b.log"}, "give one"},
        {"a range of logs", {"--since", "2026-11-01", "a.log"}, "give --season"},
        {"a date that is none", {"--season", "s", "--until", "2026-02-30"}, "needs a date written YYYY-MM-DD"},
        {"a season's report of logs", {"--report", "ranking", "a.log"}, "reports of a season"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto options = parse(c.args);
        ASSERT_FALSE(options);
        EXPECT_EQ(options.error().kind, ErrorKind::InvalidInput);
        EXPECT_NE(options.error().message.find(c.says), std::string::npos) << options.error().message;
    }
}

TEST(CommandLine, TakesSeveralFilesInOrder) {
    const auto options = parse({"a.log", "--game", "q1", "logs/", "--", "-b.log"});
    ASSERT_TRUE(options) << options.error().message;
    EXPECT_EQ(options->file, "a.log");
    EXPECT_EQ(options->files, (std::vector<std::string>{"a.log", "logs/", "-b.log"}));
}

TEST(CommandLine, TakesTheExportFormatFromTheFileOrFromFormat) {
    struct Case {
        const char* what;
        std::vector<std::string_view> args;
        std::optional<ExportFormat> format;  // nothing: a usage error
        std::string_view says;
    };
    const Case cases[] = {
        {"html", {"--export", "season.html", "a.log"}, ExportFormat::Html, ""},
        {"csv after =, any case", {"--export=Season.CSV", "a.log"}, ExportFormat::Csv, ""},
        {"stdout with a format", {"--export", "-", "--format", "html", "a.log"}, ExportFormat::Html, ""},
        {"another extension", {"--export", "season.htm", "a.log"}, std::nullopt, "cannot tell the export's format"},
        {"no extension", {"--export", "season", "a.log"}, std::nullopt, "name a file ending in .html or .csv"},
        {"stdout without a format", {"--export", "-", "a.log"}, std::nullopt, "needs --format"},
        {"an unknown format", {"--export", "-", "--format", "pdf", "a.log"}, std::nullopt, "--format needs html or csv"},
        {"format with a file", {"--export", "a.csv", "--format", "csv", "a.log"}, std::nullopt, "--format goes with"},
        {"format alone", {"--format", "csv", "a.log"}, std::nullopt, "--format goes with --export -"},
        {"export with json", {"--json", "--export", "a.csv", "a.log"}, std::nullopt, "instead of a report"},
        {"export with a report", {"--report", "players", "--export", "a.csv", "a.log"}, std::nullopt,
         "instead of a report"},
        {"export without a value", {"a.log", "--export"}, std::nullopt, "--export needs"},
        {"export twice", {"--export", "a.csv", "--export", "b.csv", "a.log"}, std::nullopt, "given twice"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto options = parse(c.args);
        if (!c.format) {
            ASSERT_FALSE(options);
            EXPECT_EQ(options.error().kind, ErrorKind::InvalidInput);
            EXPECT_NE(options.error().message.find(c.says), std::string::npos) << options.error().message;
            continue;
        }
        ASSERT_TRUE(options) << options.error().message;
        EXPECT_EQ(options->exportFormat, c.format);
    }
}

TEST(CommandLine, TakesAPlayerIndexFromOneAndRefusesAnythingElse) {
    struct Case {
        const char* what;
        std::vector<std::string_view> args;
        std::optional<int> index;   // nullopt: refused
        std::string_view says = {};  // part of the refusal
    };
    const Case cases[] = {
        {"alone, meaning --report player", {"--player-index", "2", "a.log"}, 2},
        {"after =", {"--report=player", "--player-index=17", "a.log"}, 17},
        {"leading zeros", {"--player-index", "007", "a.log"}, 7},
        {"zero", {"--player-index", "0", "a.log"}, std::nullopt, "counts from 1"},
        {"negative", {"--player-index", "-1", "a.log"}, std::nullopt, "a number from 1, not '-1'"},
        {"a name", {"--player-index", "Bob", "a.log"}, std::nullopt, "not 'Bob'"},
        {"trailing letters", {"--player-index", "2x", "a.log"}, std::nullopt, "not '2x'"},
        {"empty", {"--player-index=", "a.log"}, std::nullopt, "not ''"},
        {"too many digits", {"--player-index", "99999999999", "a.log"}, std::nullopt, "a number"},
        {"missing", {"a.log", "--player-index"}, std::nullopt, "--player-index needs a number"},
        {"twice", {"--player-index", "1", "--player-index", "2", "a.log"}, std::nullopt, "given twice"},
        {"with --player", {"--player", "Jo", "--player-index", "1", "a.log"}, std::nullopt, "give one of them"},
        {"with another report", {"--report", "players", "--player-index", "1", "a.log"}, std::nullopt,
         "--player-index goes with --report player"},
        {"with --json", {"--json", "--player-index", "1", "a.log"}, std::nullopt, "--json prints"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto options = parse(c.args);
        if (c.index) {
            ASSERT_TRUE(options) << options.error().message;
            EXPECT_EQ(options->playerIndex, c.index);
            EXPECT_EQ(options->report, ReportKind::Player);
            EXPECT_FALSE(options->player);
        } else {
            ASSERT_FALSE(options);
            EXPECT_EQ(options.error().kind, ErrorKind::InvalidInput);
            EXPECT_NE(options.error().message.find(c.says), std::string::npos) << options.error().message;
        }
    }
}

TEST(CommandLine, AnswersHelpAndVersionWhateverElseIsWrong) {
    const auto help = parse({"--help", "--report", "weapons"});
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->help);
    const auto version = parse({"--version"});
    ASSERT_TRUE(version);
    EXPECT_TRUE(version->version);
}

TEST(ResolveGame, TakesTheExactDisplayStringOrTheShortName) {
    struct Case {
        std::string_view name;
        std::string_view game;  // "" for none
    };
    const Case cases[] = {
        {"q1", "Quake I : Standard"},
        {"q1-warhaven", "Quake I : Warhaven"},
        {"q1-ctf", "Quake I : Capture The Flag"},
        {"q2", "Quake II : Standard"},
        {"q2-action", "Quake II : Action Quake"},
        {"cs", "Half-Life : Counter-Strike"},
        {"Half-Life : Counter-Strike", "Half-Life : Counter-Strike"},
        {"Quake I : Standard ", ""},
        {"Quake I: Standard", ""},
        {"Q1", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const engine::Game* game = resolveGame(c.name);
        EXPECT_EQ(game ? game->displayName : "", c.game);
    }
}

}  // namespace
}  // namespace fragtide::cli
