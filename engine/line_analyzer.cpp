#include "engine/line_analyzer.hpp"

#include <algorithm>
#include <cstring>
#include <map>

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

#include "engine/game_catalogue.hpp"
#include "engine/kill_recorder.hpp"
#include "engine/line_ends.hpp"
#include "engine/rule_sets.hpp"
#include "engine/stats_store.hpp"

namespace fragtide::engine {
namespace {

std::uint32_t load32(const char* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

std::uint64_t load64(const char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

// Bytes [8, size) of two texts of at least `size` >= 8 bytes, a word at a time; the last word
// may overlap the one before it.
bool sameAfter8(const char* a, const char* b, std::size_t size) {
    for (std::size_t i = 8; i + 8 < size; i += 8)
        if (load64(a + i) != load64(b + i))
            return false;
    return load64(a + size - 8) == load64(b + size - 8);
}

// Bytes [4, size) of two texts of 4 to 8 bytes.
bool sameAfter4(const char* a, const char* b, std::size_t size) { return load32(a + size - 4) == load32(b + size - 4); }

// Any two byte ranges of `size` bytes; short ones, so no library call.
bool sameBytes(const char* a, const char* b, std::size_t size) {
    if (size >= 8)
        return load64(a) == load64(b) && sameAfter8(a, b, size);
    if (size >= 4)
        return load32(a) == load32(b) && sameAfter4(a, b, size);
    for (std::size_t i = 0; i < size; ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

std::size_t pairIndex(unsigned char a, unsigned char b) { return a | static_cast<std::size_t>(b) << 8; }
bool hasPair(const std::array<std::uint64_t, 1024>& bits, std::size_t i) { return (bits[i >> 6] >> (i & 63)) & 1; }
void setPair(std::array<std::uint64_t, 1024>& bits, std::size_t i) { bits[i >> 6] |= std::uint64_t{1} << (i & 63); }

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

// The first offset k > 0 at which some text of `others` could begin inside `text` found at p,
// as far as text's own bytes tell; text.size() when none can.
std::uint16_t roomInside(std::string_view text, const std::vector<std::string_view>& others) {
    for (std::size_t k = 1; k < text.size(); ++k) {
        const std::string_view rest = text.substr(k);
        for (const std::string_view other : others) {
            const std::size_t n = std::min(rest.size(), other.size());
            if (rest.substr(0, n) == other.substr(0, n))
                return static_cast<std::uint16_t>(k);
        }
    }
    return static_cast<std::uint16_t>(text.size());
}

}  // namespace

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

LineAnalyzer::LineAnalyzer(const rules::RuleSet* rules, const rules::OneNameTable* oneName, ScanPath scan) {
    if (oneName && (!oneName->suicides.empty() || !oneName->teamKills.empty()))
        m_oneName.emplace(*oneName);
    if (!rules)
        return;
    m_rules = rules;
    m_killerFirst = rules->killerFirst;
    std::map<std::string_view, std::uint16_t> ids;
    std::vector<std::vector<RuleRef>> shortRefs, longRefs;
    // Built-in games stop at 25 slots; a game file may use all 50.
    const int slots = std::min(static_cast<int>(rules->slots.size()), kMaxSlot);
    for (int slot = 1; slot <= slots; ++slot) {
        const auto& list = rules->slots[slot - 1].rules;
        for (std::size_t order = 0; order < list.size(); ++order) {
            const auto& rule = list[order];
            // Never matches: lines hold no CR or LF. The chunk scan relies on the others' having none.
            if (rule.middle.empty() || rule.middle.find_first_of("\r\n") != std::string_view::npos)
                continue;
            auto [it, added] = ids.try_emplace(rule.middle, static_cast<std::uint16_t>(m_middles.size()));
            if (added) {
                m_middles.push_back({rule.middle});
                shortRefs.emplace_back();
                longRefs.emplace_back();
            }
            // The last up-to-four bytes of the trailing text, placed as they sit at a line's end.
            const std::size_t t = rule.trailing.size();
            const std::size_t k = std::min<std::size_t>(t, 4);
            char tail[4] = {0, 0, 0, 0};
            char mask[4] = {0, 0, 0, 0};
            std::memcpy(tail + 4 - k, rule.trailing.data() + t - k, k);
            std::memset(mask + 4 - k, 0xFF, k);
            const RuleRef ref{static_cast<std::uint16_t>(slot), static_cast<std::uint16_t>(order),
                              rule.trailing, load32(tail), load32(mask)};
            (t >= 4 ? longRefs : shortRefs)[it->second].push_back(ref);
        }
    }
    // Which line endings a kill can have, when every rule asks for one.
    m_everyRuleTrails = !m_middles.empty();
    for (int slot = 1; slot <= slots; ++slot) {
        for (const auto& rule : rules->slots[slot - 1].rules) {
            const std::string_view t = rule.trailing;
            if (rule.middle.empty())
                continue;
            if (t.empty()) {
                m_everyRuleTrails = false;
            } else if (t.size() == 1) {
                for (int before = 0; before < 256; ++before)
                    setPair(m_lastPairs, pairIndex(static_cast<unsigned char>(before), static_cast<unsigned char>(t[0])));
            } else {
                setPair(m_lastPairs, pairIndex(static_cast<unsigned char>(t[t.size() - 2]),
                                               static_cast<unsigned char>(t[t.size() - 1])));
            }
        }
    }
    m_plain = m_middles.size() > Found::kCap;
    if (m_plain)
        return;
    for (std::uint16_t id = 0; id < m_middles.size(); ++id) {
        std::sort(longRefs[id].begin(), longRefs[id].end(),
                  [](const RuleRef& a, const RuleRef& b) { return a.tail4 < b.tail4; });
        Middle& middle = m_middles[id];
        middle.shortBegin = static_cast<std::uint16_t>(m_refs.size());
        m_refs.insert(m_refs.end(), shortRefs[id].begin(), shortRefs[id].end());
        middle.longBegin = static_cast<std::uint16_t>(m_refs.size());
        m_refs.insert(m_refs.end(), longRefs[id].begin(), longRefs[id].end());
        middle.longEnd = static_cast<std::uint16_t>(m_refs.size());
    }
    // Group the middles by their first eight bytes (eight or more) and their first four (all of
    // four or more): one group per prefix.
    std::map<std::uint64_t, std::vector<std::uint16_t>> by8;
    std::map<std::uint32_t, std::pair<std::vector<std::uint16_t>, bool>> by4;  // under eight; any longer
    unsigned char lo2 = 255, hi2 = 0;
    for (std::uint16_t id = 0; id < m_middles.size(); ++id) {
        const std::string_view text = m_middles[id].text;
        if (text.size() < 4) {
            m_shortMiddles.push_back(id);
            continue;
        }
        auto& prefix = by4[load32(text.data())];
        if (text.size() >= 8) {
            by8[load64(text.data())].push_back(id);
            prefix.second = true;
        } else {
            prefix.first.push_back(id);
        }
        const auto second = static_cast<unsigned char>(text[1]);
        lo2 = std::min(lo2, second), hi2 = std::max(hi2, second);
        const auto first = static_cast<unsigned char>(text[0]);
        if (!m_canStart[first]) {
            m_canStart[first] = true;
            m_startBytes.push_back(first);
        }
    }
    if (lo2 <= hi2)
        m_secondLo = lo2, m_secondSpan = static_cast<unsigned char>(hi2 - lo2);
    m_vectorScan = !m_startBytes.empty() && m_startBytes.size() <= 2 && scan != ScanPath::Portable;
    if (m_vectorScan) {
        std::memset(m_splats.bytes[0], m_startBytes.front(), 16);
        std::memset(m_splats.bytes[1], m_startBytes.back(), 16);
        std::memset(m_splats.bytes[2], m_secondLo, 16);
        std::memset(m_splats.bytes[3], m_secondSpan, 16);
        // The fingerprint's tables: the distinct (second, third) byte pairs of the middle texts
        // the tables hold, dealt out over eight buckets.
        std::vector<std::pair<unsigned char, unsigned char>> pairs;
        for (const Middle& middle : m_middles)
            if (middle.text.size() >= 4)
                pairs.emplace_back(static_cast<unsigned char>(middle.text[1]), static_cast<unsigned char>(middle.text[2]));
        std::sort(pairs.begin(), pairs.end());
        pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            const auto bucket = static_cast<unsigned char>(1u << (i % 8));
            const auto [second, third] = pairs[i];
            m_splats.bytes[4][second & 15] |= bucket;
            m_splats.bytes[5][second >> 4] |= bucket;
            m_splats.bytes[6][third & 15] |= bucket;
            m_splats.bytes[7][third >> 4] |= bucket;
        }
    }
    std::vector<std::string_view> scanned;  // the middle texts the tables hold: four bytes or more
    for (const Middle& middle : m_middles)
        if (middle.text.size() >= 4)
            scanned.push_back(middle.text);
    const auto addCandidates = [&](const std::vector<std::uint16_t>& list) {
        for (const std::uint16_t id : list) {
            const std::string_view text = m_middles[id].text;
            m_candidates.push_back(
                {text.data(), static_cast<std::uint16_t>(text.size()), id, roomInside(text, scanned)});
        }
    };
    std::vector<std::uint64_t> keys8;
    for (const auto& [key, list] : by8) {
        keys8.push_back(key);
        m_longGroups.emplace_back(static_cast<std::uint16_t>(m_candidates.size()), static_cast<std::uint16_t>(list.size()));
        addCandidates(list);
    }
    std::vector<std::uint32_t> keys4;
    for (const auto& [key, entry] : by4) {
        const auto& [list, hasLong] = entry;
        keys4.push_back(key);
        m_prefixes.push_back({static_cast<std::uint16_t>(m_candidates.size()), static_cast<std::uint16_t>(list.size()),
                              hasLong});
        addCandidates(list);
    }
    // The empty key begins with a byte no middle text begins with: no probed position has it.
    int free = 0;
    while (free < 255 && m_canStart[static_cast<std::size_t>(free)])
        ++free;
    const char emptyBytes[8] = {static_cast<char>(free), 0, 0, 0, 0, 0, 0, 0};
    // Should no table fit, the plain path credits the lines instead: slower, never different.
    if (!m_prefixTable.build(keys4, load32(emptyBytes)) || !m_longTable.build(keys8, load64(emptyBytes)))
        m_plain = true;
#if defined(__SSE2__)
    if (m_vectorScan && !m_plain)
        m_path = ScanPath::Sse2;
#endif
#if FRAGTIDE_SCAN_AVX2
    if (m_path == ScanPath::Sse2 && scan != ScanPath::Sse2 && __builtin_cpu_supports("avx2"))
        m_path = ScanPath::Avx2;
#endif
}

// A multiplier and table size under which no two keys share an entry, tried in turn from a table
// of twice the keys' number up; fewer than 64 keys fit at once or after a few tries.
template <typename Key>
bool LineAnalyzer::PerfectTable<Key>::build(const std::vector<Key>& all, Key empty) {
    constexpr int kKeyBits = static_cast<int>(sizeof(Key) * 8);
    for (int bits = 1; bits <= 16; ++bits) {
        if ((std::size_t{1} << bits) < 2 * all.size())
            continue;
        std::uint64_t m = 0x9E3779B97F4A7C15ull;
        for (int attempt = 0; attempt < 32; ++attempt, m = m * 0x5851F42D4C957F2Dull + 0x14057B7EF767814Full) {
            mul = static_cast<Key>(m | 1u);
            shift = kKeyBits - bits;
            keys.assign(std::size_t{1} << bits, empty);
            group.assign(std::size_t{1} << bits, 0);
            bool clash = false;
            for (std::size_t i = 0; i < all.size() && !clash; ++i) {
                const std::size_t h = slot(all[i]);
                clash = keys[h] != empty;
                keys[h] = all[i];
                group[h] = static_cast<std::uint8_t>(i);
            }
            if (!clash)
                return true;
        }
    }
    return false;
}

LineAnalyzer::Probe LineAnalyzer::probe() const {
    return {m_prefixTable.keys.data(), m_prefixTable.group.data(), m_prefixTable.mul,    m_prefixTable.shift,
            m_prefixes.data(),         m_longTable.keys.data(),    m_longTable.group.data(), m_longTable.mul,
            m_longTable.shift,         m_longGroups.data(),        m_candidates.data()};
}

// Inlined into the loops over the lines: no call and no spills per position.
__attribute__((always_inline)) inline std::size_t LineAnalyzer::Probe::at(Found& found, const char* base,
                                                                          std::size_t p, std::size_t limit,
                                                                          std::size_t lineOffset) const {
    const std::uint32_t key = load32(base + p);
    const std::size_t h = static_cast<std::uint32_t>(key * mul4) >> shift4;
    if (keys4[h] != key)
        return 1;
    std::size_t skip = ~std::size_t{0};
    const Prefix& prefix = prefixes[group4[h]];
    for (std::uint16_t k = 0; k < prefix.count; ++k) {
        const Candidate& c = candidates[prefix.first + k];
        if (p + c.size <= limit && sameAfter4(base + p, c.text, c.size)) {
            found.record(c.middle, static_cast<std::uint32_t>(lineOffset));
            skip = std::min<std::size_t>(skip, c.skip);
        }
    }
    if (prefix.hasLong && p + 8 <= limit) {
        const std::uint64_t key8 = load64(base + p);
        const std::size_t h8 = static_cast<std::uint64_t>(key8 * mul8) >> shift8;
        if (keys8[h8] == key8) {
            const auto [first, count] = groups8[group8[h8]];
            for (std::uint16_t k = 0; k < count; ++k) {
                const Candidate& c = candidates[first + k];
                if (p + c.size <= limit && sameAfter8(base + p, c.text, c.size)) {
                    found.record(c.middle, static_cast<std::uint32_t>(lineOffset));
                    skip = std::min<std::size_t>(skip, c.skip);
                }
            }
        }
    }
    return skip == ~std::size_t{0} ? 1 : skip;
}

__attribute__((always_inline)) inline bool LineAnalyzer::creditLine(StatsStore& store, std::string_view bytes,
                                                                    std::size_t pos, std::size_t& end,
                                                                    LastKill& last) const {
    end = findLineEnd(bytes, pos);
    const std::string_view line = bytes.substr(pos, end - pos);
    const char* const data = line.data();
    const std::size_t n = line.size();
    if (m_middles.empty())
        return false;
    if (m_plain) {
        if (last.any) {  // the plain path reads and writes the store's names
            store.KillerName.assign(normalizeName(last.killer));
            store.VictimName.assign(normalizeName(last.victim));
            last.any = false;
        }
        bool credited = false;
        const int slots = std::max(kSlotsPerLine, static_cast<int>(m_rules->slots.size()));
        for (int slot = 1; slot <= slots; ++slot)
            credited = checkRuleSet(store, *m_rules, slot, line) || credited;
        return credited;
    }
    // A kill line ends with a trailing text; when every rule has one, other lines stop here.
    if (m_everyRuleTrails &&
        (n < 2 || !hasPair(m_lastPairs, pairIndex(static_cast<unsigned char>(data[n - 2]),
                                                  static_cast<unsigned char>(data[n - 1])))))
        return false;
    Found found;
    scanBytes(found, line, 0);
    return creditFound(found, line, last);
}

__attribute__((always_inline)) inline void LineAnalyzer::scanBytes(Found& found, std::string_view line,
                                                                   std::size_t from) const {
    const char* const data = line.data();
    const std::size_t n = line.size();
    const Probe tables = probe();
    for (std::size_t p = from; p + 4 <= n;) {  // a probe reads four bytes
        if (m_canStart[static_cast<unsigned char>(data[p])] &&
            static_cast<unsigned char>(data[p + 1] - m_secondLo) <= m_secondSpan)
            p += tables.at(found, data, p, n, p);
        else
            ++p;
    }
}

__attribute__((always_inline)) inline bool LineAnalyzer::creditFound(const Found& lineFound, std::string_view line,
                                                                     LastKill& last) const {
    const Found* found = &lineFound;
    Found withShort;  // only for middle texts under four bytes, which the scan does not look for
    if (!m_shortMiddles.empty()) {
        withShort = lineFound;
        for (const std::uint16_t id : m_shortMiddles) {
            const std::size_t p = line.rfind(m_middles[id].text);
            if (p != std::string_view::npos)
                withShort.record(id, static_cast<std::uint32_t>(p));
        }
        found = &withShort;
    }
    if (found->count == 0)
        return false;
    const char* const data = line.data();
    const std::size_t n = line.size();
    const std::uint32_t lineTail = n >= 4 ? load32(data + n - 4) : 0;
    // The head keeps the first byte of the middle text, as stored names always have. Both within
    // the line: the middle text and the trailing text do not overlap (checked before).
    const auto credit = [&](int slot, std::size_t p, std::size_t middleLen, std::size_t trailingLen) {
        const std::string_view head(data, p + 1);
        const std::string_view farName(data + p + middleLen, n - trailingLen - (p + middleLen));
        last.killer = m_killerFirst ? head : farName;
        last.victim = m_killerFirst ? farName : head;
        last.any = true;
        last.crediter.credit(slot, last.killer, last.victim);
    };
    // Most kill lines: one middle text, which one rule alone has.
    if (found->count == 1 && m_middles[found->middle[0]].longEnd - m_middles[found->middle[0]].shortBegin == 1) {
        const Middle& middle = m_middles[found->middle[0]];
        const RuleRef& rule = m_refs[middle.shortBegin];
        const std::size_t t = rule.trailing.size();
        const std::size_t p = found->pos[0];
        const std::size_t middleLen = middle.text.size();
        if (t > n || p + middleLen > n - t)
            return false;
        if (n >= 4 ? (lineTail & rule.tailMask) != rule.tail4 : !line.ends_with(rule.trailing))
            return false;
        if (t > 4 && !sameBytes(data + n - t, rule.trailing.data(), t - 4))
            return false;
        credit(rule.slot, p, middleLen, t);
        return true;
    }

    // For each slot, the last rule of its list that matches; at most one kill per slot.
    struct Hit {
        std::uint16_t slot, order;
        std::uint32_t pos, middleLen;
        std::uint32_t trailingLen;
    };
    Hit hits[kMaxSlot + 1];
    std::uint64_t hitSlots = 0;  // bit s: slot s has a matching rule
    const auto consider = [&](const RuleRef& rule, std::size_t p, std::size_t middleLen) {
        const std::size_t t = rule.trailing.size();
        if (t > 4 && !sameBytes(data + n - t, rule.trailing.data(), t - 4))
            return;
        // The rightmost occurrence decides; one that runs into the trailing text is no match.
        if (p + middleLen > n - t)
            return;
        const std::uint64_t bit = std::uint64_t{1} << rule.slot;
        if (!(hitSlots & bit) || hits[rule.slot].order < rule.order) {
            hitSlots |= bit;
            hits[rule.slot] = {rule.slot, rule.order, static_cast<std::uint32_t>(p),
                               static_cast<std::uint32_t>(middleLen), static_cast<std::uint32_t>(t)};
        }
    };
    const RuleRef* const refs = m_refs.data();
    for (int f = 0; f < found->count; ++f) {
        const Middle& middle = m_middles[found->middle[f]];
        const std::size_t p = found->pos[f];
        const std::size_t middleLen = middle.text.size();
        for (const RuleRef* rule = refs + middle.shortBegin; rule != refs + middle.longBegin; ++rule) {
            const bool ends = n >= 4 ? (lineTail & rule->tailMask) == rule->tail4 : line.ends_with(rule->trailing);
            if (ends && rule->trailing.size() <= n)
                consider(*rule, p, middleLen);
        }
        if (n >= 4 && middle.longBegin != middle.longEnd) {
            const RuleRef* it = refs + middle.longBegin;
            const RuleRef* const stop = refs + middle.longEnd;
            const auto below = [](const RuleRef& r, std::uint32_t v) { return r.tail4 < v; };
            if (stop - it > 4)
                it = std::lower_bound(it, stop, lineTail, below);
            else
                while (it != stop && it->tail4 < lineTail)
                    ++it;
            for (; it != stop && it->tail4 == lineTail; ++it) {
                if (it->trailing.size() <= n)
                    consider(*it, p, middleLen);
            }
        }
    }
    const bool credited = hitSlots != 0;
    while (hitSlots) {  // in slot order, as the players' first kills must be
        const int slot = __builtin_ctzll(hitSlots);
        hitSlots &= hitSlots - 1;
        const Hit& h = hits[slot];
        credit(slot, h.pos, h.middleLen, h.trailingLen);
    }
    return credited;
}

inline void LineAnalyzer::creditOneName(StatsStore& store, std::string_view line) const {
    if (const auto event = m_oneName->match(line, KillVerdict::NotAKill)) {
        if (event->kind == OneNameKind::Suicide)
            store.People.recordSuicide(event->name);
        else
            store.People.recordTeamKill(event->name, {});
    }
}

template <LineAnalyzer::ScanPath Path>
__attribute__((always_inline)) inline std::size_t LineAnalyzer::analyzeChunks(StatsStore& store,
                                                                             std::string_view bytes, LastKill& last,
                                                                             std::uint64_t& lines, Found& found,
                                                                             std::size_t& scanned) const {
    // A chunk is read up to its 65th byte (the byte after each position) and a key of four
    // bytes from each of its positions: 67 bytes must be there.
    constexpr std::size_t kReach = 67;
    const char* const all = bytes.data();
    const std::size_t size = bytes.size();
    std::size_t lineStart = 0;
    std::size_t resume = 0;    // positions before it lie inside a middle text found: none begins there
    std::uint64_t crEnd = 0;   // 1: the chunk before ended with CR, so an LF first ends nothing
    const Probe tables = probe();
    std::size_t chunk = 0;
    for (; chunk + kReach <= size; chunk += 64) {
        ChunkMasks m;
#if FRAGTIDE_SCAN_AVX2
        if constexpr (Path == ScanPath::Avx2)
            m = chunkMasksAvx2(all + chunk, m_splats.bytes);
#endif
#if defined(__SSE2__)
        if constexpr (Path == ScanPath::Sse2)
            m = chunkMasksSse2(all + chunk, m_splats.bytes);
#endif
        // CR, LF and CR LF each end one line: an LF right after a CR ends nothing more.
        std::uint64_t ends = m.cr | (m.lf & ~(m.cr << 1 | crEnd));
        const std::uint64_t crLf = m.cr & (m.lf >> 1 | std::uint64_t{all[chunk + 64] == '\n'} << 63);
        crEnd = m.cr >> 63;
        // Keys and texts may be read past a line's end: they then hold its CR or LF, which no
        // middle text has, so they match nothing.
        std::uint64_t starts = m.starts & bitsFrom(resume, chunk);
        for (;;) {
            // The places on the line that ends next (or goes on past the chunk), left to right.
            const std::uint64_t before = (ends & (0 - ends)) - 1;  // all bits when no line ends here
            std::uint64_t mine = starts & before;
            starts &= ~before;
            while (mine) {
                const auto i = static_cast<std::size_t>(__builtin_ctzll(mine));
                const std::size_t next = i + tables.at(found, all, chunk + i, size, chunk + i - lineStart);
                mine = next < 64 ? mine & ~std::uint64_t{0} << next : 0;
                resume = chunk + next;
            }
            if (!ends)
                break;
            const int i = __builtin_ctzll(ends);
            const std::size_t end = chunk + static_cast<std::size_t>(i);
            const std::string_view line(all + lineStart, end - lineStart);
            if (!creditFound(found, line, last) && m_oneName)
                creditOneName(store, line);
            found.count = 0;
            ++lines;
            lineStart = end + 1 + ((crLf >> i) & 1);
            ends &= ends - 1;
        }
    }
    scanned = std::max({chunk, resume, lineStart});
    return lineStart;
}

std::uint64_t LineAnalyzer::analyzeLines(StatsStore& store, std::string_view bytes) const {
    switch (m_path) {
    case ScanPath::Avx2:
        return analyzeLinesAvx2(store, bytes);
#if defined(__SSE2__)
    case ScanPath::Sse2:
        return analyzeLinesWith<ScanPath::Sse2>(store, bytes);
#endif
    default:
        return analyzeLinesWith<ScanPath::Portable>(store, bytes);
    }
}

// The AVX2 loop: flatten inlines the scan, compiled for AVX2, into this function alone, so no
// function shared with the other paths is ever compiled for it.
#if FRAGTIDE_SCAN_AVX2
__attribute__((target("avx2"), flatten))
#endif
std::uint64_t LineAnalyzer::analyzeLinesAvx2(StatsStore& store, std::string_view bytes) const {
#if FRAGTIDE_SCAN_AVX2
    return analyzeLinesWith<ScanPath::Avx2>(store, bytes);
#else
    return analyzeLinesWith<ScanPath::Portable>(store, bytes);  // never chosen here
#endif
}

template <LineAnalyzer::ScanPath Path>
std::uint64_t LineAnalyzer::analyzeLinesWith(StatsStore& store, std::string_view bytes) const {
    LastKill last(store);
    std::uint64_t lines = 0;
    std::size_t pos = 0;
    if constexpr (Path != ScanPath::Portable) {
        Found found;
        std::size_t scanned = 0;
        pos = analyzeChunks<Path>(store, bytes, last, lines, found, scanned);
        if (pos < bytes.size()) {  // the line the chunks began: on from where they stopped
            const std::string_view line = bytes.substr(pos, findLineEnd(bytes, scanned) - pos);
            scanBytes(found, line, scanned - pos);
            if (!creditFound(found, line, last) && m_oneName)
                creditOneName(store, line);
            ++lines;
            pos += line.size() + 1;
            if (pos < bytes.size() && bytes[pos - 1] == '\r')  // CR LF ends one line
                pos += bytes[pos] == '\n';
        }
    }
    // The rest (all of it on the portable path) a line at a time.
    while (pos < bytes.size()) {
        std::size_t end = 0;
        if (!creditLine(store, bytes, pos, end, last) && m_oneName)
            creditOneName(store, bytes.substr(pos, end - pos));
        ++lines;
        pos = end + 1;
        if (pos < bytes.size() && bytes[end] == '\r')  // CR LF ends one line
            pos += bytes[pos] == '\n';
    }
    // The names of earlier kills would be overwritten anyway: set them once, from the last.
    if (last.any) {
        store.KillerName.assign(normalizeName(last.killer));
        store.VictimName.assign(normalizeName(last.victim));
    }
    return lines;
}

}  // namespace fragtide::engine
