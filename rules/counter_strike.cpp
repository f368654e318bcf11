#include "rules/rule_tables.hpp"

// Obituary rules as the games print them, character for character: stored logs depend on every
// space and apostrophe. Within a slot the order is the order the rules are tried in.

namespace fragtide::rules {

namespace counter_strike {
constexpr ObituaryRule kSlot1[] = {  // Knife
    {" killed ", " with knife"},
};
constexpr ObituaryRule kSlot2[] = {  // USP Tactical
    {" killed ", " with usp"},
};
constexpr ObituaryRule kSlot3[] = {  // Glock 18
    {" killed ", " with glock"},
};
constexpr ObituaryRule kSlot4[] = {  // Desert Eagle
    {" killed ", " with deagle"},
};
constexpr ObituaryRule kSlot5[] = {  // Sig P228
    {" killed ", " with p228"},
};
constexpr ObituaryRule kSlot6[] = {  // Benneli M3 Super90
    {" killed ", " with m3"},
};
constexpr ObituaryRule kSlot7[] = {  // Benneli XM1014
    {" killed ", " with xm1014"},
};
constexpr ObituaryRule kSlot8[] = {  // H&K MP5-Navy
    {" killed ", " with mp5"},
};
constexpr ObituaryRule kSlot9[] = {  // Steyr TMP
    {" killed ", " with tmp"},
};
constexpr ObituaryRule kSlot10[] = {  // FN P90
    {" killed ", " with p90"},
};
constexpr ObituaryRule kSlot11[] = {  // AK-47
    {" killed ", " with ak47"},
};
constexpr ObituaryRule kSlot12[] = {  // Colt M4A1 Carbine
    {" killed ", " with colt"},
};
constexpr ObituaryRule kSlot13[] = {  // Sig SG-552 Commando
    {" killed ", " with sg552"},
};
constexpr ObituaryRule kSlot14[] = {  // Steyr Scout
    {" killed ", " with scout"},
};
constexpr ObituaryRule kSlot15[] = {  // AI Arctic Warfare/Magnum
    {" killed ", " with awp"},
};
constexpr ObituaryRule kSlot16[] = {  // H&K G3/SG-1
    {" killed ", " with g3"},
};
constexpr ObituaryRule kSlot17[] = {  // FN M249 Para
    {" killed ", " with para"},
};
constexpr SlotRules kSlots[] = {
    {kSlot1},
    {kSlot2},
    {kSlot3},
    {kSlot4},
    {kSlot5},
    {kSlot6},
    {kSlot7},
    {kSlot8},
    {kSlot9},
    {kSlot10},
    {kSlot11},
    {kSlot12},
    {kSlot13},
    {kSlot14},
    {kSlot15},
    {kSlot16},
    {kSlot17},
};
}  // namespace counter_strike

const RuleSet kCounterStrike{true, counter_strike::kSlots};  // 17 rules

}  // namespace fragtide::rules
