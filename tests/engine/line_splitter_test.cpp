#include "engine/line_splitter.hpp"

#include <gtest/gtest.h>

#include <string>

namespace fragtide::engine {
namespace {

std::vector<std::string> splitInBlocks(std::string_view bytes, std::size_t blockSize) {
    std::vector<std::string> lines;
    LineSplitter splitter;
    const auto onLine = [&](std::string_view line) { lines.emplace_back(line); };
    for (std::size_t pos = 0; pos < bytes.size(); pos += blockSize)
        splitter.feed(bytes.substr(pos, blockSize), onLine);
    splitter.finish(onLine);
    return lines;
}

TEST(LineSplitter, EndsALineAtCrAtLfAndAtCrLf) {
    struct Case {
        const char* what;
        std::string_view bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"crlf", "a\r\nb\r\n", {"a", "b"}},
        {"bare cr", "a\rb\r", {"a", "b"}},
        {"bare lf", "a\nb\n", {"a", "b"}},
        {"no final ending", "a\nb", {"a", "b"}},
        {"mixed endings", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"lf cr is two endings", "a\n\rb", {"a", "", "b"}},
        {"empty lines", "\r\n\r\n", {"", ""}},
        {"empty log", "", {}},
        {"stray bytes kept", std::string_view("\0\xff\t x\n", 6), {std::string("\0\xff\t x", 5)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto whole = splitLines(c.bytes);
        EXPECT_EQ(std::vector<std::string>(whole.begin(), whole.end()), c.lines);
        for (std::size_t block : {1u, 2u, 3u, 7u})
            EXPECT_EQ(splitInBlocks(c.bytes, block), c.lines) << "blocks of " << block;
    }
}

TEST(LineSplitter, JoinsLinesAndCrLfAcrossBlocksOfAnySize) {
    std::string log;
    std::vector<std::string> expected;
    const char* endings[] = {"\r\n", "\n", "\r"};
    for (int i = 0; i < 300; ++i) {
        expected.push_back(std::string(static_cast<std::size_t>(i % 37) * 11, 'x') + std::to_string(i));
        log += expected.back() + endings[i % 3];
    }
    for (std::size_t block : {1u, 5u, 64u, 255u, 256u, 257u, 4096u})
        EXPECT_EQ(splitInBlocks(log, block), expected) << "blocks of " << block;
}

}  // namespace
}  // namespace fragtide::engine

namespace fragtide::engine {
namespace {

TEST(LineSplitter, CountsTheLinesItSplitsWhateverTheBlocks) {
    std::string log;
    const char* pieces[] = {"a", "\r", "\n", "\r\n", "bb", "\n\r", "x", "yyyyyyyyyyyyyyyyyyyyyyyy"};
    std::uint32_t state = 12345;
    for (int i = 0; i < 2000; ++i) {
        state = state * 1103515245u + 12345u;
        log += pieces[(state >> 16) % std::size(pieces)];
    }
    for (std::size_t block : {1u, 15u, 16u, 17u, 100u, 5000u}) {
        bool previousWasCr = false;
        std::uint64_t ends = 0;
        for (std::size_t pos = 0; pos < log.size(); pos += block)
            ends += countLineEnds(std::string_view(log).substr(pos, block), previousWasCr);
        const bool unfinished = !log.empty() && log.back() != '\r' && log.back() != '\n';
        EXPECT_EQ(ends + (unfinished ? 1 : 0), splitLines(log).size()) << "blocks of " << block;
    }
}

}  // namespace
}  // namespace fragtide::engine
