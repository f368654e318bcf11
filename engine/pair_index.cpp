#include "engine/pair_index.hpp"

#include <algorithm>

namespace fragtide::engine {
namespace {

constexpr std::size_t kFirstEntries = 256;
constexpr std::size_t kKeptEntries = 16384;  // a cleared index gives back a table past this

std::size_t spread(std::uint64_t key, std::size_t mask) {
    key *= 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(key ^ (key >> 32)) & mask;
}

}  // namespace

void PairIndex::grow() {
    std::vector<Entry> old = std::move(m_hashed);
    m_hashed.assign(old.empty() ? kFirstEntries : old.size() * 2, Entry{});
    const std::size_t mask = m_hashed.size() - 1;
    for (const Entry& e : old) {
        if (e.key == kEmpty)
            continue;
        std::size_t i = spread(e.key, mask);
        while (m_hashed[i].key != kEmpty)
            i = (i + 1) & mask;
        m_hashed[i] = e;
    }
}

PairIndex::Slots& PairIndex::beyondGrid(std::uint32_t killer, std::uint32_t victim) {
    if (killer < kGridSide && victim < kGridSide) {  // the first pair: the grid is not there yet
        m_grid.resize(std::size_t{kGridSide} * kGridSide);
        m_gridSide = kGridSide;
        return m_grid[std::size_t{killer} * kGridSide + victim];
    }
    return hashed(std::uint64_t{killer} << 32 | victim);
}

PairIndex::Slots& PairIndex::hashed(std::uint64_t key) {
    if ((m_hashedCount + 1) * 2 > m_hashed.size())
        grow();
    const std::size_t mask = m_hashed.size() - 1;
    std::size_t i = spread(key, mask);
    while (m_hashed[i].key != key) {
        if (m_hashed[i].key == kEmpty) {
            m_hashed[i].key = key;
            ++m_hashedCount;
            break;
        }
        i = (i + 1) & mask;
    }
    return m_hashed[i].slots;
}

void PairIndex::clear(std::size_t people) {
    // Only the rows of people met since the last clear can hold pairs: no 128 KB wipe per piece.
    const std::size_t rows = std::min<std::size_t>(people, kGridSide);
    if (!m_grid.empty())
        std::fill(m_grid.begin(), m_grid.begin() + static_cast<std::ptrdiff_t>(rows * kGridSide), Slots{});
    if (m_hashed.size() > kKeptEntries)
        m_hashed = {};
    else if (m_hashedCount > 0)
        m_hashed.assign(m_hashed.size(), Entry{});
    m_hashedCount = 0;
}

}  // namespace fragtide::engine
