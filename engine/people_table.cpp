#include "engine/people_table.hpp"

namespace fragtide::engine {

std::optional<std::uint32_t> PeopleTable::find(std::string_view name) const {
    const std::uint32_t at =
        m_byName.find(name, NameIndex::hashOf(name), [this](std::uint32_t p) { return nameOf(p); });
    if (at == NameIndex::kNone)
        return std::nullopt;
    return at;
}

std::uint32_t PeopleTable::addPerson(std::string_view name, std::uint32_t hash) {
    const auto index = static_cast<std::uint32_t>(m_people.size());
    if (m_spare.empty()) {
        m_people.emplace_back();
    } else {
        m_people.push_back(std::move(m_spare.back()));
        m_spare.pop_back();
    }
    m_people.back().name = name;
    m_tags.push_back(0);
    m_byName.insert(hash, index);
    return index;
}

void PeopleTable::addVictimFrags(PairSlots& slots, std::uint32_t killer, std::uint32_t victim, PeopleCount frags) {
    auto& victims = m_people[killer].victims;
    if (slots.victimAt == kNone) {
        slots.victimAt = static_cast<std::uint32_t>(victims.size());
        victims.push_back({victim, 0});
    }
    victims[slots.victimAt].frags += frags;
}

void PeopleTable::addKillerFrags(PairSlots& slots, std::uint32_t killer, std::uint32_t victim, PeopleCount frags) {
    auto& killers = m_people[victim].killedBy;
    if (slots.killerAt == kNone) {
        slots.killerAt = static_cast<std::uint32_t>(killers.size());
        killers.push_back({killer, 0});
    }
    killers[slots.killerAt].frags += frags;
}

void PeopleTable::recordKill(std::string_view killer, std::string_view victim) {
    // The killer first: people who scored then keep the order of their player indices.
    const std::uint32_t k = personOf(killer);
    recordKill(k, personOf(victim));
}

void PeopleTable::firstFrag(PairSlots& slots, std::uint32_t killer, std::uint32_t victim) {
    addVictimFrags(slots, killer, victim, 0);
    addKillerFrags(slots, killer, victim, 0);
}

void PeopleTable::recordTeamKill(std::string_view killer, std::string_view victim) {
    if (!killer.empty())
        ++m_people[personOf(killer)].teamKills;
    if (!victim.empty())
        ++m_people[personOf(victim)].deaths;
}

void PeopleTable::recordSuicide(std::string_view name) {
    if (!name.empty())
        ++m_people[personOf(name)].suicides;
}

void PeopleTable::merge(const PeopleTable& part) {
    // Part's people in their order: the newcomers join in the order one pass would meet them.
    std::vector<std::uint32_t> into(part.m_people.size());
    for (std::size_t i = 0; i < part.m_people.size(); ++i) {
        const Person& p = part.m_people[i];
        into[i] = personOf(p.name);
        Person& q = m_people[into[i]];
        q.frags += p.frags;
        q.deaths += p.deaths;
        q.suicides += p.suicides;
        q.teamKills += p.teamKills;
    }
    // A pair new to this table was first met in `part`, and each list of `part` is in the order
    // of first meeting: appending each list's newcomers in that order keeps it. The two lists of
    // a pair are filled separately because their orders differ.
    for (std::size_t i = 0; i < part.m_people.size(); ++i) {
        for (const Rival& r : part.m_people[i].victims)
            addVictimFrags(m_pairs.at(into[i], into[r.person]), into[i], into[r.person], r.frags);
        for (const Rival& r : part.m_people[i].killedBy)
            addKillerFrags(m_pairs.at(into[r.person], into[i]), into[r.person], into[i], r.frags);
    }
}

void PeopleTable::clear() {
    m_pairs.clear(m_people.size());
    // A thread's table is filled and cleared a hundred times a gigabyte, mostly with the same
    // people: their names and rival lists keep their memory for the next ones.
    for (Person& person : m_people) {
        if (m_spare.size() == kSpareMost)
            break;
        person.name.clear();
        person.frags = person.deaths = person.suicides = person.teamKills = 0;
        person.victims.clear();
        person.killedBy.clear();
        m_spare.push_back(std::move(person));
    }
    m_people.clear();
    m_tags.clear();
    m_byName.clear();
}

bool PeopleTable::operator==(const PeopleTable& other) const {
    if (m_people.size() != other.m_people.size())
        return false;
    for (std::size_t i = 0; i < m_people.size(); ++i) {
        const Person& a = m_people[i];
        const Person& b = other.m_people[i];
        const auto sameRivals = [](const std::vector<Rival>& x, const std::vector<Rival>& y) {
            if (x.size() != y.size())
                return false;
            for (std::size_t j = 0; j < x.size(); ++j) {
                if (x[j].person != y[j].person || x[j].frags != y[j].frags)
                    return false;
            }
            return true;
        };
        if (a.name != b.name || a.frags != b.frags || a.deaths != b.deaths || a.suicides != b.suicides ||
            a.teamKills != b.teamKills || !sameRivals(a.victims, b.victims) || !sameRivals(a.killedBy, b.killedBy))
            return false;
    }
    return true;
}

}  // namespace fragtide::engine
