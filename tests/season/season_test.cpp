#include "season/season.hpp"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>

#include "engine/game_catalogue.hpp"
#include "engine/game_folders.hpp"
#include "engine/log_analysis.hpp"
#include "engine/log_set.hpp"
#include "engine/stats_store.hpp"
#include "season/civil_time.hpp"
#include "tests/support/temp_dir.hpp"

namespace fragtide::season {
namespace {

using testing::readBytes;
using testing::TempDir;

// The statistics analysing `files` as one log gives.
std::unique_ptr<engine::StatsStore> analysed(const std::string& game, const std::vector<std::filesystem::path>& files) {
    auto store = std::make_unique<engine::StatsStore>();
    store->CurrentGame = game;
    engine::LoadWeaponNames(*store);
    const auto result = engine::analyzeLogSet(*store, engine::expandLogPaths(files));
    EXPECT_TRUE(result.has_value());
    return store;
}

void expectSameStatistics(const engine::StatsStore& season, const engine::StatsStore& logs) {
    EXPECT_EQ(season.WeaponFrags, logs.WeaponFrags);
    EXPECT_EQ(season.WeaponNames, logs.WeaponNames);
    EXPECT_EQ(season.PlayerNames(), logs.PlayerNames());
    EXPECT_EQ(season.PlayerWeaponFrags, logs.PlayerWeaponFrags);
    EXPECT_TRUE(season.People == logs.People);
}

SeasonView viewOf(Season& season, const TimeRange& range = {}) {
    auto view = season.view(range);
    EXPECT_TRUE(view.has_value()) << (view ? "" : view.error().message);
    return view ? std::move(*view) : SeasonView{};
}

Season create(const std::filesystem::path& path) {
    auto season = Season::openOrCreate(path);
    EXPECT_TRUE(season.has_value()) << (season ? "" : season.error().message);
    return std::move(*season);
}

AddSummary add(Season& season, const std::vector<std::filesystem::path>& logs, const std::string& game = {}) {
    AddOptions options;
    options.game = game;
    options.forceGame = !game.empty();
    auto summary = season.add(logs, options);
    EXPECT_TRUE(summary.has_value()) << (summary ? "" : summary.error().message);
    return summary ? std::move(*summary) : AddSummary{};
}

// Lines [from, to) of `text`, each with its ending.
std::string linesOf(std::string_view text, std::size_t from, std::size_t to) {
    std::string out;
    std::size_t line = 0, at = 0;
    while (at < text.size()) {
        const auto end = text.find('\n', at);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (line >= from && line < to)
            out += text.substr(at, next - at);
        ++line;
        at = next;
    }
    return out;
}

std::size_t lineCount(std::string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + (text.ends_with('\n') ? 0 : 1);
}

TEST(Season, GivesTheStatisticsOfItsLogsReadAsOneForEveryGame) {
    ASSERT_EQ(engine::loadGameFolders(std::vector<std::filesystem::path>{FRAGTIDE_GAMES_DIR}),
              std::vector<std::string>{});
    struct Case { const char* sample; const char* game; };
    const Case cases[] = {
        {"q1_standard.log", "Quake I : Standard"},     {"q1_warhaven.log", "Quake I : Warhaven"},
        {"q1_ctf.log", "Quake I : Capture The Flag"},  {"q2_standard.log", "Quake II : Standard"},
        {"q2_action.log", "Quake II : Action Quake"},  {"cs.log", "Half-Life : Counter-Strike"},
        {"hl_server.log", "Half-Life : Server Log"},   {"q2_stdlog.log", "Quake II : StdLog"},
        {"cs2_server.log", "Counter-Strike 2 : Server Log"}, {"q3_games.log", "Quake III : Server Log"},
        {"cod_games_mp.log", "Call of Duty : games_mp"},     {"q2_lithium.log", "Quake II : Lithium"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sample);
        TempDir dir;
        const std::string log = readBytes(std::filesystem::path(FRAGTIDE_SAMPLES) / c.sample);
        const std::size_t lines = lineCount(log);
        // Cut mid-match, the first piece without its last line end, then the whole log once more:
        // names meet again, and a Quake III log's teams run on from file to file.
        std::string first = linesOf(log, 0, lines / 3);
        if (first.ends_with('\n'))
            first.pop_back();
        dir.write("a.log", first);
        dir.write("b.log", linesOf(log, lines / 3, 2 * lines / 3));
        dir.write("c.log", linesOf(log, 2 * lines / 3, lines));
        dir.write("d.log", log);
        Season season = create(dir.path() / "s.fragtide-season");
        const AddSummary summary = add(season, {dir.path()}, c.game);
        EXPECT_EQ(summary.added, 4);
        EXPECT_TRUE(summary.failures.empty());
        const SeasonView view = viewOf(season);
        EXPECT_EQ(view.game, c.game);
        expectSameStatistics(view.store, *analysed(c.game, {dir.path()}));
        ASSERT_EQ(view.files.size(), 4u);
        EXPECT_EQ(view.files[3].lines, lines);
    }
}

struct Logs {
    TempDir dir;
    std::filesystem::path seasonFile = dir.path() / "s.fragtide-season";
    std::string hl = readBytes(std::filesystem::path(FRAGTIDE_SAMPLES) / "hl_server.log");
};

constexpr const char* kHl = "Half-Life : Server Log";

TEST(Season, ReadsNothingOfLogsAddedBefore) {
    Logs logs;
    for (int i = 0; i < 3; ++i)
        logs.dir.write("day" + std::to_string(i) + ".log", logs.hl);
    Season season = create(logs.seasonFile);
    EXPECT_EQ(add(season, {logs.dir.path()}, kHl).added, 3);
    const AddSummary again = add(season, {logs.dir.path()});
    EXPECT_EQ(again.unchanged, 3);
    EXPECT_EQ(again.added + again.grown + again.replaced, 0);
    EXPECT_EQ(again.bytesRead, 0u);
    expectSameStatistics(viewOf(season).store, *analysed(kHl, {logs.dir.path()}));
}

TEST(Season, ReadsAGrownLogFromItsLastLineOnAndCountsThatLineOnce) {
    struct Case { const char* sample; const char* game; };
    const Case cases[] = {
        {"hl_server.log", kHl},
        {"q3_games.log", "Quake III : Server Log"},  // the teams set before the cut must hold after it
        {"q2_stdlog.log", "Quake II : StdLog"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sample);
        TempDir dir;
        const std::string log = readBytes(std::filesystem::path(FRAGTIDE_SAMPLES) / c.sample);
        const std::size_t lines = lineCount(log);
        const std::string done = linesOf(log, 0, lines / 2);
        const std::string next = linesOf(log, lines / 2, lines / 2 + 1);
        // A line half written when the first add reads the log.
        const auto file = dir.write("live.log", done + next.substr(0, next.size() / 2));
        Season season = create(dir.path() / "s.fragtide-season");
        add(season, {file}, c.game);
        const std::size_t matchesBefore = viewOf(season).matches.size();

        testing::writeBytes(file, log);
        const AddSummary grown = add(season, {file});
        EXPECT_EQ(grown.grown, 1);
        EXPECT_EQ(grown.bytesRead, log.size() - done.size());
        const SeasonView view = viewOf(season);
        expectSameStatistics(view.store, *analysed(c.game, {file}));
        EXPECT_EQ(view.files[0].lines, lines);
        // The match in progress went on; only maps after the cut start new ones.
        const AddSummary whole = add(season, {dir.write("whole.log", log)}, c.game);
        EXPECT_EQ(whole.added, 1);
        EXPECT_EQ(viewOf(season).matches.size(), 2 * view.matches.size());
        EXPECT_GE(view.matches.size(), matchesBefore);
    }
}

TEST(Season, ReplacesTheEventsOfALogWhoseHeadChanged) {
    Logs logs;
    const auto log = logs.dir.write("server.log", logs.hl);
    Season season = create(logs.seasonFile);
    add(season, {log}, kHl);
    const std::string cs2 = readBytes(std::filesystem::path(FRAGTIDE_SAMPLES) / "cs2_server.log");
    testing::writeBytes(log, cs2);  // rotated: other content under the same name
    EXPECT_EQ(add(season, {log}, kHl).replaced, 1);
    expectSameStatistics(viewOf(season).store, *analysed(kHl, {log}));
}

// A console log of a few megabytes naming 30,000 people: its events reach the season
// batch by batch, and a long match's wait in parts (a tiny part here) before its row is written.
TEST(Season, AddsALongMatchOfManyNamesInParts) {
    constexpr const char* kQ2 = "Quake II : Standard";
    constexpr int kLines = 120000, kKillers = 2000;
    std::string log;
    for (int i = 0; i < kLines; ++i)
        log += "V" + std::to_string(i % 30000) + " was railed by K" + std::to_string(i % kKillers) + "\n";
    log += "K1 was railed by K1 x\n";  // one more frag by "K1 x", a new name in the last line
    const std::size_t cut = log.size() / 2 - 7;  // mid-line
    for (const std::size_t spill : {AddOptions{}.spillBytes, std::size_t{1000}}) {
        for (const bool grown : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "parts of " << spill << (grown ? ", grown" : ""));
            TempDir dir;
            const auto file = dir.write("console.log", grown ? log.substr(0, cut) : log);
            Season season = create(dir.path() / "s.fragtide-season");
            AddOptions options;
            options.game = kQ2;
            options.spillBytes = spill;
            ASSERT_TRUE(season.add({file}, options).has_value());
            if (grown) {
                testing::writeBytes(file, log);
                ASSERT_EQ(season.add({file}, options).value().grown, 1);
            }
            // The same names again in a second file: the season knows them.
            const auto again = dir.write("again.log", log);
            ASSERT_EQ(season.add({again}, options).value().added, 1);
            const SeasonView view = viewOf(season);
            expectSameStatistics(view.store, *analysed(kQ2, {file, again}));
            ASSERT_EQ(view.matches.size(), 2u);
            for (const Match& m : view.matches) {
                EXPECT_EQ(m.kills, kLines + 1);
                EXPECT_EQ(m.players, 30000 + kKillers + 1);
                EXPECT_EQ(m.topFragger, "K0");  // every killer frags as often; K0 gets there first
            }
        }
    }
}

TEST(Season, ForgetsALogAndItsMatches) {
    Logs logs;
    const auto a = logs.dir.write("a.log", logs.hl);
    const auto b = logs.dir.write("b.log", readBytes(std::filesystem::path(FRAGTIDE_SAMPLES) / "cs2_server.log"));
    Season season = create(logs.seasonFile);
    add(season, {a, b}, kHl);
    std::filesystem::remove(a);  // a log that disappeared stays until forgotten
    EXPECT_EQ(viewOf(season).matches.size(), 2u);
    EXPECT_EQ(season.forget(a).value(), true);
    EXPECT_EQ(season.forget(a).value(), false);
    const SeasonView view = viewOf(season);
    EXPECT_EQ(view.matches.size(), 1u);
    expectSameStatistics(view.store, *analysed(kHl, {b}));
}

TEST(Season, CutsMatchesAtMapStartsAndDatesThemByTheirStamp) {
    Logs logs;
    const std::string kill = "\"Ann<2><STEAM_1><CT>\" killed \"Bob<3><STEAM_2><TERRORIST>\" with \"ak47\"\n";
    const auto log = logs.dir.write("two_maps.log",
        "L 11/03/2026 - 20:10:00: Log file started\n"
        "L 11/03/2026 - 20:15:00: Loading map \"de_inferno\"\n"
        "L 11/03/2026 - 20:15:04: Started map \"de_inferno\" (CRC \"1\")\n"
        "L 11/03/2026 - 20:16:00: " + kill +
        "L 11/03/2026 - 20:17:00: " + kill +
        "11/04/2026 - 21:00:00.125 - Loading map \"de_nuke\"\n"
        "11/04/2026 - 21:01:00.500 - " + kill);
    Season season = create(logs.seasonFile);
    add(season, {log}, "Counter-Strike 2 : Server Log");
    const SeasonView view = viewOf(season);
    ASSERT_EQ(view.matches.size(), 2u);  // the lines before the first map hold no kill
    EXPECT_EQ(view.matches[0].map, "de_inferno");
    EXPECT_EQ(view.matches[0].kills, 2);
    EXPECT_EQ(view.matches[0].players, 2);
    EXPECT_EQ(view.matches[0].topFragger, "Ann");
    EXPECT_EQ(view.matches[1].map, "de_nuke");
    EXPECT_EQ(view.matches[1].kills, 1);

    // The range takes the matches by day; ratings are those at the range's end.
    TimeRange firstDay;
    firstDay.until = *civilSeconds(2026, 11, 3);
    const SeasonView early = viewOf(season, firstDay);
    ASSERT_EQ(early.matches.size(), 1u);
    ASSERT_FALSE(early.store.People.people().empty());
    EXPECT_EQ(early.store.People.people()[0].frags, 2);
    TimeRange secondDay;
    secondDay.since = *civilSeconds(2026, 11, 4);
    const SeasonView late = viewOf(season, secondDay);
    ASSERT_EQ(late.matches.size(), 1u);
    ASSERT_FALSE(late.store.People.people().empty());
    EXPECT_EQ(late.store.People.people()[0].frags, 1);
    EXPECT_EQ(late.ratings, view.ratings);
    EXPECT_EQ(late.matchesPlayed[0], 1);
    EXPECT_EQ(view.matchesPlayed[0], 2);
}

TEST(Season, RatesEachFragAsADuelWonByTheKiller) {
    Logs logs;
    // Quake I obituaries: Ann frags Bob, then Bob frags Ann; a suicide and a frag by the world
    // change no rating.
    const auto log = logs.dir.write("duel.log",
        "Bob was ax-murdered by Ann\nAnn was ax-murdered by Bob\nAnn becomes bored with life\nCid fell to his death\n");
    Season season = create(logs.seasonFile);
    add(season, {log}, "Quake I : Standard");
    const SeasonView view = viewOf(season);
    // 1000/1000: E = 0.5, Ann 1008, Bob 992. Then Bob wins at 992 against 1008:
    // E = 1 / (1 + 10^(16/400)) = 0.477, so 8.367 moves back.
    const double back = 16.0 * (1.0 - 1.0 / (1.0 + std::pow(10.0, 16.0 / 400.0)));
    ASSERT_EQ(view.store.People.people().size(), 3u);
    EXPECT_DOUBLE_EQ(view.ratings[0], 1008.0 - back);  // Ann
    EXPECT_DOUBLE_EQ(view.ratings[1], 992.0 + back);   // Bob
    EXPECT_DOUBLE_EQ(view.ratings[2], 1000.0);         // Cid
    ASSERT_EQ(view.topTenHistory.size(), 3u);
    EXPECT_EQ(view.topTenHistory[0].person, 1u);  // Bob leads at the end
}

TEST(Season, RefusesALogOfAnotherGameAndAddsTheOthers) {
    Logs logs;
    const auto hl = logs.dir.write("a.log", logs.hl);
    const auto q1 = logs.dir.write("b.log", readBytes(std::filesystem::path(FRAGTIDE_SAMPLES) / "q1_standard.log"));
    const auto missing = logs.dir.path() / "missing.log";
    Season season = create(logs.seasonFile);
    const auto summary = season.add({hl, q1, missing});
    ASSERT_TRUE(summary.has_value());
    EXPECT_EQ(season.game(), kHl);  // from the first log
    EXPECT_EQ(summary->added, 1);
    ASSERT_EQ(summary->failures.size(), 2u);
    EXPECT_NE(summary->failures[0].message.find("Quake I : Standard"), std::string::npos);
    EXPECT_NE(summary->failures[0].message.find(kHl), std::string::npos);
    EXPECT_NE(summary->failures[1].message.find("missing.log"), std::string::npos);
}

// A file that is no season is refused with a message that says what it is, and left untouched.
TEST(Season, NeverWritesAFileThatIsNoSeason) {
    TempDir dir;
    const auto other = dir.path() / "other.db";
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(other.string().c_str(), &db), SQLITE_OK);
        sqlite3_exec(db, "CREATE TABLE notes(text); INSERT INTO notes VALUES ('x')", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    const auto newer = dir.path() / "newer.fragtide-season";
    {
        ASSERT_TRUE(Season::openOrCreate(newer).has_value());
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(newer.string().c_str(), &db), SQLITE_OK);
        sqlite3_exec(db, "PRAGMA user_version = 99", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    std::string random(5000, '\0');
    for (std::size_t i = 0; i < random.size(); ++i)
        random[i] = static_cast<char>(i * 7919 % 251);
    struct Case { const char* what; std::filesystem::path file; const char* says; };
    const Case cases[] = {
        {"random bytes", dir.write("random.bin", random), "no SQLite database"},
        {"a log", dir.write("a.log", "Bob was ax-murdered by Ann\n"), "no SQLite database"},
        {"another program's database", other, "another program's database"},
        {"a season of a newer version", newer, "newer Fragtide"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string before = readBytes(c.file);
        for (const bool create : {false, true}) {
            const auto season = create ? Season::openOrCreate(c.file) : Season::open(c.file);
            ASSERT_FALSE(season.has_value());
            EXPECT_NE(season.error().message.find(c.says), std::string::npos) << season.error().message;
        }
        EXPECT_EQ(readBytes(c.file), before);
    }
}

TEST(Season, WaitsForAnotherProgramThenSaysItIsBusy) {
    Logs logs;
    const auto log = logs.dir.write("a.log", logs.hl);
    Season::setBusyTimeout(std::chrono::milliseconds(50));
    Season season = create(logs.seasonFile);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(logs.seasonFile.string().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    const auto busy = season.add({log}, {kHl, true, {}});
    ASSERT_FALSE(busy.has_value());
    EXPECT_NE(busy.error().message.find("busy"), std::string::npos) << busy.error().message;
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    Season::setBusyTimeout(std::chrono::milliseconds(5000));
    EXPECT_EQ(add(season, {log}, kHl).added, 1);
}

}  // namespace
}  // namespace fragtide::season
