#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// For each (killer, victim) pair of person numbers met so far, where the pair stands in the
// killer's list of victims and in the victim's list of killers, so that a frag finds both entries
// in constant time however many rivals a person has.
//
// Pairs of the first kGridSide people (the whole log, usually) sit in a flat grid, one multiply and
// one load away; a pair with a later person goes to an open-addressing table keyed by the pair.
// Which of the two holds a pair depends only on its numbers, so nothing ever moves between them.
// Memory: the grid (kGridSide squared entries, allocated at the first pair) plus the pairs beyond
// it, nothing per frag. Not thread-safe.
namespace fragtide::engine {

class PairIndex {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    static constexpr std::uint32_t kGridSide = 128;

    struct Slots {
        std::uint32_t victimAt = kNone;  // in the killer's victims, or kNone
        std::uint32_t killerAt = kNone;  // in the victim's killers, or kNone
    };

    // The entry of (killer, victim), created as {kNone, kNone} when new. Valid until the next call.
    Slots& at(std::uint32_t killer, std::uint32_t victim) {
        static_assert((kGridSide & (kGridSide - 1)) == 0, "both below it when their bits together are");
        if ((killer | victim) < m_gridSide)
            return m_grid[std::size_t{killer} * kGridSide + victim];
        return beyondGrid(killer, victim);
    }

    // Forgets every pair; `people` bounds the person numbers used since the last clear.
    void clear(std::size_t people);

private:
    struct Entry {
        std::uint64_t key = kEmpty;
        Slots slots;
    };
    static constexpr std::uint64_t kEmpty = ~std::uint64_t{0};  // no pair of two numbers < kNone
    Slots& beyondGrid(std::uint32_t killer, std::uint32_t victim);
    Slots& hashed(std::uint64_t key);
    void grow();

    std::vector<Slots> m_grid;
    std::uint32_t m_gridSide = 0;  // kGridSide once the grid is there: one test for both
    std::vector<Entry> m_hashed;  // empty, or a power of two in size, at most half full
    std::size_t m_hashedCount = 0;
};

}  // namespace fragtide::engine
