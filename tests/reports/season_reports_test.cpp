#include "reports/season_reports.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "tests/support/season_view_fixture.hpp"

namespace fragtide::reports {
namespace {

using fragtide::testing::SampleMatch;

// Two matches: Thorn frags most but Vexa's two wins over him rate higher; Gr\xe9gory (not UTF-8)
// only dies and kills himself; Zed and Abe only kill themselves, so they tie at 1000 with no frag
// and keep the people order.
std::unique_ptr<season::SeasonView> twoMatches() {
    const std::vector<SampleMatch> matches = {
        {20760 * 86400LL + 20 * 3600 + 15 * 60, "dm4", "/srv/q/logs/qconsole-1.log",
         {{"Thorn", "Gr\xe9gory", 2}, {"Thorn", "Gr\xe9gory", 2}, {"Thorn", "Gr\xe9gory", 1},
          {"Vexa", "Thorn", 0}, {"", "Gr\xe9gory", 0}}},
        {20761 * 86400LL + 9 * 3600 + 5 * 60, "", "logs/qconsole-2.log",
         {{"Vexa", "Thorn", 3}, {"", "Zed", 0}, {"Ruin", "Bob", 1}, {"Bob", "Ruin", 1}, {"", "Abe", 0}}},
    };
    return fragtide::testing::sampleSeasonView(matches);
}

TEST(SeasonReports, RankingAndMatchesOfATwoMatchSeason) {
    const auto view = twoMatches();
    EXPECT_EQ(ranking(*view), (Lines{
                                  "SEASON RANKING BY RATING:",
                                  "",
                                  "1. Vexa : rating 1016.7, 2 frags, 0 deaths, K/D : -, 0 suicides, 0 team kills, "
                                  "2 matches, favourite weapon : Axe, last seen 2026-11-04",
                                  "2. Thorn : rating 1006.3, 3 frags, 2 deaths, K/D : 1.50, 0 suicides, 0 team kills, "
                                  "2 matches, favourite weapon : Rocket Launcher, last seen 2026-11-04",
                                  "3. Bob : rating 1000.4, 1 frag, 1 death, K/D : 1.00, 0 suicides, 0 team kills, "
                                  "1 match, favourite weapon : Nailgun, last seen 2026-11-04",
                                  "4. Zed : rating 1000.0, 0 frags, 0 deaths, K/D : -, 1 suicide, 0 team kills, "
                                  "1 match, favourite weapon : -, last seen 2026-11-04",
                                  "5. Abe : rating 1000.0, 0 frags, 0 deaths, K/D : -, 1 suicide, 0 team kills, "
                                  "1 match, favourite weapon : -, last seen 2026-11-04",
                                  "6. Ruin : rating 999.6, 1 frag, 1 death, K/D : 1.00, 0 suicides, 0 team kills, "
                                  "1 match, favourite weapon : Nailgun, last seen 2026-11-04",
                                  "7. Gr\u00e9gory : rating 977.1, 0 frags, 3 deaths, K/D : 0.00, 1 suicide, "
                                  "0 team kills, 1 match, favourite weapon : -, last seen 2026-11-03",
                              }));
    EXPECT_EQ(matches(*view), (Lines{
                                  "MATCHES OF THE SEASON:",
                                  "",
                                  "2026-11-03 20:15 dm4 (qconsole-1.log) : 3 players, top fragger : Thorn",
                                  "2026-11-04 09:05 unknown (qconsole-2.log) : 6 players, top fragger : Vexa",
                              }));
}

TEST(SeasonReports, AnEmptySeasonShowsItsHeadingsAndSaysItHasNoMatch) {
    const season::SeasonView view;
    EXPECT_EQ(ranking(view), (Lines{"SEASON RANKING BY RATING:", ""}));
    EXPECT_EQ(matches(view), (Lines{"MATCHES OF THE SEASON:", "", "No match in this season."}));
}

TEST(SeasonReports, DatesAndRatingsKeepOneFormAtTheirEdges) {
    const struct {
        const char* what;
        season::CivilSeconds time;
        const char* shown;
    } times[] = {
        {"the epoch", 0, "1970-01-01 00:00"},
        {"a second before it", -1, "1969-12-31 23:59"},
        {"a leap day", 11016 * 86400LL + 23 * 3600 + 59 * 60 + 59, "2000-02-29 23:59"},
        {"the year 10000", 253402300800LL, "10000-01-01 00:00"},
    };
    for (const auto& t : times) {
        SCOPED_TRACE(t.what);
        EXPECT_EQ(civilDateTime(t.time), t.shown);
    }
    const struct {
        double rating;
        const char* shown;
    } ratings[] = {{1000.0, "1000.0"}, {1016.25, "1016.3"}, {999.95, "1000.0"}, {-0.04, "0.0"}, {-12.36, "-12.4"}};
    for (const auto& r : ratings)
        EXPECT_EQ(ratingText(r.rating), r.shown) << r.rating;
}

}  // namespace
}  // namespace fragtide::reports
