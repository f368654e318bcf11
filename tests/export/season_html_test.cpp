#include "export/season_html.hpp"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "export/svg_line_chart.hpp"
#include "tests/support/season_view_fixture.hpp"

namespace fragtide::exports {
namespace {

std::size_t occurrences(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST(SeasonHtml, PutsTheSeasonsOwnSectionsBeforeTheStatisticsOfTheOrdinaryPage) {
    const auto view = fragtide::testing::generatedSeasonView(14, 12);
    const std::string html = seasonHtmlExport(*view, "Clan <night> & \"day\"");
    std::vector<std::size_t> at;
    for (const char* id : {"ranking", "rating", "matches", "maps", "general", "players", "weapons", "rivals"}) {
        SCOPED_TRACE(id);
        at.push_back(html.find(std::string("<section id=\"") + id + "\""));
        ASSERT_NE(at.back(), std::string::npos);
    }
    EXPECT_TRUE(std::is_sorted(at.begin(), at.end()));
    // The season's name came from a file name: escaped in the title and the header alike.
    EXPECT_EQ(occurrences(html, "Clan &lt;night&gt; &amp; &quot;day&quot;"), 2u);
    EXPECT_EQ(html.find("<night>"), std::string::npos);
    // Everybody ranked, ten lines in the chart, every match listed.
    const std::string ranking = html.substr(at[0], at[1] - at[0]);
    EXPECT_EQ(occurrences(ranking, "<tr>") - 1, view->store.People.people().size());
    EXPECT_EQ(occurrences(html, "<polyline "), 10u);
    const std::string matches = html.substr(at[2], at[3] - at[2]);
    EXPECT_EQ(occurrences(matches, "<tr>") - 1, 12u);
}

TEST(SeasonHtml, SaysWhatAnEmptySeasonHolds) {
    const season::SeasonView view;
    const std::string html = seasonHtmlExport(view, "empty");
    EXPECT_NE(html.find("No match in this season."), std::string::npos);
    EXPECT_EQ(html.find("<svg class=\"chart line\""), std::string::npos);
}

TEST(SvgLineChart, NamesStepsWithoutOverlapAndAlwaysTheLast) {
    const std::regex stepLabel(R"re(<text class="value" x="(\d+)" y="\d+" text-anchor="middle">([^<]*)</text>)re");
    for (const std::size_t steps : {1u, 2u, 7u, 8u, 30u, 365u}) {
        SCOPED_TRACE(steps);
        LineChart chart{"c", "t", "d", "Rating", "Match date", {}, {{"a", {{0, 1000.0}, {steps - 1, 1012.5}}}}};
        for (std::size_t i = 0; i < steps; ++i)
            chart.steps.push_back("2026-11-" + std::to_string(i));
        const std::string svg = svgLineChart(chart);
        std::vector<int> xs;
        std::string last;
        for (auto it = std::sregex_iterator(svg.begin(), svg.end(), stepLabel); it != std::sregex_iterator(); ++it) {
            xs.push_back(std::stoi((*it)[1]));
            last = (*it)[2];
        }
        ASSERT_FALSE(xs.empty());
        EXPECT_EQ(last, chart.steps.back());
        for (std::size_t i = 1; i < xs.size(); ++i)
            EXPECT_GE(xs[i] - xs[i - 1], 90) << "labels " << i - 1 << " and " << i;
    }
}

}  // namespace
}  // namespace fragtide::exports
