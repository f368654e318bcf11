#include "engine/one_name_matcher.hpp"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "engine/game_catalogue.hpp"
#include "engine/line_analyzer.hpp"
#include "engine/reference/one_name_reference.hpp"
#include "engine/stats_store.hpp"
#include "rules/one_name_messages.hpp"
#include "rules/rule_tables.hpp"

namespace fragtide::engine {
namespace {

using rules::OneNameMessage;
using rules::OneNameTable;

struct GameTables {
    const char* game;  // display name in the catalogue
    const OneNameTable& oneName;
};

const GameTables kTables[] = {
    {"Quake I : Standard", rules::kQuake1StandardOneName},
    {"Quake I : Warhaven", rules::kQuake1WarhavenOneName},
    {"Quake I : Capture The Flag", rules::kQuake1CTFOneName},
    {"Quake II : Standard", rules::kQuake2StandardOneName},
    {"Quake II : Action Quake", rules::kQuake2ActionOneName},
    {"Half-Life : Counter-Strike", rules::kCounterStrikeOneName},
};

// No game prints a message that ends another one, so a made-up table exercises the ranking.
const OneNameMessage kNestedSuicides[] = {
    {"", " died"}, {"", " really died"}, {"Hey ", " died"}, {"", "!"}, {"Hey ", "'s died"}, {"ab", "ba"},
};
const OneNameMessage kNestedTeamKills[] = {{"", " died"}, {"", " oops!"}, {"", "'s died"}};
const OneNameTable kNested{kNestedSuicides, kNestedTeamKills};

// What the kill rules of a game make of a line: the verdict the caller hands the matcher. One
// analyzer and store serve every line (built per line, they cost a minute under the sanitizers).
class Verdicts {
public:
    explicit Verdicts(const char* game) : m_analyzer(findGame(game)->rules) {}
    KillVerdict of(std::string_view line) {
        m_store.WeaponFrags.fill(0);
        m_analyzer.analyzeLines(m_store, line);
        const FragCount kills =
            std::accumulate(m_store.WeaponFrags.begin(), m_store.WeaponFrags.end(), FragCount{0});
        return kills > 0 ? KillVerdict::CreditedAsKill : KillVerdict::NotAKill;
    }

private:
    LineAnalyzer m_analyzer;
    StatsStore m_store;
};

KillVerdict verdictOf(const char* game, std::string_view line) { return Verdicts(game).of(line); }

std::string lineOf(const OneNameMessage& m, std::string_view name) {
    return std::string(m.leading) + std::string(name) + std::string(m.trailing);
}

// Both implementations, each checked to give `expected` ("" for no event) with the right kind.
void expectEvent(const OneNameTable& table, std::string_view line, KillVerdict verdict,
                 std::string_view expected, OneNameKind kind = OneNameKind::Suicide) {
    const auto fast = OneNameMatcher(table).match(line, verdict);
    const auto plain = reference::matchOneName(table, line, verdict);
    for (const auto& got : {fast, plain}) {
        if (expected.empty()) {
            EXPECT_FALSE(got) << "credited " << (got ? got->name : "");
            continue;
        }
        ASSERT_TRUE(got);
        EXPECT_EQ(got->name, expected);
        EXPECT_EQ(got->kind, kind);
        // A view into the line, as the contract says, not into a copy.
        EXPECT_GE(got->name.data(), line.data());
        EXPECT_LE(got->name.data() + got->name.size(), line.data() + line.size());
    }
}

TEST(OneNameTables, HoldOnlyWellFormedMessagesThatNoKillRuleEndsLike) {
    for (const GameTables& t : kTables) {
        SCOPED_TRACE(t.game);
        std::vector<OneNameMessage> all(t.oneName.suicides.begin(), t.oneName.suicides.end());
        all.insert(all.end(), t.oneName.teamKills.begin(), t.oneName.teamKills.end());
        for (std::size_t i = 0; i < all.size(); ++i) {
            SCOPED_TRACE(std::string(all[i].trailing));
            EXPECT_FALSE(all[i].trailing.empty());
            // The name opens the message: the text starts with a space or the possessive.
            EXPECT_TRUE(all[i].trailing.starts_with(' ') || all[i].trailing.starts_with("'s "));
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_FALSE(all[i].leading == all[j].leading && all[i].trailing == all[j].trailing)
                    << "listed twice";
            // A kill with a trailing text can only look like this message through a player's name.
            for (const auto& slot : findGame(t.game)->rules->slots) {
                for (const auto& rule : slot.rules) {
                    if (!rule.trailing.empty()) {
                        EXPECT_FALSE(rule.trailing.ends_with(all[i].trailing) ||
                                     all[i].trailing.ends_with(rule.trailing))
                            << "kill rule ending " << rule.trailing;
                    }
                }
            }
        }
    }
}

TEST(OneNameMatcher, CreditsThePlayerNamedBeforeEveryMessageOfEveryTable) {
    struct Name { const char* what; std::string raw; std::string credited; };
    const Name names[] = {
        {"plain", "Bob", "Bob"},
        {"inner space", "Ann Lee", "Ann Lee"},
        {"spaces and possessive", "  Jim's ", "Jim"},
        {"one possessive only", "Eve's's", "Eve's"},
        {"space before the possessive stays", "Bob 's", "Bob "},
        {"stray bytes", std::string("Jo\xff\0x", 5), std::string("Jo\xff\0x", 5)},
        {"a name that is another message", "Kid died", "Kid died"},
        {"empty", "", ""},
        {"spaces only", "   ", ""},
        {"possessive only", "'s", ""},
    };
    for (const GameTables& t : kTables) {
        SCOPED_TRACE(t.game);
        for (const auto& [list, kind] : {std::pair{t.oneName.suicides, OneNameKind::Suicide},
                                         std::pair{t.oneName.teamKills, OneNameKind::TeamKill}}) {
            for (const OneNameMessage& m : list) {
                SCOPED_TRACE(std::string(m.leading) + "|" + std::string(m.trailing));
                for (const Name& n : names) {
                    SCOPED_TRACE(n.what);
                    expectEvent(t.oneName, lineOf(m, n.raw), KillVerdict::NotAKill, n.credited, kind);
                    expectEvent(t.oneName, lineOf(m, n.raw), KillVerdict::CreditedAsKill, "");
                }
            }
        }
    }
}

TEST(OneNameMatcher, MatchesTheWholeMessageExactlyAndNothingElse) {
    struct Case { const char* what; const OneNameTable& table; std::string_view line; std::string_view name;
                  OneNameKind kind = OneNameKind::Suicide; };
    const Case cases[] = {
        {"Quake I teamplay", rules::kQuake1StandardOneName, "Bob mows down a teammate", "Bob", OneNameKind::TeamKill},
        {"name inside the message", rules::kQuake1StandardOneName, "Satan's power deflects Bob's telefrag", "Bob"},
        {"name inside, empty", rules::kQuake1StandardOneName, "Satan's power deflects 's telefrag", ""},
        {"leading text must open the line", rules::kQuake1StandardOneName,
         "[1] Satan's power deflects Bob's telefrag", ""},
        {"a prefix stays in the name, as for kills", rules::kQuake1StandardOneName, "[12:00] Bob died",
         "[12:00] Bob"},
        {"letter case counts", rules::kQuake1StandardOneName, "Bob Died", ""},
        {"text after the message", rules::kQuake1StandardOneName, "Bob died ", ""},
        {"the message alone", rules::kQuake1StandardOneName, " died", ""},
        {"Quake II ends with a full stop", rules::kQuake2StandardOneName, "Bob killed herself.", "Bob"},
        {"Quake II without it", rules::kQuake2StandardOneName, "Bob killed herself", ""},
        {"Action Quake ends without one", rules::kQuake2ActionOneName, "Bob killed herself", "Bob"},
        {"Action Quake with one", rules::kQuake2ActionOneName, "Bob killed herself.", ""},
        {"Capture The Flag shares Quake I's", rules::kQuake1CTFOneName, "Bob sucks it down", "Bob"},
        {"Warhaven has none", rules::kQuake1WarhavenOneName, "Bob died", ""},
        {"Counter-Strike has none", rules::kCounterStrikeOneName, "Bob died", ""},
        {"empty line", rules::kQuake1StandardOneName, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        expectEvent(c.table, c.line, KillVerdict::NotAKill, c.name, c.kind);
    }
}

TEST(OneNameMatcher, LetsTheMostSpecificMessageDecide) {
    struct Case { const char* what; std::string_view line; std::string_view name; OneNameKind kind; };
    const Case cases[] = {
        {"longer trailing text wins", "Ann really died", "Ann", OneNameKind::Suicide},
        {"then longer leading text", "Hey Bob died", "Bob", OneNameKind::Suicide},
        {"a suicide outranks an equal team kill", "Cy died", "Cy", OneNameKind::Suicide},
        {"a keyed text outranks a short one", "Di oops!", "Di", OneNameKind::TeamKill},
        {"a short text on a short line", "E!", "E", OneNameKind::Suicide},
        {"leading and trailing may not overlap", "aba", "", OneNameKind::Suicide},
        {"but may meet", "abba", "", OneNameKind::Suicide},
        {"with a name between", "abXba", "X", OneNameKind::Suicide},
        {"an empty winner credits nobody", " really died", "", OneNameKind::Suicide},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        expectEvent(kNested, c.line, KillVerdict::NotAKill, c.name, c.kind);
    }
}

// A kill line can end like a one-name message when a name does; the kill stands, and the line
// is no suicide. Without the verdict the line would credit the whole head as a suicide.
TEST(OneNameMatcher, NeverCountsALineCreditedAsAKill) {
    struct Case { const char* game; const OneNameTable& table; std::string_view line; std::string_view asSuicide; };
    const Case cases[] = {
        {"Quake II : Standard", rules::kQuake2StandardOneName, "Ann was railed by Bob died.", "Ann was railed by Bob"},
        {"Quake II : Standard", rules::kQuake2StandardOneName, "Ann died. ate Bob's rocket", ""},
        {"Quake I : Standard", rules::kQuake1StandardOneName, "Ann was nailed by Bob died", "Ann was nailed by Bob"},
        {"Quake I : Capture The Flag", rules::kQuake1CTFOneName, "Ann was hooked by Kid checks his glasses",
         "Ann was hooked by Kid"},
        {"Quake II : Action Quake", rules::kQuake2ActionOneName, "Ann was shot in the legs by Bob melted",
         "Ann was shot in the legs by Bob"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const KillVerdict verdict = verdictOf(c.game, c.line);
        EXPECT_EQ(verdict, KillVerdict::CreditedAsKill);
        expectEvent(c.table, c.line, verdict, "");
        const auto asSuicide = OneNameMatcher(c.table).match(c.line, KillVerdict::NotAKill);
        EXPECT_EQ(asSuicide ? asSuicide->name : "", c.asSuicide);
    }
    // And a plain suicide is no kill to the kill rules, so it stays a suicide.
    EXPECT_EQ(verdictOf("Quake II : Standard", "Ann died."), KillVerdict::NotAKill);
    EXPECT_EQ(verdictOf("Quake I : Standard", "Satan's power deflects Ann's telefrag"), KillVerdict::NotAKill);
}

// Lines from every table's own texts, bent the ways logs and unlucky names bend them.
class OneNameLineGenerator {
public:
    explicit OneNameLineGenerator(unsigned seed) : m_rng(seed) {
        for (const GameTables& t : kTables) {
            m_all.insert(m_all.end(), t.oneName.suicides.begin(), t.oneName.suicides.end());
            m_all.insert(m_all.end(), t.oneName.teamKills.begin(), t.oneName.teamKills.end());
            for (const auto& slot : findGame(t.game)->rules->slots)
                for (const auto& rule : slot.rules)
                    m_kills.push_back(rule);
        }
        m_all.insert(m_all.end(), std::begin(kNestedSuicides), std::end(kNestedSuicides));
        m_all.insert(m_all.end(), std::begin(kNestedTeamKills), std::end(kNestedTeamKills));
    }

    std::string line() {
        std::string l;
        if (pick(8) == 0)
            l += "[00:0" + std::to_string(pick(10)) + "] ";
        const OneNameMessage& m = m_all[pick(m_all.size())];
        switch (pick(8)) {
        case 0: {  // a kill line, maybe with a one-name message for a name
            const auto& k = m_kills[pick(m_kills.size())];
            l += name() + std::string(k.middle) + name() + std::string(m.trailing) + std::string(k.trailing);
            break;
        }
        case 1:  // two messages on one line
            l += lineOf(m, name()) + lineOf(m_all[pick(m_all.size())], name());
            break;
        case 2: {  // random bytes, often short
            const std::size_t n = pick(pick(2) ? 6 : 40);
            for (std::size_t i = 0; i < n; ++i)
                l += static_cast<char>(pick(256));
            break;
        }
        default:
            l += bend(std::string(m.leading)) + name() + bend(std::string(m.trailing));
        }
        return l;
    }

private:
    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(m_rng); }

    std::string name() {
        static const std::string kNames[] = {
            "Bob", "Ann Lee", " Jim's ", "", "  ", "'s", "Eve's's", "Bob 's", std::string("Jo\xff"),
            std::string("Na\0me", 6), "died", "Satan's power deflects ", "'s telefrag", ".", "s",
        };
        if (pick(4) == 0)  // a name that holds, or is, a message
            return std::string(m_all[pick(m_all.size())].trailing) + (pick(2) ? "Kid" : "");
        return kNames[pick(std::size(kNames))];
    }

    std::string bend(std::string text) {
        if (text.empty() || pick(6) != 0)
            return text;
        switch (pick(4)) {
        case 0:
            text[pick(text.size())] ^= 0x20;  // a letter-case slip
            break;
        case 1:
            text.erase(pick(text.size()), 1);
            break;
        case 2:
            text += pick(2) ? "." : " ";
            break;
        default:
            text.insert(pick(text.size() + 1), 1, ' ');
        }
        return text;
    }

    std::mt19937 m_rng;
    std::vector<OneNameMessage> m_all;
    std::vector<rules::ObituaryRule> m_kills;
};

TEST(OneNameMatcher, GivesExactlyWhatThePlainReferenceGivesOnGeneratedLines) {
    OneNameLineGenerator gen(7);
    std::vector<GameTables> tables(std::begin(kTables), std::end(kTables));
    tables.push_back({"Quake I : Standard", kNested});  // the kill rules of some game, for verdicts
    for (const GameTables& t : tables) {
        SCOPED_TRACE(t.game);
        const OneNameMatcher matcher(t.oneName);
        Verdicts verdicts(t.game);
        int events = 0;
        for (int i = 0; i < 5000; ++i) {
            const std::string line = gen.line();
            for (const KillVerdict verdict : {KillVerdict::NotAKill, verdicts.of(line)}) {
                const auto fast = matcher.match(line, verdict);
                const auto plain = reference::matchOneName(t.oneName, line, verdict);
                ASSERT_EQ(fast.has_value(), plain.has_value()) << line;
                if (!fast)
                    continue;
                ++events;
                ASSERT_EQ(fast->kind, plain->kind) << line;
                // Same bytes at the same place of the line.
                ASSERT_EQ(fast->name.data(), plain->name.data()) << line;
                ASSERT_EQ(fast->name.size(), plain->name.size()) << line;
            }
        }
        // The generator must reach the tables that have messages, or the comparison proves little.
        if (!t.oneName.suicides.empty()) {
            EXPECT_GT(events, 500);
        }
    }
}

}  // namespace
}  // namespace fragtide::engine
