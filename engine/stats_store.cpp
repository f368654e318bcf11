#include "engine/stats_store.hpp"

#include "engine/name_index.hpp"

namespace fragtide::engine {

std::uint32_t StatsStore::hashName(std::string_view name) {
    // The people table's hash: it spreads names that differ only in their last bytes.
    return NameIndex::hashOf(name);
}

int StatsStore::findPlayer(std::string_view name) const {
    const std::uint32_t h = hashName(name);
    for (std::size_t i = h & (kIndexSlots - 1);; i = (i + 1) & (kIndexSlots - 1)) {
        const IndexEntry& e = m_index[i];
        if (e.player == 0)
            return 0;
        if (e.hash == h && m_playerNames[e.player] == name)
            return e.player;
    }
}

void StatsStore::indexInsert(std::string_view name, int player) {
    if (findPlayer(name) != 0)
        return;  // the lowest index keeps the name
    const std::uint32_t h = hashName(name);
    std::size_t i = h & (kIndexSlots - 1);
    while (m_index[i].player != 0)
        i = (i + 1) & (kIndexSlots - 1);
    m_index[i] = {h, static_cast<std::int16_t>(player)};
}

int StatsStore::addPlayer(std::string_view name) {
    while (m_firstFree <= kMaxPlayers && !m_playerNames[m_firstFree].empty())
        ++m_firstFree;
    if (m_firstFree > kMaxPlayers)
        return 0;
    const int index = m_firstFree++;
    m_playerNames[index] = name;
    indexInsert(name, index);
    return index;
}

void StatsStore::resetCounts() {
    WeaponFrags.fill(0);
    for (auto& row : PlayerWeaponFrags)
        row.fill(0);
    for (auto& name : m_playerNames)
        name.clear();
    m_index.fill({});
    m_firstFree = 1;
    People.clear();
    for (auto& key : WeaponKeys)
        key.clear();
    Teams.clear();
}

std::string displayName(const StatsStore& store, std::string_view bytes) {
    return displayText(bytes, store.NameDisplayChoice);
}

}  // namespace fragtide::engine
