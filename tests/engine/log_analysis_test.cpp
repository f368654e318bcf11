#include "engine/log_analysis.hpp"

#include <gtest/gtest.h>

#include "engine/game_catalogue.hpp"
#include "engine/log_file.hpp"
#include "engine/reference/reference_matcher.hpp"
#include "engine/stats_store.hpp"
#include "tests/support/temp_dir.hpp"

namespace fragtide::engine {
namespace {

using testing::TempDir;

TEST(AnalyzeFile, GivesTheReferenceStatisticsAcrossBlockBoundaries) {
    // Over three blocks, with a CR LF pair and lines cut at every block boundary somewhere.
    std::string log;
    for (int i = 0; log.size() < 3 * kLogBlockSize + 100; ++i)
        log += "Victim" + std::to_string(i % 7) + " was nailed by Killer" + std::to_string(i % 13) +
               (i % 2 ? "\r\n" : "\n");
    log += "Last was punctured by Final";  // no ending
    TempDir dir;
    const auto file = dir.write("big.log", log);

    StatsStore fromFile;
    fromFile.CurrentGame = "Quake I : Standard";
    reference::ReferenceStore fromReference;
    std::uint64_t lastProgress = 0;
    const auto lines = analyzeFile(fromFile, file, [&](std::uint64_t n) { lastProgress = n; });
    ASSERT_TRUE(lines) << lines.error().message;
    EXPECT_EQ(*lines, reference::referenceAnalyze(fromReference, findGame(fromFile.CurrentGame)->rules, log));
    EXPECT_EQ(lastProgress, *lines);
    EXPECT_EQ(fromFile.WeaponFrags, fromReference.weaponFrags);
    for (int p = 0; p < kPlayerEntries; ++p)
        EXPECT_EQ(fromFile.PlayerNames()[p], fromReference.playerNames[p]) << "player " << p;
    EXPECT_EQ(fromFile.PlayerWeaponFrags, fromReference.playerWeaponFrags);
    EXPECT_EQ(fromFile.PlayerNames()[14], "Final");
    const auto counted = countLines(file);
    ASSERT_TRUE(counted);
    EXPECT_EQ(*counted, *lines);
}

// Small pieces on several threads, over a log with awkward lines and more killers than the
// table holds: the merged result must be the one-thread result exactly.
TEST(AnalyzeFile, MergesThreadsIntoExactlyTheOneThreadResult) {
    std::string log;
    for (int i = 0; i < 4000; ++i) {
        log += "V was nailed by P" + std::to_string((i * 7919) % 450) + (i % 3 == 0 ? "\r" : "\r\n");
        if (i % 50 == 0)
            log += std::string(5000, 'x') + " was punctured by Long\n";  // longer than a piece
        if (i % 97 == 0)
            log += "\n  was nailed by 's\n";  // an empty line and an unnamed killer
    }
    TempDir dir;
    const auto file = dir.write("mixed.log", log);
    StatsStore one;
    one.CurrentGame = "Quake I : Standard";
    ASSERT_TRUE(analyzeFile(one, file, {}, {.partBytes = 1 << 20, .threads = 1}));
    for (const std::size_t partBytes : {std::size_t{97}, std::size_t{700}, std::size_t{65536}}) {
        for (const unsigned threads : {2u, 3u}) {
            SCOPED_TRACE("pieces of " + std::to_string(partBytes) + ", threads " + std::to_string(threads));
            StatsStore many;
            many.CurrentGame = one.CurrentGame;
            const auto lines = analyzeFile(many, file, {}, {.partBytes = partBytes, .threads = threads});
            ASSERT_TRUE(lines);
            EXPECT_EQ(*lines, reference::referenceLines(log).size());
            EXPECT_EQ(many.WeaponFrags, one.WeaponFrags);
            EXPECT_EQ(many.PlayerNames(), one.PlayerNames());
            EXPECT_EQ(many.PlayerWeaponFrags, one.PlayerWeaponFrags);
            EXPECT_EQ(many.KillerName, one.KillerName);
            EXPECT_EQ(many.VictimName, one.VictimName);
        }
    }
    EXPECT_FALSE(one.PlayerNames()[200].empty());
}

TEST(AnalyzeFile, SaysWhatFailedAndWhy) {
    TempDir dir;
    StatsStore store;
    const auto missing = analyzeFile(store, dir.path() / "gone.log");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().kind, ErrorKind::NotFound);
    EXPECT_NE(missing.error().message.find("gone.log': no such file"), std::string::npos)
        << missing.error().message;

    const auto folder = analyzeFile(store, dir.path());
    ASSERT_FALSE(folder);
    EXPECT_EQ(folder.error().kind, ErrorKind::NotAFile);
    const auto size = fileSize(dir.path());
    ASSERT_FALSE(size);
    EXPECT_EQ(size.error().kind, ErrorKind::NotAFile);
}

}  // namespace
}  // namespace fragtide::engine
