#include "engine/people_table.hpp"

#include <algorithm>
#include <bit>

namespace fragtide::engine {

std::optional<std::uint32_t> PeopleTable::find(std::string_view name) const {
    const std::uint32_t at =
        m_byName.find(name, NameIndex::hashOf(name), [this](std::uint32_t p) { return nameOf(p); });
    if (at == NameIndex::kNone)
        return std::nullopt;
    return at;
}

std::uint32_t PeopleTable::Rivals::capacity() const { return std::bit_ceil(std::max(m_size, std::uint32_t{2})); }

PeopleTable::Rivals PeopleTable::copied(const Rivals& from) {
    if (from.held())
        return from;
    Rivals to;
    to.m_size = from.m_size;
    to.setPooled(m_rivals.allocate(from.capacity()));
    std::copy(from.begin(), from.end(), to.pooled());
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
    if (at >= 1 && (at & (at - 1)) == 0) {  // full: the one held here, or a pooled power of two
        Rival* const items = m_rivals.allocate(at * 2);
        std::copy(rivals.begin(), rivals.end(), items);
        if (at > 1)
            m_rivals.release(rivals.pooled(), at);
        rivals.setPooled(items);
    }
    ++rivals.m_size;
    rivals.items()[at] = {rival, 0};
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
    m_people[killer].victims.items()[v].frags += frags;
    const std::uint32_t k = killerPlace(killer, victim);
    m_people[victim].killedBy.items()[k].frags += frags;
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

namespace {

// How many people ahead a loop over very many asks for their memory: enough to cover the wait
// for memory, few enough that what it asked for is still in the cache when it gets there.
constexpr std::size_t kAhead = 8;

}  // namespace

void PeopleTable::lookUpIn(const PeopleTable& into) {
    const std::size_t n = m_people.size();
    m_placesIn.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (i + kAhead < n)
            into.m_byName.prefetch(m_hashes[i + kAhead]);
        m_placesIn[i] =
            into.m_byName.find(m_people[i].name, m_hashes[i], [&into](std::uint32_t p) { return into.nameOf(p); });
    }
    m_placesFor = &into;
}

std::vector<std::uint32_t> PeopleTable::merge(const PeopleTable& part) {
    std::vector<std::uint32_t> into = numberPeople(part);
    addCounts(part, into);
    return into;
}

std::vector<std::uint32_t> PeopleTable::numberPeople(const PeopleTable& part) {
    const std::size_t n = part.m_people.size();
    const bool lookedUp = part.m_placesFor == this && part.m_placesIn.size() == n;
    std::vector<std::uint32_t> into = lookedUp ? part.m_placesIn : std::vector<std::uint32_t>(n, kNone);
    // Part's people in their order: the newcomers join in the order one pass would meet them.
    for (std::size_t i = 0; i < n; ++i) {
        if (into[i] != kNone)
            continue;
        if (i + kAhead < n && into[i + kAhead] == kNone)
            m_byName.prefetch(part.m_hashes[i + kAhead]);
        into[i] = personOf(part.m_people[i].name, part.m_hashes[i]);
    }
    return into;
}

void PeopleTable::addCounts(const PeopleTable& part, const std::vector<std::uint32_t>& into) {
    const std::size_t n = part.m_people.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i + kAhead < n)
            __builtin_prefetch(&m_people[into[i + kAhead]]);
        const Person& p = part.m_people[i];
        Person& q = m_people[into[i]];
        q.frags += p.frags;
        q.deaths += p.deaths;
        q.suicides += p.suicides;
        q.teamKills += p.teamKills;
    }
    // A pair new to this table was first met in `part`, and each list of `part` is in the order
    // of first meeting: appending each list's newcomers in that order keeps it. The two lists of
    // a pair are filled separately because their orders differ.
    for (std::size_t i = 0; i < n; ++i) {
        if (i + kAhead < n) {
            const Person& ahead = m_people[into[i + kAhead]];
            __builtin_prefetch(ahead.victims.items());
            __builtin_prefetch(ahead.killedBy.items());
        }
        const std::uint32_t person = into[i];
        // The place first: finding it may move the list.
        for (const Rival& r : part.m_people[i].victims) {
            const std::uint32_t at = victimPlace(person, into[r.person]);
            m_people[person].victims.items()[at].frags += r.frags;
        }
        for (const Rival& r : part.m_people[i].killedBy) {
            const std::uint32_t at = killerPlace(into[r.person], person);
            m_people[person].killedBy.items()[at].frags += r.frags;
        }
    }
}

void PeopleTable::clear(KeepMemory keep) {
    m_pairs.clear(m_people.size());
    // A table once filled with a huge log and reused for another does not keep it all.
    constexpr std::size_t kKeptPeople = 65536;
    if (keep == KeepMemory::Some && m_people.capacity() > kKeptPeople) {
        m_people = {};
        m_tags = {};
        m_hashes = {};
    } else {
        m_people.clear();
        m_tags.clear();
        m_hashes.clear();
    }
    m_names.clear(keep);
    m_rivals.clear(keep);
    m_byName.clear(keep);
    m_placesIn.clear();
    m_placesFor = nullptr;
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
