#include "engine/line_ends.hpp"

#include <gtest/gtest.h>

#include <string>

#include "engine/game_catalogue.hpp"
#include "engine/log_analysis.hpp"
#include "engine/reference/analyze_bytes.hpp"
#include "engine/reference/reference_matcher.hpp"
#include "engine/stats_store.hpp"

namespace fragtide::engine {
namespace {

// Line count of `bytes` fed in blocks of `blockSize`, the way countLines reads a file.
std::uint64_t countInBlocks(std::string_view bytes, std::size_t blockSize) {
    bool previousWasCr = false;
    std::uint64_t ends = 0;
    for (std::size_t pos = 0; pos < bytes.size(); pos += blockSize)
        ends += countLineEnds(bytes.substr(pos, blockSize), previousWasCr);
    const bool unfinished = !bytes.empty() && bytes.back() != '\r' && bytes.back() != '\n';
    return ends + (unfinished ? 1 : 0);
}

TEST(LineEnds, EndsALineAtCrAtLfAndAtCrLf) {
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
        // The reference the differential tests trust splits exactly so...
        EXPECT_EQ(reference::referenceLines(c.bytes), c.lines);
        // ...and the counting pass and the analysis find as many lines, whatever the pieces.
        for (std::size_t block : {1u, 2u, 3u, 7u, 64u}) {
            EXPECT_EQ(countInBlocks(c.bytes, block), c.lines.size()) << "blocks of " << block;
            StatsStore store;
            const auto lines = reference::analyzeBytes(store, c.bytes, {.partBytes = block, .threads = 2});
            ASSERT_TRUE(lines) << lines.error().message;
            EXPECT_EQ(*lines, c.lines.size()) << "pieces of " << block;
        }
        std::size_t from = 0;
        for (const std::string& line : c.lines) {
            const std::size_t end = findLineEnd(c.bytes, from);
            EXPECT_EQ(c.bytes.substr(from, end - from), line);
            from = end + 1;
            if (end < c.bytes.size() && c.bytes[end] == '\r' && from < c.bytes.size() && c.bytes[from] == '\n')
                ++from;
        }
    }
}

// Lines of every length up to past the sixteen-byte scan, with every ending, cut into pieces
// of many sizes: a line or a CR LF split between two batches is still one.
TEST(LineEnds, JoinsLinesAndCrLfAcrossBatchesOfAnySize) {
    std::string log;
    const char* endings[] = {"\r\n", "\n", "\r"};
    for (int i = 0; i < 300; ++i)
        log += std::string(static_cast<std::size_t>(i % 37) * 11, 'x') + " was nailed by P" +
               std::to_string(i % 41) + endings[i % 3];
    const rules::RuleSet* rules = findGame("Quake I : Standard")->rules;
    reference::ReferenceStore ref;
    const std::uint64_t expected = reference::referenceAnalyze(ref, rules, log);
    for (std::size_t part : {1u, 5u, 64u, 255u, 256u, 257u, 4096u}) {
        for (unsigned threads : {1u, 2u}) {
            SCOPED_TRACE("pieces of " + std::to_string(part) + ", threads " + std::to_string(threads));
            StatsStore store;
            store.CurrentGame = "Quake I : Standard";
            const auto lines = reference::analyzeBytes(store, log, {.partBytes = part, .threads = threads});
            ASSERT_TRUE(lines) << lines.error().message;
            EXPECT_EQ(*lines, expected);
            EXPECT_EQ(store.WeaponFrags[4], ref.weaponFrags[4]);
            EXPECT_EQ(store.PlayerNames(), ref.playerNames);
            EXPECT_EQ(store.PlayerWeaponFrags, ref.playerWeaponFrags);
        }
    }
}

TEST(LineEnds, CountsTheLinesTheReferenceSplitsWhateverTheBlocks) {
    std::string log;
    const char* pieces[] = {"a", "\r", "\n", "\r\n", "bb", "\n\r", "x", "yyyyyyyyyyyyyyyyyyyyyyyy"};
    std::uint32_t state = 12345;
    for (int i = 0; i < 2000; ++i) {
        state = state * 1103515245u + 12345u;
        log += pieces[(state >> 16) % std::size(pieces)];
    }
    for (std::size_t block : {1u, 15u, 16u, 17u, 100u, 5000u})
        EXPECT_EQ(countInBlocks(log, block), reference::referenceLines(log).size()) << "blocks of " << block;
}

}  // namespace
}  // namespace fragtide::engine
