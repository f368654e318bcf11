#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Every input a fuzzer ever kept or crashed on stays a test: the target aborts on any
// difference from the reference, which fails this test.
TEST(FuzzCorpus, ReplaysEveryKeptInputWithoutADifference) {
    const std::filesystem::path corpus = FRAGTIDE_FUZZ_CORPUS;
    if (!std::filesystem::is_directory(corpus))
        GTEST_SKIP() << "no corpus at " << corpus.string();
    int replayed = 0;
    for (const auto& dir : std::filesystem::directory_iterator(corpus)) {
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            SCOPED_TRACE(entry.path().string());
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0);
}

}  // namespace
