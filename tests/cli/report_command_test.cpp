#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "cli/report_command.hpp"
#include "tests/support/temp_dir.hpp"

namespace fragtide::cli {
namespace {

namespace fs = std::filesystem;

// The tests' temporary folder, with paths spelled as the command line receives them (UTF-8).
class TempDir : public testing::TempDir {
public:
    // Writes `bytes` to `name` and returns the path as the command line would spell it.
    std::string write(const std::string& name, std::string_view bytes) const {
        return pathText(testing::TempDir::write(name, bytes));
    }
    std::string path(const std::string& name) const { return pathText(testing::TempDir::path() / name); }

private:
    static std::string pathText(const fs::path& p) {
        const std::u8string u8 = p.u8string();
        return std::string(u8.begin(), u8.end());
    }
};

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

Outcome run(std::vector<std::string> args, const CommandEnvironment& env = {}) {
    const std::vector<std::string_view> views(args.begin(), args.end());
    std::ostringstream out, err;
    const int code = runFragtideReport(views, out, err, env);
    return {code, out.str(), err.str()};
}

// Bob, Alice and Carol score in that order; Alice most. CRLF, LF and a last line without an end.
constexpr std::string_view kQ1Log =
    "Alice was ax-murdered by Bob\r\n"
    "Bob entered the game\n"
    "Carol was nailed by Alice\r\n"
    "Bob rides Alice's rocket\n"
    "Alice accepts Carol's shaft\r\n"
    "Carol was gibbed by Alice's grenade";

TEST(FragtideReport, PrintsEachReportAsItsLines) {
    TempDir dir;
    const std::string log = dir.write("q1.log", kQ1Log);
    struct Case {
        const char* what;
        std::vector<std::string> args;
        std::string out;
    };
    const Case cases[] = {
        {"general by default", {"--game", "q1", log},
         "LIST OF ALL KILLS PER WEAPON:\n\nFrags with Axe: 1\nFrags with Nailgun: 1\n"
         "Frags with Grenade Launcher: 1\nFrags with Rocket Launcher: 1\nFrags with Thunderbolt: 1\n\n"
         "BIG NUMBERS:\n\nPlayer of the match : Alice with 3 frags! What a fragmonster!\n\n\n"},
        {"players", {"--game", "Quake I : Standard", "--report", "players", log},
         "LIST OF PLAYERS AND FRAGS PER PLAYER:\n\nBob has 1 frags\nAlice has 3 frags\nCarol has 1 frags\n\n"
         "PERCENTAGES:\n\nBob did 20 % of the fragging\nAlice did 60 % of the fragging\n"
         "Carol did 20 % of the fragging\n\n"},
        {"player", {"--game", "q1", "--report", "player", "--player", "Alice", log},
         "INDIVIDUAL PLAYER SCORES FOR ALICE:\n\nTotal frags: 3\n\nFrags per weapon :\n"
         "Frags with Nailgun: 1\nFrags with Grenade Launcher: 1\nFrags with Rocket Launcher: 1\n\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome r = run(c.args);
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, "");
    }
}

TEST(FragtideReport, PrintsTheReportOfNobodyForAnUnknownPlayerAndFails) {
    TempDir dir;
    const std::string log = dir.write("q1.log", kQ1Log);
    // Names are exact and case-sensitive.
    const Outcome r = run({"--game", "q1", "--player", "alice", log});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "INDIVIDUAL PLAYER SCORES FOR ALICE:\n\nTotal frags: \n\nFrags per weapon :\n\n");
    EXPECT_NE(r.err.find("no player is called 'alice'"), std::string::npos) << r.err;
}

TEST(FragtideReport, NamesEveryLogGivenWhenAPlayerIsMissing) {
    TempDir dir;
    const std::string a = dir.write("a.log", kQ1Log);
    const std::string b = dir.write("b.log", kQ1Log);
    const std::string c = dir.write("c.log", kQ1Log);
    Outcome r = run({"--game", "q1", "--player", "Nobody", a, b, c});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("in '" + a + "', '" + b + "' and '" + c + "'."), std::string::npos) << r.err;
    r = run({"--game", "q1", "--report", "player", "--player-index", "9", a, b});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("'" + a + "' and '" + b + "' have 3 players"), std::string::npos) << r.err;
}

