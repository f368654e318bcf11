#include "engine/stats_store.hpp"

namespace fragtide::engine {

int StatsStore::findPlayer(std::string_view name) const {
    const std::uint32_t at = m_index.find(name, NameIndex::hashOf(name),
                                          [this](std::uint32_t p) { return std::string_view(m_playerNames[p]); });
    return at == NameIndex::kNone ? 0 : static_cast<int>(at);
}

int StatsStore::addPlayer(std::string_view name) {
    const int index = static_cast<int>(m_playerNames.size());
    // A name given twice keeps its lowest index in the lookup.
    const bool known = findPlayer(name) != 0;
    m_playerNames.emplace_back(name);
    PlayerWeaponFrags.resize(m_playerNames.size());
    if (!known)
        m_index.insert(NameIndex::hashOf(name), static_cast<std::uint32_t>(index));
    return index;
}

void StatsStore::resetCounts() {
    WeaponFrags.fill(0);
    // A store reused after a log with very many players does not keep their rows.
    constexpr std::size_t kKeptRows = 4096;
    PlayerWeaponFrags.reset();
    if (m_playerNames.capacity() > kKeptRows)
        m_playerNames = std::vector<std::string>(1);
    else
        m_playerNames.assign(1, std::string());
    m_index.clear();
    People.clear();
    for (auto& key : WeaponKeys)
        key.clear();
    Teams.clear();
    Events.clear();
}

std::string displayName(const StatsStore& store, std::string_view bytes) {
    return displayText(bytes, store.NameDisplayChoice);
}

}  // namespace fragtide::engine
