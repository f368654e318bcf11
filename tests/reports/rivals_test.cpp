#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "reports/rivals.hpp"
#include "reports/rivals_matrix.hpp"

namespace fragtide::reports {
namespace {

using engine::PeopleTable;
using engine::StatsStore;

TEST(Rivals, KillsPerDeathHasTwoDecimalsRoundedHalfUp) {
    constexpr auto kMax = std::numeric_limits<engine::FragCount>::max();
    const struct {
        engine::FragCount frags, deaths;
        const char* text;
    } cases[] = {
        {3, 2, "1.50"},  {1, 3, "0.33"},  {2, 3, "0.67"}, {0, 5, "0.00"},   {1, 8, "0.13"},
        {199, 200, "1.00"},  // rounds into the next whole number
        {5, 0, "-"},     {0, 0, "-"},
        {kMax, 1, "9223372036854775807.00"}, {kMax, kMax - 1, "1.00"}, {kMax - 1, kMax, "1.00"},
        {1, kMax, "0.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(killsPerDeath(c.frags, c.deaths), c.text) << c.frags << " / " << c.deaths;
}

TEST(Rivals, ReportListsEverybodyInOrderOfFirstAppearance) {
    StatsStore store;
    PeopleTable& t = store.People;
    t.recordKill("Bob", "Ann");
    t.recordKill("Bob", "Carl");
    t.recordKill("Bob", "Carl");
    t.recordKill("Ann", "Bob");
    t.recordKill("Carl", "Bob");
    t.recordKill("Bob", "Ann");  // Ann and Carl tie for Bob's favourite: Ann was fragged first
    t.recordSuicide("Dave");
    t.recordTeamKill("Ann", "");
    t.recordKill("Gr\xE9gory", "Ann");  // not UTF-8: shown as Windows-1252

    // Counts of exactly 1 in the singular, every other count (0 too) in the plural.
    EXPECT_EQ(rivalsInfo(store), (Lines{
                              "FRAGS, DEATHS AND RIVALS PER PLAYER:",
                              "",
                              "Bob has 4 frags, 2 deaths, 0 suicides, 0 team kills, K/D : 2.00",
                              "Favourite victim : Ann with 2 frags, worst enemy : Ann with 1 frag",
                              "",
                              "Ann has 1 frag, 3 deaths, 0 suicides, 1 team kill, K/D : 0.33",
                              "Favourite victim : Bob with 1 frag, worst enemy : Bob with 2 frags",
                              "",
                              "Carl has 1 frag, 2 deaths, 0 suicides, 0 team kills, K/D : 0.50",
                              "Favourite victim : Bob with 1 frag, worst enemy : Bob with 2 frags",
                              "",
                              "Dave has 0 frags, 0 deaths, 1 suicide, 0 team kills, K/D : -",
                              "Favourite victim : nobody, worst enemy : nobody",
                              "",
                              "Gr\u00E9gory has 1 frag, 0 deaths, 0 suicides, 0 team kills, K/D : -",
                              "Favourite victim : Ann with 1 frag, worst enemy : nobody",
                              "",
                          }));
}

TEST(Rivals, ReportOfAnEmptyStoreIsItsHeading) {
    EXPECT_EQ(rivalsInfo(StatsStore{}), (Lines{"FRAGS, DEATHS AND RIVALS PER PLAYER:", ""}));
}

// Rows: Bob, Ann, Eve (Carl fragged nobody, Dave only killed himself). Columns: Bob, Ann, Carl.
PeopleTable matrixPeople() {
    PeopleTable t;
    t.recordKill("Bob", "Ann");
    t.recordKill("Bob", "Carl");
    t.recordKill("Ann", "Bob");
    t.recordKill("Bob", "Ann");
    t.recordSuicide("Dave");
    t.recordKill("Eve", "Carl");
    t.recordKill("Eve", "Carl");
    t.recordKill("Eve", "Carl");
    t.recordKill("Ann", "");  // no victim: no cell
    return t;
}

Lines rowNames(const RivalsMatrix& m) {
    Lines names;
    for (int r = 0; r < m.rowCount(); ++r)
        names.push_back(m.rowName(r));
    return names;
}

TEST(RivalsMatrix, HoldsCellsAndTotalsInOrderOfFirstAppearance) {
    const RivalsMatrix m(matrixPeople());
    ASSERT_EQ(rowNames(m), (Lines{"Bob", "Ann", "Eve"}));
    ASSERT_EQ(m.columnCount(), 3);
    EXPECT_EQ(m.columnName(0), "Bob");
    EXPECT_EQ(m.columnName(1), "Ann");
    EXPECT_EQ(m.columnName(2), "Carl");
    const std::vector<std::vector<engine::PeopleCount>> cells = {{0, 2, 1}, {1, 0, 0}, {0, 0, 3}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(m.cell(r, c), cells[r][c]) << r << "," << c;
    EXPECT_EQ(m.rowTotal(0), 3);
    EXPECT_EQ(m.rowTotal(1), 1);
    EXPECT_EQ(m.rowTotal(2), 3);
    EXPECT_EQ(m.columnTotal(0), 1);
    EXPECT_EQ(m.columnTotal(1), 2);
    EXPECT_EQ(m.columnTotal(2), 4);
    EXPECT_EQ(m.total(), 7);
    EXPECT_EQ(m.largestCell(), 3);

    const RivalsMatrix empty{PeopleTable{}};
    EXPECT_EQ(empty.rowCount(), 0);
    EXPECT_EQ(empty.copyText(), "\tTotal\nTotal\t0\n");

    // Names show as the display chosen: 0xE9 is "é" in Windows-1252, U+FFFD as UTF-8.
    PeopleTable accented;
    accented.recordKill("Ren\xE9", "Bob");
    EXPECT_EQ(RivalsMatrix(accented, engine::NameDisplay::Windows1252).copyText(),
              "\tBob\tTotal\nRen\u00E9\t1\t1\nTotal\t1\t1\n");
    EXPECT_EQ(RivalsMatrix(accented, engine::NameDisplay::Utf8).copyText(),
              "\tBob\tTotal\nRen\uFFFD\t1\t1\nTotal\t1\t1\n");
}

TEST(RivalsMatrix, SortsRowsByAnyColumnKeepingTiesInOrder) {
    RivalsMatrix m(matrixPeople());
    m.sortRows(2, true);  // Carl: Eve 3, Bob 1, Ann 0
    EXPECT_EQ(rowNames(m), (Lines{"Eve", "Bob", "Ann"}));
    m.sortRows(RivalsMatrix::kTotalColumn, true);  // Eve and Bob tie on 3: their order stays
    EXPECT_EQ(rowNames(m), (Lines{"Eve", "Bob", "Ann"}));
    m.sortRows(RivalsMatrix::kTotalColumn, false);
    EXPECT_EQ(rowNames(m), (Lines{"Ann", "Eve", "Bob"}));
    m.sortRows(RivalsMatrix::kNameColumn, false);
    EXPECT_EQ(rowNames(m), (Lines{"Ann", "Bob", "Eve"}));
    m.sortRows(RivalsMatrix::kNameColumn, true);
    EXPECT_EQ(rowNames(m), (Lines{"Eve", "Bob", "Ann"}));
    m.sortRows(1, true);  // Ann: Bob 2, the others tie on 0 in their current order
    EXPECT_EQ(rowNames(m), (Lines{"Bob", "Eve", "Ann"}));
    EXPECT_EQ(m.cell(0, 1), 2);  // cells move with their rows
    EXPECT_EQ(m.rowTotal(1), 3);
    m.sortRows(7, true);  // no such column
    EXPECT_EQ(rowNames(m), (Lines{"Bob", "Eve", "Ann"}));
}

TEST(RivalsMatrix, AHeadingClickSortsLargestFirstAndTheSameHeadingAgainTurnsItRound) {
    RivalsMatrix m(matrixPeople());
    m.sortByHeadingClick(RivalsMatrix::kNameColumn);
    EXPECT_EQ(rowNames(m), (Lines{"Eve", "Bob", "Ann"}));
    m.sortByHeadingClick(RivalsMatrix::kNameColumn);
    EXPECT_EQ(rowNames(m), (Lines{"Ann", "Bob", "Eve"}));
    m.sortByHeadingClick(RivalsMatrix::kTotalColumn);  // another heading starts largest first
    EXPECT_EQ(rowNames(m), (Lines{"Bob", "Eve", "Ann"}));
}

TEST(RivalsMatrix, CopiesAsTabSeparatedTextInTheShownOrder) {
    PeopleTable t = matrixPeople();
    t.recordKill("Tab\tby\nname", "Ann");
    RivalsMatrix m(t);
    m.sortRows(RivalsMatrix::kTotalColumn, false);
    EXPECT_EQ(m.copyText(),
              "\tBob\tAnn\tCarl\tTotal\n"
              "Ann\t1\t0\t0\t1\n"
              "Tab by name\t0\t1\t0\t1\n"
              "Bob\t0\t2\t1\t3\n"
              "Eve\t0\t0\t3\t3\n"
              "Total\t1\t3\t4\t8\n");
}

}  // namespace
}  // namespace fragtide::reports
