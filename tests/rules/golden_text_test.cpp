#include "tests/rules/golden_text.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/game_catalogue.hpp"

namespace fragtide::testing {
namespace {

const std::filesystem::path kGoldenDir = FRAGTIDE_GOLDEN_DIR;

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path goldenPath(const rules::Game& game) { return kGoldenDir / (std::string(game.alias) + ".txt"); }

void expectSame(const std::string& expected, const std::string& actual, const std::string& where) {
    if (const auto diff = firstDifference(expected, actual))
        ADD_FAILURE() << where << ", line " << diff->line << ":\n  expected " << diff->expected << "\n  actual   "
                      << diff->actual;
}

// An obituary game whose texts the test owns, so that one of them can be changed without touching
// the real tables. game() is valid until the next change.
class EditableGame {
public:
    explicit EditableGame(const rules::Game& game) : m_base(game), m_killerFirst(game.rules->killerFirst) {
        for (std::size_t i = 0; i < game.weaponNames.size(); ++i) {
            m_names.emplace_back(game.weaponNames[i]);
            auto& slot = m_rules.emplace_back();
            for (const rules::ObituaryRule& rule : game.rules->slots[i].rules)
                slot.emplace_back(std::string(rule.middle), std::string(rule.trailing));
        }
    }

    std::string& weaponName(std::size_t slot) { return m_names[slot - 1]; }
    std::vector<std::pair<std::string, std::string>>& rules(std::size_t slot) { return m_rules[slot - 1]; }
    bool& killerFirst() { return m_killerFirst; }

