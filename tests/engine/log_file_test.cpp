#include "engine/log_file.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/support/temp_dir.hpp"

namespace fragtide::engine {
namespace {

using testing::TempDir;

// Bytes that tell every position apart, so a read from the wrong place shows.
std::string countingBytes(std::size_t size, unsigned seed = 0) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131 + i / 251 + seed) & 0xFF);
    return bytes;
}

// Reads the rest of the file in pieces of `step` bytes.
std::string readRest(LogFile& file, std::size_t step) {
    std::string got;
    std::string buffer(step, '\0');
    for (;;) {
        auto n = file.readInto(buffer.data(), step);
        EXPECT_TRUE(n) << n.error().message;
        if (!n || *n == 0)
            return got;
        got.append(buffer.data(), *n);
    }
}

// Reads in any step land exactly where the file was moved to.
TEST(LogFile, ReadsLargeFilesExactlyWhereverItIsMoved) {
    const std::string bytes = countingBytes((3 << 20) + 12345);
    TempDir dir;
    auto file = LogFile::open(dir.write("large.log", bytes));
    ASSERT_TRUE(file) << file.error().message;
    EXPECT_EQ(readRest(*file, 1 << 20), bytes);
    ASSERT_TRUE(file->seek(1000001));
    EXPECT_EQ(readRest(*file, 777777), bytes.substr(1000001));
    ASSERT_TRUE(file->rewind());
    EXPECT_EQ(readRest(*file, (1 << 20) + 3), bytes);
}

// A log a server is still writing: what it adds after the first read is read too.
TEST(LogFile, ReadsWhatAGrowingFileGainsAfterTheFirstRead) {
    const std::string first = countingBytes(2 << 20, 1), more = countingBytes(700000, 2);
    TempDir dir;
    const auto path = dir.write("growing.log", first);
    auto file = LogFile::open(path);
    ASSERT_TRUE(file) << file.error().message;
    std::string got(1 << 20, '\0');
    auto n = file->readInto(got.data(), got.size());
    ASSERT_TRUE(n && *n == got.size());
    std::ofstream(path, std::ios::binary | std::ios::app).write(more.data(), static_cast<std::streamsize>(more.size()));
    EXPECT_EQ(got + readRest(*file, 1 << 20), first + more);
}

// Log rotation may cut a file short while it is read: that is an error that says so, not a log
// that quietly ends early.
TEST(LogFile, SaysSoWhenTheFileIsCutShortWhileRead) {
    TempDir dir;
    const auto path = dir.write("rotated.log", countingBytes(4 << 20));
    auto file = LogFile::open(path);
    ASSERT_TRUE(file) << file.error().message;
    std::string buffer(1 << 20, '\0');
    ASSERT_TRUE(file->readInto(buffer.data(), buffer.size()));
    std::filesystem::resize_file(path, 0);
    const auto cut = file->readInto(buffer.data(), buffer.size());
    ASSERT_FALSE(cut);
    EXPECT_NE(cut.error().message.find("rotated.log"), std::string::npos) << cut.error().message;
    EXPECT_NE(cut.error().message.find("shorter"), std::string::npos) << cut.error().message;
    // The program goes on, and so do other readers.
    const std::string bytes = countingBytes(2 << 20, 3);
    auto other = LogFile::open(dir.write("other.log", bytes));
    ASSERT_TRUE(other);
    EXPECT_EQ(readRest(*other, 1 << 20), bytes);
}

}  // namespace
}  // namespace fragtide::engine
