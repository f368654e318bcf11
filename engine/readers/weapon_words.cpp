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

}  // namespace

std::optional<std::string_view> WeaponWords::displayName(std::string_view word) const {
    // A few dozen short words: a scan that rejects on length first beats hashing here.
    for (const rules::WeaponWord& entry : m_table) {
        if (m_case == WordCase::Exact ? entry.word == word : equalIgnoringAsciiCase(entry.word, word))
            return entry.displayName;
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
