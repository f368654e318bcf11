#include "export/html_export.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <span>
#include <string>
#include <vector>

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

// A store of `count` players, player p with p frags of the first weapon: log order is the
// opposite of value order.
std::unique_ptr<engine::StatsStore> risingPlayers(int count) {
    auto store = std::make_unique<engine::StatsStore>();
    store->CurrentGame = "Quake I : Standard";
    engine::LoadWeaponNames(*store);
    for (int p = 1; p <= count; ++p) {
        EXPECT_EQ(store->addPlayer("P" + std::to_string(p)), p);
        store->PlayerWeaponFrags[p][1] = p;
        store->WeaponFrags[1] += p;
    }
    return store;
}

// The texts between `open` and the next "<" of one section of the page, in page order.
std::vector<std::string> textsAfter(const std::string& html, std::string_view section, std::string_view open) {
    const std::size_t from = html.find(section);
    const std::size_t to = html.find("</section>", from);
    std::vector<std::string> found;
    for (std::size_t at = html.find(open, from); at < to; at = html.find(open, at)) {
        at += open.size();
        found.push_back(html.substr(at, html.find('<', at) - at));
    }
    return found;
}

TEST(HtmlExport, ListsPlayersInOneOrderInChartAndTableAndSaysHowManyTheChartShows) {
    struct Case {
        int players;
        const char* note;
    };
    for (const Case c : {Case{3, "most frags first, as in the table</span>"},
                         Case{40, "most frags first, as in the table; top 25 of 40 shown, the table lists all</span>"}}) {
        SCOPED_TRACE(c.players);
        const auto store = risingPlayers(c.players);
        const std::string html = htmlExport(*store, {});
        const auto chart = textsAfter(html, "<section id=\"players\">", "text-anchor=\"end\">");
        const auto table = textsAfter(html, "<section id=\"players\">", "<span class=\"name\">");
        ASSERT_EQ(table.size(), static_cast<std::size_t>(c.players)) << "the table lists everybody";
        ASSERT_EQ(chart.size(), std::min<std::size_t>(table.size(), 25));
        EXPECT_EQ(table.front(), "P" + std::to_string(c.players));
        EXPECT_EQ(table.back(), "P1");
        EXPECT_TRUE(std::equal(chart.begin(), chart.end(), table.begin()));
        EXPECT_NE(html.find(c.note), std::string::npos) << "visible in the chart's caption";
        // The cards follow Player Info.
        EXPECT_EQ(textsAfter(html, "<section id=\"weapons\">", "<h3><span class=\"name\">"), table);
    }
}

TEST(HtmlExport, GroupsThousandsInEveryCountOfThePage) {
    auto store = risingPlayers(2);
    store->PlayerWeaponFrags[1][1] = 1234567;
    store->WeaponFrags[1] = 1234569;
    store->People.recordKill("P1", "P2");
    store->People.addFrags(*store->People.find("P1"), *store->People.find("P2"), 1234566);
    const engine::LogSetFile files[] = {{"a.log", 2500000, 12345}, {"b.log", 1000, 999}};
    const std::string html = htmlExport(*store, files);
    for (const char* grouped : {">1,234,567<", ">1,234,569<", ">2,500,000<", ">12,345<", ">2,501,000<", ">13,344<",
                                "(2,501,000 bytes, 13,344 lines)", "(1,234,567 frags)", "P1</span> (1,234,567)"}) {
        SCOPED_TRACE(grouped);
        EXPECT_NE(html.find(grouped), std::string::npos);
    }
    for (const char* plain : {"1234567", "2500000", "12345"}) {
        SCOPED_TRACE(plain);
        EXPECT_EQ(html.find(plain), std::string::npos);
    }
}

TEST(HtmlExport, NamesTheBestOfSeveralLogsTopFragger) {
    struct Case {
        std::size_t logs;
        const char* line;
    };
    const engine::LogSetFile files[] = {{"a.log", 10, 1}, {"b.log", 10, 1}};
    for (const Case c : {Case{0, "Player of the match: "}, Case{1, "Player of the match: "}, Case{2, "Top fragger: "}}) {
        SCOPED_TRACE(c.logs);
        const auto store = risingPlayers(2);
        const std::string html = htmlExport(*store, std::span(files).first(c.logs));
        EXPECT_NE(html.find(std::string("<p class=\"motm\">") + c.line + "<strong><span class=\"name\">P2</span>"),
                  std::string::npos);
    }
}

}  // namespace
}  // namespace fragtide::exports
