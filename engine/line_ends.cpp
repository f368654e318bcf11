#include "engine/line_ends.hpp"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace fragtide::engine {

std::size_t findLineEnd(std::string_view bytes, std::size_t from) {
    const char* const data = bytes.data();
    const std::size_t n = bytes.size();
    std::size_t p = from;
#if defined(__SSE2__)
    // Sixteen bytes at a time for CR or LF: lines are short, so a library call per line costs
    // more than the scan itself.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; p + 16 <= n; p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p));
        const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
        if (mask)
            return p + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
    }
#endif
    for (; p < n; ++p) {
        if (data[p] == '\r' || data[p] == '\n')
            return p;
    }
    return n;
}

std::uint64_t countLineEnds(std::string_view block, bool& previousWasCr) {
    // Every CR and every LF is an ending, except the LF of a CR LF pair.
    const char* const data = block.data();
    const std::size_t n = block.size();
    if (n == 0)
        return 0;
    std::uint64_t ends = 0;
    if (previousWasCr && data[0] == '\n')
        ends -= 1;  // wraps back once the LF itself is counted below
    std::size_t p = 0;
    bool crBefore = false;  // the byte before p is a CR (within this block)
#if defined(__SSE2__)
    // Per byte lane: +1 for a CR or LF, -1 for a CR whose next byte is LF. The lanes are summed
    // every 255 rounds, before a byte could overflow.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    while (p + 17 <= n) {
        __m128i lanes = zero;
        for (int round = 0; round < 255 && p + 17 <= n; ++round, p += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p));
            const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p + 1));
            const __m128i isCr = _mm_cmpeq_epi8(v, cr);
            const __m128i ending = _mm_or_si128(isCr, _mm_cmpeq_epi8(v, lf));
            const __m128i pair = _mm_and_si128(isCr, _mm_cmpeq_epi8(next, lf));
            lanes = _mm_add_epi8(_mm_sub_epi8(lanes, ending), pair);
        }
        const __m128i sums = _mm_sad_epu8(lanes, zero);
        ends += static_cast<std::uint64_t>(_mm_cvtsi128_si32(sums)) +
                static_cast<std::uint64_t>(_mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums)));
    }
    // A pair across the last round and the tail was already taken off: the tail counts its LF.
    crBefore = false;
#endif
    for (; p < n; ++p) {
        if (data[p] == '\r')
            ++ends;
        else if (data[p] == '\n' && !crBefore)
            ++ends;
        crBefore = data[p] == '\r';
    }
    previousWasCr = data[n - 1] == '\r';
    return ends;
}

std::size_t afterLineEnd(std::string_view bytes, std::size_t from) {
    const std::size_t end = findLineEnd(bytes, from);
    return end == bytes.size() ? std::string_view::npos : pastLineEnd(bytes, end);
}

}  // namespace fragtide::engine
