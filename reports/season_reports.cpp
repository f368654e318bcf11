#include "reports/season_reports.hpp"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <numeric>

#include "engine/display_text.hpp"
#include "reports/report_texts.hpp"
#include "reports/rivals.hpp"
#include "reports/season_texts.hpp"

namespace fragtide::reports {
namespace {

using engine::PeopleTable;

std::string counted(std::int64_t n, std::string_view one, std::string_view many) {
    return std::to_string(n) + std::string(n == 1 ? one : many);
}

std::string twoDigits(unsigned n) {
    return std::string(n < 10 ? "0" : "") + std::to_string(n);
}

// Days since 1970-01-01 and the seconds into that day, rounding towards the past.
std::pair<std::int64_t, std::int64_t> daysAndSeconds(season::CivilSeconds time) {
    constexpr std::int64_t kDay = 86400;
    std::int64_t days = time / kDay;
    std::int64_t seconds = time % kDay;
    if (seconds < 0) {
        seconds += kDay;
        --days;
    }
    return {days, seconds};
}

}  // namespace

std::string ratingText(double rating) {
    // to_chars ignores the locale, which the window's toolkit sets from the user's.
    char buffer[64];
    const double rounded = std::round(rating * 10.0) / 10.0;
    const auto done = std::to_chars(buffer, buffer + sizeof buffer, rounded == 0.0 ? 0.0 : rounded,
                                    std::chars_format::fixed, 1);
    return std::string(buffer, done.ptr);
}

std::string civilDate(season::CivilSeconds time) {
    const auto [days, seconds] = daysAndSeconds(time);
    (void)seconds;
    const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::days{days}}};
    const int year = static_cast<int>(date.year());
    std::string text = std::to_string(year);
    if (year >= 0 && year < 1000)
        text.insert(0, 4 - text.size(), '0');
    return text + "-" + twoDigits(static_cast<unsigned>(date.month())) + "-" +
           twoDigits(static_cast<unsigned>(date.day()));
}

std::string civilDateTime(season::CivilSeconds time) {
    const auto [days, seconds] = daysAndSeconds(time);
    (void)days;
    return civilDate(time) + " " + twoDigits(static_cast<unsigned>(seconds / 3600)) + ":" +
           twoDigits(static_cast<unsigned>(seconds % 3600 / 60));
}

std::vector<std::uint32_t> rankingOrder(const season::SeasonView& view) {
    const auto& people = view.store.People.people();
    std::vector<std::uint32_t> order(people.size());
    std::iota(order.begin(), order.end(), 0u);
    const auto rating = [&](std::uint32_t p) { return p < view.ratings.size() ? view.ratings[p] : 1000.0; };
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        if (rating(a) != rating(b))
            return rating(a) > rating(b);
        return people[a].frags > people[b].frags;
    });
    return order;
}

int favouriteSlot(const engine::StatsStore& store, std::uint32_t person) {
    const int player = store.findPlayer(store.People.people()[person].name);
    if (player == 0)
        return 0;
    int best = 0;
    for (int slot = 1; slot <= engine::kMaxSlot; ++slot) {
        if (store.PlayerWeaponFrags[player][slot] > (best ? store.PlayerWeaponFrags[player][best] : 0))
            best = slot;
    }
    return best;
}

std::string matchFileName(const season::Match& match) {
    // The name alone, as the exported page shows a log: its folders tell the matches nothing.
    const std::u8string name =
        std::filesystem::path(std::u8string(match.file.begin(), match.file.end())).filename().u8string();
    return name.empty() ? match.file : std::string(name.begin(), name.end());
}

std::string mapText(const engine::StatsStore& store, const season::Match& match) {
    return match.map.empty() ? std::string(texts::kUnknownMap) : engine::displayName(store, match.map);
}

Lines ranking(const season::SeasonView& view) {
    const engine::StatsStore& store = view.store;
    const auto& people = store.People.people();
    const std::string sep(texts::kCountSeparator);
    Lines lines{std::string(texts::kRankingHeading), ""};
    std::size_t rank = 0;
    for (const std::uint32_t p : rankingOrder(view)) {
        const PeopleTable::Person& person = people[p];
        const int slot = favouriteSlot(store, p);
        const std::int64_t played = p < view.matchesPlayed.size() ? view.matchesPlayed[p] : 0;
        const double rating = p < view.ratings.size() ? view.ratings[p] : 1000.0;
        lines.push_back(std::to_string(++rank) + std::string(texts::kRankSeparator) +
                        engine::displayName(store, person.name) + std::string(texts::kRating) + ratingText(rating) +
                        sep + counted(person.frags, texts::kFrag, texts::kFrags) + sep +
                        counted(person.deaths, texts::kDeath, texts::kDeaths) + sep +
                        std::string(texts::kKillsPerDeath) + killsPerDeath(person.frags, person.deaths) + sep +
                        counted(person.suicides, texts::kSuicide, texts::kSuicides) + sep +
                        counted(person.teamKills, texts::kTeamKill, texts::kTeamKills) + sep +
                        counted(played, texts::kMatch, texts::kMatches) + sep + std::string(texts::kFavouriteWeapon) +
                        (slot ? engine::displayName(store, store.WeaponNames[slot]) : std::string(texts::kNone)) +
                        sep + std::string(texts::kLastSeen) +
                        (played > 0 && p < view.lastSeen.size() ? civilDate(view.lastSeen[p])
                                                                : std::string(texts::kNone)));
    }
    return lines;
}

Lines matches(const season::SeasonView& view) {
    Lines lines{std::string(texts::kMatchesHeading), ""};
    if (view.matches.empty())
        lines.emplace_back(texts::kNoMatches);
    for (const season::Match& match : view.matches) {
        lines.push_back(civilDateTime(match.start) + " " + mapText(view.store, match) + " (" +
                        matchFileName(match) + ")" + std::string(texts::kMatchSeparator) +
                        counted(match.players, texts::kPlayer, texts::kPlayers) + std::string(texts::kCountSeparator) +
                        std::string(texts::kTopFragger) +
                        (match.topFragger.empty() ? std::string(texts::kNobody)
                                                  : engine::displayName(view.store, match.topFragger)));
    }
    return lines;
}

}  // namespace fragtide::reports
