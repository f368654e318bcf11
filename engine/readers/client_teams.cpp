#include "engine/readers/client_teams.hpp"

namespace fragtide::engine {

ClientTeams::Team ClientTeams::teamOfValue(std::optional<std::string_view> value) {
    if (value == "1")
        return Team::Red;
    if (value == "2")
        return Team::Blue;
    return Team::None;
}

int ClientTeams::indexOf(const Quake3Client& client) { return client.slot; }

void ClientTeams::set(const Quake3Client& client, Team team) {
    const int index = indexOf(client);
    if (index < 0)
        return;
    m_teams[static_cast<std::size_t>(index)] = team;
    m_touched = true;
}

void ClientTeams::forgetAll() {
    m_teams.fill(Team::None);
    m_touched = true;
}

bool ClientTeams::isTeamKill(const Quake3Client& killer, const Quake3Client& victim) {
    const int k = indexOf(killer);
    const int v = indexOf(victim);
    const Team a = teamOf(k);
    const Team b = teamOf(v);
    if (a == Team::Unsaid || b == Team::Unsaid) {
        const auto ku = static_cast<std::size_t>(k);
        const auto vu = static_cast<std::size_t>(v);
        if (a == Team::Unsaid && b == Team::Unsaid)
            m_bothUnsaid.set(ku * kClients + vu);
        else if (a == Team::Unsaid && b != Team::None)
            (b == Team::Red ? m_unsaidWithRed : m_unsaidWithBlue).set(ku);
        else if (b == Team::Unsaid && a != Team::None)
            (a == Team::Red ? m_unsaidWithRed : m_unsaidWithBlue).set(vu);
        m_touched = true;
        return false;  // unsaid is no team until the lines before say otherwise
    }
    return a == b && a != Team::None;
}

bool ClientTeams::teamKillsAfter(const ClientTeams& before) const {
    if (!m_touched)
        return false;
    // Before a store's first line, an unsaid client has no team.
    const auto teamBefore = [&before](std::size_t i) {
        const Team t = before.m_teams[i];
        return t == Team::Unsaid ? Team::None : t;
    };
    for (std::size_t i = 0; i < kClients; ++i) {
        const Team t = teamBefore(i);
        if ((t == Team::Red && m_unsaidWithRed[i]) || (t == Team::Blue && m_unsaidWithBlue[i]))
            return true;
    }
    if (m_bothUnsaid.none())
        return false;
    for (std::size_t k = 0; k < kClients; ++k) {
        const Team t = teamBefore(k);
        if (t == Team::None)
            continue;
        for (std::size_t v = 0; v < kClients; ++v) {
            if (m_bothUnsaid[k * kClients + v] && teamBefore(v) == t)
                return true;
        }
    }
    return false;
}

void ClientTeams::applyAfter(ClientTeams& before) const {
    for (std::size_t i = 0; i < kClients; ++i) {
        if (m_teams[i] != Team::Unsaid) {
            before.m_teams[i] = m_teams[i];
            before.m_touched = true;
        }
    }
}

void ClientTeams::startAfter(const ClientTeams& before) {
    for (std::size_t i = 0; i < kClients; ++i) {
        if (m_teams[i] == Team::Unsaid)
            m_teams[i] = before.m_teams[i];
    }
    m_touched = true;
}

void ClientTeams::clear() {
    if (!m_touched)
        return;
    m_teams.fill(Team::Unsaid);
    m_bothUnsaid.reset();
    m_unsaidWithRed.reset();
    m_unsaidWithBlue.reset();
    m_touched = false;
}

}  // namespace fragtide::engine
