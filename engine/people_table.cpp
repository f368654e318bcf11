#include "engine/people_table.hpp"

#include <algorithm>

namespace fragtide::engine {

std::optional<std::uint32_t> PeopleTable::find(std::string_view name) const {
    const std::uint32_t at =
        m_byName.find(name, NameIndex::hashOf(name), [this](std::uint32_t p) { return nameOf(p); });
    if (at == NameIndex::kNone)
        return std::nullopt;
    return at;
}

PeopleTable::Rivals PeopleTable::copied(const Rivals& from) {
    Rivals to;
    if (from.m_capacity == 0)
        return to;
    to.m_items = m_rivals.allocate(from.m_capacity);
    to.m_size = from.m_size;
    to.m_capacity = from.m_capacity;
    std::copy(from.begin(), from.end(), to.m_items);
    return to;
}

PeopleTable::PeopleTable(const PeopleTable& other)
    : m_people(other.m_people),
      m_tags(other.m_tags),
      m_hashes(other.m_hashes),
      m_byName(other.m_byName),
      m_pairs(other.m_pairs) {
    for (Person& p : m_people) {
        p.name = m_names.keep(p.name);
        p.victims = copied(p.victims);
        p.killedBy = copied(p.killedBy);
    }
}

PeopleTable& PeopleTable::operator=(const PeopleTable& other) {
    if (this != &other)
        *this = PeopleTable(other);
    return *this;
}

std::uint32_t PeopleTable::addPerson(std::string_view name, std::uint32_t hash) {
    const auto index = static_cast<std::uint32_t>(m_people.size());
    m_people.emplace_back();
    m_people.back().name = m_names.keep(name);
    m_tags.push_back(0);
    m_hashes.push_back(hash);
    m_byName.insert(hash, index);
    return index;
}

namespace {

// Lists up to this long (two cache lines of rivals) are scanned for a pair beyond the grid rather
// than indexed: most people of a log with very many names meet only a few others.
constexpr std::size_t kScannedRivals = 8;

}  // namespace

template <typename Places>
std::uint32_t PeopleTable::append(Rivals& rivals, std::uint32_t owner, std::uint32_t rival, Places places) {
    const std::uint32_t at = rivals.m_size;
    if (at == rivals.m_capacity) {
        const std::uint32_t capacity = at == 0 ? 1 : at * 2;
        Rival* const items = m_rivals.allocate(capacity);
        if (at > 0) {
            std::copy(rivals.begin(), rivals.end(), items);
            m_rivals.release(rivals.m_items, rivals.m_capacity);
        }
        rivals.m_items = items;
        rivals.m_capacity = capacity;
    }
    rivals.m_items[at] = {rival, 0};
    ++rivals.m_size;
    if (rivals.size() == kScannedRivals + 1) {
        // Long from now on: its pairs beyond the grid are found through the index.
        for (std::uint32_t i = 0; i < rivals.size(); ++i) {
            if ((owner | rivals[i].person) >= PairIndex::kGridSide)
                places(rivals[i].person) = i;
        }
    }
    return at;
}

std::uint32_t PeopleTable::victimPlace(std::uint32_t killer, std::uint32_t victim) {
    auto& victims = m_people[killer].victims;
    const auto places = [this, killer](std::uint32_t v) -> std::uint32_t& { return m_pairs.victimAt(killer, v); };
    if (PairSlots* const slots = m_pairs.inGrid(killer, victim)) {
        if (slots->victimAt == kNone)
            slots->victimAt = append(victims, killer, victim, places);
        return slots->victimAt;
    }
    if (victims.size() <= kScannedRivals) {
        for (std::uint32_t i = 0; i < victims.size(); ++i) {
            if (victims[i].person == victim)
                return i;
        }
        return append(victims, killer, victim, places);
    }
    std::uint32_t& at = m_pairs.victimAt(killer, victim);
    if (at == kNone)
        at = append(victims, killer, victim, places);  // a long list stays long: no other place is kept
    return at;
}

std::uint32_t PeopleTable::killerPlace(std::uint32_t killer, std::uint32_t victim) {
    auto& killers = m_people[victim].killedBy;
    const auto places = [this, victim](std::uint32_t k) -> std::uint32_t& { return m_pairs.killerAt(k, victim); };
    if (PairSlots* const slots = m_pairs.inGrid(killer, victim)) {
        if (slots->killerAt == kNone)
            slots->killerAt = append(killers, victim, killer, places);
        return slots->killerAt;
    }
    if (killers.size() <= kScannedRivals) {
        for (std::uint32_t i = 0; i < killers.size(); ++i) {
            if (killers[i].person == killer)
                return i;
        }
        return append(killers, victim, killer, places);
    }
    std::uint32_t& at = m_pairs.killerAt(killer, victim);
    if (at == kNone)
        at = append(killers, victim, killer, places);
    return at;
}

void PeopleTable::addRivalFrags(std::uint32_t killer, std::uint32_t victim, PeopleCount frags) {
    const std::uint32_t v = victimPlace(killer, victim);
    m_people[killer].victims.m_items[v].frags += frags;
    const std::uint32_t k = killerPlace(killer, victim);
    m_people[victim].killedBy.m_items[k].frags += frags;
}

void PeopleTable::recordKill(std::string_view killer, std::string_view victim) {
    // The killer first: people who scored then keep the order of their player indices.
    const std::uint32_t k = personOf(killer);
    recordKill(k, personOf(victim));
}

void PeopleTable::firstFrag(std::uint32_t killer, std::uint32_t victim) {
    (void)victimPlace(killer, victim);
    (void)killerPlace(killer, victim);
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

std::vector<std::uint32_t> PeopleTable::merge(const PeopleTable& part) {
    // Part's people in their order: the newcomers join in the order one pass would meet them.
    std::vector<std::uint32_t> into(part.m_people.size());
    for (std::size_t i = 0; i < part.m_people.size(); ++i) {
        const Person& p = part.m_people[i];
        into[i] = personOf(p.name, part.m_hashes[i]);
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
        const std::uint32_t person = into[i];
        // The place first: finding it may move the list.
        for (const Rival& r : part.m_people[i].victims) {
            const std::uint32_t at = victimPlace(person, into[r.person]);
            m_people[person].victims.m_items[at].frags += r.frags;
        }
        for (const Rival& r : part.m_people[i].killedBy) {
            const std::uint32_t at = killerPlace(into[r.person], person);
            m_people[person].killedBy.m_items[at].frags += r.frags;
        }
    }
    return into;
}

void PeopleTable::clear() {
    m_pairs.clear(m_people.size());
    // A thread's table is filled and cleared a hundred times a gigabyte: its arena and pool keep a
    // few blocks for the next fill, but a table once filled with a huge log does not keep it all.
    constexpr std::size_t kKeptPeople = 65536;
    if (m_people.capacity() > kKeptPeople) {
        m_people = {};
        m_tags = {};
        m_hashes = {};
    } else {
        m_people.clear();
        m_tags.clear();
        m_hashes.clear();
    }
    m_names.clear();
    m_rivals.clear();
    m_byName.clear();
}

bool PeopleTable::operator==(const PeopleTable& other) const {
    if (m_people.size() != other.m_people.size())
        return false;
    for (std::size_t i = 0; i < m_people.size(); ++i) {
        const Person& a = m_people[i];
        const Person& b = other.m_people[i];
        const auto sameRivals = [](const Rivals& x, const Rivals& y) {
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
