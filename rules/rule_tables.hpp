#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

// Obituary rules as data, and the compile-time helpers the game files write their tables with.
//
// A rule is the text that stands between the two player names of a kill message (never empty) and
// the text that ends the line after the second name ("" when the second name ends the line). Every
// table is constexpr and lives for the whole program; views into them never dangle.
namespace fragtide::rules {

struct ObituaryRule {
    std::string_view middle;
    std::string_view trailing;
};

// The rules of one weapon slot, in the order they are tried.
struct SlotRules {
    std::span<const ObituaryRule> rules;
};

// One game's rules. slots[0] holds weapon slot 1, so slots.size() is the game's slot count.
// killerFirst: the killer's name stands before the middle text (otherwise the victim's does).
struct RuleSet {
    bool killerFirst;
    std::span<const SlotRules> slots;
};

// One row of a game file: a weapon's display name beside the rules that credit a kill to it.
struct WeaponRules {
    std::string_view name;
    std::span<const ObituaryRule> rules;
};

// A game's rows split into the two tables the program reads: the weapon names (for the reports)
// and the slot rules (for the matchers), both in slot order.
template <std::size_t N>
struct SlotTable {
    std::array<std::string_view, N> weaponNames;
    std::array<SlotRules, N> slots;
};

template <std::size_t N>
consteval SlotTable<N> slotTable(const WeaponRules (&rows)[N]) {
    SlotTable<N> table{};
    for (std::size_t i = 0; i < N; ++i) {
        table.weaponNames[i] = rows[i].name;
        table.slots[i] = SlotRules{rows[i].rules};
    }
    return table;
}

// Row `slot` (counted from 1, as the reports count slots) of another game's table: how a game
// refers to a weapon it shares instead of writing its name or rules again. A slot out of range
// does not compile.
template <std::size_t N>
consteval const WeaponRules& slotOf(const WeaponRules (&rows)[N], std::size_t slot) {
    return rows[slot - 1];
}

// `first` followed by `then`: a slot that tries another game's rules and some of its own after them.
template <std::size_t N, std::size_t M>
consteval std::array<ObituaryRule, N + M> joined(const ObituaryRule (&first)[N], const ObituaryRule (&then)[M]) {
    std::array<ObituaryRule, N + M> rules{};
    for (std::size_t i = 0; i < N; ++i)
        rules[i] = first[i];
    for (std::size_t i = 0; i < M; ++i)
        rules[N + i] = then[i];
    return rules;
}

}  // namespace fragtide::rules
