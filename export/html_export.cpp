#include "export/html_export.hpp"

#include <algorithm>

#include "engine/display_text.hpp"
#include "engine/log_file.hpp"
#include "export/export_texts.hpp"
#include "export/html_text.hpp"
#include "export/svg_chart.hpp"
#include "reports/reports.hpp"
#include "reports/rivals.hpp"

namespace fragtide::exports {
namespace {

using engine::FragCount;
using engine::PeopleTable;
using engine::StatsStore;

// More bars than this make a chart too tall to read; the tables beside it hold everybody.
constexpr std::size_t kMostBars = 25;

constexpr std::string_view kStyle = R"(<style>
:root{color-scheme:light dark;--bg:#f6f7fb;--fg:#1c2230;--muted:#5d6678;--line:#d8dce6;--card:#fff;--head:#eceff6;--accent:#c2410c;--s0:#e0611f;--s1:#2f6fdb}
@media (prefers-color-scheme:dark){:root{--bg:#11141b;--fg:#e5e8ef;--muted:#9aa3b6;--line:#2d3444;--card:#191e28;--head:#232a39;--accent:#fb8a4b;--s0:#fb8a4b;--s1:#6ea2ff}}
*{box-sizing:border-box}
body{margin:0;background:var(--bg);color:var(--fg);font:15px/1.45 system-ui,"Segoe UI",Roboto,"Noto Sans","DejaVu Sans",sans-serif}
header{padding:26px 32px 18px;border-bottom:4px solid var(--accent);background:var(--card)}
header h1{margin:0 0 6px;font-size:28px;letter-spacing:.01em}
header p{margin:2px 0}
main{max-width:1080px;margin:0 auto;padding:4px 32px 28px}
section{margin-top:30px}
h2{font-size:20px;margin:0 0 10px;padding-bottom:4px;border-bottom:2px solid var(--line)}
h3{font-size:15px;margin:0 0 6px}
.muted{color:var(--muted)}
.pair{display:grid;grid-template-columns:minmax(0,1fr) minmax(0,1fr);gap:18px;align-items:start}
@media (max-width:820px){.pair{grid-template-columns:1fr}}
figure{margin:0;background:var(--card);border:1px solid var(--line);border-radius:8px;padding:12px 14px}
figcaption{font-weight:600;margin-bottom:6px}
svg.chart{display:block;max-width:100%;height:auto}
@media print{svg.chart{width:100%}}
svg.chart text{fill:currentColor;font-size:11px}
svg.chart text.value{fill:var(--muted)}
.s0{fill:var(--s0)}.s1{fill:var(--s1)}
.table-wrap{overflow-x:auto}
figure+.table-wrap{margin-top:14px}
table{border-collapse:collapse;background:var(--card);border:1px solid var(--line);border-radius:8px;width:100%}
th,td{padding:5px 10px;border-bottom:1px solid var(--line);text-align:left;vertical-align:top}
thead th{background:var(--head);font-weight:600}
.n{text-align:right;font-variant-numeric:tabular-nums;white-space:nowrap}
tbody tr:last-child td{border-bottom:0}
.cards{display:grid;grid-template-columns:repeat(auto-fill,minmax(240px,1fr));gap:14px}
.card{background:var(--card);border:1px solid var(--line);border-radius:8px;padding:10px 12px}
.card table{border:0}
.motm{font-size:16px;margin:12px 0 0}
footer{max-width:1080px;margin:0 auto;padding:12px 32px 28px;font-size:13px}
@media print{
:root{--bg:#fff;--fg:#000;--muted:#333;--line:#999;--card:#fff;--head:#e8e8e8;--accent:#000;--s0:#444;--s1:#aaa}
body{font-size:10.5pt}
header,main,footer{padding-left:0;padding-right:0;max-width:none}
section,figure,.card,tr{break-inside:avoid}
h2{break-after:avoid}
.pair{grid-template-columns:1fr}
.table-wrap{overflow:visible}
}
</style>
)";

std::string tag(std::string_view name, std::string_view body, std::string_view cls = {}) {
    std::string out = "<" + std::string(name);
    if (!cls.empty())
        out += " class=\"" + std::string(cls) + "\"";
    return out + ">" + std::string(body) + "</" + std::string(name) + ">";
}

std::string text(std::string_view s) { return htmlText(s); }

// A table: the head row, then rows of cells already escaped; `numeric` marks right-aligned columns.
std::string table(const std::vector<std::string_view>& head, const std::vector<bool>& numeric,
                  const std::vector<std::vector<std::string>>& rows) {
    std::string out = "<div class=\"table-wrap\"><table>\n<thead><tr>";
    for (std::size_t i = 0; i < head.size(); ++i)
        out += tag("th", text(head[i]), numeric[i] ? "n" : "");
    out += "</tr></thead>\n<tbody>\n";
    for (const auto& row : rows) {
        out += "<tr>";
        for (std::size_t i = 0; i < row.size(); ++i)
            out += tag("td", row[i], numeric[i] ? "n" : "");
        out += "</tr>\n";
    }
    return out + "</tbody></table></div>\n";
}

// The highest `kMostBars` bars by their first value, then the second; ties keep their order.
std::vector<ChartBar> highest(std::vector<ChartBar> bars) {
    std::stable_sort(bars.begin(), bars.end(), [](const ChartBar& a, const ChartBar& b) { return a.values > b.values; });
    if (bars.size() > kMostBars)
        bars.resize(kMostBars);
    return bars;
}

std::string figure(BarChart chart, std::size_t allBars) {
    chart.description = std::string(texts::kChartShows) + chart.description;
    if (allBars > chart.bars.size())
        chart.description += " " + std::string(texts::kChartTop);
    return "<figure>" + tag("figcaption", text(chart.title)) + "\n" + svgBarChart(chart) + "</figure>\n";
}

std::string header(const StatsStore& store, std::span<const engine::LogSetFile> files) {
    std::string out = "<header>\n" + tag("h1", text(texts::kPageTitle)) + "\n";
    out += "<p><strong>" + text(texts::kGame) + ":</strong> " + htmlFromLog(store.CurrentGame) + "</p>\n";
    std::uint64_t bytes = 0;
    std::uint64_t lines = 0;
    for (const auto& f : files) {
        bytes += f.bytes;
        lines += f.lines;
    }
    out += "<p><strong>" + text(texts::kLogs) + ":</strong> ";
    if (files.empty())
        return out + text(texts::kNoLogs) + "</p>\n</header>\n";
    out += std::to_string(files.size()) + " (" + std::to_string(bytes) + " bytes, " + std::to_string(lines) +
           " lines)</p>\n</header>\n";
    return out;
}

std::string filesSection(std::span<const engine::LogSetFile> files) {
    if (files.empty())
        return {};
    std::vector<std::vector<std::string>> rows;
    std::uint64_t bytes = 0;
    std::uint64_t lines = 0;
    for (const auto& f : files) {
        // The file's name alone: a shared page need not show the folders of the one who made it.
        rows.push_back({htmlFromLog(engine::shownPath(f.path.filename())), std::to_string(f.bytes),
                        std::to_string(f.lines)});
        bytes += f.bytes;
        lines += f.lines;
    }
    if (files.size() > 1)
        rows.push_back({tag("strong", text(texts::kTotal)), std::to_string(bytes), std::to_string(lines)});
    return "<section id=\"logs\">\n" + tag("h2", text(texts::kLogs)) + "\n" +
           table({texts::kFile, texts::kBytes, texts::kLines}, {false, true, true}, rows) + "</section>\n";
}

std::string generalSection(const StatsStore& store) {
    std::string out = "<section id=\"general\">\n" + tag("h2", text(texts::kGeneralInfo)) + "\n";
    std::vector<ChartBar> bars;
    std::vector<std::vector<std::string>> rows;
    for (int slot = 1; slot <= engine::kMaxSlot; ++slot) {
        if (store.WeaponFrags[slot] <= 0)
            continue;
        bars.push_back({engine::displayText(store.WeaponNames[slot]), {store.WeaponFrags[slot]}});
        rows.push_back({htmlFromLog(store.WeaponNames[slot]), std::to_string(store.WeaponFrags[slot])});
    }
    if (rows.empty())
        return out + tag("p", text(texts::kNoKills), "muted") + "\n</section>\n";
    const std::size_t all = bars.size();
    out += "<div class=\"pair\">\n" +
           figure({"chart-weapons", std::string(texts::kWeaponChart), "the kills per weapon.", {}, highest(bars)}, all) +
           table({texts::kWeapon, texts::kKills}, {false, true}, rows) + "</div>\n";
    // The player of the match as the General Info report finds him: the first with the most frags.
    int best = 0;
    FragCount bestTotal = 0;
    for (int p = 1; p <= store.playerCount(); ++p) {
        const FragCount total = reports::TotalFrags(store, p).value_or(0);
        if (total > bestTotal) {
            best = p;
            bestTotal = total;
        }
    }
    if (best > 0) {
        out += "<p class=\"motm\">" + text(texts::kPlayerOfTheMatch) + "<strong>" +
               htmlFromLog(store.PlayerNames()[best]) + "</strong> (" + std::to_string(bestTotal) + " " +
               text(texts::kFragsLower) + ")</p>\n";
    }
    return out + "</section>\n";
}

std::string playersSection(const StatsStore& store) {
    std::string out = "<section id=\"players\">\n" + tag("h2", text(texts::kPlayerInfo)) + "\n";
    FragCount matchTotal = 0;
    for (int p = 1; p <= store.playerCount(); ++p)
        matchTotal += reports::TotalFrags(store, p).value_or(0);
    std::vector<ChartBar> bars;
    std::vector<std::vector<std::string>> rows;
    const auto& names = store.PlayerNames();
    for (int p = 1; p <= store.playerCount(); ++p) {
        if (names[p].empty())
            continue;
        const FragCount total = reports::TotalFrags(store, p).value_or(0);
        bars.push_back({engine::displayText(names[p]), {total}});
        rows.push_back({std::to_string(p), htmlFromLog(names[p]), std::to_string(total),
                        std::to_string(reports::shareOfMatch(total, matchTotal)) + " %"});
    }
    if (rows.empty())
        return out + tag("p", text(texts::kNoPlayers), "muted") + "\n</section>\n";
    const std::size_t all = bars.size();
    return out + "<div class=\"pair\">\n" +
           figure({"chart-players", std::string(texts::kPlayerChart), "every player's frags.", {}, highest(bars)}, all) +
           table({"#", texts::kPlayer, texts::kFrags, texts::kShare}, {true, false, true, true}, rows) +
           "</div>\n</section>\n";
}

std::string weaponsPerPlayerSection(const StatsStore& store) {
    std::string cards;
    const auto& names = store.PlayerNames();
    for (int p = 1; p <= store.playerCount(); ++p) {
        if (names[p].empty())
            continue;
        std::vector<std::vector<std::string>> rows;
        for (int slot = 1; slot <= engine::kMaxSlot; ++slot) {
            if (store.PlayerWeaponFrags[p][slot] > 0)
                rows.push_back({htmlFromLog(store.WeaponNames[slot]), std::to_string(store.PlayerWeaponFrags[p][slot])});
        }
        cards += "<div class=\"card\">" + tag("h3", htmlFromLog(names[p])) + "\n" +
                 table({texts::kWeapon, texts::kFrags}, {false, true}, rows) + "</div>\n";
    }
    if (cards.empty())
        return {};
    return "<section id=\"weapons\">\n" + tag("h2", text(texts::kWeaponsPerPlayer)) + "\n<div class=\"cards\">\n" +
           cards + "</div>\n</section>\n";
}

// The rival with the most frags; on a tie the one met first, as the Rivals Info report has it.
std::string rivalCell(const PeopleTable& table, const std::vector<PeopleTable::Rival>& rivals) {
    const PeopleTable::Rival* best = nullptr;
    for (const PeopleTable::Rival& r : rivals) {
        if (!best || r.frags > best->frags)
            best = &r;
    }
    if (!best)
        return text(texts::kNobody);
    return htmlFromLog(table.people()[best->person].name) + " (" + std::to_string(best->frags) + ")";
}

std::string rivalsSection(const StatsStore& store) {
    const PeopleTable& people = store.People;
    std::string out = "<section id=\"rivals\">\n" + tag("h2", text(texts::kRivalsInfo)) + "\n";
    if (people.people().empty())
        return out + tag("p", text(texts::kNoPeople), "muted") + "\n</section>\n";
    std::vector<ChartBar> bars;
    std::vector<std::vector<std::string>> rows;
    for (const PeopleTable::Person& person : people.people()) {
        bars.push_back({engine::displayText(person.name), {person.frags, person.deaths}});
        rows.push_back({htmlFromLog(person.name), std::to_string(person.frags), std::to_string(person.deaths),
                        std::to_string(person.suicides), std::to_string(person.teamKills),
                        text(reports::killsPerDeath(person.frags, person.deaths)),
                        rivalCell(people, person.victims), rivalCell(people, person.killedBy)});
    }
    const std::size_t all = bars.size();
    out += figure({"chart-rivals", std::string(texts::kRivalsChart), "everybody's frags and deaths, side by side.",
                   {std::string(texts::kFrags), std::string(texts::kDeaths)}, highest(bars)},
                  all);
    out += table({texts::kPlayer, texts::kFrags, texts::kDeaths, texts::kSuicides, texts::kTeamKills,
                  texts::kKillsPerDeath, texts::kFavouriteVictim, texts::kWorstEnemy},
                 {false, true, true, true, true, true, false, false}, rows);
    return out + "</section>\n";
}

}  // namespace

std::string htmlExport(const StatsStore& store, std::span<const engine::LogSetFile> files) {
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                      "<meta name=\"color-scheme\" content=\"light dark\">\n";
    out += "<title>" + text(texts::kPageTitle) + ": " + htmlFromLog(store.CurrentGame) + "</title>\n";
    out += kStyle;
    out += "</head>\n<body>\n" + header(store, files) + "<main>\n";
    out += filesSection(files);
    out += generalSection(store);
    out += playersSection(store);
    out += weaponsPerPlayerSection(store);
    out += rivalsSection(store);
    out += "</main>\n<footer class=\"muted\">" + text(texts::kMadeBy) + "</footer>\n</body>\n</html>\n";
    return out;
}

}  // namespace fragtide::exports
