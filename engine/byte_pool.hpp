#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "engine/block_bump.hpp"

// Small byte arrays (8 to 512 bytes) in size classes about a quarter apart, carved from large
// blocks and reused through a free list per class: a million short rows pay neither a heap block
// each nor the slack of power-of-two sizes. An array never moves; it stays valid until released or
// until clear. Not thread-safe.
namespace fragtide::engine {

class BytePool {
public:
    static constexpr unsigned kClasses = 23;
    static constexpr std::size_t kMaxBytes = 512;

    // The smallest class that holds `bytes` (0..kMaxBytes).
    static unsigned classFor(std::size_t bytes) { return kClassOf[(bytes + 3) / 4]; }
    static std::size_t bytesOf(unsigned cls) { return kBytes[cls]; }

    BytePool() = default;
    BytePool(BytePool&& other) noexcept { *this = std::move(other); }
    // The other pool is left empty.
    BytePool& operator=(BytePool&& other) noexcept {
        if (this != &other) {
            m_blocks = std::move(other.m_blocks);
            m_free = std::exchange(other.m_free, {});
        }
        return *this;
    }

    unsigned char* allocate(unsigned cls) {
        if (unsigned char* const free = m_free[cls]) {
            std::memcpy(&m_free[cls], free, sizeof(unsigned char*));
            return free;
        }
        return m_blocks.take(kBytes[cls]);  // every class a multiple of 4 bytes: so is every offset
    }
    // A freed array holds the next free one of its class in its first bytes.
    void release(unsigned char* bytes, unsigned cls) {
        std::memcpy(bytes, &m_free[cls], sizeof(unsigned char*));
        m_free[cls] = bytes;
    }
    // Everything free; a few blocks stay for the next fill.
    void clear() {
        m_free.fill(nullptr);
        m_blocks.clear();
    }

private:
    static constexpr std::array<std::uint16_t, kClasses> kBytes = {
        8, 12, 16, 20, 24, 28, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 448, 512};
    static constexpr std::array<std::uint8_t, kMaxBytes / 4 + 1> kClassOf = [] {
        std::array<std::uint8_t, kMaxBytes / 4 + 1> of{};
        unsigned cls = 0;
        for (std::size_t quads = 0; quads < of.size(); ++quads) {
            while (kBytes[cls] < quads * 4)
                ++cls;
            of[quads] = static_cast<std::uint8_t>(cls);
        }
        return of;
    }();

    BlockBump m_blocks{32};
    std::array<unsigned char*, kClasses> m_free{};
};

}  // namespace fragtide::engine
