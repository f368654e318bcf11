#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/name_index.hpp"
#include "engine/pair_index.hpp"
#include "engine/people_storage.hpp"

// Everybody a log names as scoring, dying, killing himself or killing a teammate, with his
// deaths, suicides, team kills, frags and who he fragged.
//
// Kept beside the statistics store's player tables and independent of them: there is no player
// index, people are told apart by their exact name bytes and listed in the order
// of their first appearance. Memory grows with the number of distinct names and of distinct
// (killer, victim) pairs, nothing else. Names given to the record calls are already normalised
// (kill_recorder.hpp); "" is nobody. Not thread-safe: each thread fills a table of its own and
// the tables are merged in file order (merge).
namespace fragtide::engine {

using PeopleCount = std::int64_t;

class PeopleTable {
public:
    // One opponent and the frags between the two. 12 bytes, not 16: a log of a million passing
    // names holds four million of them.
    struct [[gnu::packed, gnu::aligned(4)]] Rival {
        std::uint32_t person;  // index into people()
        PeopleCount frags = 0;
    };
    // A person's rivals, in the order of first meeting: read-only, filled by the table. A list of
    // one (most lists, in a log of very many names) is held here; longer ones live in the table's
    // pool, in arrays of a power of two, and move as they grow. Valid until the table changes.
    class Rivals {
    public:
        const Rival* begin() const { return items(); }
        const Rival* end() const { return items() + m_size; }
        std::size_t size() const { return m_size; }
        bool empty() const { return m_size == 0; }
        const Rival& operator[](std::size_t i) const { return items()[i]; }

    private:
        friend class PeopleTable;
        bool held() const { return m_size <= 1; }
        Rival* items() { return held() ? &m_one : pooled(); }
        const Rival* items() const { return held() ? &m_one : pooled(); }
        // The pooled array's capacity: the size rounded up to a power of two.
        std::uint32_t capacity() const;
        Rival* pooled() const {
            Rival* p;
            std::memcpy(&p, static_cast<const void*>(&m_one), sizeof p);
            return p;
        }
        void setPooled(Rival* p) { std::memcpy(static_cast<void*>(&m_one), &p, sizeof p); }
        Rival m_one{};  // the one rival, or (from two on) the pooled array's address
        std::uint32_t m_size = 0;
    };
    static_assert(sizeof(Rival) == 12 && sizeof(Rivals) == 16);
    // 80 bytes: a log of a million passing names holds a million of them. The name and the
    // rival lists are the table's (one arena of names, one pool of lists), valid while it lives.
    struct Person {
        std::string_view name;  // raw log bytes, never empty
        PeopleCount frags = 0;
        PeopleCount deaths = 0;
        PeopleCount suicides = 0;
        PeopleCount teamKills = 0;
        Rivals victims;   // his frags per victim, in the order of his first kill of each
        Rivals killedBy;  // frags on him per killer, in the order of the first of each
    };

    PeopleTable() = default;
    // A copy has names and lists of its own.
    PeopleTable(const PeopleTable& other);
    PeopleTable& operator=(const PeopleTable& other);
    PeopleTable(PeopleTable&&) noexcept = default;
    PeopleTable& operator=(PeopleTable&&) noexcept = default;

    // In the order of first appearance; within one event the killer appears before his victim.
    const std::vector<Person>& people() const { return m_people; }
    // The index of the person named exactly `name`, or nothing.
    std::optional<std::uint32_t> find(std::string_view name) const;

    // Nobody, as personOf gives it for "".
    static constexpr std::uint32_t kNobody = 0xFFFFFFFFu;
    // The index of the person named exactly `name`, who joins the table (with no counts) when new;
    // kNobody for "". With recordKill(killer, victim) by index, this is the per-kill path: one
    // lookup per name, which the caller may also use for tables of its own (playerTag).
    std::uint32_t personOf(std::string_view name) {
        if (name.empty())
            return kNobody;
        return personOf(name, NameIndex::hashOf(name));
    }
    // The same for a name that is not "" and its hashOf.
    std::uint32_t personOf(std::string_view name, std::uint32_t hash) {
        const std::uint32_t at = m_byName.find(name, hash, [this](std::uint32_t p) { return nameOf(p); });
        return at != NameIndex::kNone ? at : addPerson(name, hash);
    }

