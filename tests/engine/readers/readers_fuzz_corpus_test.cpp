#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// The readers' fuzz targets, renamed for this program (see tests/engine/CMakeLists.txt).
extern "C" int hlServerLogFuzz(const std::uint8_t* data, std::size_t size);
extern "C" int stdLogFuzz(const std::uint8_t* data, std::size_t size);
extern "C" int cs2ServerLogFuzz(const std::uint8_t* data, std::size_t size);
extern "C" int quake3LogFuzz(const std::uint8_t* data, std::size_t size);
extern "C" int gameFileFuzz(const std::uint8_t* data, std::size_t size);
extern "C" int lineTemplateFuzz(const std::uint8_t* data, std::size_t size);

namespace {

using Target = int (*)(const std::uint8_t*, std::size_t);

// Every input a fuzzer kept or crashed on stays a test: a target aborts on any difference from its
// reference, which fails this test.
int replay(const std::filesystem::path& folder, Target target) {
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().string());
        target(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++replayed;
    }
    return replayed;
}

TEST(ReadersFuzzCorpus, ReplaysEveryKeptInputWithoutADifference) {
    const std::filesystem::path corpus = FRAGTIDE_FUZZ_CORPUS;
    EXPECT_GT(replay(corpus / "hl_server_log", hlServerLogFuzz), 0);
    EXPECT_GT(replay(corpus / "stdlog", stdLogFuzz), 0);
    EXPECT_GT(replay(corpus / "cs2_server_log", cs2ServerLogFuzz), 0);
    EXPECT_GT(replay(corpus / "quake3_log", quake3LogFuzz), 0);
    EXPECT_GT(replay(corpus / "game_file", gameFileFuzz), 0);
    EXPECT_GT(replay(corpus / "line_template", lineTemplateFuzz), 0);
}

}  // namespace
