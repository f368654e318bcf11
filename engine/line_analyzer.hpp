#pragma once

#include <string_view>
#include <vector>

#include "rules/rule_tables.hpp"

// Credits every kill one log line holds, slots 1 to 25 in order, for one game.
//
// Equivalent to calling the game's rule-set procedure for slot 1, 2, ... 25 (rule_sets.hpp), but
// built once per game so that a line that is no kill is rejected quickly. Built from a RuleSet that
// must outlive it; nullptr (a game that names no rule set) credits nothing. Safe to share between
// threads once built; analyzeLine writes only the store it is given.
namespace fragtide::engine {

class StatsStore;

class LineAnalyzer {
public:
    explicit LineAnalyzer(const rules::RuleSet* rules);

    void analyzeLine(StatsStore& store, std::string_view line) const;

private:
    struct Slot {
        int number;
        std::vector<rules::ObituaryRule> rules;  // reversed: the last matching rule names the kill
    };
    const rules::RuleSet* m_rules;
    std::vector<Slot> m_slots;
};

}  // namespace fragtide::engine
