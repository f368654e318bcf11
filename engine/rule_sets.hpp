#pragma once

#include <string_view>

#include "rules/rule_tables.hpp"

// The rule-set procedures: for one weapon slot and one line, try every rule of the slot through
// MatchObituary, add up the matches, and hand the sum to RecordKill once (also when it is 0 or
// the slot has no rules). checkRuleSet tells whether the slot credited a kill. A slot outside
// 1..count has no rules. This is the plain, literal path; LineAnalyzer is the fast one and must
// credit exactly the same.
namespace fragtide::engine {

class StatsStore;

bool checkRuleSet(StatsStore& store, const rules::RuleSet& rules, int slot, std::string_view line);

}  // namespace fragtide::engine
