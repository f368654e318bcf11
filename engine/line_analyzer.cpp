#include "engine/line_analyzer.hpp"

#include <algorithm>
#include <cstring>
#include <map>

#include "engine/chunk_scan.hpp"
#include "engine/game_catalogue.hpp"
#include "engine/kill_recorder.hpp"
#include "engine/line_ends.hpp"
#include "engine/rule_sets.hpp"
#include "engine/stats_store.hpp"

namespace fragtide::engine {

using namespace chunk_scan;

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
        const std::uint32_t person = store.People.personOf(event->name);
        const bool suicide = event->kind == OneNameKind::Suicide;
        if (store.KeepEvents)
            store.Events.push_back({person, PeopleTable::kNobody, 0,
                                    suicide ? KillEventKind::Suicide : KillEventKind::TeamKill});
        if (suicide)
            store.People.recordSuicide(person);
        else
            store.People.recordTeamKill(person, PeopleTable::kNobody);
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
