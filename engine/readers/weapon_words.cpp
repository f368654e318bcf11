#include "engine/readers/weapon_words.hpp"

#include "rules/half_life_server_log.hpp"
#include "rules/quake2_stdlog.hpp"

namespace fragtide::engine {
namespace {

// ASCII only on purpose: the locale must not decide whether two log words are one weapon.
char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    return true;
}

// Words equal in either case land in one bucket.
std::size_t bucketOf(std::string_view word, std::size_t buckets) {
    if (word.empty())
        return 0;
    const auto first = static_cast<unsigned char>(asciiLower(word.front()));
    const auto last = static_cast<unsigned char>(asciiLower(word.back()));
    return (word.size() * 31 + first * 7 + last) % buckets;
}

}  // namespace

WeaponWords::WeaponWords(std::span<const rules::WeaponWord> table, WordCase wordCase,
                         std::span<const rules::WeaponWord> prefixes)
    : m_table(table), m_case(wordCase), m_prefixes(prefixes) {
    for (std::size_t i = 0; i < m_table.size(); ++i)
        m_buckets[bucketOf(m_table[i].word, kBuckets)].push_back(static_cast<std::uint16_t>(i));
}

std::optional<std::string_view> WeaponWords::displayName(std::string_view word) const {
    for (const std::uint16_t i : m_buckets[bucketOf(word, kBuckets)]) {
        const rules::WeaponWord& entry = m_table[i];
        if (m_case == WordCase::Exact ? entry.word == word : equalIgnoringAsciiCase(entry.word, word))
            return entry.displayName;
    }
    for (const rules::WeaponWord& prefix : m_prefixes) {
        const std::string_view head = word.substr(0, prefix.word.size());
        if (m_case == WordCase::Exact ? head == prefix.word : equalIgnoringAsciiCase(head, prefix.word))
            return prefix.displayName;
    }
    return std::nullopt;
}

const WeaponWords& halfLifeWeaponWords() {
    static const WeaponWords words(rules::half_life_server_log::kGame);
    return words;
}

const WeaponWords& quake2StdLogWeaponWords() {
    static const WeaponWords words(rules::quake2_stdlog::kGame);
    return words;
}

}  // namespace fragtide::engine
