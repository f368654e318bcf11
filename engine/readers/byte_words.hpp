#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

// Eight bytes of a line at a time: the server-log readers test the bytes of names, stamps and
// words this way where a byte-by-byte loop was a large part of reading a line. Bytes are taken
// little-endian (byte i in bits 8i..8i+7), as every machine the program is built for stores them.
namespace fragtide::engine::bytewords {

inline constexpr std::uint64_t kOnes = 0x0101010101010101ull;
inline constexpr std::uint64_t kHighs = 0x8080808080808080ull;

inline std::uint64_t load8(const char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}

// The high bit of each byte of `w` that equals `c`, exactly (no false matches from borrows).
inline std::uint64_t bytesEqual(std::uint64_t w, char c) {
    const std::uint64_t x = w ^ (kOnes * static_cast<unsigned char>(c));
    return ~(((x & ~kHighs) + ~kHighs) | x) & kHighs;
}

// The index of the first (lowest) and last (highest) byte flagged in a nonzero mask.
inline std::size_t firstFlagged(std::uint64_t mask) { return static_cast<std::size_t>(std::countr_zero(mask)) / 8; }
inline std::size_t lastFlagged(std::uint64_t mask) { return static_cast<std::size_t>(63 - std::countl_zero(mask)) / 8; }

}  // namespace fragtide::engine::bytewords
