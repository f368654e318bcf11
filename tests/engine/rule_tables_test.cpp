#include "rules/rule_tables.hpp"

#include <gtest/gtest.h>

#include <numeric>

#include "engine/game_catalogue.hpp"
#include "engine/rule_sets.hpp"
#include "rules/built_in_games.hpp"
#include "engine/stats_store.hpp"

namespace fragtide::engine {
namespace {

TEST(RuleTables, HoldEachGamesRulesWithoutTranscriptionSlips) {
    const int expectedRules[] = {10, 35, 16, 16, 67, 17};
    for (std::size_t g = 0; g < std::size(expectedRules); ++g) {
        const Game& game = games()[g];
        SCOPED_TRACE(std::string(game.displayName));
        const auto& rules = *game.rules;
        EXPECT_EQ(rules.killerFirst, game.displayName == "Half-Life : Counter-Strike");
        int total = 0;
        for (const auto& slot : rules.slots) {
            EXPECT_FALSE(slot.rules.empty());
            total += static_cast<int>(slot.rules.size());
            for (const auto& rule : slot.rules) {
                SCOPED_TRACE(std::string(rule.middle));
                EXPECT_FALSE(rule.middle.empty());
                EXPECT_TRUE(rule.middle.front() == ' ' || rule.middle.starts_with("'s"));
                EXPECT_TRUE(rule.middle.back() == ' ');
                if (!rule.trailing.empty()) {
                    EXPECT_TRUE(rule.trailing.starts_with("'s") || rule.trailing.starts_with(" with ") ||
                                rule.trailing == ", with a quickness");
                }
            }
        }
        EXPECT_EQ(total, expectedRules[g]);
    }
}

// A line built from each rule is credited to that rule's own slot (and, for the one Action Quake
// message that two slots accept, to both).
TEST(RuleTables, CreditEveryRuleOfEveryGameInItsOwnSlot) {
    for (const Game& game : games()) {
        if (!game.rules)
            continue;
        const auto& rules = *game.rules;
        for (int slot = 1; slot <= game.slotCount(); ++slot) {
            for (const auto& rule : rules.slots[slot - 1].rules) {
                SCOPED_TRACE(std::string(game.displayName) + " slot " + std::to_string(slot) + ":" +
                             std::string(rule.middle) + "|" + std::string(rule.trailing));
                const std::string line = rules.killerFirst
                                             ? "Killer" + std::string(rule.middle) + "Victim" + std::string(rule.trailing)
                                             : "Victim" + std::string(rule.middle) + "Killer" + std::string(rule.trailing);
                StatsStore store;
                for (int s = 1; s <= kSlotsPerLine; ++s)
                    checkRuleSet(store, rules, s, line);
                EXPECT_EQ(store.WeaponFrags[slot], 1);
                const bool sharedForm = rule.middle == " was shot in the legs by " && !rule.trailing.empty();
                EXPECT_EQ(std::accumulate(store.WeaponFrags.begin(), store.WeaponFrags.end(), FragCount{0}),
                          sharedForm ? 2 : 1);
                if (!sharedForm) {
                    EXPECT_EQ(store.PlayerNames()[1], "Killer");
                    EXPECT_EQ(store.PlayerWeaponFrags[1][slot], 1);
                }
            }
        }
    }
}

TEST(RuleTables, GiveTheSharedActionQuakeFormToBothSlots) {
    const std::string line = "Al was shot in the legs by Bo's akimbo Mark 23 Pistols";
    StatsStore store;
    for (int s = 1; s <= kSlotsPerLine; ++s)
        checkRuleSet(store, rules::quake2_action::kRules, s, line);
    EXPECT_EQ(store.PlayerNames()[1], "Bo");
    EXPECT_EQ(store.PlayerWeaponFrags[1][3], 1);
    EXPECT_EQ(store.PlayerNames()[2], "Bo's akimbo Mark 23 Pistols");
    EXPECT_EQ(store.PlayerWeaponFrags[2][8], 1);
}

TEST(RuleTables, RecogniseCounterStrikeWeaponWordsExactly) {
    for (std::string_view line : {"Bob killed Al with AWP", "Bob killed Al with awp.", "Bob killed Al with awp ",
                                  "Bob killed Al with bazooka", "Al was ax-murdered by Bob"}) {
        SCOPED_TRACE(std::string(line));
        StatsStore store;
        for (int s = 1; s <= kSlotsPerLine; ++s)
            checkRuleSet(store, rules::counter_strike::kRules, s, line);
        EXPECT_EQ(std::accumulate(store.WeaponFrags.begin(), store.WeaponFrags.end(), FragCount{0}), 0);
    }
}

}  // namespace
}  // namespace fragtide::engine
