#include "export/season_html.hpp"

#include <algorithm>
#include <map>

#include "engine/display_text.hpp"
#include "export/export_texts.hpp"
#include "export/html_export.hpp"
#include "export/html_page.hpp"
#include "export/html_text.hpp"
#include "export/svg_line_chart.hpp"
#include "reports/rivals.hpp"
#include "reports/season_reports.hpp"

namespace fragtide::exports {
namespace {

using html::count;
using html::nameCell;
using html::table;
using html::tag;
using html::text;
using season::SeasonView;

// Ten lines told apart by colour on screen, and by dash in print, where every line is black.
constexpr std::string_view kSeasonStyle = R"(<style>
.line .grid{stroke:var(--line);stroke-width:1}
.line .axis{stroke:var(--muted);stroke-width:1}
.line polyline{fill:none;stroke-width:2;stroke-linejoin:round}
.line g line{stroke-width:2}
.l0{--c:#d9480f}.l1{--c:#1c7ed6}.l2{--c:#2b8a3e}.l3{--c:#ae3ec9}.l4{--c:#e67700}
.l5{--c:#0c8599}.l6{--c:#c2255c}.l7{--c:#5c940d}.l8{--c:#5f3dc4}.l9{--c:#868e96}
@media (prefers-color-scheme:dark){.l0{--c:#ff8a4c}.l1{--c:#74c0fc}.l2{--c:#8ce99a}.l3{--c:#e599f7}.l4{--c:#ffd43b}
.l5{--c:#66d9e8}.l6{--c:#faa2c1}.l7{--c:#c0eb75}.l8{--c:#b197fc}.l9{--c:#ced4da}}
.line g[class^=l] polyline,.line g[class^=l] line{stroke:var(--c)}
.line g[class^=l] circle{fill:var(--c)}
.rank{font-weight:600}
#ranking td:nth-child(2){min-width:9em}
.line .axis-title{font-weight:600}
@media print{
svg.chart.line{width:100%}
.l0,.l1,.l2,.l3,.l4,.l5,.l6,.l7,.l8,.l9{--c:#000}
.l1 polyline,.l1 line{stroke-dasharray:6 3}.l2 polyline,.l2 line{stroke-dasharray:2 3}
.l3 polyline,.l3 line{stroke-dasharray:8 3 2 3}.l4 polyline,.l4 line{stroke-dasharray:12 4}
.l5 polyline,.l5 line{stroke:#777!important}.l6 polyline,.l6 line{stroke:#777!important;stroke-dasharray:6 3}
.l7 polyline,.l7 line{stroke:#777!important;stroke-dasharray:2 3}.l8 polyline,.l8 line{stroke:#777!important;stroke-dasharray:8 3 2 3}
.l9 polyline,.l9 line{stroke:#777!important;stroke-dasharray:12 4}
}
</style>
)";

double ratingOf(const SeasonView& view, std::uint32_t person) {
    return person < view.ratings.size() ? view.ratings[person] : 1000.0;
}

std::string header(const SeasonView& view, const std::string& seasonName) {
    std::string out = "<header>\n" + tag("h1", text(texts::kPageTitle)) + "\n";
    out += "<p><strong>" + text(texts::kSeason) + ":</strong> " + text(seasonName) + "</p>\n";
    out += "<p><strong>" + text(texts::kGame) + ":</strong> " + htmlFromLog(view.game) + "</p>\n";
    out += "<p><strong>" + text(texts::kMatches) + ":</strong> " +
           count(static_cast<std::int64_t>(view.matches.size()));
    if (!view.matches.empty()) {
        out += ", " + text(reports::civilDate(view.matches.front().start)) + text(texts::kMatchesFromTo) +
               text(reports::civilDate(view.matches.back().start));
    }
    return out + "</p>\n</header>\n";
}

std::string rankingSection(const SeasonView& view) {
    const engine::StatsStore& store = view.store;
    const auto& people = store.People.people();
    std::vector<std::vector<std::string>> rows;
    std::int64_t rank = 0;
    for (const std::uint32_t p : reports::rankingOrder(view)) {
        const auto& person = people[p];
        const int slot = reports::favouriteSlot(store, p);
        const std::int64_t played = p < view.matchesPlayed.size() ? view.matchesPlayed[p] : 0;
        rows.push_back({tag("span", count(++rank), "rank"), nameCell(person.name),
                        text(reports::ratingText(ratingOf(view, p))), count(person.frags), count(person.deaths),
                        text(reports::killsPerDeath(person.frags, person.deaths)), count(person.suicides),
                        count(person.teamKills), count(played),
                        slot ? nameCell(store.WeaponNames[slot]) : text(texts::kNone),
                        played > 0 && p < view.lastSeen.size() ? text(reports::civilDate(view.lastSeen[p]))
                                                               : text(texts::kNone)});
    }
    std::string out = "<section id=\"ranking\">\n" + tag("h2", text(texts::kRanking)) + "\n" +
                      tag("p", text(texts::kRankingNote), "note") + "\n";
    if (rows.empty())
        return out + tag("p", text(texts::kNoPeople), "muted") + "\n</section>\n";
    return out +
           table({texts::kRank, texts::kPlayer, texts::kRating, texts::kFrags, texts::kDeaths, texts::kKillsPerDeath,
                  texts::kSuicides, texts::kTeamKills, texts::kMatchesPlayed, texts::kFavouriteWeapon,
                  texts::kLastSeen},
                 {true, false, true, true, true, true, true, true, true, false, true}, rows) +
           "</section>\n";
}

std::string ratingChartSection(const SeasonView& view) {
    if (view.topTenHistory.empty() || view.matches.empty())
        return {};
    LineChart chart;
    chart.id = "chart-rating";
    chart.title = std::string(texts::kRatingChart);
    chart.valueTitle = std::string(texts::kRating);
    chart.stepTitle = std::string(texts::kRatingChartSteps);
    for (const season::Match& match : view.matches)
        chart.steps.push_back(reports::civilDate(match.start));
    // The legend numbers the lines as the ranking ranks them.
    const std::vector<std::uint32_t> order = reports::rankingOrder(view);
    std::string names;
    for (const season::RatingHistory& history : view.topTenHistory) {
        if (history.person >= view.store.People.people().size())
            continue;
        const auto rank = std::find(order.begin(), order.end(), history.person) - order.begin() + 1;
        const std::string name = engine::displayName(view.store, view.store.People.people()[history.person].name);
        chart.series.push_back({std::to_string(rank) + ". " + name + " (" +
                                    reports::ratingText(ratingOf(view, history.person)) + ")",
                                history.points});
        names += (names.empty() ? "" : ", ") + name;
        if (chart.series.size() == 10)
            break;
    }
    chart.description = std::string(texts::kRatingChartShows) + names + "; " + std::string(texts::kRatingChartNote) +
                        ". The ranking lists their ratings.";
    return "<section id=\"rating\">\n<figure class=\"wide\">" +
           tag("figcaption", text(chart.title) + " " + tag("span", text(texts::kRatingChartNote), "note")) + "\n" +
           svgLineChart(chart) + "</figure>\n</section>\n";
}

std::string matchesSection(const SeasonView& view) {
    std::string out = "<section id=\"matches\">\n" + tag("h2", text(texts::kMatches)) + "\n";
    if (view.matches.empty())
        return out + tag("p", text(texts::kNoMatches), "muted") + "\n</section>\n";
    std::vector<std::vector<std::string>> rows;
    for (const season::Match& match : view.matches) {
        rows.push_back({text(reports::civilDateTime(match.start)),
                        match.map.empty() ? text(reports::mapText(view.store, match)) : nameCell(match.map),
                        tag("span", text(reports::matchFileName(match)), "name"), count(match.players),
                        count(match.kills), match.topFragger.empty() ? text(texts::kNobody) : nameCell(match.topFragger)});
    }
    return out +
           table({texts::kDate, texts::kMap, texts::kFile, texts::kPlayers, texts::kKills, texts::kTopFraggerColumn},
                 {false, false, false, true, true, false}, rows) +
           "</section>\n";
}

std::string mapsSection(const SeasonView& view) {
    if (view.matches.empty())
        return {};
    struct MapRow {
        const season::Match* first;
        std::int64_t matches = 0;
        std::int64_t kills = 0;
    };
    std::vector<MapRow> maps;
    std::map<std::string, std::size_t> at;
    for (const season::Match& match : view.matches) {
        const auto [it, added] = at.emplace(match.map, maps.size());
        if (added)
            maps.push_back({&match});
        ++maps[it->second].matches;
        maps[it->second].kills += match.kills;
    }
    // Ties keep the order in which the season first played them.
    std::stable_sort(maps.begin(), maps.end(), [](const MapRow& a, const MapRow& b) {
        return a.matches != b.matches ? a.matches > b.matches : a.kills > b.kills;
    });
    std::vector<std::vector<std::string>> rows;
    for (const MapRow& row : maps) {
        rows.push_back({row.first->map.empty() ? text(reports::mapText(view.store, *row.first)) : nameCell(row.first->map),
                        count(row.matches), count(row.kills)});
    }
    return "<section id=\"maps\">\n" + tag("h2", text(texts::kMaps)) + "\n" + tag("p", text(texts::kMapsNote), "note") +
           "\n" + table({texts::kMap, texts::kMatchesPlayed, texts::kKills}, {false, true, true}, rows) + "</section>\n";
}

}  // namespace

std::string seasonHtmlExport(const SeasonView& view, const std::string& seasonName) {
    std::string out = html::pageStart(text(texts::kPageTitle) + ": " + text(seasonName), kSeasonStyle);
    out += header(view, seasonName) + "<main>\n";
    out += rankingSection(view);
    out += ratingChartSection(view);
    out += matchesSection(view);
    out += mapsSection(view);
    out += statisticsSections(view.store, view.matches.size());
    return out + html::pageEnd();
}

}  // namespace fragtide::exports
