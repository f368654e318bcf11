#include "engine/log_analysis.hpp"

#include <gtest/gtest.h>

#include "engine/log_file.hpp"
#include "engine/stats_store.hpp"
#include "../support/temp_dir.hpp"

namespace fragtide::engine {
namespace {

using testing::TempDir;

TEST(AnalyzeFile, GivesTheSameStatisticsAsTheWholeBufferAcrossBlockBoundaries) {
    // Over three blocks, with a CR LF pair and lines cut at every block boundary somewhere.
    std::string log;
    for (int i = 0; log.size() < 3 * kLogBlockSize + 100; ++i)
        log += "Victim" + std::to_string(i % 7) + " was nailed by Killer" + std::to_string(i % 13) +
               (i % 2 ? "\r\n" : "\n");
    log += "Last was punctured by Final";  // no ending
    TempDir dir;
    const auto file = dir.write("big.log", log);

    StatsStore fromFile, fromBuffer;
    fromFile.CurrentGame = fromBuffer.CurrentGame = "Quake I : Standard";
    std::uint64_t lastProgress = 0;
    const auto lines = analyzeFile(fromFile, file, [&](std::uint64_t n) { lastProgress = n; });
    ASSERT_TRUE(lines) << lines.error().message;
    EXPECT_EQ(*lines, analyzeBuffer(fromBuffer, log));
    EXPECT_EQ(lastProgress, *lines);
    EXPECT_EQ(fromFile.WeaponFrags, fromBuffer.WeaponFrags);
    EXPECT_EQ(fromFile.PlayerNames(), fromBuffer.PlayerNames());
    EXPECT_EQ(fromFile.PlayerWeaponFrags, fromBuffer.PlayerWeaponFrags);
    EXPECT_EQ(fromFile.PlayerNames()[14], "Final");
    const auto counted = countLines(file);
    ASSERT_TRUE(counted);
    EXPECT_EQ(*counted, *lines);
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