    // A frag: one more frag for `killer` (and one more on `victim`), one more death for `victim`.
    // An empty killer frags nobody, an empty victim dies uncounted.
    void recordKill(std::string_view killer, std::string_view victim);
    // The same for two indices from personOf, either kNobody.
    void recordKill(std::uint32_t killer, std::uint32_t victim) {
        if (killer != kNobody)
            ++m_people[killer].frags;
        if (victim != kNobody)
            ++m_people[victim].deaths;
        if (killer == kNobody || victim == kNobody)
            return;
        PairSlots* const slots = m_pairs.inGrid(killer, victim);
        if (!slots) [[unlikely]]
            return addRivalFrags(killer, victim, 1);
        if (slots->victimAt == kNone || slots->killerAt == kNone) [[unlikely]]
            firstFrag(killer, victim);
        ++m_people[killer].victims.items()[slots->victimAt].frags;
        ++m_people[victim].killedBy.items()[slots->killerAt].frags;
    }
    // `frags` more frags of `killer` on `victim` (neither kNobody), a pair recordKill has met
    // already: what as many more recordKill calls would add.
    void addFrags(std::uint32_t killer, std::uint32_t victim, PeopleCount frags) {
        m_people[killer].frags += frags;
        m_people[victim].deaths += frags;
        addRivalFrags(killer, victim, frags);
    }
    // A kill of a teammate: no frag, one more team kill for `killer` and a death for `victim`
    // (either may be "", as when a game prints the killer alone).
    void recordTeamKill(std::string_view killer, std::string_view victim);
    // The same for two indices from personOf, either kNobody.
    void recordTeamKill(std::uint32_t killer, std::uint32_t victim) {
        if (killer != kNobody)
            ++m_people[killer].teamKills;
        if (victim != kNobody)
            ++m_people[victim].deaths;
    }
    // A death with nobody else to credit.
    void recordSuicide(std::string_view name);
    // The same for an index from personOf, or kNobody.
    void recordSuicide(std::uint32_t person) {
        if (person != kNobody)
            ++m_people[person].suicides;
    }

    // Adds `part`, filled from empty over the events right after those in this table, exactly
    // as if its events had been recorded here. Returns the number here of each of part's people.
    std::vector<std::uint32_t> merge(const PeopleTable& part);
    // merge in two steps: the first gives part's people their numbers here, newcomers joining
    // with no counts; the second adds part's counts and rivals. Several parts may take the first
    // step, in file order, before the second: it changes no person's number and adds nobody, so
    // the second steps (in the same order) may run beside reading names and player tags.
    std::vector<std::uint32_t> numberPeople(const PeopleTable& part);
    void addCounts(const PeopleTable& part, const std::vector<std::uint32_t>& into);

    // Looks each of this table's people up in `into` ahead of merging this table into it, so that
    // the merge searches only for the names `into` did not have yet. Reads `into` only: the parts
    // of a batch can do this at once on several threads while nothing changes `into`. `into` may
    // gain people before the merge (numbers once given never change), but must not be cleared.
    void lookUpIn(const PeopleTable& into);

    // A number the owner of the table keeps per person (the statistics store: his player index,
    // so that a frag needs no second name lookup). 0 for a newcomer, also one that merge brings;
    // cleared with the table; no part of the table's contents (operator== ignores it).
    std::int32_t playerTag(std::uint32_t person) const { return m_tags[person]; }
    void setPlayerTag(std::uint32_t person, std::int32_t tag) { m_tags[person] = tag; }

    void clear(KeepMemory keep = KeepMemory::Some);

    bool operator==(const PeopleTable& other) const;

private:
    using PairSlots = PairIndex::Slots;
    static constexpr std::uint32_t kNone = PairIndex::kNone;
    // Where `victim` stands in the killer's victims and `killer` in the victim's killers, each
    // joining the list (with no frags) when new.
    std::uint32_t victimPlace(std::uint32_t killer, std::uint32_t victim);
    std::uint32_t killerPlace(std::uint32_t killer, std::uint32_t victim);
    // Both lists' frags of the pair, which may be new.
    void addRivalFrags(std::uint32_t killer, std::uint32_t victim, PeopleCount frags);
    // Appends to a person's list of rivals and, when the list has just grown long, keeps the
    // places of its pairs beyond the grid in `places` (PairIndex::victimAt or killerAt).
    template <typename Places>
    std::uint32_t append(Rivals& rivals, std::uint32_t owner, std::uint32_t rival, Places places);
    std::string_view nameOf(std::uint32_t person) const { return m_people[person].name; }
    std::uint32_t addPerson(std::string_view name, std::uint32_t hash);
    // The grid pair's first frag: both places made.
    void firstFrag(std::uint32_t killer, std::uint32_t victim);

    // A copy of `from` in this table's pool.
    Rivals copied(const Rivals& from);

    std::vector<Person> m_people;
    std::vector<std::int32_t> m_tags;     // beside m_people
    std::vector<std::uint32_t> m_hashes;  // beside m_people: each name's hashOf, for merge
    // lookUpIn's finds: each person's number in *m_placesFor, or kNone.
    std::vector<std::uint32_t> m_placesIn;
    const PeopleTable* m_placesFor = nullptr;
    NameArena m_names;
    PooledArrays<Rival> m_rivals;
    NameIndex m_byName;
    PairIndex m_pairs;
};

}  // namespace fragtide::engine
