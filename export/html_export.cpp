#include "export/html_export.hpp"

#include <algorithm>

#include "common/thousands.hpp"
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

// Charts are drawn at their own width (svg_chart.hpp) and never scaled up: their 12 px labels stay
// 12 px at 1280 px, and a chart shares a row with its table only where that keeps them above 11 px.
// Print packs the page (a 22-player season fits five A4 pages): charts a little smaller and beside
// their tables, cards in four columns, no section forced whole onto a new page; a pixel either side
// keeps the right-hand borders, which Chromium's print otherwise clips at the page's edge.
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
.name{overflow-wrap:anywhere}
.note{font-weight:400;font-size:13px;color:var(--muted);margin:0 0 10px}
figcaption .note{display:block;margin:0}
.pair{display:grid;grid-template-columns:minmax(0,1fr) minmax(0,1fr);gap:18px;align-items:start}
@media (max-width:1000px){.pair{grid-template-columns:1fr}}
figure{margin:0;background:var(--card);border:1px solid var(--line);border-radius:8px;padding:10px 12px;width:fit-content;max-width:100%}
figcaption{font-weight:600;margin-bottom:6px}
svg.chart{display:block;max-width:100%;height:auto}
svg.chart text{fill:currentColor;font-size:12px}
svg.chart text.value{fill:var(--muted)}
.s0{fill:var(--s0)}.s1{fill:var(--s1)}
.table-wrap{overflow-x:auto}
figure+.table-wrap{margin-top:14px}
.pair>figure+.table-wrap{margin-top:0}
table{border-collapse:collapse;background:var(--card);border:1px solid var(--line);border-radius:8px;width:100%}
th,td{padding:5px 10px;border-bottom:1px solid var(--line);text-align:left;vertical-align:top}
thead th{background:var(--head);font-weight:600}
.n{text-align:right;font-variant-numeric:tabular-nums;white-space:nowrap}
th.n{white-space:normal}
tbody tr:last-child td{border-bottom:0}
.cards{display:grid;grid-template-columns:repeat(auto-fill,minmax(240px,1fr));gap:14px}
.card{background:var(--card);border:1px solid var(--line);border-radius:8px;padding:10px 12px}
.card table{border:0}
.card th,.card td{padding:4px 6px}
.motm{font-size:16px;margin:12px 0 0}
footer{max-width:1080px;margin:0 auto;padding:12px 32px 28px;font-size:13px}
@media print{
@page{size:A4;margin:12mm}
:root{--bg:#fff;--fg:#000;--muted:#333;--line:#999;--card:#fff;--head:#e8e8e8;--accent:#000;--s0:#444;--s1:#aaa}
body{font-size:9pt;line-height:1.3;padding:0 1px}
header{padding:0 0 6px;border-bottom-width:2px}
header h1{font-size:16pt;margin:0 0 2px}
header,main,footer{padding-left:0;padding-right:0;max-width:none}
section{margin-top:14px}
h2{font-size:12pt;margin-bottom:6px;break-after:avoid}
h3{font-size:9pt;margin-bottom:2px}
.note{font-size:8pt;margin-bottom:4px}
figure,.card,tr,.motm{break-inside:avoid}
figure{padding:4px 6px;border-radius:0}
.pair{grid-template-columns:auto minmax(0,1fr);gap:10px}
svg.chart{width:380px}
.table-wrap{overflow:visible}
th,td{padding:1px 6px}
.cards{grid-template-columns:repeat(4,minmax(0,1fr));gap:6px}
.card{padding:4px 6px;border-radius:0;font-size:8pt}
.card th,.card td{padding:1px 3px}
.motm{font-size:10pt;margin-top:6px}
footer{padding:6px 0 0}
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

// Every count on the page is written this one way, grouped as the window's hint groups them.
std::string count(std::int64_t n) { return withThousands(n); }

// A name from the log in a cell that may wrap anywhere: a long name without spaces must never push
// the numbers beside it out of view.
std::string nameCell(std::string_view logBytes) { return "<span class=\"name\">" + htmlFromLog(logBytes) + "</span>"; }

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

// One thing counted: its bar in the chart and its row in the table, so both come in one order.
struct Entry {
    ChartBar bar;
    std::vector<std::string> row;
};

// Highest first by the first value, then the second; ties keep their order (log order, slot order).
void sortByValue(std::vector<Entry>& entries) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.bar.values > b.bar.values; });
}

