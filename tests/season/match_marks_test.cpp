#include "season/match_marks.hpp"

#include <gtest/gtest.h>

#include "season/civil_time.hpp"
#include "tests/support/temp_dir.hpp"

namespace fragtide::season {
namespace {

TEST(MatchMarks, ReadsTheMapStartsOfEachLogForm) {
    struct Case {
        const char* what;
        MatchMarks marks;
        std::string_view line;
        std::optional<MapStart> start;
    };
    const auto at = [](int y, int mo, int d, int h, int mi, int s) { return civilSeconds(y, mo, d, h, mi, s); };
    const Case cases[] = {
        {"hl loading", MatchMarks::HalfLife, "L 11/03/2026 - 20:15:00: Loading map \"de_inferno\"",
         MapStart{0, StartKind::Loading, "de_inferno", at(2026, 11, 3, 20, 15, 0)}},
        {"hl started", MatchMarks::HalfLife, "L 11/03/2026 - 20:15:04: Started map \"de_inferno\" (CRC \"-1\")",
         MapStart{0, StartKind::Started, "de_inferno", at(2026, 11, 3, 20, 15, 4)}},
        {"cs2 second stamp form", MatchMarks::HalfLife, "11/04/2026 - 21:00:00.125 - Loading map \"de_nuke\"",
         MapStart{0, StartKind::Loading, "de_nuke", at(2026, 11, 4, 21, 0, 0)}},
        {"no stamp", MatchMarks::HalfLife, "Started map \"cs_office\"", MapStart{0, StartKind::Started, "cs_office", {}}},
        {"impossible date", MatchMarks::HalfLife, "L 13/40/2026 - 20:15:00: Loading map \"x\"", std::nullopt},
        {"said in chat", MatchMarks::HalfLife, "L 11/03/2026 - 20:15:00: \"Ann<2><S><CT>\" say \"Loading map \"x\"\"",
         std::nullopt},
        {"no closing quote", MatchMarks::HalfLife, "Loading map \"de_", std::nullopt},
        {"q3", MatchMarks::Quake3, "  0:00 InitGame: \\sv_hostname\\A\\mapname\\q3dm17\\version\\1",
         MapStart{0, StartKind::InitGame, "q3dm17", {}}},
        {"q3 map last", MatchMarks::Quake3, "1340187921|InitGame: \\mapname\\ut4_turnpike",
         MapStart{0, StartKind::InitGame, "ut4_turnpike", {}}},
        {"q3 without a map", MatchMarks::Quake3, "InitGame: \\g_gametype\\0", MapStart{0, StartKind::InitGame, "", {}}},
        {"q3 said", MatchMarks::Quake3, "  1:00 say: Ann: InitGame: \\mapname\\x", std::nullopt},
        {"stdlog", MatchMarks::StdLog, "\t\tMap\tq2dm1", MapStart{0, StartKind::MapRecord, "q2dm1", {}}},
        {"stdlog kill", MatchMarks::StdLog, "Ann\tBob\tKill\tMap\t1", std::nullopt},
        {"console logs have none", MatchMarks::None, "Loading map \"x\"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(readMapStart(c.marks, c.line), c.start);
    }
}

TEST(MatchMarks, FindsWhereTheLastLineStarts) {
    struct Case { const char* what; std::string_view end; std::uint64_t size; std::optional<std::uint64_t> start; };
    const Case cases[] = {
        {"lf", "a\nb\n", 4, 2},
        {"unterminated", "a\nb", 3, 2},
        {"crlf", "a\r\nb\r\n", 6, 3},
        {"bare cr", "a\rb\r", 4, 2},
        {"an empty last line", "a\n\n", 3, 2},
        {"one line", "abc\n", 4, 0},
        {"empty file", "", 0, 0},
        {"the window ends inside the last line", "bc\n", 10, std::nullopt},
        {"the window's only ending is the file's last", "xyz\n", 10, std::nullopt},
        {"a window inside a longer file", "c\nd\n", 10, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(lastLineStart(c.end, c.size), c.start);
    }
}

TEST(MatchMarks, ScansAFileAcrossItsBlocksAsInOnePiece) {
    testing::TempDir dir;
    std::string log;
    const std::string filler = "L 11/03/2026 - 20:16:00: \"Ann<2><S><CT>\" say \"gg\"\r\n";
    int maps = 0;
    // Past the scan's 4 MB block, with map lines around every place a block may end.
    while (log.size() < (std::size_t{9} << 19)) {
        log += filler;
        if (log.size() % 97 < filler.size())
            log += "L 11/03/2026 - 20:15:00: Loading map \"m" + std::to_string(maps++) + "\"\r\n";
    }
    log += "Started map \"last\"";  // no line end
    const auto file = dir.write("big.log", log);
    const auto scanned = scanMapStarts(file, MatchMarks::HalfLife, 0, log.size());
    ASSERT_TRUE(scanned.has_value());
    EXPECT_EQ(*scanned, mapStartsIn(MatchMarks::HalfLife, log, 0));
    EXPECT_EQ(scanned->size(), static_cast<std::size_t>(maps) + 1);
    EXPECT_EQ(scanned->back().offset, log.size() - 18);
    // Cut into ranges scanned on several threads, from the file's start or from a later line; a
    // log of map lines alone, so that a cut anywhere but at a line start loses or moves one.
    std::string mapsOnly;
    for (int i = 0; mapsOnly.size() < (std::size_t{1} << 20); ++i)
        mapsOnly += "Loading map \"" + std::string(static_cast<std::size_t>(i % 13), 'm') + "\"" + (i % 2 ? "\n" : "\r\n");
    const auto mapsFile = dir.write("maps.log", mapsOnly);
    for (const std::size_t from : {std::size_t{0}, mapsOnly.find('\n', mapsOnly.size() / 3) + 1}) {
        SCOPED_TRACE(from);
        const auto cut = scanMapStarts(mapsFile, MatchMarks::HalfLife, from, mapsOnly.size(), 1);
        ASSERT_TRUE(cut.has_value());
        EXPECT_EQ(*cut, mapStartsIn(MatchMarks::HalfLife, std::string_view(mapsOnly).substr(from), from));
    }
}

}  // namespace
}  // namespace fragtide::season
