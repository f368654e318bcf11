#pragma once

#include <span>
#include <string_view>

// The obituary rules of the six built-in games, as data.
//
// A rule is the text that stands between the two player names of a kill message (never empty) and
// the text that ends the line after the second name ("" when the second name ends the line). The
// tables are constant and live for the whole program; views into them never dangle.
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

extern const RuleSet kQuake1Standard;
extern const RuleSet kQuake1Warhaven;
extern const RuleSet kQuake1CTF;
extern const RuleSet kQuake2Standard;
extern const RuleSet kQuake2Action;
extern const RuleSet kCounterStrike;

}  // namespace fragtide::rules
