#include "engine/pair_index.hpp"

#include <algorithm>

namespace fragtide::engine {
namespace {

constexpr std::size_t kFirstEntries = 256;
constexpr std::size_t kKeptEntries = 16384;  // a cleared table gives back its memory past this
constexpr std::uint64_t kEmpty = ~std::uint64_t{0};  // no pair of two numbers < kNone

std::size_t spread(std::uint64_t key, std::size_t mask) {
    key *= 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(key ^ (key >> 32)) & mask;
}

}  // namespace

void PairIndex::Places::grow() {
    std::vector<std::uint64_t> oldKeys = std::move(m_keys);
    std::vector<std::uint32_t> oldPlaces = std::move(m_places);
    const std::size_t size = oldKeys.empty() ? kFirstEntries : oldKeys.size() * 2;
    m_keys.assign(size, kEmpty);
    m_places.assign(size, kNone);
    const std::size_t mask = size - 1;
    for (std::size_t k = 0; k < oldKeys.size(); ++k) {
        if (oldKeys[k] == kEmpty)
            continue;
        std::size_t i = spread(oldKeys[k], mask);
        while (m_keys[i] != kEmpty)
            i = (i + 1) & mask;
        m_keys[i] = oldKeys[k];
        m_places[i] = oldPlaces[k];
    }
}

std::uint32_t& PairIndex::Places::at(std::uint64_t key) {
    if ((m_count + 1) * 2 > m_keys.size())
        grow();
    const std::size_t mask = m_keys.size() - 1;
    std::size_t i = spread(key, mask);
    while (m_keys[i] != key) {
        if (m_keys[i] == kEmpty) {
            m_keys[i] = key;
            ++m_count;
            break;
        }
        i = (i + 1) & mask;
    }
    return m_places[i];
}

void PairIndex::Places::clear() {
    if (m_keys.size() > kKeptEntries) {
        m_keys = {};
        m_places = {};
    } else if (m_count > 0) {
        std::fill(m_keys.begin(), m_keys.end(), kEmpty);
        std::fill(m_places.begin(), m_places.end(), kNone);
    }
    m_count = 0;
}

PairIndex::Slots* PairIndex::makeGrid(std::uint32_t killer, std::uint32_t victim) {
    m_grid.resize(std::size_t{kGridSide} * kGridSide);
    m_gridSide = kGridSide;
    return &m_grid[std::size_t{killer} * kGridSide + victim];
}

void PairIndex::clear(std::size_t people) {
    // Only the rows of people met since the last clear can hold pairs: no 128 KB wipe per piece.
    const std::size_t rows = std::min<std::size_t>(people, kGridSide);
    if (!m_grid.empty())
        std::fill(m_grid.begin(), m_grid.begin() + static_cast<std::ptrdiff_t>(rows * kGridSide), Slots{});
    m_victimsAt.clear();
    m_killersAt.clear();
}

}  // namespace fragtide::engine
