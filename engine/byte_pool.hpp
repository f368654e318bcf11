#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

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
            m_blocks = std::exchange(other.m_blocks, {});
            m_current = std::exchange(other.m_current, 0);
            m_used = std::exchange(other.m_used, 0);
            m_free = std::exchange(other.m_free, {});
        }
        return *this;
    }

    unsigned char* allocate(unsigned cls) {
        if (unsigned char* const free = m_free[cls]) {
            std::memcpy(&m_free[cls], free, sizeof(unsigned char*));
            return free;
        }
        const std::size_t bytes = kBytes[cls];
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
    // A freed array holds the next free one of its class in its first bytes.
    void release(unsigned char* bytes, unsigned cls) {
        std::memcpy(bytes, &m_free[cls], sizeof(unsigned char*));
        m_free[cls] = bytes;
    }
    // Everything free; the first few blocks stay for the next fill.
    void clear() {
        m_free.fill(nullptr);
        if (m_blocks.size() > kKeptBlocks)
            m_blocks.resize(kKeptBlocks);
        m_current = 0;
        m_used = 0;
    }

private:
    static constexpr std::size_t kBlockBytes = std::size_t{1} << 16;
    static constexpr std::size_t kKeptBlocks = 32;
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

    std::vector<std::unique_ptr<unsigned char[]>> m_blocks;
    std::size_t m_current = 0;  // the block being filled, an index into m_blocks (or its size)
    std::size_t m_used = 0;     // its bytes used
    std::array<unsigned char*, kClasses> m_free{};
};

}  // namespace fragtide::engine
