#include "export/html_export.hpp"

#include <algorithm>

#include "common/thousands.hpp"
#include "engine/display_text.hpp"
#include "engine/log_file.hpp"
#include "export/export_texts.hpp"
#include "export/html_page.hpp"
#include "export/html_text.hpp"
#include "export/svg_chart.hpp"
#include "reports/reports.hpp"
#include "reports/rivals.hpp"

namespace fragtide::exports {
namespace {

using engine::FragCount;
using engine::PeopleTable;
using engine::StatsStore;
using html::count;
using html::nameCell;
using html::table;
using html::tag;
using html::text;

// More bars than this make a chart too tall to read; the tables beside it hold everybody.
constexpr std::size_t kMostBars = 25;

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
        const std::string_view name = store.PlayerNames()[p];
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

std::string statisticsSections(const StatsStore& store, std::size_t logCount) {
    std::string out = generalSection(store, logCount);
    const std::vector<int> players = playersByFrags(store);
    out += playersSection(store, players);
    out += weaponsPerPlayerSection(store, players);
    return out + rivalsSection(store);
}

std::string htmlExport(const StatsStore& store, std::span<const engine::LogSetFile> files) {
    std::string out = html::pageStart(text(texts::kPageTitle) + ": " + htmlFromLog(store.CurrentGame), {});
    out += header(store, files) + "<main>\n";
    out += filesSection(files);
    out += statisticsSections(store, files.size());
    return out + html::pageEnd();
}

}  // namespace fragtide::exports
