#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "engine/block_bump.hpp"

// Finds the number of a name among names numbered 0, 1, 2... in the order they were added.
//
// Crediting a kill looks up two names, millions of times a log, so this is an open-addressing
// table of (hash, number) pairs, at most half full, with a word-at-a-time hash; a lookup is one
// hash and usually one probe and one comparison. The names themselves stay with the owner, who
// hands a `nameOf(number)` to every lookup; the index holds no bytes and no pointers into them.
// Memory grows with the number of names and nothing else. Not thread-safe.
namespace fragtide::engine {

class NameIndex {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    // The hash lookups and insertions take: of the bytes and the length, nothing else.
    static std::uint32_t hashOf(std::string_view name);
    // Whether the n bytes at `a` and at `b` are equal (memcmp without the call, for short names).
    static bool sameBytes(const char* a, const char* b, std::size_t n);

    // The number whose name (nameOf(number), a string_view) equals `name` byte for byte, or kNone.
    // `hash` is hashOf(name).
    template <typename NameOf>
    std::uint32_t find(std::string_view name, std::uint32_t hash, const NameOf& nameOf) const {
        if (m_slots.empty())
            return kNone;
        for (std::size_t i = hash & m_mask;; i = (i + 1) & m_mask) {
            const Slot s = m_slots[i];
            if (s.number == kNone)
                return kNone;
            if (s.hash == hash) {
                const std::string_view have = nameOf(s.number);
                if (have.size() == name.size() && sameBytes(have.data(), name.data(), name.size()))
                    return s.number;
            }
        }
    }

    // Asks the processor to fetch the slot a lookup of `hash` starts at: for a caller with many
    // names to look up in a table far larger than the caches, a few names ahead.
    void prefetch(std::uint32_t hash) const {
        if (!m_slots.empty())
            __builtin_prefetch(&m_slots[hash & m_mask]);
    }

    // Records that the name hashed to `hash` has `number`; the caller has checked that it is
    // not there yet.
    void insert(std::uint32_t hash, std::uint32_t number);

    // Forgets every name. With KeepMemory::Some a table grown large is given back, so a long-lived
    // index that is cleared often does not keep paying for its largest past.
    void clear(KeepMemory keep = KeepMemory::Some);

    bool empty() const { return m_count == 0; }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t number = kNone;
    };
    void grow();

    std::vector<Slot> m_slots;  // empty, or a power of two in size
    std::size_t m_mask = 0;
    std::size_t m_count = 0;
};

inline std::uint64_t loadWord(const char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}

inline std::uint32_t loadHalf(const char* p) {
    std::uint32_t w;
    std::memcpy(&w, p, 4);
    return w;
}

inline bool NameIndex::sameBytes(const char* a, const char* b, std::size_t n) {
    // Words, the last one overlapping the one before: no byte loop and no read past either end.
    if (n >= 8) {
        std::size_t i = 0;
        for (; i + 8 < n; i += 8)
            if (loadWord(a + i) != loadWord(b + i))
                return false;
        return loadWord(a + n - 8) == loadWord(b + n - 8);
    }
    if (n >= 4)
        return loadHalf(a) == loadHalf(b) && loadHalf(a + n - 4) == loadHalf(b + n - 4);
    for (std::size_t i = 0; i < n; ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

inline std::uint32_t NameIndex::hashOf(std::string_view name) {
    constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
    const char* p = name.data();
    const std::size_t n = name.size();
    std::uint64_t h = (n + 1) * kMul;
    // A folded 64x64->128 multiply: every input bit reaches the low bits the table masks. (A plain
    // multiply leaves "Player12" and "Player34", which differ in their high bytes, in one cluster.)
    const auto mix = [&](std::uint64_t w) {
#if defined(__SIZEOF_INT128__)
        __extension__ using Wide = unsigned __int128;
        const Wide m = static_cast<Wide>(h ^ w) * kMul;
        h = static_cast<std::uint64_t>(m) ^ static_cast<std::uint64_t>(m >> 64);
#else
        h = (h ^ w) * kMul;
        h ^= h >> 32;
        h *= kMul;
        h ^= h >> 29;
#endif
    };
    if (n >= 8) {
        std::size_t i = 0;
        for (; i + 8 < n; i += 8)
            mix(loadWord(p + i));
        mix(loadWord(p + n - 8));  // overlaps the last word read: the length is mixed in already
    } else if (n >= 4) {
        mix(std::uint64_t{loadHalf(p)} << 32 | loadHalf(p + n - 4));
    } else if (n > 0) {
        mix(std::uint64_t{static_cast<unsigned char>(p[0])} << 16 |
            std::uint64_t{static_cast<unsigned char>(p[n / 2])} << 8 | static_cast<unsigned char>(p[n - 1]));
    }
    return static_cast<std::uint32_t>(h ^ (h >> 32));
}

}  // namespace fragtide::engine
