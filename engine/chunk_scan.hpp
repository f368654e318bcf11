#pragma once

// The byte-level pieces of LineAnalyzer's scan: unaligned loads, short compares, the pair bit set,
// the 64-byte chunk masks (SSE2, and AVX2 where the processor has it) and the middle texts found
// on a line. Internal to the analyzer's two source files; everything is inline so the scan loops
// keep it in registers.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine/line_analyzer.hpp"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
// The AVX2 scan is compiled for any x86-64 build and taken only where the processor has it. Not on
// Windows: GCC there cannot align the stack for a spilled 32-byte register.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(_WIN32)
#define FRAGTIDE_SCAN_AVX2 1
#include <immintrin.h>
#else
#define FRAGTIDE_SCAN_AVX2 0
#endif

namespace fragtide::engine::chunk_scan {

inline std::uint32_t load32(const char* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

inline std::uint64_t load64(const char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

// Bytes [8, size) of two texts of at least `size` >= 8 bytes, a word at a time; the last word
// may overlap the one before it.
inline bool sameAfter8(const char* a, const char* b, std::size_t size) {
    for (std::size_t i = 8; i + 8 < size; i += 8)
        if (load64(a + i) != load64(b + i))
            return false;
    return load64(a + size - 8) == load64(b + size - 8);
}

// Bytes [4, size) of two texts of 4 to 8 bytes.
inline bool sameAfter4(const char* a, const char* b, std::size_t size) { return load32(a + size - 4) == load32(b + size - 4); }

// Any two byte ranges of `size` bytes; short ones, so no library call.
inline bool sameBytes(const char* a, const char* b, std::size_t size) {
    if (size >= 8)
        return load64(a) == load64(b) && sameAfter8(a, b, size);
    if (size >= 4)
        return load32(a) == load32(b) && sameAfter4(a, b, size);
    for (std::size_t i = 0; i < size; ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

inline std::size_t pairIndex(unsigned char a, unsigned char b) { return a | static_cast<std::size_t>(b) << 8; }
inline bool hasPair(const std::array<std::uint64_t, 1024>& bits, std::size_t i) { return (bits[i >> 6] >> (i & 63)) & 1; }
inline void setPair(std::array<std::uint64_t, 1024>& bits, std::size_t i) { bits[i >> 6] |= std::uint64_t{1} << (i & 63); }

// Where lines end and middle texts may begin in 64 bytes: bit i of `cr` and `lf` for a CR or LF
// at i, of `starts` for a start byte at i followed by a byte in the second bytes' range.
struct ChunkMasks {
    std::uint64_t cr = 0, lf = 0, starts = 0;
};

// Reads at[0] to at[64]. `splats`: sixteen copies each of the two start bytes, lo and span.
#if defined(__SSE2__)
inline ChunkMasks chunkMasksSse2(const char* at, const unsigned char (*splats)[16]) {
    const auto splat = [&](int k) { return _mm_load_si128(reinterpret_cast<const __m128i*>(splats[k])); };
    const __m128i a = splat(0), b = splat(1), lo2 = splat(2), span2 = splat(3);
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    ChunkMasks m;
    for (int q = 0; q < 4; ++q) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 16 * q));
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 16 * q + 1));  // the bytes after
        const __m128i starting = _mm_or_si128(_mm_cmpeq_epi8(v, a), _mm_cmpeq_epi8(v, b));
        const __m128i d2 = _mm_sub_epi8(w, lo2);  // in range: d2 <= span, unsigned
        const __m128i in2 = _mm_cmpeq_epi8(_mm_min_epu8(d2, span2), d2);
        const int shift = 16 * q;
        m.cr |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, cr)))} << shift;
        m.lf |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf)))} << shift;
        m.starts |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_and_si128(starting, in2)))} << shift;
    }
    return m;
}
#endif

#if FRAGTIDE_SCAN_AVX2
// The same, 32 bytes at a time, with a finer test of the two bytes after a start byte than the
// range: splats[4] to [7] are tables by the low and high half of the second byte and of the third,
// each entry a set of buckets of the middle texts' (second, third) byte pairs; a place passes
// when the four sets share a bucket (Teddy's fingerprint). Written without lambdas: they would
// not take this function's target.
__attribute__((target("avx2"))) inline ChunkMasks chunkMasksAvx2(const char* at, const unsigned char (*splats)[16]) {
    const __m256i a = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(splats[0])));
    const __m256i b = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(splats[1])));
    const __m256i secondLow = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(splats[4])));
    const __m256i secondHigh = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(splats[5])));
    const __m256i thirdLow = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(splats[6])));
    const __m256i thirdHigh = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(splats[7])));
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    const __m256i cr = _mm256_set1_epi8('\r'), lf = _mm256_set1_epi8('\n');
    ChunkMasks m;
    for (int h = 0; h < 2; ++h) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 32 * h));
        const __m256i w = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 32 * h + 1));
        const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 32 * h + 2));
        const __m256i starting = _mm256_or_si256(_mm256_cmpeq_epi8(v, a), _mm256_cmpeq_epi8(v, b));
        __m256i buckets = _mm256_and_si256(
            _mm256_shuffle_epi8(secondLow, _mm256_and_si256(w, nibble)),
            _mm256_shuffle_epi8(secondHigh, _mm256_and_si256(_mm256_srli_epi16(w, 4), nibble)));
        buckets = _mm256_and_si256(buckets, _mm256_shuffle_epi8(thirdLow, _mm256_and_si256(x, nibble)));
        buckets = _mm256_and_si256(
            buckets, _mm256_shuffle_epi8(thirdHigh, _mm256_and_si256(_mm256_srli_epi16(x, 4), nibble)));
        const __m256i none = _mm256_cmpeq_epi8(buckets, _mm256_setzero_si256());
        const int shift = 32 * h;
        m.cr |= std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, cr)))} << shift;
        m.lf |= std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, lf)))} << shift;
        m.starts |= std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_andnot_si256(none, starting)))}
                    << shift;
    }
    return m;
}
#endif

// The bits of a chunk at `chunk` from position `from` on.
inline std::uint64_t bitsFrom(std::size_t from, std::size_t chunk) {
    const std::size_t d = from > chunk ? from - chunk : 0;
    return d >= 64 ? 0 : ~std::uint64_t{0} << d;
}

}  // namespace fragtide::engine::chunk_scan

namespace fragtide::engine {

// A game with more distinct middle texts than the cap takes the plain path instead, so nothing
// is ever dropped here.
struct LineAnalyzer::Found {
    static constexpr int kCap = 64;
    std::uint16_t middle[kCap];
    std::uint32_t pos[kCap];
    int count = 0;

    void record(std::uint16_t id, std::uint32_t p) {
        for (int i = 0; i < count; ++i) {
            if (middle[i] == id) {
                pos[i] = p;  // positions arrive left to right: the last one is the rightmost
                return;
            }
        }
        if (count < kCap) {
            middle[count] = id;
            pos[count] = p;
            ++count;
        }
    }
};

}  // namespace fragtide::engine
