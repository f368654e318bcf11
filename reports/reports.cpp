#include "reports/reports.hpp"

#include <string>

#include "engine/display_text.hpp"
#include "engine/window_ops.hpp"
#include "reports/report_texts.hpp"

namespace fragtide::reports {
namespace {

using engine::displayName;

// The empty total writes nothing, as the reports have always shown it.
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
void writeIndividualInfo(const StatsStore& store, WindowOps& window, int player, std::string_view name) {
    // A name typed by a user may not be UTF-8; its heading must still be display text.
    const std::string shown = engine::isValidUtf8(name) ? std::string(name) : engine::displayText(name);
    window.lstClear();
    AddReportLine(window, std::string(texts::kIndividualHeading) + engine::toUpperDisplay(shown) +
                              std::string(texts::kIndividualHeadingEnd));
    AddReportLine(window, "");
    // Player index 0 holds nobody: its empty total leaves "Total frags: " bare.
    AddReportLine(window, std::string(texts::kTotalFrags) + totalText(TotalFrags(store, player)));
    AddReportLine(window, "");
    AddReportLine(window, texts::kFragsPerWeapon);
    for (int slot = 1; slot <= engine::kMaxSlot; ++slot) {
        const FragCount count = store.PlayerWeaponFrags[player][slot];
        if (count > 0)
            AddReportLine(window, fragsWithLine(displayName(store, store.WeaponNames[slot]), count));
    }
    AddReportLine(window, "");
}

}  // namespace

void ShowGeneralInfo(const StatsStore& store, WindowOps& window) {
    window.lstClear();
    AddReportLine(window, texts::kKillsPerWeaponHeading);
    AddReportLine(window, "");
    for (int slot = 1; slot <= engine::kMaxSlot; ++slot) {
        if (store.WeaponFrags[slot] > 0)
            AddReportLine(window,
                          fragsWithLine(displayName(store, store.WeaponNames[slot]), store.WeaponFrags[slot]));
    }
    AddReportLine(window, "");
    AddReportLine(window, texts::kBigNumbersHeading);
    AddReportLine(window, "");

    int best = 1;
    FragCount bestTotal = TotalFrags(store, 1).value_or(0);
    for (int p = 1; p <= engine::kMaxPlayers; ++p) {
        const FragCount total = TotalFrags(store, p).value_or(0);
        if (total > bestTotal) {
            best = p;
            bestTotal = total;
        }
    }
    if (bestTotal > 0) {
        AddReportLine(window, std::string(texts::kPlayerOfTheMatch) +
                                  displayName(store, store.PlayerNames()[best]) + std::string(texts::kWith) +
                                  std::to_string(bestTotal) + std::string(texts::kFragmonster));
    }
    AddReportLine(window, "");

    if (store.CurrentGame == texts::kChampionsGame) {
        for (const texts::Champion& champion : texts::kChampions) {
            const int leader = WeaponLeader(store, champion.slot);
            if (leader > 0) {
                AddReportLine(window, std::string(champion.opening) +
                                          displayName(store, store.PlayerNames()[leader]) +
                                          std::string(texts::kWith) +
                                          std::to_string(store.PlayerWeaponFrags[leader][champion.slot]) +
                                          std::string(champion.closing));
            }
        }
    }
    AddReportLine(window, "");
}

void ShowPlayerInfo(const StatsStore& store, WindowOps& window) {
    // Totals in 64 bits, so every player gets his percentage line however many frags he has.
    std::optional<FragCount> totals[engine::kPlayerEntries];
    FragCount matchTotal = 0;
    for (int p = 1; p <= engine::kMaxPlayers; ++p) {
        totals[p] = TotalFrags(store, p);
        matchTotal += totals[p].value_or(0);
    }

    const auto& names = store.PlayerNames();
    window.lstClear();
    AddReportLine(window, texts::kPlayersHeading);
    AddReportLine(window, "");
    for (int p = 1; p <= engine::kMaxPlayers; ++p) {
        if (!names[p].empty()) {
            AddReportLine(window, displayName(store, names[p]) + std::string(texts::kHas) +
                                      totalText(totals[p]) + std::string(texts::kFrags));
        }
    }
    AddReportLine(window, "");
    AddReportLine(window, texts::kPercentagesHeading);
    AddReportLine(window, "");
    for (int p = 1; p <= engine::kMaxPlayers; ++p) {
        if (!names[p].empty()) {
            AddReportLine(window, displayName(store, names[p]) + std::string(texts::kDid) +
                                      std::to_string(shareOfMatch(totals[p].value_or(0), matchTotal)) +
                                      std::string(texts::kOfTheFragging));
        }
    }
    AddReportLine(window, "");
}

void ShowIndividualInfo(const StatsStore& store, WindowOps& window, int position) {
    // The run fills the list in player-index order, so position p is player index p + 1. Looking
    // the player up by position, not by the shown name, keeps apart two players whose names
    // differ as bytes but display alike.
    const int player = position >= 0 && position < engine::kMaxPlayers ? position + 1 : 0;
    writeIndividualInfo(store, window, player, window.lstPlayersList(position));
}

void showIndividualInfoFor(const StatsStore& store, WindowOps& window, std::string_view name) {
    writeIndividualInfo(store, window, findPlayerByDisplayName(store, name), name);
}

}  // namespace fragtide::reports
