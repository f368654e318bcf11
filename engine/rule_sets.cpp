#include "engine/rule_sets.hpp"

#include "engine/kill_recorder.hpp"
#include "engine/obituary_matcher.hpp"

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

}  // namespace fragtide::engine
