#include "engine/stats_store.hpp"

namespace fragtide::engine {

int StatsStore::findListedPlayer(std::string_view name) const {
    if (m_index.empty())
        return 0;
    const std::uint32_t at = m_index.find(name, NameIndex::hashOf(name),
                                          [this](std::uint32_t p) { return playerName(p); });
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
        m_playerNames.push_back(person);
        PlayerWeaponFrags.resize(m_playerNames.size());
    }
    People.setPlayerTag(person, player);
    return player;
}

int StatsStore::addPlayer(std::string_view name) {
    const int index = static_cast<int>(m_playerNames.size());
    // A name given twice keeps its lowest index in the lookup. Hashed before the append, which may
    // move the bytes `name` views (a listed player's name given again).
    const bool known = findListedPlayer(name) != 0;
    const std::uint32_t hash = NameIndex::hashOf(name);
    m_listedBytes.append(name);
    m_listedEnds.push_back(m_listedBytes.size());
    m_playerNames.push_back(static_cast<std::uint32_t>(m_listedEnds.size() - 1) | kListed);
    PlayerWeaponFrags.resize(m_playerNames.size());
    if (!known)
        m_index.insert(hash, static_cast<std::uint32_t>(index));
    return index;
}

void StatsStore::resetCounts(KeepMemory keep) {
    WeaponFrags.fill(0);
    // A store reused after a log with very many players does not keep their rows.
    constexpr std::size_t kKeptRows = 4096;
    PlayerWeaponFrags.reset();
    if (m_playerNames.capacity() > kKeptRows)
        m_playerNames = std::vector<std::uint32_t>(1, kListed);
    else
        m_playerNames.assign(1, kListed);
    m_listedBytes = {};
    m_listedEnds.assign(1, 0);
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
