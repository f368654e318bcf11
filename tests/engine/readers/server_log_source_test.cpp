#include "engine/readers/server_log_source.hpp"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "engine/game_catalogue.hpp"
#include "engine/reference/analyze_bytes.hpp"
#include "engine/reference/hl_server_log_reference.hpp"
#include "engine/reference/log_lines.hpp"
#include "engine/reference/reference_matcher.hpp"
#include "engine/reference/reference_people.hpp"
#include "engine/reference/server_log_reference.hpp"
#include "engine/reference/stdlog_reference.hpp"
#include "engine/stats_store.hpp"
#include "rules/counter_strike_2_server_log.hpp"
#include "rules/half_life_server_log.hpp"
#include "rules/quake2_stdlog.hpp"
#include "rules/quake3_server_log.hpp"

namespace fragtide::engine {
namespace {

const rules::Game& kHl = rules::half_life_server_log::kGame;
const rules::Game& kStdLog = rules::quake2_stdlog::kGame;
const rules::Game& kCs2 = rules::counter_strike_2_server_log::kGame;
const rules::Game& kQ3 = rules::quake3_server_log::kGame;

StatsStore analysed(const rules::Game& game, std::string_view log, unsigned threads = 1,
                    std::size_t partBytes = 4 << 20, std::size_t manyPeople = std::size_t{1} << 16) {
    StatsStore store;
    store.CurrentGame = game.displayName;
    LoadWeaponNames(store);
    const auto lines = reference::analyzeBytes(
        store, log, {.partBytes = partBytes, .threads = threads, .manyPeople = manyPeople});
    EXPECT_TRUE(lines.has_value());
    return store;
}

void expectSameAs(const reference::ServerLogReferenceStore& plain, const StatsStore& store) {
    for (int slot = 0; slot < kSlotEntries; ++slot) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        EXPECT_EQ(store.WeaponNames[slot], plain.weaponNames[slot]);
        EXPECT_EQ(store.WeaponFrags[slot], plain.counts.weaponFrags[slot]);
    }
    ASSERT_EQ(store.PlayerNames(), plain.counts.playerNames);
    for (int p = 0; p <= store.playerCount(); ++p) {
        SCOPED_TRACE("player " + std::to_string(p));
        ASSERT_EQ(store.PlayerNames()[p], plain.counts.playerNames[p]);
        for (int slot = 0; slot < kSlotEntries; ++slot)
            EXPECT_EQ(store.PlayerWeaponFrags[p][slot], plain.counts.playerWeaponFrags[p][slot]);
    }
    EXPECT_EQ(store.KillerName, plain.counts.killerName);
    EXPECT_EQ(store.VictimName, plain.counts.victimName);
}

// A line that makes a team kill or sets what makes one: for Quake III, the lines that set and
// forget the clients' teams, which the kills between clients 0 to 31 then depend on.
std::string teamLine(const rules::Game& game, std::mt19937& rng) {
    switch (game.kind) {
    case rules::KillSource::HalfLifeServerLog:
        return "\"Twin<2><BOT><CT>\" killed \"Mate<3><BOT><CT>\" with \"knife\"";
    case rules::KillSource::CounterStrike2ServerLog:
        return "\"Twin<2><BOT><CT>\" [1 2 3] killed \"Mate<3><BOT><CT>\" [4 5 6] with \"knife_t\"";
    case rules::KillSource::Quake3ServerLog: {
        const unsigned roll = rng() % 20;
        if (roll == 0)
            return "  0:00 InitGame: \\sv_hostname\\Arena\\mapname\\q3dm17";
        if (roll < 3)
            return "  1:02 ClientDisconnect: " + std::to_string(rng() % 32);
        return "  1:01 ClientUserinfoChanged: " + std::to_string(rng() % 32) + " n\\Someone\\t\\" +
               std::to_string(rng() % 4) + "\\model\\sarge";
    }
    default:
        return "\tVictim\tKill\tRailgun\t-1\t10\t0";  // no killer: the weapon still counts
    }
}

// Kills by `killers` distinct players with weapons of `unknownWeapons` unknown words beside the known
// ones, noise lines, team kills and empty killers between them; endings CR, LF and CR LF mixed.
std::string generatedLog(const rules::Game& game, unsigned seed, int lines, int killers, int unknownWeapons) {
    std::mt19937 rng(seed);
    const char* const endings[] = {"\n", "\r\n", "\r"};
    std::string log;
    for (int i = 0; i < lines; ++i) {
        const int roll = static_cast<int>(rng() % 10);
        std::string line;
        if (roll == 0) {
            line = reference::noiseLine(rng);
        } else if (roll == 1) {
            line = teamLine(game, rng);
        } else {
            const std::string killer = " Player " + std::to_string(rng() % static_cast<unsigned>(killers)) + "'s";
            line = reference::killLine(game, rng, killer, "Victim", reference::weaponWord(game, rng, unknownWeapons));
        }
        log += line;
        log += endings[rng() % 3];
    }
    return log;
}


TEST(ServerLogSource, CreditsWhatThePlainReferenceCreditsOnAnyThreadsAndBatches) {
    unsigned seed = 1;
    for (const rules::Game* game : {&kHl, &kStdLog, &kCs2, &kQ3}) {
        // 8 and 70 unknown words: below (for most games) and past the 49 weapons that get a slot of their own;
        // 230 killers: more than a small fixed table would hold.
        for (const int unknown : {8, 70}) {
            const std::string log = generatedLog(*game, seed++, 3000, 230, unknown);
            reference::ServerLogReferenceStore plain;
            const auto lines = reference::referenceAnalyzeServerLog(plain, *game, log);
            EXPECT_EQ(lines, 3000u);
            std::set<std::string_view> known;
            for (const rules::WeaponWord& word : game->weaponWords)
                known.insert(word.displayName);
            EXPECT_EQ(plain.weaponNames[50].empty(), known.size() + unknown < 50) << "the log reaches slot 50 or not, as meant";
            EXPECT_GT(plain.counts.playerNames.size(), 201u) << "the log names over 200 killers";
            const reference::ReferencePeople people = reference::referenceServerLogPeople(*game, log);
            for (const unsigned threads : {1u, 4u}) {
                for (const std::size_t partBytes : {std::size_t{4} << 20, std::size_t{700}}) {
                    SCOPED_TRACE(std::string(game->displayName) + " unknown " + std::to_string(unknown) + " threads " +
                                 std::to_string(threads) + " part " + std::to_string(partBytes));
                    // Small pieces with every piece in a part of its own, as a store of very many people
                    const StatsStore store = analysed(*game, log, threads, partBytes, partBytes < 1000 ? 0 : 1u << 16);
                    expectSameAs(plain, store);
                    EXPECT_EQ(reference::differenceFrom(store.People, people), "");
                }
            }
        }
    }
}

// Names that the console games would take for one player stay apart here, however often the run
// has met them and whatever it remembers: spaces around, one or two "'s", past the 24 bytes a
// remembered name may have, and enough distinct names to push each other out of its memory.
TEST(ServerLogSource, KeepsNamesThatDifferOnlyBySpacesOrAnApostropheSApart) {
    std::vector<std::string> names;
    for (const std::string base : {"Bob", "Player Number Twenty-Seven", "x"}) {
        for (const std::string form : {"", " ", "  "})
            names.insert(names.end(), {form + base, base + form, form + base + form, form + base + "'s",
                                       base + "'s" + form, base + " 's", base + "'s's"});
    }
    names.push_back("");
    for (int n = 0; n < 1500; ++n)
        names.push_back("P" + std::to_string(n) + std::string(static_cast<std::size_t>(n % 30), ' '));
    std::mt19937 rng(11);
    const auto name = [&] {
        // Mostly the look-alikes, so each is met often, remembered, and met again.
        const std::size_t alike = 3 * 3 * 7 + 1;
        return names[rng() % 4 != 0 ? rng() % alike : rng() % names.size()];
    };
    for (const rules::Game* game : {&kHl, &kStdLog}) {
        std::string log;
        for (int i = 0; i < 6000; ++i) {
            const unsigned pick = rng() % 8;
            const std::string killer = name(), victim = name();
            if (pick == 0 && game == &kHl) {
                log += "\"" + killer + "<1><BOT><CT>\" killed \"" + victim + "<2><BOT><CT>\" with \"knife\"";
            } else if (pick == 0) {
                log += "\t" + killer + "\tSuicide\tLava";
            } else if (pick == 1 && game == &kHl) {
                log += "\"" + killer + "<1><BOT><CT>\" committed suicide with \"world\"";
            } else {
                log += reference::killLine(*game, rng, killer, victim, reference::weaponWord(*game, rng));
            }
            log += i % 3 == 0 ? "\r\n" : "\n";
        }
        reference::ServerLogReferenceStore plain;
        reference::referenceAnalyzeServerLog(plain, *game, log);
        const reference::ReferencePeople people = reference::referenceServerLogPeople(*game, log);
        ASSERT_GT(people.people.size(), 1000u) << "the log names many people, as meant";
        for (const unsigned threads : {1u, 3u}) {
            SCOPED_TRACE(std::string(game->displayName) + " threads " + std::to_string(threads));
            const StatsStore store = analysed(*game, log, threads, threads == 1 ? 4 << 20 : 5000);
            expectSameAs(plain, store);
            EXPECT_EQ(reference::differenceFrom(store.People, people), "");
        }
    }
}

TEST(ServerLogSource, GivesSlotsInOrderOfFirstKillAndSharesADisplayName) {
    const std::string log =
        "L 12/07/2026 - 20:10:11: \"A<1><BOT><CT>\" killed \"B<2><BOT><TERRORIST>\" with \"crowbar\"\n"
        "\"B<2><BOT><TERRORIST>\" killed \"A<1><BOT><CT>\" with \"glock18\" (headshot)\n"
        "\"A<1><BOT><CT>\" killed \"B<2><BOT><TERRORIST>\" with \"glock\"\n"
        "\"A<1><BOT><CT>\" killed \"B<2><BOT><TERRORIST>\" with \"Knife\"\n"
        "\"A<1><BOT><CT>\" killed \"B<2><BOT><TERRORIST>\" with \"knife\"\n"
        "\"A<1><BOT><CT>\" killed \"C<3><BOT><CT>\" with \"awp\"\n"                // team kill
        "\"A<1><BOT><CT>\" committed suicide with \"world\"\n"
        "\"A<1><BOT><CT>\" attacked \"B<2><BOT><TERRORIST>\" with \"usp\" (damage \"20\")\n";
    const StatsStore store = analysed(kHl, log);
    const std::string names[] = {"", "crowbar", "Glock 18", "Knife", "Knife"};
    const FragCount frags[] = {0, 1, 2, 1, 1};
    for (int slot = 1; slot <= 4; ++slot) {
        EXPECT_EQ(store.WeaponNames[slot], names[slot]) << slot;
        EXPECT_EQ(store.WeaponFrags[slot], frags[slot]) << slot;
    }
    EXPECT_EQ(store.WeaponNames[5], "") << "the team kill's awp gets no slot";
    EXPECT_EQ(store.PlayerNames()[1], "A");
    EXPECT_EQ(store.PlayerNames()[2], "B");
    EXPECT_EQ(store.PlayerWeaponFrags[1][3], 1);
    EXPECT_EQ(store.PlayerWeaponFrags[1][4], 1);
}

TEST(ServerLogSource, KeepsNamesAsExactBytesAndStdLogWordsInAnyCase) {
    const std::string log = " Bob's \tX\tKill\tRAILGUN\t1\n"
                            "\tX\tKill\trailgun\n"
                            " Bob's \tX\tKill\tgrappling hook\t1\t2\t3\n"
                            " Bob's \tX\tKill\tGrappling Hook\n"
                            "Bob\tX\tSuicide\tLava\n";
    const StatsStore store = analysed(kStdLog, log);
    EXPECT_EQ(store.WeaponNames[1], "Railgun");
    EXPECT_EQ(store.WeaponFrags[1], 2);
    EXPECT_EQ(store.WeaponNames[2], "grappling hook");
    EXPECT_EQ(store.WeaponNames[3], "Grappling Hook") << "unknown words are told apart by their bytes";
    EXPECT_EQ(store.PlayerNames()[1], " Bob's ");
    EXPECT_EQ(store.playerCount(), 1);
    EXPECT_EQ(store.PlayerWeaponFrags[1][1], 1);
}

TEST(ServerLogSource, SharesSlotFiftyAmongTheFiftiethWeaponAndLater) {
    std::string log;
    for (int w = 1; w <= 55; ++w)
        log += "K\tV\tKill\tw" + std::to_string(w) + "\n";
    // Words met again, before and past the fiftieth, also in pieces analysed apart.
    log += "K\tV\tKill\tw3\nK\tV\tKill\tw53\nK\tV\tKill\tw50\n";
    for (const unsigned threads : {1u, 3u}) {
        SCOPED_TRACE("threads " + std::to_string(threads));
        const StatsStore store = analysed(kStdLog, log, threads, 40);
        EXPECT_EQ(store.WeaponNames[49], "w49");
        EXPECT_EQ(store.WeaponNames[50], kOtherWeapons);
        EXPECT_EQ(store.WeaponFrags[50], 8);
        EXPECT_EQ(store.WeaponFrags[3], 2);
        EXPECT_EQ(store.KillerName, "K");
    }
}

TEST(ServerLogSource, ForgetsTheWeaponsOfAnEarlierAnalysis) {
    StatsStore store = analysed(kStdLog, "K\tV\tKill\tw1\nK\tV\tKill\tw2\n");
    store.resetCounts();
    ASSERT_TRUE(reference::analyzeBytes(store, "K\tV\tKill\tw3\n").has_value());
    EXPECT_EQ(store.WeaponNames[1], "w3");
    EXPECT_EQ(store.WeaponNames[2], "") << "no name left over from the earlier log";
}

// A word's slot is remembered per thread; stores whose slots were given in other orders, and the
// sources of both games, taking turns on one thread must still each get their own slots.
TEST(ServerLogSource, GivesEachStoreItsOwnSlotsWhenStoresAndSourcesTakeTurns) {
    const ServerLogSource hl(kHl), stdlog(kStdLog);
    const std::string hlKills[] = {
        "\"A<1><BOT><CT>\" killed \"B<2><BOT><TERRORIST>\" with \"knife\"\n",
        "\"A<1><BOT><CT>\" killed \"B<2><BOT><TERRORIST>\" with \"awp\"\n",
    };
    const std::string stdKills[] = {"K\tV\tKill\tknife\n", "K\tV\tKill\tawp\n", "K\tV\tKill\tRailgun\n"};
    StatsStore first, second, third;
    for (int round = 0; round < 3; ++round) {
        hl.analyzeLines(first, hlKills[round % 2]);            // knife then awp
        hl.analyzeLines(second, hlKills[(round + 1) % 2]);     // awp then knife
        stdlog.analyzeLines(third, stdKills[(round + 2) % 3]);  // Railgun, knife, awp
    }
    EXPECT_EQ(first.WeaponNames[1], "Knife");
    EXPECT_EQ(first.WeaponNames[2], "AI Arctic Warfare/Magnum");
    EXPECT_EQ(first.WeaponFrags[1], 2);
    EXPECT_EQ(first.WeaponFrags[2], 1);
    EXPECT_EQ(second.WeaponNames[1], first.WeaponNames[2]);
    EXPECT_EQ(second.WeaponNames[2], first.WeaponNames[1]);
    EXPECT_EQ(second.WeaponFrags[1], 2);
    EXPECT_EQ(second.WeaponFrags[2], 1);
    EXPECT_EQ(third.WeaponNames[1], "Railgun");
    EXPECT_EQ(third.WeaponNames[2], "knife") << "a word Quake II does not know keeps its bytes";
    EXPECT_EQ(third.WeaponNames[3], "awp");
    for (int slot = 1; slot <= 3; ++slot)
        EXPECT_EQ(third.WeaponFrags[slot], 1) << slot;
}

}  // namespace
}  // namespace fragtide::engine