    const rules::Game& game() {
        m_nameViews.assign(m_names.begin(), m_names.end());
        m_ruleViews.clear();
        for (const auto& slot : m_rules) {
            auto& views = m_ruleViews.emplace_back();
            for (const auto& [middle, trailing] : slot)
                views.push_back({middle, trailing});
        }
        m_slots.clear();
        for (const auto& views : m_ruleViews)
            m_slots.push_back({views});
        m_ruleSet = {m_killerFirst, m_slots};
        m_game = m_base;
        m_game.weaponNames = m_nameViews;
        m_game.rules = &m_ruleSet;
        return m_game;
    }

private:
    rules::Game m_base;
    bool m_killerFirst;
    std::vector<std::string> m_names;
    std::vector<std::vector<std::pair<std::string, std::string>>> m_rules;
    std::vector<std::string_view> m_nameViews;
    std::vector<std::vector<rules::ObituaryRule>> m_ruleViews;
    std::vector<rules::SlotRules> m_slots;
    rules::RuleSet m_ruleSet{};
    rules::Game m_game{};
};

// The golden files were written by hand from the design's tables, not generated from ours: a slip
// in either shows here as the first line where they part.
TEST(GoldenText, SpellsEveryBuiltInGameExactlyAsItsGoldenFile) {
    for (const rules::Game& game : engine::games()) {
        SCOPED_TRACE(std::string(game.displayName));
        const auto path = goldenPath(game);
        ASSERT_TRUE(std::filesystem::is_regular_file(path)) << "no golden text " << path.string();
        expectSame(readFile(path), goldenText(game), path.string());
    }
}

TEST(GoldenText, ExistsForEveryGameOfTheCatalogueAndNoOther) {
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(kGoldenDir))
        files.insert(entry.path().filename().string());
    std::set<std::string> games;
    for (const rules::Game& game : engine::games())
        games.insert(std::string(game.alias) + ".txt");
    EXPECT_EQ(files, games);
}

// Proves the comparison above would fail on a one-character slip anywhere in a game's tables, and
// name the line of the slip: every text of every game is changed in turn, on a copy.
TEST(GoldenText, CatchesAOneCharacterSlipInAnyTextAndNamesItsLine) {
    auto slipped = [](std::string text) {
        if (text.empty())
            return std::string(" ");
        text.pop_back();  // the slip that is hardest to see: a lost final space
        return text;
    };
    for (const rules::Game& game : engine::games()) {
        if (!game.rules)
            continue;  // no rules to slip in
        SCOPED_TRACE(std::string(game.displayName));
        const std::string golden = readFile(goldenPath(game));
        EditableGame edited(game);
        // Name, short name, description, kill source and killer-first come first.
        const std::size_t killerFirstLine = game.description.empty() ? 4 : 5;
        std::size_t line = killerFirstLine;
        auto expectCaughtAt = [&](std::string& text, const std::string& what) {
            const std::string original = text;
            text = slipped(original);
            const auto diff = firstDifference(golden, goldenText(edited.game()));
            text = original;
            ASSERT_TRUE(diff.has_value()) << what;
            EXPECT_EQ(diff->line, line) << what;
        };
        for (int slot = 1; slot <= game.slotCount(); ++slot) {
            ++line;
            expectCaughtAt(edited.weaponName(slot), "weapon name of slot " + std::to_string(slot));
            for (auto& [middle, trailing] : edited.rules(slot)) {
                ++line;
                expectCaughtAt(middle, "middle text " + middle);
                expectCaughtAt(trailing, "trailing text after " + middle);
            }
        }
        edited.killerFirst() = !edited.killerFirst();
        const auto diff = firstDifference(golden, goldenText(edited.game()));
        ASSERT_TRUE(diff.has_value());
        EXPECT_EQ(diff->line, killerFirstLine);
    }
}

TEST(GoldenText, CatchesRulesTriedInAnotherOrder) {
    for (const rules::Game& game : engine::games()) {
        if (!game.rules)
            continue;
        const std::string golden = readFile(goldenPath(game));
        EditableGame edited(game);
        for (int slot = 1; slot <= game.slotCount(); ++slot) {
            auto& rules = edited.rules(slot);
            if (rules.size() < 2 || rules.front() == rules.back())
                continue;
            SCOPED_TRACE(std::string(game.displayName) + " slot " + std::to_string(slot));
            std::swap(rules.front(), rules.back());
            EXPECT_TRUE(firstDifference(golden, goldenText(edited.game())).has_value());
            std::swap(rules.front(), rules.back());
        }
    }
}

TEST(GoldenText, QuotesEveryTextSoSpacesQuotesAndStrayBytesShow) {
    static constexpr rules::ObituaryRule kRules[] = {{" say \"hi\" \\ ", ""}, {"\t", "\xff\x01 "}};
    static constexpr rules::SlotRules kSlots[] = {{kRules}};
    static constexpr rules::RuleSet kRuleSet{true, kSlots};
    static constexpr std::string_view kNames[] = {" Gun "};
    static constexpr rules::Game kGame{.displayName = "A : B", .alias = "ab", .weaponNames = kNames, .rules = &kRuleSet};
    EXPECT_EQ(goldenText(kGame), "game \"A : B\"\n"
                                 "short name \"ab\"\n"
                                 "kills from obituary rules\n"
                                 "killer first yes\n"
                                 "weapon 1 \" Gun \"\n"
                                 "rule 1 \" say \\\"hi\\\" \\\\ \" \"\"\n"
                                 "rule 1 \"\\x09\" \"\\xFF\\x01 \"\n");
}

TEST(GoldenText, SpellsAGameWhoseLogNamesTheWeaponsWithItsWords) {
    static constexpr rules::WeaponWord kWords[] = {{"glock", "Glock 18"}, {"glock18", "Glock 18"}};
    static constexpr rules::Game kGame{.displayName = "Half-Life : Server Log",
                                .alias = "hl",
                                .weaponNames = {},
                                .kind = rules::KillSource::HalfLifeServerLog,
                                .weaponWords = kWords};
    EXPECT_EQ(goldenText(kGame), "game \"Half-Life : Server Log\"\n"
                                 "short name \"hl\"\n"
                                 "kills from Half-Life server log\n"
                                 "weapons from the log\n"
                                 "weapon words case-sensitive\n"
                                 "word \"glock\" \"Glock 18\"\n"
                                 "word \"glock18\" \"Glock 18\"\n");
}

TEST(FirstDifference, NamesTheFirstDifferingLineAndShowsBothSidesVisibly) {
    struct Case {
        const char* what;
        std::string_view expected, actual;
        std::size_t line;
        std::string_view shownExpected, shownActual;
    };
    const Case cases[] = {
        {"second line", "a\nb\nc\n", "a\nx\nc\n", 2, "`b`", "`x`"},
        {"lost final space", "a \"b \"\n", "a \"b\"\n", 1, "`a \"b \"`", "`a \"b\"`"},
        {"space after the last text", "a \n", "a\n", 1, "`a `", "`a`"},
        {"missing last line", "a\nb\n", "a\n", 2, "`b`", "<end of text>"},
        {"extra line", "a\n", "a\nb\n", 2, "<end of text>", "`b`"},
        {"carriage return before the line feed", "a\r\n", "a\n", 1, "`a\\x0D`", "`a`"},
        {"final line feed", "a\n", "a", 1, "a final line feed", "no final line feed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto diff = firstDifference(c.expected, c.actual);
        ASSERT_TRUE(diff.has_value());
        EXPECT_EQ(diff->line, c.line);
        EXPECT_EQ(diff->expected, c.shownExpected);
        EXPECT_EQ(diff->actual, c.shownActual);
    }
    EXPECT_FALSE(firstDifference("a\nb\n", "a\nb\n").has_value());
    EXPECT_FALSE(firstDifference("", "").has_value());
}

}  // namespace
}  // namespace fragtide::testing
