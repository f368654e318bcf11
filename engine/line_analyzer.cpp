#include "engine/line_analyzer.hpp"

#include "engine/game_catalogue.hpp"
#include "engine/kill_recorder.hpp"
#include "engine/obituary_matcher.hpp"
#include "engine/stats_store.hpp"

namespace fragtide::engine {

LineAnalyzer::LineAnalyzer(const rules::RuleSet* rules) : m_rules(rules) {
    if (!rules)
        return;
    const int count = std::min(static_cast<int>(rules->slots.size()), kSlotsPerLine);
    for (int slot = 1; slot <= count; ++slot) {
        const auto& list = rules->slots[slot - 1].rules;
        m_slots.push_back({slot, std::vector<rules::ObituaryRule>(list.rbegin(), list.rend())});
    }
}

void LineAnalyzer::analyzeLine(StatsStore& store, std::string_view line) const {
    for (const Slot& slot : m_slots) {
        // Tried from the last rule backwards: when several rules of a slot match, the names of
        // the last one stand and the kill counts once, so the first hit from the end decides.
        for (const rules::ObituaryRule& rule : slot.rules) {
            const auto match = matchRule(line, rule, m_rules->killerFirst);
            if (!match)
                continue;
            store.KillerName.assign(match->killer);
            store.VictimName.assign(match->victim);
            RecordKill(store, 1, slot.number, line);
            break;
        }
    }
}

}  // namespace fragtide::engine
