#include "engine/line_analyzer.hpp"

#include <algorithm>
#include <cstring>
#include <map>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/game_catalogue.hpp"
#include "engine/kill_recorder.hpp"
#include "engine/rule_sets.hpp"
#include "engine/stats_store.hpp"

namespace fragtide::engine {
namespace {

std::uint32_t load32(const char* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

std::uint32_t hashKey(std::uint32_t key, int bits) { return (key * 0x9E3779B1u) >> (32 - bits); }

// Middle texts found on one line, with their rightmost positions. A game with more distinct
// middle texts than the cap takes the plain path instead, so nothing is ever dropped here.
struct Found {
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

}  // namespace

LineAnalyzer::LineAnalyzer(const rules::RuleSet* rules) {
    if (!rules)
        return;
    m_rules = rules;
    m_killerFirst = rules->killerFirst;
    std::map<std::string_view, std::uint16_t> ids;
    const int slots = std::min(static_cast<int>(rules->slots.size()), kSlotsPerLine);
    for (int slot = 1; slot <= slots; ++slot) {
        const auto& list = rules->slots[slot - 1].rules;
        for (std::size_t order = 0; order < list.size(); ++order) {
            const auto& rule = list[order];
            if (rule.middle.empty())
                continue;  // never matches
            auto [it, added] = ids.try_emplace(rule.middle, static_cast<std::uint16_t>(m_middles.size()));
            if (added)
                m_middles.push_back({rule.middle, {}, {}});
            // The last up-to-four bytes of the trailing text, placed as they sit at a line's end.
            const std::size_t t = rule.trailing.size();
            const std::size_t k = std::min<std::size_t>(t, 4);
            char tail[4] = {0, 0, 0, 0};
            char mask[4] = {0, 0, 0, 0};
            std::memcpy(tail + 4 - k, rule.trailing.data() + t - k, k);
            std::memset(mask + 4 - k, 0xFF, k);
            const RuleRef ref{static_cast<std::uint16_t>(slot), static_cast<std::uint16_t>(order),
                              rule.trailing, load32(tail), load32(mask)};
            (t >= 4 ? m_middles[it->second].longRules : m_middles[it->second].rules).push_back(ref);
        }
    }
    for (Middle& middle : m_middles)
        std::sort(middle.longRules.begin(), middle.longRules.end(),
                  [](const RuleRef& a, const RuleRef& b) { return a.tail4 < b.tail4; });
    // Group the middles by their first four bytes, one table bucket per distinct prefix.
    std::map<std::uint32_t, std::vector<std::uint16_t>> byKey;
    for (std::uint16_t id = 0; id < m_middles.size(); ++id) {
        const std::string_view text = m_middles[id].text;
        if (text.size() < 4) {
            m_shortMiddles.push_back(id);
            continue;
        }
        byKey[load32(text.data())].push_back(id);
        const auto first = static_cast<unsigned char>(text[0]);
        if (!m_canStart[first]) {
            m_canStart[first] = true;
            m_startBytes.push_back(first);
        }
    }
    for (const auto& [key, list] : byKey) {
        const auto first = static_cast<std::uint16_t>(m_bucketMiddles.size());
        m_bucketMiddles.insert(m_bucketMiddles.end(), list.begin(), list.end());
        Bucket* b = &m_buckets[hashKey(key, kBucketBits)];
        while (b->count != 0)
            b = &m_buckets[(static_cast<std::size_t>(b - m_buckets.data()) + 1) % m_buckets.size()];
        *b = {key, first, static_cast<std::uint16_t>(list.size())};
    }
}

const LineAnalyzer::Bucket* LineAnalyzer::bucketFor(std::uint32_t key) const {
    std::size_t i = hashKey(key, kBucketBits);
    for (;;) {
        const Bucket& b = m_buckets[i];
        if (b.count == 0)
            return nullptr;
        if (b.key == key)
            return &b;
        i = (i + 1) % m_buckets.size();
    }
}

void LineAnalyzer::analyzeLine(StatsStore& store, std::string_view line) const {
    if (m_middles.empty())
        return;
    if (m_middles.size() > Found::kCap) {
        for (int slot = 1; slot <= kSlotsPerLine; ++slot)
            checkRuleSet(store, *m_rules, slot, line);
        return;
    }
    const char* const data = line.data();
    const std::size_t n = line.size();
    Found found;

    const auto probe = [&](std::size_t p) {
        const Bucket* b = bucketFor(load32(data + p));
        if (!b)
            return;
        for (std::uint16_t k = 0; k < b->count; ++k) {
            const std::uint16_t id = m_bucketMiddles[b->first + k];
            const std::string_view text = m_middles[id].text;
            if (p + text.size() <= n && std::memcmp(data + p + 4, text.data() + 4, text.size() - 4) == 0)
                found.record(id, static_cast<std::uint32_t>(p));
        }
    };

    // Every position where a middle text could begin, left to right. Middle texts begin with a
    // space or an apostrophe, so on x86 sixteen bytes are tested at once for up to two such bytes.
    if (n >= 4) {
        const std::size_t last = n - 4;  // a probe reads four bytes
        std::size_t p = 0;
#if defined(__SSE2__)
        if (m_startBytes.size() <= 2) {
            const __m128i a = _mm_set1_epi8(static_cast<char>(m_startBytes[0]));
            const __m128i b = _mm_set1_epi8(static_cast<char>(m_startBytes.back()));
            for (; p + 16 <= n; p += 16) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p));
                unsigned mask = static_cast<unsigned>(
                    _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, a), _mm_cmpeq_epi8(v, b))));
                while (mask) {
                    const std::size_t q = p + static_cast<std::size_t>(__builtin_ctz(mask));
                    if (q <= last)
                        probe(q);
                    mask &= mask - 1;
                }
            }
        }