std::vector<std::vector<std::string>> rowsOf(const std::vector<Entry>& entries) {
    std::vector<std::vector<std::string>> rows;
    for (const Entry& e : entries)
        rows.push_back(e.row);
    return rows;
}

// The chart of the first `kMostBars` entries, its caption saying the order and, when some are
// left out, how many it shows of how many.
std::string figure(BarChart chart, const std::vector<Entry>& entries, std::string_view order) {
    const std::size_t shown = std::min(entries.size(), kMostBars);
    for (std::size_t i = 0; i < shown; ++i)
        chart.bars.push_back(entries[i].bar);
    std::string note = std::string(order) + std::string(texts::kAsInTheTable);
    if (shown < entries.size()) {
        note += std::string(texts::kTop) + count(static_cast<std::int64_t>(shown)) + std::string(texts::kOf) +
                count(static_cast<std::int64_t>(entries.size())) + std::string(texts::kTableListsAll);
    }
    chart.description = std::string(texts::kChartShows) + chart.description + " " + note + ".";
    return "<figure>" + tag("figcaption", text(chart.title) + " " + tag("span", text(note), "note")) + "\n" +
           svgBarChart(chart) + "</figure>\n";
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
    out += withThousands(files.size()) + " (" + withThousands(bytes) + " bytes, " + withThousands(lines) +
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
        rows.push_back({nameCell(engine::shownPath(f.path.filename())), withThousands(f.bytes), withThousands(f.lines)});
        bytes += f.bytes;
        lines += f.lines;
    }
    if (files.size() > 1)
        rows.push_back({tag("strong", text(texts::kTotal)), withThousands(bytes), withThousands(lines)});
    return "<section id=\"logs\">\n" + tag("h2", text(texts::kLogs)) + "\n" +
           table({texts::kFile, texts::kBytes, texts::kLines}, {false, true, true}, rows) + "</section>\n";
}

std::string generalSection(const StatsStore& store, std::size_t logCount) {
    std::string out = "<section id=\"general\">\n" + tag("h2", text(texts::kGeneralInfo)) + "\n";
    std::vector<Entry> entries;
    for (int slot = 1; slot <= engine::kMaxSlot; ++slot) {
        const FragCount kills = store.WeaponFrags[slot];
        if (kills > 0)
            entries.push_back({{engine::displayText(store.WeaponNames[slot]), {kills}},
                               {nameCell(store.WeaponNames[slot]), count(kills)}});
    }
    if (entries.empty())
        return out + tag("p", text(texts::kNoKills), "muted") + "\n</section>\n";
    sortByValue(entries);
    out += "<div class=\"pair\">\n" +
           figure({"chart-weapons", std::string(texts::kWeaponChart), "the kills per weapon,", {}, {}}, entries,
                  texts::kMostKillsFirst) +
           table({texts::kWeapon, texts::kKills}, {false, true}, rowsOf(entries)) + "</div>\n";
    // The best player as the General Info report finds him: the first with the most frags. Over
    // several logs he is no longer one match's player.
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
        out += "<p class=\"motm\">" + text(logCount > 1 ? texts::kTopFragger : texts::kPlayerOfTheMatch) +
               "<strong>" + nameCell(store.PlayerNames()[best]) + "</strong> (" + count(bestTotal) + " " +
               text(texts::kFragsLower) + ")</p>\n";
    }
    return out + "</section>\n";
}

// Players who scored, most frags first; ties in player order.
std::vector<int> playersByFrags(const StatsStore& store) {
    std::vector<int> players;
    for (int p = 1; p <= store.playerCount(); ++p) {
        if (!store.PlayerNames()[p].empty())
            players.push_back(p);
    }
    std::stable_sort(players.begin(), players.end(), [&](int a, int b) {
        return reports::TotalFrags(store, a).value_or(0) > reports::TotalFrags(store, b).value_or(0);
    });
    return players;
}

