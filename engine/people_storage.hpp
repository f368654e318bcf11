#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/block_bump.hpp"

// The memory behind a people table's names and rival lists: a log of a million passing names
// holds a million names and two million short lists. Both take their bytes from blocks that never
// move (block_bump.hpp), so a view handed out stays valid until clear.
// Not thread-safe.
namespace fragtide::engine {

// Name bytes, one after the other; nothing is freed before clear.
class NameArena {
public:
    // A copy of `name` that stays where it is until clear.
    std::string_view keep(std::string_view name) {
        if (name.empty())
            return {};
        char* at = nullptr;
        if (name.size() > BlockBump::kBlockBytes / 4)  // a long name gets a block of its own
            at = m_large.emplace_back(std::make_unique_for_overwrite<char[]>(name.size())).get();
        else
            at = reinterpret_cast<char*>(m_blocks.take(name.size()));
        std::memcpy(at, name.data(), name.size());
        return {at, name.size()};
    }
    void clear(KeepMemory keep = KeepMemory::Some) {
        m_large.clear();
        m_blocks.clear(keep);
    }

private:
    BlockBump m_blocks{64};
    std::vector<std::unique_ptr<char[]>> m_large;
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
            m_blocks = std::move(other.m_blocks);
            m_large = std::exchange(other.m_large, {});
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
        const std::size_t bytes = std::size_t{capacity} * sizeof(T);
        if (bytes > BlockBump::kBlockBytes)
            return m_large.emplace_back(std::make_unique_for_overwrite<T[]>(capacity)).get();
        // Every run is a whole number of T: each array is aligned for T.
        return reinterpret_cast<T*>(m_blocks.take(bytes));
    }
    void release(T* items, std::uint32_t capacity) {
        const unsigned c = classOf(capacity);
        std::memcpy(static_cast<void*>(items), &m_free[c], sizeof(T*));
        m_free[c] = items;
    }
    // Everything free.
    void clear(KeepMemory keep = KeepMemory::Some) {
        m_free.fill(nullptr);
        m_large.clear();
        m_blocks.clear(keep);
    }

private:
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

    BlockBump m_blocks{64};
    std::vector<std::unique_ptr<T[]>> m_large;  // arrays longer than a block, one each
    std::array<T*, 33> m_free{};
};

}  // namespace fragtide::engine
