#include "engine/line_analyzer.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>
#include <string>

#include "engine/game_catalogue.hpp"
#include "engine/rule_sets.hpp"
#include "engine/stats_store.hpp"
#include "engine/reference/analyze_bytes.hpp"
#include "engine/reference/reference_matcher.hpp"

namespace fragtide::engine {
namespace {

using reference::ReferenceStore;

// Builds logs from a game's own rule texts, bent in the ways real logs and unlucky names bend
// them: names with spaces, "'s" and phrases inside, prefixes, case slips, stray bytes.
class LogGenerator {
public:
    LogGenerator(const rules::RuleSet& rules, unsigned seed) : m_rules(rules), m_rng(seed) {}

    std::string log(int lines, int extraNames = 0) {
        std::string out;
        for (int i = 0; i < lines; ++i) {
            out += line(extraNames);
            if (i + 1 < lines || pick(3) != 0)
                out += kEndings[pick(std::size(kEndings))];
        }
        return out;
    }

private:
    static constexpr const char* kEndings[] = {"\n", "\r\n", "\r", "\n\r", "\r\n\r\n"};

    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(m_rng); }

    const rules::ObituaryRule& anyRule() {
        const auto& slot = m_rules.slots[pick(m_rules.slots.size())];
        return slot.rules[pick(slot.rules.size())];
    }

    std::string name(int extraNames) {
        static const std::string kNames[] = {
            "Bob", "Alice", "bob", "BOB", " Jim's ", "Ann Lee", "x's", "  ", "", "Bob 's",
            std::string("Jo\xff"), std::string("Na\0me", 6), "[12:00:01] Max", "Zo\xc3\xab",
            "'s", "Eve's's", "\tTab", "killed", "was", "by",
        };
        if (extraNames > 0 && pick(2) == 0)
            return "P" + std::to_string(pick(static_cast<std::size_t>(extraNames)));
        switch (pick(8)) {
        case 0: {  // a name that holds a kill phrase of this game
            const auto& r = anyRule();
            return "Ann" + std::string(r.middle) + "Joe";
        }
        case 1:
            return std::string(anyRule().trailing) + "Kid";
        default:
            return kNames[pick(std::size(kNames))];
        }
    }

    std::string bend(std::string text) {
        if (text.empty() || pick(12) != 0)
            return text;
        switch (pick(3)) {
        case 0: {
            char& c = text[pick(text.size())];
            c = static_cast<char>(c ^ 0x20);  // a letter-case slip
            break;
        }
        case 1:
            text.erase(pick(text.size()), 1);
            break;
        default:
            text.insert(pick(text.size()), 1, ' ');
        }
        return text;
    }

    std::string line(int extraNames) {
        const auto& rule = anyRule();
        const auto& other = anyRule();
        std::string l;
        if (pick(6) == 0)
            l += "[00:0" + std::to_string(pick(10)) + "] ";
        const std::string first = name(extraNames), second = name(extraNames);
        switch (pick(10)) {
        case 0:  // two kill phrases on one line
            l += first + std::string(rule.middle) + second + std::string(other.middle) + name(extraNames);
            break;
        case 1:  // another rule's ending
            l += first + std::string(rule.middle) + second + std::string(other.trailing);
            break;
        case 2:  // noise after the ending
            l += first + std::string(rule.middle) + second + std::string(rule.trailing) + ".";
            break;
        case 3:  // the middle text ending the line inside the trailing text
            l += first + std::string(rule.trailing) + std::string(rule.middle) + std::string(rule.trailing);
            break;
        case 4: {  // random bytes
            const std::size_t n = pick(40);
            for (std::size_t i = 0; i < n; ++i) {
                char c = static_cast<char>(pick(256));
                if (c == '\r' || c == '\n')
                    c = 'x';
                l += c;
            }
            break;
        }
        default:
            l += first + bend(std::string(rule.middle)) + second + bend(std::string(rule.trailing));
        }
        return l;
    }