std::string playersSection(const StatsStore& store, const std::vector<int>& players) {
    std::string out = "<section id=\"players\">\n" + tag("h2", text(texts::kPlayerInfo)) + "\n";
    if (players.empty())
        return out + tag("p", text(texts::kNoPlayers), "muted") + "\n</section>\n";
    FragCount matchTotal = 0;
    for (const int p : players)
        matchTotal += reports::TotalFrags(store, p).value_or(0);
    std::vector<Entry> entries;
    for (const int p : players) {
        const std::string& name = store.PlayerNames()[p];
        const FragCount total = reports::TotalFrags(store, p).value_or(0);
        entries.push_back({{engine::displayText(name), {total}},
                           {count(p), nameCell(name), count(total),
                            count(reports::shareOfMatch(total, matchTotal)) + " %"}});
    }
    return out + "<div class=\"pair\">\n" +
           figure({"chart-players", std::string(texts::kPlayerChart), "every player's frags,", {}, {}}, entries,
                  texts::kMostFragsFirst) +
           table({"#", texts::kPlayer, texts::kFrags, texts::kShare}, {true, false, true, true}, rowsOf(entries)) +
           "</div>\n</section>\n";
}

std::string weaponsPerPlayerSection(const StatsStore& store, const std::vector<int>& players) {
    std::string cards;
    for (const int p : players) {
        std::vector<Entry> entries;
        for (int slot = 1; slot <= engine::kMaxSlot; ++slot) {
            const FragCount frags = store.PlayerWeaponFrags[p][slot];
            if (frags > 0)
                entries.push_back({{{}, {frags}}, {nameCell(store.WeaponNames[slot]), count(frags)}});
        }
        sortByValue(entries);
        cards += "<div class=\"card\">" + tag("h3", nameCell(store.PlayerNames()[p])) + "\n" +
                 table({texts::kWeapon, texts::kFrags}, {false, true}, rowsOf(entries)) + "</div>\n";
    }
    if (cards.empty())
        return {};
    return "<section id=\"weapons\">\n" + tag("h2", text(texts::kWeaponsPerPlayer)) + "\n" +
           tag("p", text(texts::kCardsOrder), "note") + "\n<div class=\"cards\">\n" + cards + "</div>\n</section>\n";
}

// The rival with the most frags; on a tie the one met first, as the Rivals Info report has it.
std::string rivalCell(const PeopleTable& table, const PeopleTable::Rivals& rivals) {
    const PeopleTable::Rival* best = nullptr;
    for (const PeopleTable::Rival& r : rivals) {
        if (!best || r.frags > best->frags)
            best = &r;
    }
    if (!best)
        return text(texts::kNobody);
    return nameCell(table.people()[best->person].name) + " (" + count(best->frags) + ")";
}

std::string rivalsSection(const StatsStore& store) {
    const PeopleTable& people = store.People;
    std::string out = "<section id=\"rivals\">\n" + tag("h2", text(texts::kRivalsInfo)) + "\n";
    if (people.people().empty())
        return out + tag("p", text(texts::kNoPeople), "muted") + "\n</section>\n";
    std::vector<Entry> entries;
    for (const PeopleTable::Person& person : people.people()) {
        entries.push_back({{engine::displayText(person.name), {person.frags, person.deaths}},
                           {nameCell(person.name), count(person.frags), count(person.deaths), count(person.suicides),
                            count(person.teamKills), text(reports::killsPerDeath(person.frags, person.deaths)),
                            rivalCell(people, person.victims), rivalCell(people, person.killedBy)}});
    }
    sortByValue(entries);
    out += figure({"chart-rivals", std::string(texts::kRivalsChart), "everybody's frags and deaths, side by side,",
                   {std::string(texts::kFrags), std::string(texts::kDeaths)}, {}},
                  entries, texts::kMostFragsFirst);
    out += table({texts::kPlayer, texts::kFrags, texts::kDeaths, texts::kSuicides, texts::kTeamKills,
                  texts::kKillsPerDeath, texts::kFavouriteVictim, texts::kWorstEnemy},
                 {false, true, true, true, true, true, false, false}, rowsOf(entries));
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
    out += generalSection(store, files.size());
    const std::vector<int> players = playersByFrags(store);
    out += playersSection(store, players);
    out += weaponsPerPlayerSection(store, players);
    out += rivalsSection(store);
    out += "</main>\n<footer class=\"muted\">" + text(texts::kMadeBy) + "</footer>\n</body>\n</html>\n";
    return out;
}

}  // namespace fragtide::exports
