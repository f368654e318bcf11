#include "engine/line_analyzer.hpp"

#include <algorithm>
#include <cstring>
#include <map>

#include "engine/chunk_scan.hpp"
#include "engine/game_catalogue.hpp"

// Building the analyzer's tables from a rule set: the middle texts by their first bytes, the
// perfect tables over them, the start-byte splats and the pairs that may end a line.
namespace fragtide::engine {

using namespace chunk_scan;

namespace {

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

}  // namespace fragtide::engine
