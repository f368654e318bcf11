#include "reports/reports.hpp"

#include <optional>
#include <string>
#include <vector>

#include "engine/display_text.hpp"
#include "engine/game_catalogue.hpp"
#include "reports/report_texts.hpp"

namespace fragtide::reports {
namespace {

using engine::displayName;

// The empty total writes nothing: a player without frags shows no number, not 0.
std::string totalText(const std::optional<FragCount>& total) {
    return total ? std::to_string(*total) : std::string();
}

std::string fragsWithLine(std::string_view weapon, FragCount count) {
    std::string line(texts::kFragsWith);
    line += weapon;
    line += texts::kFragsWithSeparator;
    line += std::to_string(count);
    return line;
}

// The Individual Info report of `player` (0: nobody) under the heading made from `name`.
Lines writeIndividualInfo(const StatsStore& store, int player, std::string_view name) {
    // A name typed by a user may not be UTF-8; its heading must still be display text.
    const std::string shown = engine::isValidUtf8(name) ? std::string(name) : engine::displayText(name);
    Lines lines;
    lines.emplace_back(std::string(texts::kIndividualHeading) + engine::toUpperDisplay(shown) +
                              std::string(texts::kIndividualHeadingEnd));
    lines.emplace_back("");
    // Player index 0 holds nobody: its empty total leaves "Total frags: " bare.
    lines.emplace_back(std::string(texts::kTotalFrags) + totalText(TotalFrags(store, player)));
    lines.emplace_back("");
    lines.emplace_back(texts::kFragsPerWeapon);
    for (int slot = 1; slot <= engine::kMaxSlot; ++slot) {
        const FragCount count = store.PlayerWeaponFrags[player][slot];
        if (count > 0)
            lines.emplace_back(fragsWithLine(displayName(store, store.WeaponNames[slot]), count));
    }
    lines.emplace_back("");
    return lines;
}

}  // namespace

Lines generalInfo(const StatsStore& store) {
    Lines lines;
    lines.emplace_back(texts::kKillsPerWeaponHeading);
    lines.emplace_back("");
    for (int slot = 1; slot <= engine::kMaxSlot; ++slot) {
        if (store.WeaponFrags[slot] > 0)
            lines.emplace_back(fragsWithLine(displayName(store, store.WeaponNames[slot]), store.WeaponFrags[slot]));
    }
    lines.emplace_back("");
    lines.emplace_back(texts::kBigNumbersHeading);
    lines.emplace_back("");

    int best = 1;
    FragCount bestTotal = TotalFrags(store, 1).value_or(0);
    for (int p = 1; p <= store.playerCount(); ++p) {
        const FragCount total = TotalFrags(store, p).value_or(0);
        if (total > bestTotal) {
            best = p;
            bestTotal = total;
        }
    }
    if (bestTotal > 0) {
        lines.emplace_back(std::string(texts::kPlayerOfTheMatch) +
                                  displayName(store, store.PlayerNames()[best]) + std::string(texts::kWith) +
                                  std::to_string(bestTotal) + std::string(texts::kFragmonster));
    }
    lines.emplace_back("");

    if (const engine::Game* game = engine::findGame(store.CurrentGame)) {
        for (const rules::Champion& champion : game->champions) {
            const int leader = WeaponLeader(store, champion.slot);
            if (leader > 0) {
                lines.emplace_back(std::string(champion.opening) + displayName(store, store.PlayerNames()[leader]) +
                                   std::string(texts::kWith) +
                                   std::to_string(store.PlayerWeaponFrags[leader][champion.slot]) +
                                   std::string(champion.closing));
            }
        }
    }
    lines.emplace_back("");
    return lines;
}

Lines playerInfo(const StatsStore& store) {
    // Totals in 64 bits, so every player gets his percentage line however many frags he has.
    std::vector<std::optional<FragCount>> totals(static_cast<std::size_t>(store.playerCount()) + 1);
    FragCount matchTotal = 0;
    for (int p = 1; p <= store.playerCount(); ++p) {
        totals[p] = TotalFrags(store, p);
        matchTotal += totals[p].value_or(0);
    }

    const auto& names = store.PlayerNames();
    Lines lines;
    lines.emplace_back(texts::kPlayersHeading);
    lines.emplace_back("");
    for (int p = 1; p <= store.playerCount(); ++p) {
        if (!names[p].empty()) {
            lines.emplace_back(displayName(store, names[p]) + std::string(texts::kHas) +
                                      totalText(totals[p]) + std::string(texts::kFrags));
        }
    }
    lines.emplace_back("");
    lines.emplace_back(texts::kPercentagesHeading);
    lines.emplace_back("");
    for (int p = 1; p <= store.playerCount(); ++p) {
        if (!names[p].empty()) {
            lines.emplace_back(displayName(store, names[p]) + std::string(texts::kDid) +
                                      std::to_string(shareOfMatch(totals[p].value_or(0), matchTotal)) +
                                      std::string(texts::kOfTheFragging));
        }
    }
    lines.emplace_back("");
    return lines;
}

Lines individualInfoAt(const StatsStore& store, int position) {
    // The list is filled in player-index order, so position p is player index p + 1. Looking the
    // player up by position, not by the shown name, keeps apart two players whose names differ as
    // bytes but display alike.
    const int player = position >= 0 && position < store.playerCount() ? position + 1 : 0;
    const Lines list = playerList(store);
    const std::string heading =
        position >= 0 && static_cast<std::size_t>(position) < list.size() ? list[static_cast<std::size_t>(position)] : "";
    return writeIndividualInfo(store, player, heading);
}

Lines individualInfo(const StatsStore& store, std::string_view name) {
    return writeIndividualInfo(store, findPlayerByDisplayName(store, name), name);
}

Lines playerList(const StatsStore& store) {
    Lines list;
    for (int p = 1; p <= store.playerCount(); ++p) {
        const std::string_view name = store.PlayerNames()[p];
        if (!name.empty())
            list.push_back(displayName(store, name));
    }
    return list;
}

}  // namespace fragtide::reports
