#include "engine/batch_plan.hpp"

#include <gtest/gtest.h>

#include <string>

namespace fragtide::engine {
namespace {

// Lines of 10 bytes with mixed endings, the last one without: n lines, n * 10 - 1 bytes.
std::string linesOf(int n) {
    std::string text;
    const char* endings[] = {"\n", "\r\n", "\r"};
    for (int i = 0; i < n; ++i) {
        const std::string end = endings[i % 3];
        text += std::string(10 - end.size(), 'a' + static_cast<char>(i % 26)) + end;
    }
    text.pop_back();
    return text;
}

TEST(BatchPlan, CutsWholeLinesIntoFixedPiecesThenSparesFromTheLastEighth) {
    const std::string whole = linesOf(800);
    struct Case {
        const char* what;
        BatchShape shape;
        unsigned fixed;
        std::size_t pieces;
    };
    const Case cases[] = {
        {"one thread, the last batch: the batch whole", {1, false, {}}, 1, 1},
        {"one thread reading on: spares to balance the read", {1, true, {}}, 1, 1 + kSparePieces},
        {"four threads", {4, false, {}}, 4, 4 + kSparePieces},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string_view> pieces;
        EXPECT_EQ(planBatch(whole, c.shape, pieces), c.fixed);
        ASSERT_EQ(pieces.size(), c.pieces);
        std::string joined;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            EXPECT_FALSE(pieces[i].empty());
            if (i + 1 < pieces.size()) {
                const char last = pieces[i].back();
                EXPECT_TRUE(last == '\n' || (last == '\r' && pieces[i + 1].front() != '\n')) << "piece " << i;
            }
            joined += pieces[i];
        }
        EXPECT_EQ(joined, whole);
        std::size_t spareBytes = 0;
        for (std::size_t i = c.fixed; i < pieces.size(); ++i)
            spareBytes += pieces[i].size();
        EXPECT_LE(spareBytes, whole.size() / 8 + 10);
    }
}

TEST(BatchPlan, GivesTheReadingThreadLessByTheMeasuredSpeeds) {
    const std::string whole = linesOf(8000);
    std::vector<std::string_view> even, uneven;
    ASSERT_EQ(planBatch(whole, {2, true, {}}, even), 2u);
    // Both pieces analyse alike, and the read takes as long as half a piece: the reader's piece
    // shrinks so that both end together.
    const double rate = 1000;
    const double half = static_cast<double>(even[0].size() + even[1].size()) / 2;
    ASSERT_EQ(planBatch(whole, {2, true, {rate, rate, half / 2 / rate}}, uneven), 2u);
    EXPECT_GT(uneven[0].size(), even[0].size());
    EXPECT_NEAR(static_cast<double>(uneven[0].size()) - static_cast<double>(uneven[1].size()), half / 2, 20);
    // Never more than nine tenths to the others, however slow the read.
    ASSERT_EQ(planBatch(whole, {2, true, {rate, rate, 1e9}}, uneven), 2u);
    EXPECT_LE(static_cast<double>(uneven[0].size()), 0.9 * 2 * half + 10);
}

TEST(BatchPlan, KeepsALongLineWholeAndGivesNoEmptyPiece) {
    const std::string whole = std::string(1000, 'x') + "\nshort\n";
    std::vector<std::string_view> pieces;
    const unsigned fixed = planBatch(whole, {4, true, {}}, pieces);
    EXPECT_EQ(fixed, 1u);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].size(), 1001u);
    EXPECT_EQ(pieces[1], "short\n");
}

}  // namespace
}  // namespace fragtide::engine
