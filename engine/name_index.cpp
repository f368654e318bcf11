#include "engine/name_index.hpp"

namespace fragtide::engine {
namespace {

constexpr std::size_t kFirstSlots = 64;
// Past this a cleared index gives its table back (16 K slots, 128 KB).
constexpr std::size_t kKeptSlots = 16384;

}  // namespace

void NameIndex::grow() {
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(old.empty() ? kFirstSlots : old.size() * 2, Slot{});
    m_mask = m_slots.size() - 1;
    for (const Slot& s : old) {
        if (s.number == kNone)
            continue;
        std::size_t i = s.hash & m_mask;
        while (m_slots[i].number != kNone)
            i = (i + 1) & m_mask;
        m_slots[i] = s;
    }
}

void NameIndex::insert(std::uint32_t hash, std::uint32_t number) {
    // At most half full, so that a miss (every new name) ends after a probe or two.
    if ((m_count + 1) * 2 > m_slots.size())
        grow();
    std::size_t i = hash & m_mask;
    while (m_slots[i].number != kNone)
        i = (i + 1) & m_mask;
    m_slots[i] = {hash, number};
    ++m_count;
}

void NameIndex::clear(KeepMemory keep) {
    if (keep == KeepMemory::Some && m_slots.size() > kKeptSlots) {
        m_slots = {};
        m_mask = 0;
    } else {
        m_slots.assign(m_slots.size(), Slot{});
    }
    m_count = 0;
}

}  // namespace fragtide::engine
