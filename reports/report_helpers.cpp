#include <cstdint>
#include <limits>

#include "engine/display_text.hpp"
#include "reports/reports.hpp"

namespace fragtide::reports {

std::optional<FragCount> TotalFrags(const StatsStore& store, int player) {
    if (player < 0 || player > store.playerCount())
        return std::nullopt;
    std::optional<FragCount> total;
    // Only the counts the player has: past the full rows a slot read one by one is a search.
    store.PlayerWeaponFrags.forEachCount(static_cast<std::size_t>(player), [&total](int slot, FragCount count) {
        if (slot >= 1 && count > 0)
            total = total.value_or(0) + count;
    });
    return total;
}

int WeaponLeader(const StatsStore& store, int slot) {
    if (slot < 0 || slot > engine::kMaxSlot)
        return 0;
    if (store.playerCount() == 0)
        return 0;
    int leader = 1;
    FragCount best = store.PlayerWeaponFrags[1][slot];
    for (int p = 1; p <= store.playerCount(); ++p) {
        // Strictly greater: on a tie the player who scored first in the log stays the leader.
        if (store.PlayerWeaponFrags[p][slot] > best) {
            best = store.PlayerWeaponFrags[p][slot];
            leader = p;
        }
    }
    return best > 0 ? leader : 0;
}

FragCount shareOfMatch(FragCount total, FragCount matchTotal) {
    if (total <= 0 || matchTotal <= 0)
        return 0;
    // For non-negative integers, integer division truncates exactly as the real division would.
    if (total <= std::numeric_limits<FragCount>::max() / 100)
        return total * 100 / matchTotal;
    // Beyond that total * 100 overflows; add the remainder a hundred times instead. Each sum stays
    // below 2 * matchTotal, which fits an unsigned 64-bit value.
    const auto m = static_cast<std::uint64_t>(matchTotal);
    const auto r = static_cast<std::uint64_t>(total) % m;
    std::uint64_t acc = 0;
    FragCount share = static_cast<FragCount>(static_cast<std::uint64_t>(total) / m) * 100;
    for (int i = 0; i < 100; ++i) {
        acc += r;
        if (acc >= m) {
            acc -= m;
            ++share;
        }
    }
    return share;
}

int findPlayerByDisplayName(const StatsStore& store, std::string_view name) {
    // An empty entry is a free index, not a player called "".
    if (name.empty())
        return 0;
    const auto& names = store.PlayerNames();
    for (int p = 1; p <= store.playerCount(); ++p) {
        if (!names[p].empty() && engine::displayName(store, names[p]) == name)
            return p;
    }
    return 0;
}

}  // namespace fragtide::reports
