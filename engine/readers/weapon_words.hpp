#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "rules/game.hpp"

// Names the weapon of a kill from the word a log wrote for it.
//
// Built over one game's tables (Game::weaponWords, then Game::weaponWordPrefixes), which must
// outlive it. A word the table knows, or failing that a word that begins with one of the prefixes,
// gives its display name; any other word gives nothing, and is then shown as written (its bytes,
// decoded for display like names). Stateless after construction; safe to share between threads.
namespace fragtide::engine {

enum class WordCase {
    Exact,             // byte for byte (Half-Life server logs)
    IgnoreAsciiCase,   // A-Z equal a-z, every other byte exact (Quake II StdLog)
};

class WeaponWords {
public:
    WeaponWords(std::span<const rules::WeaponWord> table, WordCase wordCase,
                std::span<const rules::WeaponWord> prefixes = {});
    // The tables of `game`, compared as the game says.
    explicit WeaponWords(const rules::Game& game)
        : WeaponWords(game.weaponWords, game.weaponWordsIgnoreCase ? WordCase::IgnoreAsciiCase : WordCase::Exact,
                      game.weaponWordPrefixes) {}

    // The display name of `word`, or nothing when the table does not know it. The view points into
    // the table.
    std::optional<std::string_view> displayName(std::string_view word) const;

private:
    std::span<const rules::WeaponWord> m_table;
    WordCase m_case;
    std::span<const rules::WeaponWord> m_prefixes;
    // The table's entries by their length and first and last bytes (letter case folded), in table
    // order: a word is compared only with the few entries it could equal, and the first of those
    // that does is the table's first that does.
    static constexpr std::size_t kBuckets = 64;
    std::array<std::vector<std::uint16_t>, kBuckets> m_buckets;
};

// The lookups of the two games whose logs name their weapons.
const WeaponWords& halfLifeWeaponWords();
const WeaponWords& quake2StdLogWeaponWords();

}  // namespace fragtide::engine
