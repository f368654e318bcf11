#include "engine/stats_store.hpp"

namespace fragtide::engine {

int StatsStore::findPlayer(std::string_view name) const {
    const auto it = m_index.find(name);
    return it == m_index.end() ? 0 : it->second;
}

int StatsStore::addPlayer(std::string_view name) {
    while (m_firstFree <= kMaxPlayers && !m_playerNames[m_firstFree].empty())
        ++m_firstFree;
    if (m_firstFree > kMaxPlayers)
        return 0;
    const int index = m_firstFree++;
    m_playerNames[index] = name;
    m_index.try_emplace(std::string(name), index);
    return index;
}

void StatsStore::setPlayerName(int index, std::string name) {
    m_playerNames.at(static_cast<std::size_t>(index)) = std::move(name);
    rebuildIndex();
}

void StatsStore::resetCounts() {
    WeaponFrags.fill(0);
    for (auto& row : PlayerWeaponFrags)
        row.fill(0);
    for (auto& name : m_playerNames)
        name.clear();
    m_index.clear();
    m_firstFree = 1;
}

void StatsStore::rebuildIndex() {
    m_index.clear();
    m_firstFree = 1;
    for (int i = 1; i <= kMaxPlayers; ++i) {
        if (!m_playerNames[i].empty())
            m_index.try_emplace(m_playerNames[i], i);  // try_emplace keeps the lowest index
    }
}

}  // namespace fragtide::engine
