#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// For (killer, victim) pairs of person numbers, where the pair stands in the killer's list of
// victims and in the victim's list of killers, so that a frag finds both entries in constant time
// however many rivals a person has.
//
// Pairs of the first kGridSide people (the whole log, usually) sit in a flat grid, one multiply and
// one load away. A pair with a later person is the owner's to place: a short list is quicker to
// scan than a table to probe, so the owner keeps here only the places in long lists, in two
// open-addressing tables keyed by the pair. Which of the grid and the tables holds a pair depends
// only on its numbers, so nothing ever moves between them.
// Memory: the grid (kGridSide squared entries, allocated at the first pair inside it) plus 12 to 24
// bytes per place kept beyond it, nothing per frag. Not thread-safe.
namespace fragtide::engine {

class PairIndex {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    static constexpr std::uint32_t kGridSide = 128;

    struct Slots {
        std::uint32_t victimAt = kNone;  // in the killer's victims, or kNone
        std::uint32_t killerAt = kNone;  // in the victim's killers, or kNone
    };

    // The grid entry of (killer, victim), {kNone, kNone} when new, or nullptr for a pair beyond the
    // grid. Valid until clear.
    Slots* inGrid(std::uint32_t killer, std::uint32_t victim) {
        static_assert((kGridSide & (kGridSide - 1)) == 0, "both below it when their bits together are");
        if ((killer | victim) < m_gridSide)
            return &m_grid[std::size_t{killer} * kGridSide + victim];
        return (killer | victim) < kGridSide ? makeGrid(killer, victim) : nullptr;
    }

    // For a pair beyond the grid: its place kept for the killer's victims, and for the victim's
    // killers, kNone when none was kept. Valid until the next call.
    std::uint32_t& victimAt(std::uint32_t killer, std::uint32_t victim) { return m_victimsAt.at(keyOf(killer, victim)); }
    std::uint32_t& killerAt(std::uint32_t killer, std::uint32_t victim) { return m_killersAt.at(keyOf(killer, victim)); }

    // Forgets every pair; `people` bounds the person numbers used since the last clear.
    void clear(std::size_t people);

private:
    // Open addressing, at most half full; the keys and the places apart (12 bytes a slot).
    class Places {
    public:
        std::uint32_t& at(std::uint64_t key);
        void clear();

    private:
        void grow();
        std::vector<std::uint64_t> m_keys;  // empty, or a power of two in size
        std::vector<std::uint32_t> m_places;
        std::size_t m_count = 0;
    };
    static constexpr std::uint64_t keyOf(std::uint32_t killer, std::uint32_t victim) {
        return std::uint64_t{killer} << 32 | victim;
    }
    Slots* makeGrid(std::uint32_t killer, std::uint32_t victim);

    std::vector<Slots> m_grid;
    std::uint32_t m_gridSide = 0;  // kGridSide once the grid is there: one test for both
    Places m_victimsAt;
    Places m_killersAt;
};

}  // namespace fragtide::engine
