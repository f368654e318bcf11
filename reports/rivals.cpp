#include "reports/rivals.hpp"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/display_text.hpp"
#include "reports/report_texts.hpp"
#include "reports/reports.hpp"

namespace fragtide::reports {
namespace {

using engine::PeopleTable;

// The rival with the most frags; on a tie the first in the list, which is the one met first.
const PeopleTable::Rival* topRival(const PeopleTable::Rivals& rivals) {
    const PeopleTable::Rival* best = nullptr;
    for (const PeopleTable::Rival& r : rivals) {
        if (!best || r.frags > best->frags)
            best = &r;
    }
    return best;
}

// "1 frag", "2 frags": Rivals Info's own wording, unlike Player Info's fixed "has 1 frags".
std::string counted(engine::FragCount n, std::string_view one, std::string_view many) {
    return std::to_string(n) + std::string(n == 1 ? one : many);
}

std::string rivalText(const engine::StatsStore& store, const PeopleTable::Rival* rival) {
    if (!rival)
        return std::string(texts::kNobody);
    return engine::displayName(store, store.People.people()[rival->person].name) + std::string(texts::kWith) +
           counted(rival->frags, texts::kFrag, texts::kFrags);
}

}  // namespace

std::string killsPerDeath(engine::FragCount frags, engine::FragCount deaths) {
    if (deaths <= 0)
        return std::string(texts::kNoKillsPerDeath);
    // Long division one decimal at a time, in additions that stay below 2 * deaths: exact, and
    // no product that a long log could overflow. Frags are never negative.
    const auto d = static_cast<std::uint64_t>(deaths);
    const std::uint64_t f = frags < 0 ? 0 : static_cast<std::uint64_t>(frags);
    std::uint64_t whole = f / d;
    std::uint64_t rest = f % d;
    const auto nextDigit = [&] {
        std::uint64_t tenfold = 0;
        unsigned digit = 0;
        for (int i = 0; i < 10; ++i) {
            tenfold += rest;
            if (tenfold >= d) {
                tenfold -= d;
                ++digit;
            }
        }
        rest = tenfold;
        return digit;
    };
    unsigned hundredths = nextDigit() * 10;
    hundredths += nextDigit();
    if (rest >= d - rest)  // half or more of a hundredth left: round up
        ++hundredths;
    if (hundredths == 100) {
        ++whole;
        hundredths = 0;
    }
    return std::to_string(whole) + "." + (hundredths < 10 ? "0" : "") + std::to_string(hundredths);
}

Lines rivalsInfo(const engine::StatsStore& store) {
    const PeopleTable& table = store.People;
    Lines lines;
    lines.emplace_back(texts::kRivalsHeading);
    lines.emplace_back("");
    for (const PeopleTable::Person& p : table.people()) {
        const std::string sep(texts::kCountSeparator);
        lines.emplace_back(engine::displayName(store, p.name) + std::string(texts::kHas) +
                           counted(p.frags, texts::kFrag, texts::kFrags) + sep +
                           counted(p.deaths, texts::kDeath, texts::kDeaths) + sep +
                           counted(p.suicides, texts::kSuicide, texts::kSuicides) + sep +
                           counted(p.teamKills, texts::kTeamKill, texts::kTeamKills) + sep +
                           std::string(texts::kKillsPerDeath) + killsPerDeath(p.frags, p.deaths));
        lines.emplace_back(std::string(texts::kFavouriteVictim) + rivalText(store, topRival(p.victims)) +
                                  std::string(texts::kWorstEnemy) + rivalText(store, topRival(p.killedBy)));
        lines.emplace_back("");
    }
    return lines;
}

}  // namespace fragtide::reports
