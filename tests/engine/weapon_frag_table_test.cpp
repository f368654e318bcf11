#include "engine/weapon_frag_table.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace fragtide::engine {
namespace {

// Counts added in random order to players on both sides of the full rows read back as a plain
// table of rows does: by [player][slot], by row, slot by slot, and as equal tables.
TEST(WeaponFragTable, ReadsLikeFullRowsOnBothSidesOfTheFullOnes) {
    constexpr std::size_t rows = WeaponFragTable::kDenseRows + 40;
    std::mt19937 rng(5);
    WeaponFragTable table(rows);
    std::vector<WeaponRow> plain(rows);
    for (int i = 0; i < 20000; ++i) {
        // Mostly the players around the border, and slots in no order.
        const std::size_t player = WeaponFragTable::kDenseRows - 20 + rng() % 60;
        const int slot = static_cast<int>(rng() % kSlotEntries);
        const FragCount n = 1 + rng() % 3;
        table.add(player, slot, n);
        plain[player][static_cast<std::size_t>(slot)] += n;
    }
    EXPECT_TRUE(table == plain);
    // A copy keeps counts of its own; rows dropped and grown again start at zero.
    WeaponFragTable copy(1);
    copy = table;
    table.resize(WeaponFragTable::kDenseRows + 5);
    table.resize(rows);
    table.add(rows - 1, 3);
    EXPECT_TRUE(copy == plain);
    EXPECT_EQ(table.count(rows - 1, 3), 1);
    EXPECT_EQ(table.count(rows - 1, 4), 0);
    table = copy;
    for (const std::size_t player : {std::size_t{0}, WeaponFragTable::kDenseRows - 1, WeaponFragTable::kDenseRows,
                                     rows - 1}) {
        SCOPED_TRACE("player " + std::to_string(player));
        EXPECT_EQ(WeaponRow(std::as_const(table)[player]), plain[player]);
        std::vector<int> slots;
        table.forEachCount(player, [&](int slot, FragCount n) {
            slots.push_back(slot);
            EXPECT_EQ(n, plain[player][static_cast<std::size_t>(slot)]);
        });
        EXPECT_TRUE(std::is_sorted(slots.begin(), slots.end()));
    }

    WeaponFragTable other(rows);
    other[rows - 1][7] = 3;  // written through a row, as tests and readers do
    EXPECT_EQ(other[rows - 1][7], 3);
    EXPECT_FALSE(other == table);
    table.reset();
    EXPECT_EQ(table.size(), 1u);
    table.resize(rows);
    EXPECT_TRUE(table == std::vector<WeaponRow>(rows)) << "rows after a reset start at zero";
}

}  // namespace
}  // namespace fragtide::engine