    const rules::RuleSet& m_rules;
    std::mt19937 m_rng;
};

void expectSameStore(const StatsStore& store, const ReferenceStore& ref) {
    // Whole tables first: the tests that cut a log everywhere compare thousands of stores, and an
    // assertion per entry made them slow under the sanitizers. The entry that differs is named below.
    const auto sameRow = [](const auto& a, const auto& b) { return std::equal(std::begin(a), std::end(a), std::begin(b)); };
    ASSERT_EQ(store.PlayerNames().size(), ref.playerNames.size());
    ASSERT_EQ(store.PlayerWeaponFrags.size(), ref.playerWeaponFrags.size());
    const int entries = static_cast<int>(ref.playerNames.size());
    bool same = sameRow(store.WeaponFrags, ref.weaponFrags);
    for (int p = 0; p < entries && same; ++p)
        same = store.PlayerNames()[p] == ref.playerNames[p] &&
               sameRow(store.PlayerWeaponFrags[p], ref.playerWeaponFrags[p]);
    for (int s = 0; s < kSlotEntries && !same; ++s)
        ASSERT_EQ(store.WeaponFrags[s], ref.weaponFrags[s]) << "weapon slot " << s;
    for (int p = 0; p < entries && !same; ++p) {
        ASSERT_EQ(store.PlayerNames()[p], ref.playerNames[p]) << "player " << p;
        for (int s = 0; s < kSlotEntries; ++s)
            ASSERT_EQ(store.PlayerWeaponFrags[p][s], ref.playerWeaponFrags[p][s])
                << "player " << p << " slot " << s;
    }
    EXPECT_EQ(store.KillerName, ref.killerName);
    EXPECT_EQ(store.VictimName, ref.victimName);
}

TEST(LineAnalyzer, CreditsExactlyWhatThePlainReferenceCreditsOnGeneratedLogs) {
    unsigned seed = 1;
    for (const Game& game : games()) {
        if (!game.rules)
            continue;  // read by a reader of its own (server_log_source_test.cpp)
        for (const int extraNames : {0, 400}) {  // 400: hundreds of killers
            SCOPED_TRACE(std::string(game.displayName) + " extra names " + std::to_string(extraNames));
            LogGenerator generator(*game.rules, seed++);
            const std::string log = generator.log(6000, extraNames);

            StatsStore store;
            store.CurrentGame = game.displayName;
            ReferenceStore ref;
            EXPECT_EQ(LineAnalyzer(game.rules).analyzeLines(store, log), reference::referenceAnalyze(ref, game.rules, log));
            expectSameStore(store, ref);
            if (extraNames > 0) {
                EXPECT_GT(store.playerCount(), 250) << "the log should name hundreds of killers";
            }
        }
    }
}

// A game with more distinct middle texts than the analyzer's one-scan table holds (64), as a
// user's rule file may define: 25 slots of four rules, some middles shared between slots, some
// shorter than four bytes, trailing texts of every length.
class ManyMiddlesGame {
public:
    explicit ManyMiddlesGame(bool killerFirst) {
        static const char* const kVerbs[] = {" was hit by ", " fell to ", " ate ", " x"};
        static const char* const kTrailings[] = {"", "'s gun", "s", " (head)"};
        m_rules.resize(25);
        for (int slot = 0; slot < 25; ++slot) {
            for (int r = 0; r < 4; ++r) {
                std::string middle = kVerbs[(slot + r) % 4] + std::to_string(slot * 4 + r);
                if (r == 3 && slot % 5 == 0)
                    middle = " ate ";  // the same middle in several slots
                else if (r == 2 && slot % 7 == 0)
                    middle = "~" + std::to_string(slot % 10);  // under four bytes
                m_texts.push_back(std::move(middle));
                m_rules[slot].push_back({m_texts.back(), kTrailings[(slot + 2 * r) % 4]});
            }
        }
        for (const auto& list : m_rules)
            m_slots.push_back({list});
        m_set = {killerFirst, m_slots};
    }
    const rules::RuleSet& rules() const { return m_set; }

