#include "export/html_export.hpp"

#include <gtest/gtest.h>

#include "engine/game_catalogue.hpp"
#include "tests/export/export_fixture.hpp"

namespace fragtide::exports {
namespace {

// None of the hostile names of small.log is in the page as it came.
bool holdsNoRawName(const std::string& html) {
    return html.find("<script") == std::string::npos && html.find("\x1b") == std::string::npos &&
           html.find("\x01") == std::string::npos && html.find("\"the,") == std::string::npos;
}

TEST(HtmlExport, WritesTheSmallLogAsItsGoldenPage) {
    const auto a = testing::analyseSmallLog();
    ASSERT_TRUE(a.result.failures.empty());
    const std::string html = htmlExport(*a.store, a.result.files);
    EXPECT_EQ(html, testing::golden("small.html", html));
}

TEST(HtmlExport, EscapesHostileNamesEverywhereTheyAppear) {
    const auto a = testing::analyseSmallLog();
    const std::string html = htmlExport(*a.store, a.result.files);
    EXPECT_TRUE(holdsNoRawName(html));
    EXPECT_NE(html.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
    EXPECT_NE(html.find("Bob &quot;the, Builder&quot;"), std::string::npos);
    EXPECT_NE(html.find("R&amp;D"), std::string::npos);
    EXPECT_NE(html.find("Esc\xE2\x90\x9B[31mape\xE2\x90\x81"), std::string::npos);
    EXPECT_NE(html.find("Multi\xEF\xBF\xBDLine"), std::string::npos);
    EXPECT_NE(html.find("Jo\xC3\xABl"), std::string::npos);
    // Nothing reaches out of the page.
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("http://"), html.find("http://www.w3.org/2000/svg"));
    EXPECT_EQ(html.find("https://"), std::string::npos);
}

TEST(HtmlExport, GivesEveryChartATextAlternative) {
    const auto a = testing::analyseSmallLog();
    const std::string html = htmlExport(*a.store, a.result.files);
    for (const std::string id : {"chart-weapons", "chart-players", "chart-rivals"}) {
        SCOPED_TRACE(id);
        EXPECT_NE(html.find("role=\"img\" viewBox"), std::string::npos);
        EXPECT_NE(html.find("aria-labelledby=\"" + id + "-title " + id + "-desc\""), std::string::npos);
        EXPECT_NE(html.find("<title id=\"" + id + "-title\">"), std::string::npos);
        EXPECT_NE(html.find("<desc id=\"" + id + "-desc\">"), std::string::npos);
    }
    EXPECT_NE(html.find("@media print"), std::string::npos);
    EXPECT_NE(html.find("prefers-color-scheme:dark"), std::string::npos);
}

TEST(HtmlExport, ShowsAnEmptyAnalysisAsAPageWithoutCharts) {
    engine::StatsStore store;
    store.CurrentGame = "Quake I : Standard";
    engine::LoadWeaponNames(store);
    const std::string html = htmlExport(store, {});
    EXPECT_EQ(html.find("<svg"), std::string::npos);
    EXPECT_NE(html.find("No log file was read."), std::string::npos);
    EXPECT_NE(html.find("No kill was counted."), std::string::npos);
    EXPECT_NE(html.find("Nobody scored."), std::string::npos);
    EXPECT_NE(html.find("</html>\n"), std::string::npos);
}

TEST(HtmlExport, ChartsTheHighestOfManyPlayersAndTablesThemAll) {
    engine::StatsStore store;
    store.CurrentGame = "Quake I : Standard";
    engine::LoadWeaponNames(store);
    for (int p = 1; p <= 40; ++p) {
        ASSERT_EQ(store.addPlayer("P" + std::to_string(p)), p);
        store.PlayerWeaponFrags[p][1] = p;
    }
    const std::string html = htmlExport(store, {});
    const auto chart = html.substr(html.find("<svg"), html.find("</svg>") - html.find("<svg"));
    EXPECT_NE(chart.find(">P40<"), std::string::npos);
    EXPECT_NE(chart.find(">P16<"), std::string::npos);
    EXPECT_EQ(chart.find(">P15<"), std::string::npos) << "the 25 highest only";
    EXPECT_NE(html.find("<td>P15</td>"), std::string::npos);
    EXPECT_NE(html.find("the table lists all"), std::string::npos);
}

}  // namespace
}  // namespace fragtide::exports
