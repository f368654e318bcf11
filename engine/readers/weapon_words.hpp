#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "rules/game.hpp"

// Names the weapon of a kill from the word a log wrote for it.
//
// Built over one game's table (Game::weaponWords), which must outlive it. A word the table knows
// gives its display name; any other word gives nothing, and is then shown as written (its bytes,
// decoded for display like names). Stateless after construction; safe to share between threads.
namespace fragtide::engine {

enum class WordCase {
    Exact,             // byte for byte (Half-Life server logs)
    IgnoreAsciiCase,   // A-Z equal a-z, every other byte exact (Quake II StdLog)
};

class WeaponWords {
public:
    WeaponWords(std::span<const rules::WeaponWord> table, WordCase wordCase)
        : m_table(table), m_case(wordCase) {}
    // The table of `game`, compared as the game says.
    explicit WeaponWords(const rules::Game& game)
        : WeaponWords(game.weaponWords, game.weaponWordsIgnoreCase ? WordCase::IgnoreAsciiCase : WordCase::Exact) {}

    // The display name of `word`, or nothing when the table does not know it. The view points into
    // the table.
    std::optional<std::string_view> displayName(std::string_view word) const;

private:
    std::span<const rules::WeaponWord> m_table;
    WordCase m_case;
};

// The lookups of the two games whose logs name their weapons.
const WeaponWords& halfLifeWeaponWords();
const WeaponWords& quake2StdLogWeaponWords();

}  // namespace fragtide::engine
