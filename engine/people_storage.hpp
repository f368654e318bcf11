#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

// The memory behind a people table's names and rival lists: a log of a million passing names
// holds a million names and two million short lists, and one heap block (with its header and its
// malloc and free) each would cost more than the bytes themselves. Both take their bytes from
// large blocks that never move, so a view handed out stays valid until clear; clear keeps a few
// blocks for the next fill, as a thread's table is filled and cleared once a batch.
// Not thread-safe.
namespace fragtide::engine {

// What clearing does with the memory a table grew: a table reused for another log gives most of it
// back; a piece's table, filled again at once by the next piece of the same log, keeps it all.
enum class KeepMemory : bool { Some, All };

// Name bytes, one after the other; nothing is freed before clear.
class NameArena {
public:
    NameArena() = default;
    NameArena(NameArena&& other) noexcept { *this = std::move(other); }
    // The other arena is left empty.
    NameArena& operator=(NameArena&& other) noexcept {
        if (this != &other) {
            m_blocks = std::exchange(other.m_blocks, {});
            m_large = std::exchange(other.m_large, {});
            m_current = std::exchange(other.m_current, 0);
            m_used = std::exchange(other.m_used, 0);
        }
        return *this;
    }

    // A copy of `name` that stays where it is until clear.
    std::string_view keep(std::string_view name) {
        if (name.empty())
            return {};
        char* at = nullptr;
        if (name.size() > kBlockBytes / 4) {  // a long name gets a block of its own
            at = m_large.emplace_back(std::make_unique_for_overwrite<char[]>(name.size())).get();
        } else {
            if (m_current == m_blocks.size() || m_used + name.size() > kBlockBytes) {
                if (m_current < m_blocks.size())
                    ++m_current;
                if (m_current == m_blocks.size())
                    m_blocks.push_back(std::make_unique_for_overwrite<char[]>(kBlockBytes));
                m_used = 0;
            }
            at = m_blocks[m_current].get() + m_used;
            m_used += name.size();
        }
        std::memcpy(at, name.data(), name.size());
        return {at, name.size()};
    }
    void clear(KeepMemory keep = KeepMemory::Some) {
        m_large.clear();
        if (keep == KeepMemory::Some && m_blocks.size() > kKeptBlocks)
            m_blocks.resize(kKeptBlocks);
        m_current = 0;
        m_used = 0;
    }

private:
    static constexpr std::size_t kBlockBytes = std::size_t{1} << 16;
    static constexpr std::size_t kKeptBlocks = 64;

    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::vector<std::unique_ptr<char[]>> m_large;
    std::size_t m_current = 0;  // the block being filled, an index into m_blocks (or its size)
    std::size_t m_used = 0;     // its bytes used
};

// Arrays of T (trivially copyable) whose capacity is a power of two, reused through a free list per
// capacity.
template <typename T>
class PooledArrays {
public:
    static_assert(sizeof(T) >= sizeof(void*), "a free array holds the next free one");

    PooledArrays() = default;
    PooledArrays(PooledArrays&& other) noexcept { *this = std::move(other); }
    // The other pool is left empty.
    PooledArrays& operator=(PooledArrays&& other) noexcept {
        if (this != &other) {
            m_blocks = std::exchange(other.m_blocks, {});
            m_large = std::exchange(other.m_large, {});
            m_current = std::exchange(other.m_current, 0);
            m_used = std::exchange(other.m_used, 0);
            m_free = std::exchange(other.m_free, {});
        }
        return *this;
    }

    T* allocate(std::uint32_t capacity) {
        const unsigned c = classOf(capacity);
        if (T* const free = m_free[c]) {
            m_free[c] = nextOf(free);
            return free;
        }
        if (capacity > kBlockItems)
            return m_large.emplace_back(std::make_unique_for_overwrite<T[]>(capacity)).get();
        if (m_current == m_blocks.size() || m_used + capacity > kBlockItems) {
            if (m_current < m_blocks.size())
                ++m_current;
            if (m_current == m_blocks.size())
                m_blocks.push_back(std::make_unique_for_overwrite<T[]>(kBlockItems));
            m_used = 0;
        }
        T* const at = m_blocks[m_current].get() + m_used;
        m_used += capacity;
        return at;
    }
    void release(T* items, std::uint32_t capacity) {
        const unsigned c = classOf(capacity);
        std::memcpy(static_cast<void*>(items), &m_free[c], sizeof(T*));
        m_free[c] = items;
    }
    // Everything free; the first few blocks stay for the next fill.
    void clear(KeepMemory keep = KeepMemory::Some) {
        m_free.fill(nullptr);
        m_large.clear();
        if (keep == KeepMemory::Some && m_blocks.size() > kKeptBlocks)
            m_blocks.resize(kKeptBlocks);
        m_current = 0;
        m_used = 0;
    }

private:
    static constexpr std::uint32_t kBlockItems = 1u << 12;
    static constexpr std::size_t kKeptBlocks = 64;
    static unsigned classOf(std::uint32_t capacity) {
        unsigned c = 0;
        while ((std::uint32_t{1} << c) < capacity)
            ++c;
        return c;
    }
    static T* nextOf(T* items) {
        T* next;
        std::memcpy(&next, static_cast<const void*>(items), sizeof(T*));
        return next;
    }

    std::vector<std::unique_ptr<T[]>> m_blocks;
    std::vector<std::unique_ptr<T[]>> m_large;  // arrays longer than a block, one each
    std::size_t m_current = 0;
    std::size_t m_used = 0;
    std::array<T*, 33> m_free{};
};

}  // namespace fragtide::engine