TEST(FragtideReport, MeansTheEarlierPlayerWhenTwoDisplayAlike) {
    TempDir dir;
    // The same name in Windows-1252 and in UTF-8: two players, one displayed name.
    const std::string log = dir.write("alike.log",
                                      "Bob was ax-murdered by Jo\xe9\n"
                                      "Bob was nailed by Jo\xc3\xa9\n"
                                      "Bob was nailed by Jo\xc3\xa9\n");
    const Outcome r = run({"--game", "q1", "--player", "Jo\xc3\xa9", log});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "INDIVIDUAL PLAYER SCORES FOR JO\xc3\x89:\n\nTotal frags: 1\n\nFrags per weapon :\n"
                     "Frags with Axe: 1\n\n");
}

TEST(FragtideReport, ReachesEachOfTwoAlikePlayersByHisIndex) {
    TempDir dir;
    const std::string log = dir.write("alike.log",
                                      "Bob was ax-murdered by Jo\xe9\n"
                                      "Bob was nailed by Jo\xc3\xa9\n"
                                      "Bob was nailed by Jo\xc3\xa9\n");
    struct Case {
        const char* what;
        std::string index;
        std::string out;
    };
    const Case cases[] = {
        {"first, Windows-1252", "1",
         "INDIVIDUAL PLAYER SCORES FOR JO\xc3\x89:\n\nTotal frags: 1\n\nFrags per weapon :\n"
         "Frags with Axe: 1\n\n"},
        {"second, UTF-8", "2",
         "INDIVIDUAL PLAYER SCORES FOR JO\xc3\x89:\n\nTotal frags: 2\n\nFrags per weapon :\n"
         "Frags with Nailgun: 2\n\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome r = run({"--game", "q1", "--player-index", c.index, log});
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, "");
    }
}

TEST(FragtideReport, RefusesAPlayerIndexPastTheLastPlayerAsAUsageError) {
    TempDir dir;
    const std::string log = dir.write("q1.log", kQ1Log);  // three players
    const Outcome r = run({"--game", "q1", "--player-index", "4", log});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("--player-index 4 names no player"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("has 3"), std::string::npos) << r.err;
    EXPECT_EQ(run({"--game", "q1", "--player-index", "3", log}).code, 0);
}

TEST(FragtideReport, ReachesThe250thScorerOfABusyServer) {
    TempDir dir;
    std::string text;
    for (int i = 1; i <= 250; ++i)
        text += "Al was nailed by P" + std::to_string(i) + "\n";
    const std::string log = dir.write("busy.log", text);
    const Outcome r = run({"--game", "q1", "--player-index", "250", log});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("INDIVIDUAL PLAYER SCORES FOR P250:\n\nTotal frags: 1\n"), std::string::npos) << r.out;
}

