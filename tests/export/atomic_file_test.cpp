#include "export/atomic_file.hpp"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.hpp"

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace fragtide::exports {
namespace {

using fragtide::testing::TempDir;
using fragtide::testing::readBytes;

std::size_t filesIn(const std::filesystem::path& folder) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++n;
    return n;
}

TEST(WriteFileAtomically, ReplacesAnEarlierFileWhole) {
    TempDir dir;
    const auto target = dir.write("season.csv", "old contents, longer than the new ones\n");
    ASSERT_TRUE(writeFileAtomically(target, "new\r\n"));
    EXPECT_EQ(readBytes(target), "new\r\n");
    ASSERT_TRUE(writeFileAtomically(dir.path() / "empty.csv", ""));
    EXPECT_EQ(readBytes(dir.path() / "empty.csv"), "");
    EXPECT_EQ(filesIn(dir.path()), 2u) << "no temporary file left";
}

TEST(WriteFileAtomically, SaysWhatFailedAndLeavesNothingBehind) {
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "season.html");
    dir.write("season.html/inside", "kept");
    const auto folder = writeFileAtomically(dir.path() / "season.html", "<p>");
    ASSERT_FALSE(folder);
    EXPECT_NE(folder.error().message.find("cannot write '"), std::string::npos);
    EXPECT_NE(folder.error().message.find("season.html': it is a folder"), std::string::npos)
        << folder.error().message;
    EXPECT_EQ(readBytes(dir.path() / "season.html" / "inside"), "kept");

    const auto noFolder = writeFileAtomically(dir.path() / "nowhere" / "season.html", "<p>");
    ASSERT_FALSE(noFolder);
    EXPECT_EQ(noFolder.error().kind, ErrorKind::NotFound);
    EXPECT_EQ(filesIn(dir.path()), 1u);
}

#ifndef _WIN32
// A write that fails halfway (the file-size limit stands in for a full disk, and holds for root too).
TEST(WriteFileAtomically, KeepsTheOldFileWhenTheWriteFails) {
    TempDir dir;
    const auto target = dir.write("season.html", "the old page");
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto written = writeFileAtomically(target, std::string(100000, 'x'));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().kind, ErrorKind::Io);
    EXPECT_NE(written.error().message.find("cannot write '"), std::string::npos) << written.error().message;
    EXPECT_EQ(readBytes(target), "the old page");
    EXPECT_EQ(filesIn(dir.path()), 1u) << "the temporary file is removed";
}
#endif

}  // namespace
}  // namespace fragtide::exports
