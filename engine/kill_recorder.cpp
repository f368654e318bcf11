#include "engine/kill_recorder.hpp"

#include "engine/stats_store.hpp"

namespace fragtide::engine {

std::string_view normalizeName(std::string_view raw) {
    const std::size_t first = raw.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    std::string_view name = raw.substr(first, raw.find_last_not_of(' ') - first + 1);
    // One "'s" only, and no trim after it: "Bob 's" is the player "Bob ".
    if (name.ends_with("'s"))
        name.remove_suffix(2);
    return name;
}

void RecordKill(StatsStore& store, std::int64_t matchCount, int slot, std::string_view /*line*/) {
    if (matchCount <= 0 || slot < 0 || slot > kMaxSlot)
        return;
    ++store.WeaponFrags[slot];
    store.VictimName = std::string(normalizeName(store.VictimName));
    store.KillerName = std::string(normalizeName(store.KillerName));
    // An empty killer would be indistinguishable from a free entry; the weapon total keeps it.
    if (store.KillerName.empty())
        return;
    int player = store.findPlayer(store.KillerName);
    if (player == 0)
        player = store.addPlayer(store.KillerName);
    if (player != 0)
        ++store.PlayerWeaponFrags[player][slot];
}

}  // namespace fragtide::engine
