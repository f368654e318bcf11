#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

// Bytes handed out one run after another from blocks of 64 KiB that never move: the ground under
// a people table's names and rival lists and a weapon table's counts, where a million short
// arrays would cost more in heap blocks (headers, malloc and free) than in bytes. Nothing is given
// back before clear. Not thread-safe.
namespace fragtide::engine {

// What clearing does with the memory a table grew: a table reused for another log gives most of it
// back; a piece's table, filled again at once by the next piece of the same log, keeps it all.
enum class KeepMemory : bool { Some, All };

class BlockBump {
public:
    static constexpr std::size_t kBlockBytes = std::size_t{1} << 16;

    // clear(KeepMemory::Some) keeps this many blocks for the next fill.
    explicit BlockBump(std::size_t keptBlocks) : m_kept(keptBlocks) {}
    BlockBump(BlockBump&& other) noexcept { *this = std::move(other); }
    // The other is left empty.
    BlockBump& operator=(BlockBump&& other) noexcept {
        if (this != &other) {
            m_blocks = std::exchange(other.m_blocks, {});
            m_current = std::exchange(other.m_current, 0);
            m_used = std::exchange(other.m_used, 0);
            m_kept = other.m_kept;
        }
        return *this;
    }

    // `bytes` (1 to kBlockBytes) after the last run taken, or at the start of a block when they do
    // not fit: a caller whose runs are all multiples of a type's size gets them aligned for it.
    unsigned char* take(std::size_t bytes) {
        if (m_current == m_blocks.size() || m_used + bytes > kBlockBytes) {
            if (m_current < m_blocks.size())
                ++m_current;
            if (m_current == m_blocks.size())
                m_blocks.push_back(std::make_unique_for_overwrite<unsigned char[]>(kBlockBytes));
            m_used = 0;
        }
        unsigned char* const at = m_blocks[m_current].get() + m_used;
        m_used += bytes;
        return at;
    }
    // Everything taken is free again.
    void clear(KeepMemory keep = KeepMemory::Some) {
        if (keep == KeepMemory::Some && m_blocks.size() > m_kept)
            m_blocks.resize(m_kept);
        m_current = 0;
        m_used = 0;
    }

private:
    std::vector<std::unique_ptr<unsigned char[]>> m_blocks;
    std::size_t m_current = 0;  // the block being filled, an index into m_blocks (or its size)
    std::size_t m_used = 0;     // its bytes used
    std::size_t m_kept = 0;
};

}  // namespace fragtide::engine
