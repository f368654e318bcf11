#include "engine/one_name_matcher.hpp"

#include <algorithm>
#include <cstring>

#include "engine/kill_recorder.hpp"

namespace fragtide::engine {
namespace {

std::uint32_t lastFour(std::string_view text) {
    std::uint32_t v;
    std::memcpy(&v, text.data() + text.size() - 4, 4);
    return v;
}

std::size_t slotOf(std::uint32_t key, int bits) { return (key * 0x9E3779B1u) >> (32 - bits); }

}  // namespace

OneNameMatcher::OneNameMatcher(const rules::OneNameTable& table) {
    std::vector<Entry> all;
    for (const auto& m : table.suicides)
        all.push_back({m.leading, m.trailing, OneNameKind::Suicide});
    for (const auto& m : table.teamKills)
        all.push_back({m.leading, m.trailing, OneNameKind::TeamKill});
    // Best first; a stable sort keeps suicides before team kills and table order among equals.
    std::stable_sort(all.begin(), all.end(), [](const Entry& a, const Entry& b) {
        if (a.trailing.size() != b.trailing.size())
            return a.trailing.size() > b.trailing.size();
        return a.leading.size() > b.leading.size();
    });

    for (const Entry& e : all) {
        if (e.trailing.empty())
            continue;  // a message must end the line with some text; an empty one is no message
        m_canEnd[static_cast<unsigned char>(e.trailing.back())] = true;
        (e.trailing.size() >= 4 ? m_keyed : m_short).push_back(e);
    }
    // Group the keyed entries by key, best first within a key, and index the groups.
    std::stable_sort(m_keyed.begin(), m_keyed.end(),
                     [](const Entry& a, const Entry& b) { return lastFour(a.trailing) < lastFour(b.trailing); });
    m_bucketBits = 4;
    while ((std::size_t{1} << m_bucketBits) < 2 * m_keyed.size())
        ++m_bucketBits;
    m_buckets.assign(std::size_t{1} << m_bucketBits, Bucket{});
    for (std::size_t i = 0; i < m_keyed.size();) {
        const std::uint32_t key = lastFour(m_keyed[i].trailing);
        std::size_t j = i;
        while (j < m_keyed.size() && lastFour(m_keyed[j].trailing) == key)
            ++j;
        std::size_t s = slotOf(key, m_bucketBits);
        while (m_buckets[s].count != 0)
            s = (s + 1) & (m_buckets.size() - 1);
        m_buckets[s] = {key, static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(j - i)};
        i = j;
    }
}

std::optional<OneNameEvent> OneNameMatcher::tryEntry(const Entry& entry, std::string_view line) const {
    if (line.size() < entry.leading.size() + entry.trailing.size() || !line.ends_with(entry.trailing) ||
        !line.starts_with(entry.leading))
        return std::nullopt;
    return OneNameEvent{entry.kind, line.substr(entry.leading.size(),
                                                line.size() - entry.leading.size() - entry.trailing.size())};
}

std::optional<OneNameEvent> OneNameMatcher::match(std::string_view line, KillVerdict verdict) const {
    // Most lines end in a byte no message ends with, or in four bytes no message ends with: one
    // table probe each, and no comparison of text.
    if (verdict == KillVerdict::CreditedAsKill || line.empty() ||
        !m_canEnd[static_cast<unsigned char>(line.back())])
        return std::nullopt;

    std::optional<OneNameEvent> found;
    if (line.size() >= 4) {
        const std::uint32_t key = lastFour(line);
        const std::size_t mask = m_buckets.size() - 1;
        for (std::size_t s = slotOf(key, m_bucketBits); m_buckets[s].count != 0; s = (s + 1) & mask) {
            if (m_buckets[s].key != key)
                continue;
            for (std::uint32_t i = 0; i < m_buckets[s].count && !found; ++i)
                found = tryEntry(m_keyed[m_buckets[s].first + i], line);
            break;
        }
    }
    // Trailing texts under four bytes rank below every keyed one, so they are tried last.
    for (std::size_t i = 0; i < m_short.size() && !found; ++i)
        found = tryEntry(m_short[i], line);

    if (!found)
        return std::nullopt;
    found->name = normalizeName(found->name);
    if (found->name.empty())
        return std::nullopt;  // credited to nobody, as a kill by an empty name is
    return found;
}

}  // namespace fragtide::engine
