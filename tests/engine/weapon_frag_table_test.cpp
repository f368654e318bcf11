#include "engine/weapon_frag_table.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
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

// A late player's counts are kept as narrow as his largest one: a count that crosses a width's
// limit re-encodes the row wider, and every other count of the row must come through unchanged,
// whatever order the slots were filled in.
TEST(WeaponFragTable, LateRowsKeepEveryCountAcrossWidths) {
    constexpr std::size_t late = WeaponFragTable::kDenseRows + 2;
    struct Case {
        const char* name;
        FragCount big;
    };
    const Case cases[] = {
        {"one byte", 255},       {"two bytes", 256},         {"two bytes full", 65535},
        {"four bytes", 65536},   {"eight bytes", FragCount{1} << 32}, {"largest", INT64_MAX},
        {"negative", -1},
    };
    const std::vector<int> slots = {50, 0, 7, 49, 1, 25, 8, 33, 2, 40, 3, 17, 12, 44, 5, 6, 30, 21, 9, 10};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WeaponRow want{};
        WeaponFragTable ascending(late + 1);
        WeaponFragTable scattered(late + 1);
        for (std::size_t i = 0; i < slots.size(); ++i) {
            want[static_cast<std::size_t>(slots[i])] = static_cast<FragCount>(i + 1);
            scattered.add(late, slots[i], static_cast<FragCount>(i + 1));
        }
        // The big count lands in the middle of the row, before and after the others are there.
        scattered[late][25] = c.big;
        want[25] = c.big;
        for (int s = 0; s < kSlotEntries; ++s) {
            if (want[static_cast<std::size_t>(s)] != 0)
                ascending.add(late, s, want[static_cast<std::size_t>(s)]);
        }
        EXPECT_EQ(WeaponRow(std::as_const(scattered)[late]), want);
        EXPECT_EQ(WeaponRow(std::as_const(ascending)[late]), want);
        EXPECT_TRUE(scattered == ascending);
        std::vector<int> order;
        scattered.forEachCount(late, [&order](int slot, FragCount) { order.push_back(slot); });
        EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
        EXPECT_EQ(order.size(), slots.size());

        // Counts added one at a time past each limit, and a copy, read the same.
        WeaponFragTable counted(late + 1);
        counted.add(late, 3, 250);
        counted.add(late, 4);
        for (int i = 0; i < 70000; ++i)
            counted.add(late, 3);
        counted.add(late, 4, c.big - 1);
        const WeaponFragTable copy = counted;
        EXPECT_EQ(copy.count(late, 3), 70250);
        EXPECT_EQ(copy.count(late, 4), c.big);
        EXPECT_EQ(copy.count(late, 5), 0);
        EXPECT_EQ(copy.count(late - 1, 3), 0);

        // A row whose first count is already wide.
        WeaponFragTable fresh(late + 1);
        fresh.add(late, 9, c.big);
        fresh.add(late, 2);
        EXPECT_EQ(fresh.count(late, 9), c.big);
        EXPECT_EQ(fresh.count(late, 2), 1);
    }
}

}  // namespace
}  // namespace fragtide::engine
