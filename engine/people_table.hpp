#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Everybody a log names as scoring, dying, killing himself or killing a teammate, with his
// deaths, suicides, team kills, frags and who he fragged.
//
// Kept beside the statistics store's fixed tables and independent of them: there is no 200 limit
// and no player index, people are told apart by their exact name bytes and listed in the order
// of their first appearance. Memory grows with the number of distinct names and of distinct
// (killer, victim) pairs, nothing else. Names given to the record calls are already normalised
// (kill_recorder.hpp); "" is nobody. Not thread-safe: each thread fills a table of its own and
// the tables are merged in file order (merge).
namespace fragtide::engine {

using PeopleCount = std::int64_t;

class PeopleTable {
public:
    // One opponent and the frags between the two.
    struct Rival {
        std::uint32_t person;  // index into people()
        PeopleCount frags = 0;
    };
    struct Person {
        std::string name;  // raw log bytes, never empty
        PeopleCount frags = 0;
        PeopleCount deaths = 0;
        PeopleCount suicides = 0;
        PeopleCount teamKills = 0;
        std::vector<Rival> victims;   // his frags per victim, in the order of his first kill of each
        std::vector<Rival> killedBy;  // frags on him per killer, in the order of the first of each
    };

    // In the order of first appearance; within one event the killer appears before his victim.
    const std::vector<Person>& people() const { return m_people; }
    // The index of the person named exactly `name`, or nothing.
    std::optional<std::uint32_t> find(std::string_view name) const;

    // A frag: one more frag for `killer` (and one more on `victim`), one more death for `victim`.
    // An empty killer frags nobody, an empty victim dies uncounted.
    void recordKill(std::string_view killer, std::string_view victim);
    // A kill of a teammate: no frag, one more team kill for `killer` and a death for `victim`
    // (either may be "", as when a game prints the killer alone).
    void recordTeamKill(std::string_view killer, std::string_view victim);
    // A death with nobody else to credit.
    void recordSuicide(std::string_view name);

    // Adds `part`, filled from empty over the events right after those in this table, exactly
    // as if its events had been recorded here.
    void merge(const PeopleTable& part);

    void clear();

    bool operator==(const PeopleTable& other) const;

private:
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };
    struct PairSlots;
    std::uint32_t personOf(std::string_view name);
    PairSlots& slotsOf(std::uint32_t killer, std::uint32_t victim);
    void addVictimFrags(PairSlots& slots, std::uint32_t killer, std::uint32_t victim, PeopleCount frags);
    void addKillerFrags(PairSlots& slots, std::uint32_t killer, std::uint32_t victim, PeopleCount frags);
    static std::uint64_t pairKey(std::uint32_t a, std::uint32_t b) { return std::uint64_t{a} << 32 | b; }

    std::vector<Person> m_people;
    std::unordered_map<std::string, std::uint32_t, NameHash, std::equal_to<>> m_byName;
    // (killer, victim) -> positions in the killer's victims and the victim's killedBy, so a frag is
    // counted in constant time however many rivals a person has.
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    struct PairSlots {
        std::uint32_t victimAt;
        std::uint32_t killerAt;
    };
    std::unordered_map<std::uint64_t, PairSlots> m_pairs;
};

}  // namespace fragtide::engine
