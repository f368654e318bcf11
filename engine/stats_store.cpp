#include "engine/stats_store.hpp"

namespace fragtide::engine {

int StatsStore::findListedPlayer(std::string_view name) const {
    if (m_index.empty())
        return 0;
    const std::uint32_t at = m_index.find(name, NameIndex::hashOf(name),
                                          [this](std::uint32_t p) { return std::string_view(m_playerNames[p]); });
    return at == NameIndex::kNone ? 0 : static_cast<int>(at);
}

int StatsStore::findPlayer(std::string_view name) const {
    const int listed = findListedPlayer(name);
    const std::optional<std::uint32_t> person = People.find(name);
    const int tagged = person ? People.playerTag(*person) : 0;
    if (listed == 0 || tagged == 0)
        return listed + tagged;
    return listed < tagged ? listed : tagged;
}

int StatsStore::makePlayerOf(std::uint32_t person) {
    int player = playerOf(person);
    if (player == 0) {
        player = static_cast<int>(m_playerNames.size());
        m_playerNames.emplace_back(People.people()[person].name);
        PlayerWeaponFrags.resize(m_playerNames.size());
    }
    People.setPlayerTag(person, player);
    return player;
}

int StatsStore::addPlayer(std::string_view name) {
    const int index = static_cast<int>(m_playerNames.size());
    // A name given twice keeps its lowest index in the lookup.
    const bool known = findListedPlayer(name) != 0;
    m_playerNames.emplace_back(name);
    PlayerWeaponFrags.resize(m_playerNames.size());
    if (!known)
        m_index.insert(NameIndex::hashOf(name), static_cast<std::uint32_t>(index));
    return index;
}

void StatsStore::resetCounts(KeepMemory keep) {
    WeaponFrags.fill(0);
    // A store reused after a log with very many players does not keep their rows.
    constexpr std::size_t kKeptRows = 4096;
    PlayerWeaponFrags.reset();
    if (m_playerNames.capacity() > kKeptRows)
        m_playerNames = std::vector<std::string>(1);
    else
        m_playerNames.assign(1, std::string());
    m_index.clear();
    People.clear(keep);
    for (auto& key : WeaponKeys)
        key.clear();
    Teams.clear();
    Events.clear();
}

std::string displayName(const StatsStore& store, std::string_view bytes) {
    return displayText(bytes, store.NameDisplayChoice);
}

}  // namespace fragtide::engine
