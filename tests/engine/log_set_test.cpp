#include "engine/log_set.hpp"

#include <gtest/gtest.h>

#include "engine/game_catalogue.hpp"
#include "engine/reference/reference_matcher.hpp"
#include "engine/stats_store.hpp"
#include "tests/support/temp_dir.hpp"

namespace fragtide::engine {
namespace {

using testing::TempDir;

constexpr const char* kGame = "Quake I : Standard";

// The plain model: the files' bytes joined, with "\n" after one whose last byte ends no line.
std::string concatenation(const std::vector<std::string>& files) {
    std::string whole;
    for (const std::string& bytes : files) {
        whole += bytes;
        if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r')
            whole += '\n';
    }
    return whole;
}

std::vector<std::filesystem::path> writeAll(const TempDir& dir, const std::vector<std::string>& files) {
    std::vector<std::filesystem::path> paths;
    for (std::size_t i = 0; i < files.size(); ++i)
        paths.push_back(dir.write("part" + std::to_string(i) + ".log", files[i]));
    return paths;
}

FragCount fragsOf(const StatsStore& store, std::string_view name) {
    FragCount sum = 0;
    for (const FragCount n : store.PlayerWeaponFrags[store.findPlayer(name)])
        sum += n;
    return sum;
}

void expectSameStore(const StatsStore& got, const StatsStore& want) {
    EXPECT_EQ(got.WeaponFrags, want.WeaponFrags);
    EXPECT_EQ(got.PlayerNames(), want.PlayerNames());
    EXPECT_EQ(got.PlayerWeaponFrags, want.PlayerWeaponFrags);
    EXPECT_EQ(got.KillerName, want.KillerName);
    EXPECT_EQ(got.VictimName, want.VictimName);
    EXPECT_TRUE(got.People == want.People);
}

TEST(AnalyzeLogSet, GivesExactlyTheStatisticsOfTheConcatenation) {
    struct Case {
        const char* what;
        std::vector<std::string> files;
        std::vector<std::uint64_t> lines;  // per file
    };
    const Case cases[] = {
        {"lf and crlf endings", {"A was nailed by B\n", "C was nailed by D\r\nE was nailed by B\r\n"}, {1, 2}},
        {"a last line without an ending", {"A was nailed by B", "C was nailed by D"}, {1, 1}},
        {"a kill cut between two files stays two lines", {"A was nailed", " by B\n"}, {1, 1}},
        {"a CR ending one file and a LF starting the next are one CR LF",
         {"A was nailed by B\r", "\nC was nailed by D\r", "\r\n"}, {1, 1, 1}},
        {"empty files", {"", "A was nailed by B", "", "", "C was nailed by A\n", ""}, {0, 1, 0, 0, 1, 0}},
        {"only line ends", {"\n\n", "\r", "\n", "\r\r\n"}, {2, 1, 0, 2}},
        {"no files", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const LogSet set{writeAll(dir, c.files), {}};
        const std::string whole = concatenation(c.files);

        StatsStore fromSet;
        fromSet.CurrentGame = kGame;
        const auto result = analyzeLogSet(fromSet, set, {}, {.partBytes = 7, .threads = 2});
        ASSERT_TRUE(result) << result.error().message;
        EXPECT_TRUE(result->failures.empty());

        // Against the plain reference, and against the fast reader over one joined file.
        reference::ReferenceStore reference;
        EXPECT_EQ(result->lines, reference::referenceAnalyze(reference, findGame(kGame)->rules, whole));
        EXPECT_EQ(fromSet.WeaponFrags, reference.weaponFrags);
        EXPECT_EQ(fromSet.PlayerWeaponFrags, reference.playerWeaponFrags);
        StatsStore fromWhole;
        fromWhole.CurrentGame = kGame;
        ASSERT_TRUE(analyzeFile(fromWhole, dir.write("whole.log", whole)));
        expectSameStore(fromSet, fromWhole);

        ASSERT_EQ(result->files.size(), c.files.size());
        std::uint64_t sum = 0;
        for (std::size_t i = 0; i < c.files.size(); ++i) {
            EXPECT_EQ(result->files[i].path, set.files[i]);
            EXPECT_EQ(result->files[i].bytes, c.files[i].size()) << "file " << i;
            EXPECT_EQ(result->files[i].lines, c.lines[i]) << "file " << i;
            sum += result->files[i].lines;
        }
        EXPECT_EQ(sum, result->lines);
    }
}

TEST(AnalyzeLogSet, ReadsLargeFilesOnSeveralThreadsAsOneLog) {
    // Batches of a few MB cross the file boundaries somewhere inside lines.
    std::vector<std::string> files(3);
    for (int i = 0; i < 90000; ++i)
        files[i % 7 == 0 ? 2 : i % 3 == 0 ? 1 : 0] +=
            "V" + std::to_string(i % 11) + " was nailed by K" + std::to_string(i % 230) + (i % 2 ? "\r\n" : "\n");
    files[1] += "Last was punctured by Tail";
    TempDir dir;
    const LogSet set{writeAll(dir, files), {}};
    StatsStore fromSet;
    fromSet.CurrentGame = kGame;
    const auto result = analyzeLogSet(fromSet, set, {}, {.partBytes = 1 << 16, .threads = 3});
    ASSERT_TRUE(result) << result.error().message;
    StatsStore fromWhole;
    fromWhole.CurrentGame = kGame;
    const auto lines = analyzeFile(fromWhole, dir.write("whole.log", concatenation(files)));
    ASSERT_TRUE(lines);
    EXPECT_EQ(result->lines, *lines);
    expectSameStore(fromSet, fromWhole);
}

TEST(ExpandLogPaths, TakesAFoldersRegularFilesInByteOrderOfTheirNames) {
    TempDir dir;
    const auto logs = dir.path() / "logs";
    std::filesystem::create_directories(logs / "2026-01-00-sub");
    testing::writeBytes(logs / "2026-01-02.log", "C was nailed by D");
    testing::writeBytes(logs / "2026-01-01.log", "A was nailed by B\r");
    testing::writeBytes(logs / "a.log", "");
    testing::writeBytes(logs / "Z.log", "\nE was nailed by B\n");
    testing::writeBytes(logs / "2026-01-00-sub" / "inner.log", "X was nailed by Y\n");
    const auto single = dir.write("single.log", "F was nailed by G\n");

    const std::vector<std::filesystem::path> paths{single, logs, single};
    const LogSet set = expandLogPaths(paths);
    EXPECT_TRUE(set.failures.empty());
    const std::vector<std::filesystem::path> want{single, logs / "2026-01-01.log", logs / "2026-01-02.log",
                                                  logs / "Z.log", logs / "a.log", single};
    EXPECT_EQ(set.files, want);

    StatsStore fromFolder;
    fromFolder.CurrentGame = kGame;
    const auto result = analyzeLogSet(fromFolder, set);
    ASSERT_TRUE(result);
    StatsStore fromWhole;
    fromWhole.CurrentGame = kGame;
    const std::string whole = concatenation({"F was nailed by G\n", "A was nailed by B\r", "C was nailed by D",
                                             "\nE was nailed by B\n", "", "F was nailed by G\n"});
    ASSERT_TRUE(analyzeFile(fromWhole, dir.write("whole.log", whole)));
    expectSameStore(fromFolder, fromWhole);
    EXPECT_EQ(fragsOf(fromFolder, "B"), 2);
}

TEST(AnalyzeLogSet, NamesEveryUnreadableFileAndReadsTheOthers) {
    TempDir dir;
    const auto first = dir.write("first.log", "A was nailed by B\n");
    const auto last = dir.write("last.log", "C was nailed by B\n");
    std::filesystem::create_directories(dir.path() / "empty");
    const std::vector<std::filesystem::path> paths{first, dir.path() / "missing.log", dir.path() / "empty",
                                                   dir.path() / "gone", last};
    const LogSet set = expandLogPaths(paths);
    StatsStore store;
    store.CurrentGame = kGame;
    const auto result = analyzeLogSet(store, set);
    ASSERT_TRUE(result);
    // The set's own failures (the empty folder) first, then the files' in reading order.
    ASSERT_EQ(result->failures.size(), 3u);
    EXPECT_NE(result->failures[0].message.find("empty': the folder holds no file"), std::string::npos);
    EXPECT_EQ(result->failures[1].kind, ErrorKind::NotFound);
    EXPECT_NE(result->failures[1].message.find("missing.log': no such file"), std::string::npos);
    EXPECT_NE(result->failures[2].message.find("gone'"), std::string::npos);
    ASSERT_EQ(result->files.size(), 2u);
    EXPECT_EQ(result->files[1].path, last);
    EXPECT_EQ(result->lines, 2u);
    EXPECT_EQ(fragsOf(store, "B"), 2);
}

TEST(AnalyzeLogSet, NamesTheFileAndItsLineWhereALineIsTooLong) {
    TempDir dir;
    const std::vector<std::string> files{"one\ntwo\n", "ok\r\n" + std::string(40, 'x') + "\nok\n"};
    const LogSet set{writeAll(dir, files), {}};
    StatsStore store;
    store.CurrentGame = kGame;
    const auto result = analyzeLogSet(store, set, {}, {.partBytes = 8, .threads = 1, .maxLineBytes = 16});
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().kind, ErrorKind::TooLong);
    EXPECT_NE(result.error().message.find("part1.log': line 2 is longer than 16 bytes"), std::string::npos)
        << result.error().message;
}

}  // namespace
}  // namespace fragtide::engine