TEST(FragtideReport, FailsWithoutAnyReportWhenTheLogCannotBeRead) {
    TempDir dir;
    struct Case {
        const char* what;
        std::string file;
        std::string_view says;
    };
    // A sparse file of zero bytes: one line, one byte longer than any line Fragtide reads.
    const std::string binary = dir.write("binary.exe", "");
    fs::resize_file(fs::path(std::u8string(binary.begin(), binary.end())), (std::uintmax_t{256} << 20) + 1);
    const Case cases[] = {
        {"missing", dir.path("gone.log"), "no such file"},
        {"a line too long", binary, "line 1 is longer than 256 MiB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome r = run({"--game", "q1", c.file});
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("cannot read '"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("Check the path"), std::string::npos) << r.err;
    }
}

// A season the add makes but can add nothing to leaves no empty file; one that was there stays.
TEST(FragtideReport, LeavesNoNewSeasonBehindWhenNoLogCouldBeAdded) {
    TempDir dir;
    const std::string season = dir.path("new.fragtide-season");
    const std::string gone = dir.path("gone.log");
    Outcome r = run({"--season", season, "--add", gone});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("gone.log"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(fs::path(std::u8string(season.begin(), season.end()))));

    const std::string log = dir.write("a.log", "Ann was nailed by Bob\n");
    ASSERT_EQ(run({"--season", season, "--game", "q1", "--add", log}).code, 0);
    r = run({"--season", season, "--add", gone});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(run({"--season", season, "--report", "players"}).out.find("Bob"), std::string::npos);
}

TEST(FragtideReport, ReadsSeveralLogsAsOneAndNamesEachUnreadableOneAfterTheOutput) {
    TempDir dir;
    // The first log's last line has no ending: the second must not continue it.
    const std::string first = dir.write("day1.log", "Alice was ax-murdered by Bob\r\nCarol was nailed by Ali");
    const std::string second = dir.write("day2.log", "ce\nCarol was nailed by Alice\n");
    const Outcome r = run({"--game", "q1", "--json", first, dir.path("gone.log"), second, dir.path("gone2.log")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("\"name\": \"Ali\""), std::string::npos) << r.out;
    // The paths as given (JSON-escaped, which matters on Windows), with bytes and lines per file.
    EXPECT_NE(r.out.find("day1.log\", \"bytes\": 53, \"lines\": 2},\n    {\"path\": \""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("day2.log\", \"bytes\": 29, \"lines\": 2}\n  ]\n}\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("cannot read '" + dir.path("gone.log") + "': no such file\n"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("gone2.log': no such file\n"), std::string::npos) << r.err;
}

TEST(FragtideReport, ExportsToAFileAndKeepsTheOldOneWhenItCannot) {
    TempDir dir;
    const std::string log = dir.write("match.log", kQ1Log);
    const std::string csv = dir.path("season.csv");
    Outcome r = run({"--game", "q1", "--export", csv, log});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(testing::readBytes(fs::path(std::u8string(csv.begin(), csv.end()))).rfind("player,slot,weapon,frags\r\nBob,1,Axe,1\r\n", 0), 0u);

    // A folder in the export's place: nothing is written and what was there stays.
    const std::string page = dir.path("page.html");
    fs::create_directories(fs::path(std::u8string(page.begin(), page.end())));
    r = run({"--game", "q1", "--export", page, log});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("cannot write '" + page + "': it is a folder"), std::string::npos) << r.err;

    r = run({"--game", "q1", "--export", "-", "--format", "html", log});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(r.out.find("match.log"), std::string::npos);
}

TEST(FragtideReport, FailsWhenTheReportCannotBeWritten) {
    TempDir dir;
    const std::string log = dir.write("q1.log", kQ1Log);
    const std::vector<std::string_view> args = {"--game", "q1", log};
    std::ostream out(nullptr);  // no buffer: every write fails, as on a full disk
    std::ostringstream err;
    EXPECT_EQ(runFragtideReport(args, out, err), 1);
    EXPECT_NE(err.str().find("cannot write the report"), std::string::npos) << err.str();
}

TEST(FragtideReport, ReportsUsageErrorsOnStderrOnly) {
    const Outcome r = run({"--game", "q9", "x.log"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("fragtide-report: unknown game 'q9'", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("\nusage: fragtide-report [--game GAME|auto]"), std::string::npos) << r.err;
}

TEST(FragtideReport, AnswersHelpAndVersionOnStdout) {
    const Outcome version = run({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "fragtide-report 1.0.0\n");
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.out.rfind("usage: fragtide-report", 0), 0u);
    EXPECT_NE(help.out.find("q2-action    \"Quake II : Action Quake\""), std::string::npos);
}

TEST(FragtideReport, ReadsWithTheStoredGameWhenNoneIsGiven) {
    TempDir dir;
    const std::string log = dir.write("cs.log", "Nadia killed Rook with knife\n");
    struct Case {
        const char* what;
        std::string stored;
        std::string_view out;
        std::string_view err;
    };
    const Case cases[] = {
        {"a known game", "Half-Life : Counter-Strike",
         "LIST OF ALL KILLS PER WEAPON:\n\nFrags with Knife: 1\n\nBIG NUMBERS:\n\n"
         "Player of the match : Nadia with 1 frags! What a fragmonster!\n\n\n",
         ""},
        {"a text that names no game", "Quake III",
         "LIST OF ALL KILLS PER WEAPON:\n\n\nBIG NUMBERS:\n\n\n\n", "'Quake III', is none this program knows"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CommandEnvironment env;
        env.storedGame = [&] { return c.stored; };
        const Outcome r = run({log}, env);
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.out, c.out);
        if (c.err.empty())
            EXPECT_EQ(r.err, "");
        else
            EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

TEST(FragtideReport, PrintsTheEmptyReportsForAnEmptyLog) {
    TempDir dir;
    const std::string log = dir.write("empty.log", "");
    EXPECT_EQ(run({"--game", "q1", log}).out, "LIST OF ALL KILLS PER WEAPON:\n\n\nBIG NUMBERS:\n\n\n\n");
    EXPECT_EQ(run({"--game", "q1", "--report", "players", log}).out,
              "LIST OF PLAYERS AND FRAGS PER PLAYER:\n\n\nPERCENTAGES:\n\n\n");
}

}  // namespace
}  // namespace fragtide::cli

namespace fragtide::cli {
namespace {

// A StdLog file whose names are in the Quake character set: "Rook" in the coloured font, and a
// name in brackets with digits.
constexpr std::string_view kQuakeNamesLog = "\xD2\xEF\xEF\xEB\tX\tKill\tRailgun\t1\n"
                                            "\x10" "Ace\x11\x12\x13\tX\tKill\tBFG\t1\n";

TEST(FragtideReport, ShowsNamesAsTheChosenDisplayAndFindsAPlayerByIt) {
    TempDir dir;
    const std::string log = dir.write("stdlog.log", kQuakeNamesLog);
    const Outcome quake = run({"--game", "q2-stdlog", "--names", "quake", "--report", "players", log});
    EXPECT_EQ(quake.code, 0);
    EXPECT_NE(quake.out.find("\nRook has 1 frags\n[Ace]01 has 1 frags\n"), std::string::npos) << quake.out;
    EXPECT_EQ(run({"--game", "q2-stdlog", "--names=quake", "--player", "[Ace]01", log}).code, 0);

    const Outcome automatic = run({"--game", "q2-stdlog", "--report", "players", log});
    EXPECT_NE(automatic.out.find("\xC3\x92\xC3\xAF\xC3\xAF\xC3\xAB has 1 frags"), std::string::npos)
        << "Windows-1252 by default: " << automatic.out;
    EXPECT_EQ(run({"--game", "q2-stdlog", "--player", "[Ace]01", log}).code, 1)
        << "--player compares with the names as the chosen display shows them";

    const Outcome json = run({"--game", "q2-stdlog", "--names", "quake", "--json", log});
    EXPECT_NE(json.out.find("\"name\": \"Rook\""), std::string::npos) << json.out;

    const Outcome wrong = run({"--names", "Quake", log});
    EXPECT_EQ(wrong.code, 2);
    EXPECT_EQ(wrong.err.rfind("fragtide-report: unknown name display 'Quake'; use auto, utf-8, windows-1252 or quake", 0),
              0u)
        << wrong.err;
}

TEST(FragtideReport, DetectsTheGameAndListsEveryGamesKillsInJson) {
    TempDir dir;
    const std::string log = dir.write("stdlog.log", "A\tB\tKill\tRailgun\nB\tA\tKill\tBlaster\t1\t2\t3\n");
    const Outcome text = run({"--game", "auto", log});
    EXPECT_EQ(text.code, 0);
    EXPECT_EQ(text.err, "");
    EXPECT_NE(text.out.find("Frags with Railgun: 1"), std::string::npos) << text.out;

    const Outcome json = run({"--game=auto", "--json", log});
    EXPECT_NE(json.out.find("\"game\": \"Quake II : StdLog\",\n  \"detected\": {\"Quake I : Standard\": 0, "),
              std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("\"Quake II : StdLog\": 2, "), std::string::npos) << json.out;
    EXPECT_EQ(run({"--game", "q2-stdlog", "--json", log}).out.find("detected"), std::string::npos)
        << "only a detected game lists the others";
}

TEST(FragtideReport, ReadsAsTheDefaultGameWithANoteWhenNoGameFindsAKill) {
    TempDir dir;
    const std::string log = dir.write("chat.log", "Rook: gg\n");
    const Outcome outcome = run({"--game", "auto", "--json", log});
    EXPECT_EQ(outcome.code, 0);
    EXPECT_NE(outcome.out.find("\"game\": \"Quake I : Standard\""), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.err.find("no game finds a kill in"), std::string::npos) << outcome.err;
}

TEST(FragtideReport, NamesTheLikelyGameWhenTheChosenOneFindsNoKill) {
    TempDir dir;
    std::string lines;
    for (int i = 0; i < 1500; ++i)
        lines += "A\tB\tKill\tRailgun\n";
    const std::string log = dir.write("stdlog.log", lines);
    const Outcome outcome = run({"--game", "q1", log});
    EXPECT_EQ(outcome.code, 0) << "a note, not a failure";
    EXPECT_EQ(outcome.err, "fragtide-report: no kill of Quake I : Standard found in 1,500 lines. This looks like a "
                           "Quake II : StdLog (1,500 kills); use --game q2-stdlog.\n");
    EXPECT_EQ(outcome.out.rfind("LIST OF ALL KILLS PER WEAPON:", 0), 0u) << "the report is printed as ever";
}

}  // namespace
}  // namespace fragtide::cli

namespace fragtide::cli {
namespace {

// A game file in a games folder is a game like the others: listed with its file, chosen by its
// alias, and a refused file is told on stderr while the run goes on.
TEST(FragtideReport, ReadsGamesFromTheGamesFolders) {
    TempDir dir;
    const std::string game = dir.write("ra2.toml",
                                       "fragtide_game = 1\nname = \"Quake II : Rocket Arena 2\"\nalias = \"q2-ra2\"\n"
                                       "kind = \"obituaries\"\nkiller_first = false\n"
                                       "[[weapon]]\nname = \"Blaster\"\nrules = [[\" was blasted by \", \"\"]]\n");
    dir.write("broken.toml", "fragtide_game = 1\n");
    const std::string log = dir.write("ra2.log", "Ann was blasted by Bo\n");
    CommandEnvironment env;
    env.gameFolders = {dir.path("")};

    const Outcome listed = run({"--list-games"}, env);
    EXPECT_EQ(listed.code, 0);
    // The file's path as the folder's listing spells it (Windows may turn its separators).
    const std::string row = "q2-ra2       \"Quake II : Rocket Arena 2\"  ";
    const std::size_t at = listed.out.find(row);
    ASSERT_NE(at, std::string::npos) << listed.out;
    const std::string source = listed.out.substr(at + row.size(), listed.out.find('\n', at) - at - row.size());
    EXPECT_EQ(std::filesystem::path(source).lexically_normal(), std::filesystem::path(game).lexically_normal())
        << listed.out;
    EXPECT_NE(listed.out.find("q1           \"Quake I : Standard\"  built in\n"), std::string::npos);
    EXPECT_NE(listed.err.find("broken.toml:1:1: lacks the field 'name' (that game file is left out)"),
              std::string::npos)
        << listed.err;

    const Outcome report = run({"--game", "q2-ra2", "--json", log}, env);
    EXPECT_EQ(report.code, 0) << report.err;
    EXPECT_NE(report.out.find("{\"slot\": 1, \"name\": \"Blaster\", \"frags\": 1}"), std::string::npos) << report.out;

    // Without the folder the game is unknown again.
    EXPECT_EQ(run({"--game", "q2-ra2", log}).code, 2);
}

}  // namespace
}  // namespace fragtide::cli
