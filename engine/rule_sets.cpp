#include "engine/rule_sets.hpp"

#include "engine/kill_recorder.hpp"
#include "engine/obituary_matcher.hpp"
#include "rules/built_in_games.hpp"

namespace fragtide::engine {

bool checkRuleSet(StatsStore& store, const rules::RuleSet& rules, int slot, std::string_view line) {
    std::int64_t count = 0;
    if (slot >= 1 && slot <= static_cast<int>(rules.slots.size())) {
        for (const rules::ObituaryRule& rule : rules.slots[slot - 1].rules)
            count += MatchObituary(store, line, rule.middle, rule.trailing, rules.killerFirst ? 1 : 0);
    }
    RecordKill(store, count, slot, line);
    return count > 0;
}

void CheckQuake1Standard(StatsStore& store, int slot, std::string_view line) {
    checkRuleSet(store, rules::quake1_standard::kRules, slot, line);
}
void CheckQuake1Warhaven(StatsStore& store, int slot, std::string_view line) {
    checkRuleSet(store, rules::quake1_warhaven::kRules, slot, line);
}
void CheckQuake1CTF(StatsStore& store, int slot, std::string_view line) {
    checkRuleSet(store, rules::quake1_ctf::kRules, slot, line);
}
void CheckQuake2Standard(StatsStore& store, int slot, std::string_view line) {
    checkRuleSet(store, rules::quake2_standard::kRules, slot, line);
}
void CheckQuake2Action(StatsStore& store, int slot, std::string_view line) {
    checkRuleSet(store, rules::quake2_action::kRules, slot, line);
}
void CheckCounterStrike(StatsStore& store, int slot, std::string_view line) {
    checkRuleSet(store, rules::counter_strike::kRules, slot, line);
}

}  // namespace fragtide::engine
