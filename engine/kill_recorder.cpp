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

namespace {

// In place, so that a long log does not allocate two strings per kill.
void normalizeInPlace(std::string& name) {
    const std::string_view key = normalizeName(name);
    const std::size_t offset = key.empty() ? 0 : static_cast<std::size_t>(key.data() - name.data());
    const std::size_t size = key.size();
    name.erase(offset + size);
    name.erase(0, offset);
}

}  // namespace

namespace {

// Counts the kill and credits `killer`, both names already normalised.
void credit(StatsStore& store, int slot, std::string_view killer, std::string_view victim) {
    ++store.WeaponFrags[slot];
    store.People.recordKill(killer, victim);
    // An empty killer would be indistinguishable from a free entry; the weapon total keeps it.
    if (killer.empty())
        return;
    int player = store.findPlayer(killer);
    if (player == 0)
        player = store.addPlayer(killer);
    if (player != 0)
        ++store.PlayerWeaponFrags[player][slot];
}

}  // namespace

void creditKill(StatsStore& store, int slot, std::string_view rawKiller, std::string_view rawVictim) {
    if (slot >= 0 && slot <= kMaxSlot)
        credit(store, slot, normalizeName(rawKiller), normalizeName(rawVictim));
}

void creditExactKill(StatsStore& store, int slot, std::string_view killer, std::string_view victim) {
    if (slot >= 0 && slot <= kMaxSlot)
        credit(store, slot, killer, victim);
}

void RecordKill(StatsStore& store, std::int64_t matchCount, int slot, std::string_view /*line*/) {
    if (matchCount <= 0 || slot < 0 || slot > kMaxSlot)
        return;
    normalizeInPlace(store.VictimName);
    normalizeInPlace(store.KillerName);
    credit(store, slot, store.KillerName, store.VictimName);
}

}  // namespace fragtide::engine