    std::size_t distinctMiddles() const {
        std::vector<std::string> all(m_texts.begin(), m_texts.end());
        std::sort(all.begin(), all.end());
        return static_cast<std::size_t>(std::unique(all.begin(), all.end()) - all.begin());
    }

private:
    std::deque<std::string> m_texts;  // a deque: views into its strings stay valid as it grows
    std::vector<std::vector<rules::ObituaryRule>> m_rules;
    std::vector<rules::SlotRules> m_slots;
    rules::RuleSet m_set{};
};

TEST(LineAnalyzer, CreditsExactlyWhatThePlainReferenceCreditsWhenAGameHasManyMiddleTexts) {
    unsigned seed = 500;
    for (const bool killerFirst : {true, false}) {
        const ManyMiddlesGame game(killerFirst);
        ASSERT_GT(game.distinctMiddles(), 64u) << "the game must overflow the one-scan table";
        for (const int extraNames : {0, 400}) {
            SCOPED_TRACE(std::string(killerFirst ? "killer first" : "victim first") + ", extra names " +
                         std::to_string(extraNames));
            LogGenerator generator(game.rules(), seed++);
            const std::string log = generator.log(4000, extraNames);
            StatsStore store;
            ReferenceStore ref;
            EXPECT_EQ(LineAnalyzer(&game.rules()).analyzeLines(store, log),
                      reference::referenceAnalyze(ref, &game.rules(), log));
            expectSameStore(store, ref);
            EXPECT_GT(ref.weaponFrags[25], 0) << "the log should reach the last slot";
        }
    }
}

TEST(LineAnalyzer, AgreesWithTheRuleSetProcedures) {
    unsigned seed = 100;
    for (const Game& game : games()) {
        if (!game.rules)
            continue;  // read by a reader, not by rules
        SCOPED_TRACE(std::string(game.displayName));
        LogGenerator generator(*game.rules, seed++);
        const std::string log = generator.log(3000);
        StatsStore fast, plain;
        fast.CurrentGame = game.displayName;
        LineAnalyzer(game.rules).analyzeLines(fast, log);
        for (std::string_view line : reference::referenceLines(log))
            for (int slot = 1; slot <= kSlotsPerLine; ++slot)
                checkRuleSet(plain, *game.rules, slot, line);
        EXPECT_EQ(fast.WeaponFrags, plain.WeaponFrags);
        EXPECT_EQ(fast.PlayerNames(), plain.PlayerNames());
        EXPECT_EQ(fast.PlayerWeaponFrags, plain.PlayerWeaponFrags);
    }
}

// Middle texts under four bytes are searched without the tables; a rule set of nothing else
// must not reach for table data it does not have.
TEST(LineAnalyzer, CreditsAsTheReferenceWhenEveryMiddleTextIsShort) {
    static constexpr rules::ObituaryRule kSlot1[] = {{" by", ""}, {"'s", " x"}};
    static constexpr rules::ObituaryRule kSlot2[] = {{" o ", "!"}};
    static constexpr rules::SlotRules kSlots[] = {{kSlot1}, {kSlot2}};
    static constexpr rules::RuleSet kShort{false, kSlots};
    LogGenerator generator(kShort, 7);
    const std::string log = generator.log(2000) + "\nAnn by Bob\nA's B x\nC o D!\n" + std::string(40, ' ') + " by Z";
    StatsStore store;
    ReferenceStore ref;
    EXPECT_EQ(LineAnalyzer(&kShort).analyzeLines(store, log), reference::referenceAnalyze(ref, &kShort, log));
    expectSameStore(store, ref);
    EXPECT_GT(store.WeaponFrags[1], 0);
    EXPECT_GT(store.WeaponFrags[2], 0);
}

// The analyzer over `log` and over every shorter start of it against the reference: each cut
// puts the end of the bytes somewhere else (inside CR LF, inside a middle text, before the last
// sixteen bytes), where the one-pass scan gives way to the byte-by-byte one.
// The reference sees each line alone, so its result for a cut is that of the whole lines before
// the cut's line, kept as the cuts go, and then the start of that line: run over every start of
// the log it took most of a minute under the sanitizers.
void expectEveryCutLikeReference(const rules::RuleSet& rules, std::string_view log,
                                 LineAnalyzer::ScanPath path = LineAnalyzer::ScanPath::Best) {
    const LineAnalyzer analyzer(&rules, nullptr, path);
    // Just past the line ending after `from` (CR LF taken whole), or past the log when none.
    const auto nextLineStart = [&](std::size_t from) {
        const std::size_t end = log.find_first_of("\r\n", from);
        if (end == std::string_view::npos)
            return log.size() + 1;
        return end + (log.substr(end, 2) == "\r\n" ? 2 : 1);
    };
    ReferenceStore before;  // the lines before `lineStart`
    std::uint64_t linesBefore = 0;
    StatsStore store;  // emptied for each cut as the threads' stores are: a new one costs more
    std::size_t lineStart = 0, next = nextLineStart(0);
    for (std::size_t cut = 0; cut <= log.size(); ++cut) {
        for (; next <= cut; next = nextLineStart(lineStart)) {
            linesBefore += reference::referenceAnalyze(before, &rules, log.substr(lineStart, next - lineStart));
            lineStart = next;
        }
        const std::string_view bytes = log.substr(0, cut);
        store.resetCounts();
        store.KillerName.clear();
        store.VictimName.clear();
        ReferenceStore ref = before;
        const std::uint64_t refLines =
            linesBefore + reference::referenceAnalyze(ref, &rules, log.substr(lineStart, cut - lineStart));
        ASSERT_EQ(analyzer.analyzeLines(store, bytes), refLines) << "cut " << cut;
        SCOPED_TRACE("cut " + std::to_string(cut));
        expectSameStore(store, ref);
        if (::testing::Test::HasFailure())
            return;
    }
}

constexpr LineAnalyzer::ScanPath kEveryPath[] = {LineAnalyzer::ScanPath::Portable, LineAnalyzer::ScanPath::Sse2,
                                                 LineAnalyzer::ScanPath::Avx2};

std::string pathName(LineAnalyzer::ScanPath path) {
    using enum LineAnalyzer::ScanPath;
    return path == Portable ? "portable" : path == Sse2 ? "SSE2" : "AVX2";
}

// Every 16- and 32-byte alignment of a kill line, its middle text and its ending, in each of
// the console games, after lines of every short length, on every scan path.
TEST(LineAnalyzer, CreditsAsTheReferenceWhereverBlocksAndBatchesCutALine) {
    for (const auto path : kEveryPath) {
        for (std::size_t g = 0; g < 6; ++g) {
            const Game& game = games()[g];
            SCOPED_TRACE(std::string(game.displayName) + " on the " + pathName(path) + " path");
            const auto& rule = game.rules->slots[g % game.rules->slots.size()].rules[0];
            std::string log;
            for (int pad = 0; pad < 33; ++pad) {
                log += std::string(static_cast<std::size_t>(pad), 'x') + "\r\n";  // lines of 0 to 32 bytes
                log += std::string(static_cast<std::size_t>(pad), 'A') + std::string(rule.middle) + "Bob" +
                       std::string(rule.trailing) + (pad % 3 == 0 ? "\n" : pad % 3 == 1 ? "\r" : "\r\n");
            }
            expectEveryCutLikeReference(*game.rules, log, path);
        }
    }
}

// Each scan path over generated logs of every console game, ending at other places, against
// the reference; the path asked for is the one taken where the build and the processor have it.
TEST(LineAnalyzer, EveryScanPathCreditsAsTheReference) {
    unsigned seed = 900;
    for (const auto path : kEveryPath) {
        for (std::size_t g = 0; g < 6; ++g) {
            const Game& game = games()[g];
            SCOPED_TRACE(std::string(game.displayName) + " on the " + pathName(path) + " path");
            LogGenerator generator(*game.rules, seed++);
            const std::string log = generator.log(3000, 50);
            const LineAnalyzer analyzer(game.rules, nullptr, path);
            if (path == LineAnalyzer::ScanPath::Portable) {
                EXPECT_EQ(analyzer.scanPath(), path);
            }
#if defined(__x86_64__) && !defined(_WIN32)
            if (g == 3 && path == LineAnalyzer::ScanPath::Avx2 && __builtin_cpu_supports("avx2")) {
                EXPECT_EQ(analyzer.scanPath(), path) << "Quake II suits the vector scan";
            }
#endif
            for (const std::size_t skip : {0, 1, 13, 31}) {  // the same lines, other batch ends
                const std::string_view bytes = std::string_view(log).substr(skip);
                StatsStore store;
                ReferenceStore ref;
                ASSERT_EQ(analyzer.analyzeLines(store, bytes), reference::referenceAnalyze(ref, game.rules, bytes));
                SCOPED_TRACE("from byte " + std::to_string(skip));
                expectSameStore(store, ref);
                if (::testing::Test::HasFailure())
                    return;
            }
        }
    }
}

// Rules built to trip a scan that looks at a few bytes first: middle texts that overlap, hold
// one another or appear in trailing texts, middle texts under four, four to seven and eight or
// more bytes sharing their first bytes, second bytes far apart, and middle texts with a CR or
// LF, which no line can hold.
TEST(LineAnalyzer, CreditsAsTheReferenceForAwkwardMiddleTexts) {
    static constexpr rules::ObituaryRule kSlot1[] = {{" by ", ""}, {" by by ", "!"}, {" b", " by "}};
    static constexpr rules::ObituaryRule kSlot2[] = {{" bye bye by ", ""}, {" bye ", "s"}, {" \x01z ", ""}};
    static constexpr rules::ObituaryRule kSlot3[] = {{" \xfe\xff ", "'s x"}, {" a\nb ", ""}, {"\r", ""}};
    static constexpr rules::ObituaryRule kSlot4[] = {{"y b", ""}, {" by\r\n", ""}, {" by the way by ", " by"}};
    static constexpr rules::SlotRules kSlots[] = {{kSlot1}, {kSlot2}, {kSlot3}, {kSlot4}};
    for (const bool killerFirst : {false, true}) {
        const rules::RuleSet set{killerFirst, kSlots};
        const char* const kLines[] = {
            "A by B", "A by by B!", "A by B by C", "A b by ", "A by by by B", "by", " by ", " b", "",
            "A bye bye by B", "A bye Bs", "A bye bye Bs", "A \x01z B", "A \xfe\xff B's x", "A \xfe\xff's x",
            "A a", "Ann by the way by Bob by", "A by the way by by", "Ay bB", "y b", "A by", "A by ",
            "A bye bye by bye bye by B", "[12:00] A by B",
        };
        std::string log;
        for (std::size_t pad = 0; pad < 36; pad += 3) {
            for (const char* line : kLines)
                log += std::string(pad, 'P') + line + (pad % 2 ? "\r\n" : "\n");
        }
        SCOPED_TRACE(killerFirst ? "killer first" : "victim first");
        StatsStore store;
        ReferenceStore ref;
        EXPECT_EQ(LineAnalyzer(&set).analyzeLines(store, log), reference::referenceAnalyze(ref, &set, log));
        expectSameStore(store, ref);
        EXPECT_GT(ref.weaponFrags[1], 0);
        EXPECT_GT(ref.weaponFrags[2], 0);
        EXPECT_GT(ref.weaponFrags[3], 0);
        EXPECT_GT(ref.weaponFrags[4], 0);
        LogGenerator generator(set, killerFirst ? 11 : 12);
        const std::string generated = generator.log(3000);
        for (const auto path : kEveryPath) {
            SCOPED_TRACE("the " + pathName(path) + " path");
            expectEveryCutLikeReference(set, log.substr(0, 400), path);
            StatsStore store2;
            ReferenceStore ref2;
            EXPECT_EQ(LineAnalyzer(&set, nullptr, path).analyzeLines(store2, generated),
                      reference::referenceAnalyze(ref2, &set, generated));
            expectSameStore(store2, ref2);
            StatsStore store3;
            ReferenceStore ref3;
            const std::string_view late = std::string_view(log).substr(log.size() / 2);  // long padded lines
            EXPECT_EQ(LineAnalyzer(&set, nullptr, path).analyzeLines(store3, late),
                      reference::referenceAnalyze(ref3, &set, late));
            expectSameStore(store3, ref3);
        }
    }
}

// A middle text found lets the scan pass over the places inside it where no other can begin.
// Texts longer than a 64-byte chunk, texts that hold others or begin again inside themselves,
// and lines whose CR LF falls across chunks, at every alignment, on every path.
TEST(LineAnalyzer, CreditsAsTheReferenceWhenMiddleTextsSpanChunks) {
    const std::string longText = " was sent " + std::string(70, 'o') + "ut of the arena by ";
    const std::string again = " by by by ";
    static const std::string kLong = longText, kAgain = again;
    const rules::ObituaryRule slot1[] = {{kLong, ""}};
    const rules::ObituaryRule slot2[] = {{kAgain, ""}, {" ut of ", ""}};
    const rules::ObituaryRule slot3[] = {{" by ", ""}};  // also the last bytes of the long text
    const rules::ObituaryRule slot4[] = {{" is ", "s fine"}};
    const rules::SlotRules slots[] = {{slot1}, {slot2}, {slot3}, {slot4}};
    for (const bool killerFirst : {false, true}) {
        const rules::RuleSet set{killerFirst, slots};
        std::string log;
        for (std::size_t pad = 0; pad < 70; ++pad) {
            const std::string name(pad, 'N');
            log += "A" + name + longText + "B\r\n";
            log += name + "C" + again + "by by D\r\n";  // the text again, three bytes on
            log += name + "E ut of F by G\r\n";
            log += name + "H is Is fine\r\n" + name + "J is fine\n" + name + "K is L is fine\n";  // only the first
            log += name + std::string(pad % 7, 'x') + "\r";  // a lone CR, then CR LF across chunks
        }
        for (const auto path : kEveryPath) {
            SCOPED_TRACE(std::string(killerFirst ? "killer first" : "victim first") + " on the " + pathName(path) +
                         " path");
            for (const std::size_t from : {0, 1, 2, 31, 63}) {
                const std::string_view bytes = std::string_view(log).substr(from);
                StatsStore store;
                ReferenceStore ref;
                ASSERT_EQ(LineAnalyzer(&set, nullptr, path).analyzeLines(store, bytes),
                          reference::referenceAnalyze(ref, &set, bytes));
                SCOPED_TRACE("from byte " + std::to_string(from));
                expectSameStore(store, ref);
                EXPECT_GT(ref.weaponFrags[1], 60);
                EXPECT_GT(ref.weaponFrags[2], 60);
                EXPECT_GT(ref.weaponFrags[3], 60);
                EXPECT_GT(ref.weaponFrags[4], 60);
                EXPECT_LT(ref.weaponFrags[4], 80);
            }
        }
    }
}

// Sixty-four middle texts, the most the one-pass scan takes: many share their first four or
// eight bytes, so the collision-free tables hold groups, and three different start bytes send
// the lines through the byte-by-byte scan.
TEST(LineAnalyzer, CreditsAsTheReferenceWithSixtyFourMiddleTextsInGroups) {
    std::deque<std::string> texts;
    std::vector<std::vector<rules::ObituaryRule>> lists(25);
    static const char* const kTrailings[] = {"", "'s gun", "s", " (head shot)"};
    for (int i = 0; i < 64; ++i) {
        static const char* const kStarts[] = {" was", " was hit", "'s", "~ka"};
        texts.push_back(std::string(kStarts[i % 4]) + std::string(static_cast<std::size_t>(i % 5), 'x') + " by" +
                        std::to_string(i) + " ");
        lists[static_cast<std::size_t>(i % 25)].push_back({texts.back(), kTrailings[i % 4]});
    }
    std::vector<rules::SlotRules> slots;
    for (const auto& list : lists)
        slots.push_back({list});
    for (const bool killerFirst : {false, true}) {
        const rules::RuleSet set{killerFirst, slots};
        LogGenerator generator(set, killerFirst ? 21 : 22);
        const std::string log = generator.log(4000, 50);
        StatsStore store;
        ReferenceStore ref;
        EXPECT_EQ(LineAnalyzer(&set).analyzeLines(store, log), reference::referenceAnalyze(ref, &set, log));
        expectSameStore(store, ref);
        EXPECT_GT(ref.weaponFrags[25], 0);
    }
}

TEST(LineAnalyzer, CreditsNothingForAGameWithoutRules) {
    StatsStore store;
    store.CurrentGame = "quake I : Standard";  // names no game: game names are matched exactly
    const auto lines = reference::analyzeBytes(store, "Alice was nailed by Bob\nCarol was nailed by Bob\n");
    ASSERT_TRUE(lines) << lines.error().message;
    EXPECT_EQ(*lines, 2u);
    EXPECT_EQ(store.WeaponFrags[4], 0);
    EXPECT_EQ(store.playerCount(), 0);
}

}  // namespace
}  // namespace fragtide::engine
