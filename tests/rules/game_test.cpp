#include "rules/game.hpp"

#include "engine/game_catalogue.hpp"

#include <gtest/gtest.h>

namespace fragtide::rules {
namespace {

constexpr ObituaryRule kRule[] = {{" fragged ", ""}};
constexpr ObituaryRule kEmptyMiddle[] = {{"", "'s gun"}};
constexpr SlotRules kOneSlot[] = {{kRule}};
constexpr SlotRules kTwoSlots[] = {{kRule}, {kRule}};
constexpr SlotRules kSlotWithoutRules[] = {{}};
constexpr SlotRules kSlotWithEmptyMiddle[] = {{kEmptyMiddle}};
constexpr RuleSet kGood{false, kOneSlot};
constexpr RuleSet kTooMany{false, kTwoSlots};
constexpr RuleSet kNoRules{false, kSlotWithoutRules};
constexpr RuleSet kEmptyMiddleRules{false, kSlotWithEmptyMiddle};
constexpr std::string_view kGun[] = {"Gun"};
constexpr std::string_view kUnnamed[] = {""};
constexpr WeaponWord kWords[] = {{"gun", "Gun"}};

// The compile-time check the catalogue runs over its games: each row is a definition that must be
// refused, so a broken game cannot reach the matcher.
TEST(Game, IsWellFormedOnlyWithEverythingItsKindNeeds) {
    struct Case {
        const char* what;
        Game game;
        bool wellFormed;
    };
    const Case cases[] = {
        {"obituary game", {"A : B", "ab", kGun, &kGood}, true},
        {"no display string", {"", "ab", kGun, &kGood}, false},
        {"no short name", {"A : B", "", kGun, &kGood}, false},
        {"no rule set", {"A : B", "ab", kGun, nullptr}, false},
        {"no weapons", {"A : B", "ab", {}, &kGood}, false},
        {"more rule slots than weapons", {"A : B", "ab", kGun, &kTooMany}, false},
        {"a slot without rules", {"A : B", "ab", kGun, &kNoRules}, false},
        {"an empty middle text", {"A : B", "ab", kGun, &kEmptyMiddleRules}, false},
        {"an unnamed weapon", {"A : B", "ab", kUnnamed, &kGood}, false},
        {"weapon words beside rules", {"A : B", "ab", kGun, &kGood, KillSource::ObituaryRules, kWords}, false},
        {"server log game", {"A : Log", "log", {}, nullptr, KillSource::HalfLifeServerLog, kWords}, true},
        {"StdLog game without words", {"A : Std", "std", {}, nullptr, KillSource::Quake2StdLog, {}, true}, true},
        {"server log game with rules", {"A : Log", "log", {}, &kGood, KillSource::HalfLifeServerLog}, false},
        {"server log game with fixed weapons", {"A : Log", "log", kGun, nullptr, KillSource::HalfLifeServerLog}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(isWellFormed(c.game), c.wellFormed);
    }
}

TEST(Game, EveryCatalogueGameIsWellFormed) {
    for (const Game& game : engine::games()) {
        SCOPED_TRACE(game.displayName);
        EXPECT_TRUE(isWellFormed(game));
    }
}

}  // namespace
}  // namespace fragtide::rules