#endif
        for (; p <= last; ++p) {
            if (m_canStart[static_cast<unsigned char>(data[p])])
                probe(p);
        }
    }
    for (const std::uint16_t id : m_shortMiddles) {
        const std::size_t p = line.rfind(m_middles[id].text);
        if (p != std::string_view::npos)
            found.record(id, static_cast<std::uint32_t>(p));
    }
    if (found.count == 0)
        return;

    // For each slot, the last rule of its list that matches; at most one kill per slot.
    struct Hit {
        std::uint16_t slot, order;
        std::uint32_t pos, middleLen;
        std::uint32_t trailingLen;
    };
    Hit hits[kSlotsPerLine + 1];
    std::uint32_t hitSlots = 0;  // bit s: slot s has a matching rule
    const std::uint32_t lineTail = n >= 4 ? load32(data + n - 4) : 0;
    const auto consider = [&](const RuleRef& rule, std::size_t p, std::size_t middleLen) {
        const std::size_t t = rule.trailing.size();
        if (t > 4 && std::memcmp(data + n - t, rule.trailing.data(), t - 4) != 0)
            return;
        // The rightmost occurrence decides; one that runs into the trailing text is no match.
        if (p + middleLen > n - t)
            return;
        const std::uint32_t bit = 1u << rule.slot;
        if (!(hitSlots & bit) || hits[rule.slot].order < rule.order) {
            hitSlots |= bit;
            hits[rule.slot] = {rule.slot, rule.order, static_cast<std::uint32_t>(p),
                               static_cast<std::uint32_t>(middleLen), static_cast<std::uint32_t>(t)};
        }
    };
    for (int f = 0; f < found.count; ++f) {
        const Middle& middle = m_middles[found.middle[f]];
        const std::size_t p = found.pos[f];
        for (const RuleRef& rule : middle.rules) {
            const bool ends = n >= 4 ? (lineTail & rule.tailMask) == rule.tail4 : line.ends_with(rule.trailing);
            if (ends && rule.trailing.size() <= n)
                consider(rule, p, middle.text.size());
        }
        if (n >= 4) {
            auto it = std::lower_bound(middle.longRules.begin(), middle.longRules.end(), lineTail,
                                       [](const RuleRef& r, std::uint32_t v) { return r.tail4 < v; });
            for (; it != middle.longRules.end() && it->tail4 == lineTail; ++it) {
                if (it->trailing.size() <= n)
                    consider(*it, p, middle.text.size());
            }
        }
    }
    if (hitSlots == 0)
        return;  // no match leaves the names of the last kill where they are
    std::string_view killer, victim;
    while (hitSlots) {  // in slot order, as the players' first kills must be
        const int slot = __builtin_ctz(hitSlots);
        hitSlots &= hitSlots - 1;
        const Hit& h = hits[slot];
        // The head keeps the first byte of the middle text, as stored names always have.
        const std::string_view head = line.substr(0, h.pos + 1);
        const std::string_view farName = line.substr(h.pos + h.middleLen, n - h.trailingLen - (h.pos + h.middleLen));
        killer = m_killerFirst ? head : farName;
        victim = m_killerFirst ? farName : head;
        creditKill(store, slot, killer);
    }
    // Only the last kill's names stay in the store, as when each kill had set them in turn.
    store.KillerName.assign(normalizeName(killer));
    store.VictimName.assign(normalizeName(victim));
}

}  // namespace fragtide::engine
